#include "engine/OpeningAnchoredSearch.h"

#include <cstdint>

#include "engine/ConversionBudget.h"
#include "engine/LiteralSearch.h"
#include "engine/PatternOpenings.h"
#include "engine/ReplacementTemplate.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// Where the openings of a pattern stand in a text, one after another. A
// finder serves one search: its answers go forward through one text.
class OpeningFinder {
public:
    OpeningFinder(std::vector<icu::UnicodeString> openings, bool atLineStarts)
        : openings_(std::move(openings)), atLineStarts_(atLineStarts), commonStart_(openings_.front()) {
        for (const icu::UnicodeString& opening : openings_) {
            firstCharacters_.add(opening[0]);
            int32_t shared = 0;
            while (shared < commonStart_.length() && shared < opening.length() && commonStart_[shared] == opening[shared])
                ++shared;
            commonStart_.truncate(shared);
        }
    }

    // The first position at or after `from` where an opening begins (at a
    // line start, for a pattern that begins with "(?m)^"); -1 when none.
    int32_t next(const icu::UnicodeString& text, int32_t from) const {
        if (atLineStarts_)
            return commonStart_.length() >= 2 ? openingAtLineStartByLiteral(text, from) : openingAtLineStartFrom(text, from);
        return openingFrom(text, from);
    }

private:
    // Line starts are fewer than the places of a short opening ("p"), so
    // they are walked instead.
    int32_t openingAtLineStartFrom(const icu::UnicodeString& text, int32_t from) const {
        const char16_t* units = text.getBuffer();
        const int32_t length = text.length();
        for (int32_t at = from; at <= length; ++at) {
            if (at > 0 && !endsLineForDot(units[at - 1])) {
                while (at < length && !endsLineForDot(units[at]))
                    ++at;
                continue;  // `at` is a line end; the loop steps behind it
            }
            for (const icu::UnicodeString& opening : openings_)
                if (text.compare(at, opening.length(), opening) == 0)
                    return at;
        }
        return -1;
    }

    // Openings that share a start of two units or more ("\nh1.", or "h1("
    // and "h1{") stand far more rarely than lines start, and the byte
    // search skips to that start; the place found is kept until the search
    // has passed it.
    int32_t openingAtLineStartByLiteral(const icu::UnicodeString& text, int32_t from) const {
        if (from >= found_.from && (found_.at < 0 || found_.at >= from))
            return found_.at;
        found_.from = from;
        for (found_.at = findLiteral(text, commonStart_, from); found_.at >= 0;
             found_.at = findLiteral(text, commonStart_, found_.at + 1)) {
            if (found_.at > 0 && !endsLineForDot(text[found_.at - 1]))
                continue;
            for (const icu::UnicodeString& opening : openings_)
                if (text.compare(found_.at, opening.length(), opening) == 0)
                    return found_.at;
        }
        return -1;
    }

    int32_t openingFrom(const icu::UnicodeString& text, int32_t from) const {
        if (from > text.length())
            return -1;
        if (openings_.size() == 1)
            return findLiteral(text, openings_.front(), from);
        const char16_t* units = text.getBuffer();
        const int32_t length = text.length();
        for (int32_t i = from; i < length; ++i) {
            if (!firstCharacters_.contains(units[i]))
                continue;
            for (const icu::UnicodeString& opening : openings_)
                if (text.compare(i, opening.length(), opening) == 0)
                    return i;
        }
        return -1;
    }

    // The first opening at a line start at or after `from`.
    struct Found {
        int32_t from = INT32_MAX;
        int32_t at = -1;
    };

    std::vector<icu::UnicodeString> openings_;
    bool atLineStarts_ = false;
    icu::UnicodeString commonStart_;  // what every opening begins with
    FirstCharacters firstCharacters_;
    mutable Found found_;
};

// Every opening is a real text, and the options compare it as written.
std::optional<OpeningFinder> finderFor(const icu::UnicodeString& pattern, uint32_t options) {
    if (options & kCaseInsensitive)
        return std::nullopt;
    std::vector<icu::UnicodeString> openings = literalOpenings(pattern);
    for (const icu::UnicodeString& opening : openings)
        if (opening.isEmpty())
            return std::nullopt;
    return OpeningFinder(std::move(openings), pattern.startsWith(u"(?m)^"));
}

// Calls `found` with the matcher on each match in text order; false when the
// pattern does not compile or a search failed (`result` says which).
template <typename Found>
bool eachMatch(const icu::UnicodeString& text, const icu::UnicodeString& pattern, uint32_t options,
               const OpeningFinder& finder, RegexResult& result, Found found) {
    const icu::RegexPattern* compiled = compiledPattern(pattern, options, &result.error);
    if (!compiled) {
        result.status = RegexStatus::invalidPattern;
        return false;
    }
    auto matcher = timedMatcher(*compiled, text);
    UErrorCode status = U_ZERO_ERROR;
    const std::optional<OpeningRun> run = OpeningRun::of(pattern, options & kDotMatchesLineSeparators);
    const int32_t lastTry = run ? run->lastTryIn(text, 0, text.length()) : text.length();
    for (int32_t at = finder.next(text, 0); at >= 0 && at <= lastTry;) {
        stopIfOverBudget();
        if (matcher->lookingAt(at, status)) {
            found(*matcher);
            const int32_t end = matcher->end(status);
            at = finder.next(text, end > at ? end : at + 1);
        } else if (U_SUCCESS(status)) {
            at = finder.next(text, run ? run->nextTryAfterFailure(text, at, text.length()) : at + 1);
        }
        if (U_FAILURE(status))
            break;
    }
    return !searchFailed(status, pattern, result);
}

}  // namespace

std::optional<std::vector<Match>> findAllAtOpenings(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                                    uint32_t options, RegexResult* result) {
    std::optional<OpeningFinder> finder = finderFor(pattern, options);
    if (!finder)
        return findAll(text, pattern, options, result);
    RegexResult local;
    RegexResult& outcome = result ? *result : local;
    outcome = {};
    std::vector<Match> matches;
    if (!eachMatch(text, pattern, options, *finder, outcome,
                   [&](const icu::RegexMatcher& matcher) { matches.push_back(matchFrom(matcher, text)); }))
        return std::nullopt;
    return matches;
}

RegexResult replaceAllAtOpenings(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                 const icu::UnicodeString& replacementTemplate, uint32_t options) {
    std::optional<OpeningFinder> finder = finderFor(pattern, options);
    if (!finder)
        return replaceAll(text, pattern, replacementTemplate, options);
    RegexResult result;
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool replacedAny = false;
    const bool searched = eachMatch(text, pattern, options, *finder, result, [&](const icu::RegexMatcher& matcher) {
        UErrorCode status = U_ZERO_ERROR;
        if (!replacedAny)
            out = emptyWithRoomFor(text);
        out.append(text, copiedUpTo, matcher.start(status) - copiedUpTo);
        appendEvaluatedTemplate(out, replacementTemplate, matcher, text);
        copiedUpTo = matcher.end(status);
        replacedAny = true;
    });
    if (searched && replacedAny) {
        out.append(text, copiedUpTo, text.length() - copiedUpTo);
        text = std::move(out);
    }
    return result;
}

}  // namespace engine
