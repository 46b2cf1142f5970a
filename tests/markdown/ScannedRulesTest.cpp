// The code span and block scanners must find exactly what the rules'
// regular expressions find: on hand-picked texts (escapes, runs of
// backticks, line ends other than "\n", surrogates, a closing tag that ends
// a quote) and on random soups of the characters that matter to each rule.
#include <array>
#include <random>
#include <string>

#include "../engine/TestSupport.h"
#include "markdown/BlockScan.h"
#include "markdown/CodeSpanScan.h"

using testsupport::s;
using testsupport::u;

namespace {

const char16_t* const kDoubledSpanRule = u"(?s)[`]{2,}(.*?)[`]{2,}";
const char16_t* const kSingleSpanRule = uR"((?s)[`]{1,1}((?:(?!\n\n).)*?)[`]{1,1})";
const char16_t* const kEscapedBacktickRule = uR"((?<![\\`])\\`)";
const char16_t* const kIndentedBlockRule = uR"((?m)(\n\n|\A\n)((?>^[ ]*\t[ ]?.+\n(.\n)*\n*)+))";
const char16_t* const kQuoteRule =
    uR"((?m)((?>^[ ]*>[ ]?.+\n((?!</blockquote>$)(?![ ]{0,3}(?:[*+-]|[0-9]+\.)[ \t]).+\n)*\n*)+))";
const char16_t* const kQuoteMarkerRule = uR"((?m)^[ ]*>(?:[ ]|(\t+)[ ])?|^[ ]+$)";
const char16_t* const kBulletStartRule = uR"((?m)\n{2,}[ ]{0,3}[*+-](?:[ \t]|$)(.*?)$)";
const char16_t* const kNumberStartRule = uR"((?m)\n{2,}([0-9]{1,}\.)[ \t]{1,1}(.*?)$)";

// Text with its control characters spelled out, for failure messages.
std::string shown(const icu::UnicodeString& text) {
    std::string out;
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t c = text.charAt(i);
        if (c >= 0x20 && c < 0x7f)
            out += static_cast<char>(c);
        else
            out += "<" + std::to_string(c) + ">";
    }
    return out;
}

std::vector<engine::Match> ruleMatches(const icu::UnicodeString& text, const char16_t* rule,
                                       uint32_t options = engine::kNoOptions) {
    auto matches = engine::findAll(text, rule, options);
    EXPECT_TRUE(matches.has_value()) << s(rule);
    return matches.value_or(std::vector<engine::Match>{});
}

std::vector<std::pair<int32_t, int32_t>> ruleRanges(const icu::UnicodeString& text, const char16_t* rule,
                                                    uint32_t options = engine::kNoOptions) {
    std::vector<std::pair<int32_t, int32_t>> ranges;
    for (const engine::Match& match : ruleMatches(text, rule, options))
        ranges.emplace_back(match.start(), match.end());
    return ranges;
}

std::vector<std::pair<int32_t, int32_t>> asPairs(const std::vector<engine::TextRange>& ranges) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const engine::TextRange& range : ranges)
        pairs.emplace_back(range.start, range.end);
    return pairs;
}

void expectSpansAsRules(const icu::UnicodeString& text) {
    EXPECT_EQ(ruleRanges(text, kDoubledSpanRule), asPairs(markdown::doubledBacktickSpans(text))) << shown(text);
    EXPECT_EQ(ruleRanges(text, kSingleSpanRule, engine::kDotMatchesLineSeparators),
              asPairs(markdown::singleBacktickSpans(text)))
        << shown(text);
    std::vector<int32_t> escapes;
    for (const auto& [start, end] : ruleRanges(text, kEscapedBacktickRule))
        escapes.push_back(start);
    EXPECT_EQ(escapes, markdown::escapedBacktickStarts(text)) << shown(text);
}

void expectBlocksAsRules(const icu::UnicodeString& text) {
    std::vector<std::array<int32_t, 3>> indented;
    for (const engine::Match& match : ruleMatches(text, kIndentedBlockRule))
        indented.push_back({match.start(), match.start(2), match.end()});
    std::vector<std::array<int32_t, 3>> scanned;
    for (const markdown::IndentedBlock& block : markdown::indentedBlocks(text))
        scanned.push_back({block.start, block.linesStart, block.end});
    EXPECT_EQ(indented, scanned) << shown(text);
    EXPECT_EQ(ruleRanges(text, kQuoteRule), asPairs(markdown::quotedBlocks(text))) << shown(text);
    icu::UnicodeString unquoted(text);
    engine::replaceAll(unquoted, kQuoteMarkerRule, u"$1");
    EXPECT_EQ(shown(unquoted), shown(markdown::withoutQuoteMarkers(text))) << shown(text);
}

