// Paragraphs and line breaks, and the blocks they leave alone.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

TEST(TesselParagraphs, BlocksBecomeParagraphs) {
    EXPECT_EQ(convert("One\n\nTwo"), "<p>One</p>\n\n<p>Two</p>");
    EXPECT_EQ(convert("a\nb\nc"), "<p>a<br />\nb<br />\nc</p>");
    EXPECT_EQ(convert("## Head\n\nText"), "<h2>Head</h2>\n\n<p>Text</p>");
    EXPECT_EQ(convert("\n\n  One  \n\n\n"), "<p>  One  </p>");
}

TEST(TesselParagraphs, CodeBlocksKeepTheirLines) {
    EXPECT_EQ(convert("+code+\nx = 1\ny = 2\n+endcode+"), "<pre><code>\nx = 1\ny = 2\n</code></pre>");
}

TEST(TesselParagraphs, OneLineCodeBlockDoesNotSwallowLaterLineBreaks) {
    EXPECT_EQ(convert("+code+ x +endcode+\na\nb"), "<pre><code> x </code></pre>\na<br />\nb<br />");
}

TEST(TesselParagraphs, StrikeThroughLinesBreakDefinitionLinesDoNot) {
    EXPECT_EQ(convert("--gone--\nnext"), "<p><del>gone</del><br />\nnext</p>");
    EXPECT_TRUE(contains(convert("::T: d"), "\t<dt>T</dt>\n"));
}

TEST(TesselParagraphs, ParagraphAfterATable) {
    std::string html = convert("+table+\nA\n+endtable+\n\nAfter");
    EXPECT_TRUE(contains(html, "</table>\n\n\n<p>After</p>"));
}

TEST(TesselParagraphs, RawPiecesAreNeitherWrappedNorBroken) {
    EXPECT_EQ(convert("+html+\n<div>\na\n</div>\n+endhtml+"), "<p>\n<div>\na\n</div>\n</p>");
    EXPECT_EQ(convert("+comment+\nhidden\n+endcomment+"), "<!--\nhidden<br />\n-->");
}
