#pragma once
// Where an HTML tag written in the text ends, so that inline passes can leave
// what stands inside it (attribute values) alone.

#include <cstdint>

namespace markdown {

// The end of the opening or closing tag ("<span title=\"`x`\">", "</b>") that
// starts at the "<" at `at`, or -1. A name must follow "<" (or "</") and end
// at a blank, "/" or ">"; quotes after "=" hold a value that may contain
// ">". A tag never holds another "<" or an empty line, so looking for its
// end never reads past the next "<": asking at every "<" stays linear.
int32_t htmlTagEnd(const char16_t* text, int32_t length, int32_t at);

}  // namespace markdown
