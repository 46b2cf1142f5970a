#pragma once
// The HTML of one list's text: its lines read as items and their further
// paragraphs, nested by tab depth, every list closed inside the item that
// holds it.

#include <unicode/unistr.h>

namespace markdown {

// `listText` holds the list's lines, each followed by "\n", starting with an
// item. A change of marker at one depth starts a new list; a list is loose
// (its items' paragraphs get p elements) when an empty line stands between
// two of its items or inside one of them.
icu::UnicodeString listHTML(const icu::UnicodeString& listText);

}  // namespace markdown
