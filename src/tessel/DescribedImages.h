#pragma once
// Finding "(description)[source]" in one pass over each line.

#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace tessel {

// The ranges the pattern "\((?![0-9]+\)%%).*?\)\[(.*?)\]" matches, left to
// right: from a "(" (not one of a saved raw block's token, "(12)%%") over the
// first ")[" after it to the first "]" after that, within a line. When no
// "]" follows the first ")[", none follows a later one, so a line that fails
// once is done: a long line of unclosed "(a)[" costs one pass, where the
// pattern retries at every "(" and at every ")[".
std::vector<engine::TextRange> describedImages(const icu::UnicodeString& text);

}  // namespace tessel
