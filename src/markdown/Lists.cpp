// Bulleted and numbered lists: find where a list starts, decide how far it
// reaches, and build nested ul/ol elements by tab depth.
#include "markdown/Markdown_ObjC.h"

#include <optional>
#include <unicode/uchar.h>

#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace {

const uint32_t kListOptions = engine::kCaseInsensitive | engine::kDotMatchesLineSeparators;

bool isMarker(char16_t c) {
    return u_isUWhiteSpace(c) || c == u'+' || c == u'-' || c == u'*';
}

bool isBullet(char16_t c) {
    return c == u'+' || c == u'*' || c == u'-';
}

// The part before the first ". " is a number (or nothing).
bool startsWithNumber(const icu::UnicodeString& line) {
    int32_t dot = line.indexOf(u". ");
    return markdown::consistsOfDecimalDigits(dot < 0 ? line : icu::UnicodeString(line, 0, dot));
}

// The list that starts at `from`: its text (lines each followed by "\n") and
// where its non-blank part lies in `text`.
struct ListExtent {
    icu::UnicodeString listText;
    int32_t start = -1;  // first non-white-space character taken
    int32_t end = -1;    // after the last one
};

ListExtent collectList(const icu::UnicodeString& text, int32_t from) {
    ListExtent extent;
    bool afterGap = false;
    for (int32_t pos = from;;) {
        const int32_t end = markdown::lineEnd(text, pos);
        const icu::UnicodeString line(text, pos, end - pos);
        bool take = true;
        if (!line.isEmpty() && isMarker(line.charAt(0))) {
            afterGap = false;
        } else if (!line.isEmpty() && (line.indexOf(u". ") >= 0 || line.indexOf(u".\t") >= 0)) {
            if (startsWithNumber(line))
                afterGap = false;
            else if (afterGap)
                take = false;
            else
                afterGap = true;
        } else if (!line.isEmpty()) {
            take = !afterGap;
        } else {
            take = !afterGap;
            afterGap = true;
        }
        if (!take)
            break;
        extent.listText.append(line).append(u'\n');
        for (int32_t i = pos; i < end; ++i) {
            if (u_isUWhiteSpace(text.charAt(i)))
                continue;
            if (extent.start < 0)
                extent.start = i;
            extent.end = i + 1;
        }
        if (end >= text.length())
            break;
        pos = end + 1;
    }
    return extent;
}

// The first list start at or after a position. One search of the whole text
// answers in order; only where a found start overlaps the position (so that
// a start inside it was never looked for) is the text searched again there.
class ListStarts {
public:
    ListStarts(const icu::UnicodeString& text, const icu::UnicodeString& pattern)
        : text_(text), pattern_(pattern),
          all_(engine::findAll(text, pattern, kListOptions).value_or(std::vector<engine::Match>{})) {}

    std::optional<engine::Match> firstFrom(int32_t from) {
        while (next_ < all_.size() && all_[next_].start() < from)
            ++next_;
        if (next_ > 0 && all_[next_ - 1].end() > from)
            return engine::findFirst(text_, pattern_, kListOptions, from);
        if (next_ < all_.size())
            return all_[next_];
        return std::nullopt;
    }

private:
    const icu::UnicodeString& text_;
    icu::UnicodeString pattern_;
    std::vector<engine::Match> all_;
    size_t next_ = 0;
};

}  // namespace

