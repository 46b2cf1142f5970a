#pragma once
// Underlined headings and lines of marks (horizontal rules), found by walks
// over the lines where they can stand instead of by their patterns.

#include <unicode/unistr.h>

#include "markdown/MarkdownText.h"

namespace markdown {

// "(?m)^(.+?)[ ]*\n(M+)[ ]*\n+" for the mark M: a line of text with a line
// of marks under it.
icu::UnicodeString underlinedHeadingPattern(char16_t mark);
// Replaces every match of that pattern by the text around group 1 (the
// line's text without its trailing spaces). Returns whether it replaced any.
bool replaceUnderlinedHeadings(icu::UnicodeString& text, char16_t mark, const AroundGroupOne& around);

// "(?m)^[ ]{0,3}([M]{1,})[ \tM]{0,}$" for the mark M: a line of marks and
// blanks, indented by at most three spaces. The blanks may be tabs: the
// working text holds a tab for four spaces ("*    *    *"). A star alone is
// an empty list item, not a line: for "*" the pattern has "(?![*][ \t]*$)"
// after the indent.
icu::UnicodeString markLinePattern(char16_t mark);
// Replaces every such line by `replacement`. Returns whether it replaced any.
bool replaceMarkLines(icu::UnicodeString& text, char16_t mark, const icu::UnicodeString& replacement);

}  // namespace markdown
