// Every fast path held to its pattern by the one oracle (SameAsPattern.h):
// each case names a pattern, a fast path and the pieces its texts are built
// from (line ends of every kind ICU's "." knows, openings that never close,
// runs of markers); each runs on its own texts, on random texts of its
// pieces and on the corpus documents of its languages.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SameAsPattern.h"
#include "engine/DoubledMarkerSpans.h"
#include "engine/LineFilteredSearch.h"
#include "engine/MatchSteps.h"
#include "engine/PatternOpenings.h"

using namespace testsupport;

namespace {

constexpr uint32_t kDotAll = engine::kDotMatchesLineSeparators;

Producer atOpenings(const icu::UnicodeString& pattern, uint32_t options) {
    return [=](const icu::UnicodeString&) { return engine::atOpenings(pattern, options); };
}

Producer planned(const icu::UnicodeString& pattern, uint32_t options,
                 std::function<engine::SearchPlan(const icu::UnicodeString&)> plan) {
    return [=](const icu::UnicodeString& text) { return engine::atPlannedStarts(plan(text), pattern, options); };
}

// Where a literal stands; after a failure, the rest of the line.
Producer oncePerLine(const icu::UnicodeString& opening) {
    return [=](const icu::UnicodeString&) {
        return engine::failingOncePerLine([opening](const icu::UnicodeString& text, int32_t from) {
            const int32_t at = text.indexOf(opening, from);
            return engine::LineOpening{at, at < 0 ? -1 : at + opening.length(), nullptr};
        });
    };
}

engine::SearchPlan everyBracket(const icu::UnicodeString& text) {
    return {engine::occurrencesOf(text, u"["), -1};
}

struct Case {
    const char* label;
    icu::UnicodeString pattern;
    uint32_t options;
    Producer producer;  // or
    FastSearch search;
    std::vector<std::string> pieces;
    std::vector<std::string> texts;
    std::vector<const char*> corpora;
};

const std::vector<std::string> kBracketSoup = {"[[", "[", "]", "]]", "::", "a", "\n", "\r", "[sup]", "[/sub]",
                                               "[url=", "[/url]", "[mail=", "[email=", "[/mail]", "[/email]",
                                               "[h1]", "[H2]", "[/h1]", "[/H3]"};
// No "\r\n": whether ICU's find tries a line start between its "\r" and
// "\n" depends on how it scans for the pattern's first characters, and the
// document pipeline hands the converters "\n" line ends only.
const std::vector<std::string> kBlockSoup = {"\n", "\n\n", "h1. ", "p. ", "p(c). ", "fn1. ", "bc. ", "pre. ", "x",
                                             " ", "\xe2\x80\xa8", ";", "@", "a@b", "<!--", "-->", "{|", "|}", "----", "=="};
const std::vector<std::string> kLinkSoup = {"[", "]", "(", ")", "!", "^", ":", "\"", " ", "x", "\n", "\xe2\x80\xa8"};

std::vector<Case> openingCases() {
    std::vector<Case> cases;
    const std::pair<const char16_t*, uint32_t> blocks[] = {
        {u"(?m)^\nh1\\.[ ]{1,}(.*?)\n\n", kDotAll},
        {u"(?m)^\np\\.[ ]{1,}(.*?)\n\n", kDotAll},
        {u"(?m)^fn([0-9]{1,})\\.[ ]{1,}(.*?)\n\n", kDotAll},
        {u"(?m)^p[\\=\\<\\>\\[\\(\\)\\{]{1,1}(.*?)\\.[ ]{1,1}", engine::kNoOptions},
        {u"(?m)^;", engine::kNoOptions},
        {u"(?<![\\w@])@([^\\s@](?:[^@\n]*?[^\\s@])?)@(?![\\w@])", engine::kNoOptions},
        {u"<!--.*?-->", kDotAll},
        {u"<ref(\\s[^<>\n]*)?(?<!/)>((?:(?!<ref[\\s>/]).)*?)</ref>", engine::kNoOptions},
        {u"\\{\\|(.*?)\\|\\}\n", kDotAll},
        {u"(?<![|\\-])\\-{4,}", engine::kNoOptions},
        {u"(?m)^[=]{2,2}(.*?)[=]{2,2}$", engine::kNoOptions},
        {u"(?m)^\n(?:bc|pre)\\.[ ]+(.*?)(?=\n\n)", kDotAll},
    };
    for (const auto& [pattern, options] : blocks)
        cases.push_back({"block openings", pattern, options, atOpenings(pattern, options), {}, kBlockSoup,
                         {"\nh1. Title\n\np. para\n\nxp. not\n\n", "a\r\n\r\np. crlf\n\n", "p(c). x\n p(d). in\np{x}. y",
                          "<ref>a</ref><ref name=x/><ref b>c</ref>", "\nbc. code\n\n\npre. x\n\n", ""},
                         {"textile", "wikitext"}});
    // A failed try rules out the later openings within its run, and no try
    // starts after the last closing.
    const std::pair<const char16_t*, uint32_t> runs[] = {
        {u"\\[\\[(.*?)\\]\\]", engine::kNoOptions},
        {u"\\[(.*?)\\]", engine::kNoOptions},
        {u"\\[\\[(.*)::", engine::kNoOptions},
        {u"\\[\\[([^\\]\\n]*?)::(.*?)\\]\\]", engine::kNoOptions},
        {u"\\[([^\\]\\n]*?)::(.*?)\\]", engine::kNoOptions},
        {u"\\[(sup|sub)\\](.*?)\\[\\/(sup|sub)\\]", engine::kNoOptions},
        {u"\\[url\\=(.*?)\\](.*?)\\[\\/url\\]", engine::kNoOptions},
        {u"\\[(mail|email)\\=(.*?)\\](.*?)\\[\\/(mail|email)\\]", engine::kNoOptions},
        {u"\\[[Hh]([1-6])\\](.*?)\\[\\/[Hh]([1-6])\\]", engine::kNoOptions},
        {u"\\[\\[(.*?)\\]\\]", kDotAll},
    };
    for (const auto& [pattern, options] : runs) {
        cases.push_back({"run after opening", pattern, options, atOpenings(pattern, options), {}, kBracketSoup, {}, {}});
        cases.push_back({"planned brackets", pattern, options, planned(pattern, options, everyBracket), {}, kBracketSoup,
                         {}, {}});
        if (options == engine::kNoOptions)
            cases.push_back({"lines with a bracket", pattern, options, nullptr,
                             [pattern](const icu::UnicodeString& text) {
                                 return engine::findAllInLinesWith(text, pattern, {u"["});
                             },
                             kBracketSoup, {}, {}});
    }
    return cases;
}

std::vector<Case> plannedCases() {
    const char16_t* underlined = u"(?m)^(.+?)[ ]*\\n(=+)[ ]*\\n+";
    const char16_t* markLine = u"(?m)^[ ]{0,3}([-]{1,})[ -]{0,}$";
    const char16_t* heading = u"(?m)^[#]{1,1}[ ](.+?)[ ]*\\#*$";
    const char16_t* tilde = u"~~(.*?)~~";
    const char16_t* lookArounds = u"\\*(?<!\\\\\\*)([^*]*)\\*(?!\\n\\n)";
    return {
        {"underlined heading", underlined, engine::kNoOptions,
         planned(underlined, engine::kNoOptions, [](const icu::UnicodeString& t) { return engine::linesEndingBefore(t, u"\n="); }),
         {}, {"=", "=", "\n", "\n", " ", "a", "\r", "\xe2\x80\xa8", "-"},
         {"Title\n=====\n\ntext\n", "a\n=\n=\n=\n\n\nb  \n==  \n", "x\r\n===\n", "one\xc2\x85two\n==\nthree\n="}, {}},
        {"line of marks", markLine, engine::kNoOptions,
         planned(markLine, engine::kNoOptions, [](const icu::UnicodeString& t) { return engine::linesStartingWith(t, u"-", 3); }),
         {}, {" ", " ", "-", "-", "#", "\n", "a", "\r", "\xe2\x80\xa9"}, {}, {}},
        {"heading line", heading, engine::kNoOptions,
         planned(heading, engine::kNoOptions, [](const icu::UnicodeString& t) { return engine::linesStartingWith(t, u"#"); }),
         {}, {" ", " ", "-", "#", "#", "\n", "a", "\r", "\xe2\x80\xa9"}, {}, {}},
        {"paired literal", tilde, kDotAll,
         planned(tilde, kDotAll, [](const icu::UnicodeString& t) { return engine::pairedLiteralPlan(t, u"~~"); }), {},
         {"~", "~", "a", "\n", " "}, {"~~a~~ ~~b\n\nc~~ ~~~d~~~~ ~~open", "~~~~", "~~", "x ~~ y"}, {}},
        // The look-behind sees the backslash before the planned start, the
        // look-ahead the text after the limit.
        {"look-arounds past the plan", lookArounds, engine::kNoOptions,
         planned(lookArounds, engine::kNoOptions, [](const icu::UnicodeString& t) { return engine::pairedLiteralPlan(t, u"*"); }),
         {}, {"*", "\\", "a", "\n"}, {"\\*a* *b*c*\n\nd"}, {}},
    };
}

// Walks that find what the pattern finds without running it.
std::vector<Case> walkCases() {
    std::vector<Case> cases;
    const std::vector<std::string> linkTexts = {
        "[a] [b](x) [c][d] ![e](f \"t\") [g]: h\n", "[[[[[[[[ no closing here ]]]]]] ( ) [late](one)\n",
        "![alt][ref] and ![other]\n[ref] on the next line\n", "[^1]: note\n[^2]:\n[x]:y\n\"title\"\n",
        "text \xe2\x80\xa8 [crosses](a line separator\xe2\x80\xa8) [ok](z)\n", "[a]\r[b](c)\r\n[d](e)", "![", "["};
    const std::pair<const char16_t*, const char16_t*> bracketRules[] = {
        {u"![", uR"re(!\[(.*?)\]\(((.*?)) "(.*?)"\))re"}, {u"[", uR"(\[(.*?)\]\(((.*?))\))"},
        {u"![", uR"(!\[(.*?)\][ \n]{0,1}\[(.*?)\])"},    {u"[", uR"(\[(.*?)\][ ]{0,1}\[(.*?)\])"},
        {u"[^", uR"(\[\^(.*?)\]\:(.*?)\n)"},
    };
    for (const auto& [opening, pattern] : bracketRules)
        cases.push_back({"once per line", pattern, engine::kNoOptions, oncePerLine(opening), {}, kLinkSoup, linkTexts,
                         {"markdown"}});
    return cases;
}

void check(const Case& c, const icu::UnicodeString& text, const std::string& label) {
    if (c.producer)
        expectSameAsPattern(text, c.pattern, c.options, c.producer, label);
    else
        expectSameAsPattern(text, c.pattern, c.options, c.search, label);
}

void runCases(const std::vector<Case>& cases) {
    std::mt19937 random(7);
    for (const Case& c : cases) {
        for (const std::string& text : c.texts)
            check(c, u(text), c.label);
        for (int round = 0; round < 300 && !testing::Test::HasFailure(); ++round)
            check(c, randomText(random, c.pieces, 30), c.label);
        for (const char* language : c.corpora) {
            const std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / language;
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                std::ifstream file(entry.path(), std::ios::binary);
                std::stringstream content;
                content << file.rdbuf();
                check(c, u("\n" + content.str() + "\n\n"), entry.path().filename().string());
            }
        }
    }
}

}  // namespace

