#include "window/PreviewController.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <utility>

#include "window/PreviewWebPage.h"
#include "pipeline/PageScript.h"
#include "pipeline/PreparedPage.h"
#include "pipeline/PreviewRendering.h"

namespace {

// setHtml() passes the page as a data URL, which the web engine refuses
// beyond 2 MB once encoded.
constexpr qsizetype kLargestDataUrlPage = 1400 * 1024;

const char* const kScrollScriptName = "quillview-restore-scroll";

}  // namespace

namespace preview {

PaintRoad choosePaintRoad(const PaintInputs& in) {
    const bool inPlace = in.pageShown && !in.loading && in.sameBaseURL && in.scriptsAllowed == in.shownWithScripts
                         && in.picturesAllowed == in.shownWithPictures
                         && !(in.scriptsAllowed && in.pageHasScripts);
    if (inPlace)
        return in.scriptsAllowed ? PaintRoad::RewriteInPlace : PaintRoad::BlockUpdate;
    return in.htmlLength * 3 < kLargestDataUrlPage ? PaintRoad::FreshLoad : PaintRoad::EmptyPageThenWrite;
}

}  // namespace preview

PreviewController::PreviewController(PreviewWebPage* page, QObject* parent) : QObject(parent), page_(page) {
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        loading_ = false;
        if (emptyPage_ == EmptyPage::Loading) {
            emptyPage_ = EmptyPage::Ready;
            if (pendingPage_)
                writePendingPage();
            return;
        }
        if (needsToScroll_)
            page_->runJavaScript(restoreScrollCall(), QWebEngineScript::ApplicationWorld);
        finishShowing(ok);
    });
}

void PreviewController::prepareEmptyPage(const preview::PageContext& context) {
    if (completedLoads_ > 0 || loading_)
        return;
    page_->setDocumentBaseURL(context.baseURL);
    page_->setDocumentAccess(context.readableFolders, context.scriptsAllowed, context.picturesAllowed);
    baseURL_ = context.baseURL;
    loadEmptyPage(context.baseURL);
}

void PreviewController::show(const PreparedPage& page, const preview::PageContext& context) {
    rememberScrollPosition();
    baseURL_ = context.baseURL;
    page_->setDocumentBaseURL(context.baseURL);
    page_->setDocumentAccess(context.readableFolders, context.scriptsAllowed, context.picturesAllowed);

    preview::PaintInputs inputs;
    inputs.pageShown = completedLoads_ > 0;
    inputs.loading = loading_;
    inputs.sameBaseURL = baseURL_ == loadedBaseURL_;
    inputs.scriptsAllowed = context.scriptsAllowed;
    inputs.shownWithScripts = loadedWithScripts_;
    inputs.picturesAllowed = context.picturesAllowed;
    inputs.shownWithPictures = loadedWithPictures_;
    inputs.pageHasScripts = page.hasScripts;
    inputs.htmlLength = page.html.size();
    // Code colours, math and diagrams rendered with other switches are not
    // taken back in place.
    renderingScript_ = page.renderingScript;
    diagramScript_ = page.diagramScript;
    if (canWriteIntoEmptyPage(inputs)) {
        writeIntoEmptyPage(page);
        return;
    }
    preview::PaintRoad road = preview::choosePaintRoad(inputs);
    if (road == preview::PaintRoad::BlockUpdate && renderedWith_ != previewrendering::switches())
        road = preview::PaintRoad::RewriteInPlace;
    switch (road) {
    case preview::PaintRoad::BlockUpdate:
        updateBlocksOfShownPage(page);
        return;
    case preview::PaintRoad::RewriteInPlace:
        writeIntoShownPage(page);
        return;
    case preview::PaintRoad::FreshLoad:
        loadFresh(page, false);
        return;
    case preview::PaintRoad::EmptyPageThenWrite:
        loadFresh(page, true);
        return;
    }
}

void PreviewController::loadEmptyPage(const QUrl& baseURL) {
    QWebEngineScriptCollection& scripts = page_->scripts();
    for (const QWebEngineScript& old : scripts.find(kScrollScriptName))
        scripts.remove(old);
    emptyPage_ = EmptyPage::Loading;
    pendingPage_.reset();
    loading_ = true;
    loadedBaseURL_ = baseURL;
    loadedWithScripts_ = page_->scriptsAllowed();
    loadedWithPictures_ = page_->picturesAllowed();
    page_->setHtml(QStringLiteral("<html><body></body></html>"), baseURL);
}

bool PreviewController::canWriteIntoEmptyPage(const preview::PaintInputs& in) const {
    // The document's own scripts run only in a page loaded with them.
    return emptyPage_ != EmptyPage::None && in.sameBaseURL && in.scriptsAllowed == in.shownWithScripts
           && in.picturesAllowed == in.shownWithPictures && !(in.scriptsAllowed && in.pageHasScripts);
}

void PreviewController::writeIntoEmptyPage(const PreparedPage& page) {
    pendingPage_ = page;
    if (emptyPage_ == EmptyPage::Ready)
        writePendingPage();
}

