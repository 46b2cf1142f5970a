// The fast searches must find what UnicodeString's own searches (or a plain
// loop, or lower-casing the text) find: also where other units share a byte
// with the one searched for ("[" is 0x5B, as is either byte of U+5B5B), at
// odd offsets, across the blocks of eight and at the text's ends.
#include <random>
#include <vector>

#include "TestSupport.h"
#include "engine/TextSearch.h"

using testsupport::s;
using testsupport::u;

namespace {

void expectSameAsIndexOf(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    for (int32_t from = -1; from <= text.length() + 1; ++from) {
        EXPECT_EQ(engine::findLiteral(text, literal, from), text.indexOf(literal, std::max(from, 0)))
            << testsupport::s(text) << " / " << testsupport::s(literal) << " from " << from;
        EXPECT_EQ(engine::findUnit(text, literal.charAt(0), from), text.indexOf(literal.charAt(0), std::max(from, 0)));
    }
}

int32_t firstByLoop(const std::vector<char16_t>& units, int32_t from, int32_t to, char16_t a, char16_t b, char16_t c) {
    for (int32_t at = from; at < to; ++at)
        if (units[at] == a || units[at] == b || units[at] == c)
            return at;
    return to;
}

}  // namespace

TEST(TextSearch, UnitsSharingBytesWithTheLiteral) {
    const icu::UnicodeString literals[] = {u"[[", u"::", u"http", u"jpg", u"]->", u"\u5B5B", u"a\u015B", u"x"};
    const icu::UnicodeString texts[] = {
        u"", u"[", u"\u5B5B[[", u"\u5B00\u005B\u5B5B\u5B5B[", u"a\u015Ba\u5B61 http jpg ]->",
        u"\u3A3A::\u3A00:", u"htt\u7068http", u"jp\u6A70gjpg", u"[[[[",
    };
    for (const auto& text : texts)
        for (const auto& literal : literals)
            expectSameAsIndexOf(text, literal);
}

TEST(TextSearch, RandomTexts) {
    std::mt19937 random(7);
    const char16_t units[] = {u'[', u'[', u':', u'p', u'g', u'j', u'\u5B5B', u'\u3A00', u'\u6A70', u' '};
    const icu::UnicodeString literals[] = {u"[[", u"::", u"jpg", u"[:p", u"\u6A70g"};
    for (int round = 0; round < 300; ++round) {
        icu::UnicodeString text;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i)
            text.append(units[random() % std::size(units)]);
        expectSameAsIndexOf(text, literals[random() % std::size(literals)]);
    }
}

TEST(TextSearch, FindsTheFirstWantedUnitInEveryRange) {
    // Units above 0x7fff (surrogates, U+2028) compare as well as ASCII.
    const char16_t alphabet[] = {u'a', u'<', u'>', u'\n', u' ', 0xD83D, 0xDE00, 0x2028, 0xFFFF};
    std::mt19937 random(3);
    std::uniform_int_distribution<size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> sparse(0, 30);
    for (int round = 0; round < 400; ++round) {
        std::vector<char16_t> units(static_cast<size_t>(round % 53));
        for (char16_t& unit : units)
            unit = sparse(random) == 0 ? alphabet[pick(random)] : u'x';
        const int32_t length = static_cast<int32_t>(units.size());
        for (int32_t from = 0; from <= length; ++from) {
            for (int32_t to = from; to <= length; to += 3) {
                EXPECT_EQ(engine::firstOfUnits(units.data(), from, to, u'\n', u'<', u'>'),
                          firstByLoop(units, from, to, u'\n', u'<', u'>'));
                EXPECT_EQ(engine::firstOfUnits(units.data(), from, to, 0xDE00, 0x2028, 0xFFFF),
                          firstByLoop(units, from, to, 0xDE00, 0x2028, 0xFFFF));
            }
        }
    }
}

TEST(TextSearch, FindsWhatLowerCasingTheTextFinds) {
    const char* texts[] = {"<LI>item", "<Ol>", "x <DeL>y", "<\xC4\xB0>", "\xE2\x84\xAA<d", "<li\xCC\x87>",
                           "no tag", "<", "<H", "\xC5\xBF<ul>", "<TD><BR />"};
    const char16_t* pieces[] = {u"<li>", u"<ol>", u"<del", u"<d", u"<h", u"<ul>", u"<td><br />", u"<"};
    for (const char* text : texts) {
        for (const char16_t* piece : pieces) {
            icu::UnicodeString lower = u(text);
            lower.toLower();
            EXPECT_EQ(engine::containsIgnoringAsciiCase(u(text), piece), lower.indexOf(piece) >= 0)
                << text << " / " << s(piece);
        }
    }
}

TEST(TextSearch, ReplacesEveryOccurrenceLeftToRightAndStartsWithChecksBounds) {
    icu::UnicodeString text(u"<TABLE><BR /><table><br /><br /><Table><Br />");
    engine::replaceAllIgnoringAsciiCase(text, u"<table><br />", u"<table>");
    EXPECT_EQ(s(text), "<table><table><br /><table>");
    EXPECT_TRUE(engine::startsWithIgnoringAsciiCase(u"a<DL>", 1, u"<dl>"));
    EXPECT_FALSE(engine::startsWithIgnoringAsciiCase(u"a<D", 1, u"<dl>"));
    EXPECT_FALSE(engine::startsWithIgnoringAsciiCase(u"<dl>", -1, u"<dl>"));
    EXPECT_EQ(engine::indexOfIgnoringAsciiCase(u"<p><P>", u"<p>", 1), 3);
}
