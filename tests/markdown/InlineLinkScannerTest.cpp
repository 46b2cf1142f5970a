// The walks that find inline links, images and reference links find what the
// link rules' patterns find, groups included.
#include "MarkdownTestSupport.h"
#include "markdown/InlineLinkScanner.h"

namespace {

using testsupport::s;

// The reference link rule as a pattern, as the walk applies it.
const char16_t* const kReferenceLinkPattern =
    uR"(\[((?:[^\[\]\n]|\n(?!\n)|\[[^\[\]\n]*\])*?)\](?:[ ]?(?:\n[ ]*)?\[([^\[\]\n]*)\])?)";

struct ScannedRule {
    icu::UnicodeString pattern;
    icu::UnicodeString opening;
    markdown::LinkClosing closing;
};

std::vector<ScannedRule> scannedRules() {
    std::vector<ScannedRule> rules;
    MarkdownConverter converter;
    converter.initWithString(u"x");
    for (const RuleRecord& rule : converter.regexMarkdownLinks()) {
        const int walk = rule.fastPath.walk;
        if (walk != MarkdownConverter::kInlineLinkWalk && walk != MarkdownConverter::kInlineLinkWithTitleWalk)
            continue;
        rules.push_back({rule.pattern, rule.fastPath.literal,
                         walk == MarkdownConverter::kInlineLinkWithTitleWalk ? markdown::LinkClosing::withTitle
                                                                         : markdown::LinkClosing::plain});
    }
    return rules;
}

std::string group(const icu::UnicodeString& text, const engine::TextRange& range) {
    return range.start < 0 ? "<none>" : s(text.tempSubString(range.start, range.end - range.start));
}

std::string group(const engine::Match& match, int n) {
    return match.took_part(n) ? s(match.text(n)) : "<none>";
}

// The whole matches of a find loop with `pattern`, as "start-end" pieces.
std::string patternSpans(const icu::UnicodeString& text, const icu::UnicodeString& pattern) {
    std::string spans;
    const std::vector<engine::Match> matches = *engine::findAll(text, pattern);
    for (const engine::Match& match : matches)
        spans += std::to_string(match.start()) + "-" + std::to_string(match.end()) + " ";
    return spans;
}

std::string walkedSpans(const std::vector<engine::TextRange>& ranges) {
    std::string spans;
    for (const engine::TextRange& range : ranges)
        spans += std::to_string(range.start) + "-" + std::to_string(range.end) + " ";
    return spans;
}

void expectSameMatches(const std::vector<ScannedRule>& rules, const icu::UnicodeString& text) {
    EXPECT_EQ(walkedSpans(markdown::referenceImages(text)),
              patternSpans(text, uR"(!\[(.*?)\][ \n]{0,1}\[(.*?)\])")) << "images in \"" << s(text) << "\"";
    EXPECT_EQ(walkedSpans(markdown::referenceDefinitions(text)),
              patternSpans(text, uR"(\[(.*)\]\:(.*?)\n([ \t]{0,}["(]{1,1}(.*)[")]{1,1}\n)?)"))
        << "definitions in \"" << s(text) << "\"";
    for (const ScannedRule& rule : rules) {
        const std::vector<engine::Match> expected = *engine::findAll(text, rule.pattern);
        const std::vector<markdown::InlineLink> found = markdown::inlineLinks(text, rule.opening, rule.closing);
        ASSERT_EQ(found.size(), expected.size()) << s(rule.pattern) << " in \"" << s(text) << "\"";
        for (size_t i = 0; i < found.size(); ++i) {
            SCOPED_TRACE(s(rule.pattern) + " in \"" + s(text) + "\"");
            EXPECT_EQ(found[i].text.start - static_cast<int32_t>(rule.opening.length()), expected[i].start());
            EXPECT_EQ(found[i].end, expected[i].end());
            EXPECT_EQ(group(text, found[i].text), group(expected[i], 1));
            EXPECT_EQ(group(text, found[i].address), group(expected[i], 2));
            EXPECT_EQ(group(text, found[i].address), group(expected[i], 3));
            if (rule.closing == markdown::LinkClosing::withTitle) {
                EXPECT_EQ(group(text, found[i].title), group(expected[i], 4));
            }
        }
    }
    const std::vector<engine::Match> expected = *engine::findAll(text, kReferenceLinkPattern);
    const std::vector<markdown::ReferenceLink> found = markdown::referenceLinks(text);
    ASSERT_EQ(found.size(), expected.size()) << "references in \"" << s(text) << "\"";
    for (size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE("references in \"" + s(text) + "\"");
        EXPECT_EQ(found[i].start, expected[i].start());
        EXPECT_EQ(found[i].end, expected[i].end());
        EXPECT_EQ(group(text, found[i].text), group(expected[i], 1));
        EXPECT_EQ(found[i].name ? group(text, *found[i].name) : "<none>", group(expected[i], 2));
    }
}

TEST(LinkScanners, FindWhatThePatternsFind) {
    const std::vector<ScannedRule> rules = scannedRules();
    ASSERT_EQ(rules.size(), 4u);
    const std::vector<icu::UnicodeString> cases = {
        u"[a](b)", u"![i](p.png \"T\")", u"[a]( \"title\")", u"[a](\t\"t\" )", u"[a](< b >)", u"[a](<b> \"t\")",
        u"[a](<b)", u"[a](b>)", u"[a](/x(1)) b", u"[a](/x(1(2))", u"[[w]](u)", u"[[w]x](u)", u"[[w][v]](u)",
        u"[a [b] c](d)", u"[a\nb](c)", u"[a](b\nc)", u"[a](b \"t\nu\")", u"[a](b \"t\ru\")", u"[a](b \"t\u2028\")",
        u"[a\u2028b](c\u0085d)", u"[a](b \"x \"y\" z\")", u"[a](b \"x\" \"y\")", u"[a](b \"x\")y\")",
        u"[a]  (b)", u"[a](b) [c](d \"e\")", u"[x] b [c](d)", u"[a](()", u"[a](b\\)c)", u"[a](b \"\")",
        u"[a](  <  b >  )", u"[a](>)", u"[a](b> \"t\")", u"[a](b >\"t\")", u"[\U0001F600](\U0001F600 \"\U0001F600\")",
        u"[a](b", u"[a]", u"[", u"![", u"[a](", u"[a]( ", u"[a](\"t\")", u"![a](b)![c](d)",
        // Reference links: names after a blank or a line break, texts over a line break.
        u"[a][b]", u"[a] [b]", u"[a]\n  [b]", u"[a] \n[b]", u"[a]  [b]", u"[a\nb][c]", u"[a\n\nb][c]", u"[a\n",
        u"[a][b\nc]", u"[[x]][y]", u"[a][]", u"[a]\n", u"[a][b][c]", u"[^1] and [#c]", u"[a\r\nb]",
        // Reference images and definitions with their title lines.
        u"![a][b]", u"![a] [b]", u"![a]\n[b]", u"![a]x] [b]", u"![a]  [b]", u"![a]\n[b\r]", u"![a] [b\n]c]",
        u"[a]: b\n", u"[a]: b", u"[a]: b\r\n", u"[a]: b]: c\n", u"[a]: b\n  \"t\"\n", u"[a]: b\n(t)\n",
        u"[a]: b\n\"\n", u"[a]: b\n\"t\" x\n", u"[a]: b\n\"t\"", u"[a]: b\n\t(t\")\r\n", u"[[a]: b\n",
        // Lines of openings where the first attempt fails: every later one
        // of the line fails too, and the walk goes on at the next line.
        u"![![![a] [b]", u"![a] [![b] [c]", u"![a]\n[b ![c] [d]\n![e][f]", u"![a] x ![b] [c]", u"[[[a]: b\n",
        u"[a] [b]: c\r[d]: e\n", u"[a]: b\u2028[c]: d\n",
    };
    for (const icu::UnicodeString& text : cases)
        expectSameMatches(rules, text);
}

TEST(LinkScanners, DefinitionAddressesAreWhatThePatternTakes) {
    const icu::UnicodeString pattern = uR"((?m)^[ ]{0,3}\[[^\]\n^#][^\]\n]*\]:[ \t]*(<[^<>\n]*>|\S+))";
    const std::vector<icu::UnicodeString> cases = {
        u"[a]: http://x", u"   [a]:\thttp://x \"t\"", u"    [a]: x", u"[^1]: note", u"[#c]: cite", u"[]: x",
        u"[a]:", u"[a]:   ", u"[a]: x\u00a0y", u"[a]: x\u0085y", u"[a]: x\u000by", u"[a]: x\u2028[b]: y",
        u"[a\nb]: x", u"x [a]: y", u"[a]: \U0001F600\u3000z", u"\r\n[a]: x\r\n [b]:y", u"[a] : x", u"[[a]: x",
        u"[a]: <x y> \"t\"", u"[a]: <x y", u"[a]: <x<y> z>", u"[a]: <>", u"[a]: <x\ny>", u"[a]:<x>y",
    };
    for (const icu::UnicodeString& text : cases) {
        std::vector<std::string> expected;
        const std::vector<engine::Match> matches = *engine::findAll(text, pattern);
        for (const engine::Match& match : matches)
            expected.push_back(s(match.text(1)));
        std::vector<std::string> found;
        for (int32_t at : engine::linesStartingWith(text, u"[", 3).starts)
            if (auto address = markdown::definitionAddressAt(text.getBuffer(), text.length(), at))
                found.push_back(group(text, *address));
        EXPECT_EQ(found, expected) << s(text);
    }
}

TEST(LinkScanners, FindWhatThePatternsFindInRandomText) {
    const std::vector<ScannedRule> rules = scannedRules();
    const char16_t alphabet[] = u"[]()<>\" \t\na!\r\u2028:";
    const int32_t letters = sizeof(alphabet) / sizeof(alphabet[0]) - 1;
    uint32_t seed = 2024;
    for (int round = 0; round < 10000 && !HasFailure(); ++round) {
        icu::UnicodeString text(u"[");
        for (int i = 0; i < 16; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.append(alphabet[(seed >> 16) % letters]);
        }
        expectSameMatches(rules, text);
    }
}

}  // namespace
