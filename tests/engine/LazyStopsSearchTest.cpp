#include <gtest/gtest.h>

#include "engine/LazyStopsSearch.h"
#include "TestSupport.h"

using testsupport::s;

namespace {

// The walk's matches and the pattern's, as "start-end" lists.
void expectSameAsPattern(const icu::UnicodeString& text, const icu::UnicodeString& opening,
                         std::initializer_list<const char16_t*> stops, const icu::UnicodeString& pattern) {
    std::string expected;
    const std::vector<engine::Match> matches = *engine::findAll(text, pattern);
    for (const engine::Match& match : matches)
        expected += std::to_string(match.start()) + "-" + std::to_string(match.end()) + " ";
    std::string found;
    for (const engine::TextRange& match : engine::lazyStopsMatches(text, opening, stops))
        found += std::to_string(match.start) + "-" + std::to_string(match.end) + " ";
    EXPECT_EQ(found, expected) << s(pattern) << " in \"" << s(text) << "\"";
}

}  // namespace

TEST(LazyStopsSearch, FindsWhatFootnoteAndCitationPatternsFind) {
    // Stops that come late, twice, not at all, after a line end other than
    // "\n", and openings inside an earlier match.
    const std::vector<icu::UnicodeString> cases = {
        u"[^1]: a\n", u"[^1]: a", u"[^a]b]: c\n[^2]:\n", u"[^1]: a\r\nb\n", u"[^1\u2028]: a\n", u"[^1]: a\u0085\n",
        u"[^[^1]: x\n", u"x [^1] y [^2]", u"[^1\n]", u"[a][#b] [c] [#d][e][#f]", u"[a][#b\n]", u"[[a][#b]]",
        u"[a]][#b]]: c\n", u"[#a]: b]: c\n", u"[^]", u"[#]:\n",
        // Lines of openings whose first attempt fails.
        u"[^[^[^1]: a\n", u"[^a]: b\r[^c]: d\n", u"[^a [^b]: c\n[^d]: e\n", u"[[[a][#b]", u"[a] [b][#c\n[d][#e]",
    };
    for (const icu::UnicodeString& text : cases) {
        expectSameAsPattern(text, u"[^", {u"]:", u"\n"}, uR"(\[\^(.*?)\]\:(.*?)\n)");
        expectSameAsPattern(text, u"[^", {u"]"}, uR"(\[\^(.*?)\])");
        expectSameAsPattern(text, u"[#", {u"]:", u"\n"}, uR"(\[\#(.*?)\]\:(.*?)\n)");
        expectSameAsPattern(text, u"[", {u"][#", u"]"}, uR"(\[(.*?)\]\[\#(.*?)\])");
    }
}

TEST(LazyStopsSearch, FindsWhatThePatternFindsInRandomText) {
    const char16_t alphabet[] = u"[]^#:a\n\r\u2028";
    const int32_t letters = sizeof(alphabet) / sizeof(alphabet[0]) - 1;
    uint32_t seed = 77;
    for (int round = 0; round < 5000 && !testing::Test::HasFailure(); ++round) {
        icu::UnicodeString text;
        for (int i = 0; i < 14; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.append(alphabet[(seed >> 16) % letters]);
        }
        expectSameAsPattern(text, u"[^", {u"]:", u"\n"}, uR"(\[\^(.*?)\]\:(.*?)\n)");
        expectSameAsPattern(text, u"[", {u"][#", u"]"}, uR"(\[(.*?)\]\[\#(.*?)\])");
    }
}
