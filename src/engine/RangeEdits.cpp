#include "engine/RangeEdits.h"

#include <algorithm>
#include <climits>
#include <map>

namespace engine {

void applyRangeEdits(icu::UnicodeString& text, std::vector<RangeEdit> edits) {
    // Keep, in list order, only edits that do not overlap one already kept.
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
    if (kept.empty())
        return;
    int64_t length = text.length();
    for (const auto& [start, edit] : kept)
        length += edit->replacement.length() - (edit->end - start);
    // One buffer of the final size: growing it piece by piece would copy a
    // large text several times over.
    icu::UnicodeString out(static_cast<int32_t>(std::min<int64_t>(length, INT32_MAX - 1)), 0, 0);
    int32_t copiedUpTo = 0;
    for (const auto& [start, edit] : kept) {
        out.append(text, copiedUpTo, start - copiedUpTo).append(edit->replacement);
        copiedUpTo = edit->end;
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace engine
