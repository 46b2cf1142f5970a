#pragma once
// Where an export may write, and how its result takes the destination's
// place: only whole, and only over what may be replaced. The source is never
// touched, nor a folder that is not a package of the format being written.

#include <QString>

#include "export/ExportFormats.h"

namespace exportdestination {

// Why the export may not write there, or an empty text when it may.
QString refusal(const QString& source, const QString& destination, const exportformats::ExportFormat& format);

// Whether the path is a folder written in that format (NAME.rtfd holding
// TXT.rtf, NAME.textbundle holding info.json).
bool isPackageOfFormat(const QString& path, const exportformats::ExportFormat& format);

// Puts the finished file or folder at `staged` in the destination's place:
// copied beside the destination under a hidden name, then renamed over it, so
// that the destination is either the old one or the whole new one. Returns an
// error text, empty on success.
QString install(const QString& staged, const QString& destination, const exportformats::ExportFormat& format);

}  // namespace exportdestination
