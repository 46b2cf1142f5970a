#include "markdown/AtxHeadings.h"

#include "engine/TextUtilities.h"

namespace markdown {
namespace {

constexpr int kDeepestLevel = 6;

bool holdsLineEnd(const icu::UnicodeString& text) {
    for (int32_t i = 0; i < text.length(); ++i)
        if (engine::endsLineForDot(text.charAt(i)))
            return true;
    return false;
}

}  // namespace

bool isAtxHeadingTemplate(const AroundGroupOne& around) {
    return !around.before.startsWith(u"#") && !holdsLineEnd(around.before) && !holdsLineEnd(around.after);
}

icu::UnicodeString atxHeadingPattern(int level) {
    const icu::UnicodeString count = engine::number(level);
    return engine::formatted(uR"((?m)^[#]{%@,%@}[ ](.+?)[ ]*\#*$)", {count, count});
}

bool replaceAtxHeadings(icu::UnicodeString& text, const AtxHeadingTemplates& templates) {
    const int32_t length = text.length();
    const char16_t* chars = text.getBuffer();
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool replacedAny = false;
    for (int32_t at = text.indexOf(u'#'); at >= 0; at = text.indexOf(u'#', at)) {
        // "^" holds at the text's start and after any line end.
        if (at > 0 && !engine::endsLineForDot(chars[at - 1])) {
            ++at;
            continue;
        }
        int32_t level = 0;
        while (at + level < length && chars[at + level] == u'#')
            ++level;
        const int32_t textStart = at + level + 1;
        if (level > kDeepestLevel || textStart > length || chars[textStart - 1] != u' ' || !templates[level]) {
            at += level;
            continue;
        }
        int32_t lineEnd = textStart;
        while (lineEnd < length && !engine::endsLineForDot(chars[lineEnd]))
            ++lineEnd;
        if (lineEnd == textStart) {  // "(.+?)" takes one character at least
            at = lineEnd;
            continue;
        }
        // The shortest text that leaves only "[ ]*\#*" before the line's end.
        int32_t textEnd = lineEnd;
        while (textEnd > textStart && chars[textEnd - 1] == u'#')
            --textEnd;
        while (textEnd > textStart && chars[textEnd - 1] == u' ')
            --textEnd;
        if (textEnd == textStart)
            textEnd = textStart + 1;
        if (!replacedAny)
            out = engine::emptyWithRoomFor(text);
        replacedAny = true;
        out.append(text, copiedUpTo, at - copiedUpTo)
            .append(templates[level]->before)
            .append(text, textStart, textEnd - textStart)
            .append(templates[level]->after);
        copiedUpTo = lineEnd;
        at = lineEnd;
    }
    if (!replacedAny)
        return false;
    out.append(text, copiedUpTo, length - copiedUpTo);
    text = std::move(out);
    return true;
}

}  // namespace markdown
