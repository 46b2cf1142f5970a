// The memchr-based search must find what UnicodeString::indexOf finds, also
// where other units share a byte with the one searched for ("[" is 0x5B,
// as is either byte of U+5B5B), at odd byte offsets and at the text's ends.
#include <random>

#include "TestSupport.h"
#include "engine/LiteralSearch.h"

namespace {

void expectSameAsIndexOf(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    for (int32_t from = -1; from <= text.length() + 1; ++from) {
        EXPECT_EQ(engine::findLiteral(text, literal, from), text.indexOf(literal, std::max(from, 0)))
            << testsupport::s(text) << " / " << testsupport::s(literal) << " from " << from;
        EXPECT_EQ(engine::findUnit(text, literal.charAt(0), from), text.indexOf(literal.charAt(0), std::max(from, 0)));
    }
}

}  // namespace

TEST(LiteralSearch, UnitsSharingBytesWithTheLiteral) {
    const icu::UnicodeString literals[] = {u"[[", u"::", u"http", u"jpg", u"]->", u"\u5B5B", u"a\u015B", u"x"};
    const icu::UnicodeString texts[] = {
        u"", u"[", u"\u5B5B[[", u"\u5B00\u005B\u5B5B\u5B5B[", u"a\u015Ba\u5B61 http jpg ]->",
        u"\u3A3A::\u3A00:", u"htt\u7068http", u"jp\u6A70gjpg", u"[[[[",
    };
    for (const auto& text : texts)
        for (const auto& literal : literals)
            expectSameAsIndexOf(text, literal);
}

TEST(LiteralSearch, RandomTexts) {
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