// What the list pass asks: the first start at or after each position.
void expectListStartsAsRules(const icu::UnicodeString& text) {
    const uint32_t options = engine::kCaseInsensitive | engine::kDotMatchesLineSeparators;
    for (int32_t from = 0; from <= text.length(); ++from) {
        auto bullet = engine::findFirst(text, kBulletStartRule, options, from);
        EXPECT_EQ(bullet ? bullet->start() : -1, markdown::listStartFrom(text, from, markdown::ListMarker::bulleted))
            << shown(text) << " from " << from;
        auto number = engine::findFirst(text, kNumberStartRule, options, from);
        EXPECT_EQ(number ? number->start() : -1, markdown::listStartFrom(text, from, markdown::ListMarker::numbered))
            << shown(text) << " from " << from;
    }
}

icu::UnicodeString soup(std::mt19937& random, const std::u16string& pieces, int maxLength) {
    icu::UnicodeString text;
    const int length = static_cast<int>(random() % (maxLength + 1));
    for (int i = 0; i < length; ++i)
        text.append(pieces[random() % pieces.size()]);
    return text;
}

}  // namespace

TEST(ScannedCodeSpans, SameAsTheSpanRules) {
    const char* texts[] = {
        "a `b` c ``d`e`` ```f``` ````", "``` unclosed", "```", "``", "````", "`````x", "`a\n\nb` `c`",
        "\\`x` \\\\`y` `\\`z`", "``\\`` \\`\\`", "`a\r\n\r\nb`", "`a\n\r\n\nb`", "`a\r\n\nb` `\r\r\n\nc`", "`one\n \ntwo`", "x\xf0\x9f\x98\x80`\xf0\x9f\x98\x80`",
        "``a\n\nb``", "`",
    };
    for (const char* text : texts)
        expectSpansAsRules(u(text));
    // A lone surrogate is one character to the rules, too.
    expectSpansAsRules(icu::UnicodeString(u"`\xD800`\n\n\xDC00`"));

    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round)
        expectSpansAsRules(soup(random, u"``\\\n\na \r\u2028", 24));
}

TEST(ScannedBlocks, SameAsTheIndentedCodeAndQuoteRules) {
    const char* texts[] = {
        "\n\n\tcode\n\tmore\n\n\tafter gap\ntext\n", "\n\tfirst\n", "\n\n\n\tcode\n", "\n\n  \t x\nb\n\n\n",
        "\n\n\t\n\t \n", "\n\n\tcode\r\n", "\n\n\tcode", "\n\n> quote\nlazy\n</blockquote>\n> again\n\n",
        "> a\n</blockquote>x\n", "  > b\n >\n> \n", "a > b\n\n> c\r> d\n", "\n\n\ta\n\xf0\x9f\x98\x80\nx\n",
    };
    for (const char* text : texts)
        expectBlocksAsRules(u(text));
    expectBlocksAsRules(icu::UnicodeString(u"\n\n\tcode\n\xD800\n\u2028> q\n\xDC00\n"));

    std::mt19937 random(13);
    for (int round = 0; round < 3000; ++round)
        expectBlocksAsRules(soup(random, u"\n\n\n\t  >a\r\u2028\u0085\v\f", 28));
    for (int round = 0; round < 500; ++round)
        expectBlocksAsRules(soup(random, u"\n>>a</blockquote>", 40));
    for (int round = 0; round < 500; ++round)
        expectBlocksAsRules(soup(random, u"\n> a*-1.\t", 30));
}

TEST(ScannedListStarts, SameAsTheListStartRules) {
    const char* texts[] = {
        "\n\n* a\n", "\n\n\n   - b", "\n\n    + c\n", "\n\n*\tx\n\n12. y\n", "x\n* a\n\n1.z\n\n2.\tw",
        "\n\n-\n\n\n+ ", "\n\n\xef\xbc\x91. full-width digit\n",
    };
    for (const char* text : texts)
        expectListStartsAsRules(u(text));

    std::mt19937 random(17);
    for (int round = 0; round < 600; ++round)
        expectListStartsAsRules(soup(random, u"\n\n\n   *+-1.\ta\r", 20));
}
