// The walk that finds inline links and images finds what the link rules'
// patterns find, tried at the same place.
#include <unicode/regex.h>

#include "MarkdownTestSupport.h"
#include "markdown/InlineLinkScanner.h"

namespace {

using testsupport::s;

struct ScannedRule {
    icu::UnicodeString pattern;
    int32_t openingLength;
    markdown::LinkClosing closing;
};

std::vector<ScannedRule> scannedRules() {
    std::vector<ScannedRule> rules;
    Markdown_ObjC converter;
    converter.initWithString(u"x");
    for (const RuleRecord& rule : converter.regexMarkdownLinks()) {
        const bool image = rule.name.startsWith(u"image");
        if (!image && !rule.name.startsWith(u"hyperlinkNamed"))
            continue;
        rules.push_back({rule.pattern, image ? 2 : 1,
                         rule.name.endsWith(u"WithTitle") ? markdown::LinkClosing::withTitle
                                                          : markdown::LinkClosing::plain});
    }
    return rules;
}

// The end of the pattern's match tried at `at`, or -1.
int32_t patternEnd(const ScannedRule& rule, const icu::UnicodeString& text, int32_t at) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::RegexPattern* compiled = engine::compiledPattern(rule.pattern, engine::kNoOptions);
    std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(text, status));
    matcher->region(at, text.length(), status);
    if (!matcher->lookingAt(status))
        return -1;
    return matcher->end(status);
}

void expectSameEnds(const std::vector<ScannedRule>& rules, const icu::UnicodeString& text) {
    for (const ScannedRule& rule : rules) {
        const char16_t* opening = rule.openingLength == 2 ? u"![" : u"[";
        for (int32_t at = text.indexOf(opening); at >= 0; at = text.indexOf(opening, at + 1)) {
            ASSERT_EQ(markdown::inlineLinkEnd(text.getBuffer(), text.length(), at, rule.openingLength, rule.closing),
                      patternEnd(rule, text, at))
                << s(rule.pattern) << " at " << at << " in \"" << s(text) << "\"";
        }
    }
}

TEST(InlineLinkScanner, FindsWhatThePatternsFind) {
    const std::vector<ScannedRule> rules = scannedRules();
    ASSERT_EQ(rules.size(), 4u);
    const std::vector<icu::UnicodeString> cases = {
        u"[a](b)", u"![i](p.png \"T\")", u"[a]( \"title\")", u"[a](\t\"t\" )", u"[a](< b >)", u"[a](<b> \"t\")",
        u"[a](<b)", u"[a](b>)", u"[a](/x(1)) b", u"[a](/x(1(2))", u"[[w]](u)", u"[[w]x](u)", u"[[w][v]](u)",
        u"[a [b] c](d)", u"[a\nb](c)", u"[a](b\nc)", u"[a](b \"t\nu\")", u"[a](b \"t\ru\")", u"[a](b \"t\u2028\")",
        u"[a\u2028b](c\u0085d)", u"[a](b \"x \"y\" z\")", u"[a](b \"x\" \"y\")", u"[a](b \"x\")y\")",
        u"[a]  (b)", u"[a](b) [c](d \"e\")", u"[x] b [c](d)", u"[a](()", u"[a](b\\)c)", u"[a](b \"\")",
        u"[a](  <  b >  )", u"[a](>)", u"[a](b> \"t\")", u"[a](b >\"t\")", u"[\U0001F600](\U0001F600 \"\U0001F600\")",
        u"[a](b", u"[a]", u"[", u"![", u"[a](", u"[a]( ", u"[a](\"t\")",
    };
    for (const icu::UnicodeString& text : cases)
        expectSameEnds(rules, text);
}

TEST(InlineLinkScanner, FindsWhatThePatternsFindInRandomText) {
    const std::vector<ScannedRule> rules = scannedRules();
    const char16_t alphabet[] = u"[]()<>\" \t\na!\r\u2028";
    const int32_t letters = sizeof(alphabet) / sizeof(alphabet[0]) - 1;
    uint32_t seed = 2024;
    for (int round = 0; round < 20000; ++round) {
        icu::UnicodeString text(u"[");
        for (int i = 0; i < 14; ++i) {
            seed = seed * 1103515245u + 12345u;
            text.append(alphabet[(seed >> 16) % letters]);
        }
        expectSameEnds(rules, text);
        if (HasFatalFailure())
            return;
    }
}

}  // namespace
