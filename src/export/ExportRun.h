#pragma once
// The steps of one export: check the destination, read and convert the
// document through the pipeline (off this thread), make the file on its
// format's road inside a work folder of this export's own, then put it in the
// destination's place. Every failure ends the run with a reason, leaving the
// destination as it was.

#include <QFutureWatcher>
#include <QTemporaryDir>

#include "pipeline/DocumentPipeline.h"
#include "export/ExportFormats.h"
#include "export/ExportMarkup2Document.h"

class ExportRun : public ExportJob {
    Q_OBJECT
public:
    ExportRun(const ExportRequest& request, QObject* parent);
    void begin();

private:
    bool wantsTrackedChanges() const;
    documentpipeline::Request pipelineRequest() const;
    void rendered();
    void exportHtml();
    void writeHtml(const QString& html);
    void exportOffice();
    void convertOffice(const QString& page, const QString& error);
    void flatDocumentConverted(const QString& flatFile, const QString& error);
    void officeConverted(const QString& outputFile, const QString& error);
    void exportPdf();
    void exportPackage();
    QUrl baseURL() const;
    QStringList allowedFolders() const;
    QString stagePath() const;
    void install(const QString& staged);
    void finish(const QString& error);

    ExportRequest request_;
    QString source_;
    exportformats::ExportFormat format_;
    QTemporaryDir work_;
    QFutureWatcher<documentpipeline::Result> rendering_;
    documentpipeline::Result document_;
    QStringList imageFiles_;
    bool done_ = false;
};
