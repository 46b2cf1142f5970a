#pragma once
// Where indented code blocks, block quotes and lists begin and end, found by
// walking the text line by line instead of by the block rules' regular
// expressions (which ICU tries at every newline or line start, and whose
// lazy lines cost a backtracking step per character). Each function gives
// exactly the matches of the rule it names, in order. "." in those rules
// stops at every line end character ("\n", "\r", vertical tab, form feed,
// U+0085, U+2028, U+2029), so a quoted or indented line must end in "\n".

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace markdown {

// A match of "(?m)(\n\n|\A\n)((?>^[ ]*\t[ ]?.+\n(.\n)*\n*)+)": from the
// newlines before the block, where its lines start, to after its last line
// and the newlines after it.
struct IndentedBlock {
    int32_t start = 0;
    int32_t linesStart = 0;
    int32_t end = 0;
};
std::vector<IndentedBlock> indentedBlocks(const icu::UnicodeString& text);

// The matches of
// "(?m)((?>^[ ]*>[ ]?.+\n((?!</blockquote>$)(?![ ]{0,3}(?:[*+-]|[0-9]+\.)[ \t]).+\n)*\n*)+)":
// a list item is no lazy line of a quote.
std::vector<engine::TextRange> quotedBlocks(const icu::UnicodeString& text);

// How many levels of quotes nest at most.
inline constexpr int kDeepestQuote = 32;

// The text with one level of quote markers taken off, as replacing
// "(?m)^[ ]*>(?:[ ]|(\t+)[ ])?|^[ ]+$" by "$1" leaves it.
icu::UnicodeString withoutQuoteMarkers(const icu::UnicodeString& text);

// Where the first match at or after `from` starts (-1 for none) of
// "(?m)\n{2,}[ ]{0,3}[*+-](?:[ \t]|$)(.*?)$" (bulleted: a bullet alone is an
// empty item) or
// "(?m)\n{2,}([0-9]{1,}\.)[ \t]{1,1}(.*?)$" (numbered); the rest of the
// line after the marker always matches, so only the start is worked out.
enum class ListMarker { bulleted, numbered };
int32_t listStartFrom(const icu::UnicodeString& text, int32_t from, ListMarker marker);

}  // namespace markdown
