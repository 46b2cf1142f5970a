#pragma once
// The formats export writes, and how each one is made.

#include <QString>
#include <QStringList>
#include <optional>

namespace exportformats {

enum class Road {
    Html,         // the fragment, written in process
    LibreOffice,  // HTML converted by LibreOffice headless
    Pdf,          // the page printed by Qt WebEngine
    Package,      // TextBundle or TextPack
};

struct ExportFormat {
    QString name;              // lower case, also the file extension
    Road road = Road::Html;
    QString libreOfficeTarget; // the argument of --convert-to (extension:filter)
    QString libreOfficeSuffix; // the extension of the file LibreOffice writes
    bool folder = false;       // the result is a folder (RTFD, TextBundle)
};

// The format of that name (any case), or nothing.
std::optional<ExportFormat> exportFormatNamed(const QString& name);

// Every format name, lower case.
QStringList exportFormatNames();

}  // namespace exportformats
