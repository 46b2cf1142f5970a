#include <gtest/gtest.h>

#include "bbcode/BBCodeConverter.h"
#include "engine/TestSupport.h"
#include "support/ConverterTestSupport.h"
#include "support/PlaceholderTokens.h"

using testsupport::s;
using testsupport::u;

namespace {

std::string bbcode(const std::string& text) {
    return s(BBCodeConverter().initWithString(u(text)).transform());
}

}  // namespace

TEST(BBCode, Html5VoidTags) {
    testsupport::ScopedSettings html5({.useHtml5 = true});
    EXPECT_EQ(bbcode("[img]a.png[/img]"), " <img src=\"a.png\"><br>\n\n");
}

// The whole pipeline with the table applied the plain way, rule after rule
// over the whole text, for comparison with the line-bounded application.
std::string bbcodeThroughPlainEngine(const std::string& text) {
    BBCodeConverter converter;
    converter.initWithString(u(text));
    converter.saveHTMLBlocksWithStart(uR"(\+html\+)", uR"(\+endhtml\+)", u"+html+", u"+endhtml+");
    converter.saveCodeBlocks();
    converter.normaliseTags();
    converter.convertLists();
    converter.disarmUnpairedTags();
    converter.simpleTransform();
    converter.returnSavedHTMLBlocks();
    converter.autoLineBreaks();
    return s(converter.str);
}

TEST(BBCode, LongLinesOfUnclosedTagsConvertAsThePlainEngineWould) {
    std::string line;
    for (int i = 0; i < 200; ++i)
        line += "[i][b]x[url=a][quote=n; [h1]t[size=3 [url=[[";
    line += "[b]end[/b] [i]y[/i] [url=u]l[/url] [quote=Ann;7]";
    const std::string text = line + "\n" + line + "[/b]\nshort [b]b[/b]";
    EXPECT_EQ(bbcode(text), bbcodeThroughPlainEngine(text));
    EXPECT_NE(bbcode(text).find("<strong>b</strong>"), std::string::npos);
}

// Lines made of one unclosed tag: every rule gives up on the line at once,
// and nothing is lost or left behind.
TEST(BBCode, LongLinesOfOneUnclosedTagConvertWhole) {
    for (const char* tag : {"[b]", "[url=", "[url=a]", "[[", "[quote=a", "[quote=a;", "[img=1x2]", "+html+"}) {
        testsupport::CapturedLog log;
        std::string line;
        for (int i = 0; i < 20000; ++i)
            line += tag;
        const std::string html = bbcode(line + "\n" + line + "[/b]");
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::bbcode, html, {line}), "") << tag;
        EXPECT_FALSE(log.contains("Regex stopped")) << tag;
        EXPECT_GT(html.size(), 2 * line.size()) << tag;
    }
}

TEST(BBCodeCorpus, EveryDocumentConvertsWithoutLeftoverTokens) {
    int converted = 0;
    for (const auto& path : testsupport::corpusDocuments("bbcode")) {
        const std::string text = testsupport::readFile(path);
        std::string html = bbcode(text);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::bbcode, html, {text}), "") << path;
        EXPECT_EQ(html, bbcodeThroughPlainEngine(text)) << path;
        EXPECT_GT(html.size(), text.size() / 2) << path;
        ++converted;
    }
    EXPECT_GT(converted, 10);
}
