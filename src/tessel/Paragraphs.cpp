// Paragraphs around plain text blocks and line breaks at the ends of running
// text lines; block HTML, tables and code keep their lines as they are.
#include "tessel/Tessel_ObjC.h"

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

}  // namespace

void Tessel_ObjC::makeParagraphs() {
    std::vector<icu::UnicodeString> blocks = engine::split(str, u"\n\n");
    for (icu::UnicodeString& block : blocks) {
        // "<dl" too: a definition list is block HTML like a list.
        if (engine::isBlank(block) || engine::containsAny(block, {u"<h", u"<ol>", u"<ul>", u"</ol>", u"</ul>", u"<li>", u"<table",
                                                  u"<p", u"<code", u"</code", u"<!--", u"-->", u"<dl"}))
            continue;
        // Newlines left over from the HTML before the block stay outside the
        // paragraph; inside they would become a line break of their own.
        int32_t text = 0;
        while (text < block.length() && block.charAt(text) == u'\n')
            ++text;
        block = icu::UnicodeString(block, 0, text) +
                engine::formatted(u"<p>%@</p>", {icu::UnicodeString(block, text)});
    }
    str = engine::join(blocks, u"\n\n");
}

void Tessel_ObjC::autoLineBreaks() {
    std::vector<icu::UnicodeString> lines = engine::split(engine::trimmed(str), u"\n");
    const icu::UnicodeString lineBreak = engine::formatted(u"<br%@", {HTML_close});
    bool inTable = false;
    bool inCode = false;
    for (icu::UnicodeString& line : lines) {
        if (line.indexOf(u"<table") >= 0) {
            inTable = engine::regionOpenAfter(line, inTable, {u"<table"}, {u"</table>"});
            continue;
        }
        if (line.indexOf(u"</table>") >= 0) {
            inTable = false;
            continue;
        }
        if (line.indexOf(u"<pre><code") >= 0) {
            inCode = engine::regionOpenAfter(line, inCode, {u"<pre><code"}, {u"</code></pre>"});
            continue;
        }
        if (line.indexOf(u"</code></pre>") >= 0) {
            inCode = false;
            continue;
        }
        if (!isBlockLine(line) && !isBlankLine(line) && !inTable && !inCode)
            line += lineBreak;
    }
    str = engine::join(lines, u"\n");
}
