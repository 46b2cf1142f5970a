#include "bbcode/BBCodeConverter.h"

#include "bbcode/LineLookahead.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace {

const icu::UnicodeString kCodeOpening(u"[code]");
const icu::UnicodeString kCodeOpeningWithLanguage(u"[code=");
const icu::UnicodeString kCodeClosing(u"[/code]");

// The length of the code opening at `at` ("[code]" or "[code=LANGUAGE]" on
// one line, in any case), or 0.
int32_t codeOpeningAt(const icu::UnicodeString& text, int32_t at, LineLookahead& lookahead) {
    if (engine::startsWithIgnoringAsciiCase(text, at, kCodeOpening))
        return kCodeOpening.length();
    if (!engine::startsWithIgnoringAsciiCase(text, at, kCodeOpeningWithLanguage))
        return 0;
    const int32_t bracket = lookahead.bracketOnLineFrom(at);
    return bracket < 0 ? 0 : bracket + 1 - at;
}

}  // namespace

// Code shows what was typed: tags inside it stay text, in the case they were
// written in, and "<" is no markup ("List<Item>" must not vanish as an
// unknown element). Each code block from its opening to the nearest closing
// is saved whole, before any other pass reads the text; an opening without
// a closing, or a closing without an opening, stays as typed.
void BBCodeConverter::saveCodeBlocks() {
    icu::UnicodeString out;
    LineLookahead lookahead{str};
    int32_t copied = 0;
    int32_t opening = -1;  // where the open block's opening stands
    int32_t codeStart = 0;
    for (int32_t at = str.indexOf(u'['); at >= 0; at = str.indexOf(u'[', at + 1)) {
        if (opening < 0) {
            if (const int32_t length = codeOpeningAt(str, at, lookahead); length > 0) {
                opening = at;
                codeStart = at + length;
                at = codeStart - 1;
            }
            continue;
        }
        if (!engine::startsWithIgnoringAsciiCase(str, at, kCodeClosing))
            continue;
        if (out.isEmpty())
            out = engine::emptyWithRoomFor(str);
        const icu::UnicodeString code(str, codeStart, at - codeStart);
        out.append(str, copied, opening - copied)
            .append(htmlBlocksEscaped.add(u"<pre>" + engine::escapedHTML(code) + u"</pre>"));
        copied = at + kCodeClosing.length();
        at = copied - 1;
        opening = -1;
    }
    if (copied == 0)
        return;
    out.append(str, copied, str.length() - copied);
    str = std::move(out);
}
