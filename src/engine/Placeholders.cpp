#include "engine/Placeholders.h"

#include <algorithm>
#include <string>
#include <vector>
#include <unicode/ustring.h>

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// A saved text that holds its own token would otherwise restore forever.
constexpr int kMaxNestingDepth = 64;
constexpr int64_t kGrowthFactor = 8;
constexpr int64_t kGrowthAlways = int64_t(1) << 20;
// A token's number has at most this many digits.
constexpr int32_t kMaxDigits = 18;

}  // namespace

bool replaceFirstOccurencyOfString(icu::UnicodeString& text, const icu::UnicodeString& target,
                                   const icu::UnicodeString& withString) {
    if (target.isEmpty())
        return false;
    int32_t at = text.indexOf(target);
    if (at < 0)
        return false;
    text.replace(at, target.length(), withString);
    return true;
}

PlaceholderTable::PlaceholderTable(icu::UnicodeString prefix, icu::UnicodeString suffix)
    : prefix_(std::move(prefix)), suffix_(std::move(suffix)) {}

icu::UnicodeString PlaceholderTable::tokenFor(int64_t number) const {
    icu::UnicodeString token(prefix_);
    token += engine::number(number);
    token += suffix_;
    return token;
}

icu::UnicodeString PlaceholderTable::set(int64_t number, const icu::UnicodeString& saved) {
    icu::UnicodeString& entry = saved_[number];
    savedLength_ += saved.length() - entry.length();
    entry = saved;
    return tokenFor(number);
}

icu::UnicodeString PlaceholderTable::add(const icu::UnicodeString& saved) {
    int64_t next = saved_.empty() ? 0 : saved_.rbegin()->first + 1;
    return set(next, saved);
}

std::optional<icu::UnicodeString> PlaceholderTable::savedText(int64_t number) const {
    auto found = saved_.find(number);
    if (found == saved_.end())
        return std::nullopt;
    return found->second;
}

std::optional<icu::UnicodeString> PlaceholderTable::savedTextForToken(const icu::UnicodeString& token) const {
    if (!token.startsWith(prefix_) || !token.endsWith(suffix_))
        return std::nullopt;
    int32_t digitsLength = token.length() - prefix_.length() - suffix_.length();
    if (digitsLength <= 0 || digitsLength > kMaxDigits)
        return std::nullopt;
    int64_t number = 0;
    for (int32_t i = prefix_.length(); i < prefix_.length() + digitsLength; ++i) {
        char16_t c = token.charAt(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        number = number * 10 + (c - u'0');
    }
    if (tokenFor(number) != token)
        return std::nullopt;
    return savedText(number);
}

int32_t PlaceholderTable::tokenEndAt(const char16_t* text, int32_t length, int32_t at,
                                     const icu::UnicodeString** saved) const {
    const int32_t digitsStart = at + prefix_.length();
    int32_t digitsEnd = digitsStart;
    int64_t number = 0;
    while (digitsEnd < length && digitsEnd - digitsStart < kMaxDigits && text[digitsEnd] >= u'0' &&
           text[digitsEnd] <= u'9') {
        number = number * 10 + (text[digitsEnd] - u'0');
        ++digitsEnd;
    }
    // Only the canonical spelling counts: "007" is not the token of 7.
    if (digitsEnd == digitsStart || (text[digitsStart] == u'0' && digitsEnd - digitsStart > 1))
        return -1;
    const int32_t suffixLength = suffix_.length();
    if (length - digitsEnd < suffixLength ||
        !std::equal(text + digitsEnd, text + digitsEnd + suffixLength, suffix_.getBuffer()))
        return -1;
    auto found = saved_.find(number);
    if (found == saved_.end())
        return -1;
    *saved = &found->second;
    return digitsEnd + suffixLength;
}

bool PlaceholderTable::restoreOnce(icu::UnicodeString& text, const std::vector<Span>& candidates,
                                   std::vector<Span>& restored, int64_t longest) const {
    const char16_t* buffer = text.getBuffer();
    const int32_t length = text.length();
    const char16_t* prefix = prefix_.getBuffer();
    const int32_t prefixLength = prefix_.length();
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    restored.clear();
    const int32_t lastStart = length - prefixLength;
    // The next token start in [at, limit), or limit. The prefix's first unit
    // is looked for over the rest of the text by the engine's memchr search,
    // inside a span by u_memchr, which stops at the span's end.
    auto nextPrefix = [&](int32_t at, int32_t limit) {
        while (at < limit) {
            if (limit > lastStart) {
                at = findUnit(text, prefix[0], at);
                if (at < 0 || at >= limit)
                    return limit;
            } else {
                const char16_t* first = u_memchr(buffer + at, prefix[0], limit - at);
                if (!first)
                    return limit;
                at = static_cast<int32_t>(first - buffer);
            }
            if (std::equal(prefix + 1, prefix + prefixLength, buffer + at + 1))
                return at;
            ++at;
        }
        return limit;
    };
    for (const Span& span : candidates) {
        const int32_t limit = std::min(span.end, lastStart + 1);
        for (int32_t at = nextPrefix(std::max(span.start, copiedUpTo), limit); at < limit;
             at = nextPrefix(at + 1, limit)) {
            const icu::UnicodeString* saved = nullptr;
            const int32_t tokenEnd = tokenEndAt(buffer, length, at, &saved);
            if (tokenEnd < 0)
                continue;
            if (int64_t(out.length()) + (at - copiedUpTo) + saved->length() + (length - tokenEnd) > longest)
                continue;
            if (restored.empty())
                out = emptyWithRoomFor(text);
            out.append(buffer, copiedUpTo, at - copiedUpTo);
            const int32_t restoredStart = out.length();
            out.append(*saved);
            restored.push_back({restoredStart, out.length()});
            copiedUpTo = tokenEnd;
            at = tokenEnd - 1;
        }
    }
    if (restored.empty())
        return false;
    out.append(buffer, copiedUpTo, length - copiedUpTo);
    text = std::move(out);
    return true;
}

void PlaceholderTable::restoreInto(icu::UnicodeString& text) const {
    if (saved_.empty() || prefix_.isEmpty())
        return;
    // A pass takes every token it meets, left to right, and skips only the
    // text of the tokens it took. A token in the new text therefore overlaps
    // a restored text (or the seam where an empty one was): the text it
    // copied held no token it had not taken. So each further pass looks only
    // around the restored texts, back by one token's length less one.
    const int32_t reach = prefix_.length() + kMaxDigits + suffix_.length() - 1;
    // Each saved text comes back where its token stands: a reference used a
    // hundred times brings its address back a hundred times. A writer who
    // types tokens into saved text (code quoting its own token twice, say)
    // would make every level double the text; past this length the tokens
    // stay as written.
    const int64_t longest =
        text.length() + std::max(kGrowthFactor * (text.length() + savedLength_), kGrowthAlways);
    std::vector<Span> candidates{{0, text.length()}};
    std::vector<Span> restored;
    for (int depth = 0; depth < kMaxNestingDepth && restoreOnce(text, candidates, restored, longest); ++depth) {
        candidates.clear();
        for (const Span& piece : restored) {
            const int32_t from = std::max(0, piece.start - reach);
            if (!candidates.empty() && from <= candidates.back().end)
                candidates.back().end = std::max(candidates.back().end, piece.end);
            else
                candidates.push_back({from, piece.end});
        }
    }
}

}  // namespace engine
