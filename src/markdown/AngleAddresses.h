#pragma once
// E-mail addresses written in angle brackets ("<me@example.com>"), found by
// one walk over the text's "<".

#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace markdown {

// Every "<…@….…>" whose inside holds no "<", ">" or line end, with an "@"
// before a ".", left to right and without overlaps: the ranges, "<" and ">"
// included.
std::vector<engine::TextRange> angleBracketedAddresses(const icu::UnicodeString& text);

}  // namespace markdown
