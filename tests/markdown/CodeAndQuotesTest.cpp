// Code is saved first and comes back exactly as written; quotes nest.
#include "MarkdownTestSupport.h"

namespace {

using mdtest::convert;
using mdtest::extra;
using mdtest::has;

TEST(MarkdownCode, SpansAreEscapedAndUntouchedByRules) {
    EXPECT_EQ(convert("Use `a < b && *c*` now"), "<p>Use <code>a &lt; b &amp;&amp; *c*</code> now</p>");
    EXPECT_EQ(convert("``a `tick` b``"), "<p><code>a `tick` b</code></p>");
    EXPECT_EQ(convert("`one\ntwo`"), "<p><code>one\ntwo</code></p>");
    EXPECT_EQ(convert("a `b\n\nc` d"), "<p>a `b</p>\n\n<p>c` d</p>");
    const std::string twice = convert("`x` and `x`");
    EXPECT_EQ(mdtest::count(twice, "<code>x</code>"), 2u) << twice;
}

TEST(MarkdownCode, IndentedBlockKeepsFurtherIndentationAndDropsTrailingBlanks) {
    EXPECT_EQ(convert("Text\n\n    if (a < b)\n        go();\n\n\nAfter"),
              "<p>Text</p>\n\n<pre><code>if (a &lt; b)\n\tgo();</code></pre>\n\n\n<p>After</p>");
}

TEST(MarkdownCode, BlockShowsBackticksAsWritten) {
    EXPECT_EQ(convert("    a `b` c"), "<pre><code>a `b` c</code></pre>");
    const std::string html = convert("x `s`\n\n    call ``f`` \\`g`\n\ny `s`");
    EXPECT_TRUE(has(html, "<pre><code>call ``f`` \\`g`</code></pre>")) << html;
    EXPECT_EQ(mdtest::count(html, "<code>s</code>"), 2u) << html;
}

// The empty lines the data examples cannot show, and the fences of a block
// that an indented code block shows.
TEST(MarkdownCode, FencedBlockKeepsEmptyLinesAndIndentedCodeShowsFences) {
    EXPECT_EQ(extra("```\na\n\n\n  \nb\n```"), "<pre><code>a\n\n\n  \nb</code></pre>");
    EXPECT_TRUE(has(extra("x\n\n    code\n    ```\n    y\n    ```\n\nz"), "<pre><code>code\n```\ny\n```</code></pre>"));
    const std::string nested = extra("- a\n\n\t- b\n\n\t\t```\n\t\tc\n\t\t```\n");
    EXPECT_TRUE(has(nested, "<li><p>b</p>\n\n\t<pre><code>c</code></pre>\n</li>")) << nested;
}

TEST(MarkdownCode, EscapedBacktickOpensNoSpan) {
    EXPECT_EQ(convert("\\`a\\`"), "<p>`a`</p>");
    EXPECT_EQ(convert("`x` \\` `y`"), "<p><code>x</code> ` <code>y</code></p>");
    EXPECT_EQ(convert("The backslash (`\\`) and `\\\\`"), "<p>The backslash (<code>\\</code>) and <code>\\\\</code></p>");
}

TEST(MarkdownCode, LinksWrittenInCodeStayText) {
    const std::string span = convert("Write `[a](http://b.com)` or `<http://c.com>`");
    EXPECT_TRUE(has(span, "<code>[a](http://b.com)</code>")) << span;
    EXPECT_TRUE(has(span, "<code>&lt;http://c.com&gt;</code>")) << span;
    EXPECT_FALSE(has(span, "<a "));
    const std::string block = convert("x\n\n    [a](b) ![i](j.png)\n\ny");
    EXPECT_TRUE(has(block, "<pre><code>[a](b) ![i](j.png)</code></pre>")) << block;
}

TEST(MarkdownCode, EscapedBacktickInCodeReadsAsWritten) {
    const std::string html = convert("x\n\n    echo a \\`b\n\ny");
    EXPECT_TRUE(has(html, "<pre><code>echo a \\`b</code></pre>")) << html;
}

TEST(MarkdownCode, UnindentedOneCharacterLineKeepsItsCharacter) {
    const std::string html = convert("x\n\n    f() {\n        a;\n}\n\ny");
    EXPECT_TRUE(has(html, "<pre><code>f() {\n\ta;\n}</code></pre>")) << html;
}

TEST(MarkdownCode, CodeInsideEmphasisAndLinkTextComesBack) {
    EXPECT_EQ(convert("**`a_b_c`**"), "<p><strong><code>a_b_c</code></strong></p>");
    EXPECT_EQ(convert("[`code` link](http://x.com)"), "<p><a href=\"http://x.com\"><code>code</code> link</a></p>");
}

TEST(MarkdownQuotes, QuoteWithLazyLineAndNestedLevel) {
    EXPECT_EQ(convert("> a\nlazy\n\nb"), "<blockquote>\n<p>a\nlazy</p>\n</blockquote>\n\n<p>b</p>");
    const std::string nested = convert("> outer\n>\n> > inner\n");
    EXPECT_EQ(mdtest::count(nested, "<blockquote>"), 2u) << nested;
    EXPECT_TRUE(has(nested, "<p>outer</p>")) << nested;
    EXPECT_TRUE(has(nested, "<p>inner")) << nested;
    EXPECT_FALSE(has(nested, "&gt;")) << nested;
    EXPECT_EQ(convert("> a\n>\n> > b"),
              "<blockquote>\n<p>a</p>\n\n<blockquote>\n<p>b</p>\n</blockquote>\n\n</blockquote>");
}

TEST(MarkdownQuotes, IndentedCodeInsideAQuote) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra}) {
        EXPECT_EQ(convert("> a\n>\n>     x < y\n>         *z*\n>\n> b", flavour),
                  "<blockquote>\n<p>a</p>\n\n<pre><code>x &lt; y\n\t*z*</code></pre>\n\n\n<p>b</p>\n</blockquote>");
        EXPECT_EQ(convert(">     `code` [l](u)", flavour),
                  "<blockquote>\n<pre><code>`code` [l](u)</code></pre>\n\n</blockquote>");
    }
}

TEST(MarkdownQuotes, CodeInQuoteStaysCode) {
    EXPECT_TRUE(has(extra("> run `*x*`\n"), "<code>*x*</code>"));
}

}  // namespace
