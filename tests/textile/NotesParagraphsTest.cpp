// Note lists, notextile blocks, paragraphs and line breaks.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::count;
using textiletest::contains;

TEST(TextileNotes, ReferencesDefinitionsAndList) {
    std::string html = convert("See[#a] and[#b].\n\nnote#a. First.\n\nnote#b. Second.\n\nnotelist.");
    EXPECT_TRUE(contains(html, "<sup><a href=\"#note-b-1\"><span id=\"note-b-2\">1</span></a></sup>"));
    EXPECT_TRUE(contains(html, "<sup><a href=\"#note-a-3\"><span id=\"note-a-4\">2</span></a></sup>"));
    EXPECT_TRUE(contains(html, "<ol>\n\t<li><sup><a href=\"#note-b-2\">a</a> </sup><span id=\"note-b-1\"> </span>Second.</li>\n"
                          "\t<li><sup><a href=\"#note-a-4\">a</a> </sup><span id=\"note-a-3\"> </span>First.</li>\n</ol>"));
    EXPECT_FALSE(contains(html, "note#"));
}

TEST(TextileNotes, BackLinkVariantsAndRepeatedReferences) {
    std::string text = "x[#n] y[#n] z[#n].\n\nnote#n. Body.\n\n";
    std::string all = convert(text + "notelist.");
    EXPECT_TRUE(contains(all, "<sup><a href=\"#note-n-2\">a</a> <a href=\"#note-n-3\">b</a> <a href=\"#note-n-4\">c</a> </sup>"));
    EXPECT_TRUE(contains(all, "x<sup><a href=\"#note-n-1\"><span id=\"note-n-2\">1</span></a></sup>"));
    EXPECT_TRUE(contains(convert(text + "notelist^."), "<li><sup><a href=\"#note-n-2\">a</a></sup><span"));
    EXPECT_TRUE(contains(convert(text + "notelist!."), "<li><span id=\"note-n-1\"> </span>Body.</li>"));
    EXPECT_TRUE(contains(convert("x[#n!] y[(hot)#m] z", true), "<sup class=\"hot\"><a href=\"javascript:;\" onclick=\"document.location.hash='note-m-1';\">"));
    EXPECT_TRUE(contains(convert("x[#n!] z"), "x<sup><span id=\"note-n-2\">1</span></sup> z"));
}

TEST(TextileNotes, UnreferencedAndUndefinedNotes) {
    std::string html = convert("x[#gone] y\n\nnote#lone. Alone.\n\nnotelist+.");
    EXPECT_TRUE(contains(html, " Undefined Note [#1].</li>"));
    EXPECT_TRUE(contains(html, "\t<li>Alone.</li>\n</ol>"));
    EXPECT_FALSE(contains(convert("x[#a] y\n\nnote#lone. Alone.\n\nnotelist."), "Alone."));
}

TEST(TextileNotextile, BlocksComeBackUntouched) {
    std::string html = convert("Text\n\nnotextile. <b>raw</b> *not strong*\n\nnotextile. second & more\n\nEnd");
    EXPECT_TRUE(contains(html, "\n<b>raw</b> *not strong*\n"));
    EXPECT_FALSE(contains(html, "<p><b>raw"));
    EXPECT_TRUE(contains(html, "\nsecond & more\n"));
    EXPECT_FALSE(contains(html, "N0T3XT1LE"));
}

TEST(TextileNotextile, BlockAfterAnAliasOrNoteLineUnderText) {
    for (const char* line : {"[a]b.html", "note#x. Defined."}) {
        std::string html = convert(std::string("Text\n") + line + "\n\nnotextile. keep *this*\n\nEnd");
        EXPECT_TRUE(contains(html, "keep *this*")) << line;
        EXPECT_FALSE(contains(html, "\xC2\xA7")) << line;
    }
}

TEST(TextileParagraphs, ParagraphsAndBreaks) {
    EXPECT_EQ(convert("one\ntwo"), "\n<p>one<br />\ntwo</p>\n\n");
    EXPECT_TRUE(contains(convert("a\n\nb"), "<p>a</p>\n\n<p>b</p>"));
    std::string html = convert("<h2>Title</h2>\nunder it\n\n<b>bold</b> line\n\n<blockquote>q</blockquote>");
    EXPECT_TRUE(contains(html, "\n<h2>Title</h2>\nunder it\n"));
    EXPECT_TRUE(contains(html, "<p><b>bold</b> line</p>"));
    EXPECT_TRUE(contains(html, "\n<blockquote>q</blockquote>"));
    EXPECT_TRUE(contains(convert("<a href=\"x\">l</a>"), "<p><a href=\"x\">l</a></p>"));
}

TEST(TextileParagraphs, HeadingOverTwoLinesAndTableBreaks) {
    EXPECT_TRUE(contains(convert("h1. One\nTwo"), "<h1>One<br />\nTwo</h1>"));
    std::string table = convert("|a|\n|b|");
    EXPECT_EQ(count(table, "<br"), 0u);
}

TEST(TextileParagraphs, PreformattedKeepsItsLines) {
    std::string html = convert("pre. one\ntwo");
    EXPECT_TRUE(contains(html, "<pre>one\ntwo</pre>"));
}
