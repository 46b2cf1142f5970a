#include "engine/Candidates.h"

#include <algorithm>

#include "engine/TextSearch.h"
#include "engine/PatternOpenings.h"
#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// The starts of a plan, in order.
class PlannedCandidates : public Candidates {
public:
    PlannedCandidates(SearchPlan plan, const icu::UnicodeString& pattern, uint32_t options)
        : plan_(std::move(plan)),
          run_(options & kCaseInsensitive ? std::nullopt : OpeningRun::of(pattern, options & kDotMatchesLineSeparators)) {
        if (run_)
            openings_ = literalOpenings(pattern);
    }

    int32_t begin(const icu::UnicodeString& text, int32_t start, int32_t end) override {
        text_ = &text;
        next_ = plan_.starts.cbegin();
        end_ = plan_.limit < 0 || plan_.limit > end ? end : plan_.limit;
        lastTry_ = run_ ? run_->lastTryIn(text, start, end_) : end_;
        return end_;
    }

    int32_t next(int32_t from) override {
        next_ = std::lower_bound(next_, plan_.starts.cend(), from);
        return next_ == plan_.starts.cend() || *next_ > lastTry_ ? -1 : *next_;
    }

    // A failed try where the pattern's opening stands rules out the later
    // openings within its run (see OpeningRun).
    int32_t afterFailure(int32_t start) override {
        const bool atOpening = std::any_of(openings_.begin(), openings_.end(), [&](const icu::UnicodeString& opening) {
            return text_->compare(start, opening.length(), opening) == 0;
        });
        return run_ && atOpening ? run_->nextTryAfterFailure(*text_, start, end_) : start + 1;
    }

private:
    SearchPlan plan_;
    std::optional<OpeningRun> run_;
    std::vector<icu::UnicodeString> openings_;
    const icu::UnicodeString* text_ = nullptr;
    std::vector<int32_t>::const_iterator next_;
    int32_t end_ = 0;
    int32_t lastTry_ = 0;
};

// The openings a NextOpening finds.
class LineOpeningCandidates : public Candidates {
public:
    explicit LineOpeningCandidates(NextOpening next) : next_(std::move(next)) {}

    int32_t begin(const icu::UnicodeString& text, int32_t, int32_t end) override {
        text_ = &text;
        return end;
    }

    int32_t next(int32_t from) override {
        last_ = next_(*text_, from);
        return last_.start;
    }

    // An opening may stand on the line end itself (a newline before a
    // phrase), its run on the next line.
    int32_t afterFailure(int32_t start) override {
        if (last_.run < 0)
            return start + 1;
        bool (*endsStretch)(char16_t) = last_.endsStretch ? last_.endsStretch : endsLineForDot;
        int32_t at = last_.run;
        while (at < text_->length() && !endsStretch(text_->charAt(at)))
            ++at;
        return at;
    }

private:
    NextOpening next_;
    const icu::UnicodeString* text_ = nullptr;
    LineOpening last_;
};

}  // namespace

std::unique_ptr<Candidates> atPlannedStarts(SearchPlan plan, const icu::UnicodeString& pattern, uint32_t options) {
    return std::make_unique<PlannedCandidates>(std::move(plan), pattern, options);
}

std::unique_ptr<Candidates> failingOncePerLine(NextOpening next) {
    return std::make_unique<LineOpeningCandidates>(std::move(next));
}

std::vector<int32_t> occurrencesOf(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    std::vector<int32_t> starts;
    if (literal.isEmpty())
        return starts;
    for (int32_t at = findLiteral(text, literal); at >= 0; at = findLiteral(text, literal, at + 1))
        starts.push_back(at);
    return starts;
}

int32_t lineStartAt(const icu::UnicodeString& text, int32_t position) {
    int32_t at = position < text.length() ? position : text.length();
    while (at > 0 && !endsLineForDot(text.charAt(at - 1)))
        --at;
    return at;
}

int32_t endOfLastOccurrence(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    const int32_t at = text.lastIndexOf(literal);
    return at < 0 ? -1 : at + literal.length();
}

SearchPlan pairedLiteralPlan(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    return {occurrencesOf(text, literal), endOfLastOccurrence(text, literal)};
}

SearchPlan linesEndingBefore(const icu::UnicodeString& text, const icu::UnicodeString& lineEndThenMark) {
    SearchPlan plan;
    for (int32_t at : occurrencesOf(text, lineEndThenMark))
        plan.starts.push_back(lineStartAt(text, at));
    return plan;
}

SearchPlan linesStartingWith(const icu::UnicodeString& text, const icu::UnicodeString& literal,
                             int32_t leadingSpaces) {
    SearchPlan plan;
    for (int32_t at : occurrencesOf(text, literal)) {
        int32_t lineStart = at;
        while (lineStart > 0 && at - lineStart < leadingSpaces && text.charAt(lineStart - 1) == u' ')
            --lineStart;
        // A find loop never starts a line between the "\r" and "\n" of a
        // line end, though "^" holds there.
        const bool lineStarts = lineStart == 0 || (endsLineForDot(text.charAt(lineStart - 1)) &&
                                                   !(text.charAt(lineStart - 1) == u'\r' && text.charAt(lineStart) == u'\n'));
        if (lineStarts)
            plan.starts.push_back(lineStart);
    }
    return plan;
}

SearchPlan linesStartingWithAny(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& literals) {
    SearchPlan plan;
    for (const icu::UnicodeString& literal : literals) {
        const std::vector<int32_t> starts = linesStartingWith(text, literal).starts;
        plan.starts.insert(plan.starts.end(), starts.begin(), starts.end());
    }
    std::sort(plan.starts.begin(), plan.starts.end());
    plan.starts.erase(std::unique(plan.starts.begin(), plan.starts.end()), plan.starts.end());
    return plan;
}

}  // namespace engine
