#include "markdown/HtmlBlockScan.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unicode/ustring.h>

namespace markdown {
namespace {

// How far a block of the element reaches.
enum class Element {
    container,    // to its matching closing tag
    empty,        // its own line
    aloneOnLine,  // to its closing tag, when its opening tag stands alone on
                  // its line (otherwise it is inline)
};

struct BlockName {
    std::u16string_view name;  // lower case
    Element element;
};

// Elements that start a block; any other tag (an image, a link) is inline and
// belongs to a paragraph.
constexpr BlockName kBlockNames[] = {
    {u"address", Element::container},  {u"article", Element::container},  {u"aside", Element::container},
    {u"blockquote", Element::container}, {u"center", Element::container}, {u"del", Element::aloneOnLine},
    {u"details", Element::container},  {u"dialog", Element::container},   {u"div", Element::container},
    {u"dl", Element::container},       {u"fieldset", Element::container}, {u"figure", Element::container},
    {u"footer", Element::container},   {u"form", Element::container},     {u"h1", Element::container},
    {u"h2", Element::container},       {u"h3", Element::container},       {u"h4", Element::container},
    {u"h5", Element::container},       {u"h6", Element::container},       {u"header", Element::container},
    {u"hr", Element::empty},           {u"iframe", Element::container},   {u"ins", Element::aloneOnLine},
    {u"main", Element::container},     {u"nav", Element::container},      {u"noscript", Element::container},
    {u"ol", Element::container},       {u"p", Element::container},        {u"pre", Element::container},
    {u"script", Element::container},   {u"section", Element::container},  {u"style", Element::container},
    {u"table", Element::container},    {u"ul", Element::container},
};
constexpr int32_t kLongestName = 10;
constexpr int kNameCount = sizeof(kBlockNames) / sizeof(kBlockNames[0]);
// Blocks whose inside is Markdown may nest this deep; deeper ones stay raw.
constexpr int kDeepestMarkdownInside = 32;

bool isAsciiAlphanumeric(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

struct Tag {
    int32_t at = 0;  // its "<"
    int32_t nameEnd = 0;
    int name = 0;  // in kBlockNames
    bool closing = false;
    int32_t match = -1;  // an opening tag's closing tag, at its "<"
};

// A block element's opening or closing tag at `at`: "<", an optional "/",
// the name in any case, then a blank, "/", ">" or the line's end.
std::optional<Tag> blockTagAt(const char16_t* chars, int32_t length, int32_t at) {
    Tag tag;
    tag.at = at;
    int32_t nameStart = at + 1;
    if (nameStart < length && chars[nameStart] == u'/') {
        tag.closing = true;
        ++nameStart;
    }
    int32_t nameEnd = nameStart;
    while (nameEnd < length && nameEnd - nameStart <= kLongestName && isAsciiAlphanumeric(chars[nameEnd]))
        ++nameEnd;
    if (nameEnd == nameStart || nameEnd - nameStart > kLongestName)
        return std::nullopt;
    if (nameEnd < length && !isBlank(chars[nameEnd]) && chars[nameEnd] != u'\n' && chars[nameEnd] != u'/' &&
        chars[nameEnd] != u'>')
        return std::nullopt;
    for (int name = 0; name < kNameCount; ++name) {
        const std::u16string_view wanted = kBlockNames[name].name;
        if (static_cast<int32_t>(wanted.size()) != nameEnd - nameStart)
            continue;
        bool same = true;
        for (size_t i = 0; i < wanted.size() && same; ++i)
            same = asciiLower(chars[nameStart + static_cast<int32_t>(i)]) == wanted[i];
        if (same) {
            tag.name = name;
            tag.nameEnd = nameEnd;
            return tag;
        }
    }
    return std::nullopt;
}

// A fence of code: up to three spaces, then three or more backticks or
// tildes; `bare` when nothing but blanks follows them.
struct Fence {
    char16_t mark = 0;
    int32_t length = 0;
    bool bare = false;
};

std::optional<Fence> fenceAt(const char16_t* chars, int32_t lineStart, int32_t lineEnd) {
    int32_t at = lineStart;
    while (at < lineEnd && at - lineStart < 3 && chars[at] == u' ')
        ++at;
    if (at >= lineEnd || (chars[at] != u'`' && chars[at] != u'~'))
        return std::nullopt;
    Fence fence;
    fence.mark = chars[at];
    const int32_t marksStart = at;
    while (at < lineEnd && chars[at] == fence.mark)
        ++at;
    fence.length = at - marksStart;
    if (fence.length < 3)
        return std::nullopt;
    while (at < lineEnd && isBlank(chars[at]))
        ++at;
    fence.bare = at == lineEnd;
    return fence;
}

class Scanner {
public:
    Scanner(const icu::UnicodeString& text, bool markdownAttribute)
        : text_(text), chars_(text.getBuffer()), length_(text.length()), markdownAttribute_(markdownAttribute) {
        findTagsAndFences();
        commentSearchedFrom_ = length_ + 1;
        walk(0, length_, 0);
    }

    std::vector<RawHtmlPiece> pieces;

private:
    int32_t lineEndFrom(int32_t from) const {
        if (from >= length_)
            return length_;
        const char16_t* found = u_memchr(chars_ + from, u'\n', length_ - from);
        return found ? static_cast<int32_t>(found - chars_) : length_;
    }

    bool isBlankLine(int32_t from, int32_t to) const {
        while (from < to && (isBlank(chars_[from]) || chars_[from] == u'\r'))
            ++from;
        return from == to;
    }

    bool startsComment(int32_t at) const { return text_.compare(at, 4, icu::UnicodeString(u"<!--")) == 0; }

    // Where the first "-->" at or after `from` starts, or -1. Asked for in
    // rising order, the answer before serves until the walk passes it.
    int32_t commentCloseFrom(int32_t from) {
        if (from < commentSearchedFrom_ || (commentCloseFrom_ >= 0 && from > commentCloseFrom_)) {
            commentSearchedFrom_ = from;
            commentCloseFrom_ = text_.indexOf(u"-->", 3, from);
        }
        return commentCloseFrom_;
    }

    // One walk over the lines: the fenced code, and the block tags outside
    // it and outside comments, each opening paired with its closing.
    void findTagsAndFences() {
        std::vector<std::vector<size_t>> open(kNameCount);
        std::optional<Fence> fence;
        int32_t fenceStart = 0;
        int32_t commentEnd = 0;
        commentSearchedFrom_ = length_ + 1;
        for (int32_t line = 0; line < length_;) {
            const int32_t lineEnd = lineEndFrom(line);
            if (line >= commentEnd) {
                const std::optional<Fence> here = fenceAt(chars_, line, lineEnd);
                if (!fence && here) {
                    fence = here;
                    fenceStart = line;
                } else if (fence && here && here->mark == fence->mark && here->length >= fence->length &&
                           here->bare) {
                    fenced_.push_back({fenceStart, lineEnd});
                    fence.reset();
                    line = lineEnd + 1;
                    continue;
                }
            }
            if (!fence)
                findTagsOnLine(std::max(line, commentEnd), lineEnd, open, commentEnd);
            line = lineEnd + 1;
        }
        if (fence)
            fenced_.push_back({fenceStart, length_});
    }

    void findTagsOnLine(int32_t from, int32_t lineEnd, std::vector<std::vector<size_t>>& open, int32_t& commentEnd) {
        for (int32_t at = from; at < lineEnd; ++at) {
            const char16_t* found = u_memchr(chars_ + at, u'<', lineEnd - at);
            if (!found)
                return;
            at = static_cast<int32_t>(found - chars_);
            if (startsComment(at)) {
                const int32_t close = commentCloseFrom(at + 4);
                if (close < 0)
                    continue;
                commentEnd = close + 3;
                if (commentEnd > lineEnd)
                    return;
                at = commentEnd - 1;
                continue;
            }
            std::optional<Tag> tag = blockTagAt(chars_, length_, at);
            if (!tag)
                continue;
            std::vector<size_t>& opened = open[tag->name];
            if (tag->closing && !opened.empty()) {
                tags_[opened.back()].match = at;
                opened.pop_back();
            } else if (!tag->closing && kBlockNames[tag->name].element != Element::empty) {
                opened.push_back(tags_.size());
            }
            tags_.push_back(*tag);
        }
    }

    bool isFenced(int32_t at) const {
        auto after = std::upper_bound(fenced_.begin(), fenced_.end(), at,
                                      [](int32_t position, const Range& range) { return position < range.start; });
        return after != fenced_.begin() && at < std::prev(after)->end;
    }

    const Tag* tagAt(int32_t at) const {
        auto found = std::lower_bound(tags_.begin(), tags_.end(), at,
                                      [](const Tag& tag, int32_t position) { return tag.at < position; });
        return found != tags_.end() && found->at == at ? &*found : nullptr;
    }

    // The end of the last line before the next empty line (or `to`).
    int32_t paragraphEnd(int32_t line, int32_t to) const {
        int32_t end = std::min(lineEndFrom(line), to);
        while (end < to) {
            const int32_t nextEnd = std::min(lineEndFrom(end + 1), to);
            if (isBlankLine(end + 1, nextEnd))
                break;
            end = nextEnd;
        }
        return end;
    }

    // The blocks of [from, to), which starts a line after an empty one.
    void walk(int32_t from, int32_t to, int depth) {
        bool mayStart = true;
        for (int32_t line = from; line < to;) {
            const int32_t lineEnd = std::min(lineEndFrom(line), to);
            if (mayStart && chars_[line] == u'<' && !isFenced(line)) {
                const int32_t end = blockFrom(line, lineEnd, to, depth);
                if (end >= 0) {
                    line = end + 1;
                    continue;
                }
            }
            mayStart = isBlankLine(line, lineEnd);
            line = lineEnd + 1;
        }
    }

    int32_t addBlock(int32_t start, int32_t end) {
        pieces.push_back({RawHtmlPiece::Kind::block, start, end, 0, 0});
        return end;
    }

    // The block that starts at `line`: its end, or -1 when none starts there.
    int32_t blockFrom(int32_t line, int32_t lineEnd, int32_t to, int depth) {
        if (startsComment(line)) {
            const int32_t close = commentCloseFrom(line + 4);
            if (close < 0 || close + 3 > to)
                return addBlock(line, paragraphEnd(line, to));
            return addBlock(line, std::min(lineEndFrom(close + 3), to));
        }
        const Tag* tag = tagAt(line);
        if (!tag)
            return -1;
        const Element element = kBlockNames[tag->name].element;
        if (tag->closing)
            return addBlock(line, paragraphEnd(line, to));
        if (element == Element::empty)
            return addBlock(line, lineEnd);
        if (element == Element::aloneOnLine) {
            const int32_t tagEnd = openingTagEnd(*tag, lineEnd);
            if (tagEnd < 0 || !isBlankLine(tagEnd + 1, lineEnd))
                return -1;
        }
        if (tag->match < 0 || tag->match >= to)
            return addBlock(line, paragraphEnd(line, to));
        const int32_t end = std::min(lineEndFrom(tag->match), to);
        const int32_t tagEnd = markdownAttribute_ && depth < kDeepestMarkdownInside ? openingTagEnd(*tag, tag->match) : -1;
        if (tagEnd < 0)
            return addBlock(line, end);
        const std::optional<Range> attribute = markdownAttributeIn(tag->nameEnd, tagEnd);
        if (!attribute)
            return addBlock(line, end);
        pieces.push_back({RawHtmlPiece::Kind::openingTag, line, tagEnd + 1, attribute->start, attribute->end});
        walk(tagEnd + 1, tag->match, depth + 1);
        pieces.push_back({RawHtmlPiece::Kind::closingTag, tag->match, end, 0, 0});
        return end;
    }

    // The ">" that ends an opening tag, before `limit`, or -1.
    int32_t openingTagEnd(const Tag& tag, int32_t limit) const {
        const char16_t* found = u_memchr(chars_ + tag.nameEnd, u'>', std::max(0, limit - tag.nameEnd));
        return found ? static_cast<int32_t>(found - chars_) : -1;
    }

    struct Range {
        int32_t start;
        int32_t end;
    };

    // ` markdown="1"` (or '1', or 1, in any case) among the attributes in
    // [from, to): the blanks before it and the attribute.
    std::optional<Range> markdownAttributeIn(int32_t from, int32_t to) const {
        static constexpr std::u16string_view kName = u"markdown";
        for (int32_t at = from; at + static_cast<int32_t>(kName.size()) <= to; ++at) {
            if (!isBlank(chars_[at]) && chars_[at] != u'\n')
                continue;
            int32_t name = at;
            while (name < to && (isBlank(chars_[name]) || chars_[name] == u'\n'))
                ++name;
            int32_t end = name;
            for (char16_t c : kName)
                end = end < to && asciiLower(chars_[end]) == c ? end + 1 : -1;
            if (end < 0)
                continue;
            end = valueOneFrom(end, to);
            if (end >= 0)
                return Range{at, end};
        }
        return std::nullopt;
    }

    // `="1"`, `='1'` or `=1` from `from`, blanks allowed around "=": its end,
    // or -1.
    int32_t valueOneFrom(int32_t from, int32_t to) const {
        int32_t at = from;
        while (at < to && isBlank(chars_[at]))
            ++at;
        if (at >= to || chars_[at] != u'=')
            return -1;
        ++at;
        while (at < to && isBlank(chars_[at]))
            ++at;
        const char16_t quote = at < to && (chars_[at] == u'"' || chars_[at] == u'\'') ? chars_[at] : 0;
        if (quote)
            ++at;
        if (at >= to || chars_[at] != u'1')
            return -1;
        ++at;
        if (quote) {
            if (at >= to || chars_[at] != quote)
                return -1;
            ++at;
        }
        return at == to || isBlank(chars_[at]) || chars_[at] == u'\n' || chars_[at] == u'/' ? at : -1;
    }

    const icu::UnicodeString& text_;
    const char16_t* chars_;
    int32_t length_;
    bool markdownAttribute_;
    std::vector<Tag> tags_;
    std::vector<Range> fenced_;
    int32_t commentSearchedFrom_ = 0;
    int32_t commentCloseFrom_ = -1;
};

}  // namespace

std::vector<RawHtmlPiece> rawHtmlPieces(const icu::UnicodeString& text, bool markdownAttribute) {
    if (text.indexOf(u'<') < 0)
        return {};
    return Scanner(text, markdownAttribute).pieces;
}

bool startsWithBlockTag(const icu::UnicodeString& line) {
    if (!line.startsWith(u"<"))
        return false;
    const std::optional<Tag> tag = blockTagAt(line.getBuffer(), line.length(), 0);
    return tag && kBlockNames[tag->name].element != Element::aloneOnLine;
}

}  // namespace markdown
