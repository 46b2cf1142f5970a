// Bulleted and numbered lists: find where a list starts, decide how far it
// reaches, and build nested ul/ol elements by tab depth.
#include "markdown/Markdown_ObjC.h"

#include <unicode/uchar.h>

#include "engine/TextUtilities.h"
#include "markdown/BlockScan.h"
#include "markdown/MarkdownText.h"

namespace {

bool isMarker(char16_t c) {
    return u_isUWhiteSpace(c) || c == u'+' || c == u'-' || c == u'*';
}

bool isBullet(char16_t c) {
    return c == u'+' || c == u'*' || c == u'-';
}

// The part before the first ". " is a number (or nothing), or the line
// starts with a number, a period and a tab.
bool startsWithNumber(const icu::UnicodeString& line) {
    int32_t dot = line.indexOf(u". ");
    return markdown::consistsOfDecimalDigits(dot < 0 ? line : icu::UnicodeString(line, 0, dot)) ||
           markdown::startsWithOrderedListMarker(line);
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
        } else if (!line.isEmpty() && (line.indexOf(u". ") >= 0 || line.indexOf(u".\t") >= 0) &&
                   startsWithNumber(line)) {
            afterGap = false;
        } else if (!line.isEmpty()) {
            // A continuation line, whatever sentences it holds.
            take = !afterGap;
        } else {
            take = !afterGap;
            afterGap = true;
        }
        if (!take)
            break;
        extent.listText.append(line).append(u'\n');
        // Only the line's first and last non-white-space characters can
        // move the extent.
        int32_t first = pos;
        while (first < end && u_isUWhiteSpace(text.charAt(first)))
            ++first;
        if (first < end) {
            if (extent.start < 0)
                extent.start = first;
            int32_t last = end;
            while (u_isUWhiteSpace(text.charAt(last - 1)))
                --last;
            extent.end = last;
        }
        if (end >= text.length())
            break;
        pos = end + 1;
    }
    return extent;
}

bool isCodeToken(const icu::UnicodeString& text) {
    return text.startsWith(u"%SavedCodeBlock") && text.endsWith(u"%") && text.length() > 16;
}

struct ListLine {
    enum class Kind { empty, item, continuation } kind = Kind::empty;
    long depth = 0;         // tabs at the start
    bool numbered = false;  // items: an ol item
    bool loose = false;     // items: their paragraphs get p elements
    icu::UnicodeString text;  // the item's text, or the continuation line less one tab
};

ListLine classified(const icu::UnicodeString& line) {
    ListLine classified;
    classified.depth = Markup_ObjC::countAtStartOfString(u"\t", line);
    const icu::UnicodeString content = Markup_ObjC::ltrim_Vant(line);
    if (content.isEmpty())
        return classified;
    int32_t dot = content.indexOf(u". ");
    if (dot >= 0 && markdown::consistsOfDecimalDigits(icu::UnicodeString(content, 0, dot))) {
        classified.kind = ListLine::Kind::item;
        classified.numbered = true;
        classified.text.setTo(content, dot + 2);
    } else if (content.length() > 1 && isBullet(content.charAt(0)) && u_isUWhiteSpace(content.charAt(1))) {
        classified.kind = ListLine::Kind::item;
        classified.text.setTo(content, 2);
    } else {
        classified.kind = ListLine::Kind::continuation;
        classified.text = line.startsWith(u"\t") ? icu::UnicodeString(line, 1) : line;
    }
    return classified;
}

// An item is loose when an empty line stands right before it or between it
// and the next item; empty lines before or after the whole list do not count.
void markLooseItems(std::vector<ListLine>& lines) {
    size_t first = 0;
    while (first < lines.size() && lines[first].kind == ListLine::Kind::empty)
        ++first;
    size_t last = lines.size();
    while (last > first && lines[last - 1].kind == ListLine::Kind::empty)
        --last;
    for (size_t i = first; i < last; ++i) {
        if (lines[i].kind != ListLine::Kind::item)
            continue;
        bool loose = i > first && lines[i - 1].kind == ListLine::Kind::empty;
        for (size_t j = i + 1; j < last && !loose && lines[j].kind != ListLine::Kind::item; ++j)
            loose = lines[j].kind == ListLine::Kind::empty;
        lines[i].loose = loose;
    }
}

// Nested ul/ol elements by tab depth. The first item's kind decides the
// outer list; a deeper item opens a list inside the previous item, a
// shallower one closes lists until its depth.
class ListBuilder {
public:
    void add(const ListLine& line) {
        if (line.kind == ListLine::Kind::empty) {
            closeParagraph();
            out_.append(u'\n');
        } else if (line.kind == ListLine::Kind::continuation) {
            // In a loose item, a line after an empty one starts a paragraph;
            // code saved inside the item is a block of its own, and ends the
            // paragraph it follows.
            const bool code = isCodeToken(Markup_ObjC::ltrim_Vant(line.text));
            if (code)
                closeParagraph();
            out_.append(u'\n');
            if (itemIsLoose_ && !paragraphOpen_ && !code) {
                out_.append(u"<p>");
                paragraphOpen_ = true;
            }
            out_.append(line.text);
        } else {
            closeParagraph();
            openItem(line);
            if (line.loose)
                out_.append(u"<p>");
            out_.append(line.text);
            itemIsLoose_ = paragraphOpen_ = line.loose;
        }
    }

