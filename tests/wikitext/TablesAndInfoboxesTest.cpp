// {| tables |} and {{Infobox}} templates.
#include "WikitextTestSupport.h"

using namespace wikitest;

TEST(WikitextTables, HeaderAndDataRows) {
    EXPECT_EQ(wiki("{| class=\"wikitable\"\n|-\n! A !! B\n|-\n| 1 || 2\n|}\n"),
              "<table class=\"wikitable\">\n\t<tbody>\n\t\t<tr>\n\t\t\t<th>A</th>\n\t\t\t<th>B</th>\n"
              "\t\t</tr>\n\t\t<tr>\n\t\t\t<td>1</td>\n\t\t\t<td>2</td>\n\t\t</tr>\n\t</tbody>\n</table>");
}

TEST(WikitextTables, CaptionsAndRowAttributes) {
    std::string html = wiki("{|\n|+ Caption\n| a\n|- style=\"x\"\n| b\n|}\n");
    EXPECT_TRUE(contains(html, "<table>\n\t<caption> Caption</caption>\n\t<tbody>\n\t\t<tr>\n\t\t\t<td>a</td>"));
    EXPECT_TRUE(contains(html, "\t\t</tr>\n\t\t<tr style=\"x\">\n\t\t\t<td>b</td>"));
    EXPECT_TRUE(contains(wiki("{|\n|+ align=\"left\" | Title\n|}\n"), "<caption align=\"left\">Title</caption>"));
}

TEST(WikitextTables, EmphasisAndLinksInCells) {
    std::string html = wiki("{|\n|-\n| ''a'' || [[B]]\n|}\n");
    EXPECT_TRUE(contains(html, "<td><em>a</em></td>"));
    EXPECT_TRUE(contains(html, "<td><a href=\"https://en.wikipedia.org/wiki/B\" alt=\"B\" title=\"B\">B</a></td>"));
}

// Tables too small or too loose for the row structure: nothing may crash,
// and no cell text may go missing.
TEST(WikitextTables, DegenerateTables) {
    EXPECT_EQ(wiki("{||}\n"), "<table>\n\t<tbody>\n\t\t<tr>\n\t\t</tr>\n\t</tbody>\n</table>");
    EXPECT_EQ(wiki("{| border=1\n|}\n"), "<table border=1>\n\t<tbody>\n\t\t<tr>\n\t\t</tr>\n\t</tbody>\n</table>");
    std::string html = wiki("{|\n|-\n| a\n\n| b\n|}\n");
    EXPECT_TRUE(contains(html, "<td>a</td>\n\t\t\t<td>b</td>"));
    // Cells on the second line, and text lines that carry on a cell.
    html = wiki("{|\n| first || second\nmore text\n|}\n");
    EXPECT_TRUE(contains(html, "<td>first</td>\n\t\t\t<td>second\nmore text</td>"));
}

TEST(WikitextTables, ATableWithoutALineEndAfterItIsText) {
    EXPECT_TRUE(contains(wiki("{|\n| a\n|}"), "{|"));
}

TEST(WikitextTables, TwoIdenticalTablesAreBothConverted) {
    std::string html = wiki("{|\n|-\n| x\n|}\n\n{|\n|-\n| x\n|}\n");
    EXPECT_EQ(count(html, "<td>x</td>"), 2u);
    EXPECT_FALSE(contains(html, "{|"));
}

TEST(WikitextInfoboxes, TitleAndEntries) {
    std::string html = wiki("{{Infobox person\n| name = Ada\n| born = 1815\n}}\n");
    EXPECT_EQ(html,
              "<table border=\"1\"><tr><th colspan=\"2\">person</th></tr>\n<tr>\n\t<td valign=\"top\">\n\t\t"
              "<strong>name</strong>\n\t</td>\n\t<td>Ada\n\t</td>\n</tr>\n<tr>\n\t<td valign=\"top\">\n\t\t"
              "<strong>born</strong>\n\t</td>\n\t<td>1815\n\t</td>\n</tr></table>");
}

TEST(WikitextInfoboxes, EntriesWithoutOrWithSeveralEqualSigns) {
    std::string html = wiki("{{Infobox x\n| flag=yes\n| note = a = b\n| value = ''big'' [[Town]]\n}}\n");
    EXPECT_TRUE(contains(html, "<strong>flag=yes</strong>\n\t</td>\n\t<td>\n\t</td>"));
    EXPECT_TRUE(contains(html, "<td>a = b\n\t</td>"));
    EXPECT_TRUE(contains(html, "<td><em>big</em> <a href=\"https://en.wikipedia.org/wiki/Town\""));
}

TEST(WikitextInfoboxes, TwoIdenticalInfoboxesAreBothConverted) {
    std::string html = wiki("{{Infobox a\n| k = v\n}}\n\n{{Infobox a\n| k = v\n}}\n");
    EXPECT_EQ(count(html, "<th colspan=\"2\">a</th>"), 2u);
    EXPECT_FALSE(contains(html, "{{"));
}

// A template inside a value neither ends the infobox nor splits the entry.
TEST(WikitextInfoboxes, TemplatesInsideValues) {
    std::string html = wiki("{{Infobox place\n| coordinates = {{coord|50.4|-4.7}}\n| name = Bodmin\n}}\nText\n");
    EXPECT_TRUE(contains(html, "<strong>coordinates</strong>\n\t</td>\n\t<td>{{coord|50.4|-4.7}}\n\t</td>"));
    EXPECT_TRUE(contains(html, "<strong>name</strong>\n\t</td>\n\t<td>Bodmin\n\t</td>\n</tr></table>"));
    EXPECT_FALSE(contains(html, "| name"));
    // Unclosed, or closed without a line end: left as written.
    EXPECT_TRUE(contains(wiki("{{Infobox a\n| k = {{b}}\n"), "{{Infobox a"));
    EXPECT_TRUE(contains(wiki("{{Infobox a\n| k = v\n}} tail\n"), "{{Infobox a"));
}

// "attributes | text" in a cell: the attributes go on the cell, escaped.
TEST(WikitextTables, CellAttributes) {
    std::string html = wiki("{|\n|-\n|rowspan=2|Cell\n| style=\"color:red\" | x || y\n! scope=\"col\" | H\n|}\n");
    EXPECT_TRUE(contains(html, "<td rowspan=\"2\">Cell</td>"));
    EXPECT_TRUE(contains(html, "<td style=\"color:red\">x</td>\n\t\t\t<td>y</td>"));
    EXPECT_TRUE(contains(html, "<th scope=\"col\">H</th>"));
    EXPECT_TRUE(contains(wiki("{|\n|-\n|title='a\"<b>' | x\n|}\n"), "<td title=\"a&quot;&lt;b&gt;\">x</td>"));
    // A "|" after text that reads as no attributes is part of the text.
    EXPECT_TRUE(contains(wiki("{|\n|-\n| a | b\n|}\n"), "<td>a | b</td>"));
}

TEST(WikitextTables, RowSeparatorWithMoreDashes) {
    std::string html = wiki("{|\n|-\n| a\n|-----\n| b\n|--- style=\"x\"\n| c\n|}\n");
    EXPECT_TRUE(contains(html, "<td>a</td>\n\t\t</tr>\n\t\t<tr>\n\t\t\t<td>b</td>\n\t\t</tr>\n\t\t<tr style=\"x\">"));
    EXPECT_FALSE(contains(html, "<hr"));
    EXPECT_EQ(wiki("-----"), "<hr />");
}
