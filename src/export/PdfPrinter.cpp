#include "export/PdfPrinter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include "pipeline/PreviewRequestPolicy.h"
#include "export/ExportMarkup2Document.h"

Q_DECLARE_LOGGING_CATEGORY(exportLog)

namespace {

// setHtml() hands the page over as a data: address, which Chromium takes up
// to 2 MB of; larger pages are loaded from a file.
constexpr qsizetype kLargestInlinePage = 1400 * 1024;

constexpr double kCssPixelsPerPoint = 96.0 / 72.0;

// A page whose images do not arrive is printed as it stands after this.
constexpr int kLongestLoadMs = 60 * 1000;

// Only the page we load itself: a refresh or a link never takes it elsewhere.
class PrintPage : public QWebEnginePage {
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

QString pageScript() {
    QFile file(QStringLiteral(":/print/keep-headings.js"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

// The print margins halved: 36 pt at the sides, 45 pt at top and bottom.
QPageLayout PdfPrinter::paperLayout() {
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(36, 45, 36, 45), QPageLayout::Point);
}

PdfPrinter::PdfPrinter(QObject* parent) : QObject(parent) {
    patience_.setSingleShot(true);
    connect(&patience_, &QTimer::timeout, this, [this] {
        qCWarning(exportLog) << "printing before every image arrived";
        loaded(true);
    });
}

void PdfPrinter::start(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                       const QString& workFolder, const QString& pdfFile) {
    pdfFile_ = pdfFile;
    auto* printPage = new PrintPage(this);
    page_ = printPage;
    policy_ = new PreviewRequestPolicy(this);
    applySafeSettings(page_->settings());
    page_->setUrlRequestInterceptor(policy_);
    PreviewRequestPolicy::guardProfile(page_->profile());
    connect(page_, &QWebEnginePage::loadFinished, this, &PdfPrinter::loaded);
    connect(page_, &QWebEnginePage::pdfPrintingFinished, this, &PdfPrinter::printed);
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

void PdfPrinter::loaded(bool ok) {
    if (printing_ || done_)
        return;
    if (!ok && patience_.isActive()) {
        finish(ExportMarkup2Document::tr("The page could not be loaded for printing."));
        return;
    }
    printing_ = true;
    patience_.stop();
    qCDebug(exportLog) << "page loaded, printing";
    // Our own script, in the application's world: the page's scripts stay off.
    const QRectF printed = paperLayout().paintRect(QPageLayout::Point);
    const QString call = QStringLiteral("\nquillviewKeepHeadings(%1, %2);")
                             .arg(printed.width() * kCssPixelsPerPoint)
                             .arg(printed.height() * kCssPixelsPerPoint);
    page_->runJavaScript(pageScript() + call, QWebEngineScript::ApplicationWorld,
                         [this](const QVariant&) { page_->printToPdf(pdfFile_, paperLayout()); });
}

void PdfPrinter::printed(const QString&, bool success) {
    const QFileInfo written(pdfFile_);
    finish(success && written.isFile() && written.size() > 0 ? QString() : ExportMarkup2Document::tr("The PDF could not be printed."));
}

void PdfPrinter::finish(const QString& error) {
    if (done_)
        return;
    done_ = true;
    patience_.stop();
    emit finished(error);
}
