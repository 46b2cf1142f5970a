// The walk that finds a definition list's term finds what the rule's
// pattern finds, tried at every place of the text.
#include <unicode/regex.h>

#include "MarkdownTestSupport.h"
#include "markdown/DefinitionTermScan.h"

namespace {

using testsupport::s;

const char16_t* const kTermPattern = uR"((?m)^(.*?)[\n]{1,2}:[ \t]{1,}(.*?)$)";

void expectSameEnds(const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(
        engine::compiledPattern(kTermPattern, engine::kNoOptions)->matcher(text, status));
    matcher->useTransparentBounds(true);
    matcher->useAnchoringBounds(false);
    for (int32_t at = 0; at <= text.length(); ++at) {
        matcher->region(at, text.length(), status);
        const int32_t expected = matcher->lookingAt(status) ? matcher->end(status) : -1;
        ASSERT_EQ(markdown::definitionTermEnd(text, at), expected) << "at " << at << " in \"" << s(text) << "\"";
    }
}

TEST(DefinitionTermScan, FindsWhatThePatternFinds) {
    const std::vector<icu::UnicodeString> cases = {
        u"Term\n: definition", u"Term\n\n:\tdef\nmore", u"Term\n\n\n: no", u"Term\n:no blank", u"Term\n:",
        u"Term\n: ", u"\n\n: empty term", u"a\r\n: b", u"a\r\n\n: b", u"a\n: b\r\nc", u"a\u2028b\n: c\u2029",
        u"a\u000c\n: b", u"x\n: y\n: z", u"a\n:  \t", u"\r\n: b",
    };
    for (const icu::UnicodeString& text : cases)
        expectSameEnds(text);
}

TEST(DefinitionTermScan, FindsWhatThePatternFindsInRandomText) {
    const char16_t alphabet[] = u"\n\n: \ta\r\u2028";
    const int32_t letters = sizeof(alphabet) / sizeof(alphabet[0]) - 1;
    uint32_t seed = 99;
    for (int round = 0; round < 3000 && !HasFailure(); ++round) {
        icu::UnicodeString text;
        for (int i = 0; i < 10; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.append(alphabet[(seed >> 16) % letters]);
        }
        expectSameEnds(text);
    }
}

}  // namespace
