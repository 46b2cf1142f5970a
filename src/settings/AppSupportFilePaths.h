#pragma once
#include <QString>

// Where the application keeps its own files (styles, work files, the
// MultiMarkdown script): ~/.local/share/Quillview, honouring XDG_DATA_HOME.
class AppSupportFilePaths {
public:
    // Not created here: it comes into being with the styles folder.
    static QString appSupportFilePath();
};
