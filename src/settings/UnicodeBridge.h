#pragma once
// QString and icu::UnicodeString are both UTF-16: crossing is a copy of code
// units, never a re-encoding.

#include <QString>
#include <unicode/unistr.h>

namespace unicodebridge {

inline icu::UnicodeString toUnicode(const QString& text) {
    return icu::UnicodeString(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<int32_t>(text.size()));
}

inline QString toQString(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

}  // namespace unicodebridge
