#pragma once
// Edits of a text at ranges found by one search over it: the texts a pass
// collected from its matches go back at their own places in one walk, so a
// pass that rewrites many blocks costs time in proportion to the text, and an
// identical text elsewhere (not a match) is never taken by mistake.

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

namespace engine {

struct RangeEdit {
    int32_t start = 0;   // code unit offsets into the text as it was searched
    int32_t end = 0;
    icu::UnicodeString replacement;
};

// Applies the edits in one walk. An edit whose range overlaps an edit listed
// before it, or lies outside the text, is dropped: the first one listed wins,
// as when the text of the later one would no longer be found.
void applyRangeEdits(icu::UnicodeString& text, std::vector<RangeEdit> edits);

}  // namespace engine
