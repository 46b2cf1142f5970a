#pragma once
// Writing zip archives through libzip, in process.

#include <QString>

// Writes a new archive (replacing any file at archivePath) that holds the
// folder under its own name, with everything inside it, recursively.
bool createZipArchiveOfFolder(const QString& folderPath, const QString& archivePath, QString* error = nullptr);
