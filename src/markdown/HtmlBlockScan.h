#pragma once
// Where raw HTML blocks stand in a Markdown text as written. A block starts
// at a line that begins with a block element's tag or an HTML comment, at
// the text's start, after an empty line or right after another block, and
// runs to the end of the line that closes it: the matching closing tag of the
// same name (nesting counted, empty lines inside do not end it), the end of
// the comment, or for a void element its own line. A block that never closes
// runs to the next empty line. Fenced code holds no blocks.

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

namespace markdown {

// A piece of raw HTML, [start, end). A block whose opening tag says
// markdown="1" (when that is asked for) leaves its inside to Markdown: only
// its opening and its closing tag are raw, and the blocks inside it are
// pieces of their own, listed between the two.
struct RawHtmlPiece {
    enum class Kind { block, openingTag, closingTag };
    Kind kind = Kind::block;
    int32_t start = 0;
    int32_t end = 0;
    // The markdown attribute of an opening tag with the blank before it,
    // which the output leaves out.
    int32_t attributeStart = 0;
    int32_t attributeEnd = 0;
};

// The pieces in text order.
std::vector<RawHtmlPiece> rawHtmlPieces(const icu::UnicodeString& text, bool markdownAttribute);

// Whether the line begins with a block element's opening or closing tag
// ("<ins>" and "<del>" are inline there).
bool startsWithBlockTag(const icu::UnicodeString& line);

}  // namespace markdown
