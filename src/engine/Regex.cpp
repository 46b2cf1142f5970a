#include "engine/Regex.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "engine/ConversionBudget.h"
#include "engine/TextSearch.h"
#include "engine/Log.h"
#include "engine/RepeatedReplace.h"
#include "engine/ReplacementTemplate.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// ICU counts time in ticks of 10,000 backtracking steps (well under a
// millisecond each), over one whole search. An honest search costs a few steps
// per character; a runaway costs exponentially many. The limit allows
// hundreds of steps per character of the text, and at least a few tenths of a
// second, so only a runaway ever reaches it.
int32_t matchTimeLimitTicks(const icu::UnicodeString& text) {
    constexpr int32_t kMinimumTicks = 3000;
    return kMinimumTicks + text.length() / 50;
}

// Patterns built from document text (escaped link texts and the like) would
// grow the cache without bound; past this size it starts afresh.
constexpr size_t kMaxCachedPatterns = 20000;

struct CompiledEntry {
    std::unique_ptr<icu::RegexPattern> pattern;
    icu::UnicodeString error;
};

// One cache per thread: conversions run on several threads at once, and a
// cache that starts afresh must never free a pattern that a matcher on
// another thread still runs on.
thread_local std::unordered_map<std::u16string, std::shared_ptr<const CompiledEntry>> cache;

std::u16string cacheKey(const icu::UnicodeString& pattern, uint32_t options) {
    std::u16string key(reinterpret_cast<const char16_t*>(&options), sizeof options / sizeof(char16_t));
    key.append(pattern.getBuffer(), static_cast<size_t>(pattern.length()));
    return key;
}

std::shared_ptr<const CompiledEntry> compile(const icu::UnicodeString& pattern, uint32_t options) {
    auto entry = std::make_shared<CompiledEntry>();
    UParseError parseError{};
    UErrorCode status = U_ZERO_ERROR;
    entry->pattern.reset(icu::RegexPattern::compile(pattern, options, parseError, status));
    if (U_FAILURE(status)) {
        entry->pattern.reset();
        entry->error = icu::UnicodeString::fromUTF8(u_errorName(status));
        if (parseError.offset >= 0)
            entry->error += icu::UnicodeString::fromUTF8(" at offset " + std::to_string(parseError.offset));
    }
    return entry;
}

std::shared_ptr<const CompiledEntry> cachedEntry(const icu::UnicodeString& pattern, uint32_t options) {
    std::u16string key = cacheKey(pattern, options);
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    auto entry = compile(pattern, options);
    if (cache.size() >= kMaxCachedPatterns)
        cache.clear();
    cache.emplace(std::move(key), entry);
    return entry;
}

// A matcher over `text` with the time limit set; null (and `result` filled)
// when the pattern does not compile.
std::unique_ptr<icu::RegexMatcher> matcherFor(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                              uint32_t options, RegexResult& result) {
    stopIfOverBudget();
    auto entry = cachedEntry(pattern, options);
    if (!entry->pattern) {
        result = {RegexStatus::invalidPattern, entry->error};
        return nullptr;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(entry->pattern->matcher(text, status));
    if (U_SUCCESS(status)) {
        matcher->setTimeLimit(matchTimeLimitTicks(text), status);
        stopMatcherWithConversion(*matcher);
    }
    if (U_FAILURE(status)) {
        result = {RegexStatus::invalidPattern, icu::UnicodeString::fromUTF8(u_errorName(status))};
        return nullptr;
    }
    return matcher;
}

}  // namespace

bool searchFailed(UErrorCode status, const icu::UnicodeString& pattern, RegexResult& result) {
    if (U_SUCCESS(status))
        return false;
    if (status == U_REGEX_STOPPED_BY_CALLER)
        throw ConversionStopped{};
    result = {RegexStatus::timedOut, icu::UnicodeString::fromUTF8(u_errorName(status))};
    log(u"Regex stopped (%@) - rule skipped - %@", {result.error, pattern});
    return true;
}

Match matchFrom(const icu::RegexMatcher& matcher, const icu::UnicodeString& text) {
    Match match;
    const int32_t groups = matcher.groupCount();
    for (int32_t g = 0; g <= groups; ++g) {
        UErrorCode status = U_ZERO_ERROR;
        int32_t start = matcher.start(g, status);
        int32_t end = matcher.end(g, status);
        match.starts.push_back(start);
        match.ends.push_back(end);
        match.texts.emplace_back(start >= 0 ? icu::UnicodeString(text, start, end - start)
                                            : icu::UnicodeString());
    }
    return match;
}

std::unique_ptr<icu::RegexMatcher> timedMatcher(const icu::RegexPattern& pattern, const icu::UnicodeString& text) {
    stopIfOverBudget();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(text, status));
    matcher->setTimeLimit(matchTimeLimitTicks(text), status);
    stopMatcherWithConversion(*matcher);
    return matcher;
}

const icu::RegexPattern* compiledPattern(const icu::UnicodeString& pattern, uint32_t options,
                                         icu::UnicodeString* error) {
    auto entry = cachedEntry(pattern, options);
    if (error)
        *error = entry->error;
    return entry->pattern.get();
}

