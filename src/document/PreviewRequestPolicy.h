#pragma once
// Which requests a preview page may make. Documents come from anywhere, so
// local files load only from the folders the document may use, and the
// network gives only what a page needs to look right: https images, style
// sheets and fonts. A document whose scripts the user allowed reaches no
// network at all, and no local files outside those folders either.

#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

class PreviewRequestPolicy : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit PreviewRequestPolicy(QObject* parent = nullptr);

    // Folders (and everything below them) whose files the page may load.
    void setAllowedFolders(const QStringList& folders);

    // Local files of the allowed folders and inline content; never the network.
    bool allows(const QUrl& url, QWebEngineUrlRequestInfo::ResourceType type) const;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Whether `path` (after following symbolic links) lies in one of the
    // folders; a path that does not exist lies nowhere.
    static bool isInsideFolders(const QString& path, const QStringList& canonicalFolders);

signals:
    void requestRefused(const QUrl& url);

private:
    bool allowsLocalFile(const QUrl& url) const;

    QStringList canonicalFolders_;
};
