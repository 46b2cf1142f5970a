#pragma once
// ATX headings ("## Title ##") found in one walk over the lines that start
// with "#", for all six levels at once.

#include <array>
#include <optional>
#include <unicode/unistr.h>

#include "markdown/MarkdownText.h"

namespace markdown {

// The heading rule of a level, "(?m)^[#]{n,n}[ ](.+?)[ ]*\#*$".
icu::UnicodeString atxHeadingPattern(int level);

// What a level's heading line becomes, around the heading's text; a level
// without one stays as written. Index 0 is unused.
using AtxHeadingTemplates = std::array<std::optional<AroundGroupOne>, 7>;

// A template that starts with "#" or holds a line end could make or break
// another level's heading line; such a template needs the level-by-level
// patterns.
bool isAtxHeadingTemplate(const AroundGroupOne& around);

// Replaces every line that a level's pattern matches, the same as replacing
// level after level with each pattern. That order cannot matter: a line
// starts with exactly one count of "#" before its blank, so one level at
// most matches it, and a replaced line starts with the template's text.
// Returns whether it replaced any.
bool replaceAtxHeadings(icu::UnicodeString& text, const AtxHeadingTemplates& templates);

}  // namespace markdown
