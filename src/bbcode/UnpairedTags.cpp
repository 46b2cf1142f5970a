#include "bbcode/BBCodeConverter.h"

#include <algorithm>
#include <vector>

#include "bbcode/LineLookahead.h"
#include "engine/TextUtilities.h"

namespace {

// Tags that open and close an element across lines. An opening ending in
// "=" takes a value up to a "]" on its own line.
struct TagFamily {
    std::vector<icu::UnicodeString> openings;
    std::vector<icu::UnicodeString> closings;
};

const std::vector<TagFamily>& families() {
    static const std::vector<TagFamily> kFamilies = {
        {{u"[quote]", u"[quote="}, {u"[/quote]"}},
        {{u"[center]", u"[left]", u"[right]", u"[justify]", u"[align="},
         {u"[/center]", u"[/left]", u"[/right]", u"[/justify]", u"[/align]"}},
        {{u"[font=", u"[size=", u"[color=", u"[style font=", u"[style size=", u"[style color="},
         {u"[/font]", u"[/size]", u"[/color]", u"[/style]"}},
        {{u"[highlight]"}, {u"[/highlight]"}},
        {{u"[comment]"}, {u"[/comment]"}},
        {{u"[column]"}, {u"[/column]"}},
    };
    return kFamilies;
}

// Whether a tag name beginning with `c` may be one of the above.
bool startsTag(char16_t c) {
    return c == u'q' || c == u'c' || c == u'l' || c == u'r' || c == u'j' || c == u'a' || c == u'f' ||
           c == u's' || c == u'h';
}

bool standsAt(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& piece) {
    return text.compare(at, piece.length(), piece) == 0;
}

}  // namespace

// An opening without its closing would leave an element open to the end of
// the document (a "[comment]" would hide all of it), and a closing without
// its opening a stray end tag: such tags stay as typed. Their "[" is saved
// away, so no rule sees the tag.
void BBCodeConverter::disarmUnpairedTags() {
    const std::vector<TagFamily>& all = families();
    std::vector<std::vector<int32_t>> open(all.size());
    std::vector<int32_t> unpaired;
    LineLookahead lookahead{str};
    for (int32_t at = str.indexOf(u'['); at >= 0; at = str.indexOf(u'[', at + 1)) {
        const int32_t nameAt = at + 1 < str.length() && str[at + 1] == u'/' ? at + 2 : at + 1;
        if (nameAt >= str.length() || !startsTag(str[nameAt]))
            continue;
        for (size_t family = 0; family < all.size(); ++family) {
            const TagFamily& tags = all[family];
            const auto opens = [&](const icu::UnicodeString& opening) {
                return standsAt(str, at, opening) &&
                       (opening.charAt(opening.length() - 1) != u'=' || lookahead.bracketOnLineFrom(at) >= 0);
            };
            if (std::any_of(tags.openings.begin(), tags.openings.end(), opens)) {
                open[family].push_back(at);
                break;
            }
            const auto closes = [&](const icu::UnicodeString& closing) { return standsAt(str, at, closing); };
            if (std::any_of(tags.closings.begin(), tags.closings.end(), closes)) {
                if (open[family].empty())
                    unpaired.push_back(at);
                else
                    open[family].pop_back();
                break;
            }
        }
    }
    for (const std::vector<int32_t>& left : open)
        unpaired.insert(unpaired.end(), left.begin(), left.end());
    if (unpaired.empty())
        return;
    std::sort(unpaired.begin(), unpaired.end());
    const icu::UnicodeString bracket = htmlBlocksEscaped.add(u"[");
    icu::UnicodeString out = engine::emptyWithRoomFor(str);
    int32_t copied = 0;
    for (int32_t at : unpaired) {
        out.append(str, copied, at - copied).append(bracket);
        copied = at + 1;
    }
    out.append(str, copied, str.length() - copied);
    str = std::move(out);
}