TEST(SameAsPattern, OpeningsAndPlansFindWhatThePatternFinds) {
    runCases(openingCases());
    runCases(plannedCases());
}

TEST(SameAsPattern, WalksFindWhatThePatternFinds) {
    runCases(walkCases());
}

// Notes and citations: lazy runs up to literal stops, tried at their openings.
TEST(SameAsPattern, LazyRunsTriedAtTheirOpeningsFindThePatternsSpans) {
    const char16_t* patterns[] = {
        uR"(\[\^(.*?)\]\:(.*?)\n)",
        uR"(\[\^(.*?)\])",
        uR"(\[\#(.*?)\]\:(.*?)\n)",
        uR"(\[(.*?)\]\[\#(.*?)\])",
    };
    const std::vector<std::string> texts = {
        "[^1]: a\n", "[^a]b]: c\n[^2]:\n", "[^1]: a\r\nb\n", "[^[^1]: x\n", "x [^1] y [^2]", "[a][#b] [c] [#d][e][#f]",
        "[[a][#b]]", "[#a]: b]: c\n", "[^[^[^1]: a\n", "[a] [b][#c\n[d][#e]", "[^1\xe2\x80\xa8]: a\n"};
    const std::vector<std::string> pieces = {"[", "]", "^", "#", ":", "a", "\n", "\r", "\xe2\x80\xa8"};
    std::mt19937 random(77);
    for (int round = 0; round < 2000 + static_cast<int>(texts.size()); ++round) {
        const icu::UnicodeString text =
            round < static_cast<int>(texts.size()) ? u(texts[round]) : randomText(random, pieces, 14);
        for (const char16_t* pattern : patterns)
            expectSameSpansAsPattern(text, pattern, engine::kNoOptions, engine::matchRangesAtOpenings(text, pattern),
                                     "lazy stops");
    }
}