void PreviewController::writePendingPage() {
    // The first part is written as it arrives: the top of a big page shows
    // while the rest is still on its way.
    const PreparedPage page = *std::exchange(pendingPage_, std::nullopt);
    emptyPage_ = EmptyPage::None;
    setChangedBlockCount(0);
    const QString id = pagescript::number(double(page.id));
    page_->runJavaScript(pagescript::call(pagescript::kWriteAsReceived, {id}), QWebEngineScript::ApplicationWorld);
    // Before the rest is written, the page takes the rendering's styles:
    // adopted once it is all there, they would make the engine lay the whole
    // page out again. (Not with the first part: that would hold its paint.)
    QString finish = page.styleScript
                     + pagescript::call(pagescript::kFinishWriting, {id, pagescript::number(double(page.partCount()))})
                     + u';';
    if (needsToScroll_)
        finish += restoreScrollCall() + u';';
    page_->sendPage(page, finish, [this](const QVariant&) { finishShowing(true); });
}

void PreviewController::loadFresh(const PreparedPage& page, bool empty) {
    setChangedBlockCount(0);
    if (empty) {
        // setHtml() refuses big pages: they are written into an empty one
        // that already has the base URL.
        loadEmptyPage(baseURL_);
        pendingPage_ = page;
        return;
    }
    emptyPage_ = EmptyPage::None;
    pendingPage_.reset();
    // For a fresh page the position is applied as soon as it is parsed.
    QWebEngineScriptCollection& scripts = page_->scripts();
    for (const QWebEngineScript& old : scripts.find(kScrollScriptName))
        scripts.remove(old);
    if (needsToScroll_) {
        QWebEngineScript script;
        script.setName(kScrollScriptName);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setSourceCode(restoreScrollCall() + u';');
        scripts.insert(script);
    }
    loading_ = true;
    loadedBaseURL_ = baseURL_;
    loadedWithScripts_ = page_->scriptsAllowed();
    loadedWithPictures_ = page_->picturesAllowed();
    page_->setHtml(page.html, baseURL_);
}

void PreviewController::updateBlocksOfShownPage(const PreparedPage& page) {
    // The reader's position is kept by the update itself (on the text in
    // view), not by the saved offset.
    const int expected = expected_;
    const QString update = pagescript::call(pagescript::kUpdateBlocks, {page.receivedExpression()});
    page_->sendPage(page, update, [this, page, expected](const QVariant& answer) {
        const QVariantMap result = answer.toMap();
        if (!result.value("updated").toBool()) {
            // Another frame (style, font size): the whole page, unless a
            // newer page is on its way meanwhile.
            if (expected == expected_)
                writeIntoShownPage(page);
            return;
        }
        if (const int changes = result.value("changes").toInt(); changes > 0)
            setChangedBlockCount(changes);
        finishShowing(true);
    });
}

void PreviewController::writeIntoShownPage(const PreparedPage& page) {
    // Written from our own world: the document's scripts may be off.
    setChangedBlockCount(0);
    QString write = pagescript::call(pagescript::kWritePage, {page.receivedExpression()}) + u';';
    if (needsToScroll_)
        write += restoreScrollCall() + u';';
    page_->sendPage(page, write, [this](const QVariant&) { finishShowing(true); });
}

void PreviewController::finishShowing(bool ok) {
    renderedWith_ = previewrendering::switches();
    // Diagrams follow once the rest has rendered, so that the page can show
    // its first screen in between.
    page_->runJavaScript(renderingScript_, QWebEngineScript::ApplicationWorld, [this, diagrams = diagramScript_](const QVariant&) {
        if (!diagrams.isEmpty())
            page_->runJavaScript(diagrams, QWebEngineScript::ApplicationWorld);
    });
    page_->runJavaScript(pagescript::call(pagescript::kHasDocumentScripts), QWebEngineScript::ApplicationWorld,
                         [this](const QVariant& found) { emit documentScriptsFound(found.toBool()); });
    page_->runJavaScript(pagescript::call(pagescript::kRemotePictureCount), QWebEngineScript::ApplicationWorld,
                         [this](const QVariant& count) { emit remotePicturesFound(count.toInt()); });
    ++completedLoads_;
    emit pageShown(ok);
}

void PreviewController::jumpToNextChange() {
    page_->runJavaScript(pagescript::call(pagescript::kJumpToNextChange), QWebEngineScript::ApplicationWorld,
                         [this](const QVariant& number) { emit jumpedToChange(number.toInt()); });
}

void PreviewController::setChangedBlockCount(int count) {
    if (count == changedBlockCount_)
        return;
    changedBlockCount_ = count;
    emit changedBlocksMarked(count);
}

void PreviewController::rememberScrollPosition() {
    // While a page is still loading its position is not the reader's yet:
    // keep the one saved before it.
    if (!loading_)
        savedScrollPosition_ = page_->scrollPosition();
    needsToScroll_ = true;
}

QString PreviewController::restoreScrollCall() const {
    return pagescript::call(pagescript::kRestoreScroll,
                            {pagescript::number(savedScrollPosition_.x()), pagescript::number(savedScrollPosition_.y())});
}
