// Footnotes, definition lists, strikethrough, bibliography and the table of
// contents, in both anchor modes.
#include "MarkdownTestSupport.h"

namespace {

using mdtest::extra;
using mdtest::has;
using mdtest::mmd;

TEST(MarkdownStrike, DoubleTildesAcrossALineBreak) {
    EXPECT_EQ(extra("~~a\nb~~"), "<p><del>a\nb</del></p>");
}

TEST(MarkdownFootnotes, ReferenceAndSectionInAnchorMode) {
    const std::string html = extra("Text[^n].\n\n[^n]: The note.\n\nMore");
    EXPECT_TRUE(has(html, "<a href=\"javascript:;\" onclick=\"document.location.hash='fn:1';\" id=\"fnref:1\" "
                          "title=\"see footnote\" class=\"footnote\"><sup>1</sup></a>"))
        << html;
    EXPECT_TRUE(has(html, "<div class=\"footnotes\">\n<hr />\n<ol>\n\t<li id=\"fn:1\">\n\t\t<p> The note. <a "
                          "href=\"javascript:;\" onclick=\"document.location.hash='fnref:1';\""))
        << html;
    EXPECT_FALSE(has(html, "[^n]"));
}

TEST(MarkdownFootnotes, FragmentLinksWithoutAnchorMode) {
    Markdown_ObjC converter;
    converter.initWithString(testsupport::u("A[^1]\n\n[^1]: n\n"));
    converter.setFlavour({{"footnotes", true}});
    const std::string html = testsupport::s(converter.transform());
    EXPECT_TRUE(has(html, "<a href=\"#fn:1\" id=\"fnref:1\"")) << html;
    EXPECT_TRUE(has(html, "href=\"#fnref:1\"")) << html;
}

TEST(MarkdownFootnotes, LongDefinitionIsRemovedWholeWithItsLines) {
    const std::string html = extra("See[^a].\n\n[^a]: one\ntwo\nthree\n\nEnd");
    EXPECT_EQ(mdtest::count(html, "class=\"footnote\""), 1u) << html;
    EXPECT_TRUE(has(html, "<p> one\ntwo\nthree <a")) << html;
    EXPECT_FALSE(has(html, "[^a]")) << html;
}

TEST(MarkdownFootnotes, NoteUsedTwiceWithCodeListsTwiceAndLeavesNoToken) {
    const std::string html = extra("A[^x] B[^x]\n\n[^x]: uses `code` and http://example.com/a_b_\n");
    EXPECT_EQ(mdtest::count(html, "<code>code</code>"), 2u) << html;
    EXPECT_EQ(mdtest::count(html, "http://example.com/a_b_"), 2u) << html;
    EXPECT_FALSE(has(html, "%Saved")) << html;
}

TEST(MarkdownFootnotes, ReferencesWithoutAnyDefinitionVanish) {
    EXPECT_EQ(extra("A[^1] b"), "<p>A b</p>");
}

TEST(MarkdownDefinitions, TermWithTwoDefinitions) {
    EXPECT_EQ(extra("Apple\n: A fruit.\n: A company.\n\nAfter"),
              "<dl>\n\t<dt>\n\t\tApple\n\t</dt>\n\t<dd>\n\t\t<p> A fruit.</p>\n\t</dd>\n\t<dd>\n\t\t<p> A "
              "company.</p>\n\t</dd>\n</dl>\n\n\n<p>After</p>");
    EXPECT_FALSE(has(mdtest::convert("Apple\n: A fruit.\n"), "<dl>"));
}

TEST(MarkdownDefinitions, DefinitionKeepsItsColonsAndTwoListsStaySeparate) {
    const std::string html = extra("T\n: note: this\n\nText\n\nU\n: v\n");
    EXPECT_TRUE(has(html, "<p> note: this</p>")) << html;
    EXPECT_EQ(mdtest::count(html, "<dl>"), 2u) << html;
}

TEST(MarkdownContents, NestedListOfHeadingLinks) {
    const std::string html = mmd("{{TOC}}\n\n# First Part\n\n## Sub `code`\n\n### Deep\n");
    EXPECT_TRUE(has(html, "<h1 id=\"firstpart\">First Part</h1>")) << html;
    EXPECT_TRUE(has(html, "<h2 id=\"sub\">Sub <code>code</code></h2>")) << html;
    EXPECT_TRUE(has(html, "<li><a href=\"#firstpart\">First Part</a>\n<ul>\n<li><a href=\"#sub\">Sub <code>code</code></a>"))
        << html;
    EXPECT_FALSE(has(html, "%saved")) << html;
}

TEST(MarkdownContents, LevelRangeAndRejectedRanges) {
    const std::string html = mmd("{{TOC:2-3}}\n\n# One\n\n## Two\n\n### Three\n");
    EXPECT_FALSE(has(html, "href=\"#one\"")) << html;
    EXPECT_TRUE(has(html, "<li><a href=\"#two\">Two</a>\n<ul>\n<li><a href=\"#three\">Three</a>")) << html;
    EXPECT_TRUE(has(mmd("{{TOC:3-2}}\n\n# One\n"), "{{TOC:3-2}}"));
    EXPECT_TRUE(has(mmd("{{TOC:23}}\n\n# One\n"), "{{TOC:23}}"));
}

TEST(MarkdownBibliography, CitationsNumberedOnceAndListed) {
    const std::string html = mmd("As [p. 4][#Doe] and [p. 4][#Doe] and [][#Roe].\n\n[#Doe]: Doe, Book.\n[#Roe]: Roe, Paper.\n\nEnd");
    EXPECT_EQ(mdtest::count(html, "class=\"citation\">(p. 4, 1)</a>"), 2u) << html;
    EXPECT_TRUE(has(html, "class=\"citation\">(2)</a>")) << html;
    EXPECT_TRUE(has(html, "<div class=\"cituation\">\n<hr />\n<ol>\n<li id=\"cn:1\">Doe, Book.\n<a href=\"#cnref:1\"")) << html;
    EXPECT_EQ(mdtest::count(html, "<li id=\"cn:"), 2u) << html;
}

TEST(MarkdownBibliography, CitationsWithoutDefinitionsVanishAndExtraIgnoresThem) {
    EXPECT_EQ(mmd("A [x][#k] b"), "<p>A  b</p>");
    EXPECT_FALSE(has(extra("A [x][#k]\n\n[#k]: K\n"), "citation"));
}

}  // namespace
