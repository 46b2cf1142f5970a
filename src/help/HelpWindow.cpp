#include "help/HelpWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLoggingCategory>
#include <QTranslator>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "help/HelpBook.h"
#include "help/HelpWebPage.h"
#include "ui_HelpWindow.h"

Q_LOGGING_CATEGORY(helpLog, "quillview.help")

namespace {

// The title speaks the book's language, which a test or a missing book may
// make differ from the interface's: the word is looked up in that
// language's translations.
QString helpWord(const QString& langCode) {
    QTranslator translator;
    if (translator.load(QString(":/translations/quillview_%1.qm").arg(langCode))) {
        const QString word = translator.translate("HelpWindow", "Help");
        if (!word.isEmpty())
            return word;
    }
    return QCoreApplication::translate("HelpWindow", "Help");
}

}  // namespace

HelpWindow::HelpWindow(const QString& langCode, QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::HelpWindow>()) {
    ui->setupUi(this);
    const helpbook::Location location = helpbook::locate(langCode);
    langCode_ = location.langCode;
    helpbookPath_ = location.helpbookPath;
    createWebView();
    // The frame page loads at once; the start page unless a page is asked
    // for before it has finished.
    webView_->load(helpbook::framePageUrl(helpbookPath_));
    loadPage_ = "start";
}

HelpWindow::~HelpWindow() {
    // The page must go before the profile it was made with.
    delete webView_;
    delete profile_;
}

void HelpWindow::createWebView() {
    // A profile of its own, kept in memory: the help shares no cache,
    // cookies or request policy with the previews.
    profile_ = new QWebEngineProfile();
    webView_ = new QWebEngineView(ui->webViewContainer);
    page_ = new HelpWebPage(profile_, webView_);
    webView_->setPage(page_);
    webView_->setContextMenuPolicy(Qt::NoContextMenu);
    ui->webViewContainer->layout()->addWidget(webView_);
    connect(page_, &QWebEnginePage::loadFinished, this, &HelpWindow::webViewDidFinishNavigation);
    connect(page_, &HelpWebPage::externalLinkRequested, this, [](const QUrl& url) { QDesktopServices::openUrl(url); });
}

HelpWindow* HelpWindow::launchHelpViewer(const QString& langCode) {
    auto* viewer = new HelpWindow(langCode);
    viewer->showme();
    return viewer;
}

void HelpWindow::launchHelpViewerWithFile(const QString& pageName) {
    showme();
    if (framePageLoaded_)
        showPage(pageName);
    else
        loadPage_ = pageName;
}

void HelpWindow::openFile(const QString& pageName) {
    if (framePageLoaded_)
        showPage(pageName);
    else
        loadPage_ = pageName;
    showme();
    raise();
    activateWindow();
}

void HelpWindow::showme() {
    setWindowTitleManually();
    show();
}

void HelpWindow::setWindowTitleManually() {
    setWindowTitle(QString("%1 %2").arg(QCoreApplication::applicationName(), helpWord(langCode_)));
}

void HelpWindow::webViewDidFinishNavigation(bool ok) {
    ++completedLoads_;
    framePageLoaded_ = ok && helpbook::isInHelpBook(page_->url());
    if (!framePageLoaded_) {
        qCWarning(helpLog).noquote() << "help frame page did not load:" << page_->url().toString();
        return;
    }
    if (!loadPage_.isEmpty()) {
        showPage(loadPage_);
        loadPage_.clear();
        setWindowTitleManually();
    }
}

void HelpWindow::showPage(const QString& pageName) {
    // Names come from notifications; one that is not a plain word would
    // leave the book or the script it is put into.
    if (!helpbook::isPageName(pageName)) {
        qCWarning(helpLog).noquote() << "not a help page:" << pageName;
        return;
    }
    page_->runJavaScript(helpbook::showPageScript(pageName), QWebEngineScript::ApplicationWorld);
    emit pageRequested(pageName);
}
