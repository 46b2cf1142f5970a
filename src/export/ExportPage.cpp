#include "export/ExportPage.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include "pipeline/PreviewRendering.h"
#include "pipeline/PreviewRequestPolicy.h"
#include "export/ExportMarkup2Document.h"

Q_DECLARE_LOGGING_CATEGORY(exportLog)

namespace {

// setHtml() hands the page over as a data: address, which Chromium takes up
// to 2 MB of; larger pages are loaded from a file.
constexpr qsizetype kLargestInlinePage = 1400 * 1024;

constexpr double kCssPixelsPerPoint = 96.0 / 72.0;

// A page whose images do not arrive is used as it stands after this.
constexpr int kLongestLoadMs = 60 * 1000;

// Code colours, math and diagrams get this long to render, and again to
// become pictures; then the page is used as it stands.
constexpr int kLongestRenderingMs = 30 * 1000;
constexpr int kRenderingPollMs = 10;

// Only the page we load itself: a refresh or a link never takes it elsewhere.
class ExportWebPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    bool navigationAllowed = true;

protected:
    bool acceptNavigationRequest(const QUrl&, NavigationType, bool isMainFrame) override {
        if (!isMainFrame)
            return false;
        const bool allowed = navigationAllowed;
        navigationAllowed = false;
        return allowed;
    }
};

void applySafeSettings(QWebEngineSettings* settings) {
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::PrintElementBackgrounds, true);
}

