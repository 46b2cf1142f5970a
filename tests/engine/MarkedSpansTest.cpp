// Spans between markers found by the walk must be those the lazy patterns
// find, with and without the empty-line limit and a check at the markers.
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "engine/MarkedSpans.h"
#include "engine/Regex.h"

using testsupport::s;
using testsupport::u;

namespace {

// A marker after a lone backslash does not count.
bool notAfterBackslash(const char16_t* text, int32_t, int32_t at, int32_t) {
    return at == 0 || text[at - 1] != u'\\';
}

struct Case {
    engine::MarkedSpanRule rule;
    const char16_t* pattern;
};

const Case kCases[] = {
    {{u"~~", false, nullptr, u"<del>", u"</del>"}, u"~~(.*?)~~"},
    {{u"~~", true, nullptr, u"<s>", u"</s>"}, u"~~((?:(?!\\n\\n).)*?)~~"},
    {{u"*", true, notAfterBackslash, u"<em>", u"</em>"}, u"(?<!\\\\)\\*((?:(?!\\n\\n).)*?)(?<!\\\\)\\*"},
};

void expectSameAsPattern(const std::string& text) {
    for (const Case& c : kCases) {
        icu::UnicodeString byPattern = u(text);
        engine::replaceAll(byPattern, c.pattern, c.rule.before + u"$1" + c.rule.after,
                           engine::kDotMatchesLineSeparators);
        icu::UnicodeString byWalk = u(text);
        engine::replaceMarkedSpans(byWalk, c.rule);
        EXPECT_EQ(s(byWalk), s(byPattern)) << s(c.pattern) << " on " << ::testing::PrintToString(text);
    }
}

}  // namespace

TEST(MarkedSpans, TrickyTextsAsThePatternsFindThem) {
    for (const char* text : {"~~a~~ ~~b~~", "~~~~", "~~~", "~~~~~", "~~a\n\nb~~", "~~a\r\n\nb~~ ~~", "~~a\n\r\nb~~",
                             "\\~~a~~", "~~a\\~~b~~", "*a\\*b*", "*a\n\n*b*c*", "*\xF0\x9F\x98\x80*", "~~\xE2\x80\xA8~~",
                             "", "~", "a~~b", "~~\n\n~~\n\n~~x~~"})
        expectSameAsPattern(text);
}

TEST(MarkedSpans, RandomTextsAsThePatternsFindThem) {
    const std::vector<std::string> pieces = {"~", "~~", "*", "\\", "\n", "\n\n", "\r", "\r\n", "a", "\xC3\xA9"};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 20);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        expectSameAsPattern(text);
    }
}
