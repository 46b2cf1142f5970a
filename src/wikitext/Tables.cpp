#include "wikitext/WikitextConverter.h"

#include "engine/RangeEdits.h"
#include "engine/Regex.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace {

icu::UnicodeString after(const icu::UnicodeString& text, int32_t start) {
    return start >= text.length() ? icu::UnicodeString() : icu::UnicodeString(text, start);
}

// The attributes of a row separator: what follows "|-" and any further
// dashes ("|-----").
icu::UnicodeString rowAttributes(const icu::UnicodeString& line) {
    int32_t at = 1;
    while (at < line.length() && line[at] == u'-')
        ++at;
    return engine::trimmed(after(line, at));
}

// name=value, name="value" or name='value', one or more, and nothing else.
const char16_t* const kAttributeListPattern =
    uR"re(^\s*(?:[A-Za-z][A-Za-z0-9_:-]*\s*=\s*(?:"[^"]*"|'[^']*'|[^\s"'=<>`]+)\s*)+$)re";
const char16_t* const kAttributePattern =
    uR"re(([A-Za-z][A-Za-z0-9_:-]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'=<>`]+)))re";

// A cell written "attributes | text": the attributes, each written again
// with its value escaped and in double quotes, and the text. A cell whose
// part before its first "|" reads as no attributes is text as a whole. An
// empty first part ("||a" at a row's start) is left out, and what follows
// may still begin with attributes.
std::pair<icu::UnicodeString, icu::UnicodeString> cellAttributesAndText(const icu::UnicodeString& cell,
                                                                        bool first = true) {
    const int32_t bar = cell.indexOf(u'|');
    if (bar < 0)
        return {{}, cell};
    const icu::UnicodeString written(cell, 0, bar);
    if (engine::isBlank(written))
        return first ? cellAttributesAndText(after(cell, bar + 1), false) : std::pair{icu::UnicodeString(), cell};
    if (!engine::containsMatch(written, kAttributeListPattern))
        return {{}, cell};
    icu::UnicodeString attributes;
    const auto found = engine::findAll(written, kAttributePattern).value_or(std::vector<engine::Match>{});
    for (const engine::Match& attribute : found) {
        icu::UnicodeString value;
        for (int group = 2; group <= 4; ++group)
            if (attribute.took_part(group))
                value = attribute.text(group);
        attributes += engine::formatted(u" %@=\"%@\"", {attribute.text(1), engine::escapedAttributeValue(value)});
    }
    return {attributes, after(cell, bar + 1)};
}

// The pieces of `text` between its separators, as engine::split gives them,
// but as read-only aliases of its buffer: valid while the text lives
// unchanged.
std::vector<icu::UnicodeString> piecesInPlace(const icu::UnicodeString& text, const icu::UnicodeString& separator) {
    std::vector<icu::UnicodeString> pieces;
    int32_t from = 0;
    for (int32_t at = engine::findLiteral(text, separator); at >= 0; at = engine::findLiteral(text, separator, from)) {
        pieces.push_back(text.tempSubStringBetween(from, at));
        from = at + separator.length();
    }
    pieces.push_back(text.tempSubStringBetween(from));
    return pieces;
}

// Writes the rows of one table. A cell's text may go on over further lines
// that begin with neither "|" nor "!"; they are added to that cell.
class TableWriter {
public:
    explicit TableWriter(icu::UnicodeString& html) : html_(html) {}

    void openFirstRow(const icu::UnicodeString& attributes) {
        html_ += attributes.isEmpty() ? u"\t<tbody>\n\t\t<tr>\n"
                                      : engine::formatted(u"\t<tbody>\n\t\t<tr %@>\n", {attributes});
        lastCellEnd_ = -1;
    }

    // Lines after the caption that begin with neither "|" nor "!" go on in it.
    void caption(const icu::UnicodeString& line) {
        std::vector<icu::UnicodeString> parts = engine::split(engine::split(line, u"|+")[1], u"|");
        if (parts.size() < 2)
            html_ += engine::formatted(u"\t<caption>%@", {after(line, 2)});
        else
            html_ += engine::formatted(u"\t<caption %@>%@", {engine::trimmed(parts[0]), engine::trimmed(parts[1])});
        lastCellEnd_ = html_.length();
        html_ += u"</caption>\n\t<tbody>\n\t\t<tr>\n";
    }

