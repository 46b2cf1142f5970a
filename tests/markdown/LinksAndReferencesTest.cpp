// Inline links and images are protected early; references resolve late.
#include "MarkdownTestSupport.h"

namespace {

using mdtest::convert;
using mdtest::extra;
using mdtest::has;

TEST(MarkdownLinks, InlineLinksKeepUnderscoresAndStars) {
    EXPECT_EQ(convert("[a_b](http://x.com/a_b*c*)"), "<p><a href=\"http://x.com/a_b*c*\">a_b</a></p>");
    EXPECT_EQ(convert("[t](u \"Title\")"), "<p><a href=\"u\" title=\"Title\">t</a></p>");
}

TEST(MarkdownLinks, AddressesAsTheSyntaxAllowsThem) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra}) {
        EXPECT_EQ(convert("[a](</u v>)", flavour), "<p><a href=\"/u v\">a</a></p>");
        EXPECT_EQ(convert("[a](/x(1)) b", flavour), "<p><a href=\"/x(1)\">a</a> b</p>");
        EXPECT_EQ(convert("![i]( p.png )", flavour), "<p><img src=\"p.png\" alt=\"i\" /></p>");
    }
}

TEST(MarkdownLinks, TitlesAfterBlanksAndWithQuotes) {
    EXPECT_EQ(convert("[a](/u \"t\" )"), "<p><a href=\"/u\" title=\"t\">a</a></p>");
    EXPECT_EQ(convert("[a](/u\t\"t\")"), "<p><a href=\"/u\" title=\"t\">a</a></p>");
    EXPECT_EQ(extra("[a](/u \"x \"y\" z\")"), "<p><a href=\"/u\" title=\"x &quot;y&quot; z\">a</a></p>");
    EXPECT_EQ(convert("![i](p.png \"say \"hi\"\")"), "<p><img src=\"p.png\" alt=\"i\" title=\"say &quot;hi&quot;\" /></p>");
}

TEST(MarkdownLinks, BracketsBeforeALinkAreNotItsText) {
    EXPECT_EQ(convert("[x] b [c](d)"), "<p>[x] b <a href=\"d\">c</a></p>");
    EXPECT_EQ(convert("[[w]](u)"), "<p><a href=\"u\">[w]</a></p>");
}

TEST(MarkdownLinks, ImagesAndLinkedImages) {
    EXPECT_EQ(convert("![alt](p.png \"T\")"), "<p><img src=\"p.png\" alt=\"alt\" title=\"T\" /></p>");
    EXPECT_EQ(convert("[![b](c.svg)](http://d.com)"), "<p><a href=\"http://d.com\"><img src=\"c.svg\" alt=\"b\" /></a></p>");
}

TEST(MarkdownLinks, WebAddresses) {
    EXPECT_EQ(convert("see http://example.com/a_b_c_ now"), "<p>see http://example.com/a_b_c_ now</p>");
    EXPECT_EQ(convert("<http://example.com/a_b>"),
              "<p><a href=\"http://example.com/a_b\">http://example.com/a_b</a></p>");
}

TEST(MarkdownLinks, TheSameLinkTwiceComesBackTwice) {
    const std::string html = convert("[a](b) and [a](b)");
    EXPECT_EQ(mdtest::count(html, "<a href=\"b\">a</a>"), 2u) << html;
}

TEST(MarkdownLinks, LinksAreProtectedFromEmphasis) {
    EXPECT_EQ(convert("*see [x](http://a.com/*y*)*"), "<p><em>see <a href=\"http://a.com/*y*\">x</a></em></p>");
}

TEST(MarkdownReferences, DefinitionsResolveAndDisappear) {
    const std::string html = convert("See [it][Ref] and [me][].\n\n[Ref]: http://r.com \"Title\"\n[me]: http://m.com\n");
    EXPECT_TRUE(has(html, "<a href=\"http://r.com\" title=\"Title\">it</a>")) << html;
    EXPECT_TRUE(has(html, "<a href=\"http://m.com\">me</a>")) << html;
    EXPECT_FALSE(has(html, "[Ref]:"));
}

TEST(MarkdownReferences, LinkNamesKeepLetterCaseImageKeysAreLowerCased) {
    const std::string html = convert("[a][Ref] [b][ref] ![c][Pic]\n\n[ref]: http://lower.com\n[pic]: p.png\n");
    EXPECT_TRUE(has(html, "[a][Ref]")) << html;
    EXPECT_TRUE(has(html, "<a href=\"http://lower.com\">b</a>")) << html;
    EXPECT_TRUE(has(html, "<img src=\"p.png\" alt=\"c\" />")) << html;
}