TEST(SameAsPattern, DoubledMarkerSpansAreThePatternsSpans) {
    // Runs of three or more markers, unclosed openers, line ends of every
    // kind, surrogate pairs; the possessive paired pattern is the lazy one.
    const std::vector<std::string> texts = {
        "~~a~~ and ~~b~~", "~~~~", "~~~a~~~", "~~~~~", "~~a~~~b~~", "x ~~ open only", "~~one\ntwo~~ ~~three~~",
        "~~one\rtwo~~ ~~ok~~", "~~a\xe2\x80\xa8" "b~~~~c~~", "~~a\xc2\x85" "b~~ ~~c\x0b" "d~~ ~~e\x0c" "f~~",
        "~~\xf0\x9f\x98\x80~~ ~\xf0\x9f\x98\x80~~x~~", "~\n~~a~~", "~~\n~~\n~~", "", "~"};
    const std::vector<std::string> pieces = {"~", "~", "~", "a", " ", "\n", "\r", "\xe2\x80\xa8", "\xc2\x85", "\x0c"};
    std::mt19937 random(5);
    const FastSearch paired = [](const icu::UnicodeString& t) {
        return engine::findAll(t, engine::pairedSpanPattern(u"~"), kDotAll);
    };
    for (int round = 0; round < 600 + static_cast<int>(texts.size()); ++round) {
        const icu::UnicodeString text =
            round < static_cast<int>(texts.size()) ? u(texts[round]) : randomText(random, pieces, 30);
        expectSameSpansAsPattern(text, u"~~(.*?)~~", engine::kNoOptions,
                                 engine::doubledMarkerSpans(text, u'~', engine::SpanLines::withinLine), "within line");
        expectSameSpansAsPattern(text, u"~~(.*?)~~", kDotAll,
                                 engine::doubledMarkerSpans(text, u'~', engine::SpanLines::mayCross), "may cross");
        expectSameAsPattern(text, u"~~(.*?)~~", kDotAll, paired, "paired pattern");
        expectSameTextAsPattern(
            text, u"~~(.*?)~~", u"<$1>", kDotAll,
            [](icu::UnicodeString& t) { engine::replaceDoubledMarkerSpans(t, u'~', engine::SpanLines::mayCross, u"<", u">"); },
            "replaced spans");
    }
}

