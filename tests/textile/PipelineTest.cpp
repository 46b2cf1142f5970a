// The pipeline: block signatures, the inline table, glyphs, and what the
// order of the passes makes of their interplay.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::count;
using textiletest::has;

TEST(TextileBlocks, SignaturesBecomeTheirElements) {
    EXPECT_EQ(convert("h1. Title"), "\n<h1>Title</h1>\n\n");
    EXPECT_TRUE(has(convert("Intro\n\nh3. Third\n\nmore"), "\n<h3>Third</h3>\n"));
    EXPECT_TRUE(has(convert("p. Plain"), "<p>Plain</p>"));
    EXPECT_TRUE(has(convert("bq. Quoted"), "<blockquote>\n\t<p>Quoted</p>\n</blockquote>"));
    EXPECT_TRUE(has(convert("bq.:http://a.example/x Said so"),
                    "<blockquote cite=\"http://a.example/x\">\n\t<p>Said so</p>\n</blockquote>"));
    EXPECT_TRUE(has(convert("pre. keep  this"), "<pre>keep  this</pre>"));
    EXPECT_TRUE(has(convert("fn1. The note"), "<p class=\"footnote\" id=\"fn-1\"><sup>1</sup> The note</p>"));
}

TEST(TextileBlocks, CodeBlockAtTheEndRunsToTheEnd) {
    std::string html = convert("Text\n\nbc. line one\nline two");
    EXPECT_TRUE(has(html, "<pre><code>line one\nline two</code></pre>"));
}

TEST(TextileBlocks, CommentDisappears) {
    std::string html = convert("Before\n\n###. hidden note\n\nAfter");
    EXPECT_FALSE(has(html, "hidden"));
    EXPECT_TRUE(has(html, "<p>Before</p>"));
    EXPECT_TRUE(has(html, "<p>After</p>"));
}

TEST(TextileBlocks, SecondApplicationConvertsEveryBlockOfARun) {
    Textile_ObjC converter;
    converter.initWithString(testsupport::u("\nh2. A\n\nh2. B\n\nh2. C\n\n"));
    converter.blockTransform();
    std::string once = testsupport::s(converter.str);
    EXPECT_TRUE(has(once, "<h2>A</h2>"));
    EXPECT_TRUE(has(once, "h2. B"));
    EXPECT_TRUE(has(once, "<h2>C</h2>"));
    EXPECT_EQ(count(convert("h2. A\n\nh2. B\n\nh2. C"), "</h2>"), 3u);
}

TEST(TextileBlocks, SignatureNeedsBlankLineAndSpace) {
    std::string html = convert("Some text\nh2. Not a heading\n\nh1.Tight");
    EXPECT_FALSE(has(html, "<h2>"));
    EXPECT_TRUE(has(html, "<p>Some text<br />\nh2. Not a heading</p>"));
    EXPECT_TRUE(has(html, "<p>h1.Tight</p>"));
}

TEST(TextileInline, PhraseModifiers) {
    EXPECT_TRUE(has(convert("a *strong* b"), "a <strong>strong</strong> b"));
    EXPECT_TRUE(has(convert("a **bold** b"), "a <b>bold</b> b"));
    EXPECT_TRUE(has(convert("a _em_ b __it__ c"), "a <em>em</em> b <i>it</i> c"));
    EXPECT_TRUE(has(convert("a +ins+ b -del- c"), "a <ins>ins</ins> b <del>del</del> c"));
    EXPECT_TRUE(has(convert("a ^up^ b ~down~ c"), "a <sup>up</sup> b <sub>down</sub> c"));
    EXPECT_TRUE(has(convert("a ??Book?? b %span% c"), "a <cite>Book</cite> b <span>span</span> c"));
    EXPECT_TRUE(has(convert("call @f(x)@ now"), "call <pre><code>f(x)</code></pre> now"));
    EXPECT_TRUE(has(convert("in[**side**]word"), "in<b>side</b>word"));
    // Greedy: two phrases with one delimiter on a line become one element.
    EXPECT_TRUE(has(convert("x **a** and **b** y"), "<b>a** and **b</b>"));
}

TEST(TextileInline, SecondApplicationNestsBoldInEmphasis) {
    EXPECT_TRUE(has(convert("x _**word**_ y"), "x <em><b>word</b></em> y"));
}

