// Export from the window: the format by the menu item's tag, a save dialog
// with the suggested name, the export running while the window stays
// responsive, a busy indicator in the status bar (beside the statistics),
// an alert on failure.
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>

#include "window/Document.h"
#include "export/ExportMarkup2Document.h"
#include "export/PrintStyle.h"
#include "platform/AlertHelper.h"

Q_DECLARE_LOGGING_CATEGORY(documentLog)

namespace {

struct ExportFormatItem {
    int tag;
    const char* title;
};

// The tags the export pop-up and the File ▸ Export menu give their items.
const ExportFormatItem kExportItems[] = {
    {1, QT_TRANSLATE_NOOP("Document", "Plain Text (.txt)")},
    {2, QT_TRANSLATE_NOOP("Document", "Rich Text (.rtf)")},
    {3, QT_TRANSLATE_NOOP("Document", "Rich Text with Attachments (.rtfd)")},
    {4, QT_TRANSLATE_NOOP("Document", "Word 97 (.doc)")},
    {10, QT_TRANSLATE_NOOP("Document", "Word (.docx)")},
    {5, QT_TRANSLATE_NOOP("Document", "OpenDocument Text (.odt)")},
    {6, QT_TRANSLATE_NOOP("Document", "HTML (.html)")},
    {7, QT_TRANSLATE_NOOP("Document", "PDF (.pdf)")},
    {8, QT_TRANSLATE_NOOP("Document", "TextBundle (.textbundle)")},
    {9, QT_TRANSLATE_NOOP("Document", "TextPack (.textpack)")},
};

}  // namespace

void Document::fillExportMenu(QMenu* menu) {
    for (const ExportFormatItem& item : kExportItems) {
        QAction* action = menu->addAction(tr(item.title));
        action->setData(item.tag);
        const int tag = item.tag;
        connect(action, &QAction::triggered, this, [this, tag] { exportCurrentDocument(tag); });
    }
}

void Document::exportCurrentDocument(int tag) {
    const QString format = ExportMarkup2Document::formatForTag(tag);
    if (format.isEmpty())
        return;
    auto* dialog = new QFileDialog(this, tr("Export"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(QString("%1 (*.%1)").arg(format));
    dialog->setDefaultSuffix(format);
    dialog->setDirectory(QFileInfo(filePath_).absolutePath());
    dialog->selectFile(QString("%1.%2").arg(QFileInfo(filePath_).completeBaseName(), format));
    connect(dialog, &QFileDialog::fileSelected, this,
            [this, format](const QString& destination) { exportToDestination(format, destination); });
    dialog->open();
}

void Document::exportToDestination(const QString& format, const QString& destination) {
    ExportRequest request;
    request.source = filePath_;
    request.format = format;
    request.destination = destination;
    request.markupLanguage = markupLanguage_;
    request.css = printstyle::selectedStyleForPaper();
    // What the window shows: pictures from the web where the reader let them load.
    request.remotePictures = remotePicturesAllowed();
    ExportJob* job = ExportJob::start(request, this);
    showExportProgress(QFileInfo(destination).fileName(), true);
    connect(job, &ExportJob::finished, this, [this, job, destination](bool ok, const QString& error) {
        job->deleteLater();
        showExportProgress(QString(), false);
        emit exportFinished(ok, destination);
        if (ok)
            return;
        qCWarning(documentLog) << "Export Fehlgeschlagen";
        AlertHelper::beginSheetWithStyle(
            AlertHelper::Warning, tr("The document was not exported"),
            tr("“%1” could not be written.").arg(QFileInfo(destination).fileName()) + "\n\n" + error, this);
    });
}

void Document::showExportProgress(const QString& name, bool running) {
    if (!exportProgress_) {
        exportProgress_ = new QWidget(statusBar());
        auto* layout = new QHBoxLayout(exportProgress_);
        layout->setContentsMargins(0, 0, 0, 0);
        exportLabel_ = new QLabel(exportProgress_);
        auto* bar = new QProgressBar(exportProgress_);
        bar->setRange(0, 0);  // busy: neither LibreOffice nor the printer tell how far they are
        bar->setMaximumWidth(120);
        layout->addWidget(exportLabel_);
        layout->addWidget(bar);
        statusBar()->addPermanentWidget(exportProgress_);
    }
    runningExports_ += running ? 1 : -1;
    if (running)
        exportLabel_->setText(tr("Exporting “%1”…").arg(name));
    exportProgress_->setVisible(runningExports_ > 0);
}
