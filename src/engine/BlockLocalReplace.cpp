#include "engine/BlockLocalReplace.h"

namespace engine {

RegexResult replaceAllInBlocksContaining(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                         const icu::UnicodeString& replacementTemplate,
                                         const icu::UnicodeString& required, uint32_t options) {
    static const icu::UnicodeString blankLine(u"\n\n");
    RegexResult result;
    if (required.isEmpty())
        return replaceAll(text, pattern, replacementTemplate, options);
    int32_t found = text.indexOf(required);
    if (found < 0)
        return result;
    // Room for the text and some growth, so that a large text is not copied
    // again each time the result outgrows its buffer.
    icu::UnicodeString out(text.length() + text.length() / 8 + 16, 0, 0);
    int32_t copiedUpTo = 0;
    bool changed = false;
    while (found >= 0) {
        // The block around this occurrence: from just after the previous cut
        // to just after the first newline of the next blank line.
        int32_t start = text.lastIndexOf(blankLine, copiedUpTo, found - copiedUpTo);
        start = start < 0 ? copiedUpTo : start + 1;
        int32_t cut = text.indexOf(blankLine, found);
        int32_t end = cut < 0 ? text.length() : cut + 1;
        if (start > found)  // the occurrence itself straddles a cut
            start = copiedUpTo;
        icu::UnicodeString block(text, start, end - start);
        RegexResult blockResult = replaceAll(block, pattern, replacementTemplate, options);
        if (!blockResult.ok())
            return blockResult;
        out.append(text, copiedUpTo, start - copiedUpTo).append(block);
        changed = changed || block.length() != end - start || block.compare(0, block.length(), text, start, end - start) != 0;
        copiedUpTo = end;
        found = end < text.length() ? text.indexOf(required, end) : -1;
    }
    if (changed) {
        out.append(text, copiedUpTo, text.length() - copiedUpTo);
        text = std::move(out);
    }
    return result;
}

}  // namespace engine
