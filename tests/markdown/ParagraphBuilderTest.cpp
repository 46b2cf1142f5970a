// The paragraph builder on its own: which lines a block tag, a list item, a
// raw block or a saved code block keeps out of paragraphs.
#include "MarkdownTestSupport.h"

namespace {

using testsupport::s;
using testsupport::u;

std::string paragraphs(const std::string& text, MarkdownConverter& converter) {
    return s(converter.addPBlocks(u(text)));
}

std::string paragraphs(const std::string& text) {
    MarkdownConverter converter;
    converter.HTML_close = u" />";
    return paragraphs(text, converter);
}

}  // namespace

TEST(ParagraphBuilder, BlockTagsAreFoundWhereTheyStandWhole) {
    // A line that starts with a block element closes the paragraph above.
    EXPECT_EQ(paragraphs("a\n<hr />\nb"), "<p>a</p>\n<hr />\n<p>b</p>");
    EXPECT_EQ(paragraphs("a\n\n<hr>\n\nb"), "<p>a</p>\n\n<hr>\n\n<p>b</p>");
    EXPECT_EQ(paragraphs("a\n<div class=\"x\">\n<p> one\ntwo</p>\n</div>\nb"),
              "<p>a</p>\n<div class=\"x\">\n<p> one\ntwo</p>\n</div>\n<p>b</p>");
    // "p>" in a tag of another name is no paragraph.
    EXPECT_EQ(paragraphs("a<sup>1</sup>\n\nb"), "<p>a<sup>1</sup></p>\n\n<p>b</p>");
    EXPECT_EQ(paragraphs("x<h7>y\nz\n\nw"), "<p>x<h7>y\nz</p>\n\n<p>w</p>");
    EXPECT_EQ(paragraphs("a\n\nx <h3>y\n\nb"), "<p>a</p>\n\nx <h3>y\n\n<p>b</p>");
    // A tag cut by a line end is no tag.
    EXPECT_EQ(paragraphs("ta\nble> x\n\ny"), "<p>ta\nble> x</p>\n\n<p>y</p>");
    EXPECT_EQ(paragraphs("a\n\n\xC3\xBC<\xC3\xBC>\n\nx"), "<p>a</p>\n\n<p>\xC3\xBC<\xC3\xBC></p>\n\n<p>x</p>");
    EXPECT_EQ(paragraphs("<h2>x</h2>"), "<h2>x</h2>");
    EXPECT_EQ(paragraphs("  \n a \n "), "<p>a</p>");
}

TEST(ParagraphBuilder, ListItemsAndRawBlocksStayAsWritten) {
    EXPECT_EQ(paragraphs("<li>\ntext\n\nmore</li>\nz"), "<li>\ntext\n\nmore</li>\n<p>z</p>");
    EXPECT_EQ(paragraphs("<pre>x</pre><pre>\na\n\nb\n</pre>\n\nc"), "<pre>x</pre><pre>\na\n\nb\n</pre>\n\n<p>c</p>");
    // The later of a line's last opening and last closing decides.
    EXPECT_EQ(paragraphs("<pre>a</pre> x\nb\n\nc"), "<pre>a</pre> x\n<p>b</p>\n\n<p>c</p>");
    EXPECT_EQ(paragraphs("q <blockquote>\nr\n\ns"), "q <blockquote>\nr\n\ns");
}

TEST(ParagraphBuilder, BlankLinesCloseAndSavedPreBlocksStandApart) {
    EXPECT_EQ(paragraphs("one\n\n\ntwo\n \nthree"), "<p>one</p>\n\n\n<p>two</p>\n \n<p>three</p>");
    EXPECT_EQ(paragraphs("a\n\xE3\x80\x80\nb"), "<p>a</p>\n\xE3\x80\x80\n<p>b</p>");
    MarkdownConverter converter;
    converter.HTML_close = u">";
    const std::string token = s(converter.codeBlocksEscaped.set(0, u"<pre>x</pre>"));
    const std::string other = s(converter.codeBlocksEscaped.set(1, u"<code>y</code>"));
    EXPECT_EQ(paragraphs("a\n\n" + token + "\nb", converter), "<p>a</p>\n\n" + token + "\n<p>b</p>");
    EXPECT_EQ(paragraphs("a\n\n" + other + "\nb", converter), "<p>a</p>\n\n<p>" + other + "\nb</p>");
    // Right under a line of text, indented or not, the block ends its paragraph.
    EXPECT_EQ(paragraphs("a\n" + token + "\nb", converter), "<p>a</p>\n" + token + "\n<p>b</p>");
    EXPECT_EQ(paragraphs("a:\n\t" + token, converter), "<p>a:</p>\n\t" + token);
}
