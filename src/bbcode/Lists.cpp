#include "bbcode/BBCodeConverter.h"

#include <vector>

#include "engine/TextUtilities.h"

namespace {

enum class ListTagKind { Opening, Closing, Item };

struct ListTag {
    int32_t at = 0;
    int32_t length = 0;
    ListTagKind kind = ListTagKind::Item;
    icu::UnicodeString html;  // for an opening
    bool matched = false;     // an opening or closing with its partner
};

const icu::UnicodeString kListOpening(u"[list]");
const icu::UnicodeString kListStyledOpening(u"[list=");
const icu::UnicodeString kListClosing(u"[/list]");
const icu::UnicodeString kItem(u"[*]");

bool standsAt(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& piece) {
    return text.compare(at, piece.length(), piece) == 0;
}

// The list element "[list=STYLE]" opens, or nothing for a style no forum knows.
icu::UnicodeString styledOpening(const icu::UnicodeString& style) {
    static const struct {
        const char16_t* style;
        const char16_t* css;
    } kStyles[] = {{u"1", u"decimal"},     {u"a", u"lower-alpha"}, {u"A", u"upper-alpha"}, {u"i", u"lower-roman"},
                   {u"I", u"upper-roman"}, {u"circle", u"circle"}, {u"disc", u"disc"},     {u"square", u"square"}};
    for (const auto& known : kStyles)
        if (style == known.style)
            return engine::formatted(u"<ul style=\"list-style-type:%@\">", {known.css});
    return {};
}

// The list tags of the text, in order, openings paired with their closings.
std::vector<ListTag> listTagsOf(const icu::UnicodeString& text) {
    std::vector<ListTag> tags;
    std::vector<size_t> open;
    for (int32_t at = text.indexOf(u'['); at >= 0; at = text.indexOf(u'[', at + 1)) {
        const char16_t next = at + 1 < text.length() ? text[at + 1] : u'\0';
        if (next != u'*' && next != u'l' && next != u'/')
            continue;
        if (standsAt(text, at, kItem)) {
            tags.push_back({at, kItem.length(), ListTagKind::Item, {}, false});
        } else if (standsAt(text, at, kListOpening)) {
            open.push_back(tags.size());
            tags.push_back({at, kListOpening.length(), ListTagKind::Opening, u"<ul>", false});
        } else if (standsAt(text, at, kListStyledOpening)) {
            const int32_t styleStart = at + kListStyledOpening.length();
            const int32_t end = text.indexOf(u']', styleStart);
            if (end < 0 || end - styleStart > 6)
                continue;
            icu::UnicodeString html = styledOpening(icu::UnicodeString(text, styleStart, end - styleStart));
            if (html.isEmpty())
                continue;
            open.push_back(tags.size());
            tags.push_back({at, end + 1 - at, ListTagKind::Opening, std::move(html), false});
        } else if (standsAt(text, at, kListClosing)) {
            const bool matched = !open.empty();
            if (matched) {
                tags[open.back()].matched = true;
                open.pop_back();
            }
            tags.push_back({at, kListClosing.length(), ListTagKind::Closing, {}, matched});
        }
    }
    return tags;
}

// An item ends before the white space that leads to the next item or to the
// end of its list, so that "</li>" stays on the item's own line.
void closeItem(icu::UnicodeString& out) {
    int32_t end = out.length();
    while (end > 0 && (out[end - 1] == u'\n' || out[end - 1] == u' ' || out[end - 1] == u'\t' || out[end - 1] == u'\r'))
        --end;
    out.insert(end, u"</li>");
}

// An item outside every list is a list of its own, to the end of its line or
// to the next list tag on it: writers set "[*]" before a line as a bullet.
struct LooseItem {
    bool open = false;

    // Copies text[from, to) to `out`, closing the item at its line's end.
    void copy(icu::UnicodeString& out, const icu::UnicodeString& text, int32_t from, int32_t to) {
        if (open) {
            const int32_t lineEnd = text.indexOf(u'\n', from, to - from);
            if (lineEnd >= 0 && lineEnd < to) {
                out.append(text, from, lineEnd - from);
                close(out);
                from = lineEnd;
            }
        }
        out.append(text, from, to - from);
    }

    void close(icu::UnicodeString& out) {
        if (!open)
            return;
        closeItem(out);
        out.append(u"</ul>");
        open = false;
    }
};

}  // namespace

// Lists span lines, so they are read here, over the whole text, rather than
// by the line-bound rule table. Only an opening with its closing makes a
// list; each item closes at the next item or at the end of its list. List
// tags without a partner stay as typed.
void BBCodeConverter::convertLists() {
    const std::vector<ListTag> tags = listTagsOf(str);
    if (tags.empty())
        return;
    icu::UnicodeString out = engine::emptyWithRoomForLength(int64_t{str.length()} + str.length() / 4 + 16);
    std::vector<bool> itemOpen;  // one for each list open at this point
    LooseItem loose;
    int32_t copied = 0;
    for (const ListTag& tag : tags) {
        loose.copy(out, str, copied, tag.at);
        loose.close(out);
        copied = tag.at + tag.length;
        if (tag.kind == ListTagKind::Opening && tag.matched) {
            out.append(tag.html);
            itemOpen.push_back(false);
        } else if (tag.kind == ListTagKind::Item && !itemOpen.empty()) {
            if (itemOpen.back())
                closeItem(out);
            out.append(u"<li>");
            itemOpen.back() = true;
        } else if (tag.kind == ListTagKind::Item) {
            out.append(u"<ul><li>");
            loose.open = true;
        } else if (tag.kind == ListTagKind::Closing && tag.matched) {
            if (itemOpen.back())
                closeItem(out);
            out.append(u"</ul>");
            itemOpen.pop_back();
        } else {
            out.append(str, tag.at, tag.length);
        }
    }
    loose.copy(out, str, copied, str.length());
    loose.close(out);
    str = std::move(out);
}
