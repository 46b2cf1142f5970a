// Paragraphs around plain text blocks and line breaks at the ends of running
// text lines; block HTML, tables and code keep their lines as they are.
#include "tessel/TesselConverter.h"

#include <vector>

#include "engine/TextUtilities.h"

namespace {

bool isBlankLine(const icu::UnicodeString& line) {
    for (int32_t i = 0; i < line.length(); ++i)
        if (line.charAt(i) != u' ' && line.charAt(i) != u'\t')
            return false;
    return true;
}

// Headlines, lists, definition lists, paragraph ends and comments keep their
// line ends; "<d" spares <div>, <dl>, <dt> and <dd>, but not <del>, and
// "</dl>" ends a definition list, which wants no break after it either.
bool isBlockLine(const icu::UnicodeString& line) {
    // Every piece looked for holds "<" or ">"; most lines of text hold neither.
    if (line.indexOf(u'<') < 0 && line.indexOf(u'>') < 0)
        return false;
    return engine::containsAny(line, {u"<h", u"ol>", u"ul>", u"<ol", u"<ul", u"li>", u"</p>", u"<!--", u"-->", u"</dl>"}) ||
           (engine::containsIgnoringCase(line, u"<d") && !engine::containsIgnoringCase(line, u"<del"));
}

// Calls `visit` with each piece of `text` between separators, as split()
// cuts them, empty ones included; each piece is a read-only alias of the
// text, so a walk over a large text copies nothing.
template <typename Visit>
void forEachPiece(const icu::UnicodeString& text, const icu::UnicodeString& separator, Visit visit) {
    const char16_t* chars = text.getBuffer();
    int32_t from = 0;
    for (int32_t at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, from)) {
        visit(icu::UnicodeString(false, chars + from, at - from), false);
        from = at + separator.length();
    }
    visit(icu::UnicodeString(false, chars + from, text.length() - from), true);
}

}  // namespace

void TesselConverter::makeParagraphs() {
    const icu::UnicodeString separator(u"\n\n");
    icu::UnicodeString out = engine::emptyWithRoomFor(str);
    forEachPiece(str, separator, [&](const icu::UnicodeString& block, bool last) {
        // "<dl" too: a definition list is block HTML like a list.
        if (engine::isBlank(block) || engine::containsAny(block, {u"<h", u"<ol>", u"<ul>", u"</ol>", u"</ul>", u"<li>", u"<table",
                                                  u"<p", u"<code", u"</code", u"<!--", u"-->", u"<dl"})) {
            out.append(block);
        } else {
            // Newlines left over from the HTML before the block stay outside the
            // paragraph; inside they would become a line break of their own.
            int32_t text = 0;
            while (text < block.length() && block.charAt(text) == u'\n')
                ++text;
            out.append(block, 0, text).append(u"<p>").append(block, text, block.length() - text).append(u"</p>");
        }
        if (!last)
            out.append(separator);
    });
    str = std::move(out);
}

void TesselConverter::autoLineBreaks() {
    const icu::UnicodeString text = engine::trimmed(str);
    const icu::UnicodeString lineBreak = engine::formatted(u"<br%@", {HTML_close});
    icu::UnicodeString out = engine::emptyWithRoomFor(text);
    bool inTable = false;
    bool inCode = false;
    auto breakAfter = [&](const icu::UnicodeString& line) {
        // Every piece looked for holds "<"; most lines hold none.
        if (line.indexOf(u'<') < 0)
            return !isBlankLine(line) && !inTable && !inCode && !isBlockLine(line);
        if (line.indexOf(u"<table") >= 0) {
            inTable = engine::regionOpenAfter(line, inTable, {u"<table"}, {u"</table>"});
            return false;
        }
        if (line.indexOf(u"</table>") >= 0) {
            inTable = false;
            return false;
        }
        if (line.indexOf(u"<pre><code") >= 0) {
            inCode = engine::regionOpenAfter(line, inCode, {u"<pre><code"}, {u"</code></pre>"});
            return false;
        }
        if (line.indexOf(u"</code></pre>") >= 0) {
            inCode = false;
            return false;
        }
        return !isBlockLine(line) && !isBlankLine(line) && !inTable && !inCode;
    };
    forEachPiece(text, u"\n", [&](const icu::UnicodeString& line, bool last) {
        out.append(line);
        if (breakAfter(line))
            out.append(lineBreak);
        if (!last)
            out.append(u'\n');
    });
    str = std::move(out);
}
