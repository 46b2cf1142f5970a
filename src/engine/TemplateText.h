#pragma once
// Text that goes into a replacement template as it stands.

#include <unicode/unistr.h>

namespace engine {

// Escapes "$" and "\" so that the template inserts the text literally: a
// document's own text (a link root, say) must not be read as group
// references or escapes when it is built into a rule's template.
icu::UnicodeString escapedTemplateText(const icu::UnicodeString& literal);

}  // namespace engine
