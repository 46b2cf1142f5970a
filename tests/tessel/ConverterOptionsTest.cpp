// What the examples cannot reach: fragment anchors (the examples run with
// script anchors), HTML5 void tags, and a noncharacter in the text.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

TEST(TesselOptions, FragmentAnchors) {
    std::string html = convert("+tableofcontents+\n\n# A\n\n## B");
    EXPECT_TRUE(contains(html, "<ul>\n\t<li><a href=\"#toc_1\">A</a>\n\t<ul>\n\t<li><a href=\"#toc_2\">B</a></li>"));
    EXPECT_TRUE(contains(convert("[^ x1::see note]"), "<a href=\"#x1\">see note</a>"));
    html = convert("Water boils ==Handbook, p. 3==.\n\n+showreferences+");
    EXPECT_TRUE(contains(html, "<sup id=\"cite_ref-1\"><a href=\"#cite_note-1\">[1]</a></sup>."));
    EXPECT_TRUE(contains(html, "<li id=\"cite_note-1\"> <a href=\"#cite_ref-1\">&#x2191;</a> "));
}

TEST(TesselOptions, Html5VoidTags) {
    testsupport::ScopedSettings html5({.useHtml5 = true});
    EXPECT_TRUE(contains(convert("a --- b"), "<hr> b"));
    EXPECT_TRUE(contains(convert("(A cat)[cat.jpg]"), "title=\"A cat\">"));
}

// The conversion stands noncharacters in for the CriticMarkup markers; a
// stray one in the text must not become a marker.
TEST(TesselCriticMarkers, StrayNoncharactersDoNotBecomeMarkers) {
    EXPECT_EQ(convert("a\xEF\xB7\x90" "b"), "<p>a\xEF\xBF\xBD" "b</p>");
}
