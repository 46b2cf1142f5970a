#include "markdown/MarkdownConverter.h"

#include <optional>

#include "engine/MatchSteps.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "markdown/AtxHeadings.h"
#include "markdown/EmphasisSpans.h"
#include "markdown/MarkdownText.h"
#include "markdown/MarkedLines.h"

namespace {

RuleRecord regex(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

using engine::FastPath;

// A heading rule that the one walk over heading lines applies; a rule the
// walk does not know runs where lines start with "#".
FastPath atxHeading() {
    FastPath path = FastPath::walked(MarkdownConverter::kAtxHeadingWalk);
    path.plan = [](const icu::UnicodeString& text) { return engine::linesStartingWith(text, u"#"); };
    return path;
}

FastPath link(int walk, const char16_t* opening) {
    return FastPath::walked(walk, 0, opening);
}

}  // namespace

// Setext headings and horizontal rules, before anything else sees the lines.
RuleTable MarkdownConverter::firstRegexMarkdown() const {
    const icu::UnicodeString rule = engine::formatted(u"<hr%@", {HTML_close});
    return {
        regex(u"headline1Alternative", u"(?m)^(.+?)[ ]*\n(=+)[ ]*\n+", u"<h1>$1</h1>\n")
            .with(FastPath::walked(kUnderlinedHeadingWalk, u'=')),
        regex(u"headline2Alternative", u"(?m)^(.+?)[ ]*\n(-+)[ ]*\n+", u"<h2>$1</h2>\n")
            .with(FastPath::walked(kUnderlinedHeadingWalk, u'-')),
        regex(u"horizontalLineDash", uR"((?m)^[ ]{0,3}([-]{1,})[ \t-]{0,}$)", rule).with(FastPath::walked(kMarkLineWalk, u'-')),
        regex(u"horizontalLineAsterik", uR"((?m)^[ ]{0,3}(?![*][ \t]*$)([*]{1,})[ \t*]{0,}$)", rule)
            .with(FastPath::walked(kMarkLineWalk, u'*')),
        regex(u"horizontalLineUnderscore", uR"((?m)^[ ]{0,3}([_]{1,})[ \t_]{0,}$)", rule)
            .with(FastPath::walked(kMarkLineWalk, u'_')),
    };
}

namespace {

constexpr int kHeadingLevels = 6;

// The templates of the table's heading rules for the one walk over heading
// lines, or none when a rule is not the pattern the walk applies.
std::optional<markdown::AtxHeadingTemplates> atxHeadingTemplates(const RuleTable& table) {
    markdown::AtxHeadingTemplates templates;
    for (const RuleRecord& record : table) {
        if (record.fastPath.walk != MarkdownConverter::kAtxHeadingWalk)
            continue;
        int level = 1;
        while (level <= kHeadingLevels && record.pattern != markdown::atxHeadingPattern(level))
            ++level;
        if (level > kHeadingLevels || !record.regexReplace || templates[level])
            return std::nullopt;
        templates[level] = markdown::splitAroundGroupOne(record.templateText);
        if (!templates[level] || !markdown::isAtxHeadingTemplate(*templates[level]))
            return std::nullopt;
    }
    return templates;
}

}  // namespace

// The main table: ATX headings (level 6 first). Emphasis, which must nest,
// is a walk of its own (emphasis()).
RuleTable MarkdownConverter::regexMarkdown() const {
    return {
        regex(u"headline6", uR"((?m)^[#]{6,6}[ ](.+?)[ ]*\#*$)", u"<h6>$1</h6>").with(atxHeading()),
        regex(u"headline5", uR"((?m)^[#]{5,5}[ ](.+?)[ ]*\#*$)", u"<h5>$1</h5>").with(atxHeading()),
        regex(u"headline4", uR"((?m)^[#]{4,4}[ ](.+?)[ ]*\#*$)", u"<h4>$1</h4>").with(atxHeading()),
        regex(u"headline3", uR"((?m)^[#]{3,3}[ ](.+?)[ ]*\#*$)", u"<h3>$1</h3>").with(atxHeading()),
        regex(u"headline2", uR"((?m)^[#]{2,2}[ ](.+?)[ ]*\#*$)", u"<h2>$1</h2>").with(atxHeading()),
        regex(u"headline1", uR"((?m)^[#]{1,1}[ ](.+?)[ ]*\#*$)", u"<h1>$1</h1>").with(atxHeading()),
    };
}

// Inline images, links and web addresses: saved early, turned into HTML late.
// The text holds brackets only in pairs, so "[a] b [c](d)" links just "c"; an
// address may stand in angle brackets and hold balanced parentheses; blanks
// may stand around it and before the title.
RuleTable MarkdownConverter::regexMarkdownLinks() const {
    const icu::UnicodeString text = uR"(((?:[^\[\]\n]|\[[^\[\]\n]*\])*?)\]\()";
    const icu::UnicodeString address = uR"([ \t]*<?(((?:[^()\n]|\([^()\n]*\))*?))>?)";
    const icu::UnicodeString title = uR"re([ \t]+"(.*?)"[ \t]*\))re";
    const icu::UnicodeString end = uR"([ \t]*\))";
    auto pattern = [&text, &address](const char16_t* opening, const icu::UnicodeString& closing) {
        return engine::formatted(u"%@%@%@%@", {opening, text, address, closing});
    };
    return {
        RuleRecord::regex(u"imageWithTitle", pattern(u"!\\[", title),
                          engine::formatted(uR"(<img src=\"$2\" alt=\"$1\" title=\"$4\"%@)", {HTML_close}))
            .with(link(kInlineLinkWithTitleWalk, u"![")),
        RuleRecord::regex(u"image", pattern(u"!\\[", end),
                          engine::formatted(uR"(<img src=\"$2\" alt=\"$1\"%@)", {HTML_close}))
            .with(link(kInlineLinkWalk, u"![")),
        RuleRecord::regex(u"hyperlinkNamedWithTitle", pattern(u"\\[", title),
                          uR"(<a href=\"$2\" title=\"$4\">$1</a>)")
            .with(link(kInlineLinkWithTitleWalk, u"[")),
        RuleRecord::regex(u"hyperlinkNamed", pattern(u"\\[", end), uR"(<a href=\"$2\">$1</a>)")
            .with(link(kInlineLinkWalk, u"[")),
        regex(u"hyperlink",
              uR"((?<!=\")<(http[s]{0,1}:\/\/)((?:[a-zA-Z0-9-]++\.)++[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]+)>)",
              uR"(<a href=\"$1$2\">$1$2</a>)")
            .with(link(kWebAddressWalk, u"<http")),
        regex(u"hyperlinkPlain",
              uR"((?<!=\")(http[s]{0,1}:\/\/[a-zA-Z0-9-]?+\.?)(([a-zA-Z0-9-][a-zA-Z0-9-]+\.)+[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]+))",
              u"$1$2")
            .with(link(kBareAddressWalk, u"http")),
    };
}

namespace {

// Applies a rule by its walk when the rule is still the pattern the walk is
// equivalent to; false when it is not.
bool appliedAsMarkedLines(const RuleRecord& record, icu::UnicodeString& text) {
    const char16_t mark = record.fastPath.mark;
    if (!record.regexReplace)
        return false;
    if (record.fastPath.walk == MarkdownConverter::kUnderlinedHeadingWalk) {
        auto around = markdown::splitAroundGroupOne(record.templateText);
        if (!around || record.pattern != markdown::underlinedHeadingPattern(mark))
            return false;
        markdown::replaceUnderlinedHeadings(text, mark, *around);
        return true;
    }
    if (record.fastPath.walk != MarkdownConverter::kMarkLineWalk || record.pattern != markdown::markLinePattern(mark) ||
        record.templateText.indexOf(u'$') >= 0 || record.templateText.indexOf(u'\\') >= 0)
        return false;
    markdown::replaceMarkLines(text, mark, record.templateText);
    return true;
}

}  // namespace

void MarkdownConverter::firstSimpleTransform() {
    for (const RuleRecord& rule : firstRegexMarkdown())
        if (!appliedAsMarkedLines(rule, str))
            replaceMatchesWithPattern(rule.pattern, rule.templateText, rule.dotMatch);
}

void MarkdownConverter::emphasis() {
    markdown::replaceEmphasis(str, {flavourIsOn("intraword_underscore_literal")});
}

void MarkdownConverter::applyMainRules() {
    // Headings are applied by a walk that finds exactly what their patterns
    // find; a rule the walk does not know runs as a pattern.
    const auto headings = atxHeadingTemplates(regexes);
    bool headingsDone = false;
    for (const RuleRecord& rule : regexes) {
        if (headings && rule.fastPath.walk == kAtxHeadingWalk) {
            if (!headingsDone)
                markdown::replaceAtxHeadings(str, *headings);
            headingsDone = true;
        } else if (rule.fastPath.plan) {
            engine::RegexResult result = engine::replaceAllAt(
                str, rule.pattern, rule.templateText,
                engine::atPlannedStarts(rule.fastPath.plan(str), rule.pattern, engine::kNoOptions));
            if (result.status == engine::RegexStatus::invalidPattern)
                engine::log(u"Error Markup/simpleTransform/performRegex : %@", {result.error});
        } else {
            applySimpleRule(rule);
        }
    }
}
