// <ref> references and the list that "<references/>" stands for.
#include "WikitextTestSupport.h"

using namespace wikitest;

TEST(WikitextReferences, LinkAndListItem) {
    std::string html = wiki("Fact<ref>Source A</ref>.\n\n<references/>\n");
    EXPECT_TRUE(contains(html, "Fact <a href=\"#cite_note-1\"><sup id=\"cite_ref-1\">[1]</sup></a>."));
    EXPECT_TRUE(contains(html, "<ol>\n\t<li id=\"cite_note-1\"> <a href=\"#cite_ref-1\">&#x2191;</a> "
                               "<small>Source A</small></li>\n</ol>"));
}

TEST(WikitextReferences, JavaScriptAnchors) {
    std::string html = wiki("Fact<ref>Source A</ref>\n\n<references />\n", true);
    EXPECT_TRUE(contains(html, "<a href=\"javascript:;\" onclick=\"document.location.hash='cite_note-1';\">"
                               "<sup id=\"cite_ref-1\">[1]</sup></a>"));
    EXPECT_TRUE(contains(html, "<a href=\"javascript:;\" onclick=\"document.location.hash='cite_ref-1';\">&#x2191;</a>"));
}

TEST(WikitextReferences, WithoutAMarkerThereIsNoList) {
    std::string html = wiki("Fact<ref>Source</ref>\n");
    EXPECT_TRUE(contains(html, "<sup id=\"cite_ref-1\">[1]</sup>"));
    EXPECT_FALSE(contains(html, "<ol>"));
    EXPECT_FALSE(contains(html, "Source"));
}

// Two notes on one line stay two, numbered in order, with the text between
// them where it was; identical notes are numbered one by one.
TEST(WikitextReferences, SeveralOnALineAndIdenticalOnes) {
    std::string html = wiki("A<ref>One</ref> middle B<ref>Two</ref> C<ref>One</ref>\n\n<references/>\n");
    EXPECT_TRUE(contains(html, "A <a href=\"#cite_note-1\"><sup id=\"cite_ref-1\">[1]</sup></a> middle B "
                               "<a href=\"#cite_note-2\"><sup id=\"cite_ref-2\">[2]</sup></a> C "
                               "<a href=\"#cite_note-3\"><sup id=\"cite_ref-3\">[3]</sup></a>"));
    EXPECT_TRUE(contains(html, "<li id=\"cite_note-2\"> <a href=\"#cite_ref-2\">&#x2191;</a> <small>Two</small>"));
    EXPECT_TRUE(contains(html, "<li id=\"cite_note-3\"> <a href=\"#cite_ref-3\">&#x2191;</a> <small>One</small>"));
}

// The name goes into the ids without its quotes; a reuse tag opens no note.
TEST(WikitextReferences, NamedReferences) {
    std::string html = wiki("A<ref name=\"Smith 2001\">Smith</ref> B<ref name=x />\n\n<references/>\n");
    EXPECT_TRUE(contains(html, "A <a href=\"#Smith_2001_note\"><sup id=\"Smith_2001_ref\">[1]</sup></a>"));
    EXPECT_TRUE(contains(html, "<li id=\"Smith_2001_note\"> <a href=\"#Smith_2001_ref\">&#x2191;</a> <small>Smith</small>"));
    EXPECT_TRUE(contains(wiki("A<ref name=short>S</ref>\n"), "<sup id=\"short_ref\">"));
    EXPECT_TRUE(contains(wiki("A<ref group=note>S</ref>\n"), "<sup id=\"cite_ref-1\">"));
    EXPECT_EQ(count(html, "<li "), 1u);
}

TEST(WikitextReferences, EmphasisAndLinksInsideTheNote) {
    std::string html = wiki("A<ref>''Book'', [http://example.com site]</ref>\n\n<references/>\n");
    EXPECT_TRUE(contains(html, "<small><em>Book</em>, <a href=\"http://example.com\" alt=\"site\" title=\"site\">site</a>"
                               "</small>"));
    EXPECT_TRUE(contains(html, "<sup id=\"cite_ref-1\">[1]</sup>"));
}

TEST(WikitextReferences, AReferenceOverTwoLinesIsNotOne) {
    EXPECT_TRUE(contains(wiki("A<ref>start\nend</ref>\n"), "<ref>start"));
}
