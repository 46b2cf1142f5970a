#include "markdown/MarkdownText.h"

#include <algorithm>
#include <string>
#include <unicode/uchar.h>

#include "engine/Log.h"
#include "engine/TextUtilities.h"

namespace markdown {

bool isNewlineCharacter(char16_t c) {
    return (c >= 0x000A && c <= 0x000D) || c == 0x0085 || c == 0x2028 || c == 0x2029;
}

int32_t lineEnd(const icu::UnicodeString& text, int32_t from) {
    int32_t at = from;
    while (at < text.length() && !isNewlineCharacter(text.charAt(at)))
        ++at;
    return at;
}

std::vector<icu::UnicodeString> splitAtNewlineCharacters(const icu::UnicodeString& text) {
    std::vector<icu::UnicodeString> lines;
    int32_t from = 0;
    for (;;) {
        int32_t end = lineEnd(text, from);
        lines.emplace_back(text, from, end - from);
        if (end >= text.length())
            return lines;
        from = end + 1;
    }
}

icu::UnicodeString trimmedOfNewlines(const icu::UnicodeString& text) {
    return engine::trimmedWhere(text, isNewlineCharacter);
}

bool consistsOfDecimalDigits(const icu::UnicodeString& text) {
    for (int32_t i = 0; i < text.length();) {
        UChar32 c = text.char32At(i);
        if (!u_isdigit(c))
            return false;
        i += U16_LENGTH(c);
    }
    return true;
}

bool startsWithOrderedListMarker(const icu::UnicodeString& line) {
    int32_t at = 0;
    while (at < line.length() && u_isdigit(line.charAt(at)))
        ++at;
    return at > 0 && at + 1 < line.length() && line.charAt(at) == u'.' &&
           (line.charAt(at + 1) == u' ' || line.charAt(at + 1) == u'\t');
}

std::vector<engine::Match> matchesOf(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                     uint32_t options, const char16_t* errorFormat) {
    engine::RegexResult result;
    auto matches = engine::findAll(text, pattern, options, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(errorFormat, {result.error});
    return matches ? std::move(*matches) : std::vector<engine::Match>{};
}

}  // namespace markdown

namespace markdown {

std::optional<AroundGroupOne> splitAroundGroupOne(const icu::UnicodeString& replacementTemplate) {
    const int32_t group = replacementTemplate.indexOf(u"$1");
    if (group < 0 || replacementTemplate.indexOf(u'$', group + 1) >= 0 || replacementTemplate.indexOf(u'\\') >= 0)
        return std::nullopt;
    const int32_t afterStart = group + 2;
    if (replacementTemplate.indexOf(u'$') < group)
        return std::nullopt;
    if (afterStart < replacementTemplate.length() && u_isdigit(replacementTemplate.charAt(afterStart)))
        return std::nullopt;
    return AroundGroupOne{icu::UnicodeString(replacementTemplate, 0, group),
                          icu::UnicodeString(replacementTemplate, afterStart)};
}

}  // namespace markdown