TEST(MarkdownReferences, TitlesOnTheNextLineInAnyDelimiter) {
    EXPECT_TRUE(has(convert("[x][a]\n\n[a]: http://a.com\n    \"Quoted\"\n"), "title=\"Quoted\">x</a>"));
    EXPECT_TRUE(has(convert("[x][a]\n\n[a]: http://a.com 'Single'\n"), "title=\"Single\">x</a>"));
    EXPECT_TRUE(has(convert("[x][a]\n\n[a]: http://a.com (Paren)\n"), "title=\"Paren\">x</a>"));
}

TEST(MarkdownReferences, DefinitionWithoutSpaceAfterColonDoesNotStopThePass) {
    const std::string html = convert("[x][a] [y][b]\n\n[a]:http://a.com\n[b]: http://b.com\n");
    EXPECT_TRUE(has(html, "<a href=\"http://a.com\">x</a>")) << html;
    EXPECT_TRUE(has(html, "<a href=\"http://b.com\">y</a>")) << html;
}

TEST(MarkdownReferences, ReferenceUsedTwiceRestoresItsSavedAddressTwice) {
    const std::string html = convert("[x][a] and [y][a]\n\n[a]: http://a.com/p_q\n");
    EXPECT_EQ(mdtest::count(html, "href=\"http://a.com/p_q\""), 2u) << html;
}

TEST(MarkdownReferences, ShortcutReferences) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra}) {
        EXPECT_EQ(convert("[x]\n\n[x]: /u", flavour), "<p><a href=\"/u\">x</a></p>");
        EXPECT_EQ(convert("[a] and [b][c]\n\n[c]: /c", flavour), "<p>[a] and <a href=\"/c\">b</a></p>");
    }
    // A checkbox, a name nobody defined or a footnote marker stays text.
    EXPECT_EQ(convert("[ ] task [y]\n\n[x]: /u"), "<p>[ ] task [y]</p>");
    EXPECT_EQ(convert("Text[^n]\n\n[^n]: A note."), "<p>Text[^n]</p>");
}

TEST(MarkdownReferences, TextAndNameOverALineBreak) {
    EXPECT_EQ(convert("[a\nb][id] and [c]\n[id]\n\n[id]: /u"),
              "<p><a href=\"/u\">a\nb</a> and <a href=\"/u\">c</a></p>");
    EXPECT_EQ(extra("[a\nb][]\n\n[a b]: /u"), "<p><a href=\"/u\">a\nb</a></p>");
    // Not over an empty line.
    EXPECT_EQ(convert("[a]\n\n[id]\n\n[id]: /u"), "<p>[a]</p>\n\n<p><a href=\"/u\">id</a></p>");
}

TEST(MarkdownReferences, ABracketAndColonEndingASentenceIsNoDefinition) {
    EXPECT_EQ(convert("Pipe it through [iconv]:\n\n    iconv x\n\nEnd"),
              "<p>Pipe it through [iconv]:</p>\n\n<pre><code>iconv x</code></pre>\n\n\n<p>End</p>");
}

TEST(MarkdownReferences, BracketsInsideTheLinkText) {
    EXPECT_EQ(convert("[a [b]][1]\n\n[1]: /u"), "<p><a href=\"/u\">a [b]</a></p>");
}

TEST(MarkdownReferences, BlanksBeforeTheAddress) {
    EXPECT_EQ(convert("[l][]\n\n[l]:  /u"), "<p><a href=\"/u\">l</a></p>");
    EXPECT_EQ(convert("[l][]\n\n[l]:\t\t/u  \"T\""), "<p><a href=\"/u\" title=\"T\">l</a></p>");
}

TEST(MarkdownReferences, AddressesKeepTheirUnderscores) {
    EXPECT_EQ(convert("[a] and [b][]\n\n[a]: code_hilite.md\n[b]: fenced_code_blocks.md \"T\""),
              "<p><a href=\"code_hilite.md\">a</a> and <a href=\"fenced_code_blocks.md\" title=\"T\">b</a></p>");
}

TEST(MarkdownReferences, UnknownReferenceStaysAsWritten) {
    EXPECT_EQ(convert("[x][nowhere]"), "<p>[x][nowhere]</p>");
}

}  // namespace
