#include "wikitext/Wikitext_ObjC.h"

#include "engine/TextUtilities.h"

namespace {

// Blocks that already are block markup get no paragraph around them.
bool isMarkupBlock(const icu::UnicodeString& block) {
    return engine::containsAny(block, {u"<h", u"<ol>", u"<ul>", u"</ol>", u"</ul>", u"<li>", u"<table", u"<p", u"<code",
                               u"</code"});
}

// Lines that already are block markup keep their line end as it is. "<d"
// spares <div>, <dl>, <dd> and <dt>, but not <del>; "</dl>" ends a
// definition list and "</pre>" preformatted text, which want no break
// behind them either.
bool isMarkupLine(const icu::UnicodeString& line) {
    if (engine::containsAny(line, {u"<h", u"ol>", u"ul>", u"<ol", u"<ul", u"li>", u"</p>", u"</pre>", u"</dl>"}))
        return true;
    return engine::containsIgnoringCase(line, u"<d") && !engine::containsIgnoringCase(line, u"<del");
}

}  // namespace

void Wikitext_ObjC::makeParagraphs() {
    std::vector<icu::UnicodeString> blocks = engine::split(str, u"\n\n");
    for (icu::UnicodeString& block : blocks)
        if (!isMarkupBlock(block) && !engine::isBlank(block))
            block = engine::formatted(u"<p>%@</p>", {block});
    str = engine::join(blocks, u"\n\n");
}

void Wikitext_ObjC::autoLineBreaks() {
    std::vector<icu::UnicodeString> lines = engine::split(engine::trimmed(str), u"\n");
    bool insideTable = false;
    for (icu::UnicodeString& line : lines) {
        if (line.indexOf(u"<table") >= 0)
            insideTable = true;
        else if (line.indexOf(u"</table>") >= 0)
            insideTable = false;
        else if (!insideTable && !isMarkupLine(line) && !engine::isBlank(line))
            line = engine::formatted(u"%@<br%@", {line, HTML_close});
    }
    str = engine::join(lines, u"\n");
}
