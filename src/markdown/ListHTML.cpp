#include "markdown/ListHTML.h"

#include <string>
#include <vector>
#include <unicode/uchar.h>

#include "engine/ConverterBase.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace markdown {
namespace {

const char16_t kNumbered = u'1';

struct ListLine {
    enum class Kind { empty, item, text } kind = Kind::empty;
    int32_t depth = 0;        // tabs at the start
    char16_t marker = 0;      // items: the bullet, or kNumbered
    icu::UnicodeString text;  // the item's text, or the text line less one tab
};

bool isBullet(char16_t c) {
    return c == u'+' || c == u'*' || c == u'-';
}

ListLine classified(const icu::UnicodeString& line) {
    ListLine classified;
    classified.depth = static_cast<int32_t>(ConverterBase::countAtStartOfString(u"\t", line));
    const icu::UnicodeString content = ConverterBase::ltrim_Vant(line);
    if (content.isEmpty())
        return classified;
    const int32_t dot = content.indexOf(u". ");
    if (dot >= 0 && consistsOfDecimalDigits(icu::UnicodeString(content, 0, dot))) {
        classified.kind = ListLine::Kind::item;
        classified.marker = kNumbered;
        classified.text.setTo(content, dot + 2);
    } else if (isBullet(content.charAt(0)) && (content.length() == 1 || u_isUWhiteSpace(content.charAt(1)))) {
        // A bullet alone is an empty item.
        classified.kind = ListLine::Kind::item;
        classified.marker = content.charAt(0);
        if (content.length() > 2)
            classified.text.setTo(content, 2);
    } else {
        classified.kind = ListLine::Kind::text;
        classified.text = line.startsWith(u"\t") ? icu::UnicodeString(line, 1) : line;
    }
    return classified;
}

std::vector<ListLine> classifiedLines(const icu::UnicodeString& text) {
    std::vector<ListLine> lines;
    for (int32_t from = 0; from < text.length();) {
        int32_t end = text.indexOf(u'\n', from);
        if (end < 0)
            end = text.length();
        lines.push_back(classified(icu::UnicodeString(text, from, end - from)));
        from = end + 1;
    }
    return lines;
}

// What the HTML is built from: the lines as lists opened and closed, items
// and the text lines of the innermost open item.
struct Step {
    enum class Kind { openList, closeList, item, text } kind;
    int32_t list;             // the list it opens, closes or adds to
    bool afterBlank = false;  // text: an empty line stands before it
    icu::UnicodeString text;
};

struct ListPlan {
    std::vector<Step> steps;
    std::vector<char16_t> markers;  // by list
    std::vector<bool> loose;        // by list
};

// One walk over the lines with the open lists, innermost last. A deeper item
// opens a list inside the current item; a shallower one closes lists down
// to its depth; a text line after an empty line belongs to the item one tab
// less indented, closing the lists inside that item.
class ListPlanner {
public:
    ListPlan planned(const std::vector<ListLine>& lines) {
        for (const ListLine& line : lines) {
            if (line.kind == ListLine::Kind::empty) {
                blank_ = !plan_.steps.empty();
                continue;
            }
            if (line.kind == ListLine::Kind::item)
                addItem(line);
            else
                addText(line);
            blank_ = false;
        }
        while (!open_.empty())
            closeInnermost();
        return std::move(plan_);
    }

private:
    struct OpenList {
        int32_t depth;
        char16_t marker;
        int32_t list;
    };

    void addItem(const ListLine& line) {
        while (!open_.empty() && open_.back().depth > line.depth)
            closeInnermost();
        if (!open_.empty() && open_.back().depth == line.depth && open_.back().marker != line.marker)
            closeInnermost();
        if (open_.empty() || open_.back().depth < line.depth) {
            const int32_t parent = open_.empty() ? -1 : open_.back().list;
            const int32_t list = static_cast<int32_t>(plan_.markers.size());
            plan_.markers.push_back(line.marker);
            plan_.loose.push_back(false);
            plan_.steps.push_back({Step::Kind::openList, list, false, {}});
            open_.push_back({line.depth, line.marker, list});
            // An empty line before a nested list lies inside the outer item.
            if (blank_ && parent >= 0)
                plan_.loose[parent] = true;
        } else if (blank_) {
            plan_.loose[open_.back().list] = true;
        }
        plan_.steps.push_back({Step::Kind::item, open_.back().list, blank_, line.text});
    }

    void addText(const ListLine& line) {
        if (open_.empty()) {
            plan_.steps.push_back({Step::Kind::text, -1, blank_, line.text});
            return;
        }
        if (blank_) {
            while (open_.size() > 1 && open_.back().depth >= line.depth)
                closeInnermost();
            plan_.loose[open_.back().list] = true;
        }
        plan_.steps.push_back({Step::Kind::text, open_.back().list, blank_, line.text});
    }

