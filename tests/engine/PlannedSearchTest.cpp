// A search planned from the places where matches can start must give what
// the plain ICU search gives, also where lines end in "\r", U+2028 or U+0085,
// where matches overlap their candidates and where look-arounds look past
// the planned region.
#include <random>

#include "TestSupport.h"
#include "engine/CandidateSearch.h"
#include "engine/LineFilteredSearch.h"
#include "engine/PairedSpanPattern.h"
#include "engine/Regex.h"

using testsupport::s;
using testsupport::u;

namespace {

std::vector<std::string> described(const std::vector<engine::Match>& matches) {
    std::vector<std::string> out;
    for (const engine::Match& match : matches) {
        std::string line;
        for (int g = 0; g <= match.groupCount(); ++g)
            line += std::to_string(match.start(g)) + "-" + std::to_string(match.end(g)) + "=" + s(match.text(g)) + "|";
        out.push_back(line);
    }
    return out;
}

// A heading underline: matches start on the line before each "\n=".
engine::SearchPlan linesBeforeUnderlines(const icu::UnicodeString& text) {
    engine::SearchPlan plan;
    for (int32_t at : engine::occurrencesOf(text, u"\n="))
        plan.starts.push_back(engine::lineStartAt(text, at));
    return plan;
}

const char16_t* const kUnderlinedHeading = u"(?m)^(.+?)[ ]*\\n(=+)[ ]*\\n+";

void expectSameAsPlain(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                       const engine::SearchPlan& plan, uint32_t options, const std::string& label) {
    auto plain = engine::findAll(text, pattern, options);
    auto planned = engine::findAllPlanned(text, pattern, plan, options);
    ASSERT_TRUE(plain && planned) << label;
    EXPECT_EQ(described(*plain), described(*planned)) << label;

    icu::UnicodeString replacedPlain(text);
    icu::UnicodeString replacedPlanned(text);
    engine::replaceAll(replacedPlain, pattern, u"<$1|$2>", options);
    engine::replaceAllPlanned(replacedPlanned, pattern, u"<$1|$2>", plan, options);
    EXPECT_EQ(s(replacedPlain), s(replacedPlanned)) << label;
}

}  // namespace

TEST(PlannedSearch, UnderlinedHeadingsMatchAsInAPlainSearch) {
    const char* texts[] = {
        "Title\n=====\n\ntext\n",
        "a\n=\n=\n=\n\n\nb  \n==  \n",
        "\n=\n",
        "x\r\n===\n",
        "x\ry\n===\n",
        "one\xe2\x80\xa8two\n==\n",
        "one\xc2\x85two\n==\nthree\n=",
        "=\n=\n",
        "no underline here\n- dash\n",
    };
    for (const char* text : texts)
        expectSameAsPlain(u(text), kUnderlinedHeading, linesBeforeUnderlines(u(text)), engine::kNoOptions, text);
}

TEST(PlannedSearch, RandomLinesOfMarksAndText) {
    std::mt19937 random(11);
    const char16_t pieces[] = {u'=', u'=', u'\n', u'\n', u' ', u'a', u'\r', u'\u2028', u'-'};
    for (int round = 0; round < 400; ++round) {
        icu::UnicodeString text;
        const int length = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            text.append(pieces[random() % std::size(pieces)]);
        expectSameAsPlain(text, kUnderlinedHeading, linesBeforeUnderlines(text), engine::kNoOptions, s(text));
    }
}

TEST(PlannedSearch, LinesOfMarksAfterUpToThreeSpaces) {
    // A rule line, and headings that start their line: spaces before the
    // mark, marks inside a line, and line ends of every kind.
    std::mt19937 random(3);
    const char16_t pieces[] = {u' ', u' ', u'-', u'-', u'#', u'\n', u'a', u'\r', u'\u2029'};
    for (int round = 0; round < 400; ++round) {
        icu::UnicodeString text;
        const int length = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            text.append(pieces[random() % std::size(pieces)]);
        expectSameAsPlain(text, u"(?m)^[ ]{0,3}([-]{1,})[ -]{0,}$", engine::linesStartingWith(text, u"-", 3),
                          engine::kNoOptions, s(text));
        expectSameAsPlain(text, u"(?m)^[#]{1,1}[ ](.+?)[ ]*\\#*$", engine::linesStartingWith(text, u"#"),
                          engine::kNoOptions, s(text));
    }
}

TEST(PlannedSearch, LimitAtTheLastCloserKeepsEveryPairedMatch) {
    // Runs of three and more, nesting and a last opener without a closer.
    const char* texts[] = {
        "~~a~~ ~~b\n\nc~~ ~~~d~~~~ ~~open",
        "~~~~",
        "~~",
        "x ~~ y",
    };
    for (const char* text : texts) {
        const icu::UnicodeString t = u(text);
        const engine::SearchPlan plan{engine::occurrencesOf(t, u"~~"), engine::endOfLastOccurrence(t, u"~~")};
        expectSameAsPlain(t, u"~~(.*?)~~", plan, engine::kDotMatchesLineSeparators, text);
    }
}

