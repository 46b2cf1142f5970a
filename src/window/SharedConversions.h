#pragma once
// Conversions run off the GUI thread and are shared: every window that asks
// for the same document in the same state (file, settings, options) while
// its conversion runs gets that one, so a save converts each file once.

#include <QFuture>
#include <memory>

#include "pipeline/DocumentPipeline.h"

namespace sharedconversions {

// A conversion and the asker's interest in it. Once no one holds an interest
// any more (each window drops its own when it asks for a newer conversion,
// or closes), a conversion still running is cancelled.
struct Conversion {
    QFuture<documentpipeline::Result> future;
    std::shared_ptr<const void> interest;
};

Conversion conversionFor(const documentpipeline::Request& request);

}  // namespace sharedconversions
