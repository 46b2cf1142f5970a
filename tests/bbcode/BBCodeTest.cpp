#include <gtest/gtest.h>

#include "bbcode/BBCode_ObjC.h"
#include "engine/TestSupport.h"
#include "support/ConverterTestSupport.h"
#include "support/PlaceholderTokens.h"

using testsupport::s;
using testsupport::u;

namespace {

std::string bbcode(const std::string& text) {
    return s(BBCode_ObjC().initWithString(u(text)).transform());
}

// The converted first line, without the break that every plain line gets.
std::string firstLine(const std::string& text) {
    std::string html = bbcode(text);
    html = html.substr(0, html.find('\n'));
    const std::string br = "<br />";
    if (html.size() >= br.size() && html.compare(html.size() - br.size(), br.size(), br) == 0)
        html.resize(html.size() - br.size());
    return html;
}

}  // namespace

TEST(BBCode, PlainWordGetsBreaksOnEveryLineIncludingTheTwoAdded) {
    EXPECT_EQ(bbcode("abc"), "abc<br />\n<br />\n<br />");
}

TEST(BBCode, Html5VoidTags) {
    testsupport::ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    EXPECT_EQ(bbcode("[img]a.png[/img]"), " <img src=\"a.png\"><br>\n<br>\n<br>");
}

TEST(BBCode, InlineTagsAndTheirCase) {
    EXPECT_EQ(firstLine("[b]x[/b] [B]y[/B] [i]z[/i] [I]w[/I]"), "<strong>x</strong> <strong>y</strong> <em>z</em> [I]w[/I]");
    EXPECT_EQ(firstLine("[u]a[/u][s]b[/s][sup]c[/sup][sub]d[/sub]"), "<ins>a</ins><del>b</del><sup>c</sup><sub>d</sub>");
    // A pair split over two lines is left alone: no rule crosses a line end.
    EXPECT_EQ(bbcode("[b]a\nb[/b]"), "[b]a<br />\nb[/b]<br />\n<br />\n<br />");
}

TEST(BBCode, HeadingLevelsComeFromEachTag) {
    EXPECT_EQ(firstLine("[h2]Title[/h3]"), "<h2>Title</h3>");
}

TEST(BBCode, LinksThreadsAndPosts) {
    EXPECT_EQ(firstLine("[url]http://a.b[/url]"), "<a href=\"http://a.b\">http://a.b</a>");
    EXPECT_EQ(firstLine("[url=http://a.b]A[/url] [email=me@x.org]me[/email]"),
              "<a href=\"http://a.b\">A</a> <a href=\"mailto:me@x.org\">me</a>");
    EXPECT_EQ(firstLine("[thread=7]T[/thread] [post=9]P[/post]"),
              "<a href=\"showthread.php?t=7\">T</a> <a href=\"showthread.php?p=9\">P</a >");
}

TEST(BBCode, QuotesWithNameAndPost) {
    EXPECT_EQ(firstLine("[quote=Ann;42]Hi[/quote]"),
              "<blockquote><strong>Ann</strong> <a href=\"showthread.php?p=42\">&gt;</a><br /><br />Hi</blockquote>");
    EXPECT_EQ(firstLine("[quote=Ann]Hi[/quote]"), "<blockquote><strong>Ann</strong><br /><br />Hi</blockquote>");
    EXPECT_EQ(firstLine("[QUOTE]x[/QUOTE]"), "[QUOTE]x[/QUOTE]");
}

TEST(BBCode, SemicolonLaterInTheLineDoesNotBecomeAPostLink) {
    EXPECT_EQ(firstLine("[quote=Ann]Hello; how are you?[/quote]"),
              "<blockquote><strong>Ann</strong><br /><br />Hello; how are you?</blockquote>");
}

TEST(BBCode, ListsStylesAndBlocksKeepTheirLinesUnbroken) {
    EXPECT_EQ(bbcode("[list]\n[*]a\n[/list]"), "<ul>\n<li>a\n</ul>\n<br />\n<br />");
    EXPECT_EQ(firstLine("[list=1]"), "<ul style=\"list-style-type:decimal\">");
    EXPECT_EQ(firstLine("[list=square]"), "<ul style=\"list-style-type:square\">");
    EXPECT_EQ(bbcode("[center]x[/center]"), "<div style=\"text-align: center;\">x</div>\n<br />\n<br />");
    EXPECT_EQ(firstLine("[color=red]r[/color] [size=2]s[/size]"),
              "<span style=\"color: red;\">r</span> <span style=\"font-size: 2;\">s</span>");
}

