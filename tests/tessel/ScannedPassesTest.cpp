// Whole conversions at the places where the fast passes must read the text
// exactly as their patterns do: markers next to line ends of every kind,
// list lead-ins over several lines, links beside bare addresses, spared
// attribute values and the line breaks around block HTML.
#include <gtest/gtest.h>

#include <random>

#include "TesselTestSupport.h"
#include "engine/Regex.h"
#include "tessel/DescribedImages.h"

using tesseltest::convert;
using testsupport::u;

TEST(TesselScannedPasses, DoubledMarkersStopWhereTheirPatternsStop) {
    EXPECT_EQ(convert("**bold\nover lines** and ~~sub\xc2" "\x85" "not~~ ~~sub~~"),
              "<p><strong>bold<br />\nover lines</strong> and ~~sub\xc2" "\x85" "not<sub> </sub>sub~~</p>");
    EXPECT_EQ(convert("++a++++b++ --x-- ---y---"),
              "<em>a</em><em>b</em> <del>x</del> <hr />y<hr />");
    EXPECT_EQ(convert("^^up\xe2" "\x80" "\xa8" "no^^ ??mark?? ??open"),
              "<p>^^up\xe2" "\x80" "\xa8" "no^^ <mark>mark</mark> ??open</p>");
    EXPECT_EQ(convert("==note\nacross== ==two== +showreferences+", true),
              "<sup id=\"cite_ref-1\"><a href=\"javascript:;\" onclick=\"document.location.hash='cite_note-1';\">[1]</a></sup> <sup id=\"cite_ref-2\"><a href=\"javascript:;\" onclick=\"document.location.hash='cite_note-2';\">[2]</a></sup> <ol class=\"references\">\n<li id=\"cite_note-1\"> <a href=\"javascript:;\" onclick=\"document.location.hash='cite_ref-1';\">&#x2191;</a> <small>note<br />\nacross</small></li>\n<li id=\"cite_note-2\"> <a href=\"javascript:;\" onclick=\"document.location.hash='cite_ref-2';\">&#x2191;</a> <small>two</small></li>\n</ol>");
}

TEST(TesselScannedPasses, ListBlocksStartWhereTheirLeadInAllows) {
    EXPECT_EQ(convert("12\n3. three\n4. four\n\nafter"),
              "12<br />\n<ol>\n\t<li>three</li>\n<li>four</li>\n</ol>\n\n\n<p>after</p>");
    EXPECT_EQ(convert("\xe4" "\xb8" "\xad" "\xe6" "\x96" "\x87" "\n* one\n* two\n\nend"),
              "\xe4" "\xb8" "\xad" "\xe6" "\x96" "\x87" "<br />\n<ul>\n\t<li>one</li>\n<li>two</li>\n</ul>\n\n\n<p>end</p>");
    EXPECT_EQ(convert("x\xe2" "\x80" "\xa8" "* item\x0c" "\n* next\n\nlast"),
              "x\xe2" "\x80" "\xa8" "<ul>\n\t<li>item</li>\n<li>next</li>\n</ul>\n\n\n<p>last</p>");
    EXPECT_EQ(convert("::Term: meaning\n::Other: a: b\n\nafter"),
              "<dl>\n\t<dt>Term</dt>\n\t<dd>meaning</dd>\n\t<dt>Other</dt>\n\t<dd>a</dd>\n\t<dd>b</dd>\n</dl>\n\n<p>after</p>");
    EXPECT_EQ(convert("\t::Tabbed: no\n\nnext"),
              "<p>\t::Tabbed: no</p>\n\n<p>next</p>");
}

TEST(TesselScannedPasses, CommentBlocksAndLinkTargets) {
    EXPECT_EQ(convert("text\n\n   $$ hidden\nstill hidden\n\nshown\n$nospace\n\n"),
              "<p>text</p>\n\n<p>shown<br />\n$nospace</p>");
    EXPECT_EQ(convert("[http://a.com/x.jpg::Name] and http://b.org/y.png\nno link [a] b.gif"),
              "<p><a href=\"http://a.com/x.jpg\" alt=\"Name\" title=\"Name\">Name</a> and <img src=\"http://b.org/y.png\" /><br />\nno link [a] <img src=\"b.gif\" /></p>");
    EXPECT_EQ(convert("see [[page::Text & more]] and a=\"x<y\" <b> http://x.org/?a=1&b=2"),
              "<p>see <a href=\"page\" alt=\"page\" title=\"page\">Text &amp; more</a> and a=\"x<y\" &lt;b&gt; http://x.org/?a=1&amp;b=2</p>");
    EXPECT_EQ(convert("pic.jpg->left ]-> [[a]] \xc3" "\xa4" " \xc3" "\x9f" ""),
              "<p><img src=\"pic.jpg\" />-&gt;left ]-> <a href=\"a\" alt=\"a\" title=\"a\">a</a> &auml; &szlig;</p>");
}

TEST(TesselScannedPasses, ParagraphsAndLineBreaksAroundEscapedTags) {
    EXPECT_EQ(convert("a\n<table>\nb\n\n\n\nc\n\n<del>x</del>\nd\n"),
              "<p>a<br />\n&lt;table&gt;<br />\nb</p>\n\n\n\n<p>c</p>\n\n<p>&lt;del&gt;x&lt;/del&gt;<br />\nd</p>");
}

// The described-image walk stops a line at its first failed try; the pattern
// it stands for retries everywhere, and both must find the same ranges.
TEST(TesselScannedPasses, DescribedImagesAsThePatternFindsThem) {
    std::mt19937 random(11);
    const char* pieces[] = {"(", ")", ")[", "[", "]", "a", "12", ")%%", "\n", "\r", "\xe2\x80\xa8", " "};
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 16);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];
        std::vector<std::pair<int32_t, int32_t>> walked, matched;
        for (const engine::TextRange& range : tessel::describedImages(u(text)))
            walked.emplace_back(range.start, range.end);
        const auto matches = engine::findAll(u(text), uR"(\((?![0-9]+\)%%).*?\)\[(.*?)\])");
        ASSERT_TRUE(matches) << text;
        for (const engine::Match& match : *matches)
            matched.emplace_back(match.start(), match.end());
        EXPECT_EQ(walked, matched) << text;
    }
}
