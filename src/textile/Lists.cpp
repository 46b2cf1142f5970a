// Bulleted and numbered lists ("* ", "# ", nested by repeating the marker)
// and definition lists ("- term := definition").
#include "textile/TextileConverter.h"

#include <unicode/uchar.h>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

icu::UnicodeString indentation(int32_t level) {
    icu::UnicodeString tabs;
    for (int32_t i = 0; i < level; ++i)
        tabs.append(u'\t');
    return tabs;
}

std::vector<icu::UnicodeString> lines(const icu::UnicodeString& text) {
    std::vector<icu::UnicodeString> out;
    int32_t from = 0;
    for (int32_t i = 0; i <= text.length(); ++i) {
        if (i == text.length() || text.charAt(i) == u'\n' || text.charAt(i) == u'\r') {
            out.emplace_back(text, from, i - from);
            from = i + 1;
        }
    }
    return out;
}

int32_t firstWhiteSpace(const icu::UnicodeString& line) {
    for (int32_t i = 0; i < line.length(); ++i)
        if (u_isUWhiteSpace(line.charAt(i)))
            return i;
    return -1;
}

class ListWriter {
public:
    explicit ListWriter(const icu::UnicodeString& htmlClose) : htmlClose_(htmlClose) {}

    icu::UnicodeString write(const icu::UnicodeString& block);

private:
    void item(const icu::UnicodeString& line, char16_t marker, int32_t depth);

    const icu::UnicodeString& htmlClose_;
    icu::UnicodeString out_;
    std::vector<icu::UnicodeString> closing_;
    int32_t level_ = 1;
    bool started_ = false;
    icu::UnicodeString blockClosing_;
};

icu::UnicodeString ListWriter::write(const icu::UnicodeString& block) {
    for (const icu::UnicodeString& line : lines(block)) {
        if (line.isEmpty())
            continue;
        char16_t marker = line.charAt(0);
        int32_t depth = firstWhiteSpace(line);
        // A line that opens no item (or a marker run with no space, which
        // has no depth) continues the item above.
        if ((marker != u'#' && marker != u'*') || depth < 0) {
            out_ += engine::formatted(u"<br%@%@", {htmlClose_, line});
            continue;
        }
        item(line, marker, depth);
    }
    out_ += u"</li>\n";
    while (!closing_.empty()) {
        out_ += closing_.back() + u"\n";
        closing_.pop_back();
    }
    out_ += blockClosing_;
    return out_;
}

void ListWriter::item(const icu::UnicodeString& line, char16_t marker, int32_t depth) {
    icu::UnicodeString content(line, depth);
    bool numbered = marker == u'#';
    if (!started_) {
        out_ += numbered ? u"\n<ol>" : u"\n<ul>";
        out_ += engine::formatted(u"\n\t<li>%@", {content});
        started_ = true;
        blockClosing_ = numbered ? u"</ol>\n\n" : u"</ul>\n\n";
    } else if (depth == level_) {
        out_ += engine::formatted(u"</li>\n%@<li>%@", {indentation(level_), content});
    } else if (depth > level_) {
        // One level deeper at a time, however deep the line is.
        icu::UnicodeString oldIndentation = indentation(level_);
        ++level_;
        out_ += engine::formatted(numbered ? u"\n%@<ol>\n" : u"\n%@<ul>\n", {oldIndentation});
        closing_.push_back(engine::formatted(numbered ? u"%@</ol></li>" : u"%@</ul></li>", {oldIndentation}));
        out_ += engine::formatted(u"%@<li>%@", {indentation(level_), content});
    } else {
        for (int32_t i = depth; i < level_ && !closing_.empty(); ++i) {
            out_ += engine::formatted(u"\n%@\n", {closing_.back()});
            closing_.pop_back();
        }
        out_ += engine::formatted(u"%@<li>%@", {indentation(depth), content});
        level_ = depth;
    }
}

}  // namespace

void TextileConverter::performLists() {
    // A list starts where a marker starts a line (the empty line in front
    // may be taken with it); a table cell or a line of prose that merely
    // holds "* " further on is no list.
    auto matches = findLists(str);
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches)
        edits.push_back({match.start(), match.end(), ListWriter(HTML_close).write(match.text())});
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::performDefinitionLists() {
    std::vector<engine::RangeEdit> edits;
    for (const engine::TextRange& match : definitionListRanges(str)) {
        icu::UnicodeString html(u"\n<dl>\n");
        const icu::UnicodeString text(str, match.start, match.end - match.start);
        for (const icu::UnicodeString& rawPiece : engine::split(text, u"- ")) {
            icu::UnicodeString piece = engine::trimmed(rawPiece);
            if (piece.isEmpty())
                continue;
            auto parts = engine::split(piece, u":=");
            if (parts.size() != 2)
                continue;
            icu::UnicodeString definition = parts[1];
            if (int32_t at = definition.lastIndexOf(u"=:"); at >= 0)
                definition.remove(at, 2);
            definition = engine::trimmed(definition);
            engine::replaceAllLiteral(definition, u"\n", engine::formatted(u"<br%@", {HTML_close}));
            html += engine::formatted(u"\t<dt>%@</dt>\n\t<dd>%@</dd>\n", {engine::trimmed(parts[0]), definition});
        }
        html += u"</dl>\n\n";
        edits.push_back({match.start, match.end, html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}
