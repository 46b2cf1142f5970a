#pragma once
// Converting Tessel text in tests: UTF-8 in, UTF-8 out, settings empty unless
// a test sets them.

#include <string>

#include "engine/TestSupport.h"
#include "support/ConverterTestSupport.h"
#include "tessel/TesselConverter.h"

namespace tesseltest {

using testsupport::contains;

inline std::string convert(const std::string& text, bool javaScriptAnchors = false,
                           const std::string& documentFolder = {}) {
    TesselConverter converter;
    converter.initWithString(testsupport::u(text), javaScriptAnchors);
    converter.setDocumentFolder(documentFolder);
    return testsupport::s(converter.transform());
}

}  // namespace tesseltest
