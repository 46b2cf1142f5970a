// Tables from "+table …+" to "+endtable+": one cell per line with blank lines
// between rows, or one row per line with a declared cell separator; caption,
// head and foot sections, and attribute lines for the next cell.
#include "tessel/TesselConverter.h"

#include <vector>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "tessel/TableHeader.h"

namespace {

// The entities that entity escaping wrote before the table is built.
const char16_t* const kEntities[] = {u"&amp;",  u"&quot;", u"&gt;",   u"&lt;",   u"&auml;", u"&ouml;",
                                     u"&uuml;", u"&Auml;", u"&Ouml;", u"&Uuml;", u"&szlig;"};

int32_t entityLengthAt(const icu::UnicodeString& line, int32_t at) {
    if (line.charAt(at) != u'&')
        return 0;
    for (const char16_t* entity : kEntities) {
        const icu::UnicodeString text(entity);
        if (line.compare(at, text.length(), text) == 0)
            return text.length();
    }
    return 0;
}

// Splits a row at the separator, but never inside an entity: with the common
// separator ";" a "<" or "ä" in a cell would otherwise cut the cell apart.
std::vector<icu::UnicodeString> splitCells(const icu::UnicodeString& line, const icu::UnicodeString& separator) {
    std::vector<icu::UnicodeString> cells(1);
    for (int32_t at = 0; at < line.length();) {
        if (int32_t entity = entityLengthAt(line, at)) {
            cells.back().append(line, at, entity);
            at += entity;
        } else if (line.compare(at, separator.length(), separator) == 0) {
            cells.emplace_back();
            at += separator.length();
        } else {
            cells.back().append(line.charAt(at++));
        }
    }
    return cells;
}

// The entries to lay out, in order; with a separator a blank entry ends each
// line's row.
std::vector<icu::UnicodeString> tableEntries(const icu::UnicodeString& body, const icu::UnicodeString& separator) {
    std::vector<icu::UnicodeString> lines = engine::split(body, u"\n");
    if (separator.isEmpty())
        return lines;
    std::vector<icu::UnicodeString> entries;
    for (const icu::UnicodeString& line : lines) {
        icu::UnicodeString trimmedLine = engine::trimmed(line);
        if (trimmedLine.indexOf(u"+tablehead") >= 0 || trimmedLine == u"+endtablehead+") {
            entries.push_back(line);
            continue;
        }
        for (const icu::UnicodeString& cell : splitCells(line, separator))
            entries.push_back(cell);
        entries.push_back(u" ");
    }
    return entries;
}

// "+tablehead|class=\"h\"+": the attributes after "|", without the closing "+".
icu::UnicodeString sectionAttributes(const icu::UnicodeString& entry) {
    std::vector<icu::UnicodeString> parts = engine::split(entry, u"|");
    if (parts.size() < 2)
        return {};
    icu::UnicodeString attributes = parts[1];
    if (attributes.endsWith(u"+"))
        attributes.truncate(attributes.length() - 1);
    return attributes;
}

icu::UnicodeString sectionStart(const char16_t* tag, const icu::UnicodeString& entry) {
    icu::UnicodeString attributes = sectionAttributes(entry);
    if (attributes.isEmpty())
        return engine::formatted(u"\t<%@>\n", {tag});
    return engine::formatted(u"\t<%@ %@>\n", {tag, attributes});
}

}  // namespace

void TesselConverter::tableTransfrom() {
    std::vector<engine::RangeEdit> edits;
    int64_t number = 1;
    for (const engine::Match& block : blockMatches(tessel::kTableBlock, u"+endtable+"))
        edits.push_back({block.start(), block.end(), saveForLaterReturn.tables.set(number++, tableHTML(block.text()))});
    engine::applyRangeEdits(str, std::move(edits));
}

icu::UnicodeString TesselConverter::tableHTML(const icu::UnicodeString& block) const {
    const tessel::TableHeader header = tessel::parseTableHeader(block);
    icu::UnicodeString out = header.attributes.isEmpty()
                                 ? icu::UnicodeString(u"<table>\n")
                                 : engine::formatted(u"<table %@>\n", {header.attributes});
    bool rowOpen = false;
    bool headOpen = false;
    icu::UnicodeString pendingAttributes;
    for (const icu::UnicodeString& rawEntry : tableEntries(tessel::tableBody(block), header.separator)) {
        const icu::UnicodeString entry = engine::trimmed(rawEntry);
        if (entry.isEmpty()) {
            if (rowOpen)
                out += u"\t</tr>\n";
            rowOpen = false;
        } else if (entry.startsWith(u"+caption:")) {
            icu::UnicodeString caption = entry.length() > 10 ? icu::UnicodeString(entry, 9, entry.length() - 10)
                                                             : icu::UnicodeString();
            out += engine::formatted(u"\t<caption>%@</caption>\n", {caption});
        } else if (entry.startsWith(u"+tablehead")) {
            out += sectionStart(u"thead", entry);
            headOpen = true;
        } else if (entry.startsWith(u"+endtablehead+")) {
            out += u"\t</thead>\n";
            headOpen = false;
        } else if (entry.startsWith(u"+tablefoot")) {
            out += sectionStart(u"tfoot", entry);
        } else if (entry.startsWith(u"+endtablefoot+")) {
            out += u"\t</tfoot>\n";
        } else if (entry.indexOf(u"=\"") >= 0 && entry.indexOf(u"href=\"") < 0 && entry.indexOf(u"src=\"") < 0) {
            // An attribute list for the next cell.
            pendingAttributes = engine::formatted(u" %@", {entry});
        } else {
            const bool headerCell = entry.startsWith(u"!!");
            const char16_t* tag = headerCell || headOpen ? u"th" : u"td";
            const icu::UnicodeString text = headerCell ? icu::UnicodeString(entry, 2) : entry;
            if (!rowOpen && !headOpen) {
                out += u"\t<tr>\n";
                rowOpen = true;
            }
            out += engine::formatted(u"\t\t<%@%@>%@</%@>\n", {tag, pendingAttributes, text, tag});
            pendingAttributes.remove();
        }
    }
    out += u"</table>\n";
    return out;
}
