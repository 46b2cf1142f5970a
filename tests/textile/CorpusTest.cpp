// Every Textile document of the corpus converts without a leftover token.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TextileTestSupport.h"
#include "support/PlaceholderTokens.h"

TEST(TextileCorpus, EveryDocumentConvertsWithoutLeftoverTokens) {
    std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / "textile";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int converted = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        std::string source = bytes.str();
        std::string html = textiletest::convert(source);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::textile, html, {source}), "") << entry.path();
        EXPECT_FALSE(textiletest::has(html, "%%") && !textiletest::has(source, "%%")) << entry.path();
        EXPECT_FALSE(html.empty()) << entry.path();
        ++converted;
    }
    EXPECT_GT(converted, 10);
}
