// Many lists in one document, and pipe tables with the rules that ran before them.
#include "MarkdownTestSupport.h"

namespace {

using mdtest::convert;
using mdtest::extra;
using mdtest::has;

// Single lists are examples in tests/examples/markdown_lists.txt.
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
