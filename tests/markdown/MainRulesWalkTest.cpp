// ATX headings, underlined headings and horizontal rules are applied by
// walks over the text; each must leave exactly what the rule tables'
// patterns leave, also at empty lines and line ends other than "\n".
#include <random>
#include <string>
#include <vector>

#include "MarkdownTestSupport.h"

namespace {

using testsupport::s;
using testsupport::u;

std::string byPatterns(const icu::UnicodeString& text) {
    MarkdownConverter converter;
    converter.initWithString(text);
    converter.simpleTransform();
    return s(converter.str);
}

std::string byWalks(const icu::UnicodeString& text) {
    MarkdownConverter converter;
    converter.initWithString(text);
    converter.applyMainRules();
    return s(converter.str);
}

std::string byFirstPatterns(const icu::UnicodeString& text) {
    MarkdownConverter converter;
    converter.initWithString(text);
    converter.transformWithDotMatchRules(converter.firstRegexMarkdown());
    return s(converter.str);
}

std::string byFirstWalks(const icu::UnicodeString& text) {
    MarkdownConverter converter;
    converter.initWithString(text);
    converter.firstSimpleTransform();
    return s(converter.str);
}

void expectWalksMatchPatterns(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
        EXPECT_EQ(byWalks(u(text)), byPatterns(u(text))) << ::testing::PrintToString(text);
        EXPECT_EQ(byFirstWalks(u(text)), byFirstPatterns(u(text))) << ::testing::PrintToString(text);
    }
}


}  // namespace

TEST(MainRulesWalk, HeadingsAsThePatternsFindThem) {
    expectWalksMatchPatterns({
        "# a", "## a ##", "###### six", "####### seven", "#nospace", "# ", "#  ", "# #", "# ##",
        "#  a  ##  ", "# a # b", "# a#", "x # a", "a\n# b\n## c", "a\r# b\r\n## c\r\n",
        "a\u2028# b\u2029## c", "a\u0085# b", "a\x0c# b", "# \U0001F600 #", "# a\t#",
        "\n\n# a\n\n", "#", "##", "# *a*", "### a ### b ###", "# a  \n#  b",
    });
}

TEST(MainRulesWalk, UnderlinedHeadingsAndRulesAsThePatternsFindThem) {
    expectWalksMatchPatterns({
        "Title\n=====\n\ntext\n", "a\n=\n=\n=\n\n\nb  \n==  \n", "\n=\n", "x\r\n===\n", "x\r===\n",
        "x\n===", "x\n=== y\n", "   \n--\n", "\U0001F600  \n-\n", "a\u2028b\n--\n\n", "a\n-\nb\n-\n",
        "---", "   ---", "    ---", " - - -\n", "--- x", "-\r", "***\u2028___\u0085", "* * *\n_ _", "a\n---\n",
        "--\n--\n--", "x  \n==\n\n---\n", "* a\n*\n* b", " *  \n", "*\r\n**\n", "* *", "*",
    });
}

// Short texts of the characters that matter, drawn at random (a fixed seed,
// so a failure repeats).
TEST(MainRulesWalk, RandomTextsOfMarkersBlanksAndLineEnds) {
    const std::vector<std::string> pieces = {"*", "_", "**", "__", "\\", " ", "\t", "\n", "\n\n", "\r",
                                             "\u2028", "\r\n", "#", "## ", "a", "\u00e9",
                                             "=", "-", "   "};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 24);
    std::vector<std::string> texts;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        texts.push_back(text);
    }
    expectWalksMatchPatterns(texts);
}
