#pragma once
// A page shown to Qt WebEngine without a window, for export: printed to PDF,
// or laid out and handed back as HTML prepared for LibreOffice or as a
// fragment that stands on its own. Code, math and diagrams render first, as
// in the preview. The page
// obeys the preview's policy: no scripts of its own, local files only from
// the document's folders, nothing from the network but, where the reader
// allowed them, pictures, and it never navigates away. Our preparation
// scripts run in the application's world.

#include <QObject>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>

class PreviewRequestPolicy;
class QWebEnginePage;

class ExportPage : public QObject {
    Q_OBJECT
public:
    explicit ExportPage(QObject* parent = nullptr);

    // The usual paper of the user's country (A4, or Letter where the system
    // measures in inches) and the margins every PDF is printed with.
    static QPageLayout paperLayout();

    // Whether pictures from the web load into the page (off unless set
    // before printing or preparing).
    void setRemotePicturesAllowed(bool allowed) { remotePictures_ = allowed; }

    // Loads `page` (relative names resolve against `baseURL`), waits for its
    // images and prints it to `pdfFile`; emits printed. Large pages are
    // loaded from a file written into `workFolder`.
    void printToPdf(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                    const QString& workFolder, const QString& pdfFile);
    // Loads `page` the same way and emits prepared with its HTML as
    // LibreOffice's import reads it best (see resources/export/office.js):
    // code colours written into the elements, math and diagrams as pictures
    // (resources/export/pictures.js), the notes as the format's own
    // footnotes when `realNotes`.
    void prepareForOffice(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                          const QString& workFolder, bool realNotes);
    // Loads `page` the same way and emits prepared with the rendered body in
    // front of which stands a style element with what its code, math and
    // diagrams need (resources/export/standalone.js); no scripts.
    void prepareStandalone(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders,
                           const QString& workFolder);

signals:
    void printed(const QString& error);  // empty on success
    void prepared(const QString& html, const QString& error);

private:
    enum class Purpose { Pdf, Office, Standalone };
    void load(const QString& page, const QUrl& baseURL, const QStringList& allowedFolders, const QString& workFolder);
    void loaded(bool ok);
    void waitFor(const QString& condition, int pollsLeft, const std::function<void()>& next);
    void makePictures();
    void prepare();
    void pdfWritten(const QString& filePath, bool success);
    void finish(const QString& error, const QString& html = {});

    Purpose purpose_ = Purpose::Pdf;
    QWebEnginePage* page_ = nullptr;
    PreviewRequestPolicy* policy_ = nullptr;
    QTimer patience_;
    QString pdfFile_;
    QString renderingScript_;  // empty when the page has nothing to render
    bool realNotes_ = false;
    bool remotePictures_ = false;
    bool preparing_ = false;
    bool done_ = false;
};
