#include "engine/LineByLineRules.h"

#include <algorithm>
#include <bitset>
#include <memory>

#include "engine/ConversionBudget.h"
#include "engine/Log.h"
#include "engine/PatternOpenings.h"
#include "engine/MatchSteps.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// One rule of the table, prepared for many short lines.
struct LineRule {
    const RuleRecord* rule = nullptr;
    std::vector<icu::UnicodeString> openings;  // never empty texts
    bool anywhere = false;                     // an opening was empty
    std::unique_ptr<icu::RegexMatcher> matcher;
    bool broken = false;                       // the pattern does not compile
    // Where it is tried, for a rule with a run after its opening (see
    // OpeningRun): a line full of unclosed tags costs one try.
    std::unique_ptr<Candidates> candidates;
    icu::UnicodeString endText;                // what every match ends with, if known
};

// Where the characters that begin openings stand in a line, and which pairs
// of ASCII characters start there: on a long line of one tag's character a
// rule whose opening's first pair is not among them is passed over at once,
// instead of being looked for at every position.
struct OpeningPlaces {
    std::vector<int32_t> positions;  // counted from the line's start
    std::bitset<128 * 128> pairs;
    std::vector<int32_t> pairsSet;   // what to clear for the next line

    // The places in [start, end) of the text.
    void mark(const icu::UnicodeString& text, int32_t start, int32_t end, const FirstCharacters& firstCharacters) {
        positions.clear();
        for (int32_t pair : pairsSet)
            pairs.reset(pair);
        pairsSet.clear();
        const char16_t* units = text.getBuffer();
        for (int32_t i = start; i < end; ++i) {
            if (!firstCharacters.contains(units[i]))
                continue;
            positions.push_back(i - start);
            const char16_t next = i + 1 < end ? units[i + 1] : u'\0';
            const int32_t pair = units[i] * 128 + next;
            if (units[i] < 128 && next < 128 && !pairs.test(pair)) {
                pairs.set(pair);
                pairsSet.push_back(pair);
            }
        }
    }

    // False when no opening can stand at the places: one of two ASCII
    // characters or more whose first pair starts nowhere.
    bool mayHold(const icu::UnicodeString& opening) const {
        return opening.length() < 2 || opening[0] >= 128 || opening[1] >= 128 || pairs.test(opening[0] * 128 + opening[1]);
    }
};

bool opensAt(const icu::UnicodeString& line, const OpeningPlaces& places, const LineRule& rule) {
    if (rule.anywhere)
        return true;
    if (std::none_of(rule.openings.begin(), rule.openings.end(),
                     [&](const icu::UnicodeString& opening) { return places.mayHold(opening); }))
        return false;
    const char16_t* units = line.getBuffer();
    const int32_t length = line.length();
    for (int32_t at : places.positions) {
        for (const icu::UnicodeString& opening : rule.openings) {
            const int32_t n = opening.length();
            if (at + n > length || units[at] != opening[0] || !places.mayHold(opening))
                continue;
            const char16_t* piece = opening.getBuffer();
            int32_t i = 1;
            while (i < n && units[at + i] == piece[i])
                ++i;
            if (i == n)
                return true;
        }
    }
    return false;
}

// One regex rule over one line; true when the line changed.
bool replaceInLine(icu::UnicodeString& line, LineRule& rule, int32_t timeLimit) {
    UErrorCode status = U_ZERO_ERROR;
    if (!rule.matcher) {
        icu::UnicodeString error;
        const icu::RegexPattern* compiled = compiledPattern(rule.rule->pattern, kNoOptions, &error);
        if (!compiled) {
            rule.broken = true;
            log(u"Error Markup/simpleTransform/performRegex : %@", {error});
            return false;
        }
        rule.matcher.reset(compiled->matcher(status));
        rule.matcher->setTimeLimit(timeLimit, status);
        stopMatcherWithConversion(*rule.matcher);
        // A region that ends early must not change what the pattern sees.
        rule.matcher->useTransparentBounds(true);
        rule.matcher->useAnchoringBounds(false);
    }
    icu::RegexMatcher& matcher = *rule.matcher;
    matcher.reset(line);
    // No match ends after the last place the pattern's end text stands:
    // searching only up to there keeps each try at an opening after it
    // from running on to the end of the line.
    int32_t end = line.length();
    if (!rule.candidates && !rule.endText.isEmpty()) {
        const int32_t last = line.lastIndexOf(rule.endText);
        if (last < 0)
            return false;
        end = last + rule.endText.length();
    }
    MatchSteps steps(matcher, line, rule.candidates.get(), 0, end);
    icu::UnicodeString out;
    const bool replaced = replaceSteps(steps, matcher, line, rule.rule->templateText, out, status);
    RegexResult result;
    if (searchFailed(status, rule.rule->pattern, result) || !replaced)
        return false;
    line = std::move(out);
    return true;
}

}  // namespace

bool applyRulesLineByLine(icu::UnicodeString& text, const RuleTable& rules) {
    std::vector<LineRule> prepared;
    FirstCharacters firstCharacters;
    bool everyLine = false;
    for (const RuleRecord& rule : rules) {
        if (rule.regexMultiLineReplace)
            return false;
        LineRule line{&rule, {}, false, nullptr, false, nullptr, {}};
        for (icu::UnicodeString& opening : rule.regexReplace ? literalOpenings(rule.pattern)
                                                             : std::vector<icu::UnicodeString>{rule.pattern}) {
            if (opening.isEmpty()) {
                line.anywhere = true;
                continue;
            }
            firstCharacters.add(opening[0]);
            line.openings.push_back(std::move(opening));
        }
        if (rule.regexReplace && !line.anywhere && OpeningRun::of(rule.pattern, false))
            line.candidates = atOpenings(rule.pattern, kNoOptions);
        if (rule.regexReplace)
            line.endText = endText(rule.pattern);
        everyLine = everyLine || line.anywhere;
        prepared.push_back(std::move(line));
    }

    // The time limit a search of the whole text would have.
    const int32_t timeLimit = 3000 + text.length() / 50;
    icu::UnicodeString out = emptyWithRoomFor(text);
    OpeningPlaces places;
    bool changed = false;
    for (int32_t start = 0; start <= text.length();) {
        stopIfOverBudget();
        int32_t end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.length();
        const int32_t next = end < text.length() ? end + 1 : end;
        places.mark(text, start, end, firstCharacters);
        if (!everyLine && places.positions.empty()) {
            out.append(text, start, next - start);
            start = end + 1;
            continue;
        }
        icu::UnicodeString line(text, start, end - start);
        for (LineRule& rule : prepared) {
            if (rule.broken || !opensAt(line, places, rule))
                continue;
            bool ruleChanged = false;
            if (rule.rule->regexReplace) {
                ruleChanged = replaceInLine(line, rule, timeLimit);
            } else {
                // It opens here, so it stands in the line and is replaced.
                replaceAllLiteral(line, rule.rule->pattern, rule.rule->templateText);
                ruleChanged = true;
            }
            if (ruleChanged) {
                places.mark(line, 0, line.length(), firstCharacters);
                changed = true;
            }
        }
        out.append(line).append(text, end, next - end);
        start = end + 1;
    }
    if (changed)
        text = std::move(out);
    return true;
}

}  // namespace engine
