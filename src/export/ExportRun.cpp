#include "export/ExportRun.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QtConcurrent/QtConcurrentRun>

#include "pipeline/BaseURL.h"
#include "pipeline/PreviewRendering.h"
#include "settings/SettingsStore.h"
#include "export/ExportDestination.h"
#include "export/ExportHtml.h"
#include "export/ImageInlining.h"
#include "export/LibreOfficeConversion.h"
#include "export/PackageExport.h"
#include "export/TrackedChanges.h"
#include "export/PageStamps.h"
#include "export/ExportPage.h"
#include "export/OfficeOutput.h"

Q_LOGGING_CATEGORY(exportLog, "quillview.export", QtInfoMsg)

namespace {

constexpr char kFlatOdtTarget[] = "fodt:OpenDocument Text Flat XML";
constexpr char kFlatOdtSuffix[] = "fodt";

bool writeUtf8(const QString& path, const QString& text) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

}  // namespace

ExportJob* ExportJob::start(const ExportRequest& request, QObject* parent) {
    auto* run = new ExportRun(request, parent);
    // Started from the event loop, so that the caller connects to finished
    // before anything can end.
    QMetaObject::invokeMethod(run, &ExportRun::begin, Qt::QueuedConnection);
    return run;
}

ExportRun::ExportRun(const ExportRequest& request, QObject* parent)
    : ExportJob(parent), request_(request), work_(QDir::tempPath() + "/quillview-export-XXXXXX") {
    connect(&rendering_, &QFutureWatcher<documentpipeline::Result>::finished, this, &ExportRun::rendered);
}

void ExportRun::begin() {
    const auto format = exportformats::exportFormatNamed(request_.format);
    if (!format)
        return finish(ExportMarkup2Document::tr("“%1” is not a format Quillview exports to.").arg(request_.format));
    format_ = *format;
    source_ = QFileInfo(request_.source).absoluteFilePath();
    if (request_.source.isEmpty() || !QFileInfo::exists(source_))
        return finish(ExportMarkup2Document::tr("“%1” does not exist.").arg(request_.source));
    const QString refusal = exportdestination::refusal(source_, request_.destination, format_);
    if (!refusal.isEmpty())
        return finish(refusal);
    if (!work_.isValid() || !QDir().mkpath(work_.filePath("stage")))
        return finish(ExportMarkup2Document::tr("No temporary folder could be made for the export."));
    rendering_.setFuture(QtConcurrent::run(
        [request = pipelineRequest(), reviewMarks = wantsTrackedChanges(), folder = QFileInfo(source_).absolutePath()] {
            documentpipeline::Result result = documentpipeline::render(request);
            if (reviewMarks && result.ok() && !result.conversionFailed)
                result.fragment = trackedchanges::fragmentWithChangeTokens(result.text, result.markupLanguage, folder);
            return result;
        }));
}

// Word and OpenDocument show CriticMarkup as their own review marks when the
// window renders it.
bool ExportRun::wantsTrackedChanges() const {
    return (format_.name == "docx" || format_.name == "odt")
           && SettingsStore::shared().useCriticMarkup();
}

documentpipeline::Request ExportRun::pipelineRequest() const {
    documentpipeline::Request request;
    request.path = source_;
    request.criticMarkup = false;
    // A package named Markdown follows the Markdown Extra switch, as in the
    // window: the pipeline decides that when no language is forced.
    const QString language = request_.markupLanguage.trimmed().toLower();
    if (!(documentpipeline::isPackagePath(source_) && language == "markdown"))
        request.language = language;
    request.textpackUnpackFolder = work_.filePath("unpacked");
    return request;
}

void ExportRun::rendered() {
    document_ = rendering_.result();
    if (!document_.ok())
        return finish(documentpipeline::problemMessage(document_.problem, source_, 0));
    // The fragment then holds the interpreter's error, not the document; a
    // package is the source itself and needs no conversion.
    if (document_.conversionFailed && format_.road != exportformats::Road::Package)
        return finish(ExportMarkup2Document::tr("The markup interpreter failed to convert the document."));
    switch (format_.road) {
    case exportformats::Road::Html: return exportHtml();
    case exportformats::Road::LibreOffice: return exportOffice();
    case exportformats::Road::Pdf: return exportPdf();
    case exportformats::Road::Package: return exportPackage();
    }
}

QUrl ExportRun::baseURL() const {
    return baseurl::folderURL(exporthtml::attachmentFolder(source_, document_.packageFolder));
}

QStringList ExportRun::allowedFolders() const {
    return exporthtml::allowedFolders(source_, document_.packageFolder);
}

QString ExportRun::stagePath() const {
    return work_.filePath("stage/" + QFileInfo(request_.destination).fileName());
}

// The converter's fragment; code, math and diagrams come rendered, with the
// style they need in front and no scripts, so the file needs nothing else.
void ExportRun::exportHtml() {
    if (!previewrendering::rendersSomething(document_.fragment))
        return writeHtml(exporthtml::styledFragment(document_.fragment, request_.css));
    auto* page = new ExportPage(this);
    connect(page, &ExportPage::prepared, this, [this](const QString& html, const QString& error) {
        if (!error.isEmpty())
            return finish(error);
        writeHtml(exporthtml::styledFragment(html, request_.css));
    });
    page->prepareStandalone(exporthtml::screenPage(document_.fragment, request_.css, baseURL()), baseURL(),
                            allowedFolders(), work_.path());
}

