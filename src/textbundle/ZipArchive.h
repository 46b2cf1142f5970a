#pragma once
// Zip archives through libzip, in process.

#include <QString>

// Unpacks every entry of the archive into the folder (created if needed).
// An entry whose path is absolute or climbs out of the folder ("../x") is
// refused, and then nothing more is written. False with `error` filled on
// any failure.
bool extractZipArchive(const QString& archivePath, const QString& destinationFolder, QString* error = nullptr);
