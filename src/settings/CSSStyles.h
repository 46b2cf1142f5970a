#pragma once
#include <QString>
#include <QStringList>

// The styles that ship with the application and the user's styles folder
// ("CSSStyles/" in the support folder), which starts as a copy of them.
class CSSStyles {
public:
    static QStringList availableStylesNames();

    // The styles folder, with a trailing "/".
    static QString stylesFolderPath();
    // Creates the folder with the built-in styles when it does not exist; an
    // existing folder is left as the user made it.
    static void ensureStylesFolder();

    // The folder's files whose extension is exactly "css", by name.
    static QStringList cssFileNames();
    // Copies a style file into the folder; a name already taken becomes
    // NAME_(1).css, NAME_(2).css, … The new file's path, or empty on failure.
    static QString addStyleFile(const QString& sourcePath);
    // Deletes one file of the folder (a bare file name, nothing outside it).
    static bool removeStyleFile(const QString& fileName);
    // Deletes the folder with everything in it and fills it afresh with the
    // built-in styles.
    static bool resetStylesFolder();
};
