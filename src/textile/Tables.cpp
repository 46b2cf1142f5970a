// Tables: rows of "|" cells with an optional caption ("|=. "), head ("|^."),
// foot ("|~.") and body, cell attributes and cells that run over lines.
#include "textile/TextileConverter.h"

#include <unicode/uchar.h>

#include "engine/MatchSteps.h"
#include "engine/Log.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

using Row = std::vector<icu::UnicodeString>;

std::vector<icu::UnicodeString> tableLines(const icu::UnicodeString& block) {
    std::vector<icu::UnicodeString> out;
    for (const icu::UnicodeString& line : engine::split(engine::trimmed(block), u"\n"))
        out.push_back(engine::trimmedOfSpacesAndTabs(line));
    return out;
}

int32_t firstLineStartingWith(const std::vector<icu::UnicodeString>& lines, const char16_t* prefix) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(prefix))
            return static_cast<int32_t>(i);
    return -1;
}

// Moves the lines from `at` on into rows, up to the other section's marker, a
// "|-." line or the end.
std::vector<Row> takeSection(std::vector<icu::UnicodeString>& lines, size_t at, const char16_t* otherMarker) {
    std::vector<Row> rows;
    while (at < lines.size() && !lines[at].startsWith(otherMarker) && lines[at] != u"|-.") {
        rows.push_back(engine::split(lines[at], u"|"));
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return rows;
}

int64_t integerValue(const icu::UnicodeString& text) {
    int64_t value = 0;
    int32_t i = 0;
    while (i < text.length() && u_isblank(text.charAt(i)))
        ++i;
    bool negative = i < text.length() && text.charAt(i) == u'-';
    if (i < text.length() && (text.charAt(i) == u'-' || text.charAt(i) == u'+'))
        ++i;
    for (; i < text.length() && text.charAt(i) >= u'0' && text.charAt(i) <= u'9' && value < 1000000000; ++i)
        value = value * 10 + (text.charAt(i) - u'0');
    return negative ? -value : value;
}

// The end of the last "|" that spaces or tabs and a blank line follow; -1
// when there is none.
int32_t endOfLastTable(const icu::UnicodeString& text) {
    static const icu::UnicodeString blankLine(u"\n\n");
    for (int32_t at = text.lastIndexOf(blankLine); at > 0; at = text.lastIndexOf(blankLine, 0, at + 1)) {
        int32_t bar = at - 1;
        while (bar >= 0 && (text[bar] == u' ' || text[bar] == u'\t'))
            --bar;
        if (bar >= 0 && text[bar] == u'|')
            return at + 2;
    }
    return -1;
}

}  // namespace

icu::UnicodeString TextileConverter::tablePattern() {
    // A table, and the line of its own attributes ("table(grid).") above it.
    return u"(?m)^(?:table(" + signatureAttributesPattern() + u")\\.[ \\t]*\n)?(\\|.*?\\|[ \\t]*\n\n)";
}

std::optional<std::vector<engine::Match>> TextileConverter::findTables(const icu::UnicodeString& text) {
    // A table begins at a line that starts with "|" or "table", and its rows
    // run to the first "|" before a blank line: from a start before the last
    // such end the search always finds one, from a later start never, so no
    // try goes past it (rows that never close would otherwise cost a scan to
    // the end of the text from each row).
    engine::SearchPlan plan = engine::linesStartingWithAny(text, {u"|", u"table"});
    plan.limit = endOfLastTable(text);
    if (plan.limit < 0)
        return std::vector<engine::Match>{};
    engine::RegexResult result;
    auto matches = engine::findAllAt(text, tablePattern(),
                                     engine::atPlannedStarts(std::move(plan), tablePattern(), engine::kDotMatchesLineSeparators),
                                     engine::kDotMatchesLineSeparators, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {tablePattern(), result.error});
    return matches;
}

