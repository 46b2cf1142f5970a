// The inline, image and link searches that give up on a line once an
// opening fails there find just what their patterns find: random text of
// their delimiters, white space and line ends reaches the cases where a
// failed opening says something about later ones and where it does not.
#include "../engine/SameAsPattern.h"
#include "TextileTestSupport.h"

namespace {

testsupport::Producer oncePerLine(const engine::NextOpening& openings) {
    return [openings](const icu::UnicodeString&) { return engine::failingOncePerLine(openings); };
}

const std::vector<std::string> kInlinePieces = {"*", "_", "+", "-", "^", "~", "?", "%", "a", "B", " ", "\t", "\n", "\r",
                                                "\xc2\xa0", "\xe2\x80\xa8", "<", ">", "/", ".", "A", "C", "(", "\"",
                                                ")", "[", "]"};

}  // namespace

TEST(TextileOncePerLine, InlineRulesFindWhatTheirPatternsFind) {
    TextileConverter textile;
    textile.initWithString(u"");
    std::mt19937 random(20261207);
    int searched = 0;
    for (const RuleRecord& rule : textile.regexes) {
        if (!rule.fastPath.lineOpenings)
            continue;
        ++searched;
        for (int round = 0; round < 1500 && !testing::Test::HasFailure(); ++round)
            testsupport::expectSameAsPattern(testsupport::randomText(random, kInlinePieces, 4 + round % 20), rule.pattern,
                                             engine::kNoOptions, oncePerLine(rule.fastPath.lineOpenings),
                                             testsupport::s(rule.name));
    }
    EXPECT_EQ(searched, 19);
}

TEST(TextileOncePerLine, ImageAndLinkSearchesFindWhatTheirPatternsFind) {
    using Search = TextileConverter::LinkSearch;
    const std::vector<std::string> pieces = {"!", "a", " ", "\n", "\r", "\t", "[", "]", "\"", ":", "b", "\xe2\x80\xa8"};
    std::mt19937 random(7);
    for (Search which : {Search::plainImage, Search::bracketedLink, Search::linkAlias, Search::quotedLink}) {
        const TextileConverter::LineSearch& search = TextileConverter::linkSearch(which);
        for (int round = 0; round < 3000 && !testing::Test::HasFailure(); ++round)
            testsupport::expectSameAsPattern(testsupport::randomText(random, pieces, 4 + round % 20), search.pattern,
                                             engine::kNoOptions, oncePerLine(search.openings), "link search");
    }
}
