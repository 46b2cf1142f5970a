#pragma once
// Spans between two markers, found by a walk instead of a pattern such as
// "**(.*?)**" with the dot matching line ends. The regex tries every marker
// as an opening and, for each, every later position until a closing marker;
// the walk jumps from marker to marker, and where an opening finds no
// closing it knows that no opening before the same limit can find one.
// Plain doubled markers ("~~") need none of this rule's checks and have
// DoubledMarkerSpans; this walk is for single or doubled markers that must
// pass a check at both ends or stay within a paragraph.

#include <cstdint>
#include <unicode/unistr.h>

namespace engine {

// Whether the marker of `markerLength` code units at `at` of `text` may open
// or close a span (a check a pattern makes with look-arounds at both ends).
using MarkerCheck = bool (*)(const char16_t* text, int32_t length, int32_t at, int32_t markerLength);

struct MarkedSpanRule {
    icu::UnicodeString marker;  // holds no "\r" or "\n"
    // True: a span holds no empty line, as "((?:(?!\n\n).)*?)" with dot-all.
    bool withinParagraph = false;
    // Null: every marker counts.
    MarkerCheck counts = nullptr;
    // What replaces the opening and the closing marker.
    icu::UnicodeString before;
    icu::UnicodeString after;
};

// Replaces each span, left to right and without overlaps, by the rule's
// `before`, the text between the markers and its `after`: the same as
// replacing the matches of "M(.*?)M" (dot-all, the span's condition and the
// checks at both markers) by "before$1after". Returns whether it replaced any.
bool replaceMarkedSpans(icu::UnicodeString& text, const MarkedSpanRule& rule);

}  // namespace engine
