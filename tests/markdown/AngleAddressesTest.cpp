// The walk for addresses in angle brackets must find what the pattern it
// replaced finds: no "<", ">" or line end inside, an "@" before a ".".
#include <random>
#include <string>
#include <vector>

#include "MarkdownTestSupport.h"
#include "markdown/AngleAddresses.h"

namespace {

using testsupport::u;

const char16_t* const kAddressPattern = uR"(<((?:(?![<>]).)*?)@((?:(?![<>]).)*?)\.((?:(?![<>]).)*?)>)";

std::vector<std::pair<int32_t, int32_t>> byPattern(const icu::UnicodeString& text) {
    std::vector<std::pair<int32_t, int32_t>> ranges;
    const auto matches = engine::findAll(text, kAddressPattern);
    EXPECT_TRUE(matches.has_value());
    for (const engine::Match& match : matches.value_or(std::vector<engine::Match>{}))
        ranges.emplace_back(match.start(), match.end());
    return ranges;
}

std::vector<std::pair<int32_t, int32_t>> byWalk(const icu::UnicodeString& text) {
    std::vector<std::pair<int32_t, int32_t>> ranges;
    for (const engine::TextRange& range : markdown::angleBracketedAddresses(text))
        ranges.emplace_back(range.start, range.end);
    return ranges;
}

void expectSameAsPattern(const std::string& text) {
    EXPECT_EQ(byWalk(u(text)), byPattern(u(text))) << ::testing::PrintToString(text);
}

}  // namespace

TEST(AngleAddresses, TrickyTextsAsThePatternFindsThem) {
    for (const char* text : {"<me@x.com>", "<<me@x.com>", "<a <me@x.com>", "<me@x.com", "<me.x@com>", "<@.>",
                             "<a@b@c.d>", "<a@b\n.c>", "<a@b\r.c>", "<a@b\xE2\x80\xA8.c>", "<a@b\xC2\x85.c>",
                             "<a@\xF0\x9F\x98\x80.c>", "<a@b.c><d@e.f>", "<a@b.c>>", "x <strong>Me</strong> <me@x.com>",
                             "<%%10%%>a@b.c>", "", "<", ">", "<a@b.c\n>"})
        expectSameAsPattern(text);
}

TEST(AngleAddresses, RandomTextsAsThePatternFindsThem) {
    const std::vector<std::string> pieces = {"<", ">", "@", ".", "a", "\n", "\r", "\xE2\x80\xA8", " "};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 16);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        expectSameAsPattern(text);
    }
}
