#include "wikitext/Emphasis.h"

#include <algorithm>
#include <vector>

#include <unicode/uchar.h>

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace wikitext {
namespace {

const char16_t* const kItalicOpen = u"<em>";
const char16_t* const kItalicClose = u"</em>";
const char16_t* const kBoldOpen = u"<strong>";
const char16_t* const kBoldClose = u"</strong>";

// A run of two or more apostrophes outside tags: `text` of them stay
// apostrophes, the `marks` after them (2, 3 or 5) are markup.
struct Run {
    int32_t start;
    int32_t text;
    int32_t marks;
};

// The runs of a line; four apostrophes are one and bold, more than five the
// rest and bold italic.
std::vector<Run> runsOf(const icu::UnicodeString& line) {
    std::vector<Run> runs;
    // A "<" that no ">" closes is text, and so is every "<" after it.
    bool closingFollows = true;
    for (int32_t i = 0; i < line.length(); ++i) {
        if (closingFollows && line[i] == u'<' && i + 1 < line.length() &&
            (u_isalpha(line[i + 1]) || line[i + 1] == u'/' || line[i + 1] == u'!')) {
            const int32_t close = line.indexOf(u'>', i);
            closingFollows = close >= 0;
            if (closingFollows) {
                i = close;
                continue;
            }
        }
        if (line[i] != u'\'')
            continue;
        int32_t end = i;
        while (end < line.length() && line[end] == u'\'')
            ++end;
        const int32_t length = end - i;
        if (length >= 2) {
            const int32_t marks = length == 4 ? 3 : length > 5 ? 5 : length;
            runs.push_back({i, length - marks, marks});
        }
        i = end - 1;
    }
    return runs;
}

// With an odd number of both bold and italic marks, one bold mark is an
// apostrophe and an italic mark: the first after a one-letter word ("l'''"),
// else the first after a longer word, else the first after a space.
void balance(const icu::UnicodeString& line, std::vector<Run>& runs) {
    int32_t bold = 0;
    int32_t italic = 0;
    for (const Run& run : runs) {
        bold += run.marks != 2;
        italic += run.marks != 3;
    }
    if (bold % 2 == 0 || italic % 2 == 0)
        return;
    Run* singleLetter = nullptr;
    Run* multiLetter = nullptr;
    Run* afterSpace = nullptr;
    for (Run& run : runs) {
        if (run.marks != 3)
            continue;
        const int32_t at = run.start + run.text;
        const char16_t before = at > 0 ? line[at - 1] : u' ';
        const char16_t beforeThat = at > 1 ? line[at - 2] : u' ';
        if (before == u' ' && !afterSpace)
            afterSpace = &run;
        else if (before != u' ' && beforeThat == u' ' && !singleLetter)
            singleLetter = &run;
        else if (before != u' ' && beforeThat != u' ' && !multiLetter)
            multiLetter = &run;
    }
    Run* chosen = singleLetter ? singleLetter : multiLetter ? multiLetter : afterSpace;
    if (chosen) {
        chosen->text += 1;
        chosen->marks = 2;
    }
}

// The state of one line: which of bold and italic are open, in which order,
// and the text after five apostrophes while it is open which closes first.
class LineWriter {
public:
    explicit LineWriter(icu::UnicodeString& out) : out_(out) {}

    void text(const icu::UnicodeString& text, int32_t start, int32_t length) {
        (state_ == State::both ? buffer_ : out_).append(text, start, length);
    }

    void italic() {
        switch (state_) {
        case State::italic: write(kItalicClose, State::none); break;
        case State::boldItalic: write(kItalicClose, State::bold); break;
        case State::italicBold: write(u"</strong></em><strong>", State::bold); break;
        case State::both: flush(kBoldOpen, kItalicOpen, kItalicClose, State::bold); break;
        case State::bold: write(kItalicOpen, State::boldItalic); break;
        case State::none: write(kItalicOpen, State::italic); break;
        }
    }

    void bold() {
        switch (state_) {
        case State::bold: write(kBoldClose, State::none); break;
        case State::boldItalic: write(u"</em></strong><em>", State::italic); break;
        case State::italicBold: write(kBoldClose, State::italic); break;
        case State::both: flush(kItalicOpen, kBoldOpen, kBoldClose, State::italic); break;
        case State::italic: write(kBoldOpen, State::italicBold); break;
        case State::none: write(kBoldOpen, State::bold); break;
        }
    }

    void boldItalic() {
        switch (state_) {
        case State::bold: write(u"</strong><em>", State::italic); break;
        case State::italic: write(u"</em><strong>", State::bold); break;
        case State::boldItalic: write(u"</em></strong>", State::none); break;
        case State::italicBold: write(u"</strong></em>", State::none); break;
        case State::both: flush(kBoldOpen, kItalicOpen, u"</em></strong>", State::none); break;
        case State::none: state_ = State::both; break;
        }
    }

    // What is open at the line end closes there; a mark with nothing behind
    // it on its line opens nothing.
    void end() {
        if (state_ == State::bold || state_ == State::italicBold)
            closeOrDrop(kBoldOpen, kBoldClose);
        if (state_ == State::italic || state_ == State::boldItalic || state_ == State::italicBold)
            closeOrDrop(kItalicOpen, kItalicClose);
        if (state_ == State::boldItalic)
            closeOrDrop(kBoldOpen, kBoldClose);
        if (state_ == State::both)
            flush(kBoldOpen, kItalicOpen, u"</em></strong>", State::none);
    }

private:
    enum class State { none, bold, italic, boldItalic, italicBold, both };

    void write(const char16_t* tags, State next) {
        out_ += tags;
        state_ = next;
    }

    void closeOrDrop(const char16_t* opening, const char16_t* closing) {
        const icu::UnicodeString open(opening);
        if (out_.endsWith(open))
            out_.truncate(out_.length() - open.length());
        else
            out_ += closing;
    }

    void flush(const char16_t* outer, const char16_t* inner, const char16_t* closing, State next) {
        out_ += outer;
        out_ += inner;
        out_ += buffer_;
        out_ += closing;
        buffer_.remove();
        state_ = next;
    }

    icu::UnicodeString& out_;
    icu::UnicodeString buffer_;
    State state_ = State::none;
};

void appendLine(icu::UnicodeString& out, const icu::UnicodeString& line) {
    std::vector<Run> runs = runsOf(line);
    if (runs.empty()) {
        out.append(line);
        return;
    }
    balance(line, runs);
    LineWriter writer(out);
    int32_t copied = 0;
    for (const Run& run : runs) {
        writer.text(line, copied, run.start + run.text - copied);
        if (run.marks == 2)
            writer.italic();
        else if (run.marks == 3)
            writer.bold();
        else
            writer.boldItalic();
        copied = run.start + run.text + run.marks;
    }
    writer.text(line, copied, line.length() - copied);
    writer.end();
}

}  // namespace

void applyEmphasis(icu::UnicodeString& text) {
    int32_t at = engine::findLiteral(text, u"''");
    if (at < 0)
        return;
    icu::UnicodeString out = engine::emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    while (at >= 0) {
        const int32_t lineStart = text.lastIndexOf(u'\n', copiedUpTo, at - copiedUpTo) + 1;
        const int32_t newline = engine::findUnit(text, u'\n', at);
        const int32_t lineEnd = newline < 0 ? text.length() : newline;
        const int32_t from = std::max(lineStart, copiedUpTo);
        out.append(text, copiedUpTo, from - copiedUpTo);
        appendLine(out, icu::UnicodeString(false, text.getBuffer() + from, lineEnd - from));
        copiedUpTo = lineEnd;
        at = engine::findLiteral(text, u"''", lineEnd);
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace wikitext
