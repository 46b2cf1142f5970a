// Every Textile document of the corpus converts without a leftover token.
#include "TextileTestSupport.h"
#include "support/PlaceholderTokens.h"

TEST(TextileCorpus, EveryDocumentConvertsWithoutLeftoverTokens) {
    int converted = 0;
    for (const auto& path : testsupport::corpusDocuments("textile")) {
        const std::string source = testsupport::readFile(path);
        const std::string html = textiletest::convert(source);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::textile, html, {source}), "") << path;
        EXPECT_FALSE(textiletest::contains(html, "%%") && !textiletest::contains(source, "%%")) << path;
        EXPECT_FALSE(html.empty()) << path;
        ++converted;
    }
    EXPECT_GT(converted, 10);
}
