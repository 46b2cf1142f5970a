#include "window/Document.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QWebEngineView>

#include "dispatch/MarkupLanguages.h"
#include "pipeline/BaseURL.h"
#include "window/FindBar.h"
#include "pipeline/PageTemplate.h"
#include "window/FileManager.h"
#include "window/PreviewController.h"
#include "window/PreviewWebPage.h"
#include "window/RenderedPage.h"
#include "pipeline/FolderPermissions.h"
#include "window/SegmentedControl.h"
#include "window/SharedConversions.h"
#include "window/WindowAppearance.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"
#include "textbundle/Textbundle.h"
#include <QFutureWatcher>
#include "ui_Document.h"

Document::Document(const QString& filePath, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::Document>()), filePath_(QFileInfo(filePath).absoluteFilePath()) {
    // The window takes a while to build: its first conversion runs
    // meanwhile, and setUp()'s first render takes it.
    markupLanguage_ = markupLangSelectFromExtension(fileExtension());
    firstConversion_ = sharedconversions::conversionFor(renderRequest());
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    page_ = new PreviewWebPage(ui->webview_theDocument);
    ui->webview_theDocument->setPage(page_);
    ui->webview_theDocument->setContextMenuPolicy(Qt::NoContextMenu);
    preview_ = new PreviewController(page_, this);
    connect(preview_, &PreviewController::pageShown, this, &Document::pageLoaded);
    connect(page_, &PreviewWebPage::openFileRequested, this, &Document::openFileRequested);
    connect(page_, &PreviewWebPage::revealFileRequested, this, [](const QString& path) { filemanager::revealFile(path); });
    connect(page_, &PreviewWebPage::reloadRequested, this, &Document::reloadTxt);
    buildScriptNotice();
    buildPictureNotice();
    buildConversionNotice();
    buildToolbar();
    buildReaderTools();
    connectBaseURLPopover();
    setWindowTitle(QFileInfo(filePath_).fileName());
}

Document::~Document() {
    if (!textpackUnpackFolder_.isEmpty())
        QDir(textpackUnpackFolder_).removeRecursively();
}

QString Document::documentFolder() const {
    return QFileInfo(filePath_).absolutePath();
}

QStringList Document::foldersThePageMayRead() const {
    QStringList folders{documentFolder(), AppSupportFilePaths::appSupportFilePath() + "/CSSStyles"};
    if (baseURL_.isLocalFile())
        folders << baseURL_.toLocalFile();
    if (!unpackedPackageFolder_.isEmpty())
        folders << unpackedPackageFolder_;
    return folders;
}

QWebEngineView* Document::webView() const {
    return ui->webview_theDocument;
}

QPlainTextEdit* Document::sourceView() {
    fillSourceView();
    return ui->textview_SourceCode;
}

void Document::fillSourceView() {
    if (!sourceViewStale_)
        return;
    sourceViewStale_ = false;
    ui->textview_SourceCode->setPlainText(lastFragment_);
}

QWidget* Document::baseURLPopover() const {
    return ui->popover_BaseURL;
}

QString Document::fileExtension() const {
    return QFileInfo(filePath_).suffix();
}

QString Document::returnCSSStyleString() {
    return pagetemplate::returnCSSStyleString();
}

QString Document::markupLangSelectFromExtension(const QString& extension) {
    return markuplanguages::markupLangSelectFromExtension(extension);
}

// ------------------------------------------------------------------ opening

void Document::setUp() {
    registerObservers();
    // Linux counts as a system before per-application appearance: the
    // theme setting applies to the window.
    toggleLightDarkInterface();
    toggleWindowTitlebar();

    accessGranted_ = false;
    reloadTxt();
    // The web engine starts while the document converts.
    preview_->prepareEmptyPage({baseurl::baseURLForFile(filePath_), foldersThePageMayRead(),
                                folderpermissions::areScriptsAllowedInFolder(documentFolder()),
                                remotePicturesAllowed()});
    settleFolderAccessAndScheduleWatching();
    setupHTMLSourceView();
    loadExternalEditorsForExtension(fileExtension());
    ui->box_Content->setCurrentWidget(ui->view_WebView);
    updateWindowTitle();
}

// ---------------------------------------------------------------- rendering

