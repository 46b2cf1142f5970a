#pragma once
// Helpers of the tests that open document windows: they read the rendered
// page back from the application's script world, which works whether or not
// the document's own scripts may run.

#include <QBuffer>
#include <QImage>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <cstdio>

#include "QtTestSupport.h"
#include "app/AppDelegate.h"
#include "window/Document.h"
#include "window/PreviewController.h"

namespace documenttestsupport {

constexpr int kLoadTimeout = 20000;

// The script's value in the application's world of `page`; invalid when the
// page does not answer in time.
inline QVariant evaluate(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kLoadTimeout))
        return {};
    return result;
}

inline QVariant evaluate(Document* document, const QString& script) {
    return evaluate(document->webView()->page(), script);
}

inline QString bodyText(Document* document) {
    return evaluate(document, "document.body ? document.body.innerText : ''").toString();
}

inline bool waitForBodyText(Document* document, const QString& needle, int timeout) {
    return QTest::qWaitFor([&] { return bodyText(document).contains(needle); }, timeout);
}

inline bool waitForLoads(Document* document, int count) {
    return QTest::qWaitFor([&] { return document->preview()->completedLoads() >= count; }, kLoadTimeout);
}

// Opens the file as the application does and waits for its first page.
inline Document* openAndWait(AppDelegate& delegate, const QString& file) {
    Document* document = delegate.openDocument(file);
    if (!document || !waitForLoads(document, 1))
        return nullptr;
    return document;
}

// With QUILL_SCREENSHOT_DIR set, the window is saved there for a look.
inline void saveScreenshot(QWidget* window, const QString& name) {
    const QByteArray directory = qgetenv("QUILL_SCREENSHOT_DIR");
    if (directory.isEmpty())
        return;
    window->show();
    QTest::qWait(700);
    QVERIFY(window->grab().save(QString("%1/%2.png").arg(QString::fromLocal8Bit(directory), name)));
}

// Writes a new version the way most editors save: a temporary file renamed
// over the original.
inline void saveAtomically(const QString& path, const QByteArray& bytes) {
    const QString temporary = path + ".tmp~";
    qttestsupport::writeFile(temporary, bytes);
    QVERIFY(std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0);
}

inline QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace documenttestsupport
