#pragma once
// Prints a page to a PDF file with Qt WebEngine, without a window. The page
// obeys the preview's policy: no scripts, local files only from the
// document's folders, only https images, styles and fonts from the network,
// and it never navigates away.

#include <QObject>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

class PreviewRequestPolicy;
class QWebEnginePage;

class PdfPrinter : public QObject {
    Q_OBJECT
public:
    explicit PdfPrinter(QObject* parent = nullptr);

    // The usual paper of the user's country (A4, or Letter where the system
    // measures in inches) and the margins every PDF is printed with.
    static QPageLayout paperLayout();

    // Loads `page` (relative names resolve against `baseURL`), waits for its
    // images and prints it to `pdfFile`. Large pages are loaded from a file
    // written into `workFolder`.
    void start(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders, const QString& workFolder,
               const QString& pdfFile);

signals:
    void finished(const QString& error);  // empty on success

private:
    void loaded(bool ok);
    void printed(const QString& filePath, bool success);
    void finish(const QString& error);

    QWebEnginePage* page_ = nullptr;
    PreviewRequestPolicy* policy_ = nullptr;
    QTimer patience_;
    QString pdfFile_;
    bool printing_ = false;
    bool done_ = false;
};
