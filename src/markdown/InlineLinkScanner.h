#pragma once
// Where the inline link and image rules ("[text](address)", with or without
// a "title") match, found by walking the text instead of running their
// patterns: the patterns spend most of their time stepping their lazy loops
// one character at a time.

#include <cstdint>

namespace markdown {

enum class LinkClosing {
    plain,     // "[ \t]*\)"
    withTitle  // "[ \t]+"(.*?)"[ \t]*\)"
};

// The end of the match that the rule
//   <opening>((?:[^\[\]\n]|\[[^\[\]\n]*\])*?)\]\([ \t]*<?(((?:[^()\n]|\([^()\n]*\))*?))>?<closing>
// finds when tried at `at` (where its opening of `openingLength` characters
// stands), or -1 when it finds none there.
int32_t inlineLinkEnd(const char16_t* text, int32_t length, int32_t at, int32_t openingLength, LinkClosing closing);

}  // namespace markdown
