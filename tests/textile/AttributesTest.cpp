// Block signature attributes and the attribute part of links and images.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::contains;

TEST(TextileBlockAttributes, AlignmentLanguageStyleClassAndId) {
    EXPECT_TRUE(contains(convert("h2<>. Title"), "<h2 style=\"text-align:justify;\">Title</h2>"));
    EXPECT_TRUE(contains(convert("h2=. Title"), "<h2 style=\"text-align:center;\">Title</h2>"));
    EXPECT_TRUE(contains(convert("h1[de]. Titel"), "<h1 lang=\"de\">Titel</h1>"));
    EXPECT_TRUE(contains(convert("p(#main). Text"), "<p id=\"main\">Text</p>"));
    EXPECT_TRUE(contains(convert("p(a#b). Text"), "<p class=\"a\" id=\"b\">Text</p>"));
    EXPECT_TRUE(contains(convert("p(intro#first){color:red}<[en]. Text"),
                    "<p style=\"text-align:left;color:red\" lang=\"en\" class=\"intro\" id=\"first\">Text</p>"));
}

TEST(TextileBlockAttributes, Padding) {
    EXPECT_TRUE(contains(convert("p((. Text"), "<p style=\"padding-left:2em;\">Text</p>"));
    EXPECT_TRUE(contains(convert("p(x)(. Text"), "<p style=\"padding-left:1em;\" class=\"x\">Text</p>"));
}

TEST(TextileBlockAttributes, EveryBlockKindTakesThem) {
    EXPECT_TRUE(contains(convert("bq(quote). Text"), "<blockquote>\n\t<p class=\"quote\">Text</p>"));
    EXPECT_TRUE(contains(convert("bc(ruby). x = 1"), "<pre><code class=\"ruby\">x = 1</code></pre>"));
    EXPECT_TRUE(contains(convert("pre(php). echo"), "<pre class=\"php\">echo</pre>"));
    EXPECT_TRUE(contains(convert("h6>. Small"), "<h6 style=\"text-align:right;\">Small</h6>"));
}

TEST(TextileBlockAttributes, IdenticalSignaturesBothRewritten) {
    std::string html = convert("p(a). One\n\np(a). Two");
    EXPECT_TRUE(contains(html, "<p class=\"a\">One</p>"));
    EXPECT_TRUE(contains(html, "<p class=\"a\">Two</p>"));
}

TEST(TextileBlockAttributes, BadSignaturesStayTextAndAreLogged) {
    testsupport::CapturedLog log;
    std::string html = convert("h1[]. Titel\n\np{color:red. Text");
    EXPECT_TRUE(contains(html, "<p>h1[]. Titel</p>"));
    EXPECT_TRUE(contains(html, "<p>p{color:red. Text</p>"));
    EXPECT_TRUE(log.contains("FEHLER 1"));
    EXPECT_TRUE(log.contains("F\xC3\xBCgen nicht hinzu h1[]. "));
}

TEST(TextileBlockAttributes, UnclosedClassParenthesisEndsQuickly) {
    // Once a pattern that backtracked without end; the signature is simply no
    // signature (its "(" stays as padding text that does not parse).
    testsupport::CapturedLog log;
    std::string text = "p(" + std::string(60, 'a') + ". Text after";
    std::string html = convert(text);
    EXPECT_TRUE(contains(html, "<p>" + text + "</p>"));
    EXPECT_FALSE(log.contains("Regex stopped"));
    EXPECT_TRUE(contains(convert("p(outer (inner) x). T"), "<p class=\"outer (inner) x\">T</p>"));
}

TEST(TextileBlockAttributes, SignaturesInsideCodeBlocksShowAsWritten) {
    std::string html = convert("pre. \nh3(note). Note\n\nbc. text\np(x){color:red}. Inside\n\nAbove\np(y). under text");
    EXPECT_TRUE(contains(html, "<pre>\nh3(note). Note</pre>"));
    EXPECT_TRUE(contains(html, "p(x){color:red}. Inside</code></pre>"));
    EXPECT_TRUE(contains(html, "p(y). under text"));
    EXPECT_FALSE(contains(html, "\xC2\xA7"));
}

TEST(TextileCheckAttributes, LinkTextAndImageSource) {
    auto link = Textile_ObjC::checkAttributesOnString(testsupport::u("<(nav){color:red}Home(Go home)"), true);
    EXPECT_EQ(testsupport::s(link.cssClass), " class=\"nav\"");
    EXPECT_EQ(testsupport::s(link.style), " style=\"color:red text-align:left;\"");
    EXPECT_EQ(testsupport::s(link.title), " title=\"Go home\"");
    EXPECT_EQ(testsupport::s(link.display), "Home");

    auto image = Textile_ObjC::checkAttributesOnString(testsupport::u(">(pic)a.png(A picture)"), false);
    EXPECT_EQ(testsupport::s(image.cssClass), " class=\"pic align-right\"");
    EXPECT_EQ(testsupport::s(image.style), "");
    EXPECT_EQ(testsupport::s(image.alt), " alt=\"A picture\"");
    EXPECT_EQ(testsupport::s(image.display), "a.png");
}

TEST(TextileCheckAttributes, EdgesOfTheGrammar) {
    auto empty = Textile_ObjC::checkAttributesOnString({}, true);
    EXPECT_TRUE(empty.cssClass.isEmpty() && empty.style.isEmpty() && empty.title.isEmpty() && empty.display.isEmpty());
    auto lone = Textile_ObjC::checkAttributesOnString(testsupport::u("(open text"), true);
    EXPECT_EQ(testsupport::s(lone.display), "(open text");
    auto trailing = Textile_ObjC::checkAttributesOnString(testsupport::u("text("), true);
    EXPECT_EQ(testsupport::s(trailing.display), "text(");
    auto centred = Textile_ObjC::checkAttributesOnString(testsupport::u("=x.png"), false);
    EXPECT_EQ(testsupport::s(centred.cssClass), " class=\"align-center\"");
}

// Every attribute value is escaped, so a document cannot add attributes of
// its own or break the tag.
TEST(TextileBlockAttributes, ValuesAreEscaped) {
    EXPECT_TRUE(contains(convert("p{color:\"red\"}. x"), "<p style=\"color:&quot;red&quot;\">x</p>"));
    EXPECT_TRUE(contains(convert("p(a\"b). x"), "<p class=\"a&quot;b\">x</p>"));
    EXPECT_TRUE(contains(convert("\"(a\"b)link(t\"<)\":x.html y"), "<a href=\"x.html\" title=\"t&quot;&lt;\" class=\"a&quot;b\">link</a>"));
    EXPECT_TRUE(contains(convert("\"a\":x.html?a=1&b=\"2 y"), "<a href=\"x.html?a=1&amp;b=&quot;2\">a</a>"));
    EXPECT_TRUE(contains(convert("!a\"b.png! y"), "<img src=\"a&quot;b.png\" />"));
    EXPECT_TRUE(contains(convert("|{color:\"x\"}. c|"), "<td style=\"color:&quot;x&quot;\">c</td>"));
}
