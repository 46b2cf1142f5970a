#include "wikitext/WikitextConverter.h"

#include "engine/RangeEdits.h"
#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace {

// A link and the characters glued to it, as in [[word]]s. The glued part
// stops at white space and at every character that starts or ends other
// markup, so that a following link, reference, emphasis, table separator,
// definition colon or character reference ("&nbsp;") is never pulled into
// the link text. A link at the very end of the text is a link too. Inside, a
// link may hold whole links of its own (a file's caption does), external
// ones in single brackets too, but never an open "[[": so the search from
// one "[[" stops at the next, instead of running to the end of the line from
// each of them.
const char16_t* const kInternalLinkPattern =
    uR"(\[\[((?:[^\[\]\n]|\[(?!\[)[^\[\]\n]*\]|\[(?!\[)|\](?!\])|\[\[[^\[\]\n]*\]\])*?)\]\]([^\s\[\]<>{}'|!=:;&]*))";

const char16_t* const kEncyclopediaHost = u"wikipedia.org";
const char16_t* const kDictionaryHost = u"wiktionary.org";

const icu::UnicodeString kDictionaryPrefix(u"Wiktionary:");

icu::UnicodeString underscored(const icu::UnicodeString& text) {
    icu::UnicodeString out(text);
    engine::replaceAllLiteral(out, u" ", u"_");
    return out;
}

icu::UnicodeString from(const icu::UnicodeString& text, int32_t start) {
    return start >= text.length() ? icu::UnicodeString() : icu::UnicodeString(text, start);
}

}  // namespace

void WikitextConverter::performInternalLinks() {
    auto matches = matchesAtOpenings(kInternalLinkPattern);
    if (!matches || matches->empty())
        return;
    // Each link at its own place: identical links are all converted.
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches)
        edits.push_back({match.start(), match.end(), internalLinkHTML(match.text(), match.text(1), match.text(2))});
    engine::applyRangeEdits(str, std::move(edits));
}

// Only the namespace prefix decides the kind: [[Filesystem]] or [[Category
// theory]] are articles like any other.
icu::UnicodeString WikitextConverter::internalLinkHTML(const icu::UnicodeString& whole, const icu::UnicodeString& inner,
                                                   const icu::UnicodeString& suffix) const {
    if (inner.startsWith(kDictionaryPrefix))
        return dictionaryLinkHTML(inner) + suffix;
    if (inner.startsWith(u"Category:") || inner.startsWith(u":Category:"))
        return categoryHTML(whole, inner);
    for (const char16_t* prefix : {u"File:", u"Image:"}) {
        icu::UnicodeString filePrefix(prefix);
        if (inner.startsWith(filePrefix)) {
            icu::UnicodeString fileName = engine::split(from(inner, filePrefix.length()), u"|").front();
            return engine::formatted(u"<img src=\"%@\"%@", {fileName, HTML_close}) + suffix;
        }
    }
    return articleLinkHTML(inner, suffix);
}

icu::UnicodeString WikitextConverter::wikiLink(const icu::UnicodeString& host, const icu::UnicodeString& page,
                                           const icu::UnicodeString& title, const icu::UnicodeString& text) const {
    return engine::formatted(u"<a href=\"https://%@.%@/wiki/%@\" alt=\"%@\" title=\"%@\">%@</a>",
                             {setLangCode, host, page, title, title, text});
}

icu::UnicodeString WikitextConverter::articleLinkHTML(const icu::UnicodeString& inner,
                                                  const icu::UnicodeString& suffix) const {
    std::vector<icu::UnicodeString> pieces = engine::split(inner, u"|");
    icu::UnicodeString target = underscored(pieces[0]);
    const icu::UnicodeString& label = pieces.size() > 1 ? pieces[1] : pieces[0];
    if (inner.startsWith(u"#"))
        return engine::formatted(u"<a href=\"/%@\" alt=\"%@\" title=\"%@\">%@%@</a>",
                                 {target, label, label, label, suffix});
    return wikiLink(kEncyclopediaHost, target, label, label + suffix);
}

// [[Wiktionary:term]], [[Wiktionary:term|text]], or with a trailing "|" the
// term itself as text.
icu::UnicodeString WikitextConverter::dictionaryLinkHTML(const icu::UnicodeString& inner) const {
    const icu::UnicodeString afterPrefix = from(inner, kDictionaryPrefix.length());
    icu::UnicodeString term = underscored(engine::split(afterPrefix, u"|").front());
    std::vector<icu::UnicodeString> parts = engine::split(engine::split(inner, u":").back(), u"|");
    if (parts.size() == 1)
        return wikiLink(kDictionaryHost, term, parts[0], inner);
    if (!engine::trimmed(parts.back()).isEmpty())
        return wikiLink(kDictionaryHost, term, parts[0], parts[1]);
    icu::UnicodeString text(afterPrefix);
    text.truncate(text.length() > 0 ? text.length() - 1 : 0);
    return wikiLink(kDictionaryHost, term, parts[0], text);
}

// [[Category:Name]] shows as plain text; [[:Category:Name]] links to the
// category page.
icu::UnicodeString WikitextConverter::categoryHTML(const icu::UnicodeString& whole,
                                               const icu::UnicodeString& inner) const {
    std::vector<icu::UnicodeString> parts = engine::split(inner, u":");
    if (!engine::trimmed(parts[0]).isEmpty()) {
        // The line end after the link stays in the text by itself.
        icu::UnicodeString plain(whole);
        engine::replaceAllLiteral(plain, u"[", u" ");
        engine::replaceAllLiteral(plain, u"]", u" ");
        return plain;
    }
    parts.erase(parts.begin());
    icu::UnicodeString page = engine::join(parts, u":");
    std::vector<icu::UnicodeString> labelled = engine::split(page, u"|");
    if (labelled.size() == 1)
        return wikiLink(kEncyclopediaHost, underscored(page), page, page);
    return wikiLink(kEncyclopediaHost, underscored(labelled[0]), labelled[1], labelled[1]);
}
