// The rule table, the link root, backslash escapes, entity protection and the
// CriticMarkup markers that pass through the conversion.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

TEST(TesselRules, HeadlinesNeedExactlyTheirHashesAndASpace) {
    EXPECT_EQ(convert("# Title"), "<h1>Title</h1>");
    EXPECT_EQ(convert("### Three"), "<h3>Three</h3>");
    EXPECT_FALSE(contains(convert("#Title"), "<h1>"));
    EXPECT_FALSE(contains(convert("####### Seven"), "<h"));
    // The underlined form swallows the blank lines after the underline.
    EXPECT_EQ(convert("Title\n=====\n\n\nText"), "<h1>Title</h1>\nText<br />");
}

TEST(TesselRules, InlineMarkers) {
    EXPECT_EQ(convert("**bold\nline**"), "<p><strong>bold<br />\nline</strong></p>");
    // Subscript, superscript and mark stay on one line.
    EXPECT_EQ(convert("~~a\nb~~"), "<p>~~a<br />\nb~~</p>");
    EXPECT_EQ(convert("__u__ ~~s~~ ++e++ --d-- ^^p^^ ??m??"),
              "<p><ins>u</ins> <sub>s</sub> <em>e</em> <del>d</del> <sup>p</sup> <mark>m</mark></p>");
    // Three hyphens are a rule before the strike-through rule looks for pairs.
    EXPECT_EQ(convert("a --- b"), "a <hr /> b");
}

TEST(TesselRules, HorizontalRuleFollowsTheVoidTagSetting) {
    testsupport::ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    EXPECT_TRUE(contains(convert("a --- b"), "<hr> b"));
}

TEST(TesselRules, FootnotesInBothAnchorModes) {
    EXPECT_TRUE(contains(convert("[^ x1::see note]"), "<a href=\"#x1\">see note</a>"));
    EXPECT_TRUE(contains(convert("[^ x1::see note]", true),
                         "<a href=\"javascript:;\" onclick=\"document.location.hash='x1';\">see note</a>"));
    EXPECT_TRUE(contains(convert("[^ x1]"), "<a name=\"x1\"> </a>"));
}

TEST(TesselLinkRoot, RootPrefixesRootedLinksAndDisappears) {
    std::string html = convert("Intro\n\n[![docs/]!]\n\n[[a.html::Start]] and [[b.html]]");
    EXPECT_TRUE(contains(html, "<a href=\"docs/a.html\" alt=\"a.html\" title=\"a.html\">Start</a>"));
    EXPECT_TRUE(contains(html, "<a href=\"docs/b.html\" alt=\"b.html\" title=\"b.html\">b.html</a>"));
    EXPECT_FALSE(contains(html, "[!["));
    // Without a root the target is used as written.
    EXPECT_TRUE(contains(convert("[[a.html::Start]]"), "href=\"a.html\""));
}

TEST(TesselLinkRoot, DollarAndBackslashInTheRootComeOutAsWritten) {
    EXPECT_TRUE(contains(convert("[![$1/\\x/]!]\n[[a.html::A]]"), "href=\"$1/\\x/a.html\""));
    EXPECT_TRUE(contains(convert("[![c:\\docs\\]!]\n[[a.html]]"), "href=\"c:\\docs\\a.html\""));
}

TEST(TesselLinkRoot, OnlyTheFirstDeclarationCounts) {
    std::string html = convert("[![one/]!] [![two/]!]\n[[a.html]]");
    EXPECT_TRUE(contains(html, "href=\"one/a.html\""));
    EXPECT_TRUE(contains(html, "[![two/]!]"));
}

TEST(TesselEscapes, EscapedCharactersComeOutAsThemselves) {
    EXPECT_EQ(convert("\\*\\*not bold\\*\\*"), "<p>**not bold**</p>");
    EXPECT_EQ(convert("one \\\\ two"), "<p>one \\ two</p>");
    // The "(" escape used to carry a letter that entity escaping rewrote.
    EXPECT_EQ(convert("\\(a\\) \\[b\\] \\{c\\}"), "<p>(a) [b] {c}</p>");
    EXPECT_EQ(convert("\\# not a headline"), "<p># not a headline</p>");
    // Escapes come back after entity escaping: an escaped "<" stays bare.
    EXPECT_EQ(convert("\\<b\\> & <i>"), "<p><b> &amp; &lt;i&gt;</p>");
    // A backslash before a character that needs no escape stays.
    EXPECT_EQ(convert("a\\b"), "<p>a\\b</p>");
}

TEST(TesselEscapes, EscapeInsideAFileNameKeepsTheNameWhole) {
    EXPECT_TRUE(contains(convert("my\\_photo.png"), "<img src=\"my_photo.png\" />"));
}

TEST(TesselEntities, SpecialCharactersAreEscapedExceptSparedPieces) {
    EXPECT_EQ(convert("a < b \"q\" ä"), "<p>a &lt; b &quot;q&quot; &auml;</p>");
    std::string html = convert("See http://example.com/a?b=1&c=2 and photo.png");
    EXPECT_TRUE(contains(html, "<a href=\"http://example.com/a?b=1&c=2\">http://example.com/a?b=1&c=2</a>"));
    EXPECT_TRUE(contains(html, "<img src=\"photo.png\" />"));
    // Attribute values already in the text keep their quotes.
    EXPECT_TRUE(contains(convert("+div|class=\"box\"+\nx\n+enddiv+"), "<div class=\"box\">"));
}

// The dispatcher rewrites CriticMarkup into these markers before the
// conversion and into spans after it; they must arrive as they left.
TEST(TesselCriticMarkers, MarkersSurviveTheConversion) {
    EXPECT_EQ(convert("{%%12%%}"), "<p>{%%12%%}</p>");
    EXPECT_EQ(convert("{$$old➔new%%} {;;hi%%} {$$gone%%}"), "<p>{$$old➔new%%} {;;hi%%} {$$gone%%}</p>");
    EXPECT_EQ(convert("{>>note%%}"), "<p>{>>note%%}</p>");
    // Next to addresses and file names, whose patterns accept "%".
    std::string html = convert("{%%http://example.com%%} {%%photo.png%%}");
    EXPECT_TRUE(contains(html, "{%%<a href=\"http://example.com\">http://example.com</a>%%}"));
    EXPECT_TRUE(contains(html, "{%%<img src=\"photo.png\" />%%}"));
    // With markup inside and an escape beside.
    EXPECT_EQ(convert("{%%**new** \\. text%%}"), "<p>{%%<strong>new</strong> . text%%}</p>");
}

TEST(TesselCriticMarkers, StrayNoncharactersDoNotBecomeMarkers) {
    EXPECT_EQ(convert("a\xEF\xB7\x90" "b"), "<p>a\xEF\xBF\xBD" "b</p>");
}