    icu::UnicodeString finish() {
        closeParagraph();
        out_.append(u"</li>\n");
        while (!closing_.empty()) {
            out_.append(closing_.back()).append(u'\n');
            closing_.pop_back();
        }
        return out_.append(outerClosing_);
    }

private:
    void openItem(const ListLine& item) {
        if (!started_) {
            out_.append(item.numbered ? u"<ol>" : u"<ul>").append(u"\n<li>");
            started_ = true;
            outerClosing_ = item.numbered ? u"</ol>" : u"</ul>";
        } else if (item.depth == level_) {
            out_.append(u"\n</li>\n<li>");
        } else if (item.depth > level_) {
            level_ += 1;
            out_.append(item.numbered ? u"\n<ol>\n" : u"\n<ul>\n");
            closing_.push_back(item.numbered ? u"</ol></li>" : u"</ul>\n</li>");
            out_.append(u"<li>");
        } else {
            if (!closing_.empty()) {
                for (long k = 0; k < level_ - item.depth && !closing_.empty(); ++k) {
                    out_.append(u"</li>\n").append(closing_.back());
                    closing_.pop_back();
                }
                out_.append(u'\n');
            }
            out_.append(u"<li>");
            level_ = item.depth;
        }
    }

    void closeParagraph() {
        if (paragraphOpen_)
            out_.append(u"</p>");
        paragraphOpen_ = false;
    }

    icu::UnicodeString out_;
    std::vector<icu::UnicodeString> closing_;
    icu::UnicodeString outerClosing_;
    long level_ = 0;
    bool started_ = false;
    bool itemIsLoose_ = false;
    bool paragraphOpen_ = false;
};

// The pieces between "</li>" that are not empty, each without the line ends
// around it, joined by "</li>\n"; an item's text then follows "<li>" at once.
icu::UnicodeString withItemsTrimmed(const icu::UnicodeString& built) {
    const icu::UnicodeString closing(u"</li>");
    icu::UnicodeString html = engine::emptyWithRoomFor(built);
    bool first = true;
    for (int32_t from = 0;;) {
        int32_t end = built.indexOf(closing, from);
        if (end < 0)
            end = built.length();
        if (end > from) {
            if (!first)
                html.append(closing).append(u'\n');
            first = false;
            int32_t start = from;
            int32_t stop = end;
            while (start < stop && markdown::isNewlineCharacter(built.charAt(start)))
                ++start;
            while (stop > start && markdown::isNewlineCharacter(built.charAt(stop - 1)))
                --stop;
            html.append(built, start, stop - start);
        }
        if (end == built.length())
            break;
        from = end + closing.length();
    }
    engine::replaceAllLiteral(html, u"<li>\n", u"<li>");
    return html;
}

}  // namespace

void Markdown_ObjC::performList() {
    // Bulleted lists first, then numbered ones.
    for (markdown::ListMarker marker : {markdown::ListMarker::bulleted, markdown::ListMarker::numbered}) {
        // Lists are built in text order; a built list holds no list start,
        // so the search goes on after it and the text is written once.
        icu::UnicodeString out(str.length() + str.length() / 4, UChar32(0), 0);
        int32_t copiedUpTo = 0;
        int32_t searchFrom = 0;
        for (int32_t start; (start = markdown::listStartFrom(str, searchFrom, marker)) >= 0;) {
            ListExtent list = collectList(str, start + 2);
            if (list.start < 0) {
                // Only empty lines (as after a removed marker): nothing to
                // build here; the same run of newlines one further on is.
                searchFrom = start + 1;
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
    // Every item already starts its own line; the lines pass unchanged, each
    // followed by "\n", so the text gains an empty last line.
    icu::UnicodeString out(listText);
    return out.append(u'\n');
}

icu::UnicodeString Markdown_ObjC::makeHTMLList(const icu::UnicodeString& listText) const {
    icu::UnicodeString text(listText);
    engine::replaceAllLiteral(text, u".\t", u". ");
    text = resolveOrderedLists(text);
    std::vector<ListLine> lines;
    for (int32_t from = 0;;) {
        int32_t end = text.indexOf(u'\n', from);
        if (end < 0)
            end = text.length();
        lines.push_back(classified(icu::UnicodeString(text, from, end - from)));
        if (end == text.length())
            break;
        from = end + 1;
    }
    markLooseItems(lines);

    ListBuilder builder;
    for (const ListLine& line : lines)
        builder.add(line);
    return withItemsTrimmed(builder.finish());
}
