// Searching only at a pattern's openings must find exactly what the plain
// ICU search finds: checked on the real documents of the corpus with the
// converters' own kinds of pattern (line-start blocks, look-behinds, tags),
// and on texts built to hit the edges of line starts.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TestSupport.h"
#include "engine/CandidateSearch.h"
#include "engine/LineFilteredSearch.h"
#include "engine/OpeningAnchoredSearch.h"
#include "engine/PatternOpenings.h"

using testsupport::s;
using testsupport::u;

namespace {

struct Case {
    const char16_t* pattern;
    uint32_t options;
};

const Case kCases[] = {
    {u"(?m)^\nh1\\.[ ]{1,}(.*?)\n\n", engine::kDotMatchesLineSeparators},
    {u"(?m)^\np\\.[ ]{1,}(.*?)\n\n", engine::kDotMatchesLineSeparators},
    {u"(?m)^fn([0-9]{1,})\\.[ ]{1,}(.*?)\n\n", engine::kDotMatchesLineSeparators},
    {u"(?m)^p[\\=\\<\\>\\[\\(\\)\\{]{1,1}(.*?)\\.[ ]{1,1}", engine::kNoOptions},
    {u"(?m)^;", engine::kNoOptions},
    {u"(?<![\\w@])@([^\\s@](?:[^@\n]*?[^\\s@])?)@(?![\\w@])", engine::kNoOptions},
    {u"<!--.*?-->", engine::kDotMatchesLineSeparators},
    {u"<ref(\\s[^<>\n]*)?(?<!/)>((?:(?!<ref[\\s>/]).)*?)</ref>", engine::kNoOptions},
    {u"\\{\\|(.*?)\\|\\}\n", engine::kDotMatchesLineSeparators},
    {u"\\[\\[([^\\]]*)\\]\\]", engine::kNoOptions},
    {u"(?<![|\\-])\\-{4,}", engine::kNoOptions},
    {u"(?m)^[=]{2,2}(.*?)[=]{2,2}$", engine::kNoOptions},
    {u"(?m)^\n(?:bc|pre)\\.[ ]+(.*?)(?=\n\n)", engine::kDotMatchesLineSeparators},
};

std::vector<std::string> described(const std::optional<std::vector<engine::Match>>& matches) {
    std::vector<std::string> out;
    if (!matches)
        return {"failed"};
    for (const engine::Match& match : *matches)
        for (int g = 0; g <= match.groupCount(); ++g)
            out.push_back(std::to_string(match.start(g)) + ":" + std::to_string(match.end(g)) + ":" + s(match.text(g)));
    return out;
}

void expectSameAsPlainSearch(const icu::UnicodeString& text, const std::string& label) {
    for (const Case& c : kCases) {
        EXPECT_EQ(described(engine::findAllAtOpenings(text, c.pattern, c.options)),
                  described(engine::findAll(text, c.pattern, c.options)))
            << label << " / " << s(c.pattern);
        icu::UnicodeString replaced(text);
        icu::UnicodeString expected(text);
        engine::replaceAllAtOpenings(replaced, c.pattern, u"<$1>", c.options);
        engine::replaceAll(expected, c.pattern, u"<$1>", c.options);
        EXPECT_EQ(s(replaced), s(expected)) << label << " / " << s(c.pattern);
    }
}

}  // namespace

TEST(OpeningAnchoredSearch, FindsWhatThePlainSearchFindsAtLineStartEdges) {
    const char* texts[] = {
        "\nh1. Title\n\np. para\n\nxp. not\n\n",  "h1. at start\n\n\n\nh1. after blank\n\n",
        "a\r\n\r\np. crlf\n\n",                   "fn1. note\n\nfn2. second\n\nfn3. no end",
        "p(c). x\n p(d). indented\np{x}. y",     "; term\n;x\n ;no\n",
        "mail a@b.c and @code@ and x@y@z",        "<!-- a\n--> <!-- open",
        "<ref>a</ref><ref name=x/><ref b>c</ref>", "{| a\n|}\n{| open\n",
        "[[a]] [[b [[c]]",                         "---- |----- -----\n==h==\n=== no ===\n",
        "\nbc. code\n\n\npre. x\n\n",             "",
    };
    for (const char* text : texts)
        expectSameAsPlainSearch(u(text), text);
}

