// Foreign documents read as Tessel: every one converts, and no token of the
// conversion is left in the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TesselTestSupport.h"
#include "support/PlaceholderTokens.h"

namespace fs = std::filesystem;

TEST(TesselCorpus, MarkdownAndTextileDocumentsConvertCleanly) {
    testsupport::CapturedLog log;
    int converted = 0;
    for (const char* language : {"markdown", "textile"}) {
        const fs::path folder = fs::path(QUILL_CORPUS_DIR) / language;
        ASSERT_TRUE(fs::is_directory(folder)) << folder;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            std::string html = tesseltest::convert(text.str(), true, folder.string());
            EXPECT_FALSE(html.empty()) << entry.path();
            EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::tessel, html, {text.str()}), "") << entry.path();
            EXPECT_EQ(html.find("%%"), std::string::npos) << entry.path();
            ++converted;
        }
    }
    EXPECT_GT(converted, 40);
    // No search ran into the engine's time limit.
    EXPECT_FALSE(log.contains("Regex stopped")) << (log.lines.empty() ? "" : log.lines.front());
}
