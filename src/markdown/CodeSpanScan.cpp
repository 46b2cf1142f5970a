#include "markdown/CodeSpanScan.h"

#include <unicode/ustring.h>

#include "markdown/HtmlTagScan.h"

namespace markdown {
namespace {

constexpr char16_t kBacktick = u'`';

// The first backtick at or after `from`, or -1.
int32_t nextBacktick(const char16_t* text, int32_t length, int32_t from) {
    if (from >= length)
        return -1;
    const char16_t* found = u_memchr(text + from, kBacktick, length - from);
    return found ? static_cast<int32_t>(found - text) : -1;
}

// The first backtick at or after `from` outside HTML tags, or -1: a backtick
// in an attribute value opens no span.
int32_t nextBacktickOutsideTags(const char16_t* text, int32_t length, int32_t from) {
    for (int32_t at = from; at < length; ++at) {
        if (text[at] == kBacktick)
            return at;
        if (text[at] == u'<') {
            const int32_t tagEnd = htmlTagEnd(text, length, at);
            if (tagEnd > 0)
                at = tagEnd - 1;
        }
    }
    return -1;
}

// The first place at or after `from` where two backticks follow each other;
// an opening one stands outside HTML tags.
int32_t nextDoubledBacktick(const char16_t* text, int32_t length, int32_t from, bool opening) {
    auto next = [&](int32_t at) {
        return opening ? nextBacktickOutsideTags(text, length, at) : nextBacktick(text, length, at);
    };
    for (int32_t at = next(from); at >= 0; at = next(at + 1))
        if (at + 1 < length && text[at + 1] == kBacktick)
            return at;
    return -1;
}

int32_t endOfBacktickRun(const char16_t* text, int32_t length, int32_t from) {
    while (from < length && text[from] == kBacktick)
        ++from;
    return from;
}

// "(?!\n\n)" fails at a character start between the two. ICU's "." takes
// "\r\n" as one character, so a "\n" right after "\r" is never looked at.
bool holdsEmptyLine(const char16_t* text, int32_t from, int32_t to) {
    for (int32_t at = from; at + 1 < to; ++at) {
        if (text[at] == u'\n' && text[at + 1] == u'\n')
            return true;
        if (text[at] == u'\r' && text[at + 1] == u'\n')
            ++at;
    }
    return false;
}

}  // namespace

// The opening run takes every backtick it can; the lazy middle then stops at
// the first doubled backtick after it, and the closing run takes the whole
// run from there. Only when nothing closes does the opening give back
// backticks: down to two, which closes inside a run of four or more. A
// start that fails so leaves no doubled backtick after it, so the search
// ends there.
std::vector<engine::TextRange> doubledBacktickSpans(const icu::UnicodeString& string) {
    const char16_t* text = string.getBuffer();
    const int32_t length = string.length();
    std::vector<engine::TextRange> spans;
    for (int32_t from = 0;;) {
        const int32_t open = nextDoubledBacktick(text, length, from, true);
        if (open < 0)
            break;
        const int32_t openEnd = endOfBacktickRun(text, length, open);
        const int32_t close = nextDoubledBacktick(text, length, openEnd, false);
        if (close >= 0) {
            from = endOfBacktickRun(text, length, close);
            spans.push_back({open, from});
            continue;
        }
        if (openEnd - open >= 4)
            spans.push_back({open, openEnd});
        break;
    }
    return spans;
}

// A start whose next backtick lies beyond an empty line fails; the search
// goes on from that next backtick, which may open a span of its own. A
// backtick inside an HTML tag opens nothing, but inside code a tag is code.
std::vector<engine::TextRange> singleBacktickSpans(const icu::UnicodeString& string) {
    const char16_t* text = string.getBuffer();
    const int32_t length = string.length();
    std::vector<engine::TextRange> spans;
    for (int32_t open = nextBacktickOutsideTags(text, length, 0); open >= 0;) {
        const int32_t close = nextBacktick(text, length, open + 1);
        if (close < 0)
            break;
        if (holdsEmptyLine(text, open + 1, close)) {
            open = nextBacktickOutsideTags(text, length, open + 1);
            continue;
        }
        spans.push_back({open, close + 1});
        open = nextBacktickOutsideTags(text, length, close + 1);
    }
    return spans;
}

std::vector<int32_t> escapedBacktickStarts(const icu::UnicodeString& string) {
    const char16_t* text = string.getBuffer();
    const int32_t length = string.length();
    std::vector<int32_t> starts;
    for (int32_t at = nextBacktickOutsideTags(text, length, 1); at >= 0;
         at = nextBacktickOutsideTags(text, length, at + 1)) {
        const int32_t backslash = at - 1;
        if (text[backslash] != u'\\')
            continue;
        if (backslash == 0 || (text[backslash - 1] != u'\\' && text[backslash - 1] != kBacktick))
            starts.push_back(backslash);
    }
    return starts;
}

}  // namespace markdown
