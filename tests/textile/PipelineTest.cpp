// The pipeline: block signatures, the inline table, glyphs, and what the
// order of the passes makes of their interplay.
#include "TextileTestSupport.h"

using textiletest::convert;
using textiletest::count;
using textiletest::contains;

TEST(TextileBlocks, SignaturesBecomeTheirElements) {
    EXPECT_EQ(convert("h1. Title"), "\n<h1>Title</h1>\n\n");
    EXPECT_TRUE(contains(convert("Intro\n\nh3. Third\n\nmore"), "\n<h3>Third</h3>\n"));
    EXPECT_TRUE(contains(convert("p. Plain"), "<p>Plain</p>"));
    EXPECT_TRUE(contains(convert("bq. Quoted"), "<blockquote>\n\t<p>Quoted</p>\n</blockquote>"));
    EXPECT_TRUE(contains(convert("bq.:http://a.example/x Said so"),
                    "<blockquote cite=\"http://a.example/x\">\n\t<p>Said so</p>\n</blockquote>"));
    EXPECT_TRUE(contains(convert("pre. keep  this"), "<pre>keep  this</pre>"));
    EXPECT_TRUE(contains(convert("fn1. The note"), "<p class=\"footnote\" id=\"fn-1\"><sup>1</sup> The note</p>"));
}

TEST(TextileBlocks, CodeBlockAtTheEndRunsToTheEnd) {
    std::string html = convert("Text\n\nbc. line one\nline two");
    EXPECT_TRUE(contains(html, "<pre><code>line one\nline two</code></pre>"));
}

TEST(TextileBlocks, CommentDisappears) {
    std::string html = convert("Before\n\n###. hidden note\n\nAfter");
    EXPECT_FALSE(contains(html, "hidden"));
    EXPECT_TRUE(contains(html, "<p>Before</p>"));
    EXPECT_TRUE(contains(html, "<p>After</p>"));
}

TEST(TextileBlocks, SecondApplicationConvertsEveryBlockOfARun) {
    Textile_ObjC converter;
    converter.initWithString(testsupport::u("\nh2. A\n\nh2. B\n\nh2. C\n\n"));
    converter.blockTransform();
    std::string once = testsupport::s(converter.str);
    EXPECT_TRUE(contains(once, "<h2>A</h2>"));
    EXPECT_TRUE(contains(once, "h2. B"));
    EXPECT_TRUE(contains(once, "<h2>C</h2>"));
    EXPECT_EQ(count(convert("h2. A\n\nh2. B\n\nh2. C"), "</h2>"), 3u);
}

TEST(TextileBlocks, SignatureNeedsBlankLineAndSpace) {
    std::string html = convert("Some text\nh2. Not a heading\n\nh1.Tight");
    EXPECT_FALSE(contains(html, "<h2>"));
    EXPECT_TRUE(contains(html, "<p>Some text<br />\nh2. Not a heading</p>"));
    EXPECT_TRUE(contains(html, "<p>h1.Tight</p>"));
}

TEST(TextileInline, PhraseModifiers) {
    EXPECT_TRUE(contains(convert("a *strong* b"), "a <strong>strong</strong> b"));
    EXPECT_TRUE(contains(convert("a **bold** b"), "a <b>bold</b> b"));
    EXPECT_TRUE(contains(convert("a _em_ b __it__ c"), "a <em>em</em> b <i>it</i> c"));
    EXPECT_TRUE(contains(convert("a +ins+ b -del- c"), "a <ins>ins</ins> b <del>del</del> c"));
    EXPECT_TRUE(contains(convert("a ^up^ b ~down~ c"), "a <sup>up</sup> b <sub>down</sub> c"));
    EXPECT_TRUE(contains(convert("a ??Book?? b %span% c"), "a <cite>Book</cite> b <span>span</span> c"));
    EXPECT_TRUE(contains(convert("call @f(x)@ now"), "call <code>f(x)</code> now"));
    EXPECT_TRUE(contains(convert("in[**side**]word"), "in<b>side</b>word"));
    // Two phrases with one delimiter on a line stay two elements.
    EXPECT_TRUE(contains(convert("x **a** and **b** y"), "x <b>a</b> and <b>b</b> y"));
    EXPECT_TRUE(contains(convert("an +SC.View+ for +bottomView+: x"), "an <ins>SC.View</ins> for <ins>bottomView</ins>: x"));
}

TEST(TextileInline, SecondApplicationNestsBoldInEmphasis) {
    EXPECT_TRUE(contains(convert("x _**word**_ y"), "x <em><b>word</b></em> y"));
}

