// [[…]] links: articles, anchors, the dictionary, categories and files.
#include "WikitextTestSupport.h"

using namespace wikitest;

namespace {

std::string article(const std::string& page, const std::string& title, const std::string& text,
                    const std::string& lang = "en") {
    return "<a href=\"https://" + lang + ".wikipedia.org/wiki/" + page + "\" alt=\"" + title + "\" title=\"" +
           title + "\">" + text + "</a>";
}

std::string dictionary(const std::string& page, const std::string& title, const std::string& text) {
    return "<a href=\"https://en.wiktionary.org/wiki/" + page + "\" alt=\"" + title + "\" title=\"" + title + "\">" +
           text + "</a>";
}

}  // namespace

TEST(WikitextInternalLinks, ArticlesWithLabelsAndGluedLetters) {
    EXPECT_EQ(wiki("[[Main Page]]"), "<p>" + article("Main_Page", "Main Page", "Main Page") + "</p>");
    EXPECT_EQ(wiki("[[Main Page|home]]"), "<p>" + article("Main_Page", "home", "home") + "</p>");
    EXPECT_EQ(wiki("[[word]]s here"), "<p>" + article("word", "word", "words") + " here</p>");
    EXPECT_EQ(wiki("[[Paris]], France"), "<p>" + article("Paris", "Paris", "Paris,") + " France</p>");
    EXPECT_EQ(wiki("[[Berlin]]", false, "de"), "<p>" + article("Berlin", "Berlin", "Berlin", "de") + "</p>");
}

TEST(WikitextInternalLinks, EveryOccurrenceAndLinksAtTheEndOrSideBySide) {
    std::string html = wiki("[[A]] and [[A]] and [[B]][[C]]");
    EXPECT_EQ(count(html, article("A", "A", "A")), 2u);
    EXPECT_TRUE(contains(html, article("B", "B", "B") + article("C", "C", "C")));
    EXPECT_FALSE(contains(html, "[["));
}

// What follows a link without a space stays outside its text when it is
// other markup: a reference, emphasis, a table separator.
TEST(WikitextInternalLinks, GluedMarkupStaysOutsideTheLink) {
    std::string html = wiki("''[[Paris]]'' is [[Paris]]<ref>Atlas</ref> big\n\n<references/>\n");
    EXPECT_TRUE(contains(html, "<em>" + article("Paris", "Paris", "Paris") + "</em>"));
    EXPECT_TRUE(contains(html, article("Paris", "Paris", "Paris") + " <a href=\"#cite_note-1\">"));
    EXPECT_TRUE(contains(html, "<small>Atlas</small>"));
}

TEST(WikitextInternalLinks, InPageAnchor) {
    EXPECT_EQ(wiki("[[#History|see below]]"),
              "<p><a href=\"/#History\" alt=\"see below\" title=\"see below\">see below</a></p>");
}

TEST(WikitextInternalLinks, DictionaryLinks) {
    EXPECT_EQ(wiki("[[Wiktionary:big cat]]"),
              "<p>" + dictionary("big_cat", "big cat", "Wiktionary:big cat") + "</p>");
    EXPECT_EQ(wiki("[[Wiktionary:cat|feline]]"), "<p>" + dictionary("cat", "cat", "feline") + "</p>");
    EXPECT_EQ(wiki("[[Wiktionary:cat|]]"), "<p>" + dictionary("cat", "cat", "cat") + "</p>");
    // Text glued to it is kept, after the link.
    EXPECT_EQ(wiki("[[Wiktionary:cat]]s"), "<p>" + dictionary("cat", "cat", "Wiktionary:cat") + "s</p>");
}

// Too short to hold a term, or merely naming the dictionary: no crash, and
// only the "Wiktionary:" prefix makes a dictionary link.
TEST(WikitextInternalLinks, ShortDictionaryLinksAreSafe) {
    EXPECT_EQ(wiki("[[Wiktionary]]"), "<p>" + article("Wiktionary", "Wiktionary", "Wiktionary") + "</p>");
    EXPECT_EQ(wiki("[[Wiktionary:]]"), "<p>" + dictionary("", "", "Wiktionary:") + "</p>");
    EXPECT_EQ(wiki("[[Wiktionary:|]]"), "<p>" + dictionary("", "", "") + "</p>");
}

TEST(WikitextInternalLinks, CategoriesShowAsTextOnce) {
    EXPECT_EQ(wiki("[[Category:Birds]]\nnext"), "<p>  Category:Birds  <br />\nnext</p>");
    // Each category keeps its single line end: no blank line, so no new paragraph.
    EXPECT_EQ(wiki("x\n[[Category:A]]\n[[Category:B]]\ny"),
              "<p>x<br />\n  Category:A  <br />\n  Category:B  <br />\ny</p>");
    EXPECT_EQ(wiki("[[:Category:Water birds]]"),
              "<p>" + article("Category:Water_birds", "Category:Water birds", "Category:Water birds") + "</p>");
    EXPECT_EQ(wiki("[[:Category:Birds|all birds]]"),
              "<p>" + article("Category:Birds", "all birds", "all birds") + "</p>");
    EXPECT_EQ(wiki("[[Category theory]]"),
              "<p>" + article("Category_theory", "Category theory", "Category theory") + "</p>");
}

TEST(WikitextInternalLinks, FilesAndImagesByPrefixOnly) {
    EXPECT_EQ(wiki("[[File:photo.jpg|thumb|A photo]]"), "<p><img src=\"photo.jpg\" /></p>");
    EXPECT_EQ(wiki("[[Image:map.png]]"), "<p><img src=\"map.png\" /></p>");
    // A caption that holds a link belongs to the image as a whole.
    EXPECT_EQ(wiki("[[File:a.jpg|thumb|The [[Town]] hall.]] x"), "<p><img src=\"a.jpg\" /> x</p>");
    EXPECT_EQ(wiki("[[Filesystem]]"), "<p>" + article("Filesystem", "Filesystem", "Filesystem") + "</p>");
    EXPECT_EQ(wiki("[[Profile|File: x]]"), "<p>" + article("Profile", "File: x", "File: x") + "</p>");
    testsupport::ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    EXPECT_EQ(wiki("[[File:photo.jpg]]"), "<p><img src=\"photo.jpg\"></p>");
}

// The letters glued to a link never end inside a character reference.
TEST(WikitextInternalLinks, GluedLettersStopAtACharacterReference) {
    EXPECT_EQ(wiki("A [[Handgranate]]n&nbsp;\xE2\x80\x93 b"),
              "<p>A " + article("Handgranate", "Handgranate", "Handgranaten") + "&nbsp;\xE2\x80\x93 b</p>");
    EXPECT_TRUE(contains(wiki("''[[x]]''"), "<em>" + article("x", "x", "x") + "</em>"));
}

// An external link in a file's caption belongs to the image as a whole.
TEST(WikitextInternalLinks, ExternalLinkInACaption) {
    EXPECT_EQ(wiki("[[File:a.png|cap [http://example.com x]]] y"), "<p><img src=\"a.png\" /> y</p>");
}
