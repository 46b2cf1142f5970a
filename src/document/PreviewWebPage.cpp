#include "document/PreviewWebPage.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "pipeline/PreparedPage.h"
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

const char* const kPageBehaviourName = "quillview-page-behaviour";
const char* const kBlockUpdateName = "quillview-block-update";

// The converters write in-page links as `href="javascript:;"` with
// `onclick="document.location.hash='name';"`. The document's scripts may not
// run, so the click is handled here, in the application's world.
const char* const kAnchorHandlerSource = R"JS(
function quillviewAnchorOf(handler) {
    var prefix = "document.location.hash='", suffix = "';";
    if (!handler || handler.indexOf(prefix) !== 0 || handler.length < prefix.length + suffix.length
        || handler.slice(-suffix.length) !== suffix)
        return null;
    return handler.slice(prefix.length, handler.length - suffix.length);
}
)JS";

const char* const kAnchorLinksSource = R"JS(
document.addEventListener('click', function (event) {
    var link = event.target && event.target.closest ? event.target.closest('a[onclick]') : null;
    var name = link ? quillviewAnchorOf(link.getAttribute('onclick')) : null;
    if (name === null)
        return;
    event.preventDefault();
    var target = document.getElementById(name) || document.getElementsByName(name)[0];
    if (location.hash === '#' + name) {
        if (target)
            target.scrollIntoView();
    } else {
        location.hash = name;
    }
}, true);
)JS";

// Scripts of the document: script elements, event handlers other than the
// converters' anchor links, and javascript: addresses other than theirs.
const char* const kScriptSearchSource = R"JS(
(function () {
    if (document.getElementsByTagName('script').length > 0)
        return true;
    var elements = document.getElementsByTagName('*');
    for (var i = 0; i < elements.length; ++i) {
        var attributes = elements[i].attributes;
        for (var j = 0; j < attributes.length; ++j) {
            var name = attributes[j].name.toLowerCase(), value = attributes[j].value;
            if (name.length > 2 && name.indexOf('on') === 0) {
                if (name !== 'onclick' || quillviewAnchorOf(value) === null)
                    return true;
            } else if (value.trim().toLowerCase().indexOf('javascript:') === 0 && value.trim() !== 'javascript:;') {
                return true;
            }
        }
    }
    return false;
})()
)JS";

void applyBaseSettings(QWebEngineSettings* settings) {
    // Images and style sheets of the document's folders load from a file:
    // page only with this switch on; PreviewRequestPolicy then decides
    // request by request. Remote access is set with the script permission.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
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

// Our in-place updater (resources/preview), defined on the page's first use.
const QString& blockUpdateScript() {
    static const QString source = [] {
        QFile file(":/preview/blockupdate.js");
        if (!file.open(QIODevice::ReadOnly))
            qFatal("the preview's update script is missing from the resources");
        return QString::fromUtf8(file.readAll());
    }();
    return source;
}

}  // namespace

PreviewWebPage::PreviewWebPage(QObject* parent) : QWebEnginePage(parent), policy_(new PreviewRequestPolicy(this)) {
    applyBaseSettings(settings());
    setDocumentAccess({}, false);
    setUrlRequestInterceptor(policy_);
    PreviewRequestPolicy::guardProfile(profile());
    QWebEngineScript behaviour;
    behaviour.setName(kPageBehaviourName);
    behaviour.setInjectionPoint(QWebEngineScript::DocumentReady);
    behaviour.setWorldId(QWebEngineScript::ApplicationWorld);
    behaviour.setSourceCode(pageBehaviourScript());
    scripts().insert(behaviour);
    // Every page remembers its blocks as loaded, for the next update.
    QWebEngineScript blocks;
    blocks.setName(kBlockUpdateName);
    blocks.setInjectionPoint(QWebEngineScript::DocumentReady);
    blocks.setWorldId(QWebEngineScript::ApplicationWorld);
    blocks.setSourceCode(blockUpdateScript() + "quillviewPreview.remember();");
    scripts().insert(blocks);
    // A new document takes no parts of a page meant for the one before.
    connect(this, &QWebEnginePage::loadStarted, this, [this] { sending_ = 0; });
}

QString PreviewWebPage::pageBehaviourScript() {
    return QString::fromUtf8(kAnchorHandlerSource) + QString::fromUtf8(kAnchorLinksSource);
}

void PreviewWebPage::setDocumentAccess(const QStringList& allowedFolders, bool scriptsAllowed) {
    scriptsAllowed_ = scriptsAllowed;
    policy_->setAllowedFolders(allowedFolders);
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, scriptsAllowed);
}

void PreviewWebPage::lookForDocumentScripts() {
    const QString search = QString::fromUtf8(kAnchorHandlerSource) + QString::fromUtf8(kScriptSearchSource);
    runJavaScript(search, QWebEngineScript::ApplicationWorld,
                  [this](const QVariant& found) { emit documentScriptsFound(found.toBool()); });
}


void PreviewWebPage::writePage(const PreparedPage& page, const QString& afterScript, std::function<void()> done) {
    const QString writer = "(function(page){if(page===null)return;"
                           "document.open();document.write(page);document.close();})("
                           + page.receivedExpression() + ");" + pageBehaviourScript() + blockUpdateScript()
                           + "quillviewPreview.remember();" + afterScript;
    sendPage(page, writer, [done = std::move(done)](const QVariant&) { done(); });
}

void PreviewWebPage::updateBlocks(const PreparedPage& page, std::function<void(bool, int)> done) {
    const QString call = blockUpdateScript() + "quillviewPreview.update(" + page.receivedExpression() + ");";
    sendPage(page, call, [done = std::move(done)](const QVariant& answer) {
        const QVariantMap result = answer.toMap();
        done(result.value("updated").toBool(), result.value("changes").toInt());
    });
}

void PreviewWebPage::jumpToNextChange(std::function<void(int)> done) {
    runJavaScript(blockUpdateScript() + "quillviewPreview.jumpToNextChange();", QWebEngineScript::ApplicationWorld,
                  [done = std::move(done)](const QVariant& number) {
                      if (done)
                          done(number.toInt());
                  });
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
    const QByteArray name = QJsonDocument(QJsonArray{anchor}).toJson(QJsonDocument::Compact);
    runJavaScript(QStringLiteral("(function(n){var e=document.getElementById(n)||document.getElementsByName(n)[0];"
                                 "if(e)e.scrollIntoView();})(%1[0]);")
                      .arg(QString::fromUtf8(name)),
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
