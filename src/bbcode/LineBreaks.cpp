#include "bbcode/BBCode_ObjC.h"

#include "engine/TextUtilities.h"

namespace {

// Lines that already are block markup keep their line end as it is.
bool isBlockLine(const icu::UnicodeString& line) {
    static const char16_t* const blockTags[] = {u"<h", u"<ol>", u"</ol>", u"<ul>", u"</ul>", u"<li>", u"</p>"};
    for (const char16_t* tag : blockTags)
        if (engine::containsIgnoringCase(line, tag))
            return true;
    // "<d" spares <div>, <dl>, <dd> and <dt>, but not <del>.
    return engine::containsIgnoringCase(line, u"<d") && !engine::containsIgnoringCase(line, u"<del");
}

}  // namespace

// Preformatted text keeps its own line ends: a break there would double them.
void BBCode_ObjC::autoLineBreaks() {
    std::vector<icu::UnicodeString> lines = engine::split(str, u"\n");
    bool insideTable = false;
    bool insidePre = false;
    for (icu::UnicodeString& line : lines) {
        insidePre = engine::regionOpenAfter(line, insidePre, {u"<pre>", u"<pre "}, {u"</pre>"});
        if (line.indexOf(u"<table") >= 0)
            insideTable = true;
        else if (line.indexOf(u"</table>") >= 0)
            insideTable = false;
        else if (!isBlockLine(line) && !insideTable && !insidePre)
            line = engine::formatted(u"%@<br%@", {line, HTML_close});
    }
    str = engine::join(lines, u"\n");
}
