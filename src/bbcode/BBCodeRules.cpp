#include "bbcode/BBCodeConverter.h"

#include "engine/LineByLineRules.h"
#include "engine/TextUtilities.h"

namespace {

const char16_t* const kThreadPrefix = u"showthread.php?t=";
const char16_t* const kPostPrefix = u"showthread.php?p=";

const char16_t* const kThreeColumns =
    u"<div style=\"-moz-column-count: 3;-moz-column-gap: 1em;-moz-column-rule: 1px solid black;"
    u"-webkit-column-count: 3;-webkit-column-gap: 1em;-webkit-column-rule: 1px solid black;"
    u"column-count: 3;column-gap: 1em;column-rule: 1px solid black;text-align: justify;\">";

RuleRecord regex(const char16_t* name, const icu::UnicodeString& pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

RuleRecord literal(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::literal(name, pattern, templateText);
}

// "[TAG]…[/TAG]" on one line to the element `element`.
RuleRecord pair(const char16_t* tag, const char16_t* element) {
    return regex(tag, engine::formatted(uR"(\[%@\](.*?)\[\/%@\])", {tag, tag}),
                 engine::formatted(u"<%@>$1</%@>", {element, element}));
}

}  // namespace

// Tag names reach the table in lower case (TagNames.cpp); code blocks and
// lists span lines and are read whole before it (CodeBlocks.cpp, Lists.cpp).
RuleTable BBCodeConverter::regexBBCode() const {
    using engine::formatted;
    const icu::UnicodeString& close = HTML_close;
    return {
        regex(u"bold", uR"(\[[Bb]\](.*?)\[\/[Bb]\])", u"<strong>$1</strong>"),
        regex(u"inverse", uR"(\[i\](.*?)\[\/i\])", u"<em>$1</em>"),
        regex(u"underline", uR"(\[u\](.*?)\[\/u\])", u"<ins>$1</ins>"),
        regex(u"deleted", uR"(\[s\](.*?)\[\/s\])", u"<del>$1</del>"),
        // A pair closes with its own name: "[h2]…[/h3]" stays as typed. One
        // rule for each name rather than a back reference, so that a line of
        // unclosed openings is given up at once.
        pair(u"h1", u"h1"), pair(u"h2", u"h2"), pair(u"h3", u"h3"),
        pair(u"h4", u"h4"), pair(u"h5", u"h5"), pair(u"h6", u"h6"),
        pair(u"sup", u"sup"), pair(u"sub", u"sub"),
        pair(u"tt", u"code"), pair(u"icode", u"code"),
        regex(u"directTagsOpen", uR"(\[(table|tr|td|th|ol|ul|li)\])", u"<$1>"),
        regex(u"directTagsClose", uR"(\[\/(table|tr|td|th|ol|ul|li)\])", u"</$1>"),
        regex(u"urlSimple", uR"(\[url\](.*?)\[\/url\])", u"<a href=\"$1\">$1</a>"),
        regex(u"urlComplex", uR"(\[url\=(.*?)\](.*?)\[\/url\])", u"<a href=\"$1\">$2</a>"),
        regex(u"mailSimple", uR"(\[(mail|email)\](.*?)\[\/(mail|email)\])", u"<a href=\"mailto:$2\">$2</a>"),
        regex(u"mailComplex", uR"(\[(mail|email)\=(.*?)\](.*?)\[\/(mail|email)\])", u"<a href=\"mailto:$2\">$3</a>"),
        regex(u"threadSimple", uR"(\[thread\](.*?)\[\/thread\])", formatted(u"<a href=\"%@$1\">$1</a>", {kThreadPrefix})),
        regex(u"threadComplex", uR"(\[thread\=(.*?)\](.*?)\[\/thread\])", formatted(u"<a href=\"%@$1\">$2</a>", {kThreadPrefix})),
        regex(u"postSimple", uR"(\[post\](.*?)\[\/post\])", formatted(u"<a href=\"%@$1\">$1</a>", {kPostPrefix})),
        regex(u"postComplex", uR"(\[post\=(.*?)\](.*?)\[\/post\])", formatted(u"<a href=\"%@$1\">$2</a >", {kPostPrefix})),
        regex(u"alignComplex", uR"(\[align\=(.*?)\])", u"<div style=\"text-align: $1;\">"),
        regex(u"alignDirectOpen", uR"(\[(center|left|right|justify)\])", u"<div style=\"text-align: $1;\">"),
        regex(u"divClose", uR"(\[\/(center|left|right|justify|align)\])", u"</div>"),
        regex(u"fontOpen", uR"(\[font\=(.*?)\])", u"<span style=\"font-family: $1;\">"),
        regex(u"sizeOpen", uR"(\[size\=(.*?)\])", u"<span style=\"font-size: $1;\">"),
        regex(u"colorOpen", uR"(\[color\=(.*?)\])", u"<span style=\"color: $1;\">"),
        regex(u"stylefontOpen", uR"(\[style font\=(.*?)\])", u"<span style=\"font-family: $1;\">"),
        regex(u"stylesizeOpen", uR"(\[style size\=(.*?)\])", u"<span style=\"font-size: $1;\">"),
        regex(u"stylecolorOpen", uR"(\[style color\=(.*?)\])", u"<span style=\"color: $1;\">"),
        regex(u"divClose", uR"(\[\/(font|color|size|style)\])", u"</span>"),
        regex(u"imageSized1", uR"(\[img width\=([0-9]{1,}) height\=([0-9]{1,})\](.*?)\[\/img\])",
              formatted(u"<img width=\"$1\" height=\"$2\" src=\"$3\"%@", {close})),
        regex(u"imageSized2", uR"(\[img\=([0-9]{1,})x([0-9]{1,})\](.*?)\[\/img\])",
              formatted(u"<img width=\"$1\" height=\"$2\" src=\"$3\"%@", {close})),
        regex(u"imageSimple", uR"(\[img\](.*?)\[\/img\])", formatted(u" <img src=\"$1\"%@", {close})),
        literal(u"startQuote", u"[quote]", u"<blockquote>"),
        // The name and the post number come from inside the tag's own
        // brackets; lazy groups that may cross "]" would swallow the text
        // after the tag whenever a later ";" stands on the line.
        regex(u"startQuoteTitleAndPostLink", uR"(\[quote\=([^\]\n]*?);([^\]\n]*?)\])",
              formatted(u"<blockquote><strong>$1</strong> <a href=\"%@$2\">&gt;</a><br%@<br%@", {kPostPrefix, close, close})),
        regex(u"startQuoteTitle", uR"(\[quote\=(.*?)\])", formatted(u"<blockquote><strong>$1</strong><br%@<br%@", {close, close})),
        literal(u"endQuote", u"[/quote]", u"</blockquote>"),
        literal(u"rule", u"[hr]", u"<hr" + close),
        literal(u"startComment", u"[highlight]", u"<strong><span style=\"color:red\">"),
        literal(u"endComment", u"[/highlight]", u"</span></strong>"),
        literal(u"startHighlight", u"[comment]", u"<!--"),
        literal(u"endHighlight", u"[/comment]", u"-->"),
        literal(u"startColumn", u"[column]", kThreeColumns),
        literal(u"endColumn", u"[/column]", u"</div>"),
    };
}

// Every rule of the table stays within its line, so the table runs line by
// line, each rule only where its tag opens.
void BBCodeConverter::applyTagRules() {
    if (!engine::applyRulesLineByLine(str, regexes))
        simpleTransform();
}
