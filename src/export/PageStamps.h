#pragma once
// Header and footer of a printed document: its title at the top of every page
// and "page N of M" at the bottom. The web engine prints no page numbers, so
// a PDF of stamps is drawn with Qt and laid over the printed pages by qpdf.

#include <QObject>
#include <QPageLayout>
#include <QString>

class QProcess;

namespace pagestamps {

// The title a printed document carries: the title of its front matter, else
// the text of its first heading, else the file's name.
QString titleOf(const QString& fragment, const QString& source);

// Draws `pages` pages of stamps on the paper of `layout`, with the title in
// the top margin and the page numbers in the bottom one.
bool writeStamps(const QString& stampsFile, const QPageLayout& layout, int pages, const QString& title);

}  // namespace pagestamps

// Stamps a printed PDF in place: counts its pages, draws the stamps and lays
// them over with qpdf, all without blocking the event loop.
class PageStamper : public QObject {
    Q_OBJECT
public:
    explicit PageStamper(QObject* parent = nullptr) : QObject(parent) {}
    void start(const QString& pdfFile, const QPageLayout& layout, const QString& title, const QString& workFolder);

signals:
    void finished(const QString& error);  // empty on success

private:
    void counted();
    void overlaid();
    QProcess* runQpdf(const QStringList& arguments);

    QString pdfFile_;
    QString stampedFile_;
    QString stampsFile_;
    QPageLayout layout_;
    QString title_;
    QProcess* process_ = nullptr;
};
