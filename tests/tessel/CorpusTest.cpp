// Foreign documents read as Tessel: every one converts, and no token of the
// conversion is left in the output.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"
#include "support/PlaceholderTokens.h"

TEST(TesselCorpus, MarkdownAndTextileDocumentsConvertCleanly) {
    testsupport::CapturedLog log;
    int converted = 0;
    for (const char* language : {"markdown", "textile"}) {
        for (const auto& path : testsupport::corpusDocuments(language)) {
            const std::string text = testsupport::readFile(path);
            std::string html = tesseltest::convert(text, true, path.parent_path().string());
            EXPECT_FALSE(html.empty()) << path;
            EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::tessel, html, {text}), "") << path;
            EXPECT_EQ(html.find("%%"), std::string::npos) << path;
            ++converted;
        }
    }
    EXPECT_GT(converted, 40);
    // No search ran into the engine's time limit.
    EXPECT_FALSE(log.contains("Regex stopped")) << (log.lines.empty() ? "" : log.lines.front());
}

// Long lines of openings that never close finish, whole: no search runs into
// the engine's time limit and no token is left behind.
TEST(TesselCorpus, LongLinesOfUnclosedOpeningsConvertWhole) {
    for (const char* opening : {"[[", "[", "[![", "[[a]", "[a::", "[[a::", "[^ a::"}) {
        testsupport::CapturedLog log;
        std::string text;
        for (int i = 0; i < 20000; ++i)
            text += opening;
        const std::string html = tesseltest::convert(text + "\n\n" + text);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::tessel, html, {text}), "") << opening;
        EXPECT_FALSE(log.contains("Regex stopped")) << opening;
    }
}
