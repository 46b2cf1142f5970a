// Range edits and placeholder tables: overlapping edits, shared starts.
#include "TestSupport.h"
#include "engine/Placeholders.h"
#include "engine/RangeEdits.h"
#include "engine/Regex.h"

using testsupport::s;
using testsupport::u;

TEST(RangeEdits, FirstListedWinsOverlapsAndSharedStarts) {
    icu::UnicodeString text(u"abcdefghij");
    engine::applyRangeEdits(text, {{2, 4, u"X"}, {3, 6, u"Y"}, {2, 2, u"Z"}, {8, 9, u"W"}, {0, 1, u"V"}});
    EXPECT_EQ(s(text), "VbXefghWj");
}

TEST(RangeEdits, EditsInTextOrderAndOutsideTheText) {
    icu::UnicodeString text(u"0123456789");
    engine::applyRangeEdits(text, {{0, 0, u"<"}, {1, 3, u""}, {3, 3, u"|"}, {3, 4, u"!"}, {9, 12, u"?"}});
    // A second edit at the same start as one kept is dropped, like an overlap.
    EXPECT_EQ(s(text), "<0|3456789");
    icu::UnicodeString untouched(u"abc");
    engine::applyRangeEdits(untouched, {{-1, 1, u"x"}, {2, 1, u"y"}});
    EXPECT_EQ(s(untouched), "abc");
}

TEST(PlaceholderTable, RestoringLongTextsGivesEveryPieceInPlace) {
    engine::PlaceholderTable table(u"%Piece", u"%");
    icu::UnicodeString text;
    icu::UnicodeString expected;
    for (int i = 0; i < 2000; ++i) {
        icu::UnicodeString saved = u("<code>" + std::string(i % 50 + 1, 'x') + "</code>");
        text.append(u"text ").append(table.add(saved)).append(u" %Piece%\n");
        expected.append(u"text ").append(saved).append(u" %Piece%\n");
    }
    table.restoreInto(text);
    EXPECT_EQ(s(text), s(expected));
}

TEST(Blankness, WhiteSpaceOnlyAndTrimmingWithoutChange) {
    EXPECT_TRUE(engine::isBlank(u""));
    EXPECT_TRUE(engine::isBlank(u" \t\n\u00a0\u2028"));
    EXPECT_FALSE(engine::isBlank(u"\n\n.\n"));
    icu::UnicodeString text(u"no white space at either end");
    EXPECT_EQ(s(engine::trimmed(text)), s(text));
    EXPECT_EQ(s(engine::trimmed(u"  padded \n")), "padded");
}

#if __has_include(<malloc.h>)
#include <malloc.h>
#include "engine/WorkingMemory.h"

TEST(WorkingMemory, LargeTextsComeFromTheHeapAndStayThereWhenFreed) {
    engine::keepFreedMemoryForLargeTexts();
    const size_t mappedBefore = mallinfo2().hblkhd;
    const int32_t length = 20'000'000;  // 40 MB, a 20 MB document's working copy
    {
        icu::UnicodeString big(length, UChar32(u'x'), length);
        ASSERT_EQ(big.length(), length);
        // Not a separate mapping that would be unmapped, and faulted in afresh
        // by the next pass.
        EXPECT_LT(mallinfo2().hblkhd, mappedBefore + 2 * static_cast<size_t>(length));
    }
    EXPECT_GE(mallinfo2().fordblks, 2 * static_cast<size_t>(length));
}
#endif
