#pragma once
// The URL against which relative links and images of a page resolve.

#include <QString>
#include <QUrl>

namespace baseurl {

// For a plain file, by the baseUrlOption setting: 4 the web address, 3 the
// chosen folder, 2 the folder named like the file (without its extension)
// when it exists, else the file's folder; anything else no base URL.
QUrl baseURLForFile(const QString& filePath);

// A package resolves against itself: the TextBundle folder, or the folder a
// TextPack was unpacked into.
QUrl baseURLForPackageFolder(const QString& packageFolder);

// The folder stored for option 3, or an empty URL.
QUrl storedFolderURL();

// A file URL for a folder, ending in "/" so that relative names land inside.
QUrl folderURL(const QString& folderPath);

}  // namespace baseurl
