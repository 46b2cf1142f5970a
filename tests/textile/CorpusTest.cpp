// Every Textile document of the corpus converts without a leftover token.
#include <random>

#include "TextileTestSupport.h"
#include "support/PlaceholderTokens.h"

TEST(TextileCorpus, EveryDocumentConvertsWithoutLeftoverTokens) {
    int converted = 0;
    for (const auto& path : testsupport::corpusDocuments("textile")) {
        const std::string source = testsupport::readFile(path);
        const std::string html = textiletest::convert(source);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::textile, html, {source}), "") << path;
        EXPECT_FALSE(textiletest::contains(html, "%%") && !textiletest::contains(source, "%%")) << path;
        EXPECT_FALSE(html.empty()) << path;
        ++converted;
    }
    EXPECT_GT(converted, 10);
}

// Unfinished code, comments, extended blocks and attribute lines: every
// conversion finishes and leaves no token of its own behind.
TEST(TextileRobustness, BrokenMarkupAroundSavedText) {
    const char* inputs[] = {
        "@", "@@", "@ @", "a@b@c", "@x", "<!--", "<!-- a", "-->", "<pre>", "<pre>a", "</pre>", "<pre></pre>",
        "bc.", "bc. ", "bc..", "bc.. ", "bc..\n\n", "p.. ", "bq.. \n\nh1. x", "pre.. a\n\nnotextile.. b", "notextile..",
        "notextile.. ", "table.", "table.\n", "table{.\n|a|", "table[].\n|a|", "bc(x). @a@ <!-- b -->", "\u00A7K33P-0\u00A7",
        "\u00A7K33P-1\u00A7 and @x@", "!a!", "! a!", "\"a\":.", "\"a\":b).", "*(x) *", "_(#) _",
    };
    for (const char* input : inputs) {
        const std::string html = textiletest::convert(input);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::textile, html, {input}), "") << input;
    }
}

// Random strings of markup pieces reach the corners where the passes meet.
TEST(TextileRobustness, RandomMixturesOfMarkup) {
    const char* pieces[] = {"@", "bc. ", "bc.. ", "pre. ", "p.. ", "bq.. ", "notextile. ", "notextile.. ", "<pre>",
                            "</pre>", "<!--", "-->", "table(x).\n", "|", "* ", "# ", "\"a\":", "http://x.org", ".",
                            ")", "(", "*", "_", "-", "--", "!", "p(c). ", "h2. ", "[#n]", "note#n. ", "notelist.",
                            "\n", "\n\n", " ", "word", "ABC", "{color:red}", "[en]", "x"};
    std::mt19937 random(20261206);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i)
            text += pieces[pick(random)];
        const std::string html = textiletest::convert(text);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::textile, html, {text}), "") << text;
    }
}

// Long lines of openings that never close: every conversion finishes and
// leaves no token behind.
TEST(TextileRobustness, LongLinesOfUnclosedOpenings) {
    const char* shapes[] = {"*a _b -c +d ^e ~f @g ", "*a_ ", "~~a ", "!a", "[^", "<!--", "![a] [", "\"a\":b",
                            "??a ", "%a ", "ABC(a ", "<pre>", "<p ", "<h1 ", "[\"a\":b ", "[0]: u\n[0] "};
    for (const char* shape : shapes) {
        std::string input;
        while (input.size() < 20000)
            input += shape;
        const std::string html = textiletest::convert(input);
        EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::textile, html, {input}), "") << shape;
    }
}
