#pragma once
// A document as a user keeps one: notes.md beside its attachment folder
// notes/ with an image, and helpers that look into what export wrote with
// the tools a user has (unzip, pdftotext, pdfimages, LibreOffice).

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "export/ExportMarkup2Document.h"

namespace exporttest {

inline const QByteArray kNotes =
    "# Quarterly Heading\n"
    "\n"
    "Some text with a footnote[^1] and an image ![red](red.png).\n"
    "\n"
    "| Fruit | Count |\n"
    "|-------|-------|\n"
    "| Apple | 3     |\n"
    "\n"
    "    x';\"y\n"
    "\n"
    "[^1]: The footnote text.\n";

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray pngBytes(const QColor& color, int width = 40, int height = 20) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    const QString path = QDir::temp().filePath("quillview-export-test-image.png");
    image.save(path, "PNG");
    const QByteArray bytes = readBytes(path);
    QFile::remove(path);
    return bytes;
}

// Standard output of a tool, or of the real binary.
inline QByteArray run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(300000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput();
}

inline QByteArray zipEntry(const QString& archive, const QString& entry) {
    return run("unzip", {"-p", archive, entry});
}

inline QByteArray zipListing(const QString& archive) {
    return run("unzip", {"-l", archive});
}

struct Sample {
    QTemporaryDir folder;
    QString document;
    QByteArray image = pngBytes(Qt::red);

    Sample() {
        document = folder.filePath("notes.md");
        writeBytes(document, kNotes);
        writeBytes(folder.filePath("notes/red.png"), image);
    }
    QString path(const QString& name) const { return folder.filePath(name); }
};

inline bool exportDocument(const QString& source, const QString& format, const QString& destination,
                           QString* error = nullptr, const QString& language = {}, const QString& css = {}) {
    return ExportMarkup2Document().quickExportForFile(source, format, destination, language, css, error);
}

// Hidden work entries an export leaves beside its destination (none, ever).
inline QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({".*quillview-*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace exporttest
