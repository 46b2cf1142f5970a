#pragma once
// Which requests a preview page may make. Documents come from anywhere, so
// local files load only from the folders the document may use, and nothing
// reaches the network unless the reader lets the pictures of a document
// load: then http and https pictures do, and only while the document's own
// scripts do not run. What a page reads cannot be sent away, and no server
// learns a document was opened without the reader's consent.

#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

class QWebEngineProfile;

class PreviewRequestPolicy : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit PreviewRequestPolicy(QObject* parent = nullptr);

    // Folders (and everything below them) whose files the page may load.
    void setAllowedFolders(const QStringList& folders);

    // Pictures from the web load while allowed and no document script runs
    // (a script could otherwise send what it read in a picture's address).
    void setRemotePicturesAllowed(bool allowed) { remotePicturesAllowed_ = allowed; }
    void setDocumentScriptsRun(bool run) { documentScriptsRun_ = run; }

    // Local files of the allowed folders and inline content; from the
    // network only pictures, as set above.
    bool allows(const QUrl& url, QWebEngineUrlRequestInfo::ResourceType type) const;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Whether `path` (after following symbolic links) lies in one of the
    // folders; a path that does not exist lies nowhere.
    static bool isInsideFolders(const QString& path, const QStringList& canonicalFolders);

    // Refuses the network to every request of the profile, also to those
    // of pages that have no policy of their own (a window a document opens
    // comes with its page already made). Pages with a policy still apply
    // it to the rest.
    static void guardProfile(QWebEngineProfile* profile);

signals:
    void requestRefused(const QUrl& url);

private:
    bool allowsLocalFile(const QUrl& url) const;

    QStringList canonicalFolders_;
    bool remotePicturesAllowed_ = false;
    bool documentScriptsRun_ = false;
};
