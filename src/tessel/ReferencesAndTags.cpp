// The passes right after the rule table: the table of contents, block markers
// that carry a legend or attributes, and numbered references.
#include "tessel/TesselConverter.h"

#include <vector>

#include "engine/DoubledMarkerSpans.h"
#include "engine/MatchSteps.h"
#include "engine/Placeholders.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

// Anchors every headline the rule table wrote on a line of its own and puts
// the contents at "+tableofcontents+" as list lines (one tab per level below
// h1), which the list pass turns into a nested list.
void TesselConverter::tableOfContents() {
    if (str.indexOf(u"+tableofcontents+") < 0)
        return;
    auto headlines = matchesForPattern(uR"((?m)^<h[1-6]{1,1}>(.*?)</h[1-6]{1,1}>$)");
    if (!headlines)
        return;
    icu::UnicodeString contents;
    std::vector<engine::RangeEdit> anchors;
    long n = 1;
    for (const engine::Match& headline : *headlines) {
        const icu::UnicodeString& text = headline.text();
        const icu::UnicodeString number = engine::number(n);
        icu::UnicodeString indent;
        for (int level = text.charAt(2) - u'0'; level > 1; --level)
            indent.append(u'\t');
        icu::UnicodeString entry = engine::formatted(u"%@* <a href=\"%@toc_%@%@\">",
                                                     {indent, javaScriptHashStart, number, javaScriptHashEnd});
        entry.append(text, 4, text.length() - 9).append(u"</a>");
        anchors.push_back({headline.start(), headline.end(),
                           engine::formatted(u"<a name=\"toc_%@\"></a>%@", {number, text})});
        if (n > 1)
            contents += u"\n";
        contents += entry;
        ++n;
    }
    engine::applyRangeEdits(str, std::move(anchors));
    engine::replaceFirstOccurencyOfString(str, u"+tableofcontents+", contents);
}

void TesselConverter::quoteCodeTagTransform() {
    const icu::UnicodeString quotePattern = uR"(\+quote(.*?)\+[\s]{0,})";
    auto quotes = engine::findAllAt(str, quotePattern, engine::atOpenings(quotePattern, engine::kNoOptions));
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& quote : quotes ? *quotes : std::vector<engine::Match>{}) {
        const icu::UnicodeString& text = quote.text();
        // The legend is all after the first ":", colons in it included.
        auto legendAfterColon = [](const icu::UnicodeString& part) {
            return engine::trimmed(icu::UnicodeString(part, part.indexOf(u':') + 1));
        };
        const int32_t bar = text.indexOf(u'|');
        icu::UnicodeString replacement;
        if (bar < 0) {
            if (text.indexOf(u':') < 0)
                continue;
            icu::UnicodeString legend = legendAfterColon(text);
            legend.truncate(legend.length() - 1);  // the closing "+"
            replacement = engine::formatted(u"<blockquote><legend>%@</legend>", {legend});
        } else {
            icu::UnicodeString attributes = engine::trimmed(icu::UnicodeString(text, bar + 1));
            attributes.truncate(attributes.length() - 1);
            const icu::UnicodeString opener(text, 0, bar);
            replacement = opener.indexOf(u':') < 0
                              ? engine::formatted(u"<blockquote %@>", {attributes})
                              : engine::formatted(u"<blockquote %@><legend>%@</legend>",
                                                  {attributes, legendAfterColon(opener)});
        }
        edits.push_back({quote.start(), quote.end(), replacement});
    }
    engine::applyRangeEdits(str, std::move(edits));
    tagsWithAttributes();
}

// "+div|class=\"box\"+" and the like; the closing markers are the rule table's.
void TesselConverter::tagsWithAttributes() {
    const std::pair<const char16_t*, const char16_t*> tags[] = {
        {u"span", u"<span %@>"}, {u"div", u"<div %@>"}, {u"para", u"<p %@>"},
        // "+endcode+" closes with "</code></pre>", so the opener opens both.
        {u"code", u"<pre><code %@>"},
    };
    for (const auto& [word, format] : tags) {
        const icu::UnicodeString pattern = engine::formatted(uR"(\+%@(.*?)\+[\s]{0,})", {word});
        auto matches = engine::findAllAt(str, pattern, engine::atOpenings(pattern, engine::kNoOptions));
        if (!matches)
            continue;
        std::vector<engine::RangeEdit> edits;
        for (const engine::Match& match : *matches) {
            const icu::UnicodeString text = engine::trimmed(match.text());
            const int32_t bar = text.indexOf(u'|');
            if (bar < 0)
                continue;
            icu::UnicodeString attributes(text, bar + 1);
            attributes.truncate(attributes.length() - 1);
            edits.push_back({match.start(), match.start() + text.length(), engine::formatted(format, {attributes})});
        }
        engine::applyRangeEdits(str, std::move(edits));
    }
}

// "==note==" becomes a numbered superscript link; the notes are listed at
// "+showreferences+".
void TesselConverter::advancedReferences() {
    // "==(.*?)==" over line ends.
    const std::vector<engine::TextRange> references =
        engine::doubledMarkerSpans(str, u'=', engine::SpanLines::mayCross);
    icu::UnicodeString list;
    if (!references.empty()) {
        list = u"<ol class=\"references\">\n";
        std::vector<engine::RangeEdit> edits;
        long n = 1;
        for (const engine::TextRange& reference : references) {
            const icu::UnicodeString number = engine::number(n++);
            const icu::UnicodeString note(str, reference.start + 2, reference.end - reference.start - 4);
            edits.push_back({reference.start, reference.end,
                             engine::formatted(u"<sup id=\"cite_ref-%@\"><a href=\"%@cite_note-%@%@\">[%@]</a></sup>",
                                               {number, javaScriptHashStart, number, javaScriptHashEnd, number})});
            list += engine::formatted(
                u"<li id=\"cite_note-%@\"> <a href=\"%@cite_ref-%@%@\">&#x2191;</a> <small>%@</small></li>\n",
                {number, javaScriptHashStart, number, javaScriptHashEnd, note});
        }
        list += u"</ol>\n";
        engine::applyRangeEdits(str, std::move(edits));
    }
    engine::replaceFirstOccurencyOfString(str, u"+showreferences+", list);
}
