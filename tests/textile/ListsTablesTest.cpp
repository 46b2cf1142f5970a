// Lists, definition lists and tables.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::count;
using textiletest::contains;

TEST(TextileLists, BulletedAndNested) {
    EXPECT_TRUE(contains(convert("* a\n* b"), "\n<ul>\n\t<li> a</li>\n\t<li> b</li>\n</ul>\n\n"));
    EXPECT_TRUE(contains(convert("# one\n## two\n## three\n# four"),
                    "\n<ol>\n\t<li> one\n\t<ol>\n\t\t<li> two</li>\n\t\t<li> three\n\t</ol></li>\n\t<li> four</li>\n</ol>\n\n"));
}

TEST(TextileLists, DeepJumpOpensOneLevelAndEndClosesAll) {
    std::string html = convert("* a\n*** b\n*** c");
    EXPECT_TRUE(contains(html, "<li> a\n\t<ul>\n\t\t<li> b\n\t\t<ul>\n\t\t\t<li> c</li>\n\t\t</ul></li>\n\t</ul></li>\n</ul>"));
}

TEST(TextileLists, ContinuationLinesAndOddItems) {
    EXPECT_TRUE(contains(convert("* first\nmore of it\n* second"), "<li> first<br />more of it</li>"));
    // "*x* y" is an item whose depth is the position of its first space.
    EXPECT_TRUE(contains(convert("* a\n*x* y"), "<li> a\n\t<ul>\n\t\t<li> y</li>\n\t</ul></li>"));
    std::string noDepth = convert("* a\n*nospace");
    EXPECT_TRUE(contains(noDepth, "<li> a<br />*nospace</li>"));
}

TEST(TextileLists, IdenticalBlocksBothConverted) {
    std::string html = convert("* same\n\nText\n\n* same");
    EXPECT_EQ(count(html, "<li> same</li>"), 2u);
}

TEST(TextileLists, OnlyALineStartingWithAMarkerStartsAList) {
    std::string table = convert("|* first|b|\n|c|d|");
    EXPECT_FALSE(contains(table, "<ul>"));
    EXPECT_TRUE(contains(table, "<td>* first</td>"));
    std::string cjk = convert("\xE4\xB8\xAD\xE6\x96\x87* \xE9\xA1\xB9\xE7\x9B\xAE\n\nnext");
    EXPECT_FALSE(contains(cjk, "<ul>"));
    EXPECT_TRUE(contains(cjk, "<p>\xE4\xB8\xAD\xE6\x96\x87* \xE9\xA1\xB9\xE7\x9B\xAE</p>"));
    EXPECT_FALSE(contains(convert("  * indented"), "<ul>"));
}

TEST(TextileDefinitionLists, TermsDefinitionsAndDroppedPieces) {
    std::string html = convert("- cat := a small\nanimal\n- bad\n- dog := big");
    EXPECT_TRUE(contains(html, "\t<dt>cat</dt>\n\t<dd>a small<br />animal</dd>\n\t<dt>dog</dt>\n\t<dd>big</dd>\n"));
    EXPECT_FALSE(contains(html, "bad"));
}

TEST(TextileTables, RowsCellsAndSections) {
    EXPECT_TRUE(contains(convert("||"), "<table>\n\t<tr>\n\t\t<td></td>\n\t</tr>\n</table>\n\n"));
    std::string html = convert("|=. Prices\n|^.\n|_. Item|_. Cost|\n|-.\n|Tea|>. 2|");
    EXPECT_TRUE(contains(html, "<table>\n<caption>Prices</caption>\n\t<thead>\n\t<tr>\n\t\t<th>Item</th>\n\t\t<th>Cost</th>\n"
                          "\t</tr>\n\t</thead>\n\t<tfoot>\n\t</tfoot>\n\t<tbody>\n\t<tr>\n\t\t<td>Tea</td>\n"
                          "\t\t<td style=\"text-align:right;\">2</td>\n\t</tr>\n\t</tbody>\n</table>"));
}

TEST(TextileTables, FootWithoutHeadAndMisplacedCaption) {
    std::string foot = convert("|~.\n|sum|3|\n|-.\n|a|1|");
    EXPECT_TRUE(contains(foot, "\t<thead>\n\t</thead>\n\t<tfoot>\n\t<tr>\n\t\t<td>sum</td>"));
    std::string caption = convert("|^.\n|=. Cap|");
    EXPECT_FALSE(contains(caption, "<caption>"));
    EXPECT_TRUE(contains(caption, "<td style=\"text-align:center;\">Cap</td>"));
}

TEST(TextileTables, SpansAlignmentClassStyle) {
    EXPECT_TRUE(contains(convert("|\\2. wide|"), "<td colspan=\"2\">wide</td>"));
    EXPECT_TRUE(contains(convert("|_/2. tall|"), "<th rowspan=\"2\">tall</th>"));
    EXPECT_TRUE(contains(convert("|\\2/3. big|"), "<td colspan=\"2\" rowspan=\"3\">big</td>"));
    EXPECT_TRUE(contains(convert("|<{color:red}. x|"), "<td style=\"color:red text-align:left;\">x</td>"));
    EXPECT_TRUE(contains(convert("|{color:red}<. x|"), "<td style=\"color:red\">x</td>"));
    EXPECT_TRUE(contains(convert("|(hot). x|"), "<td class=\"hot\">x</td>"));
    EXPECT_TRUE(contains(convert("| Mr. Smith |"), "<td> Mr. Smith </td>"));
}

TEST(TextileTables, CellsRunningOverLines) {
    std::string html = convert("|a|b\nc|d|\n|e|f|");
    EXPECT_TRUE(contains(html, "\t\t<td>a</td>\n\t\t<td>b<br />c</td>\n\t\t<td>d</td>\n\t</tr>\n\t<tr>\n\t\t<td>e</td>"));
}

// The line of a table's own attributes goes into its opening tag.
TEST(TextileTables, TableAttributeLines) {
    std::string html = convert("table{border:1px}.\n|a|b|");
    EXPECT_TRUE(contains(html, "<table style=\"border:1px\">\n\t<tr>"));
    EXPECT_FALSE(contains(html, "<p>"));
    EXPECT_TRUE(contains(convert("table(grid#t1).\n|a|"), "<table class=\"grid\" id=\"t1\">"));
    EXPECT_TRUE(contains(convert("table.\n|a|"), "<table>\n"));
    EXPECT_TRUE(contains(convert("table<[en]. \n|a|"), "<table style=\"text-align:left;\" lang=\"en\">"));
}