TEST(PairedSpanPattern, SameMatchesAsTheLazySpanOnMarkerSoup) {
    struct Marker {
        const char16_t* escaped;
        const char16_t* lazy;
        char16_t character;
    };
    const Marker markers[] = {{u"\\*", u"\\*\\*(.*?)\\*\\*", u'*'}, {u"-", u"--(.*?)--", u'-'}, {u"~", u"~~(.*?)~~", u'~'}};
    std::mt19937 random(5);
    for (const Marker& marker : markers) {
        const char16_t pieces[] = {marker.character, marker.character, u'a', u'\n', u'\u2028', u'_'};
        for (int round = 0; round < 300; ++round) {
            icu::UnicodeString text;
            const int length = 1 + static_cast<int>(random() % 30);
            for (int i = 0; i < length; ++i)
                text.append(pieces[random() % std::size(pieces)]);
            const icu::UnicodeString doubled = icu::UnicodeString(marker.character) + marker.character;
            auto lazy = engine::findAll(text, marker.lazy, engine::kDotMatchesLineSeparators);
            auto paired = engine::findAllPlanned(text, engine::pairedSpanPattern(marker.escaped),
                                                 engine::pairedLiteralPlan(text, doubled),
                                                 engine::kDotMatchesLineSeparators);
            ASSERT_TRUE(lazy && paired);
            EXPECT_EQ(described(*lazy), described(*paired)) << s(text);
        }
    }
}

TEST(PlannedSearch, LookBehindAndLookAheadSeePastTheCandidate) {
    // The star after a backslash opens nothing; the look-behind must see the
    // backslash before the planned start, the look-ahead the text after the
    // limit.
    const icu::UnicodeString text = u("\\*a* *b*c*\n\nd");
    const icu::UnicodeString pattern = u"\\*(?<!\\\\\\*)([^*]*)\\*(?!\\n\\n)";
    const engine::SearchPlan plan{engine::occurrencesOf(text, u"*"), engine::endOfLastOccurrence(text, u"*")};
    expectSameAsPlain(text, pattern, plan, engine::kNoOptions, "look-arounds");
    auto planned = engine::findAllPlanned(text, pattern, plan);
    ASSERT_TRUE(planned);
    ASSERT_EQ(planned->size(), 1u);
    EXPECT_EQ(s((*planned)[0].text(1)), " ");
}

TEST(PlannedSearch, NoCandidatesChangeNothingAndBadPatternsAreReported) {
    icu::UnicodeString text(u"unchanged");
    EXPECT_TRUE(engine::replaceAllPlanned(text, u"u", u"x", {}).ok());
    EXPECT_EQ(s(text), "unchanged");

    engine::RegexResult result;
    EXPECT_FALSE(engine::findAllPlanned(text, u"(", {{0}, -1}, engine::kNoOptions, &result));
    EXPECT_EQ(result.status, engine::RegexStatus::invalidPattern);
    EXPECT_EQ(engine::replaceAllPlanned(text, u"(", u"x", {{0}, -1}).status, engine::RegexStatus::invalidPattern);
    EXPECT_EQ(s(text), "unchanged");
}

TEST(PlannedSearch, LineStartsAndLastOccurrences) {
    const icu::UnicodeString text = u("ab\ncd\r\nef\xe2\x80\xa8gh");
    EXPECT_EQ(engine::lineStartAt(text, 0), 0);
    EXPECT_EQ(engine::lineStartAt(text, 4), 3);
    EXPECT_EQ(engine::lineStartAt(text, 7), 7);
    EXPECT_EQ(engine::lineStartAt(text, text.length()), 10);
    EXPECT_EQ(engine::endOfLastOccurrence(text, u"\n"), 7);
    EXPECT_EQ(engine::endOfLastOccurrence(text, u"zz"), -1);
    EXPECT_EQ(engine::occurrencesOf(u"aaaa", u"aa"), (std::vector<int32_t>{0, 1, 2}));
}

TEST(LineFilteredSearch, EachLineIsSearchedAsIfItWereTheWholeText) {
    // Anchors, look-behinds and word boundaries at the line's ends see
    // nothing of the lines around it.
    const icu::UnicodeString text = u("a.png\n=\"b.png\" x.png\nlast word.gif");
    const icu::UnicodeString pattern = u"(?<!=\")\\b(\\w+)\\.(png|gif)$|^(\\w)";
    std::vector<engine::Match> perLine;
    int32_t lineStart = 0;
    for (const icu::UnicodeString& line : {u("a.png"), u("=\"b.png\" x.png"), u("last word.gif")}) {
        auto found = engine::findAll(line, pattern);
        ASSERT_TRUE(found);
        for (engine::Match match : *found) {
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
    ASSERT_TRUE(filtered);
    EXPECT_EQ(described(perLine), described(*filtered));
    EXPECT_EQ(filtered->size(), 4u);
}
