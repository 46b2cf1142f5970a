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

// A caption or section line ("|^.", "|~(foot).", "|=. Prices") begins with
// its marker and, unlike a row ("|^. top|"), does not end with a bar.
bool isSectionLine(const icu::UnicodeString& line, const char16_t* marker) {
    return line.startsWith(marker) && !line.endsWith(u"|");
}

int32_t firstSectionLine(const std::vector<icu::UnicodeString>& lines, const char16_t* marker) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (isSectionLine(lines[i], marker))
            return static_cast<int32_t>(i);
    return -1;
}

// Moves the lines from `at` on into rows, up to the other section's marker, a
// "|-." line or the end.
std::vector<Row> takeSection(std::vector<icu::UnicodeString>& lines, size_t at, const char16_t* otherMarker) {
    std::vector<Row> rows;
    while (at < lines.size() && !isSectionLine(lines[at], otherMarker) && lines[at] != u"|-.") {
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

// The attributes of a section line ("|^(head).") or a caption's prefix.
icu::UnicodeString sectionAttributes(icu::UnicodeString line) {
    if (line.startsWith(u"|"))
        line.remove(0, 2);
    if (line.endsWith(u"."))
        line.truncate(line.length() - 1);
    auto read = TextileConverter::attrForTableCell(line);
    return read ? read->attributes : icu::UnicodeString();
}

}  // namespace

icu::UnicodeString TextileConverter::tablePattern() {
    // A table, and the line of its own attributes ("table(grid).") above it;
    // its first row may carry attributes ("(hl). |a|").
    return u"(?m)^(?:table(" + signatureAttributesPattern() +
           u")\\.[ \\t]*\n)?((?:[(\\[{<>=^~][^|\n]*\\.[ \\t]*)?\\|.*?\\|[ \\t]*\n\n)";
}

std::optional<std::vector<engine::Match>> TextileConverter::findTables(const icu::UnicodeString& text) {
    // A table begins at a line that starts with "|" or "table", and its rows
    // run to the first "|" before a blank line: from a start before the last
    // such end the search always finds one, from a later start never, so no
    // try goes past it (rows that never close would otherwise cost a scan to
    // the end of the text from each row).
    engine::SearchPlan plan = engine::linesStartingWithAny(text, {u"|", u"table", u"(", u"{", u"[", u"<", u">", u"=", u"^", u"~"});
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

        int32_t foot = firstSectionLine(lines, u"|~");
        int32_t head = firstSectionLine(lines, u"|^");
        int32_t caption = firstSectionLine(lines, u"|=");
        bool captionFirst = caption >= 0 && (head >= 0 || foot >= 0 ? (head < 0 || caption < head) &&
                                                                          (foot < 0 || caption < foot)
                                                                    : caption == 0);
        if (captionFirst) {
            icu::UnicodeString line = lines[static_cast<size_t>(caption)];
            lines.erase(lines.begin() + caption);
            int32_t at = line.indexOf(u". ");
            icu::UnicodeString text = at >= 0 ? icu::UnicodeString(line, at + 2) : icu::UnicodeString(line, 2);
            html += engine::formatted(u"<caption%@>%@</caption>\n",
                                      {sectionAttributes(at >= 0 ? icu::UnicodeString(line, 2, at - 2) : u""), text});
        }

        icu::UnicodeString headAttributes;
        std::vector<Row> headRows;
        if (head = firstSectionLine(lines, u"|^"); head >= 0) {
            headAttributes = sectionAttributes(lines[static_cast<size_t>(head)]);
            lines.erase(lines.begin() + head);
            headRows = takeSection(lines, static_cast<size_t>(head), u"|~");
        }
        icu::UnicodeString footAttributes;
        std::vector<Row> footRows;
        if (foot = firstSectionLine(lines, u"|~"); foot >= 0) {
            footAttributes = sectionAttributes(lines[static_cast<size_t>(foot)]);
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

namespace {

// The attributes of a row from what stands before its first bar
// ("(hl). "), or nothing when that is no row signature.
std::optional<icu::UnicodeString> rowAttributes(const icu::UnicodeString& beforeBar) {
    icu::UnicodeString signature = engine::trimmed(beforeBar);
    if (!signature.endsWith(u".") || signature.length() < 2)
        return std::nullopt;
    signature.truncate(signature.length() - 1);
    auto read = TextileConverter::attrForTableCell(signature);
    if (!read || read->tag != u"td")
        return std::nullopt;
    return read->attributes;
}

}  // namespace

icu::UnicodeString TextileConverter::formattedTableRowsFromArray(const std::vector<Row>& rows) const {
    icu::UnicodeString html;
    for (size_t r = 0; r < rows.size(); ++r) {
        Row cells(rows[r].begin() + 1, rows[r].end());
        if (cells.empty())
            continue;
        const icu::UnicodeString rowAttributesHtml = rowAttributes(rows[r].front()).value_or(u"");
        if (engine::trimmed(cells.back()).isEmpty()) {
            cells.pop_back();
        } else {
            // The line ended inside a cell: the following lines that do not
            // begin with a bar continue it.
            while (r + 1 < rows.size() && !engine::trimmed(rows[r + 1].front()).isEmpty() &&
                   !rowAttributes(rows[r + 1].front())) {
                // Appended in place: a cell may go on over many lines.
                const Row& next = rows[++r];
                cells.back().append(u"<br").append(HTML_close).append(next.front());
                const bool closed = next.size() > 1 && engine::trimmed(next.back()).isEmpty();
                cells.insert(cells.end(), next.begin() + 1, closed ? next.end() - 1 : next.end());
            }
        }
        static const icu::UnicodeString attributesEnd(u". ");
        html += engine::formatted(u"\t<tr%@>\n", {rowAttributesHtml});
        for (const icu::UnicodeString& c : cells) {
            int32_t at = c.indexOf(attributesEnd);
            std::optional<CellAttributes> cell;
            if (at > 0)
                cell = attrForTableCell(icu::UnicodeString(c, 0, at));
            if (!cell) {
                html.append(u"\t\t<td>").append(c).append(u"</td>\n");
                continue;
            }
            html += engine::formatted(u"\t\t<%@%@>%@</%@>\n",
                                      {cell->tag, cell->attributes, icu::UnicodeString(c, at + 2), cell->tag});
        }
        html += u"\t</tr>\n";
    }
    return html;
}

namespace {

// What a cell's prefix reads as, piece by piece.
struct CellMarks {
    icu::UnicodeString spans, cssClass, id, lang, style, textAlign, verticalAlign;
};

// Reads the bracketed piece at `at` ("(class#id)", "{style}", "[lang]") and
// steps behind it; false when it does not close or is empty.
bool readBracketed(const icu::UnicodeString& prefix, int32_t& at, CellMarks& marks) {
    const char16_t open = prefix[at];
    const int32_t end = prefix.indexOf(open == u'(' ? u')' : open == u'{' ? u'}' : u']', at + 1);
    if (end < at + 2)
        return false;
    const icu::UnicodeString inner(prefix, at + 1, end - at - 1);
    at = end + 1;
    if (open == u'{') {
        marks.style = inner;
    } else if (open == u'[') {
        marks.lang = inner;
    } else if (int32_t hash = inner.indexOf(u'#'); hash >= 0) {
        marks.cssClass = icu::UnicodeString(inner, 0, hash);
        marks.id = icu::UnicodeString(inner, hash + 1);
    } else {
        marks.cssClass = inner;
    }
    return true;
}

// Reads one piece at `at` and steps behind it; false when none stands there.
bool readCellMark(const icu::UnicodeString& prefix, int32_t& at, CellMarks& marks) {
    static const icu::UnicodeString across(u"<>="), upDown(u"^~-");
    static const char16_t* const acrossStyles[] = {u"text-align:left;", u"text-align:right;", u"text-align:center;"};
    static const char16_t* const upDownStyles[] = {u"vertical-align:top;", u"vertical-align:bottom;",
                                                   u"vertical-align:middle;"};
    const char16_t c = prefix[at];
    if (c == u'\\' || c == u'/') {
        int32_t end = at + 1;
        while (end < prefix.length() && end < at + 6 && prefix[end] >= u'0' && prefix[end] <= u'9')
            ++end;
        if (end == at + 1)
            return false;
        marks.spans += engine::formatted(u" %@=\"%@\"", {c == u'\\' ? u"colspan" : u"rowspan",
                                                         engine::number(integerValue(icu::UnicodeString(prefix, at + 1, end - at - 1)))});
        at = end;
    } else if (c == u'<' && at + 1 < prefix.length() && prefix[at + 1] == u'>') {
        marks.textAlign = u"text-align:justify;";
        at += 2;
    } else if (across.indexOf(c) >= 0) {
        marks.textAlign = acrossStyles[across.indexOf(c)];
        ++at;
    } else if (upDown.indexOf(c) >= 0) {
        marks.verticalAlign = upDownStyles[upDown.indexOf(c)];
        ++at;
    } else if (c == u'(' || c == u'{' || c == u'[') {
        return readBracketed(prefix, at, marks);
    } else {
        return false;
    }
    return true;
}

}  // namespace

// "_", spans ("\2", "/3"), alignment ("<", ">", "=", "<>" across; "^", "~",
// "-" up and down), "(class#id)", "{style}" and "[lang]" in any order. A
// prefix holding anything else is the cell's text ("Done. Passes.").
std::optional<TextileConverter::CellAttributes> TextileConverter::attrForTableCell(const icu::UnicodeString& prefix) {
    CellAttributes result{u"td", {}};
    CellMarks marks;
    for (int32_t at = 0; at < prefix.length();) {
        if (at == 0 && prefix[0] == u'_') {
            result.tag = u"th";
            ++at;
        } else if (!readCellMark(prefix, at, marks)) {
            return std::nullopt;
        }
    }
    result.attributes = marks.spans;
    icu::UnicodeString style = marks.style;
    const icu::UnicodeString alignment = marks.textAlign + marks.verticalAlign;
    if (!style.isEmpty() && !style.endsWith(u";") && !alignment.isEmpty())
        style += u';';
    style += alignment;
    const std::pair<const char16_t*, icu::UnicodeString> named[] = {
        {u"class", marks.cssClass}, {u"id", marks.id}, {u"lang", marks.lang}, {u"style", style}};
    for (const auto& [name, value] : named)
        if (!value.isEmpty())
            result.attributes += engine::formatted(u" %@=\"%@\"", {name, engine::escapedAttributeValue(value)});
    return result;
}
