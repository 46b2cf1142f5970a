#include <gtest/gtest.h>

#include "engine/ConverterBase.h"
#include "TestSupport.h"

using testsupport::s;
using testsupport::u;

namespace {

std::string applied(const std::string& text, RuleTable table) {
    ConverterBase markup;
    markup.initWithString(u(text), std::move(table));
    markup.simpleTransform();
    return s(markup.str);
}

}  // namespace

TEST(SimpleTransform, EmptyTableLeavesTextAlone) {
    EXPECT_EQ(applied("a *b* (c)", {}), "a *b* (c)");
}

TEST(SimpleTransform, LiteralRuleInterpretsNothing) {
    auto rule = RuleRecord::literal(u"copy", u"(c)", u"$1\\n");
    EXPECT_EQ(applied("(c) and c and (c)", {rule}), "$1\\n and c and $1\\n");
}

TEST(SimpleTransform, DotMatchOnlyWithMultiLineRecords) {
    const std::string text = "**a\nb**";
    EXPECT_EQ(applied(text, {RuleRecord::multiLine(u"bold", uR"(\*\*(.*?)\*\*)", u"<strong>$1</strong>")}),
              "<strong>a\nb</strong>");
    EXPECT_EQ(applied(text, {RuleRecord::regex(u"bold", uR"(\*\*(.*?)\*\*)", u"<strong>$1</strong>")}), text);
}

TEST(SimpleTransform, RegexReplaceWinsWhenBothKindsAreSet) {
    RuleRecord rule = RuleRecord::regex(u"bold", uR"(\*\*(.*?)\*\*)", u"<b>$1</b>");
    rule.regexMultiLineReplace = true;
    EXPECT_EQ(applied("**a\nb**", {rule}), "**a\nb**");
}

TEST(SimpleTransform, TemplateEscapesAndGroups) {
    EXPECT_EQ(applied("x=1", {RuleRecord::regex(u"q", uR"((\w)=(\d))", uR"($1=\"$2\")")}), "x=\"1\"");
    EXPECT_EQ(applied("ab", {RuleRecord::regex(u"dollar", u"(a)(b)", uR"(\$$2$0)")}), "$bab");
    // A "$" not followed by a digit is literal; a group that took no part is empty.
    EXPECT_EQ(applied("a", {RuleRecord::regex(u"opt", u"(a)(z)?", u"[$2|$x]")}), "[|$x]");
    // Group numbers take only as many digits as name a group.
    EXPECT_EQ(applied("ab", {RuleRecord::regex(u"ten", u"(a)(b)", u"$10")}), "a0");
}

TEST(SimpleTransform, ReplacedTextIsNotSearchedAgainBySameRule) {
    EXPECT_EQ(applied("aa", {RuleRecord::regex(u"grow", u"a", u"aa")}), "aaaa");
}

TEST(SimpleTransform, RulesSeeEarlierRulesOutput) {
    EXPECT_EQ(applied("*x*", {RuleRecord::regex(u"em", uR"(\*(.+?)\*)", u"<em>$1</em>"),
                              RuleRecord::regex(u"tag", u"<em>", u"<i>")}),
              "<i>x</em>");
}

TEST(SimpleTransform, BadPatternIsLoggedOnceAndNextRuleStillRuns) {
    testsupport::CapturedLog log;
    EXPECT_EQ(applied("(a)", {RuleRecord::regex(u"broken", u"(a", u"x"), RuleRecord::regex(u"ok", u"a", u"b")}),
              "(b)");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("Error Markup/simpleTransform/performRegex : ", 0), 0u);
}

TEST(SimpleTransform, RunawayPatternTimesOutAndChangesNothing) {
    testsupport::CapturedLog log;
    const std::string text = std::string(40, 'a') + "!";
    EXPECT_EQ(applied(text, {RuleRecord::regex(u"runaway", u"(a+)+b", u"x"), RuleRecord::regex(u"ok", u"!", u"?")}),
              std::string(40, 'a') + "?");
    EXPECT_TRUE(log.contains("rule skipped"));
}