TEST(TextileInline, FootnoteReferencesAndJavaScriptAnchors) {
    std::string plain = convert("word[1] and fn1^. Back");
    EXPECT_TRUE(contains(plain, "word<sup class=\"footnote\" id=\"rev_fn-1\"><a href=\"#fn-1\">1</a></sup> "));
    std::string js = convert("word[1] here", true);
    EXPECT_TRUE(contains(js, "<a href=\"javascript:;\" onclick=\"document.location.hash='fn-1';\">1</a>"));
    EXPECT_TRUE(contains(convert("word[2!] here"), "word<sup class=\"footnote\" id=\"rev_fn-2\">2</sup> "));
    EXPECT_TRUE(contains(convert("Text\n\nfn3^. Back to text"),
                    "<p class=\"footnote\" id=\"fn-3\"><sup><a href=\"#rev_fn-3\">3</a></sup> Back to text</p>"));
    EXPECT_TRUE(contains(convert("Text\n\nfn3^. Back to text", true), "href=\"javascript:;\" onclick=\"document.location.hash='rev_fn-3';\""));
}

TEST(TextileInline, CapitalsAcronymsDashesDimensions) {
    EXPECT_TRUE(contains(convert("ABC(Alpha Beta Gamma) here"), "<abbr title=\"Alpha Beta Gamma\">ABC</abbr>"));
    EXPECT_TRUE(contains(convert("use NASA data"), "use <span class=\"caps\">NASA</span> data"));
    EXPECT_TRUE(contains(convert("xNASA"), "xNASA"));
    EXPECT_TRUE(contains(convert("10 x 20 and 10x20"), "10 &#215; 20 and 10&#215;20"));
    EXPECT_TRUE(contains(convert("a - b -- c"), "a &#8211; b &#8212; c"));
}

TEST(TextileInline, ContentAttributesOnlyWhereTheContentFollows) {
    EXPECT_TRUE(contains(convert("h2. (#top)Start"), "<h2 id=\"top\">Start</h2>"));
    EXPECT_TRUE(contains(convert("h2. (intro#top)Start"), "<h2 class=\"intro\" id=\"top\">Start</h2>"));
    EXPECT_TRUE(contains(convert("h2. (intro)Start"), "<h2 class=\"intro\">Start</h2>"));
    // A parenthesised word that opens the heading's text is the author's text.
    EXPECT_TRUE(contains(convert("h2. (Optional) Setup"), "<h2>(Optional) Setup</h2>"));
    EXPECT_TRUE(contains(convert("p. (see below)"), "<p>(see below)</p>"));
}

TEST(TextileInline, TableAttributeLine) {
    std::string html = convert("table(grid#t1).\n|a|b|");
    EXPECT_TRUE(contains(html, "<table class=\"grid\" id=\"t1\">"));
    EXPECT_FALSE(contains(html, "table("));
}

TEST(TextileGlyphs, ShorthandsBecomeCharacterReferences) {
    std::string html = convert("Brand(tm) (C) (R) (1/2) (1/4) (3/4) 5(o) (+/-) wait...");
    for (const char* ref : {"&#8482;", "&#169;", "&#174;", "&#189;", "&#188;", "&#190;", "&#176;", "&#177;", "&#8230;"})
        EXPECT_TRUE(contains(html, ref)) << ref;
    EXPECT_TRUE(contains(convert("lower (c) stays"), "(c)"));
}

TEST(TextileOutput, VoidTagsFollowTheHtml5Setting) {
    testsupport::ScopedSettings settings;
    settings->setBool("MARKUP_USE_HTML5", true);
    std::string html = convert("one\ntwo !a.png! x");
    EXPECT_TRUE(contains(html, "one<br>\ntwo"));
    EXPECT_TRUE(contains(html, "<img src=\"a.png\">"));
}

TEST(TextileOrder, ListsAndTablesGetPhraseFormatting) {
    EXPECT_TRUE(contains(convert("* a *big* item"), "<li> a <strong>big</strong> item</li>"));
    EXPECT_TRUE(contains(convert("| a _b_ c |"), "<td> a <em>b</em> c </td>"));
}

TEST(TextileOrder, DefinitionListsSeeFormattedText) {
    std::string html = convert("- cat := a *small* animal\n- dog := a larger animal=:");
    EXPECT_TRUE(contains(html, "<dl>\n\t<dt>cat</dt>\n\t<dd>a <strong>small</strong> animal</dd>\n"
                          "\t<dt>dog</dt>\n\t<dd>a larger animal</dd>\n</dl>"));
    EXPECT_FALSE(contains(html, "<p><dl>"));
}

TEST(TextileOrder, ImagesBeforeLinks) {
    std::string html = convert("see !a.png!:page.html now");
    EXPECT_TRUE(contains(html, "<a href=\"page.html\"><img src=\"a.png\" /></a>"));
}