    void closeInnermost() {
        plan_.steps.push_back({Step::Kind::closeList, open_.back().list, false, {}});
        open_.pop_back();
    }

    ListPlan plan_;
    std::vector<OpenList> open_;
    bool blank_ = false;
};

bool isCodeToken(const icu::UnicodeString& text) {
    return text.startsWith(u"%SavedCodeBlock") && text.endsWith(u"%") && text.length() > 16;
}

// A line that opens or closes a block element, as a quote built before the
// list pass: it stands outside the item's paragraphs.
bool startsWithBlockTag(const icu::UnicodeString& text) {
    static const char16_t* const kNames[] = {u"blockquote", u"pre", u"p", u"h1", u"h2", u"h3", u"h4", u"h5",
                                             u"h6", u"hr", u"ul", u"ol", u"table", u"div", u"dl"};
    if (!text.startsWith(u"<"))
        return false;
    const int32_t name = text.startsWith(u"</") ? 2 : 1;
    for (const char16_t* tag : kNames) {
        const int32_t end = name + static_cast<int32_t>(std::char_traits<char16_t>::length(tag));
        if (text.compare(name, end - name, tag) == 0 && end <= text.length() &&
            (end == text.length() || text.charAt(end) == u'>' || text.charAt(end) == u' ' || text.charAt(end) == u'/'))
            return true;
    }
    return false;
}

// Writes the steps; only the innermost item is ever written to, so one flag
// says whether a paragraph is open.
class ListWriter {
public:
    explicit ListWriter(const ListPlan& plan) : plan_(plan) {}

    icu::UnicodeString written() {
        for (const Step& step : plan_.steps) {
            switch (step.kind) {
            case Step::Kind::openList: openList(step.list); break;
            case Step::Kind::closeList: closeList(step.list); break;
            case Step::Kind::item: item(step); break;
            case Step::Kind::text: text(step); break;
            }
        }
        return std::move(out_);
    }

private:
    void openList(int32_t list) {
        endQuote();
        closeParagraph();
        if (!out_.isEmpty() && !out_.endsWith(u"\n"))
            out_.append(u'\n');
        out_.append(plan_.markers[list] == kNumbered ? u"<ol>\n" : u"<ul>\n");
        itemOpen_.push_back(false);
    }

    void closeList(int32_t list) {
        closeItem();
        out_.append(plan_.markers[list] == kNumbered ? u"</ol>" : u"</ul>");
        itemOpen_.pop_back();
    }

    void item(const Step& step) {
        closeItem();
        out_.append(u"<li>");
        itemOpen_.back() = true;
        if (plan_.loose[step.list] && !step.text.isEmpty())
            openParagraph();
        out_.append(step.text);
    }

    // Code saved inside the item and block elements are blocks of their own;
    // so is a quote, which the quote pass after this one builds.
    void text(const Step& step) {
        const bool quote = step.text.startsWith(u">");
        // A fenced block under a nested item keeps its indent before the token.
        const bool block = quote || isCodeToken(ConverterBase::ltrim_Vant(step.text)) || startsWithBlockTag(step.text);
        if (step.afterBlank || block)
            closeParagraph();
        out_.append(step.afterBlank ? u"\n\n" : u"\n");
        if (step.list >= 0 && plan_.loose[step.list] && !paragraphOpen_ && !block)
            openParagraph();
        out_.append(step.text);
        quoteLast_ = quote || (quoteLast_ && !step.afterBlank);
    }

    // An empty line ends a quote's lazy lines before the tags that follow.
    void endQuote() {
        if (quoteLast_)
            out_.append(u"\n\n");
        quoteLast_ = false;
    }

    void closeItem() {
        endQuote();
        closeParagraph();
        if (!itemOpen_.empty() && itemOpen_.back())
            out_.append(u"</li>\n");
        if (!itemOpen_.empty())
            itemOpen_.back() = false;
    }

    void openParagraph() {
        out_.append(u"<p>");
        paragraphOpen_ = true;
    }

    void closeParagraph() {
        if (paragraphOpen_)
            out_.append(u"</p>");
        paragraphOpen_ = false;
    }

    const ListPlan& plan_;
    icu::UnicodeString out_;
    std::vector<bool> itemOpen_;  // by open list, innermost last
    bool paragraphOpen_ = false;
    bool quoteLast_ = false;  // the last text line belongs to a quote
};

}  // namespace

icu::UnicodeString listHTML(const icu::UnicodeString& listText) {
    const ListPlan plan = ListPlanner().planned(classifiedLines(listText));
    return ListWriter(plan).written();
}

}  // namespace markdown
