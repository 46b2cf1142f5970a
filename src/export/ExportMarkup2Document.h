#pragma once
// Export of a document on disk to another format: HTML in process, PDF printed
// by Qt WebEngine, text, RTF, RTFD, Word and OpenDocument through LibreOffice
// headless, TextBundle and TextPack through the package writer. The document
// is read and converted by the document pipeline, as the window shows it
// (without CriticMarkup). The destination is replaced only by a complete
// result; a failed export leaves it, and the source, as they were.

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>

struct ExportRequest {
    QString source;          // the document's file or package path
    QString format;          // "txt","rtf","rtfd","doc","docx","odt","html","pdf","textbundle","textpack" (case-insensitive)
    QString destination;
    QString markupLanguage;  // empty: as the pipeline chooses (what the window shows)
    QString css;             // style text; empty: none
    bool remotePictures = false;  // the PDF shows pictures from the web (as the reader allowed for the window)
};

// One export, asynchronous: runs LibreOffice as a QProcess and prints PDF with
// a QWebEnginePage without blocking the thread's event loop; emits finished
// once, always after start() has returned. Must be started on a thread with an
// event loop (the GUI thread for PDF).
class ExportJob : public QObject {
    Q_OBJECT
public:
    static ExportJob* start(const ExportRequest& request, QObject* parent = nullptr);

signals:
    void finished(bool ok, const QString& error);  // error: a short user-readable reason

protected:
    explicit ExportJob(QObject* parent) : QObject(parent) {}
};

class ExportMarkup2Document {
    // Every user-visible text of the export is translated in this context.
    Q_DECLARE_TR_FUNCTIONS(ExportMarkup2Document)

public:
    static QStringList availableExportTypes();
    // Window tags 1..9 ("txt","rtf","rtfd","doc","odt","html","pdf","textbundle","textpack"),
    // then 10 "docx"; empty for any other tag.
    static QString formatForTag(int tag);
    // Synchronous: run the job in a local event loop.
    bool quickExportForFile(const QString& source, const QString& format, const QString& destination,
                            const QString& markupLanguage, const QString& css, QString* error = nullptr);
    static bool quickExportForFile(const QString& source, const QString& format, const QString& destination,
                                   const QString& markupLanguage, QString* error = nullptr);
};
