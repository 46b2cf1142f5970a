#pragma once
// Showing a file in the desktop's file manager.

#include <QString>

namespace filemanager {

// Selects the file in a file-manager window (org.freedesktop.FileManager1);
// without one, opens its folder with the default handler. The file itself is
// never opened or run.
void revealFile(const QString& path);

}  // namespace filemanager
