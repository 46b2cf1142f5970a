#pragma once
// The preview's web page: it shows the document and never navigates away.
// In-page anchors scroll in place, web links open in the user's browser, and
// a link to another file Quillview can show asks for a window of its own.

#include <QUrl>
#include <QWebEnginePage>

class PreviewWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit PreviewWebPage(QObject* parent = nullptr);

    // The base URL of the page being shown (in-page links resolve against it).
    void setDocumentBaseURL(const QUrl& baseURL) { baseURL_ = baseURL; }

    // What a clicked link does; public so that pages opened for new windows
    // route their first navigation here.
    void followLink(const QUrl& url);

    // Whether Quillview shows files of this path (by extension or package).
    static bool isShowableFile(const QString& path);

signals:
    void openFileRequested(const QString& path);
    void reloadRequested();

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    bool isInPageLink(const QUrl& url) const;
    void scrollToAnchor(const QString& anchor);

    QUrl baseURL_;
};
