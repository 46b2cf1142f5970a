#include "engine/MathSpans.h"

namespace engine {

namespace {

template <typename Char>
class MathScanner {
public:
    using View = std::basic_string_view<Char>;
    MathScanner(View text, bool codeBlocksRemoved) : text_(text), codeBlocksRemoved_(codeBlocksRemoved) {}

    std::vector<MathSpan> spans() {
        std::vector<MathSpan> found;
        std::size_t at = 0;
        bool lineStart = true, previousBlank = true, previousIndentedCode = false;
        while (at < text_.size()) {
            if (lineStart && !codeBlocksRemoved_) {
                const std::size_t lineEnd = endOfLine(at);
                const bool blank = isBlankLine(at, lineEnd);
                const bool indented = !blank && isIndented(at);
                if (indented && (previousBlank || previousIndentedCode)) {
                    previousIndentedCode = true;
                    previousBlank = false;
                    at = nextLine(lineEnd);
                    continue;
                }
                previousIndentedCode = false;
                previousBlank = blank;
                if (const std::size_t fenceEnd = fencedBlockEnd(at); fenceEnd != kNone) {
                    at = fenceEnd;
                    previousBlank = true;
                    continue;
                }
                lineStart = false;
            }
            const Char c = text_[at];
            if (c == '\n') {
                lineStart = true;
                ++at;
            } else if (c == '`') {
                at = codeSpanEnd(at);
            } else if (c == '\\') {
                at = backslashAt(at, found);
            } else if (c == '{' && text_.substr(at + 1, 2) == doubleDollar()) {
                at += 3;  // CriticMarkup's deletion, as the dispatcher marks it
            } else if (c == '$') {
                at = dollarAt(at, found);
            } else if (c == ']' && at + 1 < text_.size() && text_[at + 1] == '(') {
                at = addressEnd(at + 2);
            } else {
                ++at;
            }
        }
        return found;
    }

private:
    static constexpr std::size_t kNone = std::string_view::npos;

    std::size_t endOfLine(std::size_t at) const {
        const std::size_t end = text_.find(Char('\n'), at);
        return end == kNone ? text_.size() : end;
    }
    std::size_t nextLine(std::size_t lineEnd) const { return lineEnd < text_.size() ? lineEnd + 1 : lineEnd; }

    bool isBlankLine(std::size_t from, std::size_t to) const {
        for (std::size_t at = from; at < to; ++at)
            if (text_[at] != ' ' && text_[at] != '\t' && text_[at] != '\r')
                return false;
        return true;
    }

    bool isIndented(std::size_t at) const {
        return text_[at] == '\t' || text_.substr(at, 4) == View(std::basic_string<Char>(4, Char(' ')));
    }

    // A line opening a fence of ``` or ~~~ (any indentation): the start of
    // the line after its closing fence, or of the end of the text.
    std::size_t fencedBlockEnd(std::size_t at) const {
        std::size_t start = at;
        while (start < text_.size() && (text_[start] == ' ' || text_[start] == '\t'))
            ++start;
        const std::size_t run = runLength(start);
        if (run < 3 || (text_[start] != '`' && text_[start] != '~'))
            return kNone;
        const Char fence = text_[start];
        for (std::size_t line = nextLine(endOfLine(at)); line < text_.size(); line = nextLine(endOfLine(line))) {
            std::size_t first = line;
            while (first < text_.size() && (text_[first] == ' ' || text_[first] == '\t'))
                ++first;
            if (first < text_.size() && text_[first] == fence && runLength(first) >= run
                && isBlankLine(first + runLength(first), endOfLine(line)))
                return nextLine(endOfLine(line));
        }
        return text_.size();
    }

    std::size_t runLength(std::size_t at) const {
        if (at >= text_.size())
            return 0;
        std::size_t end = at;
        while (end < text_.size() && text_[end] == text_[at])
            ++end;
        return end - at;
    }

    // Past the code span opening at `at`, or past its backticks when no run
    // of the same length closes it.
    std::size_t codeSpanEnd(std::size_t at) const {
        const std::size_t run = runLength(at);
        for (std::size_t search = at + run; search < text_.size();) {
            const std::size_t next = text_.find(Char('`'), search);
            if (next == kNone)
                break;
            const std::size_t length = runLength(next);
            if (length == run)
                return next + length;
            search = next + length;
        }
        return at + run;
    }

    // Past a link's address (from just after its "("): escaped parentheses
    // there belong to the address, and dollars are no math.
    std::size_t addressEnd(std::size_t at) const {
        for (int depth = 0; at < text_.size() && text_[at] != '\n'; ++at) {
            if (text_[at] == '\\')
                ++at;
            else if (text_[at] == '(')
                ++depth;
            else if (text_[at] == ')' && depth-- == 0)
                return at + 1;
        }
        return at;
    }

