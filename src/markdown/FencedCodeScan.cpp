#include "markdown/FencedCodeScan.h"

#include <climits>
#include <optional>
#include <unicode/ustring.h>

namespace markdown {
namespace {

constexpr int32_t kTabStop = 4;
// A closing fence indented this much more than its opening is code.
constexpr int32_t kCodeIndent = 4;

int32_t lineEndFrom(const char16_t* text, int32_t length, int32_t from) {
    const char16_t* found = from < length ? u_memchr(text + from, u'\n', length - from) : nullptr;
    return found ? static_cast<int32_t>(found - text) : length;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Up to `most` quote markers ("[ ]*>[ ]?") at the start of a line: how many,
// and where they end.
struct QuoteMarkers {
    int32_t depth = 0;
    int32_t end = 0;
};

QuoteMarkers quoteMarkersFrom(const char16_t* text, int32_t from, int32_t to, int32_t most) {
    QuoteMarkers found{0, from};
    while (found.depth < most) {
        int32_t at = found.end;
        while (at < to && text[at] == u' ')
            ++at;
        if (at >= to || text[at] != u'>')
            break;
        ++at;
        if (at < to && text[at] == u' ')
            ++at;
        found = {found.depth + 1, at};
    }
    return found;
}

// The columns of the spaces and tabs at `at` (a tab reaching the next stop),
// moving `at` past them.
int32_t skipIndent(const char16_t* text, int32_t& at, int32_t to) {
    int32_t columns = 0;
    for (; at < to && isBlank(text[at]); ++at)
        columns = text[at] == u'\t' ? (columns / kTabStop + 1) * kTabStop : columns + 1;
    return columns;
}

struct Fence {
    char16_t mark = 0;
    int32_t length = 0;
    int32_t end = 0;  // after the run
};

std::optional<Fence> fenceAt(const char16_t* text, int32_t at, int32_t to) {
    if (at >= to || (text[at] != u'`' && text[at] != u'~'))
        return std::nullopt;
    int32_t end = at;
    while (end < to && text[end] == text[at])
        ++end;
    if (end - at < 3)
        return std::nullopt;
    return Fence{text[at], end - at, end};
}

bool onlyBlanks(const char16_t* text, int32_t from, int32_t to) {
    while (from < to && isBlank(text[from]))
        ++from;
    return from == to;
}

// Appends [from, to) less up to `indent` columns of indentation; a tab that
// reaches past them leaves the rest of its width as spaces.
void appendDedented(icu::UnicodeString& out, const char16_t* text, int32_t from, int32_t to, int32_t indent) {
    int32_t columns = 0;
    while (from < to && columns < indent && isBlank(text[from])) {
        columns = text[from] == u'\t' ? (columns / kTabStop + 1) * kTabStop : columns + 1;
        ++from;
    }
    for (; columns > indent; --columns)
        out.append(u' ');
    out.append(text + from, to - from);
}

// The opening line of a block at [from, to), or none.
struct Opening {
    QuoteMarkers markers;
    int32_t indent = 0;
    Fence fence;
};

std::optional<Opening> openingAt(const char16_t* text, int32_t from, int32_t to) {
    Opening opening;
    opening.markers = quoteMarkersFrom(text, from, to, INT32_MAX);
    int32_t at = opening.markers.end;
    opening.indent = skipIndent(text, at, to);
    const std::optional<Fence> fence = fenceAt(text, at, to);
    if (!fence)
        return std::nullopt;
    // An info string holding the fence's character is text: "```a```" is a
    // span, "~~~a~~~" struck out.
    if (u_memchr(text + fence->end, fence->mark, to - fence->end))
        return std::nullopt;
    opening.fence = *fence;
    return opening;
}

}  // namespace

// Each line is looked at once: as a possible opening, or as a line of the
// block open before it.
std::vector<FencedBlock> fencedBlocks(const icu::UnicodeString& string) {
    const char16_t* text = string.getBuffer();
    const int32_t length = string.length();
    std::vector<FencedBlock> blocks;
    for (int32_t lineStart = 0; lineStart < length;) {
        const int32_t lineEnd = lineEndFrom(text, length, lineStart);
        const std::optional<Opening> opening = openingAt(text, lineStart, lineEnd);
        if (!opening) {
            lineStart = lineEnd + 1;
            continue;
        }
        const int32_t depth = opening->markers.depth;
        const Fence& open = opening->fence;
        FencedBlock block;
        block.start = lineStart;
        block.end = lineEnd;
        block.quotePrefix.setTo(string, lineStart, opening->markers.end - lineStart);
        block.indent = opening->indent;
        block.info = icu::UnicodeString(string, open.end, lineEnd - open.end).trim();
        block.written.setTo(string, open.end - open.length, lineEnd - open.end + open.length);
        bool firstLine = true;
        // A newline that ends the text starts no further line.
        for (int32_t from = lineEnd + 1; from < length; from = block.end + 1) {
            const int32_t to = lineEndFrom(text, length, from);
            // The block ends with the quote it stands in.
            const QuoteMarkers markers = quoteMarkersFrom(text, from, to, depth);
            if (markers.depth < depth)
                break;
            int32_t at = markers.end;
            const int32_t indent = skipIndent(text, at, to);
            const std::optional<Fence> close = fenceAt(text, at, to);
            block.end = to;
            if (close && close->mark == open.mark && close->length >= open.length &&
                indent < block.indent + kCodeIndent && onlyBlanks(text, close->end, to)) {
                block.written.append(u'\n').append(string, at, to - at);
                break;
            }
            if (!firstLine)
                block.code.append(u'\n');
            firstLine = false;
            const int32_t codeStart = block.code.length();
            appendDedented(block.code, text, markers.end, to, block.indent);
            block.written.append(u'\n').append(block.code, codeStart, block.code.length() - codeStart);
        }
        blocks.push_back(std::move(block));
        lineStart = blocks.back().end + 1;
    }
    return blocks;
}

}  // namespace markdown
