#include "markdown/Markdown_ObjC.h"

#include "engine/TextUtilities.h"

namespace {

RuleRecord regex(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

RuleRecord multiLine(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
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

// The main table: emphasis (strong before em, underscore before asterisk) and
// ATX headings (level 6 first).
RuleTable Markdown_ObjC::regexMarkdown() const {
    return {
        multiLine(u"boldAlternative", uR"(\_\_(.*?)\_\_)", u"<strong>$1</strong>"),
        multiLine(u"bold", uR"(\*\*(.*?)\*\*)", u"<strong>$1</strong>"),
        multiLine(u"inverseAlternative", uR"(\_(.*?)\_)", u"<em>$1</em>"),
        multiLine(u"inverseRegular", uR"(\*(.*?)\*)", u"<em>$1</em>"),
        regex(u"headline6", uR"((?m)^[#]{6,6}[ ](.+?)[ ]*\#*$)", u"<h6>$1</h6>"),
        regex(u"headline5", uR"((?m)^[#]{5,5}[ ](.+?)[ ]*\#*$)", u"<h5>$1</h5>"),
        regex(u"headline4", uR"((?m)^[#]{4,4}[ ](.+?)[ ]*\#*$)", u"<h4>$1</h4>"),
        regex(u"headline3", uR"((?m)^[#]{3,3}[ ](.+?)[ ]*\#*$)", u"<h3>$1</h3>"),
        regex(u"headline2", uR"((?m)^[#]{2,2}[ ](.+?)[ ]*\#*$)", u"<h2>$1</h2>"),
        regex(u"headline1", uR"((?m)^[#]{1,1}[ ](.+?)[ ]*\#*$)", u"<h1>$1</h1>"),
    };
}

// Inline images, links and web addresses: saved early, turned into HTML late.
RuleTable Markdown_ObjC::regexMarkdownLinks() const {
    return {
        regex(u"imageWithTitle", uR"re(!\[(.*?)\]\(((.*?)) "(.*?)"\))re",
              engine::formatted(uR"(<img src=\"$2\" alt=\"$1\" title=\"$4\"%@)", {HTML_close})),
        regex(u"image", uR"(!\[(.*?)\]\(((.*?))\))",
              engine::formatted(uR"(<img src=\"$2\" alt=\"$1\"%@)", {HTML_close})),
        regex(u"hyperlinkNamedWithTitle", uR"re(\[(.*?)\]\(((.*?)) "(.*?)"\))re",
              uR"(<a href=\"$2\" title=\"$4\">$1</a>)"),
        regex(u"hyperlinkNamed", uR"(\[(.*?)\]\(((.*?))\))", uR"(<a href=\"$2\">$1</a>)"),
        regex(u"hyperlink",
              uR"((?<!=\")<(http[s]{0,1}:\/\/[a-zA-Z0-9-]?+\.?)(([a-zA-Z0-9-][a-zA-Z0-9-]+\.)+[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]+)>)",
              uR"(<a href=\"$1$2\">$1$2</a>)"),
        regex(u"hyperlinkPlain",
              uR"((?<!=\")(http[s]{0,1}:\/\/[a-zA-Z0-9-]?+\.?)(([a-zA-Z0-9-][a-zA-Z0-9-]+\.)+[a-zA-Z0-9-\.\/\_\?\%\#\&amp;\=\;\~\!\(\)]+))",
              u"$1$2"),
    };
}

void Markdown_ObjC::firstSimpleTransform() {
    transformWithDotMatchRules(firstRegexMarkdown());
}
