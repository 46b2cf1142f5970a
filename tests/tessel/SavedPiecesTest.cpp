// Comments, inline HTML, raw HTML blocks, link targets, images, media and
// bare addresses, and putting them back.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

TEST(TesselSavedPieces, NamedLinkTargetsAreNotFormatted) {
    EXPECT_TRUE(contains(convert("[docs/page.html::The page]"),
                         "<a href=\"docs/page.html\" alt=\"The page\" title=\"The page\">The page</a>"));
    EXPECT_TRUE(contains(convert("[http://x.org/a__b__c::Link]"), "href=\"http://x.org/a__b__c\""));
}

TEST(TesselSavedPieces, ImagesMediaAndAddresses) {
    EXPECT_TRUE(contains(convert("(A cat)[cat.jpg]"), "<img src=\"cat.jpg\" alt=\"A cat\" title=\"A cat\" />"));
    EXPECT_TRUE(contains(convert("movie.mp4"),
                         "<video src=\"movie.mp4\" type=\"video/mp4\" controls=\"controls\">Not supported</video>"));
    EXPECT_TRUE(contains(convert("song.mp3"),
                         "<audio src=\"song.mp3\" type=\"audio/mp3\" controls=\"controls\">Not supported</audio>"));
    EXPECT_TRUE(contains(convert("photo.png"), "<img src=\"photo.png\" />"));
    EXPECT_EQ(convert("photo.PNG"), "<p>photo.PNG</p>");
    // An image address becomes an image, not a link.
    EXPECT_TRUE(contains(convert("http://example.com/a.png"), "<img src=\"http://example.com/a.png\" />"));
    EXPECT_TRUE(contains(convert("go http://example.com/x now"),
                         "<a href=\"http://example.com/x\">http://example.com/x</a>"));
}

TEST(TesselSavedPieces, HTML5VoidTags) {
    testsupport::ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    EXPECT_TRUE(contains(convert("(A cat)[cat.jpg]"), "title=\"A cat\">"));
}

// Templates copy a link's target or text into several places; every copy
// must come back, and no HTML of a saved piece may land inside an attribute.
TEST(TesselSavedPieces, CopiedTokensAllComeBack) {
    std::string html = convert("[![img/]!]\n[[pic.png::Pic]]");
    EXPECT_TRUE(contains(html, "<a href=\"img/pic.png\" alt=\"pic.png\" title=\"pic.png\">Pic</a>"));
    html = convert("[[http://example.com]]");
    EXPECT_TRUE(contains(html, "<a href=\"http://example.com\" alt=\"http://example.com\" "
                               "title=\"http://example.com\">http://example.com</a>"));
    html = convert("[page.html::http://example.com]");
    EXPECT_TRUE(contains(html, "<a href=\"page.html\" alt=\"http://example.com\" title=\"http://example.com\">"
                               "http://example.com</a>"));
    for (const char* text : {"[[pic.png::Pic]]", "[[http://example.com]]", "[page.html::http://example.com]",
                             "[[a.mp4]] [x.html::song.mp3] [^ n::photo.gif]"})
        EXPECT_FALSE(contains(convert(text), "%%")) << text;
}

TEST(TesselSavedPieces, SameTargetTwiceConvertsBoth) {
    std::string html = convert("[a.html::One] and [a.html::Two]");
    EXPECT_TRUE(contains(html, "<a href=\"a.html\" alt=\"One\" title=\"One\">One</a>"));
    EXPECT_TRUE(contains(html, "<a href=\"a.html\" alt=\"Two\" title=\"Two\">Two</a>"));
}

TEST(TesselSavedPieces, CommentBlocksDisappearWithTheirBlankLine) {
    EXPECT_EQ(convert("Before\n\n$$ Notes\n$ remember this\n\nAfter"), "<p>Before</p>\n\n<p>After</p>");
    EXPECT_EQ(convert("Price: 5$ each"), "<p>Price: 5$ each</p>");
}

TEST(TesselSavedPieces, InlineHTMLIsKeptRaw) {
    EXPECT_EQ(convert("Say @@<span class=\"x\">raw & __u__</span>@@ now"),
              "<p>Say <span class=\"x\">raw & __u__</span> now</p>");
}

TEST(TesselSavedPieces, RawBlocksAndInlinePiecesTogether) {
    std::string html = convert("+html+\n<div a=\"1\">@@kept@@ & <b>x</b></div>\n+endhtml+\n\n"
                               "Text @@<i>i</i>@@ and <b>\n\n+html+<hr>+endhtml+");
    EXPECT_TRUE(contains(html, "<div a=\"1\">@@kept@@ & <b>x</b></div>"));
    EXPECT_TRUE(contains(html, "Text <i>i</i> and &lt;b&gt;"));
    EXPECT_TRUE(contains(html, "<hr>"));
    EXPECT_FALSE(contains(html, "%%"));
}

TEST(TesselSavedPieces, LinkTargetsEndAtTheirBracket) {
    std::string html = convert("[1] see [a.html::A] and [[b.html]] [[c.png::C]]");
    EXPECT_TRUE(contains(html, "[1] see <a href=\"a.html\" alt=\"A\" title=\"A\">A</a>"));
    EXPECT_TRUE(contains(html, "<a href=\"b.html\" alt=\"b.html\" title=\"b.html\">b.html</a> "
                               "<a href=\"c.png\" alt=\"c.png\" title=\"c.png\">C</a>"));
}

TEST(TesselSavedPieces, ImageBesideARawBlockLeavesTheBlockWhole) {
    std::string html = convert("+html+<b>raw</b>+endhtml+ and (A cat)[cat.jpg]");
    EXPECT_TRUE(contains(html, "<b>raw</b> and <img src=\"cat.jpg\" alt=\"A cat\" title=\"A cat\" />"));
}

TEST(TesselSavedPieces, NamesGluedToRawPiecesLeaveTheirTokensWhole) {
    std::string html = convert("+html+<b>raw</b>+endhtml+photo.png @@<i>x</i>@@http://example.com/a");
    EXPECT_TRUE(contains(html, "<b>raw</b><img src=\"photo.png\" />"));
    EXPECT_TRUE(contains(html, "<i>x</i><a href=\"http://example.com/a\">"));
    EXPECT_FALSE(contains(html, "%%"));
}

// A link's target stays on its line: a bracket and "::" on different lines
// make no link.
TEST(TesselSavedPieces, LinkTargetsStayOnOneLine) {
    std::string html = convert("see [a\nb::c] end");
    EXPECT_FALSE(contains(html, "<a "));
    EXPECT_TRUE(contains(html, "see [a<br />\nb::c] end"));
    html = convert("A list:\n\n* item [a\n* b::c] z");
    EXPECT_FALSE(contains(html, "<a "));
    EXPECT_TRUE(contains(html, "b::c] z"));
    EXPECT_TRUE(contains(convert("[x.html::X] and [[y.html::Y]]"), "<a href=\"x.html\" alt=\"X\" title=\"X\">X</a>"));
}
