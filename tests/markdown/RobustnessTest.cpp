// Every real document converts with every flavour, without leaving any of
// the converter's tokens behind; inputs that used to hang finish.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MarkdownTestSupport.h"
#include "support/PlaceholderTokens.h"

namespace {

using mdtest::Flavour;

std::string leftoverToken(const std::string& html, const std::string& source) {
    return placeholdertokens::leaked(placeholdertokens::markdown, html, {source});
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(MarkdownRobustness, EveryCorpusDocumentConvertsWithoutLeftoverTokens) {
    const std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / "markdown";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string text = readFile(entry.path());
        for (Flavour flavour : {Flavour::markdown, Flavour::markdownextra, Flavour::multimarkdown}) {
            testsupport::CapturedLog log;
            const std::string html = mdtest::convert(text, flavour);
            EXPECT_FALSE(html.empty()) << entry.path();
            EXPECT_EQ(leftoverToken(html, text), "") << entry.path() << " flavour " << static_cast<int>(flavour);
            EXPECT_FALSE(log.contains("EXCEPTIOM")) << entry.path();
        }
        ++documents;
    }
    EXPECT_GT(documents, 20);
}

TEST(MarkdownRobustness, ContentsMarkerWithoutHeadingsBeforeAListFinishes) {
    const std::string html = mdtest::mmd("{{TOC}}\n\n- one\n- two\n");
    EXPECT_TRUE(mdtest::has(html, "<ul>\n<li>one</li>\n<li>two</li>\n</ul>")) << html;
    EXPECT_FALSE(mdtest::has(html, "{{TOC}}"));
}

TEST(MarkdownRobustness, OddInputsFinish) {
    for (const char* text : {"`", "``", "[", "[^", "[^1]:", "[#a]:", "{{TOC:", "{{TOC:}}", "{{TOC:9}}", "> ",
                             ">\n>\n>", "|\n|\n|", "|||\n|||\n|||\n\n", ":\n:", "a\n: b", "- \n- \n", "1. ",
                             "\t", "<@.>", "~~", "*", "_", "\x01\x02", "# ", "=\n=", "\r\n\r\n- a\r\n- b\r\n",
                             "```", "~~~\n", "> ```\n>", "- a\n  ```\n\t```", "\t\t```x\n\n", "```\n```\n```", "<!--",
                             "<div>\n\n</div", "<div markdown=1>\n</div>", "<p>x</p>\n===\n\n{{TOC}}",
                             "<ins>\n</del>", "<div>\n```\n</div>\n```", "```\n<div>\n```\n</div>",
                             // Code that quotes its own token twice once doubled the text at every level.
                             "```\n%SavedCodeBlock0% %SavedCodeBlock0%\n```\n", "a\n\n    %SavedCodeBlock0% %SavedCodeBlock0%\n",
                             "`%SavedCodeBlock0%%SavedCodeBlock0%`"}) {
        for (Flavour flavour : {Flavour::markdown, Flavour::markdownextra, Flavour::multimarkdown})
            EXPECT_EQ(leftoverToken(mdtest::convert(text, flavour), text), "") << text;
    }
}

// A long line of link openings whose title never closes: every opening is
// tried, and each try must not search the rest of the line again.
TEST(MarkdownRobustness, LinesOfUnclosedLinkTitlesFinish) {
    for (const char* opening : {"[a](b \"", "[a](b \"c\" ", "![a](<b \""}) {
        std::string text;
        for (int i = 0; i < 5000; ++i)
            text += opening;
        for (Flavour flavour : {Flavour::markdown, Flavour::markdownextra, Flavour::multimarkdown})
            EXPECT_EQ(leftoverToken(mdtest::convert(text, flavour), text), "") << opening;
    }
}

// Every level of quotes reads the whole text again; past the deepest level
// the markers stay text instead of costing a round each.
TEST(MarkdownRobustness, QuotesNestAsDeepAsTheLimitAndNoDeeper) {
    std::string text;
    for (int depth = 1; depth <= 100; ++depth) {
        for (int level = 0; level < depth; ++level)
            text += "> ";
        text += "line\n";
    }
    const std::string html = mdtest::convert(text, Flavour::markdown);
    size_t opened = 0;
    for (size_t at = html.find("<blockquote>"); at != std::string::npos; at = html.find("<blockquote>", at + 1))
        ++opened;
    EXPECT_GE(opened, 32u);
    EXPECT_LT(opened, 100u);
    EXPECT_TRUE(mdtest::has(html, "\n> > > > > > > > line")) << html;
}

}  // namespace
