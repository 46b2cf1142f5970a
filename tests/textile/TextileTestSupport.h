#pragma once
// Converting Textile in the tests: UTF-8 in, UTF-8 out.

#include <string>

#include "../engine/TestSupport.h"
#include "support/ConverterTestSupport.h"
#include "textile/TextileConverter.h"

namespace textiletest {

using testsupport::contains;
using testsupport::count;

inline std::string convert(const std::string& textile, bool javaScriptAnchors = false) {
    return testsupport::s(TextileConverter().initWithString(testsupport::u(textile), javaScriptAnchors).transform());
}

}  // namespace textiletest
