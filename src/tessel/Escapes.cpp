// Backslash escapes, hidden first and resolved last, and the CriticMarkup
// markers that must pass through the conversion unchanged.
#include "tessel/TesselConverter.h"

#include "engine/Regex.h"

namespace {

// The characters a backslash escapes; the one at index i hides behind the
// token "%%" + two digits of i + 1 + "%%" ("%%01%%" for a backslash). The
// tokens are made of "%" and digits only: characters that the file-name and
// address patterns accept, so an escaped character inside a name keeps the
// name whole, and that no rule or entity rewrites.
const icu::UnicodeString kEscapable(u"\\*_{}()[]>#.!+-:$@=?~<");

icu::UnicodeString escapeToken(int32_t index) {
    const int32_t number = index + 1;
    icu::UnicodeString token(u"%%");
    token.append(static_cast<char16_t>(u'0' + number / 10)).append(static_cast<char16_t>(u'0' + number % 10));
    return token.append(u"%%");
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The index of the escaped character whose token starts at `at`, or -1.
int32_t escapeAt(const icu::UnicodeString& text, int32_t at) {
    if (at + 6 > text.length() || text.charAt(at) != u'%' || text.charAt(at + 1) != u'%' ||
        !isDigit(text.charAt(at + 2)) || !isDigit(text.charAt(at + 3)) || text.charAt(at + 4) != u'%' ||
        text.charAt(at + 5) != u'%')
        return -1;
    const int32_t index = (text.charAt(at + 2) - u'0') * 10 + (text.charAt(at + 3) - u'0') - 1;
    return index >= 0 && index < kEscapable.length() ? index : -1;
}

// The dispatcher's CriticMarkup markers hold "%%", which the escape tokens
// and the address and file-name patterns would take for their own. During
// the conversion each stands as one Unicode noncharacter (reserved for
// internal use, never meaningful in a document), which no pattern consumes.
const icu::UnicodeString kCriticMarkers[] = {u"{%%", u"{$$", u"{;;", u"%%}", u"{>>"};
constexpr int kMarkerCount = 5;
constexpr char16_t kFirstStandIn = u'\uFDD0';

}  // namespace

// One walk each way instead of a replacement per pair: the text may be large.
// Taking the pairs left to right gives what replacing the pair of two
// backslashes first and then each other pair gives, since no token holds a
// backslash.
void TesselConverter::escapeCharacters() {
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (int32_t at = str.indexOf(u'\\'); at >= 0 && at + 1 < str.length(); at = str.indexOf(u'\\', at + 1)) {
        const int32_t escaped = kEscapable.indexOf(str.charAt(at + 1));
        if (escaped < 0)
            continue;
        out.append(str, copiedUpTo, at - copiedUpTo).append(escapeToken(escaped));
        copiedUpTo = ++at + 1;
    }
    str = out.append(str, copiedUpTo, str.length() - copiedUpTo);
}

void TesselConverter::resolveEscapedCharacters() {
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (int32_t at = str.indexOf(u"%%"); at >= 0; at = str.indexOf(u"%%", at + 1)) {
        const int32_t escaped = escapeAt(str, at);
        if (escaped < 0)
            continue;
        out.append(str, copiedUpTo, at - copiedUpTo).append(kEscapable.charAt(escaped));
        copiedUpTo = at + 6;
        at += 5;
    }
    str = out.append(str, copiedUpTo, str.length() - copiedUpTo);
}

void TesselConverter::hideCriticMarkers() {
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    const char16_t* chars = str.getBuffer();
    const int32_t textLength = str.length();
    for (int32_t at = 0; at < textLength; ++at) {
        const char16_t c = chars[at];
        const bool noncharacter = (c >= kFirstStandIn && c < kFirstStandIn + kMarkerCount) || c == kTokenFence;
        if (c != u'{' && c != u'%' && !noncharacter)
            continue;
        icu::UnicodeString replacement;
        int32_t length = 1;
        if (noncharacter) {
            // A stray noncharacter in the document would otherwise come back as a marker.
            replacement = u'\uFFFD';
        } else {
            int marker = 0;
            while (marker < kMarkerCount && str.compare(at, 3, kCriticMarkers[marker]) != 0)
                ++marker;
            if (marker == kMarkerCount)
                continue;
            replacement = static_cast<char16_t>(kFirstStandIn + marker);
            length = 3;
        }
        out.append(str, copiedUpTo, at - copiedUpTo).append(replacement);
        copiedUpTo = at + length;
        at += length - 1;
    }
    str = out.append(str, copiedUpTo, str.length() - copiedUpTo);
}

void TesselConverter::showCriticMarkers() {
    for (int marker = 0; marker < kMarkerCount; ++marker)
        engine::replaceAllLiteral(str, icu::UnicodeString(static_cast<char16_t>(kFirstStandIn + marker)),
                                  kCriticMarkers[marker]);
}
