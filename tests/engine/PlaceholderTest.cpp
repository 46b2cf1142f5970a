#include <gtest/gtest.h>

#include "engine/ConverterBase.h"
#include "TestSupport.h"

using testsupport::s;
using testsupport::u;

namespace {

// The protected-block pass as BBCode and Tessel use it, with a rule between.
std::string protectedAndRewritten(const std::string& text, RuleTable rules) {
    ConverterBase markup;
    markup.initWithString(u(text), std::move(rules));
    markup.saveHTMLBlocksWithStart(uR"(\+html\+)", uR"(\+endhtml\+)", u"+html+", u"+endhtml+");
    markup.simpleTransform();
    markup.returnSavedHTMLBlocks();
    return s(markup.str);
}

const RuleTable kBoldRule = {RuleRecord::regex(u"bold", uR"(\*(.+?)\*)", u"<b>$1</b>")};

}  // namespace

TEST(ReplaceFirstOccurency, OnlyTheFirst) {
    icu::UnicodeString text(u"ab ab");
    EXPECT_TRUE(engine::replaceFirstOccurencyOfString(text, u"ab", u"X"));
    EXPECT_EQ(s(text), "X ab");
    EXPECT_FALSE(engine::replaceFirstOccurencyOfString(text, u"zz", u"Y"));
    EXPECT_EQ(s(text), "X ab");
    EXPECT_FALSE(engine::replaceFirstOccurencyOfString(text, u"", u"Y"));
}

TEST(SavedHtmlBlocks, ProtectedFromRulesAndDelimitersRemoved) {
    EXPECT_EQ(protectedAndRewritten("*a* +html+<i>*raw*</i>+endhtml+ *b*", kBoldRule),
              "<b>a</b> <i>*raw*</i> <b>b</b>");
}

TEST(SavedHtmlBlocks, TokensAreNumberedFromOneWhileRulesRun) {
    ConverterBase markup;
    markup.initWithString(u"+html+1+endhtml+ x +html+2\nline+endhtml+", {});
    markup.saveHTMLBlocksWithStart(uR"(\+html\+)", uR"(\+endhtml\+)", u"+html+", u"+endhtml+");
    EXPECT_EQ(s(markup.str), "%%SavedHTMLBlock(1)%% x %%SavedHTMLBlock(2)%%");
    EXPECT_EQ(s(*markup.htmlBlocksEscaped.savedText(2)), "2\nline");
    markup.returnSavedHTMLBlocks();
    EXPECT_EQ(s(markup.str), "1 x 2\nline");
}

TEST(SavedHtmlBlocks, OnlyFirstStartMarkerAndLastEndMarkerAreRemoved) {
    EXPECT_EQ(protectedAndRewritten("+html+a+html+b+endhtml+", {}), "a+html+b");
}

TEST(SavedHtmlBlocks, UnclosedBlockStaysAndIsRewritten) {
    EXPECT_EQ(protectedAndRewritten("+html+ *a*", kBoldRule), "+html+ <b>a</b>");
}

TEST(SavedHtmlBlocks, IdenticalBlocksBothComeBack) {
    EXPECT_EQ(protectedAndRewritten("+html+<hr>+endhtml+ *x* +html+<hr>+endhtml+", kBoldRule),
              "<hr> <b>x</b> <hr>");
}

TEST(SavedHtmlBlocks, BlockWhoseTextEndsAnEarlierBlock) {
    // The second block's text also closes the first one: taken in text order,
    // each block is cut at its own place and both come back.
    EXPECT_EQ(protectedAndRewritten("+html+A +html+B+endhtml+ *m* +html+B+endhtml+", kBoldRule),
              "A +html+B <b>m</b> B");
}

TEST(SavedHtmlBlocks, TokenCopiedByARuleIsRestoredEverywhere) {
    RuleTable copyRule = {RuleRecord::regex(u"link", uR"(\[(%%SavedHTMLBlock\(\d+\)%%)\])", u"<a href=\"$1\">$1</a>")};
    EXPECT_EQ(protectedAndRewritten("[+html+x&y+endhtml+]", copyRule), "<a href=\"x&y\">x&y</a>");
}

TEST(PlaceholderTable, NestedTokensAreRestoredAtEveryDepth) {
    engine::PlaceholderTable table(u"%Saved", u"%");
    icu::UnicodeString inner = table.add(u"code");
    icu::UnicodeString middle = table.add(u"<a>" + inner + u"</a>");
    icu::UnicodeString outer = table.add(u"[" + middle + u"]");
    icu::UnicodeString text = u"x " + outer + u" " + inner;
    table.restoreInto(text);
    EXPECT_EQ(s(text), "x [<a>code</a>] code");
}

// A saved text that quotes its own token twice (a writer typed it) would
// double at every level; the text stops growing instead.
TEST(PlaceholderTable, ASavedTextQuotingItsOwnTokenDoesNotExplode) {
    engine::PlaceholderTable table(u"%Saved", u"%");
    icu::UnicodeString text = table.add(u"%Saved0% %Saved0%");
    table.restoreInto(text);
    EXPECT_LE(text.length(), 4 << 20);
    EXPECT_TRUE(text.startsWith(u"%Saved0% %Saved0%"));
}