TEST(BBCode, SwappedCommentAndHighlightNamesStillRenderRight) {
    EXPECT_EQ(firstLine("[highlight]h[/highlight][comment]c[/comment]"),
              "<strong><span style=\"color:red\">h</span></strong><!--c-->");
}

TEST(BBCode, TablesGetNoBreaksUntilTheyClose) {
    EXPECT_EQ(bbcode("[table][tr][td]a[/td][/tr][/table]\nx\n[/table]\ny"),
              "<table><tr><td>a</td></tr></table>\nx\n</table>\ny<br />\n<br />\n<br />");
}

TEST(BBCode, ProtectedHtmlIsNotRewritten) {
    EXPECT_EQ(bbcode("+html+<b>[b]raw[/b]</b>+endhtml+ [b]x[/b]"),
              "<b>[b]raw[/b]</b> <strong>x</strong><br />\n<br />\n<br />");
}

TEST(BBCode, ImagesWithSizes) {
    EXPECT_EQ(firstLine("[img=20x10]p.png[/img]"), "<img width=\"20\" height=\"10\" src=\"p.png\" />");
    EXPECT_EQ(firstLine("[img width=3 height=4]p.png[/img]"), "<img width=\"3\" height=\"4\" src=\"p.png\" />");
}

// The whole pipeline with the table applied the plain way, rule after rule
// over the whole text, for comparison with the line-bounded application.
std::string bbcodeThroughPlainEngine(const std::string& text) {
    BBCode_ObjC converter;
    converter.initWithString(u(text));
    converter.saveHTMLBlocksWithStart(uR"(\+html\+)", uR"(\+endhtml\+)", u"+html+", u"+endhtml+");
    converter.simpleTransform();
    converter.returnSavedHTMLBlocks();
    converter.autoLineBreaks();
    return s(converter.str);
}

TEST(BBCode, LongLinesOfUnclosedTagsConvertAsThePlainEngineWould) {
    std::string line;
    for (int i = 0; i < 200; ++i)
        line += "[i][b]x[url=a][quote=n; [h1]t[size=3 [url=[[";
    line += "[b]end[/b] [i]y[/i] [url=u]l[/url] [quote=Ann;7]";
    const std::string text = line + "\n" + line + "[/b]\nshort [b]b[/b]";
    EXPECT_EQ(bbcode(text), bbcodeThroughPlainEngine(text));
    EXPECT_NE(bbcode(text).find("<strong>b</strong>"), std::string::npos);
}

// Lines made of one unclosed tag: every rule gives up on the line at once,
// and nothing is lost or left behind.
TEST(BBCode, LongLinesOfOneUnclosedTagConvertWhole) {
    for (const char* tag : {"[b]", "[url=", "[url=a]", "[[", "[quote=a", "[quote=a;", "[img=1x2]", "+html+"}) {
        testsupport::CapturedLog log;
        std::string line;
        for (int i = 0; i < 20000; ++i)
            line += tag;
        const std::string html = bbcode(line + "\n" + line + "[/b]");
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::bbcode, html, {line}), "") << tag;
        EXPECT_FALSE(log.contains("Regex stopped")) << tag;
        EXPECT_GT(html.size(), 2 * line.size()) << tag;
    }
}

TEST(BBCode, QuoteTagDoesNotReachIntoTheNextLine) {
    EXPECT_EQ(firstLine("[quote=Ann\nx;2]"), "[quote=Ann");
}

TEST(BBCodeCorpus, EveryDocumentConvertsWithoutLeftoverTokens) {
    int converted = 0;
    for (const auto& path : testsupport::corpusDocuments("bbcode")) {
        const std::string text = testsupport::readFile(path);
        std::string html = bbcode(text);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::bbcode, html, {text}), "") << path;
        EXPECT_EQ(html, bbcodeThroughPlainEngine(text)) << path;
        EXPECT_GT(html.size(), text.size() / 2) << path;
        ++converted;
    }
    EXPECT_GT(converted, 10);
}

// Code keeps its own line ends: no break inside it, breaks around it as on
// any other line.
TEST(BBCode, NoBreaksInsideCode) {
    EXPECT_EQ(bbcode("a\n[code]x = 1\ny = 2\n[/code]\nb"), "a<br />\n<pre>x = 1\ny = 2\n</pre><br />\nb<br />\n<br />\n<br />");
    EXPECT_EQ(bbcode("[code]one[/code] two"), "<pre>one</pre> two<br />\n<br />\n<br />");
    EXPECT_EQ(bbcode("+html+<pre class=\"c\">\nq\n</pre>+endhtml+"), "<pre class=\"c\">\nq\n</pre><br />\n<br />\n<br />");
}
