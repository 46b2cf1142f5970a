#include "engine/RangeEdits.h"

#include <map>

#include "engine/TextUtilities.h"

namespace engine {

namespace {

// True when each edit lies in the text and starts after the one before it
// ends: every edit is kept, in this order.
bool inTextOrderWithoutOverlaps(const icu::UnicodeString& text, const std::vector<RangeEdit>& edits) {
    int32_t previousStart = -1;
    int32_t previousEnd = 0;
    for (const RangeEdit& edit : edits) {
        if (edit.start < previousEnd || edit.start <= previousStart || edit.end < edit.start ||
            edit.end > text.length())
            return false;
        previousStart = edit.start;
        previousEnd = edit.end;
    }
    return true;
}

// Drops the edits that overlap an edit listed before them (or share its
// start), and those outside the text; the rest in text order.
std::vector<const RangeEdit*> keptEdits(const icu::UnicodeString& text, const std::vector<RangeEdit>& edits) {
    std::vector<const RangeEdit*> ordered;
    if (inTextOrderWithoutOverlaps(text, edits)) {
        for (const RangeEdit& edit : edits)
            ordered.push_back(&edit);
        return ordered;
    }
    std::map<int32_t, const RangeEdit*> kept;  // by start
    for (const RangeEdit& edit : edits) {
        if (edit.start < 0 || edit.end < edit.start || edit.end > text.length())
            continue;
        auto next = kept.lower_bound(edit.start);
        if (next != kept.end() && next->first < edit.end)
            continue;
        if (next != kept.end() && next->first == edit.start)
            continue;
        if (next != kept.begin() && std::prev(next)->second->end > edit.start)
            continue;
        kept.emplace(edit.start, &edit);
    }
    for (const auto& [start, edit] : kept)
        ordered.push_back(edit);
    return ordered;
}

}  // namespace

void applyRangeEdits(icu::UnicodeString& text, std::vector<RangeEdit> edits) {
    const std::vector<const RangeEdit*> kept = keptEdits(text, edits);
    if (kept.empty())
        return;
    int64_t length = text.length();
    for (const RangeEdit* edit : kept)
        length += edit->replacement.length() - (edit->end - edit->start);
    // One buffer of the final size: growing it piece by piece would copy a
    // large text several times over.
    icu::UnicodeString out = emptyWithRoomForLength(length);
    int32_t copiedUpTo = 0;
    for (const RangeEdit* edit : kept) {
        out.append(text, copiedUpTo, edit->start - copiedUpTo).append(edit->replacement);
        copiedUpTo = edit->end;
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace engine
