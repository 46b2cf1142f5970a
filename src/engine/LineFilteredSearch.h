#pragma once
// Searching only the lines that can hold a match. A pattern that starts with
// a look-behind makes ICU try every position of the text; when every match
// must contain a fixed piece of text (a file extension, say), searching just
// the lines that hold that piece gives the same matches far faster.

#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// The same matches as findAll(text, pattern, options) for a pattern that
// cannot match across a line end, whose look-arounds look no further than the
// line, and each of whose matches contains one of `needles`: each line that
// holds a needle is searched on its own. Positions refer to `text`.
std::optional<std::vector<Match>> findAllInLinesWith(const icu::UnicodeString& text,
                                                     const icu::UnicodeString& pattern,
                                                     const std::vector<icu::UnicodeString>& needles,
                                                     uint32_t options = kNoOptions, RegexResult* result = nullptr);

}  // namespace engine
