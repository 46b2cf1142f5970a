#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/ConverterBase.h"
#include "engine/TextUtilities.h"
#include "TestSupport.h"

using testsupport::s;
using testsupport::u;

TEST(HtmlEntities, AmpersandFirstThenTable) {
    EXPECT_EQ(s(ConverterBase::htmlentities(u("Größe & \"<x>\" isn't &amp;"))),
              "Gr&ouml;&szlig;e &amp; &quot;&lt;x&gt;&quot; isn't &amp;amp;");
    EXPECT_EQ(s(ConverterBase::htmlentities(u("ÄÖÜäöü"))), "&Auml;&Ouml;&Uuml;&auml;&ouml;&uuml;");
    // Only the precomposed letters have entities; characters beside them stay.
    EXPECT_EQ(s(ConverterBase::htmlentities(u("a\xcc\x88\xc3\x83\xf0\x9f\x98\x80&\xc3\xa4"))),
              "a\xcc\x88\xc3\x83\xf0\x9f\x98\x80&amp;&auml;");
}

TEST(Trimming, WholeRunsOfWhiteSpaceAtOneEnd) {
    EXPECT_EQ(s(ConverterBase::rtrim_Vant(u(" a b \t\n \n"))), " a b");
    EXPECT_EQ(s(ConverterBase::ltrim_Vant(u("\n\t a b "))), "a b ");
    EXPECT_EQ(s(ConverterBase::ltrim_Vant(u("a "))), "a ");
    EXPECT_EQ(s(ConverterBase::rtrim_Vant(u(""))), "");
}

// The trims walk the text; the regular expressions they stand for decide.
TEST(Trimming, SameAsTheWhiteSpaceRules) {
    std::mt19937 random(19);
    // Every White_Space character, line ends of every kind, a zero-width
    // space (not white space) and a surrogate pair.
    const std::u16string pieces = u" \t\n\v\f\r\u0085\u00A0\u1680\u2000\u200A\u2028\u2029\u202F\u205F\u3000\u200Bx\xD83D\xDE00";
    for (int round = 0; round < 2000; ++round) {
        icu::UnicodeString text;
        for (int i = static_cast<int>(random() % 8); i > 0; --i)
            text.append(pieces[random() % pieces.size()]);
        icu::UnicodeString right(text);
        engine::replaceAll(right, u"\\s+$", u"");
        icu::UnicodeString left(text);
        engine::replaceAll(left, u"^\\s*", u"");
        EXPECT_EQ(s(right), s(ConverterBase::rtrim_Vant(text))) << round;
        EXPECT_EQ(s(left), s(ConverterBase::ltrim_Vant(text))) << round;
    }
}

// The trim read in place keeps what the copying trim keeps, and copies
// nothing.
TEST(Trimming, InPlaceKeepsWhatTheCopyKeeps) {
    for (const char* text : {"", " ", "a", "\n\n a b \t\n", "\xE3\x80\x80x\xC2\xA0", "\xE2\x80\x8Bx"}) {
        const icu::UnicodeString original = u(text);
        const icu::UnicodeString inPlace = engine::trimmedInPlace(original);
        EXPECT_EQ(s(inPlace), s(engine::trimmed(original))) << text;
        if (!inPlace.isEmpty()) {
            EXPECT_TRUE(inPlace.getBuffer() >= original.getBuffer() &&
                        inPlace.getBuffer() + inPlace.length() <= original.getBuffer() + original.length())
                << text;
        }
    }
}

TEST(CountAtStart, RunsOfTheMarker) {
    EXPECT_EQ(ConverterBase::countAtStartOfString(u"#", u"##x"), 2u);
    EXPECT_EQ(ConverterBase::countAtStartOfString(u"#", u"###Title"), 3u);
    EXPECT_EQ(ConverterBase::countAtStartOfString(u"#", u"x#"), 0u);
    // Only markers: one more than there are, as the piece count gives.
    EXPECT_EQ(ConverterBase::countAtStartOfString(u"#", u"##"), 3u);
    EXPECT_EQ(ConverterBase::countAtStartOfString(u"#", u""), 1u);
    EXPECT_EQ(ConverterBase::countAtStartOfString(u"> ", u"> > q"), 2u);
}

TEST(SplitAndJoin, KeepEmptyPieces) {
    auto pieces = engine::split(u"a\n\nb\n", u"\n");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(s(pieces[1]), "");
    EXPECT_EQ(s(engine::join(pieces, u"\n")), "a\n\nb\n");
}

TEST(Formatted, FillsInOrderAndKeepsSurplusMarkers) {
    EXPECT_EQ(s(engine::formatted(u"<br%@ %@ %@", {u" />", u"x"})), "<br /> x %@");
}

TEST(Utf8, RoundTripBeyondTheBasicPlane) {
    const std::string text = "ä 😀 中";
    EXPECT_EQ(s(u(text)), text);
    EXPECT_EQ(u(text).length(), 6);
}

// A value goes between double quotes: nothing in it may end the attribute or
// open a tag, and references the author wrote stay references.
TEST(Escaping, AttributeValues) {
    EXPECT_EQ(s(engine::escapedAttributeValue(u"a\"b<c>d&e")), "a&quot;b&lt;c&gt;d&amp;e");
    EXPECT_EQ(s(engine::escapedAttributeValue(u"x?a=1&amp;b=&#38;&#x26;")), "x?a=1&amp;b=&#38;&#x26;");
    EXPECT_EQ(s(engine::escapedAttributeValue(u"AT&T & more")), "AT&amp;T &amp; more");
    EXPECT_EQ(s(engine::escapedHTML(u"<b>&amp;</b>")), "&lt;b&gt;&amp;amp;&lt;/b&gt;");
    EXPECT_EQ(s(engine::escapedHTML(u"plain")), "plain");
    EXPECT_EQ(s(engine::escapedHTML(u"&x>")), "&amp;x&gt;");
}

TEST(Regions, OpenAfterALine) {
    EXPECT_TRUE(engine::regionOpenAfter(u"a <pre>b", false, {u"<pre>"}, {u"</pre>"}));
    EXPECT_FALSE(engine::regionOpenAfter(u"<pre>b</pre> c", false, {u"<pre>"}, {u"</pre>"}));
    EXPECT_TRUE(engine::regionOpenAfter(u"text", true, {u"<pre>"}, {u"</pre>"}));
    EXPECT_TRUE(engine::regionOpenAfter(u"</pre> <pre>", true, {u"<pre>"}, {u"</pre>"}));
}

TEST(ContainsAny, PiecesAnywhereIncludingTheEndAndBeyondAscii) {
    EXPECT_TRUE(engine::containsAny(u"text </p>", {u"<h", u"</p>"}));
    EXPECT_FALSE(engine::containsAny(u"text </p", {u"<h", u"</p>"}));  // cut off at the end
    EXPECT_TRUE(engine::containsAny(u"<<h", {u"<h"}));                  // a false start just before
    EXPECT_TRUE(engine::containsAny(u"a \u2028 \u00e9t\u00e9", {u"x", u"\u00e9t"}));
    EXPECT_FALSE(engine::containsAny(u"anything", {u""}));  // as indexOf: an empty piece is nowhere
    EXPECT_FALSE(engine::containsAny(u"", {u"a"}));
    EXPECT_TRUE(engine::containsAny(u"tab\t \n", {u"  \n", u"\t \n"}));
}
