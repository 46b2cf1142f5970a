// What the examples cannot reach: the converter's options (article language,
// fragment anchors, HTML5 void tags) and a text that ends without a line end.
#include "WikitextTestSupport.h"

using namespace wikitest;

TEST(WikitextOptions, ArticleLinksGoToTheWikiOfTheLanguage) {
    EXPECT_EQ(wiki("[[Berlin]]", false, "de"),
              "<p><a href=\"https://de.wikipedia.org/wiki/Berlin\" alt=\"Berlin\" title=\"Berlin\">Berlin</a></p>");
}

TEST(WikitextOptions, FragmentAnchorsForReferences) {
    std::string html = wiki("Fact<ref>Source A</ref>.\n\n<references/>\n");
    EXPECT_TRUE(contains(html, "Fact <a href=\"#cite_note-1\"><sup id=\"cite_ref-1\">[1]</sup></a>."));
    EXPECT_TRUE(contains(html, "<ol>\n\t<li id=\"cite_note-1\"> <a href=\"#cite_ref-1\">&#x2191;</a> "
                               "<small>Source A</small></li>\n</ol>"));
}

TEST(WikitextOptions, Html5VoidTags) {
    testsupport::ScopedSettings html5({.useHtml5 = true});
    EXPECT_EQ(wiki("-----"), "<hr>");
    EXPECT_EQ(wiki("[[File:photo.jpg]]"), "<p><img src=\"photo.jpg\"></p>");
}

TEST(WikitextTables, ATableWithoutALineEndAfterItIsText) {
    EXPECT_TRUE(contains(wiki("{|\n| a\n|}"), "{|"));
}
