#include "help/HelpWebPage.h"

#include <QWebEngineSettings>

#include "help/HelpBook.h"

void HelpRequestPolicy::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (!helpbook::isInHelpBook(info.requestUrl()))
        info.block(true);
}

HelpWebPage::HelpWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    setUrlRequestInterceptor(new HelpRequestPolicy(this));
    QWebEngineSettings* s = settings();
    // The viewer's own scripts run in the application's world; the pages
    // need none of their own.
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
}

bool HelpWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    Q_UNUSED(isMainFrame);
    if (helpbook::isInHelpBook(url))
        return true;
    const QString scheme = url.scheme();
    if (type == NavigationTypeLinkClicked && (scheme == "http" || scheme == "https"))
        emit externalLinkRequested(url);
    return false;
}

QWebEnginePage* HelpWebPage::createWindow(WebWindowType) {
    // The book opens no windows; its web links are plain links.
    return nullptr;
}
