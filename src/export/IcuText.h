#pragma once
// QString and icu::UnicodeString are both UTF-16: crossing is a copy of code
// units.

#include <QString>
#include <unicode/unistr.h>

namespace icutext {

inline icu::UnicodeString toIcu(const QString& text) {
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

inline QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

}  // namespace icutext