TEST(SameAsPattern, NoCandidatesChangeNothingAndBadPatternsAreReported) {
    icu::UnicodeString text(u"unchanged");
    EXPECT_TRUE(engine::replaceAllAt(text, u"u", u"x", engine::atPlannedStarts({}, u"u", 0)).ok());
    EXPECT_EQ(s(text), "unchanged");
    engine::RegexResult result;
    EXPECT_FALSE(engine::findAllAt(text, u"(", engine::atPlannedStarts({{0}, -1}, u"(", 0), 0, &result));
    EXPECT_EQ(result.status, engine::RegexStatus::invalidPattern);
    EXPECT_EQ(engine::replaceAllAt(text, u"(", u"x", engine::atOpenings(u"(", 0)).status,
              engine::RegexStatus::invalidPattern);
    EXPECT_EQ(s(text), "unchanged");
}

TEST(SameAsPattern, ALongLineOfUnclosedBracketsStillFindsTheLinkAfterIt) {
    icu::UnicodeString text;
    for (int i = 0; i < 20000; ++i)
        text.append(u"[x ");
    text.append(u"\n[link](address)\n");
    auto found = engine::findAllAt(text, uR"(\[(.*?)\]\(((.*?))\))", oncePerLine(u"[")(text));
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ(s((*found)[0].text(2)), "address");
}

