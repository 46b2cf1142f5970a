// Pipe tables: a header, a separator line with the column alignments, body
// rows (an empty line starts a new body), a caption and column spans.
#include "markdown/MarkdownConverter.h"

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace {

struct TableBlock {
    std::vector<icu::UnicodeString> lines;
    int32_t start = 0;  // of the first line in the text
    int32_t end = 0;    // after the last line
    int pipeLines = 0;
};

bool isSeparatorLine(const icu::UnicodeString& line) {
    if (line.length() < 2)
        return false;
    for (int32_t i = 0; i < line.length(); ++i)
        if (icu::UnicodeString(u" :|.-\t").indexOf(line.charAt(i)) < 0)
            return false;
    return true;
}

icu::UnicodeString withoutBlanks(const icu::UnicodeString& cell) {
    icu::UnicodeString out;
    for (int32_t i = 0; i < cell.length(); ++i)
        if (cell.charAt(i) != u' ' && cell.charAt(i) != u'\t' && !markdown::isNewlineCharacter(cell.charAt(i)))
            out.append(cell.charAt(i));
    return out;
}

std::vector<icu::UnicodeString> alignmentsOf(const icu::UnicodeString& separator) {
    std::vector<icu::UnicodeString> alignments;
    for (const icu::UnicodeString& cell : engine::split(separator, u"|")) {
        icu::UnicodeString marks = withoutBlanks(cell);
        if (marks.length() < 2)
            continue;
        const bool left = marks.startsWith(u":");
        const bool right = marks.endsWith(u":");
        alignments.push_back(left && right ? u" style=\"text-align:center;\""
                             : left        ? u" style=\"text-align:left;\""
                             : right       ? u" style=\"text-align:right;\""
                                           : u"");
    }
    return alignments;
}

// Lines with a pipe, each with a line directly after it that has none. Only
// the lines of a block are copied out of the text.
std::vector<TableBlock> findTableBlocks(const icu::UnicodeString& text) {
    std::vector<TableBlock> blocks;
    TableBlock current;
    bool afterPipeLine = false;
    const char16_t* buffer = text.getBuffer();
    const int32_t length = text.length();
    for (int32_t from = 0; from <= length;) {
        int32_t end = from;
        bool hasPipe = false;
        for (; end < length && buffer[end] != u'\n'; ++end)
            hasPipe = hasPipe || buffer[end] == u'|';
        if (hasPipe || afterPipeLine) {
            if (current.lines.empty())
                current.start = from;
            current.lines.emplace_back(text, from, end - from);
            current.end = end;
            current.pipeLines += hasPipe ? 1 : 0;
        } else {
            if (current.pipeLines >= 3)
                blocks.push_back(current);
            current = TableBlock();
        }
        afterPipeLine = hasPipe;
        from = end + 1;
    }
    return blocks;  // a block still open at the end stays text
}

void appendRow(icu::UnicodeString& html, icu::UnicodeString row, bool inBody,
               const std::vector<icu::UnicodeString>& alignments) {
    if (row.startsWith(u"|"))
        row.remove(0, 1);
    html.append(u"\t\t<tr>\n");
    std::vector<icu::UnicodeString> cells = engine::split(row, u"|");
    if (!row.endsWith(u"||") && engine::trimmed(cells.back()).isEmpty())
        cells.pop_back();
    for (size_t i = 0; i < cells.size(); ++i) {
        size_t spanned = 0;
        while (i + spanned + 1 < cells.size() && cells[i + spanned + 1].isEmpty())
            ++spanned;
        icu::UnicodeString span =
            spanned > 0 ? engine::formatted(u" colspan=\"%@\"", {engine::number(spanned + 1)}) : icu::UnicodeString();
        icu::UnicodeString cellText = engine::trimmedOfSpacesAndTabs(cells[i]);
        if (!inBody)
            html.append(engine::formatted(u"\t\t\t<th%@>%@</th>\n", {span, cellText}));
        else if (i < alignments.size())
            html.append(engine::formatted(u"\t\t\t<td%@%@>%@</td>\n", {span, alignments[i], cellText}));
        else
            html.append(engine::formatted(u"\t\t\t<td%@>%@</td>\n", {span, cellText}));
        i += spanned;
    }
    html.append(u"\t\t</tr>\n");
}

}  // namespace

void MarkdownConverter::performTables() {
    if (str.indexOf(u'|') < 0)
        return;
    std::vector<engine::RangeEdit> edits;
    for (TableBlock& block : findTableBlocks(str)) {
        std::vector<icu::UnicodeString>& lines = block.lines;
        icu::UnicodeString html(u"<table>\n");
        while (!lines.empty() && engine::trimmed(lines.back()).isEmpty())
            lines.pop_back();
        if (!lines.empty()) {
            icu::UnicodeString last = engine::trimmedOfSpacesAndTabs(lines.back());
            if (last.length() >= 2 && last.startsWith(u"[") && last.endsWith(u"]")) {
                icu::UnicodeString caption(last, 1, last.length() - 2);
                html.append(engine::formatted(u"\t<caption id=\"%@\">%@</caption>\n", {identifierFrom(caption), caption}));
                lines.pop_back();
            }
        }

        int separator = -1;
        for (size_t i = 0; i < lines.size() && separator < 0; ++i)
            if (isSeparatorLine(lines[i]))
                separator = static_cast<int>(i);
        std::vector<icu::UnicodeString> alignments =
            separator >= 0 ? alignmentsOf(lines[separator]) : std::vector<icu::UnicodeString>{};
        if (alignments.size() >= 2) {
            html.append(u"\t<colgroup>\n");
            for (const icu::UnicodeString& alignment : alignments)
                html.append(engine::formatted(u"\t\t<col%@%@\n", {alignment, HTML_close}));
            html.append(u"\t</colgroup>\n");
        }

        html.append(u"\t<thead>\n");
        bool inBody = false;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (static_cast<int>(i) == separator) {
                html.append(u"\t</thead>\n\t<tbody>\n");
                inBody = true;
            } else if (engine::trimmed(lines[i]).length() < 2) {
                if (inBody)
                    html.append(u"\t</tbody>\n\t<tbody>\n");
            } else {
                appendRow(html, lines[i], inBody, alignments);
            }
        }
        html.append(u"\t</tbody>\n</table>\n");
        edits.push_back({block.start, block.end, html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}
