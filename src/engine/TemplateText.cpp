#include "engine/TemplateText.h"

namespace engine {

icu::UnicodeString escapedTemplateText(const icu::UnicodeString& literal) {
    icu::UnicodeString out;
    for (int32_t i = 0; i < literal.length(); ++i) {
        char16_t c = literal.charAt(i);
        if (c == u'$' || c == u'\\')
            out.append(u'\\');
        out.append(c);
    }
    return out;
}

}  // namespace engine
