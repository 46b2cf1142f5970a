#include "markdown/EmphasisSpans.h"

#include <algorithm>
#include <array>
#include <vector>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "engine/RangeEdits.h"

namespace markdown {
namespace {

bool isMarker(char16_t c) { return c == u'*' || c == u'_'; }

int markerIndex(char16_t marker) { return marker == u'*' ? 0 : 1; }

// An odd number of backslashes right before `at` escapes the character there.
bool escapedAt(const char16_t* text, int32_t at) {
    int32_t backslashes = 0;
    while (at - backslashes > 0 && text[at - backslashes - 1] == u'\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

// The code point before `at` and the one at `at`; -1 at the text's edges,
// which count as blanks.
UChar32 codePointBefore(const char16_t* text, int32_t at) {
    if (at <= 0)
        return -1;
    UChar32 c;
    U16_PREV(text, 0, at, c);
    return c;
}

UChar32 codePointAt(const char16_t* text, int32_t length, int32_t at) {
    if (at >= length)
        return -1;
    UChar32 c;
    U16_NEXT(text, at, length, c);
    return c;
}

bool isBlank(UChar32 c) { return c < 0 || u_isUWhiteSpace(c); }
bool isWordCharacter(UChar32 c) { return c >= 0 && u_isalnum(c); }

// A line end that an empty line follows ("\n\n", or "\n\r\n").
bool endsParagraph(const char16_t* text, int32_t length, int32_t at) {
    if (text[at] != u'\n' || at + 1 >= length)
        return false;
    return text[at + 1] == u'\n' || (text[at + 1] == u'\r' && at + 2 < length && text[at + 2] == u'\n');
}

struct Run {
    char16_t marker = 0;
    int32_t start = 0;
    int32_t length = 0;  // as written
    bool canOpen = false;
    bool canClose = false;
};

// A run still open: its unpaired markers are [start, start + remaining).
struct Opener {
    Run run;
    int32_t remaining = 0;
};

// A run that may open and close pairs with another run only when their
// lengths do not add up to a multiple of three (unless both are such), so
// "**a*b**" is strong around "a*b" rather than emphasis twice.
bool fits(const Run& opener, const Run& closer) {
    if (!(opener.canOpen && opener.canClose) && !(closer.canOpen && closer.canClose))
        return true;
    return (opener.length + closer.length) % 3 != 0 || (opener.length % 3 == 0 && closer.length % 3 == 0);
}

class EmphasisWalk {
public:
    EmphasisWalk(const icu::UnicodeString& text, const EmphasisRules& rules)
        : text_(text.getBuffer()), length_(text.length()), rules_(rules) {}

    std::vector<engine::RangeEdit> edits() {
        for (int32_t at = 0; at < length_;) {
            if (endsParagraph(text_, length_, at))
                truncateOpeners(0);
            if (!isMarker(text_[at]) || escapedAt(text_, at)) {
                ++at;
                continue;
            }
            const Run run = runAt(at);
            pair(run);
            at += run.length;
        }
        // Each closer's tags were listed at once, each opener's when it paired.
        std::sort(edits_.begin(), edits_.end(),
                  [](const engine::RangeEdit& a, const engine::RangeEdit& b) { return a.start < b.start; });
        return std::move(edits_);
    }

private:
    Run runAt(int32_t at) const {
        Run run{text_[at], at, 0, false, false};
        while (at + run.length < length_ && text_[at + run.length] == run.marker)
            ++run.length;
        const UChar32 before = codePointBefore(text_, at);
        const UChar32 after = codePointAt(text_, length_, at + run.length);
        run.canOpen = !isBlank(after);
        run.canClose = !isBlank(before);
        if (run.marker == u'_' && rules_.intrawordUnderscoreLiteral) {
            run.canOpen = run.canOpen && !isWordCharacter(before);
            run.canClose = run.canClose && !isWordCharacter(after);
        }
        return run;
    }

    // Pairs the run's markers with open runs of the same marker, innermost
    // first, then keeps what is left open if it can open.
    void pair(const Run& run) {
        int32_t remaining = run.length;
        int32_t closedUpTo = run.start;
        if (run.canClose) {
            while (remaining > 0 && openCount_[markerIndex(run.marker)] > 0) {
                const int32_t found = openerFor(run);
                if (found < 0)
                    break;
                truncateOpeners(found + 1);  // runs opened inside the span stay text
                Opener& opener = openers_.back();
                // Strong when both sides have two; three and three pair the
                // inner one first, so strong comes out around emphasis.
                const int32_t used =
                    opener.remaining >= 3 && remaining >= 3 ? 1 : (opener.remaining >= 2 && remaining >= 2 ? 2 : 1);
                opener.remaining -= used;
                addTags(opener.run.start + opener.remaining, closedUpTo, used);
                closedUpTo += used;
                remaining -= used;
                if (opener.remaining == 0)
                    truncateOpeners(found);
            }
        }
        if (remaining > 0 && run.canOpen) {
            Run open = run;
            open.start = closedUpTo;
            openers_.push_back({open, remaining});
            ++openCount_[markerIndex(run.marker)];
        }
    }

    // The nearest open run the closing run pairs with, or -1. Runs below the
    // point a closer of the same kind searched down to before are not tried
    // again, which keeps the walk linear.
    int32_t openerFor(const Run& closer) {
        int32_t& bottom = bottoms_[markerIndex(closer.marker)][closer.canOpen ? 1 : 0][closer.length % 3];
        for (int32_t at = static_cast<int32_t>(openers_.size()) - 1; at >= bottom; --at) {
            const Run& opener = openers_[at].run;
            if (opener.marker == closer.marker && fits(opener, closer))
                return at;
        }
        bottom = static_cast<int32_t>(openers_.size());
        return -1;
    }

    void truncateOpeners(int32_t size) {
        while (static_cast<int32_t>(openers_.size()) > size) {
            --openCount_[markerIndex(openers_.back().run.marker)];
            openers_.pop_back();
        }
        for (auto& byOpening : bottoms_)
            for (auto& byLength : byOpening)
                for (int32_t& bottom : byLength)
                    bottom = std::min(bottom, size);
    }

    void addTags(int32_t opening, int32_t closing, int32_t markers) {
        const bool strong = markers == 2;
        edits_.push_back({opening, opening + markers, strong ? u"<strong>" : u"<em>"});
        edits_.push_back({closing, closing + markers, strong ? u"</strong>" : u"</em>"});
    }

    const char16_t* text_;
    int32_t length_;
    EmphasisRules rules_;
    std::vector<Opener> openers_;
    std::array<int32_t, 2> openCount_{};
    // By marker, whether the closer can open too, and its length modulo 3.
    std::array<std::array<std::array<int32_t, 3>, 2>, 2> bottoms_{};
    std::vector<engine::RangeEdit> edits_;
};

}  // namespace

void replaceEmphasis(icu::UnicodeString& text, const EmphasisRules& rules) {
    if (text.indexOf(u'*') < 0 && text.indexOf(u'_') < 0)
        return;
    std::vector<engine::RangeEdit> edits = EmphasisWalk(text, rules).edits();
    engine::applyRangeEdits(text, std::move(edits));
}

}  // namespace markdown
