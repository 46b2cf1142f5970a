#include "markdown/Markdown_ObjC.h"


#include "engine/CandidateSearch.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"

namespace {

RuleRecord regex(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

RuleRecord multiLine(const char16_t* name, const icu::UnicodeString& pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::multiLine(name, pattern, templateText);
}

}  // namespace

// Setext headings and horizontal rules, before anything else sees the lines.
RuleTable Markdown_ObjC::firstRegexMarkdown() const {
    const icu::UnicodeString rule = engine::formatted(u"<hr%@", {HTML_close});
    return {
        regex(u"headline1Alternative", u"(?m)^(.+?)[ ]*\n(=+)[ ]*\n+", u"<h1>$1</h1>\n"),
        regex(u"headline2Alternative", u"(?m)^(.+?)[ ]*\n(-+)[ ]*\n+", u"<h2>$1</h2>\n"),
        regex(u"horizontalLineDash", uR"((?m)^[ ]{0,3}([-]{1,})[ -]{0,}$)", rule),
        regex(u"horizontalLineAsterik", uR"((?m)^[ ]{0,3}([*]{1,})[ *]{0,}$)", rule),
        regex(u"horizontalLineUnderscore", uR"((?m)^[ ]{0,3}([_]{1,})[ _]{0,}$)", rule),
    };
}

namespace {

// A marker written after a backslash is the character itself (an escaped
// backslash before it does not count); a star that starts a line and is
// followed by a blank is a list bullet. Neither opens nor closes emphasis.
// The checks follow the marker, so that the search can skip to markers.
const char16_t* const kNotEscaped = uR"((?<!(?<!\\)\\%@))";
const char16_t* const kNotABullet = uR"((?!(?<=^[ \t]{0,32}\*)[ \t]))";
// Emphasis stays within its paragraph.
const char16_t* const kWithinParagraph = uR"(((?:(?!\n\n).)*?))";

icu::UnicodeString emphasis(const icu::UnicodeString& marker, bool bulletLike) {
    icu::UnicodeString delimiter =
        engine::formatted(u"%@%@%@", {marker, engine::formatted(kNotEscaped, {marker}), bulletLike ? kNotABullet : u""});
    return engine::formatted(u"(?m)%@%@%@", {delimiter, kWithinParagraph, delimiter});
}

}  // namespace

// The main table: emphasis (strong before em, underscore before asterisk) and
// ATX headings (level 6 first).
RuleTable Markdown_ObjC::regexMarkdown() const {
    return {
        multiLine(u"boldAlternative", emphasis(uR"(\_\_)", false), u"<strong>$1</strong>"),
        multiLine(u"bold", emphasis(uR"(\*\*)", false), u"<strong>$1</strong>"),
        multiLine(u"inverseAlternative", emphasis(uR"(\_)", false), u"<em>$1</em>"),
        multiLine(u"inverseRegular", emphasis(uR"(\*)", true), u"<em>$1</em>"),
        regex(u"headline6", uR"((?m)^[#]{6,6}[ ](.+?)[ ]*\#*$)", u"<h6>$1</h6>"),
        regex(u"headline5", uR"((?m)^[#]{5,5}[ ](.+?)[ ]*\#*$)", u"<h5>$1</h5>"),
        regex(u"headline4", uR"((?m)^[#]{4,4}[ ](.+?)[ ]*\#*$)", u"<h4>$1</h4>"),
        regex(u"headline3", uR"((?m)^[#]{3,3}[ ](.+?)[ ]*\#*$)", u"<h3>$1</h3>"),
        regex(u"headline2", uR"((?m)^[#]{2,2}[ ](.+?)[ ]*\#*$)", u"<h2>$1</h2>"),
        regex(u"headline1", uR"((?m)^[#]{1,1}[ ](.+?)[ ]*\#*$)", u"<h1>$1</h1>"),
    };
}

// Inline images, links and web addresses: saved early, turned into HTML late.
// The text holds brackets only in pairs, so "[a] b [c](d)" links just "c"; an
// address may stand in angle brackets and hold balanced parentheses; blanks
// may stand around it and before the title.
RuleTable Markdown_ObjC::regexMarkdownLinks() const {
    const icu::UnicodeString text = uR"(((?:[^\[\]\n]|\[[^\[\]\n]*\])*?)\]\()";
    const icu::UnicodeString address = uR"([ \t]*<?(((?:[^()\n]|\([^()\n]*\))*?))>?)";
    const icu::UnicodeString title = uR"re([ \t]+"(.*?)"[ \t]*\))re";
    const icu::UnicodeString end = uR"([ \t]*\))";
    auto pattern = [&text, &address](const char16_t* opening, const icu::UnicodeString& closing) {
        return engine::formatted(u"%@%@%@%@", {opening, text, address, closing});
    };
    return {
        RuleRecord::regex(u"imageWithTitle", pattern(u"!\\[", title),
                          engine::formatted(uR"(<img src=\"$2\" alt=\"$1\" title=\"$4\"%@)", {HTML_close})),
        RuleRecord::regex(u"image", pattern(u"!\\[", end),
                          engine::formatted(uR"(<img src=\"$2\" alt=\"$1\"%@)", {HTML_close})),
        RuleRecord::regex(u"hyperlinkNamedWithTitle", pattern(u"\\[", title),
                          uR"(<a href=\"$2\" title=\"$4\">$1</a>)"),
        RuleRecord::regex(u"hyperlinkNamed", pattern(u"\\[", end), uR"(<a href=\"$2\">$1</a>)"),
        regex(u"hyperlink",
              uR"((?<!=\")<(http[s]{0,1}:\/\/[a-zA-Z0-9-]?+\.?)(([a-zA-Z0-9-][a-zA-Z0-9-]+\.)+[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]+)>)",
              uR"(<a href=\"$1$2\">$1$2</a>)"),
        regex(u"hyperlinkPlain",
              uR"((?<!=\")(http[s]{0,1}:\/\/[a-zA-Z0-9-]?+\.?)(([a-zA-Z0-9-][a-zA-Z0-9-]+\.)+[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]+))",
              u"$1$2"),
    };
}

void Markdown_ObjC::firstSimpleTransform() {
    const RuleTable rules = firstRegexMarkdown();
    // Each rule is tried only where it can match: the two heading rules on
    // the lines before "=" and "-" lines ("(.+?)" stops at its line's end,
    // which must come right before the marks), the rules for lines of marks
    // on the lines that start with their mark after at most three spaces.
    for (const RuleRecord& rule : rules) {
        engine::SearchPlan plan;
        if (rule.name == u"headline1Alternative")
            plan = engine::linesEndingBefore(str, u"\n=");
        else if (rule.name == u"headline2Alternative")
            plan = engine::linesEndingBefore(str, u"\n-");
        else if (rule.name == u"horizontalLineDash")
            plan = engine::linesStartingWith(str, u"-", 3);
        else if (rule.name == u"horizontalLineAsterik")
            plan = engine::linesStartingWith(str, u"*", 3);
        else if (rule.name == u"horizontalLineUnderscore")
            plan = engine::linesStartingWith(str, u"_", 3);
        else {
            replaceMatchesWithPattern(rule.pattern, rule.templateText, rule.dotMatch);
            continue;
        }
        engine::RegexResult result = engine::replaceAllPlanned(str, rule.pattern, rule.templateText, plan);
        if (result.status == engine::RegexStatus::invalidPattern)
            engine::log(u"Error for Pattern %@ - %@", {rule.pattern, result.error});
    }
}

void Markdown_ObjC::applyMainRules() {
    // Each heading rule is tried only where a line starts with "#"; the
    // emphasis rules begin with their marker, which ICU finds by itself.
    for (const RuleRecord& rule : regexes) {
        if (!rule.name.startsWith(u"headline")) {
            applySimpleRule(rule);
            continue;
        }
        engine::RegexResult result = engine::replaceAllPlanned(str, rule.pattern, rule.templateText,
                                                               engine::linesStartingWith(str, u"#"));
        if (result.status == engine::RegexStatus::invalidPattern)
            engine::log(u"Error Markup/simpleTransform/performRegex : %@", {result.error});
    }
}
