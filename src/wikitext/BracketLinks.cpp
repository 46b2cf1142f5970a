#include "wikitext/BracketLinks.h"

#include <vector>

#include "engine/ReplacementTemplate.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace wikitext {
namespace {

// The first "]" after `at`, or the line end (for the unnamed rule's ".", any
// of its line ends) or text end that comes first.
int32_t closingOrLineEnd(const char16_t* text, int32_t length, int32_t at, bool named) {
    while (at < length && text[at] != u']' && !(named ? text[at] == u'\n' : engine::endsLineForDot(text[at])))
        ++at;
    return at;
}

int32_t firstSpace(const char16_t* text, int32_t from, int32_t to) {
    while (from < to && text[from] != u' ')
        ++from;
    return from;
}

}  // namespace

bool isBracketLinkRule(const RuleRecord& rule) {
    return rule.fastPath.walk == kNamedBracketLinkWalk || rule.fastPath.walk == kBracketLinkWalk;
}

void applyBracketLinkRule(icu::UnicodeString& text, const RuleRecord& rule) {
    const bool named = rule.fastPath.walk == kNamedBracketLinkWalk;
    const char16_t* buffer = text.getBuffer();
    const int32_t length = text.length();
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (int32_t at = engine::findUnit(text, u'['); at >= 0; at = engine::findUnit(text, u'[', at + 1)) {
        // Every "[" before the closing looks for the same closing, so when
        // this one fails they all do and the search goes on after it.
        const int32_t close = closingOrLineEnd(buffer, length, at + 1, named);
        const int32_t space = named ? firstSpace(buffer, at + 1, close) : close;
        if (close >= length || buffer[close] != u']' || (named && space == close)) {
            at = close;
            continue;
        }
        std::vector<engine::TextRange> groups = {{at, close + 1}, {at + 1, named ? space : close}};
        if (named)
            groups.push_back({space + 1, close});
        if (copiedUpTo == 0)
            out = engine::emptyWithRoomFor(text);
        out.append(text, copiedUpTo, at - copiedUpTo);
        engine::appendEvaluatedTemplate(out, rule.templateText, groups, text);
        copiedUpTo = close + 1;
        at = close;
    }
    if (copiedUpTo == 0)
        return;
    out.append(text, copiedUpTo, length - copiedUpTo);
    text = std::move(out);
}

}  // namespace wikitext
