#include <gtest/gtest.h>

#include "engine/Markup_ObjC.h"
#include "TestSupport.h"

using testsupport::s;
using testsupport::u;

namespace {

// The protected-block pass as BBCode and Tessel use it, with a rule between.
std::string protectedAndRewritten(const std::string& text, RuleTable rules) {
    Markup_ObjC markup;
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
    Markup_ObjC markup;
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