void Document::reloadTxt() {
    // Converted off the GUI thread; a newer render supersedes this one and
    // its result is dropped (and the older conversion stopped, when no other
    // window waits for it).
    const int generation = ++renderGeneration_;
    preview_->expectNewerPage();
    auto* watcher = new QFutureWatcher<RenderedPage>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation == renderGeneration_)
            showRendered(watcher->result());
    });
    sharedconversions::Conversion conversion = firstConversion_ ? *std::exchange(firstConversion_, std::nullopt)
                                                                : sharedconversions::conversionFor(renderRequest());
    renderInterest_ = conversion.interest;
    watcher->setFuture(conversion.future.then(QtFuture::Launch::Async,
                                              [path = filePath_](const documentpipeline::Result& result) {
                                                  return RenderedPage::of(result, path, kLargestPreviewedFile);
                                              }));
}

void Document::setMarkdownFlavour(const QString& identifier) {
    if (!markuplanguagetable::isMarkdownFlavour(markupLanguage_) || identifier == markupLanguage_)
        return;
    chosenMarkdownFlavour_ = identifier;
    reloadTxt();
}

documentpipeline::Request Document::renderRequest() {
    documentpipeline::Request request;
    request.path = filePath_;
    request.criticMarkup = SettingsStore::shared().useCriticMarkup();
    request.largestFile = kLargestPreviewedFile;
    if (markuplanguagetable::isMarkdownFlavour(markupLanguage_))
        request.language = chosenMarkdownFlavour_;
    if (fileExtension() == "textpack") {
        if (textpackUnpackFolder_.isEmpty())
            textpackUnpackFolder_ = Textbundle::newTextpackUnpackFolder();
        request.textpackUnpackFolder = textpackUnpackFolder_;
    }
    return request;
}

void Document::showRendered(const RenderedPage& rendered) {
    const documentpipeline::Result& result = rendered.result;
    // A stopped conversion keeps the last good page, with a notice that says
    // why it did not change; without a page yet, the notice is the page.
    const bool keepPage = result.problem == documentpipeline::Problem::TookTooLong && preview_->hasShownPage();
    conversionNotice_->setVisible(keepPage);
    if (keepPage) {
        renderedStamp_ = result.stamp;
        return;
    }
    renderedStamp_ = result.stamp;
    theContents_ = result.text;
    markupLanguage_ = result.markupLanguage;
    unpackedPackageFolder_ = result.packageFolder;
    baseURL_ = result.baseURL;
    lastFragment_ = result.fragment;
    preview_->show(rendered.page, {baseURL_, foldersThePageMayRead(),
                                   folderpermissions::areScriptsAllowedInFolder(documentFolder()),
                                   remotePicturesAllowed()});
    sourceViewStale_ = true;
    if (ui->box_Content->currentWidget() == ui->view_SourceView)
        fillSourceView();
    updateWindowTitle();
}

void Document::jumpToChange() {
    if (ui->box_Content->currentWidget() != ui->view_WebView)
        toggleWebViewSourceView(0);
    preview_->jumpToNextChange();
}

// ------------------------------------------------------------------- window

void Document::setupHTMLSourceView() {
    windowappearance::applySourceViewSettings(ui->textview_SourceCode);
}

void Document::toggleWindowTitlebar() {
    updateWindowTitle();
}

void Document::toggleLightDarkInterface() {
    windowappearance::applyTheme(this, SettingsStore::shared().windowTheme());
}

void Document::updateWindowTitle() {
    if (!SettingsStore::shared().showTitlebar()) {
        setWindowTitle(" ");
        return;
    }
    setWindowTitle(QString("%1 — %2").arg(QFileInfo(filePath_).fileName(),
                                           windowappearance::languageTitle(markupLanguage_)));
}

void Document::toggleWebViewSourceView(int segment) {
    if (segment < 0)
        segment = segmentedControl_Toolbar_ViewMode->selectedSegment() == 0 ? 1 : 0;
    if (segment == 0)
        ui->box_Content->setCurrentWidget(ui->view_WebView);
    else if (segment == 1) {
        fillSourceView();
        ui->box_Content->setCurrentWidget(ui->view_SourceView);
    }
    else
        return;
    segmentedControl_Toolbar_ViewMode->setSelectedSegment(segment);
    findBar_->setSearchingSource(segment == 1);
}

void Document::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        windowActivated();
}

void Document::windowActivated() {
    emit activated();
}

void Document::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Document::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            emit openFileRequested(url.toLocalFile());
    event->acceptProposedAction();
}
