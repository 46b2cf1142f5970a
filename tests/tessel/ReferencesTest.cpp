// Table of contents, quote and other tags with attributes, references.
#include <gtest/gtest.h>

#include "TesselTestSupport.h"

using tesseltest::contains;
using tesseltest::convert;

TEST(TesselTableOfContents, NestedListOfAnchoredHeadlines) {
    std::string html = convert("+tableofcontents+\n\n# A\n\n## B\n\n# C");
    EXPECT_TRUE(contains(html, "<ul>\n\t<li><a href=\"#toc_1\">A</a>\n\t<ul>\n\t<li><a href=\"#toc_2\">B</a></li>"
                               "\n\t</ul>\n</li>\n<li><a href=\"#toc_3\">C</a></li>\n</ul>"));
    EXPECT_TRUE(contains(html, "<a name=\"toc_1\"></a><h1>A</h1>"));
    EXPECT_TRUE(contains(html, "<a name=\"toc_2\"></a><h2>B</h2>"));
    EXPECT_FALSE(contains(html, "+tableofcontents+"));
}

TEST(TesselTableOfContents, JavaScriptAnchorsAndLinksInHeadlines) {
    std::string html = convert("+tableofcontents+\n\n# See [a.html::A] http://x.org", true);
    EXPECT_TRUE(contains(html, "<a href=\"javascript:;\" onclick=\"document.location.hash='toc_1';\">See "
                               "<a href=\"a.html\""));
    EXPECT_FALSE(contains(html, "%%"));
}

TEST(TesselTableOfContents, SameHeadlineTwiceGetsTwoAnchors) {
    std::string html = convert("+tableofcontents+\n\n# A\n\n# A");
    EXPECT_TRUE(contains(html, "<a name=\"toc_1\"></a><h1>A</h1>\n\n<a name=\"toc_2\"></a><h1>A</h1>"));
}

TEST(TesselQuoteTags, LegendsAndAttributes) {
    EXPECT_TRUE(contains(convert("+quote:Source+\nq\n+endquote+"), "<blockquote><legend>Source</legend>q"));
    EXPECT_TRUE(contains(convert("+quote|class=\"x\"+\nq"), "<blockquote class=\"x\">q"));
    EXPECT_TRUE(contains(convert("+quote:Source|class=\"x\"+\nq"), "<blockquote class=\"x\"><legend>Source</legend>q"));
    EXPECT_TRUE(contains(convert("+quote+\nq\n+endquote+"), "<blockquote><br />\nq<br />\n</blockquote>"));
}

TEST(TesselQuoteTags, LegendKeepsItsColons) {
    EXPECT_TRUE(contains(convert("+quote:See: p. 5+\nq"), "<legend>See: p. 5</legend>"));
    EXPECT_TRUE(contains(convert("+quote:See: p. 5|class=\"x\"+\nq"),
                         "<blockquote class=\"x\"><legend>See: p. 5</legend>"));
}

TEST(TesselQuoteTags, OtherTagsWithAttributes) {
    EXPECT_TRUE(contains(convert("+div|class=\"box\"+\nx\n+enddiv+"), "<div class=\"box\">\nx<br />\n</div>"));
    EXPECT_TRUE(contains(convert("+para|class=\"p\"+text+endpara+"), "<p class=\"p\">text</p>"));
    EXPECT_TRUE(contains(convert("+span|id=\"s\"+x+endspan+"), "<span id=\"s\">x</span>"));
    // The code opener opens the "pre" that "+endcode+" closes.
    EXPECT_TRUE(contains(convert("+code|class=\"c\"+\nx\n+endcode+"), "<pre><code class=\"c\">\nx\n</code></pre>"));
    // Without "|" a marker is left alone.
    EXPECT_TRUE(contains(convert("+divider+"), "+divider+"));
}

TEST(TesselReferences, NumberedReferencesAndTheirList) {
    std::string html = convert("Water boils at 100 degrees ==Handbook, p. 3==.\n\n+showreferences+");
    EXPECT_TRUE(contains(html, "<sup id=\"cite_ref-1\"><a href=\"#cite_note-1\">[1]</a></sup>."));
    EXPECT_TRUE(contains(html, "<ol class=\"references\">\n<li id=\"cite_note-1\"> <a href=\"#cite_ref-1\">&#x2191;</a> "
                               "<small>Handbook, p. 3</small></li>\n</ol>"));
    EXPECT_TRUE(contains(convert("a ==n== b", true),
                         "<a href=\"javascript:;\" onclick=\"document.location.hash='cite_note-1';\">[1]</a>"));
    EXPECT_EQ(convert("No references\n\n+showreferences+"), "<p>No references</p>");
}