    // One trimmed line of the table body.
    void line(const icu::UnicodeString& line) {
        if (line.isEmpty())
            return;
        if (line.startsWith(u"|-")) {
            icu::UnicodeString attributes = rowAttributes(line);
            html_ += attributes.isEmpty() ? u"\t\t</tr>\n\t\t<tr>\n"
                                          : engine::formatted(u"\t\t</tr>\n\t\t<tr %@>\n", {attributes});
            lastCellEnd_ = -1;
        } else if (line[0] == u'|') {
            cells(after(line, 1), u"||", u"td");
        } else if (line[0] == u'!') {
            // Header cells are parted by "!!" and by "||" alike.
            icu::UnicodeString headers = after(line, 1);
            engine::replaceAllLiteral(headers, u"||", u"!!");
            cells(headers, u"!!", u"th");
        } else if (lastCellEnd_ >= 0) {
            icu::UnicodeString continuation = u"\n" + line;
            html_.insert(lastCellEnd_, continuation);
            lastCellEnd_ += continuation.length();
        } else {
            cells(line, u"||", u"td");
        }
    }

    void close() { html_ += u"\t\t</tr>\n\t</tbody>\n</table>\n"; }

private:
    void cells(const icu::UnicodeString& text, const icu::UnicodeString& separator, const icu::UnicodeString& tag) {
        for (const icu::UnicodeString& cell : piecesInPlace(text, separator)) {
            auto [attributes, cellText] = cellAttributesAndText(cell);
            html_ += engine::formatted(u"\t\t\t<%@%@>", {tag, attributes});
            html_ += engine::trimmed(cellText);
            lastCellEnd_ = html_.length();
            html_ += engine::formatted(u"</%@>\n", {tag});
        }
    }

    icu::UnicodeString& html_;
    int32_t lastCellEnd_ = -1;
};

}  // namespace

// A table runs from "{|" to the first "|}" at a line's end after it (the
// "|" of "{|" is not that of "|}"). Once no "|}\n" follows an opening, none
// follows a later one either: the walk ends there, so a text full of
// unclosed "{|" is searched once.
void WikitextConverter::performTables() {
    std::vector<engine::RangeEdit> edits;
    for (int32_t at = engine::findLiteral(str, u"{|"); at >= 0;) {
        const int32_t end = engine::findLiteral(str, u"|}\n", at + 2);
        if (end < 0)
            break;
        // Each table at its own place: a copy of an earlier table is converted too.
        edits.push_back({at, end + 3, tableHTML(str.tempSubString(at, end + 3 - at))});
        at = engine::findLiteral(str, u"{|", end + 3);
    }
    if (!edits.empty())
        engine::applyRangeEdits(str, std::move(edits));
}

icu::UnicodeString WikitextConverter::tableHTML(const icu::UnicodeString& block) const {
    // Without the closing "|}\n"; cells written before the "|}" on its own
    // line, and a table on one line ("{||}"), keep their text.
    std::vector<icu::UnicodeString> lines = piecesInPlace(block.tempSubString(0, block.length() - 3), u"\n");
    if (lines.size() > 1 && engine::isBlank(lines.back()))
        lines.pop_back();

    icu::UnicodeString attributes = engine::trimmed(after(lines[0], 2));
    icu::UnicodeString html = attributes.length() >= 2 ? engine::formatted(u"\n<table %@>\n", {attributes})
                                                       : icu::UnicodeString(u"\n<table>\n");
    TableWriter writer(html);
    // The second line opens the first row, or gives the caption.
    icu::UnicodeString second = lines.size() > 1 ? engine::trimmedInPlace(lines[1]) : icu::UnicodeString();
    if (second.startsWith(u"|+")) {
        writer.caption(second);
    } else if (second.startsWith(u"|-")) {
        writer.openFirstRow(rowAttributes(second));
    } else {
        // Cells on the second line are the first row's cells.
        writer.openFirstRow({});
        writer.line(second);
    }
    for (size_t i = 2; i < lines.size(); ++i)
        writer.line(engine::trimmedInPlace(lines[i]));
    writer.close();
    return html;
}
