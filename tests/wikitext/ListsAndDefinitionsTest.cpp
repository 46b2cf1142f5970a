// "*" and "#" lists and ";" / ":" definition blocks.
#include "WikitextTestSupport.h"

using namespace wikitest;

TEST(WikitextLists, NestedBulletList) {
    EXPECT_EQ(wiki("* a\n** b\n* c\n\n"),
              "<ul>\n\t<li> a\n\t<ul>\n\t\t<li> b\n\t</ul></li>\n\t<li> c</li>\n</ul>");
}

TEST(WikitextLists, NumberedItemsKeepTheirLeadingSpace) {
    EXPECT_EQ(wiki("# one\n# two\n\nafter"), "<ol>\n\t<li> one</li>\n\t<li> two</li>\n</ol>\n\n<p>after</p>");
}

TEST(WikitextLists, AListAtTheEndOfTheText) {
    EXPECT_EQ(wiki("text\n\n* a\n* b"), "<p>text</p>\n\n\n<ul>\n\t<li> a</li>\n\t<li> b</li>\n</ul>");
}

// A line that begins with "*" is an item whatever follows the marker; a
// line that begins with other text goes on in the item above.
TEST(WikitextLists, LinesBeginningWithAMarkerAreItems) {
    std::string html = wiki("* first\n*bold* text\n** deeper\nmore\n\n");
    EXPECT_TRUE(contains(html, "<li> first</li>\n\t<li>bold* text\n\t<ul>\n\t\t<li> deeper<br />more</li>"));
    EXPECT_TRUE(contains(wiki("* a\n*'''b''' c\n\n"), "<li> a</li>\n\t<li><strong>b</strong> c</li>"));
}

TEST(WikitextLists, EmphasisAndLinksInItems) {
    std::string html = wiki("* ''x'' and [[Y]]\n\n");
    EXPECT_TRUE(contains(html, "<li> <em>x</em> and <a href=\"https://en.wikipedia.org/wiki/Y\""));
}

// A header cell that begins with "# " is no list: the table stays a table.
TEST(WikitextLists, TableCellsNeverStartAList) {
    std::string html = wiki("{| class=\"wikitable\"\n|-\n! # Number !! * Name\n|-\n| * 1 || # 2\n|}\n");
    EXPECT_TRUE(contains(html, "<th># Number</th>"));
    EXPECT_TRUE(contains(html, "<td>* 1</td>"));
    EXPECT_FALSE(contains(html, "<ul>"));
    EXPECT_FALSE(contains(html, "<ol>"));
}

TEST(WikitextDefinitions, TermAndMeaningAfterATextLine) {
    EXPECT_EQ(wiki("Intro\n; Term : meaning\n\n"), "<p>Intro<br />\n<dl>\n\t<dt>Term</dt>\n\t<dd>meaning</dd>\n</dl></p>");
}

TEST(WikitextDefinitions, ColonLinesAreFurtherDefinitions) {
    std::string html = wiki("\n; Term\n: first\n: second\n; Other : third\n\n");
    EXPECT_TRUE(contains(html, "\t<dt>Term</dt>\n\t<dd>first</dd>\n\t<dd>second</dd>\n\t<dt>Other</dt>\n\t<dd>third</dd>\n"));
}

// Colons and semicolons of addresses, entities and in-page links are no
// definition markup.
TEST(WikitextDefinitions, AddressesEntitiesAndAnchorsStayWhole) {
    std::string html = wiki("x\n; Site : see http://www.example.com/a&nbsp;here\n\n");
    EXPECT_TRUE(contains(html, "<dd>see <a href=\"http://www.example.com/a&nbsp;here\">http://www.example.com/a&nbsp;here</a></dd>"));
    html = wiki("x\n; Term : note<ref>Source</ref>\n\n<references/>\n", true);
    EXPECT_TRUE(contains(html, "<dd>note <a href=\"javascript:;\" onclick=\"document.location.hash='cite_note-1';\">"
                               "<sup id=\"cite_ref-1\">[1]</sup></a></dd>"));
    // A colon in the text itself still starts another definition.
    EXPECT_TRUE(contains(wiki("x\n; Time : 10:30\n\n"), "<dd>10</dd>\n\t<dd>30</dd>"));
}

TEST(WikitextDefinitions, AfterAListAndTwiceTheSameBlock) {
    std::string html = wiki("* item\n\n; A : b\n\n; A : b\n\n");
    EXPECT_TRUE(contains(html, "<ul>\n\t<li> item</li>\n</ul>"));
    EXPECT_EQ(count(html, "<dt>A</dt>"), 2u);
    EXPECT_FALSE(contains(html, "; A"));
}

// Markers written without a space behind them, as most wiki pages do.
TEST(WikitextLists, MarkersWithoutASpace) {
    EXPECT_EQ(wiki("*a\n**b\n*c"), "<ul>\n\t<li>a\n\t<ul>\n\t\t<li>b\n\t</ul></li>\n\t<li>c</li>\n</ul>");
    EXPECT_EQ(wiki("#one\n#two"), "<ol>\n\t<li>one</li>\n\t<li>two</li>\n</ol>");
    EXPECT_TRUE(contains(wiki("*[[Paris]] and more\n\n"), "<li><a href=\"https://en.wikipedia.org/wiki/Paris\""));
}

TEST(WikitextDefinitions, TermAndIndentWithoutASpace) {
    EXPECT_EQ(wiki(";term\n:meaning\n\n"), "<p><dl>\n\t<dt>term</dt>\n\t<dd>meaning</dd>\n</dl></p>");
    EXPECT_EQ(wiki("Text\n:indented\n\nafter"), "<p>Text<br />\n<dl>\n\t<dd>indented</dd>\n</dl></p>\n\n<p>after</p>");
    EXPECT_EQ(wiki(":a\n::b\n"), "<p><dl>\n\t<dd>a</dd>\n\t<dd><dl><dd>b</dd></dl></dd>\n</dl>\n</p>");
    // A list under an indent is one list inside it.
    EXPECT_EQ(wiki("Goals:\n:* one\n:* two\n\n"),
              "Goals:<br />\n<dl>\n\t<dd><ul>\n\t<li> one</li>\n\t<li> two</li>\n</ul></dd>\n</dl>");
}
