#pragma once
// Where fenced code blocks are, found in one walk over the text as written:
// a line of three or more backticks or tildes opens a block, the next line
// of at least as many of the same character closes it, and a block nothing
// closes runs to the end of the text (or of the quote it stands in).

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

namespace markdown {

struct FencedBlock {
    int32_t start = 0;  // where the opening line starts
    int32_t end = 0;    // after the closing line (or the last line taken), before its newline
    icu::UnicodeString quotePrefix;  // the quote markers before the fence as written ("> ", "> > ")
    int32_t indent = 0;              // columns of indentation after the quote markers
    icu::UnicodeString info;         // what follows the opening fence, trimmed
    // The lines between the fences, each without the quote markers and
    // without up to `indent` columns of indentation, joined by "\n".
    icu::UnicodeString code;
    // The block as written from its opening fence on, indentation and quote
    // markers taken off each line as from the code.
    icu::UnicodeString written;
};

std::vector<FencedBlock> fencedBlocks(const icu::UnicodeString& text);

}  // namespace markdown