TEST(SameAsPattern, LineStartsAndLastOccurrences) {
    const icu::UnicodeString text = u("ab\ncd\r\nef\xe2\x80\xa8gh");
    EXPECT_EQ(engine::lineStartAt(text, 0), 0);
    EXPECT_EQ(engine::lineStartAt(text, 4), 3);
    EXPECT_EQ(engine::lineStartAt(text, 7), 7);
    EXPECT_EQ(engine::lineStartAt(text, text.length()), 10);
    EXPECT_EQ(engine::endOfLastOccurrence(text, u"\n"), 7);
    EXPECT_EQ(engine::endOfLastOccurrence(text, u"zz"), -1);
    EXPECT_EQ(engine::occurrencesOf(u"aaaa", u"aa"), (std::vector<int32_t>{0, 1, 2}));
}

TEST(SameAsPattern, EachFilteredLineIsSearchedAsIfItWereTheWholeText) {
    // Anchors, look-behinds and word boundaries at the line's ends see
    // nothing of the lines around it.
    const icu::UnicodeString text = u("a.png\n=\"b.png\" x.png\nlast word.gif");
    const icu::UnicodeString pattern = u"(?<!=\")\\b(\\w+)\\.(png|gif)$|^(\\w)";
    std::vector<engine::Match> perLine;
    int32_t lineStart = 0;
    for (const icu::UnicodeString& line : {u("a.png"), u("=\"b.png\" x.png"), u("last word.gif")}) {
        for (engine::Match match : engine::findAll(line, pattern).value_or(std::vector<engine::Match>{})) {
            for (size_t g = 0; g < match.starts.size(); ++g)
                if (match.starts[g] >= 0) {
                    match.starts[g] += lineStart;
                    match.ends[g] += lineStart;
                }
            perLine.push_back(match);
        }
        lineStart += line.length() + 1;
    }
    auto filtered = engine::findAllInLinesWith(text, pattern, {u"png", u"gif"});
    EXPECT_EQ(described(perLine), described(filtered));
    EXPECT_EQ(filtered ? filtered->size() : 0u, 4u);
}

TEST(OpeningRun, OnlyPatternsWhoseRestTakesNothingBeforeItself) {
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[\\[(.*?)\\]\\]", false));
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[([^\\]\\n]*?)::(.*?)\\]", false));
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[[Bb]\\](.*?)\\[\\/[Bb]\\]", false));
    // Openings of different lengths, none of which can begin inside another.
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[(b|bb)\\](.*?)x", false));
    for (const char16_t* pattern : {u"\\[\\[(.*?)\\1", u"\\[\\[(.*?)(?<=a)\\]", u"\\[\\[(.*?)^", u"(?<!a)\\[(.*?)\\]",
                                    u"\\[+(.*?)\\]", u"(.*?)\\]", u"\\[(.+?)\\]", u"\\[([^\\s]*?)\\]",
                                    u"(xyz|y)(.*?)x", u"a|\\[(.*?)\\]"})
        EXPECT_FALSE(engine::OpeningRun::of(pattern, false)) << s(pattern);
}
