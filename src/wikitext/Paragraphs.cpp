#include "wikitext/WikitextConverter.h"

#include "engine/ConversionBudget.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace {

bool standsAt(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& piece) {
    return at >= 0 && text.compare(at, piece.length(), piece) == 0;
}

// True when one of `pieces`, each beginning with `mark`, stands in the text:
// only the places of the mark are compared, in one walk.
bool holdsPieceAtMark(const icu::UnicodeString& text, char16_t mark, const std::vector<icu::UnicodeString>& pieces) {
    for (int32_t at = engine::findUnit(text, mark); at >= 0; at = engine::findUnit(text, mark, at + 1))
        for (const icu::UnicodeString& piece : pieces)
            if (standsAt(text, at, piece))
                return true;
    return false;
}

// Blocks that already are block markup get no paragraph around them.
bool isMarkupBlock(const icu::UnicodeString& block) {
    static const std::vector<icu::UnicodeString> pieces = {u"<h",     u"<ol>", u"<ul>",  u"</ol>", u"</ul>", u"<dl>",
                                                           u"</dl>",  u"<li>", u"<table", u"<p", u"<code", u"</code"};
    return holdsPieceAtMark(block, u'<', pieces);
}

// Lines that already are block markup keep their line end as it is. "<d"
// spares <div>, <dl>, <dd> and <dt>, but not <del>; "</dl>" ends a
// definition list and "</pre>" preformatted text, which want no break
// behind them either. The pieces "ol>", "ul>" and "li>" are found by their
// ">", the others by their "<".
bool isMarkupLine(const icu::UnicodeString& line) {
    static const std::vector<icu::UnicodeString> opened = {u"<h", u"<ol", u"<ul", u"</p>", u"</pre>", u"</dl>"};
    static const icu::UnicodeString closed[] = {u"ol>", u"ul>", u"li>"};
    if (holdsPieceAtMark(line, u'<', opened))
        return true;
    for (int32_t at = engine::findUnit(line, u'>'); at >= 0; at = engine::findUnit(line, u'>', at + 1))
        for (const icu::UnicodeString& piece : closed)
            if (standsAt(line, at - 2, piece))
                return true;
    return engine::containsIgnoringAsciiCase(line, u"<d") && !engine::containsIgnoringAsciiCase(line, u"<del");
}

// Whether a line holds "<table" and whether it holds "</table>", looked for
// at its "<" only.
struct TableTags {
    bool opens = false;
    bool closes = false;
};

TableTags tableTags(const icu::UnicodeString& line) {
    static const icu::UnicodeString opening(u"<table");
    static const icu::UnicodeString closing(u"</table>");
    TableTags tags;
    for (int32_t at = engine::findUnit(line, u'<'); at >= 0 && !tags.opens; at = engine::findUnit(line, u'<', at + 1)) {
        tags.opens = standsAt(line, at, opening);
        tags.closes = tags.closes || standsAt(line, at, closing);
    }
    return tags;
}

// A heading or rule the rule table made, alone on its line.
bool isHeadingLine(const icu::UnicodeString& line) {
    return line.length() > 2 && line[0] == u'<' && line[1] == u'h' &&
           ((line[2] >= u'1' && line[2] <= u'6') || line[2] == u'r');
}

// A line of spaces and tabs between text ends its paragraph as an empty
// line does: each is made empty, in one walk that copies only when needed.
void emptySpaceOnlyLines(icu::UnicodeString& text) {
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (int32_t start = 0; start < text.length();) {
        int32_t end = engine::findUnit(text, u'\n', start);
        if (end < 0)
            end = text.length();
        if (end > start && engine::isBlank(icu::UnicodeString(false, text.getBuffer() + start, end - start))) {
            if (copiedUpTo == 0)
                out = engine::emptyWithRoomFor(text);
            out.append(text, copiedUpTo, start - copiedUpTo);
            copiedUpTo = end;
        }
        start = end + 1;
    }
    if (copiedUpTo == 0)
        return;
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

// Appends the block, in a paragraph unless it is blank or block markup.
void appendParagraph(icu::UnicodeString& out, const icu::UnicodeString& block) {
    if (isMarkupBlock(block) || engine::isBlank(block)) {
        out.append(block);
        return;
    }
    engine::stopIfOverBudget();
    out.append(u"<p>", 3).append(block).append(u"</p>", 4);
}

// Appends the text of a block around the headings in it: headings stand
// alone, the runs of text between them are paragraphs.
void appendParagraphsAroundHeadings(icu::UnicodeString& out, const icu::UnicodeString& block) {
    const char16_t* chars = block.getBuffer();
    int32_t runStart = 0;
    auto endRunBefore = [&](int32_t at) {
        if (at > runStart) {
            // The run without the line end before the heading.
            appendParagraph(out, icu::UnicodeString(false, chars + runStart, at - 1 - runStart));
            out.append(u'\n');
        }
    };
    for (int32_t start = 0;;) {
        const int32_t end = engine::firstOfUnits(chars, start, block.length(), u'\n', u'\n', u'\n');
        const icu::UnicodeString line(false, chars + start, end - start);
        if (isHeadingLine(line)) {
            endRunBefore(start);
            out.append(line);
            if (end < block.length())
                out.append(u'\n');
            runStart = end + 1;
        }
        if (end == block.length())
            break;
        start = end + 1;
    }
    if (runStart <= block.length())
        appendParagraph(out, icu::UnicodeString(false, chars + runStart, block.length() - runStart));
}

}  // namespace

// Blocks are parted by an empty line; each is looked at in place and written
// once into the result.
void WikitextConverter::makeParagraphs() {
    emptySpaceOnlyLines(str);
    icu::UnicodeString out = engine::emptyWithRoomForLength(int64_t{str.length()} + str.length() / 8 + 16);
    for (int32_t start = 0;;) {
        int32_t end = engine::findLiteral(str, u"\n\n", start);
        if (end < 0)
            end = str.length();
        const icu::UnicodeString block(false, str.getBuffer() + start, end - start);
        if (engine::findLiteral(block, u"<h") >= 0)
            appendParagraphsAroundHeadings(out, block);
        else
            appendParagraph(out, block);
        if (end == str.length())
            break;
        out.append(u"\n\n", 2);
        start = end + 2;
    }
    str = std::move(out);
}

// One walk over the lines, each looked at in place.
void WikitextConverter::autoLineBreaks() {
    // `str` is replaced only after the walk.
    const icu::UnicodeString text = engine::trimmedInPlace(str);
    const char16_t* chars = text.getBuffer();
    const icu::UnicodeString lineBreak = u"<br" + HTML_close;
    icu::UnicodeString out = engine::emptyWithRoomForLength(int64_t{text.length()} + text.length() / 4 + 16);
    bool insideTable = false;
    for (int32_t start = 0; start <= text.length();) {
        int32_t end = engine::firstOfUnits(chars, start, text.length(), u'\n', u'<', u'>');
        const bool tagged = end < text.length() && chars[end] != u'\n';
        if (tagged)
            end = engine::firstOfUnits(chars, end, text.length(), u'\n', u'\n', u'\n');
        const icu::UnicodeString line(false, chars + start, end - start);
        out.append(line);
        // A line without "<" or ">" holds no table tag and no markup.
        const TableTags table = tagged ? tableTags(line) : TableTags{};
        if (table.opens)
            insideTable = true;
        else if (table.closes)
            insideTable = false;
        else if (!insideTable && !(tagged && isMarkupLine(line)) && !engine::isBlank(line))
            out.append(lineBreak);
        if (end < text.length())
            out.append(u'\n');
        start = end + 1;
    }
    str = std::move(out);
}
