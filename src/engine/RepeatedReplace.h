#pragma once
// One rule applied to many small texts (saved pieces, one at a time) with one
// matcher: each apply gives what replaceAll gives, without looking up the
// pattern or setting up a matcher for each text.

#include <memory>

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

class RepeatedReplace {
public:
    RepeatedReplace(icu::UnicodeString pattern, icu::UnicodeString replacementTemplate, uint32_t options = kNoOptions);
    ~RepeatedReplace();
    RepeatedReplace(const RepeatedReplace&) = delete;
    RepeatedReplace& operator=(const RepeatedReplace&) = delete;

    bool isValid() const { return matcher_ != nullptr; }
    const icu::UnicodeString& pattern() const { return pattern_; }
    RegexResult apply(icu::UnicodeString& text);

private:
    icu::UnicodeString pattern_;
    icu::UnicodeString template_;
    icu::UnicodeString error_;
    std::unique_ptr<icu::RegexMatcher> matcher_;
};

}  // namespace engine
