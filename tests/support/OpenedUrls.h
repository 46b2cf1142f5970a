#pragma once
// Stands for the browser and the file manager in tests: records each address
// the application hands to the desktop for the given schemes, while it lives.
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class OpenedUrls : public QObject {
    Q_OBJECT
public:
    explicit OpenedUrls(const QStringList& schemes) : schemes_(schemes) {
        for (const QString& scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~OpenedUrls() override {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }

private:
    QStringList schemes_;
};
