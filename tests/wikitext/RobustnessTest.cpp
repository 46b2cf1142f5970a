// Real documents and broken markup: every conversion finishes and leaves no
// placeholder token behind.
#include <random>

#include "WikitextTestSupport.h"
#include "support/PlaceholderTokens.h"

using namespace wikitest;

namespace {

// `source` is the converted text, `what` names it in a failure.
void expectNoToken(const std::string& html, const std::string& source, const std::string& what) {
    EXPECT_EQ(placeholdertokens::leaked(placeholdertokens::wikitext, html, {source}), "") << what;
}
void expectNoToken(const std::string& html, const std::string& source) { expectNoToken(html, source, source); }

}  // namespace

TEST(WikitextRobustness, EveryCorpusDocumentConverts) {
    int converted = 0;
    for (const auto& path : testsupport::corpusDocuments("wikitext")) {
        if (path.extension() != ".wiki")
            continue;
        testsupport::CapturedLog log;
        const std::string text = testsupport::readFile(path);
        std::string html = wiki(text, true);
        expectNoToken(html, text, path.filename().string());
        EXPECT_FALSE(html.empty()) << path;
        // A search that ran into the engine's time limit would be a runaway pattern.
        EXPECT_FALSE(log.contains("Regex stopped")) << path;
        ++converted;
    }
    EXPECT_GT(converted, 20);
}

// Each of these once indexed past the end of a string, or cut a block in a
// way a later pass could not handle.
TEST(WikitextRobustness, BrokenMarkup) {
    const char* inputs[] = {
        "{|", "{|\n", "{|\n|}\n", "{||}\n", "{|\n\n|}\n", "{|\n|+\n|}\n", "{|\n|-\n|\n!\n|}\n", "{|\n||||\n!!!!\n|}\n",
        "{{Infobox}}\n", "{{Infobox\n|\n||\n}}\n", "{{Infobox x|a=b|=|}}\n", "[[", "]]", "[[]]", "[[|]]", "[[#]]",
        "[[Wiktionary:]]", "[[Wiktionary:|]]", "[[Wiktionary:a|]]", "[[:Category:]]", "[[:Category:|]]",
        "[[Category:]]", "[[File:]]", "[[Image:|]]", "<ref></ref>", "<ref>", "<ref name=></ref>", "<ref name=\"\"></ref>",
        "<references/>", "*", "* ", "#\n# \n", "*\t\n\n", "**x\n\n", ";", "\n;", "\n;:", "\n;:\n:\n", "a\n;\n",
        "<nowiki>", "<nowiki></nowiki>", "<nowiki>[[a]]</nowiki>]]", "''''''", "==", "====", "[http:// ]", "[ ]", "",
        "\n", "\n\n\n", "*#:;x\n#*\n;:\n::", ";a:b\n::c\n*", "{|\n|+ a\nb\n!||\n||\n|}\n",
        "'''''\n''", "''<a'''", "<nowiki><</nowiki>", " a\n \n", " \n \n",
    };
    for (const char* input : inputs) {
        expectNoToken(wiki(input), input);
        expectNoToken(wiki(input, true), input);
    }
}

// Long lines of openings without their closings: each search stops early
// instead of running to the end of the text from every opening.
TEST(WikitextRobustness, UnclosedOpeningsStayCheap) {
    for (const char* opening :
         {"[[x ", "<ref>x ", "{|\n", "{{Infobox x\n", "<ref name=a ", "[", "[^", "[http://a ", "<pre>x ", "<nowiki>x "}) {
        std::string text;
        for (int i = 0; i < 20000; ++i)
            text += opening;
        testsupport::CapturedLog log;
        expectNoToken(wiki(text), text, opening);
        for (const std::string& line : log.lines)
            EXPECT_TRUE(line.find("\\[\\[") == std::string::npos && line.find("<ref") == std::string::npos &&
                        line.find("\\{") == std::string::npos && line.find("<pre") == std::string::npos &&
                        line.find("<nowiki>") == std::string::npos)
                << opening << ": " << line;
    }
}

// Random strings of markup pieces reach the corners where passes meet.
TEST(WikitextRobustness, RandomMixturesOfMarkup) {
    const char* pieces[] = {"[[", "]]", "[", "]", "{|", "|}", "|-", "||", "!!", "|+", "{{Infobox ", "}}", "|", " = ",
                            "<ref>", "</ref>", "<ref name=\"a\">", "<references/>", "<nowiki>", "</nowiki>", "''",
                            "'''", "==", "----", "* ", "# ", "; ", ": ", "\n", "\n\n", "File:", "Category:",
                            "Wiktionary:", ":", "#", "http://www.example.com", " ", "word", "\t", "&nbsp;", "<", ">"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 60);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i)
            text += pieces[pick(random)];
        expectNoToken(wiki(text, round % 2 == 0), text);
    }
}
