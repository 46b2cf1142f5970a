#include "export/ExportFormats.h"

namespace exportformats {

namespace {

// Filters named explicitly: the Writer filters embed images, and the text
// filter writes UTF-8 whatever the locale.
const ExportFormat kFormats[] = {
    {"html", Road::Html, {}, {}, false},
    {"txt", Road::LibreOffice, "txt:Text (encoded):UTF8", "txt", false},
    {"rtf", Road::LibreOffice, "rtf:Rich Text Format", "rtf", false},
    {"rtfd", Road::LibreOffice, "rtf:Rich Text Format", "rtf", true},
    {"doc", Road::LibreOffice, "doc:MS Word 97", "doc", false},
    {"docx", Road::LibreOffice, "docx:MS Word 2007 XML", "docx", false},
    {"odt", Road::LibreOffice, "odt:writer8", "odt", false},
    {"pdf", Road::Pdf, {}, {}, false},
    {"textbundle", Road::Package, {}, {}, true},
    {"textpack", Road::Package, {}, {}, false},
};

}  // namespace

std::optional<ExportFormat> exportFormatNamed(const QString& name) {
    const QString lower = name.trimmed().toLower();
    for (const ExportFormat& format : kFormats)
        if (format.name == lower)
            return format;
    return std::nullopt;
}

QStringList exportFormatNames() {
    QStringList names;
    for (const ExportFormat& format : kFormats)
        names << format.name;
    return names;
}

}  // namespace exportformats
