#include "markdown/DefinitionTermScan.h"

#include "engine/TextUtilities.h"

namespace markdown {
namespace {

int32_t dotLineEndFrom(const icu::UnicodeString& text, int32_t at) {
    while (at < text.length() && !engine::endsLineForDot(text.charAt(at)))
        ++at;
    return at;
}

}  // namespace

int32_t definitionTermEnd(const icu::UnicodeString& text, int32_t at) {
    const int32_t length = text.length();
    // Multi-line "^": after any line end ("\r" of "\r\n" too, for ICU).
    if (at > 0 && !engine::endsLineForDot(text.charAt(at - 1)))
        return -1;
    // "(.*?)" stops at the line end, where "[\n]{1,2}" must start; it takes
    // a second "\n" first, and giving it back leaves "\n" where ":" must be.
    const int32_t newline = dotLineEndFrom(text, at);
    if (newline >= length || text.charAt(newline) != u'\n')
        return -1;
    int32_t colon = newline + 1;
    if (colon < length && text.charAt(colon) == u'\n')
        ++colon;
    if (colon + 1 >= length || text.charAt(colon) != u':')
        return -1;
    int32_t definition = colon + 1;
    if (text.charAt(definition) != u' ' && text.charAt(definition) != u'\t')
        return -1;
    while (definition < length && (text.charAt(definition) == u' ' || text.charAt(definition) == u'\t'))
        ++definition;
    // "(.*?)$" ends at the first line end, or at the text's end.
    return dotLineEndFrom(text, definition);
}

}  // namespace markdown
