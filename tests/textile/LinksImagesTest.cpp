// Images, bracketed links, link aliases and quoted links.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::count;
using textiletest::contains;

TEST(TextileImages, PlainLinkedAndAttributed) {
    EXPECT_TRUE(contains(convert("see !a.png! now"), "see <img src=\"a.png\" /> now"));
    EXPECT_TRUE(contains(convert("!>(photo)pic.png(Sunset)!:page.html x"),
                    "<a href=\"page.html\"><img src=\"pic.png\" alt=\"Sunset\" title=\"Sunset\" "
                    "class=\"photo align-right\" /></a>"));
    // A source begins right behind its "!".
    EXPECT_TRUE(contains(convert("not an! image! here"), "<p>not an! image! here</p>"));
}

TEST(TextileImages, PlainImageBeforeLinkedImageOnOneLine) {
    std::string html = convert("!a.png! and !b.png!:b.html end");
    EXPECT_TRUE(contains(html, "<img src=\"a.png\" /> and <a href=\"b.html\"><img src=\"b.png\" /></a>"));
}

TEST(TextileImages, PlainImageAfterLinkedImageStaysText) {
    std::string html = convert("!a.png!:a.html and !b.png! end");
    EXPECT_TRUE(contains(html, "<a href=\"a.html\"><img src=\"a.png\" /></a> and !b.png! end"));
}

TEST(TextileLinks, BracketedLinksAllConverted) {
    std::string html = convert("go [\"Home\":/index.html] or [\"Home\":/index.html] now");
    EXPECT_EQ(count(html, "<a href=\"/index.html\">Home</a>"), 2u);
    EXPECT_FALSE(contains(html, "html]"));
}

TEST(TextileLinks, QuotedLinksWithAttributesTitlesAndAliases) {
    std::string html = convert("Text \"<(nav)Start(Go)\":home here\n\n[home]start.html\n\nEnd");
    EXPECT_TRUE(contains(html, "<a href=\"start.html\" title=\"Go\" class=\"nav\" style=\"text-align:left;\">Start</a>"));
    EXPECT_FALSE(contains(html, "[home]"));
    EXPECT_TRUE(contains(convert("\"$\":x.html y"), "<a href=\"x.html\">x.html</a>"));
    EXPECT_TRUE(contains(convert("an \"\":x.html y"), "<a href=\"x.html\"></a>"));
    EXPECT_TRUE(contains(convert("said \"hi\" and \"go\":x.html y"), "<a href=\"x.html\">hi\" and \"go</a>"));
}

TEST(TextileLinks, FirstAliasDefinitionWins) {
    std::string html = convert("\"a\":n x\n\n[n]first.html\n\n[n]second.html\n\nend");
    EXPECT_TRUE(contains(html, "<a href=\"first.html\">a</a>"));
}

TEST(TextileLinks, ConsecutiveAliasLinesAllLeave) {
    std::string html = convert("\"a\":x \"b\":y \"c\":z end\n\n[x]1.html\n[y]2.html\n[z]3.html\n\nAfter");
    EXPECT_TRUE(contains(html, "href=\"1.html\""));
    EXPECT_TRUE(contains(html, "href=\"2.html\""));
    EXPECT_TRUE(contains(html, "href=\"3.html\""));
    EXPECT_FALSE(contains(html, ".html\n"));
    EXPECT_FALSE(contains(html, "[y]"));
    EXPECT_TRUE(contains(html, "<p>After</p>"));
}

TEST(TextileLinks, AliasLineUnderATextLineMergesWithTheNextParagraph) {
    std::string html = convert("Top\n[a]b.html\n\nNext");
    EXPECT_TRUE(contains(html, "<p>Top<br />\nNext</p>"));
}

// Punctuation behind an address ends the sentence, not the address.
TEST(TextileLinks, TrailingPunctuationStaysInTheText) {
    EXPECT_TRUE(contains(convert("See \"Google\":http://google.com."), "See <a href=\"http://google.com\">Google</a>."));
    EXPECT_TRUE(contains(convert("(\"a\":http://x.org/b) c"), "(<a href=\"http://x.org/b\">a</a>) c"));
    EXPECT_TRUE(contains(convert("\"w\":http://x.org/F_(b)! c"), "<a href=\"http://x.org/F_(b)\">w</a>! c"));
}
