// Bad block signatures, and the parser of the attribute part of links and
// images.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::contains;

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
}

TEST(TextileCheckAttributes, LinkTextAndImageSource) {
    auto link = TextileConverter::checkAttributesOnString(testsupport::u("<(nav){color:red}Home(Go home)"), true);
    EXPECT_EQ(testsupport::s(link.cssClass), " class=\"nav\"");
    EXPECT_EQ(testsupport::s(link.style), " style=\"color:red text-align:left;\"");
    EXPECT_EQ(testsupport::s(link.title), " title=\"Go home\"");
    EXPECT_EQ(testsupport::s(link.display), "Home");

    auto image = TextileConverter::checkAttributesOnString(testsupport::u(">(pic)a.png(A picture)"), false);
    EXPECT_EQ(testsupport::s(image.cssClass), " class=\"pic align-right\"");
    EXPECT_EQ(testsupport::s(image.style), "");
    EXPECT_EQ(testsupport::s(image.alt), " alt=\"A picture\"");
    EXPECT_EQ(testsupport::s(image.display), "a.png");
}

TEST(TextileCheckAttributes, EdgesOfTheGrammar) {
    auto empty = TextileConverter::checkAttributesOnString({}, true);
    EXPECT_TRUE(empty.cssClass.isEmpty() && empty.style.isEmpty() && empty.title.isEmpty() && empty.display.isEmpty());
    auto lone = TextileConverter::checkAttributesOnString(testsupport::u("(open text"), true);
    EXPECT_EQ(testsupport::s(lone.display), "(open text");
    auto trailing = TextileConverter::checkAttributesOnString(testsupport::u("text("), true);
    EXPECT_EQ(testsupport::s(trailing.display), "text(");
    auto centred = TextileConverter::checkAttributesOnString(testsupport::u("=x.png"), false);
    EXPECT_EQ(testsupport::s(centred.cssClass), " class=\"align-center\"");
}
