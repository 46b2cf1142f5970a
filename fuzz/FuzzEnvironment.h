#pragma once
// What every fuzz target sets up once: a private home for settings and
// support files (the user's own are never read or written), the settings the
// app registers, with conversions on the built-in converters, and quiet logs.

#include <QString>

namespace fuzzenv {

// Idempotent; call from LLVMFuzzerInitialize.
void prepare();

// A folder inside the private home for the target's own files.
QString scratchFolder();

}  // namespace fuzzenv
