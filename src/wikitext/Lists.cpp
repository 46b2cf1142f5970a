// Lists written with line prefixes: "*" bullets, "#" numbers, ";" terms and
// ":" definitions or indents, mixed and nested as a wiki nests them. Each
// line's prefix is compared with the one before it: the levels they do not
// share are closed, the new ones opened, and a shared last level goes on
// with its next item.
#include "wikitext/WikitextConverter.h"

#include <algorithm>

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace {

bool isPrefixCharacter(char16_t c) { return c == u'*' || c == u'#' || c == u':' || c == u';'; }

// Lists nest this deep at most; further markers are the item's text, so a
// line of thousands of them does not open thousands of lists.
constexpr int32_t kDeepestList = 32;

int32_t prefixLength(const icu::UnicodeString& line) {
    int32_t length = 0;
    while (length < line.length() && length < kDeepestList && isPrefixCharacter(line[length]))
        ++length;
    return length;
}

// A term and its definitions share one <dl>, so ";" and ":" are one kind of level.
char16_t levelKind(char16_t prefix) { return prefix == u';' ? u':' : prefix; }

// Lines that are blocks of their own end a list: the headings and rules the
// rule table made, preformatted text, a table, and inside a table its rows
// and cells.
bool endsList(const icu::UnicodeString& line, bool insideTable) {
    return line.startsWith(u"<h") || line.startsWith(u"<pre") || line.startsWith(u"<table") ||
           line.startsWith(u"{|") || (insideTable && (line.startsWith(u"|") || line.startsWith(u"!")));
}

// The indentation of a level's lines, no deeper than a few tabs.
icu::UnicodeString tabs(size_t count) {
    static const icu::UnicodeString kTabs(u"\t\t\t\t");
    return icu::UnicodeString(kTabs, 0, int32_t(std::min(count, size_t(4))));
}

// Where the ":" that ends a term stands, or -1. Colons inside tags, in the
// text of links made earlier, in references and in "://" of an address are
// no markup. A closing is searched for only where one follows, so a line
// of openings costs one walk.
int32_t termColon(const icu::UnicodeString& text) {
    const int32_t lastLinkEnd = text.lastIndexOf(u"</a>");
    const int32_t lastReferenceEnd = text.lastIndexOf(u"</ref>");
    for (int32_t i = 0; i < text.length(); ++i) {
        if (text[i] == u'<') {
            int32_t end = -1;
            if ((text.compare(i, 3, u"<a ") == 0 || text.compare(i, 3, u"<a>") == 0) && lastLinkEnd > i)
                end = text.indexOf(u"</a>", i);
            else if (text.compare(i, 4, u"<ref") == 0 && lastReferenceEnd > i)
                end = text.indexOf(u"</ref>", i);
            if (end < 0)
                end = text.indexOf(u'>', i);
            if (end < 0)
                return -1;
            i = end;
        } else if (text[i] == u':' && text.compare(i + 1, 2, u"//") != 0) {
            return i;
        }
    }
    return -1;
}

// One list at a time: its open levels, innermost last, and its HTML so far.
class ListWriter {
public:
    explicit ListWriter(icu::UnicodeString lineBreak) : lineBreak_(std::move(lineBreak)) {}

    bool isOpen() const { return !levels_.empty(); }
    // A list that began with an indent (":") has no item to go on in.
    bool takesContinuation() const { return !startedAsIndent_; }

    void item(const icu::UnicodeString& prefix, const icu::UnicodeString& text) {
        size_t common = 0;
        while (common < levels_.size() && common < size_t(prefix.length()) &&
               levels_[common].kind == levelKind(prefix[common]))
            ++common;
        while (levels_.size() > common)
            closeLevel();
        if (common == size_t(prefix.length())) {
            nextItem(prefix[prefix.length() - 1]);
        } else {
            // A deeper ":" under a term is that term's definition.
            if (common > 0 && prefix[common - 1] == u':' && levels_.back().item == u't')
                nextItem(u':');
            for (size_t i = common; i < size_t(prefix.length()); ++i)
                openLevel(prefix[i], i + 1 < size_t(prefix.length()));
        }
        if (prefix[prefix.length() - 1] != u';') {
            html_ += levels_.back().kind == u':' ? engine::trimmed(text) : text;
            return;
        }
        const int32_t colon = termColon(text);
        html_ += engine::trimmed(colon < 0 ? text : icu::UnicodeString(text, 0, colon));
        if (colon >= 0) {
            nextItem(u':');
            html_ += engine::trimmed(icu::UnicodeString(text, colon + 1));
        }
    }

    // A line without a prefix goes on in the item above.
    void continuation(const icu::UnicodeString& line) { html_ += lineBreak_ + line; }

    // The whole list, closed, set apart from the text around it by empty lines.
    icu::UnicodeString close() {
        while (!levels_.empty())
            closeLevel();
        icu::UnicodeString html;
        html.swap(html_);
        return u"\n" + html + u"\n\n";
    }

private:
    struct Level {
        char16_t kind;  // '*', '#' or ':'
        char16_t item;  // 'l' for <li>, 't' for <dt>, 'd' for <dd>
        // Opened only to hold a deeper level ("**a" at a list's start): written
        // on one line with its item, opening and closing, as long as it holds
        // nothing else.
        bool wrapper;
    };

    static char16_t itemOf(char16_t prefix) { return prefix == u';' ? u't' : prefix == u':' ? u'd' : u'l'; }
    static const char16_t* openingOf(char16_t item) {
        return item == u't' ? u"<dt>" : item == u'd' ? u"<dd>" : u"<li>";
    }
    static const char16_t* closingOf(char16_t item) {
        return item == u't' ? u"</dt>" : item == u'd' ? u"</dd>" : u"</li>";
    }
    static const char16_t* listOpeningOf(char16_t kind) {
        return kind == u'*' ? u"<ul>" : kind == u'#' ? u"<ol>" : u"<dl>";
    }
    static const char16_t* listClosingOf(char16_t kind) {
        return kind == u'*' ? u"</ul>" : kind == u'#' ? u"</ol>" : u"</dl>";
    }

    void newLine(size_t depth) {
        html_ += u'\n';
        html_.append(tabs(depth));
    }

    void openLevel(char16_t prefix, bool wrapper) {
        const size_t depth = levels_.size();
        if (depth == 0)
            startedAsIndent_ = prefix == u':';
        levels_.push_back({levelKind(prefix), itemOf(prefix), wrapper});
        if (!wrapper || depth == 0)
            newLine(depth);
        html_ += listOpeningOf(levels_.back().kind);
        if (!wrapper)
            newLine(depth + 1);
        html_ += openingOf(levels_.back().item);
    }

    void nextItem(char16_t prefix) {
        html_ += closingOf(levels_.back().item);
        levels_.back().item = itemOf(prefix);
        levels_.back().wrapper = false;
        newLine(levels_.size());
        html_ += openingOf(levels_.back().item);
    }

    void closeLevel() {
        const Level level = levels_.back();
        levels_.pop_back();
        html_ += closingOf(level.item);
        if (!level.wrapper)
            newLine(levels_.size());
        html_ += listClosingOf(level.kind);
    }

    icu::UnicodeString lineBreak_;
    bool startedAsIndent_ = false;
    std::vector<Level> levels_;
    icu::UnicodeString html_;
};

}  // namespace

