#include "engine/Placeholders.h"

#include <string>
#include <vector>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// A saved text that holds its own token would otherwise restore forever.
constexpr int kMaxNestingDepth = 64;

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
    saved_[number] = saved;
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
    if (digitsLength <= 0 || digitsLength > 18)
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

bool PlaceholderTable::restoreOnce(icu::UnicodeString& text) const {
    int32_t at = text.indexOf(prefix_);
    if (at < 0)
        return false;
    std::vector<RangeEdit> edits;
    while (at >= 0) {
        int32_t digitsEnd = at + prefix_.length();
        int64_t number = 0;
        while (digitsEnd < text.length() && digitsEnd - at - prefix_.length() < 18 &&
               text.charAt(digitsEnd) >= u'0' && text.charAt(digitsEnd) <= u'9') {
            number = number * 10 + (text.charAt(digitsEnd) - u'0');
            ++digitsEnd;
        }
        auto found = saved_.end();
        if (digitsEnd > at + prefix_.length() && text.compare(digitsEnd, suffix_.length(), suffix_) == 0)
            found = saved_.find(number);
        // Only the canonical spelling counts: "007" is not the token of 7.
        if (found != saved_.end() && text.compare(at, digitsEnd + suffix_.length() - at, tokenFor(number)) == 0) {
            const int32_t tokenEnd = digitsEnd + suffix_.length();
            edits.push_back({at, tokenEnd, found->second});  // shares the saved text's buffer
            at = text.indexOf(prefix_, tokenEnd);
        } else {
            at = text.indexOf(prefix_, at + 1);
        }
    }
    if (edits.empty())
        return false;
    applyRangeEdits(text, std::move(edits));
    return true;
}

void PlaceholderTable::restoreInto(icu::UnicodeString& text) const {
    if (saved_.empty() || prefix_.isEmpty())
        return;
    for (int depth = 0; depth < kMaxNestingDepth && restoreOnce(text); ++depth) {
    }
}

}  // namespace engine
