// Normalisation, the rule tables, flavour switches and the pass guards.
#include "MarkdownTestSupport.h"

namespace {

using mdtest::convert;
using mdtest::extra;
using mdtest::has;
using mdtest::mmd;

TEST(MarkdownPipeline, WhiteSpaceOnlyTextComesBackUnchanged) {
    EXPECT_EQ(convert(" \n\t\n  "), " \n\t\n  ");
    EXPECT_EQ(convert(""), "");
}

TEST(MarkdownPipeline, NormalisationCollapsesEmptyLinesAndTabsFourSpaces) {
    MarkdownConverter converter;
    converter.initWithString(testsupport::u("a\n\n\n\n  \nb    c     d"));
    converter.transform();
    // Paragraphs are built from the normalised text: one empty line between.
    EXPECT_EQ(testsupport::s(converter.str), "<p>a</p>\n\n<p>b\tc\t d</p>");
}

TEST(MarkdownPipeline, SetextAndAtxHeadings) {
    EXPECT_EQ(convert("Title\n=====\nText"), "<h1>Title</h1>\n<p>Text</p>");
    EXPECT_TRUE(has(convert("Sub\n---\n"), "<h2>Sub</h2>"));
    EXPECT_EQ(convert("## Title ##"), "<h2>Title</h2>");
    EXPECT_EQ(convert("###### Six"), "<h6>Six</h6>");
    // No space after the marks: not a heading.
    EXPECT_EQ(convert("##Title"), "<p>##Title</p>");
}

TEST(MarkdownPipeline, HorizontalRulesFollowTheVoidTagSetting) {
    EXPECT_TRUE(has(convert("a\n\n***\n\nb"), "<hr />"));
    testsupport::ScopedSettings html5({.useHtml5 = true});
    const std::string html = convert("a\n\n- - -\n\nb");
    EXPECT_TRUE(has(html, "<hr>")) << html;
    EXPECT_FALSE(has(html, "<hr />"));
}

TEST(MarkdownPipeline, EmphasisStrongBeforeEmAndAcrossLines) {
    EXPECT_EQ(convert("**a\nb**"), "<p><strong>a\nb</strong></p>");
    EXPECT_EQ(convert("__a__ and _b_ and *c*"), "<p><strong>a</strong> and <em>b</em> and <em>c</em></p>");
}

TEST(MarkdownPipeline, AStarBulletIsNeverEmphasis) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra}) {
        EXPECT_EQ(convert("* a\n* b", flavour), "<ul>\n<li>a</li>\n<li>b</li>\n</ul>");
        EXPECT_EQ(convert("* a *b* c\n\t* d", flavour),
                  "<ul>\n<li>a <em>b</em> c\n<ul>\n<li>d</li>\n</ul></li>\n</ul>");
    }
    // Not followed by a blank: emphasis as before.
    EXPECT_EQ(convert("*a*\n*b*"), "<p><em>a</em>\n<em>b</em></p>");
}

TEST(MarkdownPipeline, EmphasisStaysInsideItsParagraph) {
    EXPECT_EQ(convert("a *b\n\nc* d"), "<p>a *b</p>\n\n<p>c* d</p>");
    EXPECT_EQ(extra("_a\n\nb_"), "<p>_a</p>\n\n<p>b_</p>");
}

TEST(MarkdownPipeline, EscapedEmphasisMarkersAreLiteral) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra}) {
        EXPECT_EQ(convert("\\*a\\*", flavour), "<p>*a*</p>");
        EXPECT_EQ(convert("\\_a\\_ \\*\\*b\\*\\*", flavour), "<p>_a_ **b**</p>");
        EXPECT_EQ(convert("*a \\* b*", flavour), "<p><em>a * b</em></p>");
    }
    // An escaped backslash does not escape the marker after it.
    EXPECT_EQ(convert("\\\\*a*"), "<p>\\<em>a</em></p>");
}

TEST(MarkdownPipeline, FlavoursSwitchTheirPasses) {
    const std::string text = "~~gone~~\n\n| a | b |\n|---|---|\n| 1 | 2 |\n\nx\n";
    const std::string plain = convert(text);
    EXPECT_FALSE(has(plain, "<del>"));
    EXPECT_FALSE(has(plain, "<table>"));
    EXPECT_TRUE(has(extra(text), "<del>gone</del>"));
    EXPECT_TRUE(has(extra(text), "<table>"));
    EXPECT_FALSE(has(mmd(text), "<del>"));
    EXPECT_TRUE(has(mmd(text), "<table>"));
    EXPECT_EQ(convert("{{TOC}}\n\n# A\n"), "<p>{{TOC}}</p>\n\n<h1>A</h1>");
    EXPECT_FALSE(has(extra("{{TOC}}\n\n# A\n"), "href=\"#a\""));
    EXPECT_TRUE(has(mmd("{{TOC}}\n\n# A\n"), "href=\"#a\""));
}

TEST(MarkdownPipeline, AnchorModeIsOnWheneverTheSwitchIsPresent) {
    MarkdownConverter converter;
    converter.initWithString(testsupport::u("x"));
    converter.setFlavour({{"javascript_anchors", false}});
    EXPECT_EQ(testsupport::s(converter.javaScriptHashStart), "javascript:;\" onclick=\"document.location.hash='");
    EXPECT_EQ(testsupport::s(converter.javaScriptHashEnd), "';");
    converter.setFlavour({{"footnotes", true}});
    EXPECT_EQ(testsupport::s(converter.javaScriptHashStart), "#");
    EXPECT_EQ(testsupport::s(converter.javaScriptHashEnd), "");
}

TEST(MarkdownPipeline, ABrokenRuleIsLoggedAndTheOtherPassesStillRun) {
    testsupport::CapturedLog log;
    MarkdownConverter converter;
    converter.initWithString(testsupport::u("**a** and `b`"));
    converter.regexes.insert(converter.regexes.begin(), RuleRecord::regex(u"broken", u"(", u"x"));
    const std::string html = testsupport::s(converter.transform());
    EXPECT_TRUE(log.contains("Error Markup/simpleTransform/performRegex"));
    EXPECT_EQ(html, "<p><strong>a</strong> and <code>b</code></p>");
}

}  // namespace
