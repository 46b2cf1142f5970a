// MultiMarkdown's table of contents (a marker replaced by a nested list of
// links to the headings) and bibliography (numbered citations).
#include "markdown/MarkdownConverter.h"

#include <optional>
#include <set>
#include <unicode/uchar.h>

#include "engine/MatchSteps.h"
#include "engine/MatchSteps.h"
#include "engine/RangeEdits.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace {

int levelDigit(char16_t c) {
    int value = u_charDigitValue(c);
    return value < 0 ? 0 : value;
}

struct ContentsMarker {
    icu::UnicodeString marker;
    icu::UnicodeString range;
    long baseLevel = 0;
};

// "{{TOC}}" for all levels, or "{{TOC:2}}", "{{TOC:2-3}}" for some.
std::optional<ContentsMarker> findContentsMarker(const icu::UnicodeString& text) {
    if (text.indexOf(u"{{TOC}}") >= 0)
        return ContentsMarker{u"{{TOC}}", u"1-6", 0};
    const int32_t start = text.indexOf(u"{{TOC:");
    const int32_t close = text.indexOf(u"}}");
    if (start < 0 || close < start || close - start > 9)
        return std::nullopt;
    ContentsMarker found{icu::UnicodeString(text, start, close + 2 - start),
                         icu::UnicodeString(text, start + 6, close - start - 6), 0};
    const icu::UnicodeString& range = found.range;
    if (range.isEmpty())
        return std::nullopt;
    const int first = levelDigit(range.charAt(0));
    if (first >= 6)
        return std::nullopt;
    if (range.length() >= 2) {
        if (range.length() < 3)
            return std::nullopt;
        const int last = levelDigit(range.charAt(2));
        if (last > 6 || first > last)
            return std::nullopt;
    }
    found.baseLevel = first < 2 ? 0 : first - 1;
    return found;
}

// The end of a bibliography definition that starts its continuation at
// `from`: a line break before an empty line, before "[" or before the last
// character, or any "[". Continuation lines keep their newlines, so the
// definition is one piece of the text and can be replaced.
int32_t citationDefinitionEnd(const icu::UnicodeString& text, int32_t from) {
    const int32_t length = text.length();
    if (from >= length || text.charAt(from) == u'\n')
        return from;
    for (int32_t at = from; at < length; ++at) {
        const char16_t c = text.charAt(at);
        if (c == u'[')
            return at;
        if (c == u'\n' && (length - at - 1 <= 1 || text.charAt(at + 1) == u'\n' || text.charAt(at + 1) == u'['))
            return at;
    }
    return length;
}

}  // namespace

void MarkdownConverter::toc_create() {
    std::optional<ContentsMarker> marker = findContentsMarker(str);
    if (!marker)
        return;
    long baseLevel = marker->baseLevel;
    // A heading starts its line with "<h": only those lines are tried.
    const icu::UnicodeString pattern =
        engine::formatted(u"(?m)^<h[%@]{1,1}>(.*?)</h[%@]{1,1}>$", {marker->range, marker->range});
    engine::RegexResult result;
    std::vector<engine::Match> headings =
        engine::findAllAt(str, pattern, engine::atPlannedStarts(engine::linesStartingWith(str, u"<h"), pattern, engine::kNoOptions),
                          engine::kNoOptions, &result)
            .value_or(std::vector<engine::Match>{});
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});

    std::vector<engine::RangeEdit> edits;
    icu::UnicodeString contents;
    for (size_t i = 0; i < headings.size(); ++i) {
        const icu::UnicodeString& line = headings[i].text();
        const long level = levelDigit(line.charAt(2));
        if (i == 0 && level >= 2 && baseLevel < 2)
            baseLevel = level - 1;
        icu::UnicodeString indentation;
        for (long k = 0; k < level - baseLevel - 1; ++k)
            indentation.append(u'\t');
        const icu::UnicodeString text(line, 4, line.length() - 9);
        const icu::UnicodeString identifier = identifierFrom(text);
        const icu::UnicodeString levelText = engine::number(level);
        edits.push_back({headings[i].start(), headings[i].end(),
                         engine::formatted(u"<h%@ id=\"%@\">%@</h%@>", {levelText, identifier, text, levelText})});
        contents.append(engine::formatted(u"%@- <a href=\"#%@\">%@</a>", {indentation, identifier, text}));
        if (i + 1 < headings.size())
            contents.append(u'\n');
    }
    engine::applyRangeEdits(str, std::move(edits));
    // The contents are a Markdown list; the list pass builds it.
    engine::replaceFirstOccurencyOfString(str, marker->marker, engine::trimmed(contents));
}

