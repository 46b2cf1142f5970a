// The external link rules are applied by walks; each must leave exactly what
// replacing every match of its pattern leaves, also at line ends other than
// "\n" (where "." stops but "[^\]\n]" does not).
#include <random>
#include <vector>

#include "../engine/SameAsPattern.h"
#include "WikitextTestSupport.h"
#include "wikitext/BracketLinks.h"

namespace {

using testsupport::s;
using testsupport::u;

void expectWalksMatchPatterns(const icu::UnicodeString& text, const std::string& what) {
    for (const RuleRecord& rule : WikitextConverter().regexWikiText()) {
        if (!wikitext::isBracketLinkRule(rule))
            continue;
        testsupport::expectSameTextAsPattern(
            text, rule.pattern, rule.templateText, engine::kNoOptions,
            [&rule](icu::UnicodeString& t) { wikitext::applyBracketLinkRule(t, rule); }, what);
    }
}

}  // namespace

TEST(BracketLinksWalk, RandomTextsOfBracketsBlanksAndLineEnds) {
    const std::vector<std::string> pieces = {"[", "]", "[[", "]]", " ", "\n", "\r", "\u2028", "\r\n", "a", "http://x",
                                             "|", "\u00e9", "$1", "\\"};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 24);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        expectWalksMatchPatterns(u(text), ::testing::PrintToString(text));
    }
}

TEST(BracketLinksWalk, CorpusDocuments) {
    for (const auto& path : testsupport::corpusDocuments("wikitext"))
        expectWalksMatchPatterns(u(testsupport::readFile(path)), path.filename().string());
}
