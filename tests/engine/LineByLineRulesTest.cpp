// The openings read from a pattern decide which lines a rule runs on, so a
// wrong reading loses matches; the case-blind searches stand in for
// lower-casing a whole line and must find what it finds.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "engine/LineByLineRules.h"
#include "engine/PatternOpenings.h"

using testsupport::s;
using testsupport::u;

namespace {

std::vector<std::string> openings(const char16_t* pattern) {
    std::vector<std::string> out;
    for (const icu::UnicodeString& opening : engine::literalOpenings(pattern))
        out.push_back(s(opening));
    return out;
}

using Openings = std::vector<std::string>;

}  // namespace

TEST(LiteralOpenings, ReadTagPatternsUpToTheirFirstVariablePiece) {
    EXPECT_EQ(openings(uR"(\[url\=(.*?)\](.*?)\[\/url\])"), Openings{"[url="});
    EXPECT_EQ(openings(uR"(\[[Bb]\](.*?)\[\/[Bb]\])"), (Openings{"[B]", "[b]"}));
    EXPECT_EQ(openings(uR"(\[(sup|sub)\](.*?))"), (Openings{"[sup]", "[sub]"}));
    EXPECT_EQ(openings(uR"(\[img width\=([0-9]{1,}) height)"), Openings{"[img width="});
    // A piece under a quantifier ends the reading; short ranges are read.
    EXPECT_EQ(openings(uR"(\[[Hh]([1-6]{1,1})\])"), (Openings{"[H", "[h"}));
    EXPECT_EQ(openings(uR"(\[[Hh]([1-3])\])").size(), 6u);
    EXPECT_EQ(openings(uR"(\[[Hh]([1-3])\])").back(), "[h3]");
    EXPECT_EQ(openings(uR"(ab?c)"), Openings{"a"});
    EXPECT_EQ(openings(uR"(\[x*y)"), Openings{"["});
    // A piece that must stand counts as often as it must, then the reading ends.
    EXPECT_EQ(openings(uR"(\[x{2}y)"), Openings{"[xx"});
    EXPECT_EQ(openings(uR"((?m)^[=]{3,3}(.*?)[=]{3,3}$)"), Openings{"==="});
    EXPECT_EQ(openings(uR"((?<![|\-])\-{4,})"), Openings{"----"});
    EXPECT_EQ(openings(uR"((?<=<(?:b|i))>\(x)"), Openings{">(x"});
}

TEST(LiteralOpenings, PassOverWhatTakesNoText) {
    EXPECT_EQ(openings(uR"((?m)^x)"), Openings{"x"});
    EXPECT_EQ(openings(uR"((?<!a)b)"), Openings{"b"});
    EXPECT_EQ(openings(u"(?m)^\nh1\\.[ ]{1,}(.*?)\n\n"), Openings{"\nh1. "});
}

TEST(LiteralOpenings, PatternsThatMayBeginAnywhereReadAsEmpty) {
    // A choice between whole patterns says nothing about where a match begins.
    EXPECT_EQ(openings(uR"(\[a\]|\[b\])"), Openings{""});
    // Escapes that stand for classes, flags, look-arounds and anchors.
    EXPECT_EQ(openings(uR"(\sfoo)"), Openings{""});
    EXPECT_EQ(openings(uR"((?i)abc)"), Openings{""});
    EXPECT_EQ(openings(uR"((?=a)b)"), Openings{""});
    EXPECT_EQ(openings(uR"(.*x)"), Openings{""});
    // A "|" inside a class is no top-level choice; the class ends the reading.
    EXPECT_EQ(openings(uR"(\[q[|]x)"), Openings{"[q"});
}

TEST(LiteralOpenings, ManyAlternativesStopTheReadingInsteadOfGrowingWithoutBound) {
    const auto read = openings(uR"([ab][cd][ef][gh][ij][kl][mn]z)");
    EXPECT_EQ(read.size(), 64u);
    EXPECT_EQ(read.front(), "acegik");
}

TEST(LineByLineRules, RefusesATableWithADotAllRule) {
    icu::UnicodeString text(u"[b]a\nb[/b]");
    RuleTable rules{RuleRecord::multiLine(u"m", uR"(\[b\](.*?)\[/b\])", u"<b>$1</b>")};
    EXPECT_FALSE(engine::applyRulesLineByLine(text, rules));
    EXPECT_EQ(s(text), "[b]a\nb[/b]");
}

TEST(LineByLineRules, KeepsLineEndsAndRunsEachRuleOnTheLinesItOpensOn) {
    RuleTable rules{
        RuleRecord::regex(u"b", uR"(\[b\](.*?)\[/b\])", u"<b>$1</b>"),
        RuleRecord::literal(u"hr", u"[hr]", u"<hr>"),
        // Runs on every line: its pattern may begin anywhere.
        RuleRecord::regex(u"digits", uR"(\d+)", u"#"),
    };
    icu::UnicodeString text(u"[b]one[/b] [hr]\n\n[b]open\nclose[/b]\r\nplain 42\n[hr][b][/b]");
    ASSERT_TRUE(engine::applyRulesLineByLine(text, rules));
    EXPECT_EQ(s(text), "<b>one</b> <hr>\n\n[b]open\nclose[/b]\r\nplain #\n<hr><b></b>");
}

TEST(LineByLineRules, ABrokenPatternIsLoggedAndChangesNothing) {
    testsupport::CapturedLog log;
    RuleTable rules{RuleRecord::regex(u"bad", uR"(\[b\]((.*?)\[/b\])", u"x"),
                    RuleRecord::literal(u"hr", u"[hr]", u"<hr>")};
    icu::UnicodeString text(u"[b]a[/b]\n[b]c[/b][hr]");
    ASSERT_TRUE(engine::applyRulesLineByLine(text, rules));
    EXPECT_EQ(s(text), "[b]a[/b]\n[b]c[/b]<hr>");
    EXPECT_TRUE(log.contains("Error Markup/simpleTransform/performRegex"));
}
