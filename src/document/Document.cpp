#include "document/Document.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStyle>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "dispatch/MarkupLanguages.h"
#include "pipeline/BaseURL.h"
#include "document/FileWatcher.h"
#include "document/FindBar.h"
#include "document/NotificationCenter.h"
#include "pipeline/PageTemplate.h"
#include "document/FileManager.h"
#include "document/PreviewWebPage.h"
#include "document/ScriptNoticeBar.h"
#include "pipeline/ScriptPermissions.h"
#include "document/SegmentedControl.h"
#include "document/SharedConversions.h"
#include "document/WindowAppearance.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"
#include "textbundle/Textbundle.h"
#include <QFutureWatcher>
#include "ui_Document.h"

Q_LOGGING_CATEGORY(documentLog, "quillview.document")

namespace {

// setHtml() passes the page as a data URL, which the web engine refuses
// beyond 2 MB once encoded.
constexpr qsizetype kLargestDataUrlPage = 1400 * 1024;

const char* const kScrollScriptName = "quillview-restore-scroll";

}  // namespace

Document::Document(const QString& filePath, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::Document>()), filePath_(QFileInfo(filePath).absoluteFilePath()) {
    setAttribute(Qt::WA_DeleteOnClose);
    ui->setupUi(this);
    page_ = new PreviewWebPage(ui->webview_theDocument);
    ui->webview_theDocument->setPage(page_);
    ui->webview_theDocument->setContextMenuPolicy(Qt::NoContextMenu);
    connect(page_, &PreviewWebPage::openFileRequested, this, &Document::openFileRequested);
    connect(page_, &PreviewWebPage::revealFileRequested, this, [](const QString& path) { filemanager::revealFile(path); });
    connect(page_, &PreviewWebPage::reloadRequested, this, &Document::reloadTxt);
    buildScriptNotice();
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
    connect(scriptNotice_, &ScriptNoticeBar::dismissed, this, [this] { scriptNoticeDismissed_ = true; });
    connect(page_, &PreviewWebPage::documentScriptsFound, this, [this](bool found) {
        scriptNotice_->setVisible(found && !page_->scriptsAllowed() && !scriptNoticeDismissed_);
    });
}

void Document::allowDocumentScripts() {
    scriptpermissions::allowScriptsInFolder(documentFolder());
    scriptNotice_->hide();
    // Every window of that folder runs its scripts from its next render on.
    NotificationCenter::defaultCenter().post(notifications::kReload);
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

void Document::registerObservers() {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, notifications::kReload, [this](const QVariantMap&) { reloadTxt(); });
    connect(&SettingsStore::shared(), &SettingsStore::changed, this, [this](SettingsStore::Setting setting) {
        using S = SettingsStore::Setting;
        switch (setting) {
        case S::windowTheme: toggleLightDarkInterface(); break;
        case S::showTitlebar: toggleWindowTitlebar(); break;
        case S::sourceFontFamily:
        case S::sourceFontSize:
        case S::sourceTextColor:
        case S::sourceBackgroundColor: setupHTMLSourceView(); break;
        default: break;
        }
    });
}

