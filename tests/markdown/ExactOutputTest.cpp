// What the example files cannot show: empty lines inside code, e-mail
// addresses hidden at random, the end of a text without a final line break,
// and switches no language sets.
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

TEST(MarkdownCode, FencedBlockKeepsEmptyLinesAndIndentedCodeShowsFences) {
    EXPECT_EQ(extra("```\na\n\n\n  \nb\n```"), "<pre><code>a\n\n\n  \nb</code></pre>");
    EXPECT_TRUE(has(extra("x\n\n    code\n    ```\n    y\n    ```\n\nz"), "<pre><code>code\n```\ny\n```</code></pre>"));
    const std::string nested = extra("- a\n\n\t- b\n\n\t\t```\n\t\tc\n\t\t```\n");
    EXPECT_TRUE(has(nested, "<li><p>b</p>\n\n\t<pre><code>c</code></pre>\n</li>")) << nested;
}

TEST(MarkdownEmail, AddressBecomesHiddenMailLink) {
    for (int round = 0; round < 5; ++round) {
        const std::string html = convert("<me@x.com>");
        EXPECT_FALSE(has(html, "@")) << html;
        EXPECT_EQ(decoded(html), "<p><a href=\"mailto:me@x.com\">me@x.com</a></p>") << html;
    }
    const std::string html = convert("**Me** <me@x.com>");
    EXPECT_EQ(decoded(html), "<p><strong>Me</strong> <a href=\"mailto:me@x.com\">me@x.com</a></p>");
    EXPECT_TRUE(has(convert("\\> <a@b.cd>"), "<p>> <a href")) << convert("\\> <a@b.cd>");
}

TEST(MarkdownEmail, CharactersBeyondLatin1SurviveObfuscation) {
    for (int round = 0; round < 5; ++round) {
        const std::string html = convert("<jürgen.ŝ@例え.jp>");
        EXPECT_EQ(decoded(html), "<p><a href=\"mailto:jürgen.ŝ@例え.jp\">jürgen.ŝ@例え.jp</a></p>") << html;
    }
    MarkdownConverter converter;
    const std::string emoji = testsupport::s(converter.obfuscateEmail(testsupport::u("😀@")));
    EXPECT_TRUE(emoji == "😀&#64;" || emoji == "😀&#x40;" || emoji == "&#128512;&#64;" ||
                emoji == "&#x1f600;&#64;" || emoji == "&#128512;&#x40;" || emoji == "&#x1f600;&#x40;")
        << emoji;
}

TEST(MarkdownTextEnd, LastLineWithoutALineBreak) {
    EXPECT_EQ(convert("end    "), "<p>end <br /></p>");
    EXPECT_FALSE(has(extra("a | b\n---|---\n1 | 2"), "<table>"));
}

TEST(MarkdownLists, ManyListsInOneDocument) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "Para " + std::to_string(i) + "\n\n- a\n- b\n\n";
    EXPECT_EQ(mdtest::count(convert(text), "<ul>\n<li>a</li>\n<li>b</li>\n</ul>"), 200u);
}

TEST(MarkdownFootnotes, FragmentLinksWithoutAnchorMode) {
    MarkdownConverter converter;
    converter.initWithString(testsupport::u("A[^1]\n\n[^1]: n\n"));
    converter.setFlavour({{"footnotes", true}});
    const std::string html = testsupport::s(converter.transform());
    EXPECT_TRUE(has(html, "<a href=\"#fn:1\" id=\"fnref:1\"")) << html;
    EXPECT_TRUE(has(html, "href=\"#fnref:1\"")) << html;
}

}  // namespace