// One saved address comes back at every use of its reference.
TEST(PlaceholderTable, ATokenUsedManyTimesComesBackEverywhere) {
    engine::PlaceholderTable table(u"%Saved", u"%");
    const icu::UnicodeString token = table.add(u"https://example.org/a/long/address/longer/than/its/token");
    icu::UnicodeString text;
    for (int i = 0; i < 200; ++i)
        text += token;
    table.restoreInto(text);
    EXPECT_EQ(text.indexOf(u"%Saved"), -1);
}

TEST(PlaceholderTable, ShorterTokenIsNotPrefixOfLonger) {
    engine::PlaceholderTable table(u"%%SavedHTMLBlock(", u")%%");
    for (int i = 1; i <= 12; ++i)
        table.set(i, u(std::to_string(i * 100)));
    icu::UnicodeString text = table.tokenFor(1) + u"|" + table.tokenFor(12) + u"|%%SavedHTMLBlock(99)%%";
    table.restoreInto(text);
    EXPECT_EQ(s(text), "100|1200|%%SavedHTMLBlock(99)%%");
}

TEST(PlaceholderTable, SelfReferenceDoesNotLoopForever) {
    engine::PlaceholderTable table(u"@", u"@");
    icu::UnicodeString token = table.add(u"");
    table.set(0, u"x" + token);
    icu::UnicodeString text = token;
    table.restoreInto(text);
    EXPECT_TRUE(text.startsWith(u"xxxx"));
}

TEST(PlaceholderTable, LookupByToken) {
    engine::PlaceholderTable table(u"§§", u"§§");
    icu::UnicodeString token = table.set(7, u"seven");
    EXPECT_EQ(s(*table.savedTextForToken(token)), "seven");
    EXPECT_FALSE(table.savedTextForToken(u"§§007§§"));
    EXPECT_FALSE(table.savedTextForToken(u"§§8§§"));
}

namespace {

// Restoring as plain repeated passes over the whole text: each pass takes
// every token it meets left to right, until a pass takes none.
icu::UnicodeString restoredByWholePasses(const engine::PlaceholderTable& table, icu::UnicodeString text,
                                         const icu::UnicodeString& prefix) {
    for (int depth = 0; depth < 64; ++depth) {
        icu::UnicodeString out;
        bool any = false;
        int32_t copied = 0;
        for (int32_t at = text.indexOf(prefix); at >= 0; at = text.indexOf(prefix, at + 1)) {
            for (int32_t end = at + prefix.length() + 1; end <= text.length() && end <= at + 40; ++end) {
                std::optional<icu::UnicodeString> saved = table.savedTextForToken(text.tempSubString(at, end - at));
                if (!saved)
                    continue;
                out.append(text, copied, at - copied).append(*saved);
                copied = end;
                at = end - 1;
                any = true;
                break;
            }
        }
        if (!any)
            break;
        text = out.append(text, copied, text.length() - copied);
    }
    return text;
}

}  // namespace

TEST(PlaceholderTable, RestoringMatchesWholePassesWhereTokensMeetAndNest) {
    engine::PlaceholderTable table(u"%Saved", u"%");
    table.set(0, u"");
    table.set(1, u"%Saved");
    table.set(2, u"2%");
    table.set(3, u"<%Saved1%0%>");
    table.set(12, u"twelve %Saved3%");
    table.set(7, u"%Saved1");
    // Tokens that share a "%", tokens made only once a neighbour is restored
    // (also across an empty restored text), leading zeros, and numbers that
    // are not held or too long.
    const std::vector<std::string> cases = {
        "%Saved1%2%", "%Saved0%%Saved1%Saved2%", "%Saved7%2%", "%Saved7%%Saved0%2%", "%Saved1%%Saved0%12%",
        "a%Saved3%b%Saved12%c", "%Saved007% %Saved01% %Saved9%", "%Saved1234567890123456789%",
        "%Saved", "%Saved12", "%%Saved12%%", "%Saved7%%Saved0%%Saved0%0%",
    };
    for (const std::string& text : cases) {
        icu::UnicodeString restored = u(text);
        table.restoreInto(restored);
        EXPECT_EQ(s(restored), s(restoredByWholePasses(table, u(text), u"%Saved"))) << text;
    }
    // Random texts from the same pieces.
    // U+2525 and U+0125 share their low byte with "%".
    const std::vector<std::string> pieces = {"%Saved", "1", "2", "0", "3", "7", "12", "%", "\u2525", "\u0125",
                                             "%Saved1%", "%Saved0%"};
    uint32_t seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = 0; i < 8; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += pieces[(seed >> 16) % pieces.size()];
        }
        icu::UnicodeString restored = u(text);
        table.restoreInto(restored);
        ASSERT_EQ(s(restored), s(restoredByWholePasses(table, u(text), u"%Saved"))) << text;
    }
}
