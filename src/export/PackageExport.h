#pragma once
// TextBundle and TextPack export. A package source goes over as it is
// (zipped or unzipped as the format asks); a plain document becomes a new
// package of its text, its language, the files of its attachment folder and
// the local pictures it shows.

#include <QString>

#include "pipeline/DocumentPipeline.h"

namespace packageexport {

// Writes the package at `staged`, whose file name is the destination's (a
// TextPack's one folder is named after it). `workFolder` is this export's
// own. Returns an error text, empty on success.
QString writePackage(const documentpipeline::Result& document, const QString& source, const QString& format,
                     const QString& staged, const QString& workFolder);

}  // namespace packageexport
