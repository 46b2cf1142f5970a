#include "tessel/DescribedImages.h"

#include "engine/TextUtilities.h"

namespace tessel {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "(12)%%" at `at`: the parenthesis of a saved raw block's token.
bool opensToken(const char16_t* units, int32_t at, int32_t end) {
    int32_t i = at + 1;
    while (i < end && isDigit(units[i]))
        ++i;
    return i > at + 1 && i + 2 < end && units[i] == u')' && units[i + 1] == u'%' && units[i + 2] == u'%';
}

// The first position in [from, end) where `first` is followed by `second`, or -1.
int32_t pairAt(const char16_t* units, int32_t from, int32_t end, char16_t first, char16_t second) {
    for (int32_t i = from; i + 1 < end; ++i)
        if (units[i] == first && units[i + 1] == second)
            return i;
    return -1;
}

int32_t unitAt(const char16_t* units, int32_t from, int32_t end, char16_t wanted) {
    for (int32_t i = from; i < end; ++i)
        if (units[i] == wanted)
            return i;
    return -1;
}

}  // namespace

std::vector<engine::TextRange> describedImages(const icu::UnicodeString& text) {
    std::vector<engine::TextRange> found;
    const char16_t* units = text.getBuffer();
    const int32_t length = text.length();
    for (int32_t lineStart = 0; lineStart < length;) {
        int32_t lineEnd = lineStart;
        while (lineEnd < length && !engine::endsLineForDot(units[lineEnd]))
            ++lineEnd;
        for (int32_t at = unitAt(units, lineStart, lineEnd, u'('); at >= 0; at = unitAt(units, at + 1, lineEnd, u'(')) {
            if (opensToken(units, at, length))
                continue;
            const int32_t middle = pairAt(units, at + 1, lineEnd, u')', u'[');
            const int32_t close = middle < 0 ? -1 : unitAt(units, middle + 2, lineEnd, u']');
            if (close < 0)
                break;  // no later "(" of this line can close either
            found.push_back({at, close + 1});
            at = close;
        }
        lineStart = lineEnd + 1;
    }
    return found;
}

}  // namespace tessel