TEST(OpeningAnchoredSearch, FindsWhatThePlainSearchFindsOnTheCorpus) {
    int documents = 0;
    for (const char* language : {"textile", "wikitext"}) {
        const std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / language;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream content;
            content << file.rdbuf();
            expectSameAsPlainSearch(u("\n" + content.str() + "\n\n"), entry.path().filename().string());
            ++documents;
        }
    }
    EXPECT_GT(documents, 0);
}

// A failed try rules out the later openings within its run, and no try starts
// after the last closing; lines made of openings, runs that close, stops of
// the run's class and line ends test where the skipping must stop.
TEST(OpeningAnchoredSearch, SkippingAfterAFailedTryFindsWhatThePlainSearchFinds) {
    const Case runCases[] = {
        {u"\\[\\[(.*?)\\]\\]", engine::kNoOptions},
        {u"\\[(.*?)\\]", engine::kNoOptions},
        {u"\\[\\[(.*)::", engine::kNoOptions},
        {u"\\[\\[([^\\]\\n]*?)::(.*?)\\]\\]", engine::kNoOptions},
        {u"\\[([^\\]\\n]*?)::(.*?)\\]", engine::kNoOptions},
        {u"\\[(sup|sub)\\](.*?)\\[\\/(sup|sub)\\]", engine::kNoOptions},
        {u"\\[url\\=(.*?)\\](.*?)\\[\\/url\\]", engine::kNoOptions},
        {u"\\[(mail|email)\\=(.*?)\\](.*?)\\[\\/(mail|email)\\]", engine::kNoOptions},
        {u"\\[[Hh]([1-6])\\](.*?)\\[\\/[Hh]([1-6])\\]", engine::kNoOptions},
        {u"\\[\\[(.*?)\\]\\]", engine::kDotMatchesLineSeparators},
    };
    const char* pieces[] = {"[[",     "[",       "]",       "]]",      "::",   "a",    "\n",    "\r",
                            "[sup]",  "[/sub]",  "[url=",   "[/url]",  "[mail=", "[email=", "[/mail]",
                            "[/email]", "[h1]", "[H2]", "[/h1]", "[/H3]"};
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int length = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];
        for (const Case& c : runCases) {
            EXPECT_EQ(described(engine::findAllAtOpenings(u(text), c.pattern, c.options)),
                      described(engine::findAll(u(text), c.pattern, c.options)))
                << text << " / " << s(c.pattern);
            engine::SearchPlan everyBracket;
            for (size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1))
                everyBracket.starts.push_back(static_cast<int32_t>(at));
            EXPECT_EQ(described(engine::findAllPlanned(u(text), c.pattern, everyBracket, c.options)),
                      described(engine::findAll(u(text), c.pattern, c.options)))
                << text << " / " << s(c.pattern);
            if (c.options == engine::kNoOptions) {
                EXPECT_EQ(described(engine::findAllInLinesWith(u(text), c.pattern, {u"["}, c.options)),
                          described(engine::findAll(u(text), c.pattern, c.options)))
                    << text << " / " << s(c.pattern);
            }
        }
    }
}

TEST(OpeningRun, OnlyPatternsWhoseRestTakesNothingBeforeItself) {
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[\\[(.*?)\\]\\]", false));
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[([^\\]\\n]*?)::(.*?)\\]", false));
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[[Bb]\\](.*?)\\[\\/[Bb]\\]", false));
    // Openings of different lengths, none of which can begin inside another.
    EXPECT_TRUE(engine::OpeningRun::of(u"\\[(b|bb)\\](.*?)x", false));
    for (const char16_t* pattern : {u"\\[\\[(.*?)\\1", u"\\[\\[(.*?)(?<=a)\\]", u"\\[\\[(.*?)^", u"(?<!a)\\[(.*?)\\]",
                                    u"\\[+(.*?)\\]", u"(.*?)\\]", u"\\[(.+?)\\]", u"\\[([^\\s]*?)\\]",
                                    u"(xyz|y)(.*?)x", u"a|\\[(.*?)\\]"})
        EXPECT_FALSE(engine::OpeningRun::of(pattern, false)) << s(pattern);
}