void MarkdownConverter::performBibliography() {
    // Definitions: each becomes an empty line.
    std::map<icu::UnicodeString, icu::UnicodeString> bibliography;
    std::vector<engine::RangeEdit> definitions;
    for (const engine::TextRange& match : engine::matchRangesAtOpenings(str, uR"(\[\#(.*?)\]\:(.*?)\n)")) {
        const int32_t end = citationDefinitionEnd(str, match.end);
        const icu::UnicodeString definition(str, match.start, end - match.start);
        engine::log(u"TheFootnoteDestinationString %@", {definition});
        std::vector<icu::UnicodeString> pieces = engine::split(definition, u"]: ");
        if (pieces.size() >= 2)
            bibliography[icu::UnicodeString(pieces[0], 2)] = pieces[1];
        else
            engine::log(u"Hier haben wir einen Fehler gemacht %@", {engine::join(pieces, u", ")});
        definitions.push_back({match.start, end, u"\n"});
    }
    engine::applyRangeEdits(str, std::move(definitions));

    // Citations: one number per distinct citation text, every use replaced.
    std::vector<engine::TextRange> citations = engine::matchRangesAtOpenings(str, uR"(\[(.*?)\]\[\#(.*?)\])");
    if (citations.empty())
        return;
    std::vector<engine::RangeEdit> links;
    if (bibliography.empty()) {
        for (const engine::TextRange& citation : citations)
            links.push_back({citation.start, citation.end, {}});
        engine::applyRangeEdits(str, std::move(links));
        return;
    }
    std::map<icu::UnicodeString, icu::UnicodeString> linkForText;
    std::set<icu::UnicodeString> unresolved;
    icu::UnicodeString list;
    int64_t n = 1;
    for (const engine::TextRange& citation : citations) {
        const icu::UnicodeString text = str.tempSubString(citation.start, citation.end - citation.start);
        if (unresolved.count(text))
            continue;
        auto known = linkForText.find(text);
        if (known == linkForText.end()) {
            std::vector<icu::UnicodeString> pieces = engine::split(text, u"][#");
            auto entry = pieces.size() >= 2 ? bibliography.find(icu::UnicodeString(pieces[1], 0, pieces[1].length() - 1))
                                            : bibliography.end();
            if (entry == bibliography.end()) {
                unresolved.insert(text);
                continue;
            }
            const icu::UnicodeString locator = engine::trimmedOfSpacesAndTabs(icu::UnicodeString(pieces[0], 1));
            const icu::UnicodeString number = engine::number(n++);
            icu::UnicodeString link =
                locator.isEmpty()
                    ? engine::formatted(u"<a href=\"#cn:%@\" id=\"cnref:%@\" title=\"see citation\" "
                                        u"class=\"citation\">(%@)</a>",
                                        {number, number, number})
                    : engine::formatted(u"<a href=\"#cn:%@\" id=\"cnref:%@\" title=\"see citation\" "
                                        u"class=\"citation\">(%@, %@)</a>",
                                        {number, number, locator, number});
            list.append(engine::formatted(u"<li id=\"cn:%@\">%@<a href=\"#cnref:%@\" title=\"return to body\" "
                                          u"class=\"reversecitation\">&#160;&#8617;</a></li>",
                                          {number, entry->second, number}));
            known = linkForText.emplace(text, link).first;
        }
        links.push_back({citation.start, citation.end, known->second});
    }
    engine::applyRangeEdits(str, std::move(links));
    if (!list.isEmpty())
        str.append(engine::formatted(u"\n\n<div class=\"cituation\">\n<hr%@\n<ol>\n%@</ol>\n</div>", {HTML_close, list}));
}
