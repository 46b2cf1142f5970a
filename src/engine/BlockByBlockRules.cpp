#include "engine/BlockByBlockRules.h"

#include <memory>
#include <optional>

#include "engine/ConversionBudget.h"
#include "engine/TextSearch.h"
#include "engine/Log.h"
#include "engine/Regex.h"
#include "engine/MatchSteps.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

struct PreparedRule {
    const RuleRecord* rule = nullptr;
    std::unique_ptr<icu::RegexMatcher> matcher;  // null when the pattern does not compile
    std::unique_ptr<Candidates> candidates;      // null: ICU's own search
};

// One rule over one block; true when the block changed.
bool replaceInBlock(icu::UnicodeString& block, PreparedRule& prepared) {
    icu::RegexMatcher& matcher = *prepared.matcher;
    matcher.reset(block);
    MatchSteps steps(matcher, block, prepared.candidates.get());
    icu::UnicodeString out;
    UErrorCode status = U_ZERO_ERROR;
    const bool replaced = replaceSteps(steps, matcher, block, prepared.rule->templateText, out, status);
    RegexResult result;
    if (searchFailed(status, prepared.rule->pattern, result) || !replaced)
        return false;
    block = std::move(out);
    return true;
}

// Which ASCII characters a block may hold: a literal with an ASCII character
// the block lacks cannot stand in it, which rules most rules out at the cost
// of one look at each character of the block.
class CharacterSet {
public:
    explicit CharacterSet(const icu::UnicodeString& block) {
        // Marks first, folded into bits after: the walk over a large block
        // then stores without waiting on its last store.
        bool seen[128] = {};
        const char16_t* units = block.getBuffer();
        for (int32_t i = 0, length = block.length(); i < length; ++i)
            if (units[i] < 128)
                seen[units[i]] = true;
        for (int c = 0; c < 128; ++c)
            if (seen[c])
                present_[c >> 6] |= uint64_t{1} << (c & 63);
    }
    // After a rule rewrote the block, what its template may have written:
    // the rest of the replacement comes from the block itself, so the set
    // may only hold more than the block does, never less.
    void add(const icu::UnicodeString& text) {
        for (int32_t i = 0; i < text.length(); ++i)
            if (text[i] < 128)
                present_[text[i] >> 6] |= uint64_t{1} << (text[i] & 63);
    }
    bool mayHold(const icu::UnicodeString& literal) const {
        for (int32_t i = 0; i < literal.length(); ++i) {
            const char16_t c = literal[i];
            if (c < 128 && !(present_[c >> 6] & (uint64_t{1} << (c & 63))))
                return false;
        }
        return true;
    }

private:
    uint64_t present_[2] = {0, 0};
};

bool holds(const icu::UnicodeString& block, const CharacterSet& characters, const icu::UnicodeString& literal) {
    if (!characters.mayHold(literal))
        return false;
    // For one ASCII character the set has answered already.
    return (literal.length() == 1 && literal[0] < 128) || findLiteral(block, literal) >= 0;
}

}  // namespace

void applyRulesBlockByBlock(icu::UnicodeString& text, const std::vector<const RuleRecord*>& rules) {
    static const icu::UnicodeString blankLine(u"\n\n");
    const int32_t timeLimit = 3000 + text.length() / 50;
    std::vector<PreparedRule> prepared;
    for (const RuleRecord* rule : rules) {
        const NextOpening& openings = rule->fastPath.lineOpenings;
        PreparedRule entry{rule, nullptr, openings ? failingOncePerLine(openings) : nullptr};
        icu::UnicodeString error;
        if (const icu::RegexPattern* compiled = compiledPattern(rule->pattern, kNoOptions, &error)) {
            UErrorCode status = U_ZERO_ERROR;
            entry.matcher.reset(compiled->matcher(status));
            entry.matcher->setTimeLimit(timeLimit, status);
            stopMatcherWithConversion(*entry.matcher);
            // Tries at an opening see the whole block, as a find loop does.
            entry.matcher->useTransparentBounds(true);
            entry.matcher->useAnchoringBounds(false);
        } else {
            log(u"Error Markup/simpleTransform/performRegex : %@", {error});
        }
        prepared.push_back(std::move(entry));
    }

    // The text is copied from the first block that a rule changed on.
    icu::UnicodeString out;
    bool changed = false;
    // Blocks are cut between the two newlines of each blank line.
    for (int32_t start = 0; start < text.length();) {
        stopIfOverBudget();
        const int32_t cut = findLiteral(text, blankLine, start);
        const int32_t end = cut < 0 ? text.length() : cut + 1;
        const icu::UnicodeString view(false, text.getBuffer() + start, end - start);
        icu::UnicodeString block;
        bool copied = false;
        CharacterSet characters(view);
        for (PreparedRule& rule : prepared) {
            if (!rule.matcher || !holds(copied ? block : view, characters, rule.rule->fastPath.blockLiteral))
                continue;
            if (!copied) {
                block = icu::UnicodeString(text, start, end - start);
                copied = true;
            }
            if (replaceInBlock(block, rule)) {
                characters.add(rule.rule->templateText);
                if (!changed) {
                    out = emptyWithRoomFor(text);
                    out.append(text, 0, start);
                }
                changed = true;
            }
        }
        if (changed)
            out.append(copied ? block : view);
        start = end;
    }
    if (changed)
        text = std::move(out);
}

}  // namespace engine
