#pragma once
// What the paragraph builder needs to know of one line's tags, found in one
// walk over the line's "<" and ">" instead of one search per tag.

#include <bitset>
#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

namespace markdown {

struct ParagraphLineTags {
    int32_t end = 0;          // where the line ends: its "\n" or the text's end
    bool blockTag = false;    // a block element's tag: the line is never wrapped
    bool opensItem = false;   // "<li>"
    bool closesItem = false;  // "</li>"
    // "<pre>", "<pre ", "<blockquote>", or "<div" starting the line (the
    // passes write their sections as divs)
    int32_t lastRawOpening = -1;
    int32_t lastRawClosing = -1;  // "</pre>", "</blockquote>" or "</div>"

    // Whether a raw block is open after the line, given whether it was open
    // before: the later of its last opening and last closing decides.
    bool rawBlockOpenAfter(bool openBefore) const {
        if (lastRawOpening < 0 && lastRawClosing < 0)
            return openBefore;
        return lastRawOpening > lastRawClosing;
    }
};

class ParagraphTagScanner {
public:
    // `voidTagClose` ends a void tag (">" or " />"), as in "<hr />".
    explicit ParagraphTagScanner(const icu::UnicodeString& voidTagClose);

    // The line of `text` that starts at `from`.
    ParagraphLineTags scanLine(const icu::UnicodeString& text, int32_t from) const;

private:
    void lookAtOpening(const char16_t* chars, int32_t length, int32_t lineStart, int32_t at,
                       ParagraphLineTags& found) const;
    void lookAtClosing(const char16_t* chars, int32_t at, ParagraphLineTags& found) const;

    // Every block tag either starts with "<" or ends with ">"; each is looked
    // for only at that character.
    std::vector<icu::UnicodeString> blockTagsFromOpening_;
    std::vector<icu::UnicodeString> blockTagsToClosing_;
    // The characters after "<" and before ">" in those tags (ASCII ones; any
    // other character is compared in full).
    std::bitset<128> afterOpening_;
    std::bitset<128> beforeClosing_;
};

}  // namespace markdown
