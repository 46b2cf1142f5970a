// The inline, image and link searches that give up on a line once an
// opening fails there find just what their patterns find: random text of
// their delimiters, white space and line ends reaches the cases where a
// failed opening says something about later ones and where it does not.
#include <random>

#include "TextileTestSupport.h"
#include "engine/OpeningSearch.h"

namespace {

void expectSameAsPattern(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                         const engine::NextOpening& openings) {
    const auto expected = engine::findAll(text, pattern);
    const auto found = engine::findAllFailingOncePerLine(text, pattern, openings);
    ASSERT_TRUE(expected && found) << testsupport::s(pattern);
    ASSERT_EQ(found->size(), expected->size()) << testsupport::s(pattern) << " in " << testsupport::s(text);
    for (size_t i = 0; i < found->size(); ++i) {
        EXPECT_EQ((*found)[i].starts, (*expected)[i].starts) << testsupport::s(pattern) << " in " << testsupport::s(text);
        EXPECT_EQ((*found)[i].ends, (*expected)[i].ends) << testsupport::s(pattern) << " in " << testsupport::s(text);
    }
}

icu::UnicodeString randomText(std::mt19937& random, const char16_t* alphabet, int length) {
    const int32_t letters = icu::UnicodeString(alphabet).length();
    icu::UnicodeString text;
    for (int i = 0; i < length; ++i)
        text.append(alphabet[random() % letters]);
    return text;
}

}  // namespace

TEST(TextileOncePerLine, InlineRulesFindWhatTheirPatternsFind) {
    Textile_ObjC textile;
    textile.initWithString(u"");
    std::mt19937 random(20261207);
    int searched = 0;
    for (const RuleRecord& rule : textile.regexes) {
        const std::optional<engine::NextOpening> openings = Textile_ObjC::inlineRuleOpenings(rule.name);
        if (!openings)
            continue;
        ++searched;
        for (int round = 0; round < 1500 && !testing::Test::HasFailure(); ++round) {
            const icu::UnicodeString text =
                randomText(random, u"*_+-^~?%aB \t\n\r\u00A0\u2028<>/.ABC(\")[]", 4 + round % 20);
            expectSameAsPattern(text, rule.pattern, *openings);
        }
    }
    EXPECT_EQ(searched, 19);
}

TEST(TextileOncePerLine, ImageAndLinkSearchesFindWhatTheirPatternsFind) {
    using Search = Textile_ObjC::LinkSearch;
    std::mt19937 random(7);
    for (Search which : {Search::plainImage, Search::bracketedLink, Search::linkAlias, Search::quotedLink}) {
        const Textile_ObjC::LineSearch& search = Textile_ObjC::linkSearch(which);
        for (int round = 0; round < 3000 && !testing::Test::HasFailure(); ++round) {
            const icu::UnicodeString text = randomText(random, u"!a \n\r\t[]\":b\u2028", 4 + round % 20);
            expectSameAsPattern(text, search.pattern, search.openings);
        }
    }
}
