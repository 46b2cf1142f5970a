// The engine's fast searches and edits must give exactly what the plain ICU
// search gives; these tests compare them on texts built to hit their edges
// and on the real documents of the corpus.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TestSupport.h"
#include "engine/OpeningSearch.h"
#include "engine/Placeholders.h"
#include "engine/RangeEdits.h"
#include "engine/Regex.h"

using testsupport::s;
using testsupport::u;

namespace {

struct BracketRule {
    const char16_t* opening;
    const char16_t* pattern;
};

// Inline link, image and reference patterns of the Markdown converter.
const BracketRule kBracketRules[] = {
    {u"![", uR"re(!\[(.*?)\]\(((.*?)) "(.*?)"\))re"},
    {u"![", uR"(!\[(.*?)\]\(((.*?))\))"},
    {u"[", uR"re(\[(.*?)\]\(((.*?)) "(.*?)"\))re"},
    {u"[", uR"(\[(.*?)\]\(((.*?))\))"},
    {u"[", uR"(\[(.*)\]\:(.*?)\n([ \t]{0,}["(]{1,1}(.*)[")]{1,1}\n)?)"},
    {u"![", uR"(!\[(.*?)\][ \n]{0,1}\[(.*?)\])"},
    {u"[", uR"(\[(.*?)\][ ]{0,1}\[(.*?)\])"},
    {u"[^", uR"(\[\^(.*?)\]\:(.*?)\n)"},
};

// Matches as comparable strings: ranges and texts of every group.
std::vector<std::string> described(const std::vector<engine::Match>& matches) {
    std::vector<std::string> out;
    for (const engine::Match& match : matches) {
        std::string line;
        for (int g = 0; g <= match.groupCount(); ++g)
            line += std::to_string(match.start(g)) + "-" + std::to_string(match.end(g)) + "=" + s(match.text(g)) + "|";
        out.push_back(line);
    }
    return out;
}

void expectSameMatchesAsPlainSearch(const icu::UnicodeString& text, const std::string& label) {
    for (const BracketRule& rule : kBracketRules) {
        auto plain = engine::findAll(text, rule.pattern);
        auto fast = engine::findAllFromOpenings(text, rule.pattern, rule.opening);
        ASSERT_TRUE(plain && fast) << label;
        EXPECT_EQ(described(*plain), described(*fast)) << label << " pattern " << s(rule.pattern);
    }
}

}  // namespace

TEST(OpeningSearch, SameMatchesOnLinesOfBracketsThatCloseLateOrNever) {
    const char* lines[] = {
        "[a] [b](x) [c][d] ![e](f \"t\") [g]: h\n",
        "[[[[[[[[ no closing here ]]]]]] ( ) [late](one)\n",
        "![alt][ref] and ![other]\n[ref] on the next line\n",
        "[^1]: note\n[^2]:\n[x]:y\n\"title\"\n",
        "[one](a) [two](b \"c\") [three](d) [four\n](e)\n",
        "text \xe2\x80\xa8 [crosses](a line separator\xe2\x80\xa8) [ok](z)\n",
        "[a]\r[b](c)\r\n[d](e)",
        "![",
        "[",
    };
    for (const char* line : lines)
        expectSameMatchesAsPlainSearch(u(line), line);
}

TEST(OpeningSearch, SameMatchesOnRandomBracketSoup) {
    std::mt19937 random(7);
    const char16_t pieces[] = {u'[', u']', u'(', u')', u'!', u'^', u':', u'"', u' ', u'x', u'\n'};
    for (int round = 0; round < 300; ++round) {
        icu::UnicodeString text;
        const int length = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i)
            text.append(pieces[random() % std::size(pieces)]);
        expectSameMatchesAsPlainSearch(text, s(text));
    }
}

TEST(OpeningSearch, SameMatchesOnTheMarkdownCorpus) {
    const std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / "markdown";
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        expectSameMatchesAsPlainSearch(u(bytes.str()), entry.path().filename().string());
        ++files;
    }
    EXPECT_GT(files, 10);
}

TEST(OpeningSearch, LongLineOfUnclosedBracketsStillFindsTheLinkAfterIt) {
    icu::UnicodeString text;
    for (int i = 0; i < 20000; ++i)
        text.append(u"[x ");
    text.append(u"\n[link](address)\n");
    auto found = engine::findAllFromOpenings(text, uR"(\[(.*?)\]\(((.*?))\))", u"[");
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ(s((*found)[0].text(2)), "address");
}

TEST(OpeningSearch, BadPatternIsReportedAsInvalid) {
    engine::RegexResult result;
    EXPECT_FALSE(engine::findAllFromOpenings(u"[a]", u"\\[(", u"[", engine::kNoOptions, &result));
    EXPECT_EQ(result.status, engine::RegexStatus::invalidPattern);
}

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
