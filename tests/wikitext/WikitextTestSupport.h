#pragma once
// Converting a text with the Wikitext converter in one call.

#include <string>

#include "../engine/TestSupport.h"
#include "wikitext/Wikitext_ObjC.h"

namespace wikitest {

// Fragment links unless `javaScriptAnchors`, as the dispatcher sets it.
inline std::string wiki(const std::string& text, bool javaScriptAnchors = false, const std::string& lang = "en") {
    return testsupport::s(
        Wikitext_ObjC().initWithString(testsupport::u(text), testsupport::u(lang), javaScriptAnchors).transform());
}

inline bool contains(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

inline size_t count(const std::string& text, const std::string& piece) {
    size_t n = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++n;
    return n;
}

}  // namespace wikitest
