// File ▸ Print: the page as shown, with its style, through the print dialog.
#include <QPrintDialog>
#include <QPrinter>
#include <QFileInfo>
#include <QStatusBar>
#include <QWebEngineView>

#include "window/Document.h"

void Document::printDocument() {
    if (printer_)
        return;  // the web engine prints one job at a time
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QFileInfo(filePath_).fileName());
    QPrintDialog dialog(printer.get(), this);
    dialog.setWindowTitle(tr("Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printPage(std::move(printer));
}

void Document::printPage(std::unique_ptr<QPrinter> printer) {
    // The web engine prints asynchronously and needs the printer until it
    // reports back.
    printer_ = std::move(printer);
    statusBar()->showMessage(tr("Printing…"));
    webView()->print(printer_.get());
}

void Document::printingFinished(bool ok) {
    printer_.reset();
    statusBar()->showMessage(ok ? tr("Printed.") : tr("The document could not be printed."), 4000);
    emit printFinished(ok);
}