void Markdown_ObjC::performList() {
    const char16_t* const startPatterns[] = {
        uR"((?m)\n{2,}[ ]{0,3}[*+-][ \t]{1,1}(.*?)$)",
        uR"((?m)\n{2,}([0-9]{1,}\.)[ \t]{1,1}(.*?)$)",
    };
    for (const char16_t* pattern : startPatterns) {
        icu::UnicodeString error;
        if (!engine::compiledPattern(pattern, kListOptions, &error)) {
            engine::log(u"Error Markdown/performLists %@", {error});
            continue;
        }
        // Lists are built in text order; a built list holds no list start,
        // so the search goes on after it and the text is written once.
        ListStarts starts(str, pattern);
        icu::UnicodeString out(str.length() + str.length() / 4, UChar32(0), 0);
        int32_t copiedUpTo = 0;
        int32_t searchFrom = 0;
        while (auto match = starts.firstFrom(searchFrom)) {
            ListExtent list = collectList(str, match->start() + 2);
            if (list.start < 0) {
                // Only empty lines (as after a removed marker): nothing to
                // build here; the same run of newlines one further on is.
                searchFrom = match->start() + 1;
                continue;
            }
            out.append(str, copiedUpTo, list.start - copiedUpTo).append(makeHTMLList(list.listText));
            copiedUpTo = searchFrom = list.end;
        }
        out.append(str, copiedUpTo, str.length() - copiedUpTo);
        str = std::move(out);
    }
}

icu::UnicodeString Markdown_ObjC::resolveOrderedLists(const icu::UnicodeString& listText) const {
    // Every item already starts its own line; lines pass unchanged.
    icu::UnicodeString out;
    for (const icu::UnicodeString& line : engine::split(listText, u"\n"))
        out.append(line).append(u'\n');
    return out;
}

icu::UnicodeString Markdown_ObjC::makeHTMLList(const icu::UnicodeString& listText) const {
    icu::UnicodeString text(listText);
    engine::replaceAllLiteral(text, u".\t", u". ");
    std::vector<icu::UnicodeString> lines = engine::split(resolveOrderedLists(text), u"\n");

    icu::UnicodeString out;
    std::vector<icu::UnicodeString> closing;
    long level = 0;
    bool started = false;
    icu::UnicodeString outerClosing;
    for (icu::UnicodeString& line : lines) {
        const long depth = countAtStartOfString(u"\t", line);
        const icu::UnicodeString content = ltrim_Vant(line);
        if (content.isEmpty()) {
            out.append(u'\n');
            continue;
        }
        bool numbered = false;
        icu::UnicodeString item;
        int32_t dot = content.indexOf(u". ");
        if (dot >= 0 && markdown::consistsOfDecimalDigits(icu::UnicodeString(content, 0, dot))) {
            numbered = true;
            item.setTo(content, dot + 2);
        } else if (content.length() > 1 && isBullet(content.charAt(0)) && u_isUWhiteSpace(content.charAt(1))) {
            item.setTo(content, 2);
        } else {
            // A continuation of the current item.
            if (line.startsWith(u"\t"))
                line.remove(0, 1);
            out.append(u'\n').append(line);
            continue;
        }

        if (!started) {
            out.append(numbered ? u"<ol>" : u"<ul>").append(u"\n<li>").append(item);
            started = true;
            outerClosing = numbered ? u"</ol>" : u"</ul>";
        } else if (depth == level) {
            out.append(u"\n</li>\n<li>").append(item);
        } else if (depth > level) {
            level += 1;
            out.append(numbered ? u"\n<ol>\n" : u"\n<ul>\n");
            closing.push_back(numbered ? u"</ol></li>" : u"</ul>\n</li>");
            out.append(u"<li>").append(item);
        } else {
            if (!closing.empty()) {
                for (long k = 0; k < level - depth && !closing.empty(); ++k) {
                    out.append(u"</li>\n").append(closing.back());
                    closing.pop_back();
                }
                out.append(u'\n');
            }
            out.append(u"<li>").append(item);
            level = depth;
        }
    }
    out.append(u"</li>\n");
    while (!closing.empty()) {
        out.append(closing.back()).append(u'\n');
        closing.pop_back();
    }
    out.append(outerClosing);

    std::vector<icu::UnicodeString> pieces;
    for (const icu::UnicodeString& piece : engine::split(out, u"</li>"))
        if (!piece.isEmpty())
            pieces.push_back(markdown::trimmedOfNewlines(piece));
    icu::UnicodeString html = engine::join(pieces, u"</li>\n");
    engine::replaceAllLiteral(html, u"<li>\n", u"<li>");
    return html;
}
