#pragma once
// The header of a "+table …+" block: table attributes, the cell separator and
// the file whose rows join the body, read the same way by the import and the
// table passes.

#include <unicode/unistr.h>

namespace tessel {

// A table block from "+table" to "+endtable+"; the header holds no "+".
inline const char16_t* const kTableBlock = uR"(\+table([^+]*)\+(.*?)\+endtable\+)";

struct TableHeader {
    icu::UnicodeString attributes;
    icu::UnicodeString separator;   // empty: one cell per line, blank lines end rows
    icu::UnicodeString importName;  // empty: no file named
};

// `block` is the whole matched block.
TableHeader parseTableHeader(const icu::UnicodeString& block);

// The body: the text after the header without "+endtable+", trimmed.
icu::UnicodeString tableBody(const icu::UnicodeString& block);

}  // namespace tessel
