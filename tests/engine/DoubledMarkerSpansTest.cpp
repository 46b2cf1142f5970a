// The walk from doubled marker to doubled marker must find what the regular
// expressions it stands for find: runs of three or more markers, unclosed
// openers, line ends of every kind ICU's "." stops at, surrogate pairs.
#include <random>

#include "TestSupport.h"
#include "engine/DoubledMarkerSpans.h"
#include "engine/PairedSpanPattern.h"
#include "engine/Regex.h"

using testsupport::s;
using testsupport::u;

namespace {

icu::UnicodeString replacedByPattern(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                     uint32_t options) {
    icu::UnicodeString out(text);
    EXPECT_TRUE(engine::replaceAll(out, pattern, u"<$1>", options).ok());
    return out;
}

icu::UnicodeString replacedByWalk(const icu::UnicodeString& text, char16_t marker, engine::SpanLines lines) {
    icu::UnicodeString out(text);
    engine::replaceDoubledMarkerSpans(out, marker, lines, u"<", u">");
    return out;
}

void expectSameAsPatterns(const icu::UnicodeString& text) {
    const icu::UnicodeString lazyWithinLine = uR"(\~\~(.*?)\~\~)";
    EXPECT_EQ(s(replacedByPattern(text, lazyWithinLine, engine::kNoOptions)),
              s(replacedByWalk(text, u'~', engine::SpanLines::withinLine)))
        << s(text);
    EXPECT_EQ(s(replacedByPattern(text, engine::pairedSpanPattern(uR"(\~)"), engine::kDotMatchesLineSeparators)),
              s(replacedByWalk(text, u'~', engine::SpanLines::mayCross)))
        << s(text);
    EXPECT_EQ(s(replacedByPattern(text, lazyWithinLine, engine::kDotMatchesLineSeparators)),
              s(replacedByWalk(text, u'~', engine::SpanLines::mayCross)))
        << s(text);
}

}  // namespace

TEST(DoubledMarkerSpans, TrickySpansMatchAsThePatternsDo) {
    const char* texts[] = {
        "~~a~~ and ~~b~~",
        "~~~~",
        "~~~a~~~",
        "~~~~~",
        "~~a~~~b~~",
        "x ~~ open only",
        "~~one\ntwo~~ ~~three~~",
        "~~one\rtwo~~ ~~ok~~",
        "~~a\xe2\x80\xa8" "b~~~~c~~",
        "~~a\xe2\x80\xa9" "b~~",
        "~~a\xc2\x85" "b~~ ~~c\x0b" "d~~ ~~e\x0c" "f~~",
        "~~\xf0\x9f\x98\x80~~ ~\xf0\x9f\x98\x80~~x~~",
        "~\n~~a~~",
        "~~\n~~\n~~",
        "",
        "~",
    };
    for (const char* text : texts)
        expectSameAsPatterns(u(text));
}

TEST(DoubledMarkerSpans, RandomTextsOfMarkersAndLineEnds) {
    std::mt19937 random(5);
    const char16_t pieces[] = {u'~', u'~', u'~', u'a', u' ', u'\n', u'\r', u'\u2028', u'\u0085', u'\u000c'};
    for (int round = 0; round < 600; ++round) {
        icu::UnicodeString text;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i)
            text.append(pieces[random() % std::size(pieces)]);
        expectSameAsPatterns(text);
    }
}

TEST(DoubledMarkerSpans, SpansReportTheWholeMatch) {
    const auto spans = engine::doubledMarkerSpans(u"a ==n1== b ==\nn2== ==", u'=', engine::SpanLines::mayCross);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].start, 2);
    EXPECT_EQ(spans[0].end, 8);
    EXPECT_EQ(spans[1].start, 11);
    EXPECT_EQ(spans[1].end, 18);
}
