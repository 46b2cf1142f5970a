#include "document/PreviewWebPage.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>

#include "settings/SettingsStore.h"

namespace {

// A page for a link that asked for a new window: its first navigation is
// handed to the preview's link rule, and the page goes away.
class LinkCatcherPage : public QWebEnginePage {
public:
    LinkCatcherPage(PreviewWebPage* preview) : QWebEnginePage(preview), preview_(preview) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        preview_->followLink(url);
        deleteLater();
        return false;
    }

private:
    PreviewWebPage* preview_;
};

const char* const kExtensionLists[] = {
    "defaults_MarkdownExtension", "defaults_MultiMarkdownExtension", "defaults_TesselExtension",
    "defaults_BBCodeExtension",   "defaults_WikitextExtension",      "defaults_TextileExtension",
    "defaults_HTMLExtension"};

}  // namespace

PreviewWebPage::PreviewWebPage(QObject* parent) : QWebEnginePage(parent) {}

bool PreviewWebPage::isShowableFile(const QString& path) {
    const QFileInfo file(path);
    const QString extension = file.suffix();
    if (extension == "textbundle" || extension == "textpack")
        return file.exists();
    if (!file.isFile())
        return false;
    for (const char* list : kExtensionLists)
        if (SettingsStore::shared().stringValue(list).split(' ').contains(extension))
            return true;
    return false;
}

bool PreviewWebPage::isInPageLink(const QUrl& url) const {
    if (!url.hasFragment())
        return false;
    const QUrl withoutFragment = url.adjusted(QUrl::RemoveFragment);
    return withoutFragment.isEmpty() || withoutFragment == baseURL_.adjusted(QUrl::RemoveFragment)
           || withoutFragment == this->url().adjusted(QUrl::RemoveFragment)
           || withoutFragment.scheme() == "data";
}

void PreviewWebPage::scrollToAnchor(const QString& anchor) {
    const QString name = QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{anchor}).toJson(QJsonDocument::Compact));
    runJavaScript(QStringLiteral("(function(n){var e=document.getElementById(n)||document.getElementsByName(n)[0];"
                                 "if(e)e.scrollIntoView();})(%1[0]);")
                      .arg(name));
}

void PreviewWebPage::followLink(const QUrl& url) {
    if (isInPageLink(url)) {
        scrollToAnchor(url.fragment(QUrl::FullyDecoded));
    } else if (url.isLocalFile()) {
        const QString path = url.toLocalFile();
        if (isShowableFile(path))
            emit openFileRequested(path);
        else if (QFileInfo::exists(path))
            QDesktopServices::openUrl(url);
    } else if (url.scheme() != "javascript" && url.isValid()) {
        QDesktopServices::openUrl(url);
    }
}

bool PreviewWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    switch (type) {
    case NavigationTypeLinkClicked:
        if (!isMainFrame)
            return true;
        followLink(url);
        return false;
    case NavigationTypeReload:
        emit reloadRequested();
        return false;
    case NavigationTypeFormSubmitted:
    case NavigationTypeBackForward:
        return false;
    default:
        // The document's own loads (and what its frames load).
        return true;
    }
}

QWebEnginePage* PreviewWebPage::createWindow(WebWindowType) {
    return new LinkCatcherPage(this);
}
