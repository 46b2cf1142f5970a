#include "bbcode/BBCodeConverter.h"

#include <array>
#include <string_view>

namespace {

// Every tag name of the rule table, in lower case.
constexpr std::array<std::u16string_view, 43> kTagNames = {
    u"b",     u"i",     u"u",      u"s",     u"h1",     u"h2",     u"h3",      u"h4",      u"h5",
    u"h6",    u"sup",   u"sub",    u"table", u"tr",     u"td",     u"th",      u"ol",      u"ul",
    u"li",    u"url",   u"mail",   u"email", u"thread", u"post",   u"align",   u"center",  u"left",
    u"right", u"justify", u"font", u"size",  u"color",  u"style",  u"img",     u"quote",   u"code",
    u"list",  u"highlight", u"comment", u"column", u"tt", u"icode", u"hr",
};

constexpr int32_t kLongestName = 9;

bool isAsciiAlphanumeric(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

char16_t lowered(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; }

bool isTagName(std::u16string_view name) {
    for (std::u16string_view known : kTagNames)
        if (known == name)
            return true;
    return false;
}

}  // namespace

// Forums read tag names without regard to case ("[URL=…]", "[Quote]"); the
// rule table spells them in lower case, so names written otherwise are
// lowered in place first. Only the name changes: "[list=A]" keeps its "A".
void BBCodeConverter::lowerTagNames() {
    const int32_t length = str.length();
    for (int32_t at = str.indexOf(u'['); at >= 0 && at + 1 < length; at = str.indexOf(u'[', at + 1)) {
        const int32_t start = at + 1 < length && str[at + 1] == u'/' ? at + 2 : at + 1;
        int32_t end = start;
        bool upper = false;
        char16_t name[kLongestName];
        while (end < length && end - start < kLongestName && isAsciiAlphanumeric(str[end])) {
            upper = upper || (str[end] >= u'A' && str[end] <= u'Z');
            name[end - start] = lowered(str[end]);
            ++end;
        }
        if (!upper || end == start || end >= length)
            continue;
        const char16_t after = str[end];
        if ((after != u']' && after != u'=' && after != u' ') ||
            !isTagName(std::u16string_view(name, size_t(end - start))))
            continue;
        for (int32_t i = start; i < end; ++i)
            str.setCharAt(i, name[i - start]);
    }
}
