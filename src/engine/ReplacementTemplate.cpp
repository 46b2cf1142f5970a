#include "engine/ReplacementTemplate.h"

namespace engine {
namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Evaluates the template, with `appendGroup(n)` appending group n (of
// `groups` groups) to `out`.
template <typename AppendGroup>
void appendEvaluated(icu::UnicodeString& out, const icu::UnicodeString& replacementTemplate, int32_t groups,
                     AppendGroup appendGroup) {
    const int32_t length = replacementTemplate.length();
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
        if (group <= groups)
            appendGroup(group);
    }
}

}  // namespace

void appendEvaluatedTemplate(icu::UnicodeString& out, const icu::UnicodeString& replacementTemplate,
                             const icu::RegexMatcher& matcher, const icu::UnicodeString& input) {
    // The group's text is taken from `input`: the matcher's own input() would
    // copy the whole text once per matcher.
    appendEvaluated(out, replacementTemplate, matcher.groupCount(), [&](int32_t group) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t start = matcher.start(group, status);
        const int32_t end = matcher.end(group, status);
        if (U_SUCCESS(status) && start >= 0)
            out.append(input, start, end - start);
    });
}

void appendEvaluatedTemplate(icu::UnicodeString& out, const icu::UnicodeString& replacementTemplate,
                             const std::vector<TextRange>& groups, const icu::UnicodeString& input) {
    appendEvaluated(out, replacementTemplate, static_cast<int32_t>(groups.size()) - 1, [&](int32_t group) {
        const TextRange& range = groups[group];
        if (range.start >= 0)
            out.append(input, range.start, range.end - range.start);
    });
}

}  // namespace engine
