#pragma once
// Conversions run off the GUI thread and are shared: every window that asks
// for the same document in the same state (file, settings, options) while
// its conversion runs gets that one, so a save converts each file once.

#include <QFuture>

#include "document/DocumentPipeline.h"

namespace sharedconversions {

QFuture<documentpipeline::Result> conversionFor(const documentpipeline::Request& request);

}  // namespace sharedconversions
