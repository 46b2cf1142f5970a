#include "window/PreviewWebPage.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "pipeline/PageScript.h"
#include "pipeline/PreviewRequestPolicy.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"

Q_DECLARE_LOGGING_CATEGORY(previewPolicyLog)

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

const char* const kModuleName = "quillview-module";
const char* const kPageReadyName = "quillview-page-ready";

// Our page-side functions (resources/preview), in the order they build on
// each other.
const char* const kModuleFiles[] = {":/preview/quillview.js", ":/preview/blockupdate.js", ":/preview/outline.js"};

QString moduleSource() {
    QString source;
    for (const char* name : kModuleFiles) {
        QFile file(QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the preview's script %s is missing from the resources", name);
        source += QString::fromUtf8(file.readAll()) + u'\n';
    }
    return source;
}

QWebEngineScript ownScript(const char* name, QWebEngineScript::InjectionPoint point, const QString& source) {
    QWebEngineScript script;
    script.setName(QString::fromLatin1(name));
    script.setInjectionPoint(point);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setSourceCode(source);
    return script;
}

void applyBaseSettings(QWebEngineSettings* settings) {
    // Images and style sheets of the document's folders load from a file:
    // page only with this switch on; PreviewRequestPolicy then decides
    // request by request.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    // A page from a file asks for nothing on the web until the reader lets
    // its pictures load (setDocumentAccess).
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
}

// Web addresses go to the browser; other schemes could start any program
// registered for them, so they are left alone.
bool opensInBrowser(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == "http" || scheme == "https" || scheme == "mailto";
}

}  // namespace

PreviewWebPage::PreviewWebPage(QObject* parent) : QWebEnginePage(parent), policy_(new PreviewRequestPolicy(this)) {
    applyBaseSettings(settings());
    setDocumentAccess({}, false, false);
    setUrlRequestInterceptor(policy_);
    PreviewRequestPolicy::guardProfile(profile());
    // Our functions exist in every document before anything else runs;
    // once it is parsed, they set our behaviour up and remember its blocks.
    static const QString module = moduleSource();
    scripts().insert(ownScript(kModuleName, QWebEngineScript::DocumentCreation, module));
    scripts().insert(ownScript(kPageReadyName, QWebEngineScript::DocumentReady,
                               pagescript::call(pagescript::kPageReady) + u';'));
    // A new document takes no parts of a page meant for the one before.
    connect(this, &QWebEnginePage::loadStarted, this, [this] { sending_ = 0; });
}

void PreviewWebPage::setDocumentAccess(const QStringList& allowedFolders, bool scriptsAllowed, bool picturesAllowed) {
    scriptsAllowed_ = scriptsAllowed;
    picturesAllowed_ = picturesAllowed;
    policy_->setAllowedFolders(allowedFolders);
    policy_->setDocumentScriptsRun(scriptsAllowed);
    policy_->setRemotePicturesAllowed(picturesAllowed);
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scriptsAllowed);
    // Only then may the page ask for web addresses at all, and the policy
    // passes its pictures alone. A page that runs its own scripts loads
    // none: a script could put what it read into a picture's address.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, picturesAllowed && !scriptsAllowed);
}

bool PreviewWebPage::isShowableFile(const QString& path) {
    const QFileInfo file(path);
    const QString extension = file.suffix();
    if (extension == "textbundle" || extension == "textpack")
        return file.exists();
    if (!file.isFile())
        return false;
    for (const MarkupLanguage& language : markuplanguagetable::languages())
        if (language.extensions && (SettingsStore::shared().*language.extensions)().split(' ').contains(extension))
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
    runJavaScript(pagescript::call(pagescript::kScrollToAnchor, {pagescript::string(anchor)}),
                  QWebEngineScript::ApplicationWorld);
}

void PreviewWebPage::followLink(const QUrl& url) {
    if (isInPageLink(url)) {
        scrollToAnchor(url.fragment(QUrl::FullyDecoded));
    } else if (url.isLocalFile()) {
        const QString path = url.toLocalFile();
        if (isShowableFile(path))
            emit openFileRequested(path);
        else if (QFileInfo::exists(path))
            emit revealFileRequested(path);
    } else if (opensInBrowser(url)) {
        QDesktopServices::openUrl(url);
    } else if (url.scheme() != "javascript") {
        qCInfo(previewPolicyLog) << "link not followed:" << url.scheme();
    }
}

bool PreviewWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (!isMainFrame)
        // Frames of the document; what they load is up to the request policy.
        return true;
    switch (type) {
    case NavigationTypeTyped:
        // Our own loads.
        return true;
    case NavigationTypeLinkClicked:
        followLink(url);
        return false;
    case NavigationTypeReload:
        emit reloadRequested();
        return false;
    default:
        // Forms, history, redirects, refreshes and script navigation would
        // all leave the document.
        qCDebug(previewPolicyLog) << "navigation refused" << type << url.scheme();
        return false;
    }
}

QWebEnginePage* PreviewWebPage::createWindow(WebWindowType) {
    return new LinkCatcherPage(this);
}