TEST(TextileInline, FootnoteReferencesAndJavaScriptAnchors) {
    std::string plain = convert("word[1] and fn1^. Back");
    EXPECT_TRUE(has(plain, "word<sup class=\"footnote\" id=\"rev_fn-1\"><a href=\"#fn-1\">1</a></sup> "));
    std::string js = convert("word[1] here", true);
    EXPECT_TRUE(has(js, "<a href=\"javascript:;\" onclick=\"document.location.hash='fn-1';\">1</a>"));
    EXPECT_TRUE(has(convert("word[2!] here"), "word<sup class=\"footnote\" id=\"rev_fn-2\">2</sup> "));
    EXPECT_TRUE(has(convert("Text\n\nfn3^. Back to text"),
                    "<p class=\"footnote\" id=\"fn-3\"><sup><a href=\"#rev_fn-3\">3</a></sup> Back to text</p>"));
    EXPECT_TRUE(has(convert("Text\n\nfn3^. Back to text", true), "href=\"javascript:;\" onclick=\"document.location.hash='rev_fn-3';\""));
}

TEST(TextileInline, CapitalsAcronymsDashesDimensions) {
    EXPECT_TRUE(has(convert("ABC(Alpha Beta Gamma) here"), "<abbr title=\"Alpha Beta Gamma\">ABC</abbr>"));
    EXPECT_TRUE(has(convert("use NASA data"), "use <span class=\"caps\">NASA</span> data"));
    EXPECT_TRUE(has(convert("xNASA"), "xNASA"));
    EXPECT_TRUE(has(convert("10 x 20 and 10x20"), "10 &#215; 20 and 10&#215;20"));
    EXPECT_TRUE(has(convert("a - b -- c"), "a &#8211; b &#8212; c"));
}

TEST(TextileInline, ContentAttributesOnlyWhereTheContentFollows) {
    EXPECT_TRUE(has(convert("h2. (#top)Start"), "<h2 id=\"top\">Start</h2>"));
    EXPECT_TRUE(has(convert("h2. (intro#top)Start"), "<h2 class=\"intro\" id=\"top\">Start</h2>"));
    EXPECT_TRUE(has(convert("h2. (intro)Start"), "<h2 class=\"intro\">Start</h2>"));
    // A parenthesised word that opens the heading's text is the author's text.
    EXPECT_TRUE(has(convert("h2. (Optional) Setup"), "<h2>(Optional) Setup</h2>"));
    EXPECT_TRUE(has(convert("p. (see below)"), "<p>(see below)</p>"));
}

TEST(TextileInline, TableAttributeLine) {
    std::string html = convert("table(grid#t1).\n|a|b|");
    EXPECT_TRUE(has(html, "<table class=\"grid\" id=\"t1\">"));
    EXPECT_FALSE(has(html, "table("));
}

TEST(TextileGlyphs, ShorthandsBecomeCharacterReferences) {
    std::string html = convert("Brand(tm) (C) (R) (1/2) (1/4) (3/4) 5(o) (+/-) wait...");
    for (const char* ref : {"&#8482;", "&#169;", "&#174;", "&#189;", "&#188;", "&#190;", "&#176;", "&#177;", "&#8230;"})
        EXPECT_TRUE(has(html, ref)) << ref;
    EXPECT_TRUE(has(convert("lower (c) stays"), "(c)"));
}

TEST(TextileOutput, VoidTagsFollowTheHtml5Setting) {
    testsupport::ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    std::string html = convert("one\ntwo !a.png! x");
    EXPECT_TRUE(has(html, "one<br>\ntwo"));
    EXPECT_TRUE(has(html, "<img src=\"a.png\">"));
}

TEST(TextileOrder, ListsAndTablesGetPhraseFormatting) {
    EXPECT_TRUE(has(convert("* a *big* item"), "<li> a <strong>big</strong> item</li>"));
    EXPECT_TRUE(has(convert("| a _b_ c |"), "<td> a <em>b</em> c </td>"));
}

TEST(TextileOrder, DefinitionListsSeeFormattedText) {
    std::string html = convert("- cat := a *small* animal\n- dog := a larger animal=:");
    EXPECT_TRUE(has(html, "<dl>\n\t<dt>cat</dt>\n\t<dd>a <strong>small</strong> animal</dd>\n"
                          "\t<dt>dog</dt>\n\t<dd>a larger animal</dd>\n</dl>"));
    EXPECT_FALSE(has(html, "<p><dl>"));
}

TEST(TextileOrder, ImagesBeforeLinks) {
    std::string html = convert("see !a.png!:page.html now");
    EXPECT_TRUE(has(html, "<a href=\"page.html\"><img src=\"a.png\" /></a>"));
}
