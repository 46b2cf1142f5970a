#include "bbcode/BBCodeConverter.h"

#include <array>
#include <string_view>

#include "bbcode/LineLookahead.h"
#include "engine/TextUtilities.h"

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

// Forums read tag names without regard to case ("[URL=…]", "[Quote]") and
// take a tag's value in quotes or without ("[color=\"red\"]"); the rule table
// spells names in lower case and values bare, so tags written otherwise are
// brought to that form first. Only the name changes case: "[list=A]" keeps
// its "A".
void BBCodeConverter::normaliseTags() {
    const int32_t length = str.length();
    LineLookahead lookahead{str};
    icu::UnicodeString out;
    int32_t copied = 0;
    for (int32_t at = str.indexOf(u'['); at >= 0 && at + 1 < length; at = str.indexOf(u'[', at + 1)) {
        const int32_t start = str[at + 1] == u'/' ? at + 2 : at + 1;
        int32_t end = start;
        bool upper = false;
        char16_t name[kLongestName];
        while (end < length && end - start < kLongestName && isAsciiAlphanumeric(str[end])) {
            name[end - start] = lowered(str[end]);
            upper = upper || name[end - start] != str[end];
            ++end;
        }
        if (end == start || end >= length || (str[end] != u']' && str[end] != u'=' && str[end] != u' '))
            continue;
        const char16_t quote = str[end] == u'=' && end + 1 < length ? str[end + 1] : u'\0';
        const bool quoted = quote == u'"' || quote == u'\'';
        if ((!upper && !quoted) || !isTagName(std::u16string_view(name, size_t(end - start))))
            continue;
        for (int32_t i = start; upper && i < end; ++i)
            str.setCharAt(i, name[i - start]);
        if (!quoted)
            continue;
        const int32_t bracket = lookahead.bracketOnLineFrom(end + 2);
        if (bracket > end + 2 && str[bracket - 1] == quote) {
            if (out.isEmpty())
                out = engine::emptyWithRoomFor(str);
            out.append(str, copied, end + 1 - copied).append(str, end + 2, bracket - 1 - (end + 2));
            copied = bracket;
        }
    }
    if (copied == 0)
        return;
    out.append(str, copied, length - copied);
    str = std::move(out);
}
