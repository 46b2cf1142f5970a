// The Textile converter's three rule tables.
#include "textile/TextileConverter.h"

#include "engine/TextUtilities.h"

namespace {

RuleRecord blockRule(const char16_t* name, const char16_t* pattern, const char16_t* templateText) {
    RuleRecord rule{name, pattern, templateText, false, false, true, {}, {}};
    return rule;
}

bool isClosingBracket(char16_t c) {
    return c == u']' || engine::endsLineForDot(c);
}

RuleRecord attributedRule(const char16_t* name, const icu::UnicodeString& tag) {
    icu::UnicodeString pattern = u"(?m)^" + tag + u"[\\=\\<\\>\\[\\(\\)\\{]{1,1}(.*?)\\.[ ]{1,1}";
    return RuleRecord{name, pattern, {}, false, false, false, tag, {}};
}

}  // namespace

RuleTable TextileConverter::regexBlockTextile() const {
    return {
        blockRule(u"Headline1", u"(?m)^\nh1\\.[ ]{1,}(.*?)\n\n", u"\n<h1>$1</h1>\n\n"),
        blockRule(u"Headline2", u"(?m)^\nh2\\.[ ]{1,}(.*?)\n\n", u"\n<h2>$1</h2>\n\n"),
        blockRule(u"Headline3", u"(?m)^\nh3\\.[ ]{1,}(.*?)\n\n", u"\n<h3>$1</h3>\n\n"),
        blockRule(u"Headline4", u"(?m)^\nh4\\.[ ]{1,}(.*?)\n\n", u"\n<h4>$1</h4>\n\n"),
        blockRule(u"Headline5", u"(?m)^\nh5\\.[ ]{1,}(.*?)\n\n", u"\n<h5>$1</h5>\n\n"),
        blockRule(u"Headline6", u"(?m)^\nh6\\.[ ]{1,}(.*?)\n\n", u"\n<h6>$1</h6>\n\n"),
        blockRule(u"InternalComment", u"(?m)^\n\\#\\#\\#\\.[ ]{1,}(.*?)\n\n", u"\n"),
        blockRule(u"Paragraph", u"(?m)^\np\\.[ ]{1,}(.*?)\n\n", u"\n<p>$1</p>\n\n"),
        blockRule(u"Blockquote", u"(?m)^\nbq\\.[ ]{1,}(.*?)\n\n", u"\n<blockquote>\n\t<p>$1</p>\n</blockquote>\n\n"),
        blockRule(u"BlockquoteCited", u"(?m)^\nbq\\.:([^ \"<>][^\"<>]*?)[ ]{1,}(.*?)\n\n",
                  u"\n<blockquote cite=\"$1\">\n\t<p>$2</p>\n</blockquote>\n\n"),
        blockRule(u"Code", u"(?m)^\nbc\\.[ ]{1,}(.*?)\n\n", u"\n<pre><code>$1</code></pre>\n\n"),
        blockRule(u"Preformatted", u"(?m)^\npre\\.[ ]{1,}(.*?)\n\n", u"\n<pre>$1</pre>\n\n"),
        blockRule(u"FootnoteDestination", u"(?m)^fn([0-9]{1,})\\.[ ]{1,}(.*?)\n\n",
                  u"<p class=\"footnote\" id=\"fn-$1\"><sup>$1</sup> $2</p>\n\n"),
    };
}

RuleTable TextileConverter::regexAttributedBlockTextile() const {
    return {
        attributedRule(u"Headline1", u"h1"), attributedRule(u"Headline2", u"h2"),
        attributedRule(u"Headline3", u"h3"), attributedRule(u"Headline4", u"h4"),
        attributedRule(u"Headline5", u"h5"), attributedRule(u"Headline6", u"h6"),
        attributedRule(u"Paragraph", u"p"),  attributedRule(u"Blockquote", u"bq"),
        attributedRule(u"Code", u"bc"),      attributedRule(u"Preformatted", u"pre"),
    };
}

