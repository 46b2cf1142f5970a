#include "engine/ReplacementTemplate.h"

namespace engine {
namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The group's text is taken from `input`: the matcher's own input() would
// copy the whole text once per matcher.
void appendGroup(icu::UnicodeString& out, const icu::RegexMatcher& matcher, const icu::UnicodeString& input,
                 int32_t group) {
    if (group > matcher.groupCount())
        return;
    UErrorCode status = U_ZERO_ERROR;
    int32_t start = matcher.start(group, status);
    int32_t end = matcher.end(group, status);
    if (U_FAILURE(status) || start < 0)
        return;
    out.append(input, start, end - start);
}

}  // namespace

void appendEvaluatedTemplate(icu::UnicodeString& out, const icu::UnicodeString& replacementTemplate,
                             const icu::RegexMatcher& matcher, const icu::UnicodeString& input) {
    const int32_t length = replacementTemplate.length();
    const int32_t groups = matcher.groupCount();
    for (int32_t i = 0; i < length; ++i) {
        char16_t c = replacementTemplate.charAt(i);
        if (c == u'\\') {
            if (i + 1 < length)
                out.append(replacementTemplate.charAt(++i));
            continue;
        }
        if (c != u'$' || i + 1 >= length || !isDigit(replacementTemplate.charAt(i + 1))) {
            out.append(c);
            continue;
        }
        int32_t group = replacementTemplate.charAt(++i) - u'0';
        while (i + 1 < length && isDigit(replacementTemplate.charAt(i + 1))) {
            int32_t longer = group * 10 + (replacementTemplate.charAt(i + 1) - u'0');
            if (longer > groups)
                break;
            group = longer;
            ++i;
        }
        appendGroup(out, matcher, input, group);
    }
}

}  // namespace engine
