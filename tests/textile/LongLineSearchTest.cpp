// The searches for tables, lists, definition lists, runs of capitals and
// paragraphs find just what their patterns find, on random pieces of their markup (line ends
// of every kind among them) and on the corpus; and a long line that would
// overflow a pattern's backtracking stack costs no other line its markup.
#include <functional>
#include <random>

#include "TextileTestSupport.h"

namespace {

using Ranges = std::vector<std::vector<int32_t>>;

Ranges rangesOf(const std::vector<engine::Match>& matches, bool wholeOnly) {
    Ranges ranges;
    for (const engine::Match& match : matches)
        ranges.push_back(wholeOnly ? std::vector<int32_t>{match.start(), match.end()} : match.starts);
    for (size_t i = 0; !wholeOnly && i < matches.size(); ++i)
        ranges[i].insert(ranges[i].end(), matches[i].ends.begin(), matches[i].ends.end());
    return ranges;
}

Ranges rangesOf(const std::vector<engine::TextRange>& found) {
    Ranges ranges;
    for (const engine::TextRange& range : found)
        ranges.push_back({range.start, range.end});
    return ranges;
}

// Texts for one search: random strings of `pieces`, then every corpus
// document as it stands.
void forSamples(const std::vector<icu::UnicodeString>& pieces, const std::function<void(const icu::UnicodeString&)>& check) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 3000 && !testing::Test::HasFailure(); ++round) {
        icu::UnicodeString text;
        for (int i = 1 + round % 30; i > 0; --i)
            text += pieces[random() % pieces.size()];
        check(text);
    }
    for (const auto& path : testsupport::corpusDocuments("textile"))
        check(u"\n" + testsupport::u(testsupport::readFile(path)) + u"\n\n");
}

// The text with its line ends and other controls spelled out.
std::string shown(const icu::UnicodeString& text) {
    std::string out;
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t c = text[i];
        out += c == u'\n' ? std::string("\\n") : c < 32 || c > 126 ? "\\u" + std::to_string(c) + ";" : std::string(1, char(c));
    }
    return out;
}

icu::UnicodeString upperCasePattern() {
    TextileConverter textile;
    textile.initWithString(u"");
    for (const RuleRecord& rule : textile.regexes)
        if (rule.fastPath.walk == TextileConverter::kCapitalRunsWalk)
            return rule.pattern;
    return {};
}

}  // namespace

TEST(TextileLongLineSearch, TablesAndListsFindWhatTheirPatternsFind) {
    const std::vector<icu::UnicodeString> pieces = {u"|", u"a", u" ", u"\t", u"\n", u"\n\n", u"\r", u"\r\n", u"\u2028",
                                                   u"table", u"(x)", u".", u"*", u"#", u"**", u"- ", u":= ", u" := "};
    forSamples(pieces, [](const icu::UnicodeString& text) {
        const auto tables = engine::findAll(text, TextileConverter::tablePattern(), engine::kDotMatchesLineSeparators);
        const auto lists = engine::findAll(text, TextileConverter::listPattern(), engine::kDotMatchesLineSeparators);
        const auto definitions =
            engine::findAll(text, TextileConverter::definitionListPattern(), engine::kDotMatchesLineSeparators);
        ASSERT_TRUE(tables && lists && definitions);
        const auto foundTables = TextileConverter::findTables(text);
        const auto foundLists = TextileConverter::findLists(text);
        ASSERT_TRUE(foundTables && foundLists);
        EXPECT_EQ(rangesOf(*foundTables, false), rangesOf(*tables, false)) << shown(text);
        EXPECT_EQ(rangesOf(*foundLists, false), rangesOf(*lists, false)) << shown(text);
        EXPECT_EQ(rangesOf(TextileConverter::definitionListRanges(text)), rangesOf(*definitions, true))
            << shown(text);
    });
}

TEST(TextileLongLineSearch, CapitalRunsAreWhatTheRuleMatches) {
    const icu::UnicodeString pattern = upperCasePattern();
    ASSERT_FALSE(pattern.isEmpty());
    const std::vector<icu::UnicodeString> pieces = {u"A", u"BC", u"DEF", u"a", u"1", u" ", u"\n", u"<", u"</",
                                                   u"<b>", u"</b>", u">", u"/", u"\u00C4", u"\U0001D400"};
    forSamples(pieces, [&](const icu::UnicodeString& text) {
        const auto runs = engine::findAll(text, pattern);
        ASSERT_TRUE(runs);
        EXPECT_EQ(rangesOf(TextileConverter::capitalRuns(text)), rangesOf(*runs, true)) << shown(text);
    });
}

TEST(TextileLongLineSearch, BreakableElementsAreWhatThePatternsFind) {
    const std::vector<icu::UnicodeString> pieces = {u"<p", u"</p>", u"<pre>", u"<h", u"</h", u"1", u"7", u"{", u">",
                                                   u"<", u"/", u"a", u"\n", u"\r\n", u"<h2>", u"</h2>"};
    forSamples(pieces, [](const icu::UnicodeString& text) {
        for (const bool headings : {false, true}) {
            const auto elements =
                engine::findAll(text, TextileConverter::breakableElementPattern(headings), engine::kDotMatchesLineSeparators);
            ASSERT_TRUE(elements);
            EXPECT_EQ(rangesOf(TextileConverter::breakableElements(text, headings)), rangesOf(*elements, true))
                << shown(text);
        }
    });
}

// Lines long enough to overflow the stack of the old patterns.
TEST(TextileLongLineSearch, ALongLineLeavesTheOtherMarkupConverted) {
    using textiletest::contains;
    const std::string document = "* item\n\n- term := meaning\n\nNASA said\n\n";
    for (const char* unit : {"*", "[", "ABC DEF ", "- "}) {
        std::string line;
        while (line.size() < 400000)
            line += unit;
        const std::string html = textiletest::convert(document + line);
        EXPECT_TRUE(contains(html, "<li> item</li>")) << unit;
        EXPECT_TRUE(contains(html, "<dt>term</dt>")) << unit;
        EXPECT_TRUE(contains(html, "<span class=\"caps\">NASA</span>")) << unit;
    }
}
