// The rule table, paragraphs, line breaks and nowiki sections.
#include "WikitextTestSupport.h"

using namespace wikitest;
using testsupport::ScopedSettings;

TEST(WikitextRules, HeadlinesAreOneLevelBelowTheirSigns) {
    EXPECT_EQ(wiki("==Title=="), "<h1>Title</h1>");
    EXPECT_EQ(wiki("== Title =="), "<h1> Title </h1>");
    EXPECT_EQ(wiki("===A==="), "<h2>A</h2>");
    EXPECT_EQ(wiki("======Deep======"), "<h5>Deep</h5>");
    EXPECT_EQ(wiki("=Not a headline="), "<p>=Not a headline=</p>");
}

TEST(WikitextRules, Emphasis) {
    EXPECT_EQ(wiki("'''''x'''''"), "<p><strong><em>x</em></strong></p>");
    EXPECT_EQ(wiki("'''x'''"), "<p><strong>x</strong></p>");
    EXPECT_EQ(wiki("''x'' and '''y'''"), "<p><em>x</em> and <strong>y</strong></p>");
}

TEST(WikitextRules, HorizontalRuleNeedsFourHyphensAndFollowsTheVoidTagSetting) {
    // The rule's "<h" keeps it out of a paragraph.
    EXPECT_EQ(wiki("----"), "<hr />");
    EXPECT_EQ(wiki("---"), "<p>---</p>");
    ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    EXPECT_EQ(wiki("-----"), "<hr>");
}

TEST(WikitextRules, ExternalLinks) {
    EXPECT_EQ(wiki("[http://example.com Example site]"),
              "<p><a href=\"http://example.com\" alt=\"Example site\" title=\"Example site\">Example site</a></p>");
    EXPECT_EQ(wiki("see http://www.example.com/a now"),
              "<p>see <a href=\"http://www.example.com/a\">http://www.example.com/a</a> now</p>");
}

// An unnamed link's text is the address: the bare-address rule must not wrap
// it in a second anchor.
TEST(WikitextRules, UnnamedExternalLinkIsOneAnchor) {
    std::string html = wiki("[http://www.example.com/page]");
    EXPECT_EQ(html,
              "<p><a href=\"http://www.example.com/page\" alt=\"http://www.example.com/page\" "
              "title=\"http://www.example.com/page\">http://www.example.com/page</a></p>");
    EXPECT_EQ(count(html, "<a "), 1u);
}

// A link without a label followed by a labelled one on the same line: the
// first link's address must not run on into the second.
TEST(WikitextRules, LinksOnOneLineStayApart) {
    std::string html = wiki("[http://a.example.org] and [http://b.example.org B]");
    EXPECT_TRUE(contains(html, "<a href=\"http://a.example.org\" alt=\"http://a.example.org\""));
    EXPECT_TRUE(contains(html, "> and <a href=\"http://b.example.org\" alt=\"B\" title=\"B\">B</a>"));
}

TEST(WikitextParagraphs, BlocksBecomeParagraphsWithLineBreaksInside) {
    EXPECT_EQ(wiki("one\ntwo\n\nthree"), "<p>one<br />\ntwo</p>\n\n<p>three</p>");
    EXPECT_EQ(wiki("==Head==\ntext"), "<h1>Head</h1>\ntext<br />");
    EXPECT_EQ(wiki("\n\n  \n\nx\n\n"), "<p>x</p>");
}

TEST(WikitextParagraphs, LinesInsideTablesGetNoLineBreaks) {
    std::string html = wiki("{|\n|-\n| a || b\n|-\n| c\n|}\n");
    EXPECT_FALSE(contains(html, "<br"));
    EXPECT_TRUE(contains(html, "<td>a</td>"));
}

