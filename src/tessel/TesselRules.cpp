#include "tessel/TesselConverter.h"

#include <optional>

#include "engine/DoubledMarkerSpans.h"
#include "engine/TextSearch.h"
#include "engine/Log.h"
#include "engine/MatchSteps.h"
#include "engine/TemplateText.h"
#include "engine/TextUtilities.h"
#include "tessel/MarkerWords.h"

namespace {

RuleRecord regex(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

RuleRecord multiLine(const char16_t* name, const icu::UnicodeString& pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::multiLine(name, pattern, templateText);
}

RuleRecord literal(const char16_t* name, const char16_t* pattern, const char16_t* replacement) {
    return RuleRecord::literal(name, pattern, replacement);
}

// The doubled-marker rules, "cc(.*?)cc" (over line ends as
// pairedSpanPattern), are walked from marker to marker: the same spans as
// their patterns find (see DoubledMarkerSpans.h).
constexpr int kDoubledMarkerWalk = 1;

engine::FastPath doubledMarker(char16_t marker) {
    return engine::FastPath::walked(kDoubledMarkerWalk, marker);
}

// The "[" of every line that holds "::": a named link's target and text stay
// on one line ("[^\]\n]" and ".") with "::" between them.
engine::SearchPlan bracketsOnLinesWithSeparator(const icu::UnicodeString& text) {
    engine::SearchPlan plan;
    int32_t lineEnd = -1;
    for (int32_t at = engine::findLiteral(text, u"::"); at >= 0; at = engine::findLiteral(text, u"::", lineEnd + 1)) {
        const int32_t lineStart = text.lastIndexOf(u'\n', 0, at) + 1;
        lineEnd = engine::findUnit(text, u'\n', at);
        if (lineEnd < 0)
            lineEnd = text.length();
        for (int32_t bracket = text.indexOf(u'[', lineStart, lineEnd - lineStart); bracket >= 0;
             bracket = text.indexOf(u'[', bracket + 1, lineEnd - bracket - 1))
            plan.starts.push_back(bracket);
    }
    return plan;
}

// A heading's line before its underline, and the lines that start with "#".
engine::SearchPlan linesBeforeUnderline(const icu::UnicodeString& text) {
    return engine::linesEndingBefore(text, u"\n=");
}

engine::FastPath headingLines() {
    return engine::FastPath::planned([](const icu::UnicodeString& text) { return engine::linesStartingWith(text, u"#"); });
}

}  // namespace

RuleTable TesselConverter::regexTessel(const icu::UnicodeString& root, const icu::UnicodeString& javaScriptStart,
                                   const icu::UnicodeString& javaScriptEnd) const {
    using engine::formatted;
    // The root and the in-page link pieces are document or fixed text, not
    // template syntax: a "$" or "\" in them must come out as written.
    const icu::UnicodeString rootText = engine::escapedTemplateText(root);
    const icu::UnicodeString hashStart = engine::escapedTemplateText(javaScriptStart);
    const icu::UnicodeString hashEnd = engine::escapedTemplateText(javaScriptEnd);
    // A link's target ends at the first "]" and at the line end: a lazy
    // target that may cross "]" would join "[a] and [b::c]" into one link
    // whose target is "a] and [b", and one that crossed a line would take a
    // line break, or a whole list item, into its address.
    return {
        regex(u"headline1Alternative", uR"((?m)^(.+?)[ ]*\n(=+)[ ]*\n+)", u"<h1>$1</h1>\n")
            .with(engine::FastPath::planned(linesBeforeUnderline)),
        regex(u"hyperlinkNamedRooted", uR"(\[\[([^\]\n]*?)::(.*?)\]\])",
              formatted(uR"(<a href=\"%@$1\" alt=\"$1\" title=\"$1\">$2</a>)", {rootText})),
        regex(u"hyperlinkRooted", uR"(\[\[(.*?)\]\])",
              formatted(uR"(<a href=\"%@$1\" alt=\"$1\" title=\"$1\">$1</a>)", {rootText})),
        regex(u"footNoteOrigin", uR"(\[\^ ([^\]\n]*?)::(.*?)\])",
              formatted(uR"(<a href="%@$1%@">$2</a>)", {hashStart, hashEnd})),
        regex(u"footNoteDestination", uR"(\[\^ (.*?)\])", uR"(<a name="$1"> </a>)"),
        regex(u"hyperlinkNamed", uR"(\[([^\]\n]*?)::(.*?)\])", uR"(<a href=\"$1\" alt=\"$2\" title=\"$2\">$2</a>)")
            .with(engine::FastPath::planned(bracketsOnLinesWithSeparator)),
        multiLine(u"underline", engine::pairedSpanPattern(uR"(\_)"), u"<ins>$1</ins>").with(doubledMarker(u'_')),
        multiLine(u"bold", engine::pairedSpanPattern(uR"(\*)"), u"<strong>$1</strong>").with(doubledMarker(u'*')),
        regex(u"subscript", uR"(\~\~(.*?)\~\~)", u"<sub>$1</sub>").with(doubledMarker(u'~')),
        multiLine(u"inverseRegular", engine::pairedSpanPattern(uR"(\+)"), u"<em>$1</em>").with(doubledMarker(u'+')),
        regex(u"horizontalLine", uR"(\-{3,})", formatted(u"<hr%@", {engine::escapedTemplateText(HTML_close)})),
        multiLine(u"striked", engine::pairedSpanPattern(u"-"), u"<del>$1</del>").with(doubledMarker(u'-')),
        regex(u"super", uR"(\^\^(.*?)\^\^)", u"<sup>$1</sup>").with(doubledMarker(u'^')),
        regex(u"mark", uR"(\?\?(.*?)\?\?)", u"<mark>$1</mark>").with(doubledMarker(u'?')),
        literal(u"quoteStart", u"+quote+", u"<blockquote>"),
        literal(u"quoteEnd", u"+endquote+", u"</blockquote>"),
        literal(u"codeStart", u"+code+", u"<pre><code>"),
        literal(u"codeEnd", u"+endcode+", u"</code></pre>"),
        literal(u"spanStart", u"+span+", u"<span>"),
        literal(u"spanEnd", u"+endspan+", u"</span>"),
        literal(u"divStart", u"+div+", u"<div>"),
        literal(u"divEnd", u"+enddiv+", u"</div>"),
        literal(u"htmlComment", u"+comment+", u"<!--"),
        literal(u"htmlCommentEnd", u"+endcomment+", u"-->"),
        literal(u"paragraphStart", u"+para+", u"<p>"),
        literal(u"paragraphEnd", u"+endpara+", u"</p>"),
        regex(u"headline6", uR"((?m)^[#]{6,6} (.*?)$)", u"<h6>$1</h6>").with(headingLines()),
        regex(u"headline5", uR"((?m)^[#]{5,5} (.*?)$)", u"<h5>$1</h5>").with(headingLines()),
        regex(u"headline4", uR"((?m)^[#]{4,4} (.*?)$)", u"<h4>$1</h4>").with(headingLines()),
        regex(u"headline3", uR"((?m)^[#]{3,3} (.*?)$)", u"<h3>$1</h3>").with(headingLines()),
        regex(u"headline2", uR"((?m)^[#]{2,2} (.*?)$)", u"<h2>$1</h2>").with(headingLines()),
        regex(u"headline1", uR"((?m)^[#]{1,1} (.*?)$)", u"<h1>$1</h1>").with(headingLines()),
    };
}

namespace {

// A template "before$1after" with no other group and no escape, split at
// "$1"; false for any other template.
bool splitAroundGroup(const icu::UnicodeString& templateText, icu::UnicodeString& before, icu::UnicodeString& after) {
    const int32_t group = templateText.indexOf(u"$1");
    if (group < 0 || templateText.indexOf(u'\\') >= 0 || templateText.indexOf(u'$', group + 1) >= 0 ||
        templateText.lastIndexOf(u'$', 0, group) >= 0)
        return false;
    before = icu::UnicodeString(templateText, 0, group);
    after = icu::UnicodeString(templateText, group + 2);
    return true;
}

}  // namespace

// Each rule is applied as its fast path says.
void TesselConverter::applyRuleTable() {
    for (size_t index = 0; index < regexes.size(); ++index) {
        const RuleRecord& rule = regexes[index];
        // A run of block-marker rules is applied in one walk.
        std::vector<const RuleRecord*> markerWords;
        while (index + markerWords.size() < regexes.size() && tessel::isMarkerWordRule(regexes[index + markerWords.size()]))
            markerWords.push_back(&regexes[index + markerWords.size()]);
        if (!markerWords.empty()) {
            tessel::replaceMarkerWords(str, markerWords);
            index += markerWords.size() - 1;
            continue;
        }
        icu::UnicodeString before;
        icu::UnicodeString after;
        if (rule.fastPath.walk == kDoubledMarkerWalk && splitAroundGroup(rule.templateText, before, after)) {
            const auto lines = rule.regexReplace ? engine::SpanLines::withinLine : engine::SpanLines::mayCross;
            engine::replaceDoubledMarkerSpans(str, rule.fastPath.mark, lines, before, after);
            continue;
        }
        if (!rule.regexReplace && !rule.regexMultiLineReplace) {
            applySimpleRule(rule);
            continue;
        }
        const uint32_t options = rule.regexReplace ? engine::kNoOptions : engine::kDotMatchesLineSeparators;
        // The other regex rules are tried where their plans or their literal
        // openings say they can match.
        engine::RegexResult result = engine::replaceAllAt(
            str, rule.pattern, rule.templateText,
            rule.fastPath.plan ? engine::atPlannedStarts(rule.fastPath.plan(str), rule.pattern, options)
                               : engine::atOpenings(rule.pattern, options),
            options);
        if (result.status == engine::RegexStatus::invalidPattern)
            engine::log(u"Error Markup/simpleTransform/performRegex : %@", {result.error});
    }
}