void TextileConverter::performTables() {
    auto matches = findTables(str);
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        std::optional<icu::UnicodeString> attributes;
        if (match.took_part(1))
            attributes = attributesOfSignature(u"table" + match.text(1) + u". ", u"table");
        icu::UnicodeString html = attributes && !attributes->isEmpty()
                                      ? engine::formatted(u"<table %@>\n", {*attributes})
                                      : icu::UnicodeString(u"<table>\n");
        std::vector<icu::UnicodeString> lines = tableLines(match.text(2));

        int32_t foot = firstLineStartingWith(lines, u"|~");
        int32_t head = firstLineStartingWith(lines, u"|^");
        int32_t caption = firstLineStartingWith(lines, u"|=");
        bool captionFirst = caption >= 0 && (head >= 0 || foot >= 0 ? (head < 0 || caption < head) &&
                                                                          (foot < 0 || caption < foot)
                                                                    : caption == 0);
        if (captionFirst) {
            icu::UnicodeString line = lines[static_cast<size_t>(caption)];
            lines.erase(lines.begin() + caption);
            int32_t at = line.indexOf(u". ");
            icu::UnicodeString text = at >= 0 ? icu::UnicodeString(line, at + 2) : icu::UnicodeString(line, 2);
            html += engine::formatted(u"<caption%@>%@</caption>\n", {attrForTableCell(line).attributes, text});
        }

        icu::UnicodeString headAttributes;
        std::vector<Row> headRows;
        if (head = firstLineStartingWith(lines, u"|^"); head >= 0) {
            if (lines[static_cast<size_t>(head)] != u"|^.")
                headAttributes = attrForTableCell(lines[static_cast<size_t>(head)]).attributes;
            lines.erase(lines.begin() + head);
            headRows = takeSection(lines, static_cast<size_t>(head), u"|~");
        }
        icu::UnicodeString footAttributes;
        std::vector<Row> footRows;
        if (foot = firstLineStartingWith(lines, u"|~"); foot >= 0) {
            if (lines[static_cast<size_t>(foot)] != u"|~.")
                footAttributes = attrForTableCell(lines[static_cast<size_t>(foot)]).attributes;
            lines.erase(lines.begin() + foot);
            footRows = takeSection(lines, static_cast<size_t>(foot), u"|^");
        }
        std::vector<Row> bodyRows;
        for (const icu::UnicodeString& line : lines)
            if (line != u"|-.")
                bodyRows.push_back(engine::split(line, u"|"));

        if (headRows.empty() && footRows.empty()) {
            html += formattedTableRowsFromArray(bodyRows);
        } else {
            html += engine::formatted(u"\t<thead%@>\n%@\t</thead>\n", {headAttributes, formattedTableRowsFromArray(headRows)});
            html += engine::formatted(u"\t<tfoot%@>\n%@\t</tfoot>\n", {footAttributes, formattedTableRowsFromArray(footRows)});
            html += engine::formatted(u"\t<tbody>\n%@\t</tbody>\n", {formattedTableRowsFromArray(bodyRows)});
        }
        html += u"</table>\n\n";
        // An attribute line that does not read stays as text above the table.
        edits.push_back({attributes ? match.start() : match.start(2), match.end(), html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

icu::UnicodeString TextileConverter::formattedTableRowsFromArray(const std::vector<Row>& rows) const {
    icu::UnicodeString html;
    for (size_t r = 0; r < rows.size(); ++r) {
        Row cells(rows[r].begin() + 1, rows[r].end());
        if (cells.empty())
            continue;
        if (engine::trimmed(cells.back()).isEmpty()) {
            cells.pop_back();
        } else {
            // The line ended inside a cell: the following lines that do not
            // begin with a bar continue it.
            while (r + 1 < rows.size() && !engine::trimmed(rows[r + 1].front()).isEmpty()) {
                // Appended in place: a cell may go on over many lines.
                const Row& next = rows[++r];
                cells.back().append(u"<br").append(HTML_close).append(next.front());
                const bool closed = next.size() > 1 && engine::trimmed(next.back()).isEmpty();
                cells.insert(cells.end(), next.begin() + 1, closed ? next.end() - 1 : next.end());
            }
        }
        static const icu::UnicodeString attributesEnd(u". ");
        html += u"\t<tr>\n";
        for (const icu::UnicodeString& c : cells) {
            int32_t at = c.indexOf(attributesEnd);
            if (at <= 0 || u_isUWhiteSpace(c.charAt(0))) {
                html.append(u"\t\t<td>").append(c).append(u"</td>\n");
                continue;
            }
            CellAttributes cell = attrForTableCell(icu::UnicodeString(c, 0, at));
            html += engine::formatted(u"\t\t<%@%@>%@</%@>\n",
                                      {cell.tag, cell.attributes, icu::UnicodeString(c, at + 2), cell.tag});
        }
        html += u"\t</tr>\n";
    }
    return html;
}

TextileConverter::CellAttributes TextileConverter::attrForTableCell(const icu::UnicodeString& prefix) {
    CellAttributes result{u"td", {}};
    icu::UnicodeString s(prefix);
    if (s.startsWith(u"_")) {
        result.tag = u"th";
        s.remove(0, 1);
    }
    for (int span = 0; span < 2; ++span) {
        if (s.length() < 2 || (s.charAt(0) != u'\\' && s.charAt(0) != u'/'))
            continue;
        bool column = s.charAt(0) == u'\\';
        icu::UnicodeString ends = column ? u"/=({<>" : u"\\=({<>";
        int32_t end = 1;
        while (end < s.length() && ends.indexOf(s.charAt(end)) < 0)
            ++end;
        int64_t value = integerValue(icu::UnicodeString(s, 1, end - 1));
        s.remove(0, end);
        result.attributes += engine::formatted(u" %@=\"%@\"", {column ? u"colspan" : u"rowspan",
                                                              engine::number(value)});
    }
    icu::UnicodeString alignment;
    if (!s.isEmpty()) {
        static const char16_t* const aligns[] = {u"text-align:center;", u"text-align:left;", u"text-align:right;"};
        int32_t which = icu::UnicodeString(u"=<>").indexOf(s.charAt(0));
        if (which >= 0) {
            alignment = aligns[which];
            s.remove(0, 1);
        }
    }
    // Class, then style: each from its first opening to its first closing
    // character, when the closing one stands behind the opening one.
    int32_t open = s.indexOf(u'(');
    int32_t close = s.indexOf(u')');
    if (open >= 0 && close > open) {
        result.attributes += engine::formatted(
            u" class=\"%@\"", {engine::escapedAttributeValue(icu::UnicodeString(s, open + 1, close - open - 1))});
        s.remove(open, close - open + 1);
    }
    open = s.indexOf(u'{');
    close = s.indexOf(u'}');
    if (open >= 0 && close > open) {
        icu::UnicodeString style = engine::escapedAttributeValue(icu::UnicodeString(s, open + 1, close - open - 1));
        result.attributes += alignment.isEmpty() ? engine::formatted(u" style=\"%@\"", {style})
                                                 : engine::formatted(u" style=\"%@ %@\"", {style, alignment});
    } else if (!alignment.isEmpty() && !(open >= 0 && close >= 0)) {
        result.attributes += engine::formatted(u" style=\"%@\"", {alignment});
    }
    return result;
}
