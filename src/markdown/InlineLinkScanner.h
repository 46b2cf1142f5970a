#pragma once
// Where the inline link and image rules ("[text](address)", with or without
// a "title") and the reference link rule match, found by walking the text
// instead of running their patterns: the patterns spend most of their time
// stepping their lazy loops one character at a time.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace markdown {

enum class LinkClosing {
    plain,     // "[ \t]*\)"
    withTitle  // "[ \t]+"(.*?)"[ \t]*\)"
};

// One match of a rule, with the ranges of its groups.
struct InlineLink {
    int32_t end = -1;                  // of the whole match
    engine::TextRange text;            // group 1
    engine::TextRange address;         // groups 2 and 3
    engine::TextRange title{-1, -1};   // group 4 of a rule with a title
};

// Every match of an inline link or image rule in `text`, as a find loop
// over the text finds them (each opening of the rule tried in turn).
std::vector<InlineLink> inlineLinks(const icu::UnicodeString& text, const icu::UnicodeString& opening,
                                    LinkClosing closing);

// The address of a reference definition ("[name]: address") whose line
// starts at `at`, as the rule
//   (?m)^[ ]{0,3}\[[^\]\n^#][^\]\n]*\]:[ \t]*(<[^<>\n]*>|\S+)
// finds it there (its group 1), if any: in angle brackets it may hold blanks.
std::optional<engine::TextRange> definitionAddressAt(const char16_t* text, int32_t length, int32_t at);

// Every reference image "![alt][key]" (a blank or a line break may stand
// between), as a find loop with the pattern
//   !\[(.*?)\][ \n]{0,1}\[(.*?)\]
// finds them: the whole matches.
std::vector<engine::TextRange> referenceImages(const icu::UnicodeString& text);

// Every reference definition "[name]: address" with an optional title line,
// as a find loop with the pattern
//   \[(.*)\]\:(.*?)\n([ \t]{0,}["(]{1,1}(.*)[")]{1,1}\n)?
// finds them: the whole matches.
std::vector<engine::TextRange> referenceDefinitions(const icu::UnicodeString& text);

// A reference link "[text]", "[text][name]" or "[text] [name]" (the gap may
// hold one line break), each as the pattern
//   \[((?:[^\[\]\n]|\n(?!\n)|\[[^\[\]\n]*\])*?)\](?:[ ]?(?:\n[ ]*)?\[([^\[\]\n]*)\])?
// finds it.
struct ReferenceLink {
    int32_t start = 0;
    int32_t end = 0;
    engine::TextRange text;                // group 1
    std::optional<engine::TextRange> name; // group 2, when it took part
};

// Every reference link of `text`, as a find loop over the text finds them.
// With `takes`, only the links it takes are kept; after one it does not
// take, the search goes on inside its brackets ("[see [this] here]").
std::vector<ReferenceLink> referenceLinks(const icu::UnicodeString& text,
                                          const std::function<bool(const ReferenceLink&)>& takes = {});

}  // namespace markdown