TEST(SimpleTransform, LineAnchorsNeedMultilineFlagInPattern) {
    EXPECT_EQ(applied("a\nb", {RuleRecord::regex(u"start", u"^", u">")}), ">a\nb");
    EXPECT_EQ(applied("a\nb", {RuleRecord::regex(u"start", u"(?m)^", u">")}), ">a\n>b");
}

TEST(VoidTagSuffix, FollowsHtml5Setting) {
    ConverterBase markup;
    markup.setHTML5orXHTML();
    EXPECT_EQ(s(engine::formatted(u"<hr%@", {markup.HTML_close})), "<hr />");
    testsupport::ScopedSettings html5({.useHtml5 = true});
    markup.setHTML5orXHTML();
    EXPECT_EQ(s(engine::formatted(u"<hr%@", {markup.HTML_close})), "<hr>");
}

TEST(MatchOperations, MatchesKeepTheirTextsAfterTheStringChanges) {
    ConverterBase markup;
    markup.initWithString(u"[a] [bc]", {});
    auto matches = markup.matchesForPattern(uR"(\[(\w+)\])");
    ASSERT_TRUE(matches);
    ASSERT_EQ(matches->size(), 2u);
    markup.str.remove();
    EXPECT_EQ(s((*matches)[1].text()), "[bc]");
    EXPECT_EQ(s((*matches)[1].text(1)), "bc");
    EXPECT_EQ((*matches)[1].start(1), 5);
}

TEST(MatchOperations, DotMatchedPatternSpansLines) {
    ConverterBase markup;
    markup.initWithString(u"<a\nb>", {});
    EXPECT_EQ(markup.matchesForPattern(u"<.*>")->size(), 0u);
    EXPECT_EQ(markup.matchesForDotMatchedPattern(u"<.*>")->size(), 1u);
}

TEST(MatchOperations, BadPatternGivesNothingAndLogs) {
    testsupport::CapturedLog log;
    ConverterBase markup;
    markup.initWithString(u"abc", {});
    EXPECT_FALSE(markup.matchesForPattern(u"[a"));
    markup.replaceMatchesWithPattern(u"(", u"x", false);
    EXPECT_EQ(s(markup.str), "abc");
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[1].rfind("Error for Pattern ( - ", 0), 0u);
}

TEST(MatchOperations, ReplaceMatchesHonoursDotMatch) {
    ConverterBase markup;
    markup.initWithString(u"<p>a\nb</p>", {});
    markup.replaceMatchesWithPattern(u"<p>(.*?)</p>", u"[$1]", false);
    EXPECT_EQ(s(markup.str), "<p>a\nb</p>");
    markup.replaceMatchesWithPattern(u"<p>(.*?)</p>", u"[$1]", true);
    EXPECT_EQ(s(markup.str), "[a\nb]");
}

TEST(PatternCache, SamePatternWithOtherOptionsIsCompiledSeparately) {
    const icu::RegexPattern* plain = engine::compiledPattern(u"a.b", engine::kNoOptions);
    const icu::RegexPattern* dotAll = engine::compiledPattern(u"a.b", engine::kDotMatchesLineSeparators);
    EXPECT_NE(plain, dotAll);
    EXPECT_EQ(plain, engine::compiledPattern(u"a.b", engine::kNoOptions));
    icu::UnicodeString text(u"a\nb");
    EXPECT_FALSE(engine::containsMatch(text, u"a.b"));
    EXPECT_TRUE(engine::containsMatch(text, u"a.b", engine::kDotMatchesLineSeparators));
}

// Matches that start inside a kept range stay; the others are replaced.
TEST(ReplaceAllOutside, KeptRangesStay) {
    icu::UnicodeString text(u"x <a x> x </a> x");
    auto result = engine::replaceAllOutside(text, u"x", u"Y", {{2, 14}});
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(s(text), "Y <a x> x </a> Y");
}
