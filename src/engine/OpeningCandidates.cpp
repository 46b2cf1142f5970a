// The candidates of a pattern's literal openings (atOpenings).
#include <climits>

#include "engine/Candidates.h"
#include "engine/TextSearch.h"
#include "engine/PatternOpenings.h"
#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// Where the openings of a pattern stand in a text, one after another; after
// a failed try, past the later openings that the pattern's run rules out.
class OpeningCandidates : public Candidates {
public:
    OpeningCandidates(std::vector<icu::UnicodeString> openings, bool atLineStarts, std::optional<OpeningRun> run)
        : openings_(std::move(openings)), atLineStarts_(atLineStarts), run_(std::move(run)),
          commonStart_(openings_.front()) {
        for (const icu::UnicodeString& opening : openings_) {
            firstCharacters_.add(opening[0]);
            int32_t shared = 0;
            while (shared < commonStart_.length() && shared < opening.length() && commonStart_[shared] == opening[shared])
                ++shared;
            commonStart_.truncate(shared);
        }
    }

    int32_t begin(const icu::UnicodeString& text, int32_t start, int32_t end) override {
        text_ = &text;
        end_ = end;
        found_ = {};
        lastTry_ = run_ ? run_->lastTryIn(text, start, end) : end;
        return end;
    }

    int32_t next(int32_t from) override {
        const int32_t at = end_ < text_->length() ? firstOpeningIn(*text_, from, end_, openings_) : nextInText(from);
        return at > lastTry_ ? -1 : at;
    }

    int32_t afterFailure(int32_t start) override {
        return run_ ? run_->nextTryAfterFailure(*text_, start, end_) : start + 1;
    }

private:
    // The first position at or after `from` where an opening begins (at a
    // line start, for a pattern that begins with "(?m)^"); -1 when none.
    int32_t nextInText(int32_t from) const {
        if (atLineStarts_)
            return commonStart_.length() >= 2 ? openingAtLineStartByLiteral(from) : openingAtLineStartFrom(from);
        return openingFrom(from);
    }

    // Line starts are fewer than the places of a short opening ("p"), so
    // they are walked instead.
    int32_t openingAtLineStartFrom(int32_t from) const {
        const icu::UnicodeString& text = *text_;
        const char16_t* units = text.getBuffer();
        const int32_t length = text.length();
        for (int32_t at = from; at <= length; ++at) {
            if (at > 0 && !endsLineForDot(units[at - 1])) {
                while (at < length && !endsLineForDot(units[at]))
                    ++at;
                continue;  // `at` is a line end; the loop steps behind it
            }
            if (opensAt(at))
                return at;
        }
        return -1;
    }

    // Openings that share a start of two units or more ("\nh1.", or "h1("
    // and "h1{") stand far more rarely than lines start, and the byte
    // search skips to that start; the place found is kept until the search
    // has passed it.
    int32_t openingAtLineStartByLiteral(int32_t from) const {
        const icu::UnicodeString& text = *text_;
        if (from >= found_.from && (found_.at < 0 || found_.at >= from))
            return found_.at;
        found_.from = from;
        for (found_.at = findLiteral(text, commonStart_, from); found_.at >= 0;
             found_.at = findLiteral(text, commonStart_, found_.at + 1)) {
            if ((found_.at == 0 || endsLineForDot(text[found_.at - 1])) && opensAt(found_.at))
                return found_.at;
        }
        return -1;
    }

    int32_t openingFrom(int32_t from) const {
        const icu::UnicodeString& text = *text_;
        if (from > text.length())
            return -1;
        if (openings_.size() == 1)
            return findLiteral(text, openings_.front(), from);
        const char16_t* units = text.getBuffer();
        for (int32_t i = from, length = text.length(); i < length; ++i)
            if (firstCharacters_.contains(units[i]) && opensAt(i))
                return i;
        return -1;
    }

    bool opensAt(int32_t at) const {
        for (const icu::UnicodeString& opening : openings_)
            if (text_->compare(at, opening.length(), opening) == 0)
                return true;
        return false;
    }

    // The first opening at a line start at or after `from`.
    struct Found {
        int32_t from = INT32_MAX;
        int32_t at = -1;
    };

    std::vector<icu::UnicodeString> openings_;
    bool atLineStarts_ = false;
    std::optional<OpeningRun> run_;
    icu::UnicodeString commonStart_;  // what every opening begins with
    FirstCharacters firstCharacters_;
    const icu::UnicodeString* text_ = nullptr;
    int32_t end_ = 0;
    int32_t lastTry_ = 0;
    mutable Found found_;
};

}  // namespace

// Every opening is a real text, and the options compare it as written.
std::unique_ptr<Candidates> atOpenings(const icu::UnicodeString& pattern, uint32_t options) {
    if (options & kCaseInsensitive)
        return nullptr;
    std::vector<icu::UnicodeString> openings = literalOpenings(pattern);
    for (const icu::UnicodeString& opening : openings)
        if (opening.isEmpty())
            return nullptr;
    return std::make_unique<OpeningCandidates>(std::move(openings), pattern.startsWith(u"(?m)^"),
                                               OpeningRun::of(pattern, options & kDotMatchesLineSeparators));
}

}  // namespace engine