void Document::awakeFromNib() {
    registerObservers();
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        loading_ = false;
        restoreScrollPosition();
        page_->lookForDocumentScripts();
        ++completedLoads_;
        emit pageLoaded(ok);
    });
    // Linux counts as a system before per-application appearance: the
    // theme setting applies to the window.
    toggleLightDarkInterface();
    toggleWindowTitlebar();

    accessGranted_ = false;
    markupLanguage_ = markupLangSelectFromExtension(fileExtension());
    reloadTxt();
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
    auto* watcher = new QFutureWatcher<Rendered>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation == renderGeneration_)
            showRendered(watcher->result());
    });
    sharedconversions::Conversion conversion = sharedconversions::conversionFor(renderRequest());
    renderInterest_ = conversion.interest;
    watcher->setFuture(conversion.future.then(QtFuture::Launch::Async,
                                              [path = filePath_](const documentpipeline::Result& result) {
                                                  return prepare(result, path);
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

Document::Rendered Document::prepare(const documentpipeline::Result& result, const QString& filePath) {
    if (result.ok())
        return {result, PreparedPage::of(documentpipeline::pageFor(result))};
    // What the page says instead of the document when it cannot be shown.
    const QString notice = "<div class=\"quillview-notice\"><h2>"
                           + documentpipeline::problemTitle(result.problem).toHtmlEscaped() + "</h2><p>"
                           + documentpipeline::problemMessage(result.problem, filePath, kLargestPreviewedFile).toHtmlEscaped()
                           + "</p></div>";
    return {result, PreparedPage::of(pagetemplate::pageWithFragment(notice))};
}

void Document::showRendered(const Rendered& rendered) {
    const documentpipeline::Result& result = rendered.result;
    // A stopped conversion keeps the last good page, with a notice that says
    // why it did not change; without a page yet, the notice is the page.
    const bool keepPage = result.problem == documentpipeline::Problem::TookTooLong && completedLoads_ > 0;
    conversionNotice_->setVisible(keepPage);
    if (keepPage) {
        renderedStamp_ = result.stamp;
        return;
    }
    rememberScrollPosition();
    renderedStamp_ = result.stamp;
    theContents_ = result.text;
    markupLanguage_ = result.markupLanguage;
    unpackedPackageFolder_ = result.packageFolder;
    baseURL_ = result.baseURL;
    page_->setDocumentBaseURL(baseURL_);
    page_->setDocumentAccess(foldersThePageMayRead(), scriptpermissions::areScriptsAllowedInFolder(documentFolder()));

    lastFragment_ = result.fragment;
    loadPage(rendered.page);
    sourceViewStale_ = true;
    if (ui->box_Content->currentWidget() == ui->view_SourceView)
        fillSourceView();
    updateWindowTitle();
}

void Document::loadPage(const PreparedPage& page) {
    // A page shown already is updated in place: no new navigation (which
    // costs the web engine a second or more). Without document scripts only
    // the changed blocks are replaced; a document whose scripts may run gets
    // a fresh document, written into the page. A new base URL, a change of
    // the script permission, or scripts in the page need a fresh load.
    const bool scriptsAllowed = page_->scriptsAllowed();
    const bool inPlace = completedLoads_ > 0 && !loading_ && baseURL_ == loadedBaseURL_ && scriptsAllowed == loadedWithScripts_
                         && !(scriptsAllowed && page.html.contains(QLatin1String("<script"), Qt::CaseInsensitive));
    if (inPlace && !scriptsAllowed) {
        updateBlocksOfCurrentPage(page);
        return;
    }
    if (inPlace) {
        writeIntoCurrentPage(page);
        return;
    }
    setChangedBlockCount(0);
    // For a fresh page the position is applied as soon as it is parsed.
    QWebEngineScriptCollection& scripts = page_->scripts();
    for (const QWebEngineScript& old : scripts.find(kScrollScriptName))
        scripts.remove(old);
    if (needsToScroll_) {
        QWebEngineScript script;
        script.setName(kScrollScriptName);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setSourceCode(scrollScript());
        scripts.insert(script);
    }
    loading_ = true;
    loadedBaseURL_ = baseURL_;
    loadedWithScripts_ = scriptsAllowed;
    if (page.html.size() * 3 < kLargestDataUrlPage) {
        page_->setHtml(page.html, baseURL_);
        return;
    }
    // setHtml() refuses big pages: write them into an empty one that already
    // has the base URL.
    page_->setHtml("<html><body></body></html>", baseURL_);
    auto* once = new QMetaObject::Connection;
    *once = connect(page_, &QWebEnginePage::loadFinished, this, [this, page, once](bool) {
        disconnect(*once);
        delete once;
        writeIntoCurrentPage(page);
    });
}

void Document::updateBlocksOfCurrentPage(const PreparedPage& page) {
    // The reader's position is kept by the update itself (on the text in
    // view), not by the saved offset.
    const int generation = renderGeneration_;
    page_->updateBlocks(page, [this, page, generation](bool updated, int changes) {
        if (!updated) {
            // Another frame (style, font size): the whole page, unless a
            // newer render has taken over meanwhile.
            if (generation == renderGeneration_)
                writeIntoCurrentPage(page);
            return;
        }
        if (changes > 0)
            setChangedBlockCount(changes);
        ++completedLoads_;
        page_->lookForDocumentScripts();
        emit pageLoaded(true);
    });
}

void Document::writeIntoCurrentPage(const PreparedPage& page) {
    // Written from our own world: the document's scripts may be off.
    setChangedBlockCount(0);
    page_->writePage(page, needsToScroll_ ? scrollScript() : QString(), [this] {
        ++completedLoads_;
        page_->lookForDocumentScripts();
        emit pageLoaded(true);
    });
}

void Document::jumpToChange() {
    if (ui->box_Content->currentWidget() != ui->view_WebView)
        toggleWebViewSourceView(0);
    page_->jumpToNextChange([this](int number) { emit jumpedToChange(number); });
}

void Document::setChangedBlockCount(int count) {
    if (count == changedBlockCount_)
        return;
    changedBlockCount_ = count;
    emit changedBlocksMarked(count);
}

QString Document::scrollScript() const {
    return QString("window.scrollTo(%1, %2);").arg(savedScrollPosition_.x()).arg(savedScrollPosition_.y());
}

void Document::rememberScrollPosition() {
    // While a page is still loading its position is not the reader's yet:
    // keep the one saved before it.
    if (!loading_)
        savedScrollPosition_ = page_->scrollPosition();
    needsToScroll_ = true;
}

void Document::restoreScrollPosition() {
    if (!needsToScroll_)
        return;
    page_->runJavaScript(scrollScript(), QWebEngineScript::ApplicationWorld);
}

// ----------------------------------------------------------------- watching

void Document::settleFolderAccessAndScheduleWatching() {
    // No sandbox here: a plain file's folder is always readable, so plain
    // files are watched with their folder; packages on their own.
    const bool package = documentpipeline::isPackagePath(filePath_);
    accessGranted_ = !package;
    if (package && toolbarItem_BASEURL)
        toolbarItem_BASEURL->setVisible(false);
    QTimer::singleShot(kWatchDelayMilliseconds, this, [this, package] { startWatching(!package); });
}

void Document::startWatching(bool folderMode) {
    const QString watched = folderMode ? QFileInfo(filePath_).absolutePath() : filePath_;
    watcher_ = new FileWatcher(watched, folderMode ? FileWatcher::Mode::Folder : FileWatcher::Mode::SingleFile, this);
    connect(watcher_, &FileWatcher::changed, this, [] { NotificationCenter::defaultCenter().post(notifications::kReload); });
    if (!watcher_->start())
        qCWarning(documentLog) << "cannot watch" << watched;
    // A save made between the first render and now would otherwise be lost.
    if (documentpipeline::diskStamp(filePath_) != renderedStamp_)
        reloadTxt();
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
        windowDidBecomeKey();
}

void Document::windowDidBecomeKey() {
    NotificationCenter::defaultCenter().post(notifications::kExternalEditorsReloadMainMenu,
                                             {{notifications::kFileExtensionKey, fileExtension()}});
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