void ExportRun::writeHtml(const QString& html) {
    if (!writeUtf8(stagePath(), html))
        return finish(ExportMarkup2Document::tr("The HTML could not be written."));
    install(stagePath());
}

void ExportRun::exportOffice() {
    qCDebug(exportLog).noquote() << QString("Attachmentfolder %1").arg(baseURL().toString());
    auto* page = new ExportPage(this);
    connect(page, &ExportPage::prepared, this, &ExportRun::convertOffice);
    // Plain text has no notes of its own: there they stay a list at the end.
    page->prepareForOffice(exporthtml::officePage(document_.fragment, request_.css, baseURL()), baseURL(),
                           allowedFolders(), work_.path(), format_.name != "txt");
}

void ExportRun::convertOffice(const QString& page, const QString& error) {
    if (!error.isEmpty())
        return finish(error);
    const imageinlining::InlinedPage inlined = imageinlining::inlineLocalImages(page, baseURL(), allowedFolders());
    imageFiles_ = inlined.imageFiles;
    const QString htmlFile = work_.filePath("document.html");
    if (!writeUtf8(htmlFile, inlined.html))
        return finish(ExportMarkup2Document::tr("The document could not be prepared for LibreOffice."));
    auto* conversion = new LibreOfficeConversion(this);
    if (!trackedchanges::hasChangeTokens(inlined.html)) {
        connect(conversion, &LibreOfficeConversion::finished, this, &ExportRun::officeConverted);
        conversion->start(htmlFile, format_.libreOfficeTarget, format_.libreOfficeSuffix, work_.filePath("office"),
                          work_.path());
        return;
    }
    connect(conversion, &LibreOfficeConversion::finished, this, &ExportRun::flatDocumentConverted);
    conversion->start(htmlFile, kFlatOdtTarget, kFlatOdtSuffix, work_.filePath("flat"), work_.path());
}

// The review marks are written into the flat document, which LibreOffice
// then turns into the format asked for.
void ExportRun::flatDocumentConverted(const QString& flatFile, const QString& error) {
    if (flatFile.isEmpty())
        return finish(error);
    QFile file(flatFile);
    if (!file.open(QIODevice::ReadOnly))
        return finish(ExportMarkup2Document::tr("The review marks could not be written."));
    const QString marked = trackedchanges::withTrackedChanges(QString::fromUtf8(file.readAll()),
                                                              trackedchanges::systemUserName(), QDateTime::currentDateTime());
    file.close();
    if (!writeUtf8(flatFile, marked))
        return finish(ExportMarkup2Document::tr("The review marks could not be written."));
    auto* conversion = new LibreOfficeConversion(this);
    connect(conversion, &LibreOfficeConversion::finished, this, &ExportRun::officeConverted);
    conversion->start(flatFile, format_.libreOfficeTarget, format_.libreOfficeSuffix, work_.filePath("office"),
                      work_.path());
}

void ExportRun::officeConverted(const QString& outputFile, const QString& error) {
    if (outputFile.isEmpty())
        return finish(error);
    if (format_.name == "txt" && !officeoutput::dropByteOrderMark(outputFile))
        return finish(ExportMarkup2Document::tr("The text could not be written."));
    if (format_.name != "rtfd")
        return install(outputFile);
    if (!officeoutput::assembleRtfd(outputFile, imageFiles_, stagePath()))
        return finish(ExportMarkup2Document::tr("The RTFD folder could not be written."));
    install(stagePath());
}

void ExportRun::exportPdf() {
    auto* printer = new ExportPage(this);
    printer->setRemotePicturesAllowed(request_.remotePictures);
    connect(printer, &ExportPage::printed, this, [this](const QString& error) {
        if (!error.isEmpty())
            return finish(error);
        if (!SettingsStore::shared().pdfHeaderAndFooter())
            return install(stagePath());
        auto* stamper = new PageStamper(this);
        connect(stamper, &PageStamper::finished, this, [this](const QString& stampError) {
            if (!stampError.isEmpty())
                return finish(stampError);
            install(stagePath());
        });
        stamper->start(stagePath(), ExportPage::paperLayout(), pagestamps::titleOf(document_.fragment, source_),
                       work_.path());
    });
    printer->printToPdf(exporthtml::printPage(document_.fragment, request_.css, baseURL()), baseURL(), allowedFolders(),
                   work_.path(), stagePath());
}

void ExportRun::exportPackage() {
    const QString error =
        packageexport::writePackage(document_, source_, format_.name, stagePath(), work_.path());
    if (!error.isEmpty())
        return finish(error);
    install(stagePath());
}

void ExportRun::install(const QString& staged) {
    // The destination may have changed while the export ran.
    QString error = exportdestination::refusal(source_, request_.destination, format_);
    if (error.isEmpty())
        error = exportdestination::install(staged, request_.destination, format_);
    finish(error);
}

void ExportRun::finish(const QString& error) {
    if (done_)
        return;
    done_ = true;
    // Work files and an unpacked TextPack go at once, not when the job does.
    work_.remove();
    if (error.isEmpty())
        qCDebug(exportLog).noquote() << "exported" << source_ << "as" << format_.name << "to" << request_.destination;
    else
        qCInfo(exportLog).noquote() << "export of" << request_.source << "failed:" << error;
    emit finished(error.isEmpty(), error);
}
