#include "export/PageStamps.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include "dispatch/FrontMatter.h"
#include "export/ExportMarkup2Document.h"

namespace pagestamps {

constexpr char kQpdf[] = "qpdf";

namespace {

constexpr int kStampPoints = 8;
const QColor kStampColor(0x70, 0x70, 0x70);

}  // namespace

namespace {

// The title key of the front matter the document opens with, if it has one.
QString frontMatterTitle(const QString& fragment) {
    static const QRegularExpression table(
        QString(R"re(^\s*<table class="%1">.*?</table>)re").arg(frontmatter::kTableClass),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression titleRow(R"re(<tr><th>title</th><td>(.*?)</td></tr>)re",
                                             QRegularExpression::CaseInsensitiveOption);
    const auto front = table.match(fragment);
    return front.hasMatch() ? titleRow.match(front.captured(0)).captured(1) : QString();
}

QString firstHeading(const QString& fragment) {
    static const QRegularExpression heading(R"re(<h[1-6]\b[^>]*>(.*?)</h[1-6]>)re",
                                            QRegularExpression::CaseInsensitiveOption
                                                | QRegularExpression::DotMatchesEverythingOption);
    return heading.match(fragment).captured(1);
}

}  // namespace

QString titleOf(const QString& fragment, const QString& source) {
    for (const QString& html : {frontMatterTitle(fragment), firstHeading(fragment)}) {
        const QString text = QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
        if (!text.isEmpty())
            return text;
    }
    return QFileInfo(source).fileName();
}

bool writeStamps(const QString& stampsFile, const QPageLayout& layout, int pages, const QString& title) {
    QPdfWriter writer(stampsFile);
    writer.setResolution(72);  // one unit is one point, as the layout's margins
    const QPageLayout paper(layout.pageSize(), layout.orientation(), QMarginsF(), QPageLayout::Point);
    if (!writer.setPageLayout(paper))
        return false;
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    QFont font(QStringLiteral("sans-serif"));
    font.setPointSizeF(kStampPoints);
    painter.setFont(font);
    painter.setPen(kStampColor);
    const QRectF page = layout.fullRectPoints();
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    const QRectF header(margins.left(), 0, page.width() - margins.left() - margins.right(), margins.top());
    const QRectF footer(header.left(), page.height() - margins.bottom(), header.width(), margins.bottom());
    const QString shownTitle = QFontMetricsF(font).elidedText(title, Qt::ElideRight, header.width());
    for (int n = 1; n <= pages; ++n) {
        if (n > 1)
            writer.newPage();
        painter.drawText(header, Qt::AlignCenter, shownTitle);
        painter.drawText(footer, Qt::AlignCenter, ExportMarkup2Document::tr("page %1 of %2").arg(n).arg(pages));
    }
    return painter.end();
}

}  // namespace pagestamps

void PageStamper::start(const QString& pdfFile, const QPageLayout& layout, const QString& title,
                        const QString& workFolder) {
    pdfFile_ = pdfFile;
    layout_ = layout;
    title_ = title;
    stampsFile_ = workFolder + "/stamps.pdf";
    stampedFile_ = workFolder + "/stamped.pdf";
    process_ = runQpdf({"--show-npages", pdfFile_});
    connect(process_, &QProcess::finished, this, &PageStamper::counted);
}

QProcess* PageStamper::runQpdf(const QStringList& arguments) {
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::SeparateChannels);
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit finished(ExportMarkup2Document::tr("qpdf could not be started to number the pages."));
        process->deleteLater();
    });
    process->start(pagestamps::kQpdf, arguments);
    return process;
}

void PageStamper::counted() {
    process_->deleteLater();
    bool ok = false;
    const int pages = QString::fromUtf8(process_->readAllStandardOutput()).trimmed().toInt(&ok);
    if (!ok || pages < 1 || !pagestamps::writeStamps(stampsFile_, layout_, pages, title_))
        return emit finished(ExportMarkup2Document::tr("The pages could not be numbered."));
    process_ = runQpdf({pdfFile_, "--overlay", stampsFile_, "--", stampedFile_});
    connect(process_, &QProcess::finished, this, &PageStamper::overlaid);
}

void PageStamper::overlaid() {
    process_->deleteLater();
    // qpdf's status 3 means it wrote the file with warnings.
    const int status = process_->exitCode();
    if (process_->exitStatus() != QProcess::NormalExit || (status != 0 && status != 3) || !QFileInfo(stampedFile_).isFile())
        return emit finished(ExportMarkup2Document::tr("The pages could not be numbered."));
    QFile::remove(pdfFile_);
    emit finished(QFile::rename(stampedFile_, pdfFile_) ? QString()
                                                        : ExportMarkup2Document::tr("The pages could not be numbered."));
}
