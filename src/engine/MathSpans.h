#pragma once
// Math in Markdown text: `$…$` and `\(…\)` inline, `$$…$$` and `\[…\]` on
// a display line, found outside code so that no later rule (emphasis,
// escapes, tables) can touch what goes to the typesetter.
//
// A dollar amount is not math: an inline `$` span has no blank just inside
// either dollar and no digit right after the closing one ("It costs $5 and
// $10." stays text). `\$` is a dollar, never a delimiter, and so is the
// "{$$" that stands for a CriticMarkup deletion. No span crosses a blank line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

struct MathSpan {
    std::size_t start;  // the opening delimiter
    std::size_t end;    // just past the closing delimiter
    bool display;
};

// The math spans of `text`, in order. Backtick code spans are skipped, and
// so are fenced and indented code blocks unless they were taken out already
// (`codeBlocksRemoved`: indented lines are then list items' and quotes').
std::vector<MathSpan> mathSpans(std::u16string_view text, bool codeBlocksRemoved = false);
std::vector<MathSpan> mathSpans(std::string_view text, bool codeBlocksRemoved = false);

// The HTML of a span as written (delimiters kept, so that it reads as TeX
// where it is not typeset): <span class="math inline|display">…</span>.
std::u16string mathHtml(std::u16string_view written, bool display);
std::string mathHtml(std::string_view written, bool display);

}  // namespace engine