namespace {

// Replaces the matches of `matcher`, which runs over `text`, leaving alone
// every match for which `keep` says so.
template <typename Keep>
RegexResult replaceMatches(icu::RegexMatcher& matcher, icu::UnicodeString& text, const icu::UnicodeString& pattern,
                           const icu::UnicodeString& replacementTemplate, Keep keep) {
    RegexResult result;
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    UErrorCode status = U_ZERO_ERROR;
    bool replacedAny = false;
    while (matcher.find(status)) {
        UErrorCode rangeStatus = U_ZERO_ERROR;
        int32_t start = matcher.start(rangeStatus);
        if (keep(start))
            continue;
        if (!replacedAny)
            out = emptyWithRoomFor(text);
        out.append(text, copiedUpTo, start - copiedUpTo);
        appendEvaluatedTemplate(out, replacementTemplate, matcher, text);
        copiedUpTo = matcher.end(rangeStatus);
        replacedAny = true;
    }
    const bool failed = searchFailed(status, pattern, result);
    // The matcher lets go of the text before it changes.
    static const icu::UnicodeString nothing;
    matcher.reset(nothing);
    if (!failed && replacedAny) {
        out.append(text, copiedUpTo, text.length() - copiedUpTo);
        text = std::move(out);
    }
    return result;
}

// replaceAll, leaving alone every match for which `keep` says so.
template <typename Keep>
RegexResult replaceAllExcept(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                             const icu::UnicodeString& replacementTemplate, uint32_t options, Keep keep) {
    RegexResult result;
    auto matcher = matcherFor(text, pattern, options, result);
    if (!matcher)
        return result;
    return replaceMatches(*matcher, text, pattern, replacementTemplate, keep);
}

}  // namespace

RegexResult replaceAll(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                       const icu::UnicodeString& replacementTemplate, uint32_t options) {
    return replaceAllExcept(text, pattern, replacementTemplate, options, [](int32_t) { return false; });
}

RegexResult replaceAllOutside(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                              const icu::UnicodeString& replacementTemplate, const std::vector<TextRange>& keptRanges,
                              uint32_t options) {
    auto range = keptRanges.begin();
    return replaceAllExcept(text, pattern, replacementTemplate, options, [&](int32_t start) {
        while (range != keptRanges.end() && range->end <= start)
            ++range;
        return range != keptRanges.end() && range->start <= start;
    });
}

std::optional<std::vector<Match>> findAll(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                          uint32_t options, RegexResult* result) {
    RegexResult local;
    RegexResult& outcome = result ? *result : local;
    outcome = {};
    auto matcher = matcherFor(text, pattern, options, outcome);
    if (!matcher)
        return std::nullopt;
    std::vector<Match> matches;
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status))
        matches.push_back(matchFrom(*matcher, text));
    if (searchFailed(status, pattern, outcome))
        return std::nullopt;
    return matches;
}

std::optional<Match> findFirst(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                               uint32_t options, int32_t from) {
    RegexResult result;
    auto matcher = matcherFor(text, pattern, options, result);
    if (!matcher || from > text.length())
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    if (matcher->find(from, status))
        return matchFrom(*matcher, text);
    searchFailed(status, pattern, result);
    return std::nullopt;
}

bool containsMatch(const icu::UnicodeString& text, const icu::UnicodeString& pattern, uint32_t options) {
    return findFirst(text, pattern, options).has_value();
}

// RepeatedReplace shares replaceAll's loop.
RepeatedReplace::RepeatedReplace(icu::UnicodeString pattern, icu::UnicodeString replacementTemplate,
                                 uint32_t options)
    : pattern_(std::move(pattern)), template_(std::move(replacementTemplate)) {
    if (const icu::RegexPattern* compiled = compiledPattern(pattern_, options, &error_)) {
        UErrorCode status = U_ZERO_ERROR;
        matcher_.reset(compiled->matcher(status));
        if (U_FAILURE(status))
            matcher_.reset();
        else
            stopMatcherWithConversion(*matcher_);
    }
}

RepeatedReplace::~RepeatedReplace() = default;

RegexResult RepeatedReplace::apply(icu::UnicodeString& text) {
    if (!matcher_)
        return {RegexStatus::invalidPattern, error_};
    stopIfOverBudget();
    UErrorCode status = U_ZERO_ERROR;
    matcher_->reset(text);
    matcher_->setTimeLimit(matchTimeLimitTicks(text), status);
    return replaceMatches(*matcher_, text, pattern_, template_, [](int32_t) { return false; });
}

icu::UnicodeString escapedPattern(const icu::UnicodeString& literal) {
    static const icu::UnicodeString metacharacters(u"\\^$.|?*+()[]{}#- &~");
    icu::UnicodeString out;
    for (int32_t i = 0; i < literal.length(); ++i) {
        char16_t c = literal.charAt(i);
        if (metacharacters.indexOf(c) >= 0)
            out.append(u'\\');
        out.append(c);
    }
    return out;
}

}  // namespace engine
