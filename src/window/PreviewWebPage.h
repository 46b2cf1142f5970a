#pragma once
// The preview's web page, and with it the whole page policy. Documents come
// from anywhere, so:
// - their own scripts run only where the user allowed them (per folder);
// - our own functions (resources/preview: anchor links, scroll keeping,
//   in-place updates) run in the application's script world, which the
//   document cannot see;
// - loads are filtered by PreviewRequestPolicy (local files from the
//   document's folders only, from the network pictures at most);
// - the page never navigates away: in-page anchors scroll in place, web links
//   open in the user's browser, a file Quillview can show opens a window of
//   its own, and any other local file is revealed, never opened or run.

#include <QStringList>
#include <QUrl>
#include <QWebEnginePage>
#include <functional>
#include <memory>

class PreviewRequestPolicy;
struct PreparedPage;

class PreviewWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit PreviewWebPage(QObject* parent = nullptr);

    // The base URL of the page being shown (in-page links resolve against it).
    void setDocumentBaseURL(const QUrl& baseURL) { baseURL_ = baseURL; }

    // What the next page may do: load local files from these folders, run
    // the document's scripts or not, load pictures from the web or not.
    void setDocumentAccess(const QStringList& allowedFolders, bool scriptsAllowed, bool picturesAllowed);
    bool scriptsAllowed() const { return scriptsAllowed_; }
    bool picturesAllowed() const { return picturesAllowed_; }
    PreviewRequestPolicy* requestPolicy() const { return policy_; }

    // Hands the page's parts over, one event-loop turn apart, then runs
    // finish (which takes the page by its receivedExpression()) in our
    // world. A newer hand-over, or a load, drops this one: done is not
    // called then.
    void sendPage(const PreparedPage& page, const QString& finish, std::function<void(const QVariant&)> done);

    // Reads the text of the page as the reader sees it (the body's
    // innerText) in parts, one event-loop turn apart; done gets it whole. A
    // newer reading supersedes this one, which then never answers.
    void readBodyText(std::function<void(const QString& text)> done);

    // What a clicked link does; public so that pages opened for new windows
    // route their first navigation here.
    void followLink(const QUrl& url);

    // Whether Quillview shows files of this path (by extension or package).
    static bool isShowableFile(const QString& path);

signals:
    void openFileRequested(const QString& path);
    void revealFileRequested(const QString& path);
    void reloadRequested();

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    void sendPart(const PreparedPage& page, qsizetype index, const QString& finish,
                  const std::function<void(const QVariant&)>& done);
    struct TextReading {
        quint64 id = 0;
        qsizetype length = 0;
        QString text;
        std::function<void(const QString&)> done;
    };
    void readNextTextPart(const std::shared_ptr<TextReading>& reading);
    bool isInPageLink(const QUrl& url) const;
    void scrollToAnchor(const QString& anchor);

    PreviewRequestPolicy* policy_ = nullptr;
    QUrl baseURL_;
    bool scriptsAllowed_ = false;
    bool picturesAllowed_ = false;
    quint64 sending_ = 0;       // the page being handed over, 0 for none
    quint64 lastReading_ = 0;   // the newest reading of the text
};
