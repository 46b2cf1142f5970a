// The bars over the page: a conversion that was stopped, document scripts
// that did not run, pictures from the web that were not loaded.
#include <QLabel>

#include "pipeline/FolderPermissions.h"
#include "pipeline/PreviewRequestPolicy.h"
#include "window/Document.h"
#include "window/PictureNoticeBar.h"
#include "window/PreviewController.h"
#include "window/PreviewWebPage.h"
#include "window/ScriptNoticeBar.h"
#include "ui_Document.h"

void Document::buildConversionNotice() {
    conversionNotice_ = new QLabel(documentpipeline::problemTitle(documentpipeline::Problem::TookTooLong), ui->view_WebView);
    conversionNotice_->setObjectName("label_ConversionStopped");
    // A role, not a style sheet: it follows the window's light or dark palette.
    conversionNotice_->setAutoFillBackground(true);
    conversionNotice_->setBackgroundRole(QPalette::AlternateBase);
    conversionNotice_->setContentsMargins(10, 4, 10, 4);
    conversionNotice_->hide();
    ui->layout_WebView->insertWidget(0, conversionNotice_);
}

void Document::buildScriptNotice() {
    scriptNotice_ = new ScriptNoticeBar(ui->view_WebView);
    scriptNotice_->hide();
    ui->layout_WebView->insertWidget(0, scriptNotice_);
    connect(scriptNotice_, &ScriptNoticeBar::allowScriptsRequested, this, &Document::allowDocumentScripts);
    connect(preview_, &PreviewController::documentScriptsFound, this,
            [this](bool found) { scriptNotice_->pageChecked(found, page_->scriptsAllowed()); });
}

void Document::allowDocumentScripts() {
    folderpermissions::allowScriptsInFolder(documentFolder());
    scriptNotice_->hide();
    // Other windows of that folder follow the stored setting.
    scheduleReload();
}

void Document::buildPictureNotice() {
    pictureNotice_ = new PictureNoticeBar(ui->view_WebView);
    pictureNotice_->hide();
    ui->layout_WebView->insertWidget(0, pictureNotice_);
    connect(pictureNotice_, &PictureNoticeBar::loadPicturesRequested, this, [this] { loadRemotePictures(false); });
    connect(pictureNotice_, &PictureNoticeBar::alwaysForFolderRequested, this, [this] { loadRemotePictures(true); });
    // Counted each time a page is shown, updates included.
    connect(preview_, &PreviewController::remotePicturesFound, this, &Document::updatePictureNotice);
}

void Document::updatePictureNotice(int remotePictures) {
    // With the document's scripts running no picture loads, so there is
    // nothing to offer.
    pictureNotice_->showUnloadedPictures(remotePictures, !page_->picturesAllowed() && !page_->scriptsAllowed());
}

bool Document::remotePicturesAllowed() const {
    return picturesForThisWindow_ || folderpermissions::areRemotePicturesAllowedInFolder(documentFolder());
}

void Document::loadRemotePictures(bool alwaysForFolder) {
    pictureNotice_->hide();
    if (!alwaysForFolder) {
        picturesForThisWindow_ = true;
        reloadTxt();
        return;
    }
    folderpermissions::allowRemotePicturesInFolder(documentFolder());
    // Other windows of that folder follow the stored setting.
    scheduleReload();
}