TEST(TextileInline, PhrasesBeforePunctuation) {
    EXPECT_TRUE(contains(convert("She *fell*."), "She <strong>fell</strong>."));
    EXPECT_TRUE(contains(convert("x _em_, y"), "x <em>em</em>, y"));
    EXPECT_TRUE(contains(convert("x -del-. y"), "x <del>del</del>. y"));
    EXPECT_TRUE(contains(convert("(see *this*)"), "(see <strong>this</strong>)"));
}

// A spaced double hyphen is a dash, not a deletion.
TEST(TextileInline, SpacedDoubleHyphensAreDashes) {
    EXPECT_TRUE(contains(convert("a -- b -- c"), "a &#8212; b &#8212; c"));
}

TEST(TextileInline, ContentAttributesWithASpaceBehind) {
    EXPECT_TRUE(contains(convert("a _(class#id) emph_ b"), "a <em class=\"class\" id=\"id\">emph</em> b"));
    EXPECT_TRUE(contains(convert("a %(cls) span% b"), "a <span class=\"cls\">span</span> b"));
    EXPECT_TRUE(contains(convert("a *(bold) word* b"), "a <strong class=\"bold\">word</strong> b"));
    EXPECT_TRUE(contains(convert("h2. (#intro) Setup"), "<h2 id=\"intro\">Setup</h2>"));
    EXPECT_TRUE(contains(convert("h2. (Optional) Setup"), "<h2>(Optional) Setup</h2>"));
    EXPECT_TRUE(contains(convert("a _(note)_ b"), "a <em>(note)</em> b"));
}

// Code shows as written: escaped, its phrases and links left alone.
TEST(TextileCode, InlineCodeIsCodeWrittenAsIs) {
    EXPECT_TRUE(contains(convert("Use @ab@ here."), "<p>Use <code>ab</code> here.</p>"));
    EXPECT_TRUE(contains(convert("a @x@ b"), "a <code>x</code> b"));
    EXPECT_TRUE(contains(convert("* item @f(x)@"), "<li> item <code>f(x)</code></li>"));
    EXPECT_TRUE(contains(convert("@<b>x</b> *y*@ z"), "<p><code>&lt;b&gt;x&lt;/b&gt; *y*</code> z</p>"));
    // An e-mail address opens no code.
    EXPECT_TRUE(contains(convert("mail a@example.com or b@example.org now"), "a@example.com or b@example.org"));
}

TEST(TextileCode, CodeBlocksAndPreShowTheirTextAsWritten) {
    EXPECT_TRUE(contains(convert("bc. <b>x</b> __y__"), "<pre><code>&lt;b&gt;x&lt;/b&gt; __y__</code></pre>"));
    EXPECT_TRUE(contains(convert("pre. \"a\":b.html *c*"), "<pre>\"a\":b.html *c*</pre>"));
    EXPECT_TRUE(contains(convert("bc(ruby). a -b- c"), "<pre><code class=\"ruby\">a -b- c</code></pre>"));
    std::string html = convert("<pre>\n<i>x</i> --\n\ny\n</pre>");
    EXPECT_TRUE(contains(html, "<pre>\n&lt;i&gt;x&lt;/i&gt; --\n\ny\n</pre>"));
    EXPECT_FALSE(contains(html, "<br"));
}

TEST(TextileCode, CommentsStayComments) {
    EXPECT_TRUE(contains(convert("a <!-- b -- c --> d"), "a <!-- b -- c --> d"));
}

TEST(TextileBlocks, ExtendedBlocksRunOverBlankLines) {
    EXPECT_EQ(convert("bc.. one\n\ntwo <i>\n\np. after"),
              "\n<pre><code>one\n\ntwo &lt;i&gt;</code></pre>\n\n<p>after</p>\n\n");
    EXPECT_EQ(convert("p.. one\n\ntwo"), "\n<p>one</p>\n\n<p>two</p>\n\n");
    std::string quote = convert("bq.. one\n\ntwo\n\nh2. Next");
    EXPECT_TRUE(contains(quote, "<blockquote>\n\n<p>one</p>\n\n<p>two</p>\n\n</blockquote>"));
    EXPECT_TRUE(contains(quote, "<h2>Next</h2>"));
    EXPECT_TRUE(contains(convert("pre.. a\n\n  b"), "<pre>a\n\n  b</pre>"));
    std::string raw = convert("notextile.. <b>x</b>\n\n*y*\n\np. z");
    EXPECT_TRUE(contains(raw, "<b>x</b>\n\n*y*"));
    EXPECT_TRUE(contains(raw, "<p>z</p>"));
}
