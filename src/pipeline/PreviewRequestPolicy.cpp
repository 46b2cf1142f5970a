#include "pipeline/PreviewRequestPolicy.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QWebEngineProfile>

Q_LOGGING_CATEGORY(previewPolicyLog, "quillview.preview")

namespace {

class NetworkRefusal : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        // The page itself, what it carries inline, local files (which the
        // page's own policy decides on) and our resources.
        static const QStringList offTheNetwork{"file", "data", "blob", "about", "qrc"};
        if (offTheNetwork.contains(info.requestUrl().scheme()))
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

bool PreviewRequestPolicy::allows(const QUrl& url, QWebEngineUrlRequestInfo::ResourceType) const {
    const QString scheme = url.scheme();
    if (scheme == "file")
        return allowsLocalFile(url);
    // No address on the network, not even an image: a remote load tells
    // its server that the document was opened, and by whom.
    // The page itself and what it carries inline.
    return scheme == "data" || scheme == "blob" || scheme == "about";
}

void PreviewRequestPolicy::interceptRequest(QWebEngineUrlRequestInfo& info) {
    if (allows(info.requestUrl(), info.resourceType()))
        return;
    info.block(true);
    qCDebug(previewPolicyLog) << "refused" << info.requestUrl().toString(QUrl::RemoveQuery) << info.resourceType();
    emit requestRefused(info.requestUrl());
}