// nowiki text is written as it stands, untouched by every pass, and its
// token never shows, also where a rule copied it into several places.
TEST(WikitextNowiki, ProtectsItsTextAndLeavesNoToken) {
    EXPECT_EQ(wiki("<nowiki>'''x''' [[y]]</nowiki>"), "<p>'''x''' [[y]]</p>");
    std::string html = wiki("[http://example.com <nowiki>''x''</nowiki>]");
    EXPECT_FALSE(contains(html, "SavedHTMLBlock"));
    EXPECT_EQ(count(html, "''x''"), 3u);
    html = wiki("[[Main Page|<nowiki>''home''</nowiki>]] and [[<nowiki>a b</nowiki>]]");
    EXPECT_FALSE(contains(html, "SavedHTMLBlock"));
    EXPECT_EQ(count(html, "''home''"), 3u);
    EXPECT_TRUE(contains(html, ">a b</a>"));
}

// An address inside another link's address, label or text is part of that
// link: it never becomes an anchor of its own inside an attribute.
TEST(WikitextRules, AddressesInsideLinksStayPartOfThem) {
    for (const char* text : {"[http://a.org/http://example.com x]", "[http://a.org see http://example.com now]",
                             "[[Main Page|see http://example.com now]] x",
                             "[[http://creativecommons.org/licenses/by/4.0/|License]]"}) {
        std::string html = wiki(text);
        EXPECT_EQ(count(html, "<a "), 1u) << text << " -> " << html;
    }
    EXPECT_TRUE(contains(wiki("[http://a.org see http://example.com now]"),
                         "<a href=\"http://a.org\" alt=\"see http://example.com now\" "
                         "title=\"see http://example.com now\">see http://example.com now</a>"));
    // Outside a link an address is linked as before, also next to one.
    std::string html = wiki("[http://a.org A] and http://b.example.org/x");
    EXPECT_TRUE(contains(html, "and <a href=\"http://b.example.org/x\">http://b.example.org/x</a>"));
}

// Five apostrophes open bold and italic; closed by two, the italic ends there
// and the bold at the end of the line; closed by three, the other way round.
TEST(WikitextRules, BoldItalicClosedByFewerApostrophes) {
    EXPECT_EQ(wiki("'''''foo''"), "<p><strong><em>foo</em></strong></p>");
    EXPECT_EQ(wiki("'''''foo'' bar''' baz"), "<p><strong><em>foo</em> bar</strong> baz</p>");
    EXPECT_EQ(wiki("'''''foo''' bar''"), "<p><em><strong>foo</strong> bar</em></p>");
    EXPECT_EQ(wiki("'''''foo'''''"), "<p><strong><em>foo</em></strong></p>");
}

// A line that begins with a space is preformatted: no paragraph, no break,
// the space gone; emphasis still works, headlines and lists do not.
TEST(WikitextPreformatted, LinesBeginningWithASpace) {
    EXPECT_EQ(wiki(" code line"), "<pre>code line</pre>");
    EXPECT_EQ(wiki("Text\n\n one\n  two ''x''\n\nafter"),
              "<p>Text</p>\n\n<pre>one\n two <em>x</em></pre>\n\n<p>after</p>");
    EXPECT_EQ(wiki(" == not a headline ==\n * no list"), "<pre>== not a headline ==\n* no list</pre>");
    // Indented lines of templates and tables are no preformatted text.
    std::string html = wiki("{{cite\n |title=A\n}}\n");
    EXPECT_FALSE(contains(html, "<pre>"));
    html = wiki("{|\n |a\n |}\n");
    EXPECT_TRUE(contains(html, "<td>a</td>"));
    EXPECT_FALSE(contains(html, "<pre>"));
}

// <pre> keeps its content as written, like nowiki: tags and addresses in
// angle brackets show as text, and no line gets a break.
TEST(WikitextPreformatted, PreSectionsShowTheirTextAsWritten) {
    EXPECT_EQ(wiki("<pre>\nFrom: Justin <justin@example.com>\n''x'' [[y]]\n</pre>"),
              "<pre>\nFrom: Justin &lt;justin@example.com&gt;\n''x'' [[y]]\n</pre>");
    std::string html = wiki("Before\n<pre class=\"x\">a\n\nb</pre>\nafter");
    EXPECT_TRUE(contains(html, "<pre class=\"x\">a\n\nb</pre>"));
    EXPECT_FALSE(contains(html, "b<br"));
    EXPECT_FALSE(contains(html, "<p><pre"));
}
