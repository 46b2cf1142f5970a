#include "engine/PairedSpanPattern.h"

#include "engine/TextUtilities.h"

namespace engine {

icu::UnicodeString spanBeforeDoubled(const icu::UnicodeString& escapedCharacter) {
    const icu::UnicodeString& c = escapedCharacter;
    return formatted(u"((?:[^%@]++|%@(?!%@))*+)", {c, c, c});
}

icu::UnicodeString pairedSpanPattern(const icu::UnicodeString& escapedCharacter) {
    const icu::UnicodeString& c = escapedCharacter;
    return formatted(u"%@%@%@%@%@", {c, c, spanBeforeDoubled(c), c, c});
}

}  // namespace engine
