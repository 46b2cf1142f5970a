#include "pipeline/PreviewRequestPolicy.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QWebEngineProfile>

#include "pipeline/PictureRelay.h"

Q_LOGGING_CATEGORY(previewPolicyLog, "quillview.preview")

namespace {

bool isWebAddress(const QUrl& url) {
    return url.scheme() == "http" || url.scheme() == "https";
}

class NetworkRefusal : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        // The page itself, what it carries inline, local files (which the
        // page's own policy decides on) and our resources.
        static const QStringList offTheNetwork{"file", "data", "blob", "about", "qrc"};
        if (offTheNetwork.contains(info.requestUrl().scheme()))
            return;
        // Pictures are the page's policy's to refuse, count or relay; a
        // page without one reaches no server with them: the engine
        // resolves no name.
        if (isWebAddress(info.requestUrl()) && info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeImage)
            return;
        info.block(true);
        qCDebug(previewPolicyLog) << "refused for the profile" << info.requestUrl().scheme() << info.resourceType();
    }
};

}  // namespace

PreviewRequestPolicy::PreviewRequestPolicy(QObject* parent) : QWebEngineUrlRequestInterceptor(parent) {}

void PreviewRequestPolicy::setAllowedFolders(const QStringList& folders) {
    canonicalFolders_.clear();
    for (const QString& folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty() && !canonicalFolders_.contains(canonical))
            canonicalFolders_ << canonical;
    }
}

bool PreviewRequestPolicy::isInsideFolders(const QString& path, const QStringList& canonicalFolders) {
    // Symbolic links are followed first, so a link inside the folder cannot
    // lead out of it.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return false;
    for (const QString& folder : canonicalFolders)
        if (canonical == folder || canonical.startsWith(folder == "/" ? folder : folder + '/'))
            return true;
    return false;
}

void PreviewRequestPolicy::guardProfile(QWebEngineProfile* profile) {
    if (!profile->findChild<NetworkRefusal*>())
        profile->setUrlRequestInterceptor(new NetworkRefusal(profile));
}

bool PreviewRequestPolicy::allowsLocalFile(const QUrl& url) const {
    if (!url.host().isEmpty() && url.host() != "localhost")
        return false;
    return isInsideFolders(url.toLocalFile(), canonicalFolders_);
}

bool PreviewRequestPolicy::allows(const QUrl& url, QWebEngineUrlRequestInfo::ResourceType type) const {
    const QString scheme = url.scheme();
    if (scheme == "file")
        return allowsLocalFile(url);
    // A remote load tells its server that the document was opened, and by
    // whom: only pictures, only with the reader's consent. Style sheets and
    // fonts could fetch further, frames bring pages of their own.
    if (isWebAddress(url))
        return remotePicturesAllowed_ && !documentScriptsRun_ && type == QWebEngineUrlRequestInfo::ResourceTypeImage
               && (url.host() != QLatin1String(PictureRelay::kHostName) || PictureRelay::shared().isRelayUrl(url));
    // The page itself and what it carries inline.
    return scheme == "data" || scheme == "blob" || scheme == "about";
}

void PreviewRequestPolicy::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (allows(url, info.resourceType())) {
        // The engine reaches no server itself: the relay fetches the picture.
        if (isWebAddress(url) && !PictureRelay::shared().isRelayUrl(url))
            info.redirect(PictureRelay::shared().relayUrlFor(url));
        return;
    }
    info.block(true);
    qCDebug(previewPolicyLog) << "refused" << info.requestUrl().toString(QUrl::RemoveQuery) << info.resourceType();
    emit requestRefused(info.requestUrl());
}
