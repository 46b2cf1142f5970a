// Bulleted, numbered and nested lists, and definition lists.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

TEST(TesselLists, NumberedAndBulleted) {
    EXPECT_EQ(convert("1. One\n2. Two"), "<ol>\n\t<li>One</li>\n<li>Two</li>\n</ol>");
    EXPECT_EQ(convert("* a\n+ b\n- c"), "<ul>\n\t<li>a</li>\n<li>b</li>\n<li>c</li>\n</ul>");
    EXPECT_EQ(convert("10. Ten\n11. Eleven"), "<ol>\n\t<li>Ten</li>\n<li>Eleven</li>\n</ol>");
}

TEST(TesselLists, NestingByTabs) {
    EXPECT_EQ(convert("* a\n\t* sub\n* b"),
              "<ul>\n\t<li>a\n\t<ul>\n\t<li>sub</li>\n\t</ul>\n</li>\n<li>b</li>\n</ul>");
    EXPECT_TRUE(contains(convert("1. a\n\t2. sub"), "<ol>\n\t<li>a\n<ol>\n\t<li>sub</li>\n</ol></li>"));
    // A list indented as a whole is one flat list.
    EXPECT_EQ(convert("\t* a\n\t* b"), "<ul>\n\t<li>a</li>\n\t<li>b</li>\n</ul>");
}

TEST(TesselLists, PlainLineContinuesTheItem) {
    EXPECT_EQ(convert("* a\nmore"), "<ul>\n\t<li>a<br />more</li>\n</ul>");
}

TEST(TesselLists, NumbersWithoutDotAreText) {
    EXPECT_EQ(convert("42 apples\nand pears"), "<p>42 apples<br />\nand pears</p>");
    EXPECT_EQ(convert("3.14 is pi"), "<p>3.14 is pi</p>");
}

TEST(TesselLists, TextBeforeAListKeepsItsParagraph) {
    EXPECT_EQ(convert("Intro:\n\n* a\n* b"), "<p>Intro:</p>\n\n<ul>\n\t<li>a</li>\n<li>b</li>\n</ul>");
    EXPECT_EQ(convert("2024\n\n* a"), "<p>2024</p>\n\n<ul>\n\t<li>a</li>\n</ul>");
}

TEST(TesselLists, ParagraphAfterAListStartsWithItsText) {
    std::string html = convert("* a\n\nAfter the list");
    EXPECT_TRUE(contains(html, "</ul>\n\n\n<p>After the list</p>"));
    EXPECT_FALSE(contains(html, "<p><br"));
}

TEST(TesselLists, ListItemsKeepTheirLinks) {
    EXPECT_TRUE(contains(convert("* [a.html::A]\n* http://example.org/y"),
                         "<li>" "<a href=\"a.html\" alt=\"A\" title=\"A\">A</a></li>\n<li>"
                         "<a href=\"http://example.org/y\">http://example.org/y</a></li>"));
}

TEST(TesselDefinitionLists, TermsAndDefinitions) {
    EXPECT_EQ(convert("::Term: first meaning: second meaning"),
              "<dl>\n\t<dt>Term</dt>\n\t<dd>first meaning</dd>\n\t<dd>second meaning</dd>\n</dl>");
    EXPECT_EQ(convert("::A: one\n::B: two\nmore"),
              "<dl>\n\t<dt>A</dt>\n\t<dd>one</dd>\n\t<dt>B</dt>\n\t<dd>two<br />more</dd>\n</dl>");
}

TEST(TesselDefinitionLists, StandsBesideParagraphs) {
    EXPECT_EQ(convert("Before\n\n::T: d\n\nAfter"),
              "<p>Before</p>\n\n<dl>\n\t<dt>T</dt>\n\t<dd>d</dd>\n</dl>\n\n<p>After</p>");
}

TEST(TesselDefinitionLists, AddressInADefinitionStaysWhole) {
    EXPECT_TRUE(contains(convert("::Site: http://example.com"),
                         "<dd><a href=\"http://example.com\">http://example.com</a></dd>"));
}
