#pragma once
// The help window's page. It shows the help book and nothing else: its own
// pages run no scripts, it loads nothing but the book's resources (no
// network, no local files), a link to another help page stays in the help,
// and a web link goes to the browser.

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

class HelpRequestPolicy : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

class HelpWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    HelpWebPage(QWebEngineProfile* profile, QObject* parent);

signals:
    // A web link the user clicked; the viewer hands it to the browser.
    void externalLinkRequested(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
};
