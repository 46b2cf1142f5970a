// The block markers replaced in one walk must come out as replacing each
// marker in turn does: neighbouring markers that share a plus sign, a marker
// of a later rule standing left of an earlier one, repeats of one marker.
#include <random>

#include <gtest/gtest.h>

#include "engine/Regex.h"
#include "engine/TestSupport.h"
#include "tessel/MarkerWords.h"

using testsupport::s;
using testsupport::u;

namespace {

const RuleTable kMarkers = {
    RuleRecord::literal(u"quoteStart", u"+quote+", u"<blockquote>"),
    RuleRecord::literal(u"quoteEnd", u"+endquote+", u"</blockquote>"),
    RuleRecord::literal(u"paragraphStart", u"+para+", u"<p>"),
    RuleRecord::literal(u"paragraphEnd", u"+endpara+", u"</p>"),
};

std::string replacedInTurn(const icu::UnicodeString& text) {
    icu::UnicodeString out(text);
    for (const RuleRecord& rule : kMarkers)
        engine::replaceAllLiteral(out, rule.pattern, rule.templateText);
    return s(out);
}

std::string replacedInOneWalk(const icu::UnicodeString& text) {
    std::vector<const RuleRecord*> rules;
    for (const RuleRecord& rule : kMarkers)
        rules.push_back(&rule);
    icu::UnicodeString out(text);
    tessel::replaceMarkerWords(out, rules);
    return s(out);
}

}  // namespace

TEST(TesselMarkerWords, SharedPlusSignsGoToTheEarlierRule) {
    const char* texts[] = {
        "+quote+endquote+", "+endquote+quote+", "+para+para+para+", "+endpara+para+endquote+quote+",
        "a +quote+ b +endquote+", "+quote +quote+ quote+", "++quote++", "+Quote+", "+qu\xc3\xb6te+ +para+",
        "+", "", "+quote", "+endquote+para+endpara+endquote+",
    };
    for (const char* text : texts)
        EXPECT_EQ(replacedInOneWalk(u(text)), replacedInTurn(u(text))) << text;
}

TEST(TesselMarkerWords, RandomRunsOfMarkers) {
    std::mt19937 random(3);
    const char* pieces[] = {"+", "+", "quote", "endquote", "para", "endpara", "x", " ", "\n"};
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 14);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];
        EXPECT_EQ(replacedInOneWalk(u(text)), replacedInTurn(u(text))) << text;
    }
}

TEST(TesselMarkerWords, OnlyPlusWordMarkersWithTagReplacementsQualify) {
    EXPECT_TRUE(tessel::isMarkerWordRule(kMarkers.front()));
    EXPECT_FALSE(tessel::isMarkerWordRule(RuleRecord::literal(u"x", u"+a b+", u"<i>")));
    EXPECT_FALSE(tessel::isMarkerWordRule(RuleRecord::literal(u"x", u"+ab+", u"word")));
    EXPECT_FALSE(tessel::isMarkerWordRule(RuleRecord::literal(u"x", u"+ab+", u"<+>")));
    EXPECT_FALSE(tessel::isMarkerWordRule(RuleRecord::regex(u"x", u"+ab+", u"<i>")));
}
