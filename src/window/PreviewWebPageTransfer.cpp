// Big texts between the GUI thread and the page. Every runJavaScript()
// copies its script, and every answer its result, on the GUI thread, at a
// few milliseconds a megabyte; a 10 MB document in one piece held the window
// for well over 100 ms. In parts of a few hundred kilobytes, one event-loop
// turn apart, the window answers input in between.
#include <QPointer>
#include <QTimer>
#include <QWebEngineScript>
#include <memory>

#include "pipeline/PageScript.h"
#include "pipeline/PreparedPage.h"
#include "window/PreviewWebPage.h"

namespace {

// The UTF-16 code units of the page's text one answer carries.
constexpr qsizetype kTextPartLength = 256 * 1024;

}  // namespace

void PreviewWebPage::sendPage(const PreparedPage& page, const QString& finish, std::function<void(const QVariant&)> done) {
    sending_ = page.id;
    sendPart(page, 0, finish, done);
}

void PreviewWebPage::sendPart(const PreparedPage& page, qsizetype index, const QString& finish,
                              const std::function<void(const QVariant&)>& done) {
    if (sending_ != page.id)
        return;
    if (index == page.partCount()) {
        sending_ = 0;
        runJavaScript(finish, QWebEngineScript::ApplicationWorld, done);
        return;
    }
    runJavaScript(page.part(index), QWebEngineScript::ApplicationWorld);
    QTimer::singleShot(0, this, [this, page, index, finish, done] { sendPart(page, index + 1, finish, done); });
}

void PreviewWebPage::readBodyText(std::function<void(const QString&)> done) {
    auto reading = std::make_shared<TextReading>();
    reading->id = ++lastReading_;
    reading->done = std::move(done);
    runJavaScript(pagescript::call(pagescript::kTakeBodyText), QWebEngineScript::ApplicationWorld,
                  [page = QPointer<PreviewWebPage>(this), reading](const QVariant& length) {
                      if (!page || !length.isValid())
                          return;
                      reading->length = length.toLongLong();
                      reading->text.reserve(reading->length);
                      page->readNextTextPart(reading);
                  });
}

void PreviewWebPage::readNextTextPart(const std::shared_ptr<TextReading>& reading) {
    if (reading->id != lastReading_)
        return;
    if (reading->text.size() >= reading->length) {
        reading->done(reading->text);
        return;
    }
    runJavaScript(pagescript::call(pagescript::kBodyTextPart, {pagescript::number(double(reading->text.size())),
                                                               pagescript::number(double(kTextPartLength))}), QWebEngineScript::ApplicationWorld,
                  [page = QPointer<PreviewWebPage>(this), reading](const QVariant& part) {
                      // A page replaced meanwhile has no text kept: its own
                      // reading follows its load.
                      if (!page || part.typeId() != QMetaType::QString || part.toString().isEmpty())
                          return;
                      reading->text += part.toString();
                      page->readNextTextPart(reading);
                  });
}
