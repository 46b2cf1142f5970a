#include "tessel/MarkerWords.h"

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace tessel {
namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

}  // namespace

bool isMarkerWordRule(const RuleRecord& rule) {
    if (rule.regexReplace || rule.regexMultiLineReplace)
        return false;
    const icu::UnicodeString& marker = rule.pattern;
    const int32_t length = marker.length();
    if (length < 3 || marker.charAt(0) != u'+' || marker.charAt(length - 1) != u'+')
        return false;
    for (int32_t at = 1; at + 1 < length; ++at)
        if (!isAsciiLetter(marker.charAt(at)))
            return false;
    const icu::UnicodeString& replacement = rule.templateText;
    bool holdsNonLetter = false;
    for (int32_t at = 0; at < replacement.length(); ++at) {
        if (replacement.charAt(at) == u'+')
            return false;
        holdsNonLetter = holdsNonLetter || !isAsciiLetter(replacement.charAt(at));
    }
    return holdsNonLetter;
}

// Each marker found is the word between two plus signs that follow each
// other in the text. A replacement takes both away and brings no plus sign
// and a non-letter, so the text between the plus signs left never becomes a
// marker: the markers found by each rule in turn are the pairs of
// neighbouring plus signs that hold its word and that no earlier rule, and
// no pair to the left for the same rule, has taken a plus sign of.
void replaceMarkerWords(icu::UnicodeString& text, const std::vector<const RuleRecord*>& rules) {
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    std::vector<int32_t> plusSigns;
    for (int32_t at = engine::findUnit(text, u'+'); at >= 0; at = engine::findUnit(text, u'+', at + 1))
        plusSigns.push_back(at);
    if (plusSigns.size() < 2)
        return;

    // The rule whose marker each neighbouring pair holds, or none (-1).
    std::vector<int> ruleOfPair(plusSigns.size() - 1, -1);
    bool anyMarker = false;
    for (size_t pair = 0; pair + 1 < plusSigns.size(); ++pair) {
        const int32_t start = plusSigns[pair];
        const int32_t markerLength = plusSigns[pair + 1] - start + 1;
        for (size_t rule = 0; rule < rules.size() && ruleOfPair[pair] < 0; ++rule)
            if (rules[rule]->pattern.length() == markerLength &&
                rules[rule]->pattern.compare(0, markerLength, chars + start, 0, markerLength) == 0) {
                ruleOfPair[pair] = static_cast<int>(rule);
                anyMarker = true;
            }
    }
    if (!anyMarker)
        return;

    std::vector<bool> taken(plusSigns.size(), false);
    std::vector<int> replacedBy(plusSigns.size() - 1, -1);
    for (size_t rule = 0; rule < rules.size(); ++rule)
        for (size_t pair = 0; pair + 1 < plusSigns.size(); ++pair)
            if (ruleOfPair[pair] == static_cast<int>(rule) && !taken[pair] && !taken[pair + 1]) {
                taken[pair] = taken[pair + 1] = true;
                replacedBy[pair] = static_cast<int>(rule);
            }

    icu::UnicodeString out = engine::emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    for (size_t pair = 0; pair + 1 < plusSigns.size(); ++pair) {
        if (replacedBy[pair] < 0)
            continue;
        out.append(text, copiedUpTo, plusSigns[pair] - copiedUpTo).append(rules[replacedBy[pair]]->templateText);
        copiedUpTo = plusSigns[pair + 1] + 1;
    }
    text = out.append(text, copiedUpTo, length - copiedUpTo);
}

}  // namespace tessel
