#pragma once
// What the user allowed the documents of a folder in the preview, kept in
// the settings store: to run their own scripts, and to load pictures from
// the web.

#include <QString>

namespace folderpermissions {

bool areScriptsAllowedInFolder(const QString& folder);
void allowScriptsInFolder(const QString& folder);

bool areRemotePicturesAllowedInFolder(const QString& folder);
void allowRemotePicturesInFolder(const QString& folder);

}  // namespace folderpermissions
