// Whole conversions at the places where the fast passes must read the text
// exactly as their patterns do, at line ends other than "\n" (the plain cases
// are in tests/examples/tessel.txt), and the described-image walk against
// its pattern.
#include <gtest/gtest.h>

#include <random>

#include "TesselTestSupport.h"
#include "engine/Regex.h"
#include "tessel/DescribedImages.h"

using tesseltest::convert;
using testsupport::u;

TEST(TesselScannedPasses, DoubledMarkersStopAtOtherLineEnds) {
    EXPECT_EQ(convert("**bold\nover lines** and ~~sub\xc2" "\x85" "not~~ ~~sub~~"),
              "<p><strong>bold<br />\nover lines</strong> and ~~sub\xc2" "\x85" "not<sub> </sub>sub~~</p>");
    EXPECT_EQ(convert("^^up\xe2" "\x80" "\xa8" "no^^ ??mark?? ??open"),
              "<p>^^up\xe2" "\x80" "\xa8" "no^^ <mark>mark</mark> ??open</p>");
}

TEST(TesselScannedPasses, ListBlocksStartAfterOtherLineEnds) {
    EXPECT_EQ(convert("x\xe2" "\x80" "\xa8" "* item\x0c" "\n* next\n\nlast"),
              "x\xe2" "\x80" "\xa8" "<ul>\n\t<li>item</li>\n<li>next</li>\n</ul>\n\n\n<p>last</p>");
}

// The described-image walk stops a line at its first failed try; the pattern
// it stands for retries everywhere, and both must find the same ranges.
TEST(TesselScannedPasses, DescribedImagesAsThePatternFindsThem) {
    std::mt19937 random(11);
    const char* pieces[] = {"(", ")", ")[", "[", "]", "a", "12", ")%%", "\n", "\r", "\xe2\x80\xa8", " "};
    for (int round = 0; round < 600; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 16);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];
        std::vector<std::pair<int32_t, int32_t>> walked, matched;
        for (const engine::TextRange& range : tessel::describedImages(u(text)))
            walked.emplace_back(range.start, range.end);
        const auto matches = engine::findAll(u(text), uR"(\((?![0-9]+\)%%).*?\)\[(.*?)\])");
        ASSERT_TRUE(matches) << text;
        for (const engine::Match& match : *matches)
            matched.emplace_back(match.start(), match.end());
        EXPECT_EQ(walked, matched) << text;
    }
}
