// Escapes, hard line breaks, hidden e-mail addresses and paragraphs.
#include <regex>

#include "MarkdownTestSupport.h"

namespace {

using mdtest::convert;
using mdtest::extra;
using mdtest::has;

// Reads the entities of an obfuscated text back into characters.
std::string decoded(const std::string& html) {
    std::string out;
    std::smatch m;
    std::string rest = html;
    static const std::regex entity("&#(x?)([0-9a-f]+);");
    while (std::regex_search(rest, m, entity)) {
        out += m.prefix().str();
        UChar32 c = static_cast<UChar32>(std::stoul(m[2].str(), nullptr, m[1].str().empty() ? 10 : 16));
        out += testsupport::s(icu::UnicodeString(c));
        rest = m.suffix().str();
    }
    return out + rest;
}

TEST(MarkdownEscapes, EscapedCharactersComeBackLiterally) {
    EXPECT_EQ(convert("a \\# b \\[c\\] d\\\\e"), "<p>a # b [c] d\\e</p>");
    EXPECT_EQ(convert("a\\`b"), "<p>a`b</p>");
    EXPECT_EQ(convert("\\`a\\` and \\`b"), "<p>`a` and `b</p>");
    EXPECT_EQ(convert("\\*a\\*"), "<p>*a*</p>");
}

TEST(MarkdownEscapes, LineEndsWithTwoSpacesOrATabBreak) {
    EXPECT_EQ(convert("a  \nb"), "<p>a <br />\nb</p>");
    EXPECT_EQ(convert("a    \nb"), "<p>a <br />\nb</p>");
    EXPECT_EQ(convert("<em>a</em>  \nb"), "<p><em>a</em> <br />\nb</p>");
}

TEST(MarkdownEscapes, RawBlockLinesAndPreLinesDoNotBreak) {
    EXPECT_EQ(convert("<hr>  \ntext"), "<hr>  \n<p>text</p>");
    EXPECT_FALSE(has(convert("<div>a</div>  \nb"), "<br")) << convert("<div>a</div>  \nb");
    EXPECT_EQ(convert("<pre>\nline  \ntwo\n</pre>"), "<pre>\nline  \ntwo\n</pre>");
}

TEST(MarkdownEmail, AddressBecomesHiddenMailLink) {
    for (int round = 0; round < 5; ++round) {
        const std::string html = convert("<me@x.com>");
        EXPECT_FALSE(has(html, "@")) << html;
        EXPECT_EQ(decoded(html), "<p><a href=\"mailto:me@x.com\">me@x.com</a></p>") << html;
    }
}

TEST(MarkdownEmail, EarlierTagsOnTheLineStay) {
    const std::string html = convert("**Me** <me@x.com>");
    EXPECT_TRUE(has(html, "<strong>Me</strong> <a href=\"")) << html;
    EXPECT_EQ(decoded(html), "<p><strong>Me</strong> <a href=\"mailto:me@x.com\">me@x.com</a></p>");
    EXPECT_TRUE(has(convert("\\> <a@b.cd>"), "<p>> <a href")) << convert("\\> <a@b.cd>");
}

TEST(MarkdownEmail, CharactersBeyondLatin1SurviveObfuscation) {
    for (int round = 0; round < 5; ++round) {
        const std::string html = convert("<jürgen.ŝ@例え.jp>");
        EXPECT_EQ(decoded(html), "<p><a href=\"mailto:jürgen.ŝ@例え.jp\">jürgen.ŝ@例え.jp</a></p>") << html;
    }
    Markdown_ObjC converter;
    const std::string emoji = testsupport::s(converter.obfuscateEmail(testsupport::u("😀@")));
    EXPECT_TRUE(emoji == "😀&#64;" || emoji == "😀&#x40;" || emoji == "&#128512;&#64;" ||
                emoji == "&#x1f600;&#64;" || emoji == "&#128512;&#x40;" || emoji == "&#x1f600;&#x40;")
        << emoji;
}

TEST(MarkdownParagraphs, EmptyLinesSeparateParagraphs) {
    EXPECT_EQ(convert("one\ntwo\n\nthree"), "<p>one\ntwo</p>\n\n<p>three</p>");
    EXPECT_EQ(convert("# Head"), "<h1>Head</h1>");
}

TEST(MarkdownParagraphs, SpecialLineStartsAreNeverWrapped) {
    EXPECT_EQ(convert("-5 degrees\n\nText"), "-5 degrees\n\n<p>Text</p>");
    EXPECT_EQ(convert("#hashtag\n\nText"), "#hashtag\n\n<p>Text</p>");
}

TEST(MarkdownParagraphs, ASentenceMayStartWithANumber) {
    EXPECT_EQ(convert("4 apples\n\nb"), "<p>4 apples</p>\n\n<p>b</p>");
    EXPECT_EQ(convert("1999 was a year.\n\nText"), "<p>1999 was a year.</p>\n\n<p>Text</p>");
    EXPECT_EQ(extra("Text\n\n2024 came.\nThen more."), "<p>Text</p>\n\n<p>2024 came.\nThen more.</p>");
}

TEST(MarkdownParagraphs, ParagraphsAfterAOneLineCodeBlock) {
    for (auto flavour : {mdtest::Flavour::markdown, mdtest::Flavour::markdownextra})
        EXPECT_EQ(convert("    code\n\na\n\nb", flavour), "<pre><code>code</code></pre>\n\n\n<p>a</p>\n\n<p>b</p>");
}

TEST(MarkdownParagraphs, LinesOfARawPreBlockAreNotWrapped) {
    EXPECT_EQ(convert("<pre>\nline one\n\nline two\n</pre>\n\nafter"),
              "<pre>\nline one\n\nline two\n</pre>\n\n<p>after</p>");
    EXPECT_EQ(convert("<pre class=\"x\">a\n\nb</pre>\n\nc"), "<pre class=\"x\">a\n\nb</pre>\n\n<p>c</p>");
}

TEST(MarkdownParagraphs, LinesInsidePreAreNotWrapped) {
    const std::string html = convert("a\n\n    x\n    \n    y\n\nb");
    EXPECT_TRUE(has(html, "<pre><code>x\n\ny</code></pre>")) << html;
    EXPECT_FALSE(has(html, "<p>y")) << html;
}

}  // namespace

// Runs of four spaces become tabs wherever they stand; blank lines of any
// horizontal white space count as empty.
TEST(MarkdownNormalising, RunsOfFourSpacesAndBlankLines) {
    EXPECT_EQ(mdtest::convert("a b  c   d    e     f\n\nx"), "<p>a b  c   d\te\t f</p>\n\n<p>x</p>");
    EXPECT_EQ(mdtest::convert("g        h         i\n\ny"), "<p>g\t\th\t\t i</p>\n\n<p>y</p>");
    EXPECT_EQ(mdtest::convert("one\n\xc2\xa0 \t\n\n \n\ntwo"), "<p>one</p>\n\n<p>two</p>");
    EXPECT_EQ(mdtest::convert("end    "), "<p>end <br /></p>");
}
