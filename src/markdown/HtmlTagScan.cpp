#include "markdown/HtmlTagScan.h"

namespace markdown {
namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isNameCharacter(char16_t c) { return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'-'; }
bool isTagBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

int32_t htmlTagEnd(const char16_t* text, int32_t length, int32_t at) {
    int32_t next = at + 1;
    if (next < length && text[next] == u'/')
        ++next;
    if (next >= length || !isAsciiLetter(text[next]))
        return -1;
    while (next < length && isNameCharacter(text[next]))
        ++next;
    if (next >= length || !(isTagBlank(text[next]) || text[next] == u'/' || text[next] == u'>'))
        return -1;
    char16_t quote = 0;
    bool afterEquals = false;
    for (; next < length; ++next) {
        const char16_t c = text[next];
        if (c == u'<' || (c == u'\n' && next + 1 < length && text[next + 1] == u'\n'))
            return -1;
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == u'>')
            return next + 1;
        if ((c == u'"' || c == u'\'') && afterEquals)
            quote = c;
        if (c == u'=')
            afterEquals = true;
        else if (!isTagBlank(c))
            afterEquals = false;
    }
    return -1;
}

}  // namespace markdown
