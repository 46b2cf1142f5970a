#include "export/ExportMarkup2Document.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <iterator>

QStringList ExportMarkup2Document::availableExportTypes() {
    return {"RTF", "RTFD", "HTML", "DOC", "ODT", "PDF", "Textbundle", "Textpack"};
}

QString ExportMarkup2Document::formatForTag(int tag) {
    static const char* const kFormats[] = {"txt", "rtf", "rtfd", "doc", "odt", "html", "pdf", "textbundle", "textpack",
                                           "docx"};
    if (tag < 1 || tag > int(std::size(kFormats)))
        return {};
    return kFormats[tag - 1];
}

bool ExportMarkup2Document::quickExportForFile(const QString& source, const QString& format, const QString& destination,
                                               const QString& markupLanguage, const QString& css, QString* error) {
    if (!QCoreApplication::instance()) {
        if (error)
            *error = QStringLiteral("Export needs a running application.");
        return false;
    }
    bool ok = false;
    QString reason;
    QEventLoop loop;
    QPointer<ExportJob> job = ExportJob::start({source, format, destination, markupLanguage, css});
    QObject::connect(job, &ExportJob::finished, &loop, [&](bool succeeded, const QString& why) {
        ok = succeeded;
        reason = why;
        loop.quit();
    });
    loop.exec();
    delete job;
    if (error)
        *error = reason;
    return ok;
}

bool ExportMarkup2Document::quickExportForFile(const QString& source, const QString& format, const QString& destination,
                                               const QString& markupLanguage, QString* error) {
    return ExportMarkup2Document().quickExportForFile(source, format, destination, markupLanguage, QString(), error);
}
