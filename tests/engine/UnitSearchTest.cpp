// The block-wise search for a few code units finds the first one, wherever
// it stands relative to the blocks of eight and to the range's ends.
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/UnitSearch.h"

namespace {

int32_t firstByLoop(const std::vector<char16_t>& units, int32_t from, int32_t to, char16_t a, char16_t b, char16_t c) {
    for (int32_t at = from; at < to; ++at)
        if (units[at] == a || units[at] == b || units[at] == c)
            return at;
    return to;
}

}  // namespace

TEST(UnitSearch, FindsTheFirstWantedUnitInEveryRange) {
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
