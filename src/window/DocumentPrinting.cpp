// File ▸ Print: the page as shown, with its style, through the print dialog.
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QFileInfo>
#include <QStatusBar>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "pipeline/PageScript.h"
#include "window/Document.h"
#include "window/PreviewWebPage.h"

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
    page_->runJavaScript(pagescript::call(pagescript::kPreparePrinting, {QStringLiteral("true")}),
                         QWebEngineScript::ApplicationWorld,
                         [view = QPointer<QWebEngineView>(webView()), printer = printer_.get()](const QVariant&) {
                             if (view)
                                 view->print(printer);
                         });
}

void Document::printingFinished(bool ok) {
    printer_.reset();
    page_->runJavaScript(pagescript::call(pagescript::kPreparePrinting, {QStringLiteral("false")}),
                         QWebEngineScript::ApplicationWorld);
    statusBar()->showMessage(ok ? tr("Printed.") : tr("The document could not be printed."), 4000);
    emit printFinished(ok);
}