QString scriptText(const QString& name) {
    QFile file(QStringLiteral(":/export/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

QPageLayout ExportPage::paperLayout() {
    // The print margins halved: 36 pt at the sides, 45 pt at top and bottom.
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(36, 45, 36, 45), QPageLayout::Point);
}

namespace {

// The script that prepares the page, and the call of its function with the
// width and height of a page's text in CSS pixels.
QString preparation(const QString& script, const QString& function, const QSizeF& text, bool more = false) {
    return scriptText(script)
           + QStringLiteral("\n%1(%2, %3, %4);").arg(function).arg(text.width()).arg(text.height()).arg(more ? "true" : "false");
}

QSizeF printedText() {
    return ExportPage::paperLayout().paintRect(QPageLayout::Point).size() * kCssPixelsPerPoint;
}

// LibreOffice's own page: A4 or Letter with margins of 2 cm, so at most 17 cm
// of text across.
QSizeF officeText() {
    constexpr double kCssPixelsPerCentimetre = 96 / 2.54;
    return QSizeF(17 * kCssPixelsPerCentimetre, 23.9 * kCssPixelsPerCentimetre);
}

}  // namespace

ExportPage::ExportPage(QObject* parent) : QObject(parent) {
    patience_.setSingleShot(true);
    connect(&patience_, &QTimer::timeout, this, [this] {
        qCWarning(exportLog) << "going on before every image arrived";
        loaded(true);
    });
}

void ExportPage::printToPdf(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                            const QString& workFolder, const QString& pdfFile) {
    purpose_ = Purpose::Pdf;
    pdfFile_ = pdfFile;
    load(page, baseURL, allowedFolders, workFolder);
}

void ExportPage::prepareForOffice(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                                  const QString& workFolder, bool realNotes) {
    purpose_ = Purpose::Office;
    realNotes_ = realNotes;
    load(page, baseURL, allowedFolders, workFolder);
}

void ExportPage::prepareStandalone(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                                   const QString& workFolder) {
    purpose_ = Purpose::Standalone;
    load(page, baseURL, allowedFolders, workFolder);
}

void ExportPage::load(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                      const QString& workFolder) {
    page_ = new ExportWebPage(this);
    policy_ = new PreviewRequestPolicy(this);
    policy_->setRemotePicturesAllowed(remotePictures_);
    applySafeSettings(page_->settings());
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, remotePictures_);
    page_->setUrlRequestInterceptor(policy_);
    PreviewRequestPolicy::guardProfile(page_->profile());
    connect(page_, &QWebEnginePage::loadFinished, this, &ExportPage::loaded);
    connect(page_, &QWebEnginePage::pdfPrintingFinished, this, &ExportPage::pdfWritten);
    // Only the libraries this page needs: Mermaid alone is 3.5 MB of script.
    if (previewrendering::rendersSomething(page))
        renderingScript_ = previewrendering::script(page, true);
    patience_.start(kLongestLoadMs);
    const QByteArray bytes = page.toUtf8();
    if (bytes.size() <= kLargestInlinePage) {
        policy_->setAllowedFolders(allowedFolders);
        page_->setHtml(page, baseURL);
        return;
    }
    const QString pageFile = workFolder + "/page.html";
    QFile file(pageFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        QMetaObject::invokeMethod(this, [this] { finish(ExportMarkup2Document::tr("The page could not be prepared for printing.")); },
                                  Qt::QueuedConnection);
        return;
    }
    file.close();
    // The page file itself may load; its base element sends every relative
    // name to the document's folders.
    policy_->setAllowedFolders(QStringList(allowedFolders) << pageFile);
    page_->load(QUrl::fromLocalFile(pageFile));
}

void ExportPage::loaded(bool ok) {
    if (preparing_ || done_)
        return;
    if (!ok && patience_.isActive()) {
        finish(ExportMarkup2Document::tr("The page could not be loaded for printing."));
        return;
    }
    preparing_ = true;
    patience_.stop();
    const auto next = [this] {
        if (purpose_ == Purpose::Office)
            makePictures();
        else
            prepare();
    };
    if (renderingScript_.isEmpty())
        return next();
    qCDebug(exportLog) << "page loaded, rendering";
    page_->runJavaScript(renderingScript_
                             + "quillviewRendering.finished().then(function () { window.quillviewRendered = true; });",
                         QWebEngineScript::ApplicationWorld);
    waitFor("window.quillviewRendered === true", kLongestRenderingMs / kRenderingPollMs, next);
}

void ExportPage::waitFor(const QString& condition, int pollsLeft, const std::function<void()>& next) {
    page_->runJavaScript(condition, QWebEngineScript::ApplicationWorld,
                         [this, condition, pollsLeft, next](const QVariant& met) {
                             if (done_)
                                 return;
                             if (met.toBool() || pollsLeft <= 0) {
                                 if (!met.toBool())
                                     qCWarning(exportLog).noquote() << "going on before" << condition;
                                 next();
                                 return;
                             }
                             QTimer::singleShot(kRenderingPollMs, this, [this, condition, pollsLeft, next] {
                                 waitFor(condition, pollsLeft - 1, next);
                             });
                         });
}

// LibreOffice reads neither SVG nor the style sheets the renderers use.
void ExportPage::makePictures() {
    page_->runJavaScript(scriptText("pictures.js")
                             + QStringLiteral("\nquillviewPictures(%1).finally(function () { window.quillviewPictured = true; });")
                                   .arg(officeText().width()),
                         QWebEngineScript::ApplicationWorld);
    waitFor("window.quillviewPictured === true", kLongestRenderingMs / kRenderingPollMs, [this] { prepare(); });
}

void ExportPage::prepare() {
    qCDebug(exportLog) << "page loaded, preparing it";
    const bool pdf = purpose_ == Purpose::Pdf;
    QString script;
    switch (purpose_) {
    case Purpose::Pdf: script = preparation("keep-headings.js", "quillviewKeepHeadings", printedText()); break;
    case Purpose::Office: script = preparation("office.js", "quillviewOfficePage", officeText(), realNotes_); break;
    case Purpose::Standalone: script = scriptText("standalone.js") + "\nquillviewStandalone();"; break;
    }
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [this, pdf](const QVariant& result) {
        if (pdf) {
            qCDebug(exportLog) << "page prepared, printing";
            page_->printToPdf(pdfFile_, paperLayout());
        } else if (result.toString().isEmpty())
            finish(purpose_ == Purpose::Office
                       ? ExportMarkup2Document::tr("The document could not be prepared for LibreOffice.")
                       : ExportMarkup2Document::tr("The HTML could not be written."));
        else
            finish(QString(), result.toString());
    });
}

void ExportPage::pdfWritten(const QString&, bool success) {
    qCDebug(exportLog) << "printed";
    const QFileInfo written(pdfFile_);
    finish(success && written.isFile() && written.size() > 0 ? QString() : ExportMarkup2Document::tr("The PDF could not be printed."));
}

void ExportPage::finish(const QString& error, const QString& html) {
    if (done_)
        return;
    done_ = true;
    patience_.stop();
    if (purpose_ == Purpose::Pdf)
        emit printed(error);
    else
        emit prepared(html, error);
}
