// What the examples cannot reach: the block pass applied once, script
// anchors, and HTML5 void tags.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::contains;

// One application of the block pass skips every other block of a run; the
// pipeline applies it twice.
TEST(TextileBlocks, SecondApplicationConvertsEveryBlockOfARun) {
    TextileConverter converter;
    converter.initWithString(testsupport::u("\nh2. A\n\nh2. B\n\nh2. C\n\n"));
    converter.blockTransform();
    std::string once = testsupport::s(converter.str);
    EXPECT_TRUE(contains(once, "<h2>A</h2>"));
    EXPECT_TRUE(contains(once, "h2. B"));
    EXPECT_TRUE(contains(once, "<h2>C</h2>"));
}

TEST(TextileOptions, JavaScriptAnchors) {
    EXPECT_TRUE(contains(convert("word[1] here", true),
                         "<a href=\"javascript:;\" onclick=\"document.location.hash='fn-1';\">1</a>"));
    EXPECT_TRUE(contains(convert("Text\n\nfn3^. Back to text", true),
                         "href=\"javascript:;\" onclick=\"document.location.hash='rev_fn-3';\""));
    EXPECT_TRUE(contains(convert("x[#n!] y[(hot)#m] z", true),
                         "<sup class=\"hot\"><a href=\"javascript:;\" onclick=\"document.location.hash='note-m-1';\">"));
}

TEST(TextileOutput, VoidTagsFollowTheHtml5Setting) {
    testsupport::ScopedSettings html5({.useHtml5 = true});
    std::string html = convert("one\ntwo !a.png! x");
    EXPECT_TRUE(contains(html, "one<br>\ntwo"));
    EXPECT_TRUE(contains(html, "<img src=\"a.png\">"));
}