RuleTable TextileConverter::regexTextileWithjavaScriptStart(const icu::UnicodeString& start,
                                                       const icu::UnicodeString& javaScriptEnd) const {
    // Every rule but two stays inside one block, and each match holds the
    // literal its fast path names: those rules run block by block. A phrase
    // that never closes must not cost a scan of the rest of its line from
    // each of its openings: phrases and acronyms are tried once per line.
    // "FootnoteDestinationWithLink" ends in a blank line and "upperCase"
    // looks ahead to the next "<" wherever it is: both search the whole text.
    using engine::FastPath;
    // Phrase modifiers: white space, "(" or an opening tag before, white space,
    // punctuation or a closing tag behind; the bracketed form works inside
    // words. A phrase ends at the first delimiter that can close it, so two
    // phrases on a line ("*a*, and *b*.") stay two. A deletion neither
    // begins nor ends with a hyphen, so a spaced "--" stays a dash.
    auto phrase = [](const char16_t* name, const icu::UnicodeString& delimiter, const icu::UnicodeString& tag,
                             const char16_t* literal, char16_t barredFirst = 0,
                             const icu::UnicodeString& content = u"(?!\\s).{0,}?[^\\s]") {
        return RuleRecord::regex(name,
                                 u"([\\s(]|<[a-z]{1,}>)" + delimiter + u"(" + content + u")" + delimiter +
                                     u"([\\s.,;:!?)\"']|<\\/[a-z]{1,}>)",
                                 u"$1<" + tag + u">$2</" + tag + u">$3")
            .with(FastPath::inBlock(literal, phraseOpenings(literal, barredFirst, false)));
    };
    // "[*strong*]" is one phrase: it ends at the first "]" of its line, so
    // "1[^st^] and 2[^nd^]" stays two. Where no closing "*]" stands before
    // that "]" for one opening, there is none for a later one.
    auto bracketed = [](const char16_t* name, const icu::UnicodeString& delimiter,
                                const icu::UnicodeString& tag, const char16_t* literal) {
        return RuleRecord::regex(name, u"\\[" + delimiter + u"((?!\\s)[^\\]\\n]*?[^\\s\\]])" + delimiter + u"\\]",
                                 u"<" + tag + u">$1</" + tag + u">")
            .with(FastPath::inBlock(literal, phraseOpenings(literal, 0, true, isClosingBracket)));
    };
    return {
        phrase(u"bold", u"\\*\\*", u"b", u"**"),
        bracketed(u"bold_Encapsulated", u"\\*\\*", u"b", u"[**"),
        phrase(u"strong", u"\\*", u"strong", u"*"),
        bracketed(u"strong_Encapsulated", u"\\*", u"strong", u"[*"),
        phrase(u"italic", u"\\_\\_", u"i", u"__"),
        bracketed(u"italic_Encapsulated", u"\\_\\_", u"i", u"[__"),
        phrase(u"inverse", u"\\_", u"em", u"_"),
        bracketed(u"inverse_Encapsulated", u"\\_", u"em", u"[_"),
        phrase(u"underlined", u"\\+", u"ins", u"+"),
        bracketed(u"underlined_Encapsulated", u"\\+", u"ins", u"[+"),
        phrase(u"deleted", u"\\-", u"del", u"-", u'-', u"(?![\\s-]).{0,}?[^\\s-]"),
        bracketed(u"deleted_Encapsulated", u"\\-", u"del", u"[-"),
        phrase(u"supertext", u"\\^", u"sup", u"^"),
        bracketed(u"supertext_Encapsulated", u"\\^", u"sup", u"[^"),
        phrase(u"subtext", u"\\~", u"sub", u"~"),
        bracketed(u"subtext_Encapsulated", u"~", u"sub", u"[~"),
        RuleRecord::regex(u"cituation", u"\\?\\?([^ \\s](?:.*?[^ \\t]){0,1}?)\\?\\?([\\s.,;:!)\"']|<\\/[a-z]{1,}>)",
                          u"<cite>$1</cite>$2")
            .with(FastPath::inBlock(u"??", phraseOpenings(u"??", 0, true))),
        RuleRecord::regex(u"span", u"\\%([^ \\s])(.*?)([^ \\t])\\%([\\s])", u"<span>$1$2$3</span>$4")
            .with(FastPath::inBlock(u"%", phraseOpenings(u"%", 0, true))),
        RuleRecord::regex(u"footnoteOrigin", u"([^ \\s])\\[([0-9]{1,})\\]",
                          engine::formatted(u"$1<sup class=\"footnote\" id=\"rev_fn-$2\"><a href=\"%@fn-$2%@\">$2</a></sup> ",
                                            {start, javaScriptEnd}))
            .with(FastPath::inBlock(u"[")),
        RuleRecord::regex(u"footnoteOriginWOLink", u"([^ \\s])\\[([0-9]{1,})\\!\\]",
                          u"$1<sup class=\"footnote\" id=\"rev_fn-$2\">$2</sup> ")
            .with(FastPath::inBlock(u"!]")),
        RuleRecord::regex(u"FootnoteDestinationWithLink", u"(?m)^fn([0-9]{1,})\\^\\.[ ]{1,}(.*?)\n\n",
                          engine::formatted(u"<p class=\"footnote\" id=\"fn-$1\"><sup><a href=\"%@rev_fn-$1%@\">$1</a></sup> $2</p>\n\n",
                                            {start, javaScriptEnd})),
        // The expansion goes into an attribute: no quote and no tag.
        RuleRecord::regex(u"acronym", u"([A-Z0-9]{3,})\\(([^\"<>\n]*?)\\)", u"<abbr title=\"$2\">$1</abbr>")
            .with(FastPath::inBlock(u"(", acronymOpenings())),
        // Possessive: "[^<]*" can only end before a "<", so giving back
        // characters never finds another "</".
        RuleRecord::regex(u"upperCase", u"(?<![>a-zA-Z])([A-Z]{3,})(?![^<]*+</)", u"<span class=\"caps\">$1</span>")
            .with(FastPath::walked(kCapitalRunsWalk)),
        RuleRecord::regex(u"dimensionSign", u"([0-9]{1,}[ ]{0,1})x([ ]{0,1}[0-9]{1,})", u"$1&#215;$2")
            .with(FastPath::inBlock(u"x")),
        RuleRecord::regex(u"singleDash", u"([ ]{1,})-([ ]{1,})", u"$1&#8211;$2").with(FastPath::inBlock(u" - ")),
        RuleRecord::regex(u"doubleDash", u"--", u"&#8212;").with(FastPath::inBlock(u"--")),
        // A parenthesised part that opens an element's content is its
        // attributes when the content goes on behind it. With an identifier
        // ("(#intro) Setup") or on a phrase ("*(bold) word*") a space may
        // stand between; a plain word that opens a block ("(Optional)
        // Setup") is the author's text, and so is "(note)" alone.
        RuleRecord::regex(u"attr_id", u">\\(#([^()<>\"\n]*)\\)[ ]?(?![\\s<])(.*?)</", u" id=\"$1\">$2</")
            .with(FastPath::inBlock(u">(#")),
        RuleRecord::regex(u"attr_id_and_class", u">\\(([^()<>#\"\n]*)#([^()<>\"\n]*)\\)[ ]?(?![\\s<])(.*?)</",
                          u" class=\"$1\" id=\"$2\">$3</")
            .with(FastPath::inBlock(u">(")),
        RuleRecord::regex(u"attr_class_phrase",
                          u"(?<=<(?:b|strong|i|em|ins|del|sup|sub|cite|span))>\\(([^()<>\"\n]*)\\)[ ]?(?![\\s<])(.*?)</",
                          u" class=\"$1\">$2</")
            .with(FastPath::inBlock(u">(")),
        RuleRecord::regex(u"attr_style_phrase",
                          u"(?<=<(?:b|strong|i|em|ins|del|sup|sub|cite|span))>\\{([^{}<>\"\n]*)\\}(?![\\s<])(.*?)</",
                          u" style=\"$1\">$2</")
            .with(FastPath::inBlock(u">{")),
        RuleRecord::regex(u"attr_class", u">\\(([^()<>\"\n]*)\\)(?![\\s<])(.*?)</", u" class=\"$1\">$2</")
            .with(FastPath::inBlock(u">(")),
    };
}

icu::UnicodeString TextileConverter::signatureAttributesPattern() {
    return uR"((?:[=<>\[\(\)\{][^\n]*?)?)";
}

icu::UnicodeString TextileConverter::extendedBlockEndPattern() {
    return u"(?=\\n\\n(?:h[1-6]|p|bq|bc|pre|notextile|fn[0-9]+\\^?|###)" + signatureAttributesPattern() +
           u"\\.\\.?[ :]|\\n*\\z)";
}