    // Where `closing` next stands unescaped before a blank line, or kNone.
    std::size_t closingAt(std::size_t from, View closing, std::size_t* stoppedAt = nullptr) const {
        for (std::size_t at = from; at < text_.size(); ++at) {
            const Char c = text_[at];
            if (c == '\\' && closing[0] != '\\') {
                ++at;
            } else if (c == '\n') {
                if (isBlankLine(at + 1, endOfLine(at + 1))) {
                    if (stoppedAt)
                        *stoppedAt = at;
                    return kNone;
                }
            } else if (text_.substr(at, closing.size()) == closing && !(c == '$' && at > 0 && text_[at - 1] == '{')) {
                return at;
            } else if (c == '\\') {
                ++at;
            }
        }
        if (stoppedAt)
            *stoppedAt = text_.size();
        return kNone;
    }

    static View delimiter(const char* ascii, Char (&buffer)[3]) {
        std::size_t length = 0;
        for (; ascii[length]; ++length)
            buffer[length] = Char(ascii[length]);
        return View(buffer, length);
    }

    std::size_t backslashAt(std::size_t at, std::vector<MathSpan>& found) {
        const Char next = at + 1 < text_.size() ? text_[at + 1] : Char(0);
        if (next != '(' && next != '[')
            return at + 2;
        Char buffer[3];
        const View closing = delimiter(next == '(' ? "\\)" : "\\]", buffer);
        std::size_t& failsUntil = next == '(' ? parenthesisFailsUntil_ : bracketFailsUntil_;
        const std::size_t close = at < failsUntil ? kNone : closingAt(at + 2, closing, &failsUntil);
        if (close == kNone || close == at + 2)
            return at + 2;
        found.push_back({at, close + 2, next == '['});
        return close + 2;
    }

    static View doubleDollar() {
        static const Char dollars[] = {Char('$'), Char('$')};
        return View(dollars, 2);
    }

    static bool isBlank(Char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // A search for a closer that ran to the end of its paragraph without one
    // tells every later opener of the same kind before that end the same:
    // whether a dollar closes depends only on where it stands. Without this a
    // line of "$a $a …" would be searched once per opener.
    std::size_t dollarAt(std::size_t at, std::vector<MathSpan>& found) {
        Char buffer[3];
        if (runLength(at) >= 2) {
            const std::size_t close =
                at < displayFailsUntil_ ? kNone : closingAt(at + 2, delimiter("$$", buffer), &displayFailsUntil_);
            if (close == kNone || isBlankLine(at + 2, close))
                return at + runLength(at);
            found.push_back({at, close + 2, true});
            return close + 2;
        }
        if (at + 1 >= text_.size() || isBlank(text_[at + 1]) || at < inlineFailsUntil_)
            return at + 1;
        for (std::size_t search = at + 1;;) {
            const std::size_t close = closingAt(search, delimiter("$", buffer), &inlineFailsUntil_);
            if (close == kNone)
                return at + 1;
            const bool digitAfter = close + 1 < text_.size() && text_[close + 1] >= '0' && text_[close + 1] <= '9';
            if (!isBlank(text_[close - 1]) && !digitAfter) {
                found.push_back({at, close + 1, false});
                return close + 1;
            }
            search = close + 1;
        }
    }

    View text_;
    bool codeBlocksRemoved_;
    std::size_t displayFailsUntil_ = 0;
    std::size_t inlineFailsUntil_ = 0;
    std::size_t parenthesisFailsUntil_ = 0;
    std::size_t bracketFailsUntil_ = 0;
};

template <typename Char>
std::basic_string<Char> htmlOf(std::basic_string_view<Char> written, bool display) {
    const char* open = display ? "<span class=\"math display\">" : "<span class=\"math inline\">";
    std::basic_string<Char> html(open, open + std::char_traits<char>::length(open));
    for (const Char c : written) {
        const char* entity = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '"' ? "&quot;" : nullptr;
        if (entity)
            html.append(entity, entity + std::char_traits<char>::length(entity));
        else
            html.push_back(c);
    }
    const char* close = "</span>";
    html.append(close, close + 7);
    return html;
}

}  // namespace

std::vector<MathSpan> mathSpans(std::u16string_view text, bool codeBlocksRemoved) {
    return MathScanner<char16_t>(text, codeBlocksRemoved).spans();
}
std::vector<MathSpan> mathSpans(std::string_view text, bool codeBlocksRemoved) {
    return MathScanner<char>(text, codeBlocksRemoved).spans();
}

std::u16string mathHtml(std::u16string_view written, bool display) { return htmlOf(written, display); }
std::string mathHtml(std::string_view written, bool display) { return htmlOf(written, display); }

}  // namespace engine