// One walk over the lines. A list runs from a line with a prefix to the
// next blank line or block of its own; lines between without a prefix go on
// in the item above, except after an indent, which they end.
void WikitextConverter::performLists() {
    ListWriter writer(u"<br" + HTML_close);
    icu::UnicodeString out;
    bool found = false;
    int32_t copiedUpTo = 0;
    int32_t tables = 0;
    for (int32_t start = 0; start < str.length();) {
        int32_t end = engine::findUnit(str, u'\n', start);
        if (end < 0)
            end = str.length();
        const icu::UnicodeString line(false, str.getBuffer() + start, end - start);
        const int32_t prefix = prefixLength(line);
        if (line.startsWith(u"{|"))
            ++tables;
        else if (line.startsWith(u"|}") && tables > 0)
            --tables;
        if (prefix > 0 && !writer.isOpen()) {
            if (!found)
                out = engine::emptyWithRoomFor(str);
            found = true;
            out.append(str, copiedUpTo, start - copiedUpTo);
        }
        const bool blank = prefix == 0 && engine::isBlank(line);
        if (prefix > 0) {
            writer.item(icu::UnicodeString(line, 0, prefix), icu::UnicodeString(line, prefix));
        } else if (writer.isOpen() && writer.takesContinuation() && !blank && !endsList(line, tables > 0)) {
            writer.continuation(line);
        } else if (writer.isOpen()) {
            out.append(writer.close());
            // The list ends with an empty line of its own, so a blank line
            // that ends it goes with it; other markup is copied later.
            copiedUpTo = blank ? std::min(end + 1, str.length()) : start;
        }
        if (writer.isOpen())
            copiedUpTo = std::min(end + 1, str.length());
        start = end + 1;
    }
    if (!found)
        return;
    if (writer.isOpen())
        out.append(writer.close());
    out.append(str, copiedUpTo, str.length() - copiedUpTo);
    str = std::move(out);
}
