// Lists by tab depth and pipe tables, with the rules that ran before them.
#include "MarkdownTestSupport.h"

namespace {

using mdtest::convert;
using mdtest::extra;
using mdtest::has;

TEST(MarkdownLists, BulletedListAtTheStartOfTheDocument) {
    EXPECT_EQ(convert("- one\n- two\n- three"), "<ul>\n<li>one</li>\n<li>two</li>\n<li>three</li>\n</ul>");
}

TEST(MarkdownLists, NumberedAndNested) {
    EXPECT_EQ(convert("Text\n\n1. a\n2. b"), "<p>Text</p>\n\n<ol>\n<li>a</li>\n<li>b</li>\n</ol>");
    EXPECT_EQ(convert("- a\n    - b\n- c"), "<ul>\n<li>a\n<ul>\n<li>b</li>\n</ul></li>\n<li>c</li>\n</ul>");
}

TEST(MarkdownLists, ContinuationLinesAndWhereAListEnds) {
    EXPECT_EQ(convert("- a\nmore\n-b"), "<ul>\n<li>a\nmore\n-b</li>\n</ul>");
    EXPECT_EQ(convert("- a\n\n- b"), "<ul>\n<li><p>a</p></li>\n<li><p>b</p></li>\n</ul>");
    EXPECT_EQ(convert("- a\n\nPara"), "<ul>\n<li>a</li>\n</ul>\n\n<p>Para</p>");
}

TEST(MarkdownLists, NumberedItemsWithATabAfterTheMarker) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra})
        EXPECT_EQ(convert("1.\ta\n2.\tb", flavour), "<ol>\n<li>a</li>\n<li>b</li>\n</ol>");
}

TEST(MarkdownLists, ASentenceInAnItemDoesNotEndTheList) {
    EXPECT_EQ(convert("1. a\nIt ends. Here\n\n2. b"),
              "<ol>\n<li><p>a\nIt ends. Here</p></li>\n<li><p>b</p></li>\n</ol>");
}

TEST(MarkdownLists, LooseItemsGetParagraphs) {
    // One empty line between two items makes the whole list loose.
    EXPECT_EQ(convert("- a\n- b\n\n- c\n\nPara"),
              "<ul>\n<li><p>a</p></li>\n<li><p>b</p></li>\n<li><p>c</p></li>\n</ul>\n\n<p>Para</p>");
    EXPECT_EQ(extra("1. a\n\n2. b"), "<ol>\n<li><p>a</p></li>\n<li><p>b</p></li>\n</ol>");
}

TEST(MarkdownLists, IndentedParagraphBelongsToTheItem) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra})
        EXPECT_EQ(convert("- a\n\n    more\n\n    again\n- b", flavour),
                  "<ul>\n<li><p>a</p>\n\n<p>more</p>\n\n<p>again</p></li>\n<li><p>b</p></li>\n</ul>");
    // After a plain paragraph it is code.
    EXPECT_TRUE(has(convert("- a\n\nText\n\n    code"), "<pre><code>code</code></pre>"));
}

TEST(MarkdownLists, CodeIndentedTwiceStaysInTheItem) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra})
        EXPECT_EQ(convert("1. Run:\n\n        make a < b\n\n2. Done", flavour),
                  "<ol>\n<li><p>Run:</p>\n\n<pre><code>make a &lt; b</code></pre>\n</li>\n<li><p>Done</p></li>\n</ol>");
}

TEST(MarkdownLists, EmphasisAndLinksInsideItems) {
    EXPECT_EQ(convert("- **bold** [l](http://x.com/a_b)\n- _em_"),
              "<ul>\n<li><strong>bold</strong> <a href=\"http://x.com/a_b\">l</a></li>\n<li><em>em</em></li>\n</ul>");
}

TEST(MarkdownLists, ManyListsInOneDocument) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "Para " + std::to_string(i) + "\n\n- a\n- b\n\n";
    const std::string html = convert(text);
    EXPECT_EQ(mdtest::count(html, "<ul>\n<li>a</li>\n<li>b</li>\n</ul>"), 200u);
}

TEST(MarkdownTables, HeaderAlignedBodyAndColgroup) {
    const std::string html = extra("| a | b |\n|:-:|:-:|\n| 1 | 2 |\n| 3 | 4 |\n\nAfter");
    EXPECT_EQ(html,
              "<table>\n\t<colgroup>\n\t\t<col style=\"text-align:center;\" />\n\t\t<col style=\"text-align:center;\" />\n"
              "\t</colgroup>\n\t<thead>\n\t\t<tr>\n\t\t\t<th>a</th>\n\t\t\t<th>b</th>\n\t\t</tr>\n\t</thead>\n\t<tbody>\n"
              "\t\t<tr>\n\t\t\t<td style=\"text-align:center;\">1</td>\n\t\t\t<td style=\"text-align:center;\">2</td>\n\t\t</tr>\n"
              "\t\t<tr>\n\t\t\t<td style=\"text-align:center;\">3</td>\n\t\t\t<td style=\"text-align:center;\">4</td>\n\t\t</tr>\n"
              "\t</tbody>\n</table>\n\n<p>After</p>");
}

TEST(MarkdownTables, SpansBodiesCaptionAndOptionalPipes) {
    const std::string html = extra("a | b | c\n---|---|---\n1 || 2\n\n3 | 4 | 5\n[My Table]\n\nEnd");
    EXPECT_TRUE(has(html, "<td colspan=\"2\">1</td>")) << html;
    EXPECT_TRUE(has(html, "\t</tbody>\n\t<tbody>\n")) << html;
    EXPECT_TRUE(has(html, "<caption id=\"mytable\">My Table</caption>")) << html;
    EXPECT_TRUE(has(html, "<th>c</th>")) << html;
}

TEST(MarkdownTables, EmphasisAndCodeInCells) {
    const std::string html = extra("| *a* | `b|c` |\n|---|---|\n| __x__ | y |\n\nEnd");
    EXPECT_TRUE(has(html, "<th><em>a</em></th>")) << html;
    EXPECT_TRUE(has(html, "<th><code>b|c</code></th>")) << html;
    EXPECT_TRUE(has(html, "<td><strong>x</strong></td>")) << html;
}

TEST(MarkdownTables, TooFewPipeLinesOrTableAtTheVeryEndStayText) {
    EXPECT_FALSE(has(extra("a | b\n---|---\n\nText"), "<table>"));
    EXPECT_FALSE(has(extra("a | b\n---|---\n1 | 2"), "<table>"));
}

}  // namespace
