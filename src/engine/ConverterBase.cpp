#include "engine/ConverterBase.h"

#include "engine/Log.h"
#include "engine/RangeEdits.h"
#include "engine/ConversionSettings.h"
#include "engine/TextUtilities.h"

ConverterBase::ConverterBase() : htmlBlocksEscaped(u"%%SavedHTMLBlock(", u")%%") {}

ConverterBase& ConverterBase::initWithString(const icu::UnicodeString& string, RuleTable andRegexArray) {
    regexes = std::move(andRegexArray);
    str = string;
    htmlBlocksEscaped = engine::PlaceholderTable(u"%%SavedHTMLBlock(", u")%%");
    return *this;
}

void ConverterBase::setHTML5orXHTML() {
    HTML_close = engine::conversionSettings().useHtml5 ? u">" : u" />";
}

void ConverterBase::simpleTransform() {
    for (const RuleRecord& rule : regexes)
        applySimpleRule(rule);
}

void ConverterBase::applySimpleRule(const RuleRecord& rule) {
    if (!rule.regexReplace && !rule.regexMultiLineReplace) {
        engine::replaceAllLiteral(str, rule.pattern, rule.templateText);
        return;
    }
    uint32_t options = rule.regexReplace ? engine::kNoOptions : engine::kDotMatchesLineSeparators;
    engine::RegexResult result = engine::replaceAll(str, rule.pattern, rule.templateText, options);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error Markup/simpleTransform/performRegex : %@", {result.error});
}

void ConverterBase::transformWithDotMatchRules(const RuleTable& table) {
    for (const RuleRecord& rule : table)
        replaceMatchesWithPattern(rule.pattern, rule.templateText, rule.dotMatch);
}

namespace {

std::optional<std::vector<engine::Match>> matchesLogged(const icu::UnicodeString& text,
                                                        const icu::UnicodeString& pattern, uint32_t options) {
    engine::RegexResult result;
    auto matches = engine::findAll(text, pattern, options, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
    return matches;
}

}  // namespace

std::optional<std::vector<engine::Match>> ConverterBase::matchesForPattern(const icu::UnicodeString& pattern) const {
    return matchesLogged(str, pattern, engine::kNoOptions);
}

std::optional<std::vector<engine::Match>> ConverterBase::matchesForDotMatchedPattern(
    const icu::UnicodeString& pattern) const {
    return matchesLogged(str, pattern, engine::kDotMatchesLineSeparators);
}

void ConverterBase::replaceMatchesWithPattern(const icu::UnicodeString& pattern, const icu::UnicodeString& andTemplate,
                                            bool dotMatch) {
    uint32_t options = dotMatch ? engine::kDotMatchesLineSeparators : engine::kNoOptions;
    engine::RegexResult result = engine::replaceAll(str, pattern, andTemplate, options);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
}

void ConverterBase::saveHTMLBlocksWithStart(const icu::UnicodeString& startPattern, const icu::UnicodeString& endSymbol,
                                          const icu::UnicodeString& replaceStart,
                                          const icu::UnicodeString& replaceEnd) {
    icu::UnicodeString pattern = engine::formatted(u"(%@)(.*?)(%@)", {startPattern, endSymbol});
    // No block ends after the last end marker, so the search stops there: an
    // unclosed start marker after it would scan on to the end of the text,
    // once for each such marker.
    int32_t limit = str.length();
    if (!replaceEnd.isEmpty()) {
        const int32_t lastEnd = str.lastIndexOf(replaceEnd);
        limit = lastEnd < 0 ? 0 : lastEnd + replaceEnd.length();
    }
    engine::RegexResult result;
    auto matches = engine::findAll(icu::UnicodeString(str, 0, limit), pattern, engine::kDotMatchesLineSeparators, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error Markuo/SaveHTMLBlocks: %@", {result.error});
    if (!matches || matches->empty())
        return;

    // The blocks are taken in text order, each at its own place: the first
    // occurrence of a block's text is never earlier, because an earlier copy
    // would itself have been a match there. So one walk over the text gives
    // what replacing first occurrences one by one would give.
    std::vector<engine::RangeEdit> edits;
    int64_t number = 1;
    for (const engine::Match& match : *matches) {
        icu::UnicodeString saved = match.text();
        if (int32_t at = saved.indexOf(replaceStart); !replaceStart.isEmpty() && at >= 0)
            saved.remove(at, replaceStart.length());
        if (int32_t at = saved.lastIndexOf(replaceEnd); !replaceEnd.isEmpty() && at >= 0)
            saved.remove(at, replaceEnd.length());
        edits.push_back({match.start(), match.end(), htmlBlocksEscaped.set(number++, saved)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void ConverterBase::returnSavedHTMLBlocks() {
    htmlBlocksEscaped.restoreInto(str);
}
