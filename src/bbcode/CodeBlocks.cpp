#include "bbcode/BBCodeConverter.h"

#include "bbcode/LineLookahead.h"
#include "engine/TextUtilities.h"

namespace {

const icu::UnicodeString kCodeStart(u"[code");
const icu::UnicodeString kCodeOpening(u"[code]");
const icu::UnicodeString kCodeOpeningWithLanguage(u"[code=");
const icu::UnicodeString kCodeClosing(u"[/code]");

// The length of the code opening at `at` ("[code]" or "[code=LANGUAGE]" on
// one line), or 0.
int32_t codeOpeningAt(const icu::UnicodeString& text, int32_t at, LineLookahead& lookahead) {
    if (text.compare(at, kCodeOpening.length(), kCodeOpening) == 0)
        return kCodeOpening.length();
    if (text.compare(at, kCodeOpeningWithLanguage.length(), kCodeOpeningWithLanguage) != 0)
        return 0;
    const int32_t bracket = lookahead.bracketOnLineFrom(at);
    return bracket < 0 ? 0 : bracket + 1 - at;
}

}  // namespace

// Code shows what was typed: tags inside it stay text and "<" is no markup
// ("List<Item>" must not vanish as an unknown element). Each code block from
// its opening to the nearest closing is saved whole; an opening without a
// closing, or a closing without an opening, stays as typed.
void BBCodeConverter::saveCodeBlocks() {
    icu::UnicodeString out;
    LineLookahead lookahead{str};
    int32_t copied = 0;
    for (int32_t at = str.indexOf(kCodeStart); at >= 0;
         at = str.indexOf(kCodeStart, at + 1)) {
        const int32_t opening = codeOpeningAt(str, at, lookahead);
        if (opening == 0)
            continue;
        const int32_t closing = str.indexOf(kCodeClosing, at + opening);
        if (closing < 0)
            break;  // no later opening has a closing either
        const icu::UnicodeString code(str, at + opening, closing - at - opening);
        if (out.isEmpty())
            out = engine::emptyWithRoomFor(str);
        out.append(str, copied, at - copied)
            .append(htmlBlocksEscaped.add(u"<pre>" + engine::escapedHTML(code) + u"</pre>"));
        copied = closing + kCodeClosing.length();
        at = copied - 1;
    }
    if (copied == 0)
        return;
    out.append(str, copied, str.length() - copied);
    str = std::move(out);
}
