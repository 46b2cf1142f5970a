#pragma once
// Bold and italic written with apostrophes, line by line: two for italic,
// three for bold, five for both. Marks that cross ("'''b ''c''' d''") close
// and reopen so that the elements nest; what is open at a line end closes
// there. Apostrophes inside tags are left alone.

#include <unicode/unistr.h>

namespace wikitext {

void applyEmphasis(icu::UnicodeString& text);

}  // namespace wikitext
