#include "bbcode/BBCodeConverter.h"

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

#include <unicode/uchar.h>

namespace {

// What the line-break pass needs to know of a line's tags, from one walk
// over its "<" characters.
struct LineTags {
    int32_t lastPreOpening = -1;
    int32_t lastPreClosing = -1;
    bool tableOpening = false;
    bool tableClosing = false;
    bool blockTag = false;
    bool dTag = false;    // "<d…" in any case
    bool delTag = false;  // "<del" in any case

    // Lines that already are block markup keep their line end as it is; "<d"
    // spares <div>, <dl>, <dd> and <dt>, but not <del>.
    bool isBlockLine() const { return blockTag || (dTag && !delTag); }
};

bool standsAt(const icu::UnicodeString& line, int32_t at, const icu::UnicodeString& piece) {
    return line.compare(at, piece.length(), piece) == 0;
}

const icu::UnicodeString kPreOpening(u"<pre>");
const icu::UnicodeString kPreOpeningWithAttributes(u"<pre ");
const icu::UnicodeString kPreClosing(u"</pre>");
const icu::UnicodeString kTableOpening(u"<table");
const icu::UnicodeString kTableClosing(u"</table>");
const icu::UnicodeString kD(u"<d");
const icu::UnicodeString kDel(u"<del");

LineTags tagsOf(const icu::UnicodeString& line) {
    static const icu::UnicodeString blockTags[] = {u"<h",   u"<ol>", u"</ol>", u"<ul>", u"<ul ",
                                                   u"</ul>", u"<li>", u"</li>", u"</p>"};
    LineTags tags;
    for (int32_t at = line.indexOf(u'<'); at >= 0; at = line.indexOf(u'<', at + 1)) {
        if (standsAt(line, at, kPreOpening) || standsAt(line, at, kPreOpeningWithAttributes))
            tags.lastPreOpening = at;
        else if (standsAt(line, at, kPreClosing))
            tags.lastPreClosing = at;
        tags.tableOpening = tags.tableOpening || standsAt(line, at, kTableOpening);
        tags.tableClosing = tags.tableClosing || standsAt(line, at, kTableClosing);
        for (const icu::UnicodeString& tag : blockTags)
            tags.blockTag = tags.blockTag || engine::startsWithIgnoringAsciiCase(line, at, tag);
        tags.dTag = tags.dTag || engine::startsWithIgnoringAsciiCase(line, at, kD);
        tags.delTag = tags.delTag || engine::startsWithIgnoringAsciiCase(line, at, kDel);
    }
    return tags;
}

}  // namespace

// Preformatted text keeps its own line ends: a break there would double them.
// One walk over the text; each line is looked at in place, not copied.
void BBCodeConverter::autoLineBreaks() {
    const icu::UnicodeString lineBreak = u"<br" + HTML_close;
    icu::UnicodeString out = engine::emptyWithRoomForLength(int64_t{str.length()} + str.length() / 4 + 16);
    bool insideTable = false;
    bool insidePre = false;
    // Blank lines at the end, the two added to every text among them, show
    // nothing: breaks there would only pile up empty space below the text.
    int32_t lastContent = str.length() - 1;
    while (lastContent >= 0 && u_isUWhiteSpace(str[lastContent]))
        --lastContent;
    for (int32_t start = 0; start <= str.length();) {
        int32_t end = str.indexOf(u'\n', start);
        if (end < 0)
            end = str.length();
        const int32_t next = end < str.length() ? end + 1 : end;
        const icu::UnicodeString line(false, str.getBuffer() + start, end - start);
        const LineTags tags = tagsOf(line);
        // The later of the last opening and the last closing decides.
        if (tags.lastPreOpening >= 0 || tags.lastPreClosing >= 0)
            insidePre = tags.lastPreOpening > tags.lastPreClosing;
        if (tags.tableOpening)
            insideTable = true;
        else if (tags.tableClosing)
            insideTable = false;
        const bool breakAfter = start <= lastContent && !tags.tableOpening && !tags.tableClosing &&
                                !tags.isBlockLine() && !insideTable && !insidePre;
        if (breakAfter)
            out.append(line).append(lineBreak).append(str, end, next - end);
        else
            out.append(str, start, next - start);
        start = end + 1;
    }
    str = std::move(out);
}
