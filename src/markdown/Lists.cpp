// Bulleted and numbered lists: find where a list starts, decide how far it
// reaches, and build nested ul/ol elements by tab depth.
#include "markdown/MarkdownConverter.h"

#include <unicode/uchar.h>

#include "engine/TextUtilities.h"
#include "markdown/BlockScan.h"
#include "markdown/ListHTML.h"
#include "markdown/MarkdownText.h"

namespace {

bool isMarker(char16_t c) {
    return u_isUWhiteSpace(c) || c == u'+' || c == u'-' || c == u'*';
}

// A heading written right under a list is no part of its last item.
bool isHeading(const icu::UnicodeString& line) {
    return line.length() > 3 && line.startsWith(u"<h") && line.charAt(2) >= u'1' && line.charAt(2) <= u'6';
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
        if (isHeading(line)) {
            break;
        } else if (!line.isEmpty() && isMarker(line.charAt(0))) {
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

}  // namespace

void MarkdownConverter::performList() {
    buildLists(str);
}

void MarkdownConverter::buildLists(icu::UnicodeString& text) const {
    // Bulleted lists first, then numbered ones.
    for (markdown::ListMarker marker : {markdown::ListMarker::bulleted, markdown::ListMarker::numbered}) {
        // Lists are built in text order; a built list holds no list start,
        // so the search goes on after it and the text is written once.
        icu::UnicodeString out(text.length() + text.length() / 4, UChar32(0), 0);
        int32_t copiedUpTo = 0;
        int32_t searchFrom = 0;
        for (int32_t start; (start = markdown::listStartFrom(text, searchFrom, marker)) >= 0;) {
            ListExtent list = collectList(text, start + 2);
            if (list.start < 0) {
                // Only empty lines (as after a removed marker): nothing to
                // build here; the same run of newlines one further on is.
                searchFrom = start + 1;
                continue;
            }
            out.append(text, copiedUpTo, list.start - copiedUpTo).append(makeHTMLList(list.listText));
            copiedUpTo = searchFrom = list.end;
        }
        out.append(text, copiedUpTo, text.length() - copiedUpTo);
        text = std::move(out);
    }
}

icu::UnicodeString MarkdownConverter::resolveOrderedLists(const icu::UnicodeString& listText) const {
    // Every item already starts its own line; the lines pass unchanged, each
    // followed by "\n", so the text gains an empty last line.
    icu::UnicodeString out(listText);
    return out.append(u'\n');
}

icu::UnicodeString MarkdownConverter::makeHTMLList(const icu::UnicodeString& listText) const {
    icu::UnicodeString text(listText);
    engine::replaceAllLiteral(text, u".\t", u". ");
    return markdown::listHTML(resolveOrderedLists(text));
}
