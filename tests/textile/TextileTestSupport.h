#pragma once
// Converting Textile in the tests: UTF-8 in, UTF-8 out.

#include <string>

#include "../engine/TestSupport.h"
#include "textile/Textile_ObjC.h"

namespace textiletest {

inline std::string convert(const std::string& textile, bool javaScriptAnchors = false) {
    return testsupport::s(Textile_ObjC().initWithString(testsupport::u(textile), javaScriptAnchors).transform());
}

inline bool has(const std::string& html, const std::string& piece) { return html.find(piece) != std::string::npos; }

inline size_t count(const std::string& html, const std::string& piece) {
    size_t n = 0;
    for (size_t at = html.find(piece); at != std::string::npos; at = html.find(piece, at + piece.size()))
        ++n;
    return n;
}

}  // namespace textiletest
