#pragma once
// The help window: the help book of the user's language (English when there
// is none for it) in a web view. The book's frame page index.htm holds the
// frame "theIFrame"; the viewer loads the frame page and points the frame at
// the page asked for.

#include <QString>
#include <QWidget>
#include <memory>

#include "settings/Language.h"

class QWebEngineProfile;
class QWebEngineView;
class HelpWebPage;

namespace Ui {
class HelpWindow;
}

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& langCode = Language::getLanguage(), QWidget* parent = nullptr);
    ~HelpWindow() override;

    // A new viewer, shown at the start page; the caller owns it.
    static HelpWindow* launchHelpViewer(const QString& langCode = Language::getLanguage());

    // Shows the viewer; once the frame page has loaded it shows the page.
    void launchHelpViewerWithFile(const QString& pageName);
    // Shows the page at once (or as soon as the frame page has loaded) and
    // brings the window to the front.
    void openFile(const QString& pageName);
    void showme();
    void setWindowTitleManually();

    QString langCode() const { return langCode_; }
    QString helpbookPath() const { return helpbookPath_; }
    QString loadPage() const { return loadPage_; }
    QWebEngineView* webView() const { return webView_; }
    // How many loads of the frame page have finished (tests wait on it).
    int completedLoads() const { return completedLoads_; }

signals:
    // The frame was pointed at a page.
    void pageRequested(const QString& pageName);

private:
    void createWebView();
    void webViewDidFinishNavigation(bool ok);
    void showPage(const QString& pageName);

    std::unique_ptr<Ui::HelpWindow> ui;
    QString langCode_;
    QString helpbookPath_;
    QString loadPage_;
    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* webView_ = nullptr;
    HelpWebPage* page_ = nullptr;
    bool framePageLoaded_ = false;
    int completedLoads_ = 0;
};
