// Big texts between the GUI thread and the page. Every runJavaScript()
// copies its script, and every answer its result, on the GUI thread, at a
// few milliseconds a megabyte; a 10 MB document in one piece held the window
// for well over 100 ms. In parts of a few hundred kilobytes, one event-loop
// turn apart, the window answers input in between.
#include <QPointer>
#include <QTimer>
#include <QWebEngineScript>
#include <memory>

#include "pipeline/PreparedPage.h"
#include "document/PreviewWebPage.h"

namespace {

// The UTF-16 code units of the page's text one answer carries.
constexpr qsizetype kTextPartLength = 256 * 1024;

// Keeps the text in our script world and answers its length.
const char* const kTakeTextScript =
    "(function(){var t=document.body?document.body.innerText:'';window.quillviewBodyText=t;return t.length;})()";

// The part of the kept text from an offset, never ending between the two
// halves of a surrogate pair (a lone half would not survive the answer).
QString textPartScript(qsizetype offset) {
    return QStringLiteral("(function(from,length){var t=window.quillviewBodyText;if(typeof t!=='string')return null;"
                          "var end=Math.min(t.length,from+length);"
                          "if(end<t.length&&(t.charCodeAt(end-1)&0xfc00)===0xd800)--end;"
                          "if(end>=t.length)window.quillviewBodyText=null;return t.substring(from,end);})(%1,%2)")
        .arg(offset)
        .arg(kTextPartLength);
}

}  // namespace

void PreviewWebPage::sendPage(const PreparedPage& page, const QString& finish, std::function<void(const QVariant&)> done) {
    sending_ = page.id;
    sendPart(page, 0, finish, done);
}

void PreviewWebPage::sendPart(const PreparedPage& page, qsizetype index, const QString& finish,
                              const std::function<void(const QVariant&)>& done) {
    if (sending_ != page.id)
        return;
    if (index == page.parts.size()) {
        sending_ = 0;
        runJavaScript(finish, QWebEngineScript::ApplicationWorld, done);
        return;
    }
    runJavaScript(page.parts[index], QWebEngineScript::ApplicationWorld);
    QTimer::singleShot(0, this, [this, page, index, finish, done] { sendPart(page, index + 1, finish, done); });
}

void PreviewWebPage::readBodyText(std::function<void(const QString&)> done) {
    auto reading = std::make_shared<TextReading>();
    reading->id = ++lastReading_;
    reading->done = std::move(done);
    runJavaScript(QString::fromLatin1(kTakeTextScript), QWebEngineScript::ApplicationWorld,
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
    runJavaScript(textPartScript(reading->text.size()), QWebEngineScript::ApplicationWorld,
                  [page = QPointer<PreviewWebPage>(this), reading](const QVariant& part) {
                      // A page replaced meanwhile has no text kept: its own
                      // reading follows its load.
                      if (!page || part.typeId() != QMetaType::QString || part.toString().isEmpty())
                          return;
                      reading->text += part.toString();
                      page->readNextTextPart(reading);
                  });
}
