#pragma once
// Converting a text with the Wikitext converter in one call.

#include <string>

#include "../engine/TestSupport.h"
#include "support/ConverterTestSupport.h"
#include "wikitext/WikitextConverter.h"

namespace wikitest {

using testsupport::contains;
using testsupport::count;

// Fragment links unless `javaScriptAnchors`, as the dispatcher sets it.
inline std::string wiki(const std::string& text, bool javaScriptAnchors = false, const std::string& lang = "en") {
    return testsupport::s(
        WikitextConverter().initWithString(testsupport::u(text), testsupport::u(lang), javaScriptAnchors).transform());
}

}  // namespace wikitest
