// The reader's tools around the page: the find bar, the outline and the
// statistics in the status bar. Each follows every page load, fresh or
// written in place.
#include <QFutureWatcher>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QWebEngineView>
#include <QtConcurrent>

#include "window/Document.h"
#include "engine/WorkingMemory.h"
#include "pipeline/DocumentStatistics.h"
#include "window/FindBar.h"
#include "window/OutlinePanel.h"
#include "window/PreviewWebPage.h"
#include "ui_Document.h"

void Document::buildReaderTools() {
    findBar_ = new FindBar(page_, ui->textview_SourceCode, ui->centralwidget);
    ui->layout_Central->insertWidget(0, findBar_);

    outline_ = new OutlinePanel(page_, this);
    addDockWidget(Qt::LeftDockWidgetArea, outline_);
    outline_->hide();

    statisticsLabel_ = new QLabel(statusBar());
    statisticsLabel_->setObjectName("label_Statistics");
    statisticsLabel_->setContentsMargins(6, 0, 6, 0);
    statusBar()->addWidget(statisticsLabel_, 1);
    statusBar()->show();

    connect(ui->webview_theDocument, &QWebEngineView::printFinished, this, &Document::printingFinished);
    connect(this, &Document::pageLoaded, findBar_, &FindBar::searchAgain);
    connect(this, &Document::pageLoaded, outline_, &OutlinePanel::refresh);
    connect(this, &Document::pageLoaded, this, &Document::updateStatistics);
}

void Document::showFindBar() {
    findBar_->open();
}

void Document::updateStatistics() {
    // The text as the reader sees it, read from our own script world.
    page_->readBodyText([window = QPointer<Document>(this)](const QString& text) {
        if (window)
            window->countStatistics(text);
    });
}

// Counting the words of a long document takes a noticeable while, so it runs
// off the GUI thread; only the newest count is shown.
void Document::countStatistics(const QString& text) {
    const quint64 generation = ++statisticsGeneration_;
    auto* counting = new QFutureWatcher<documentstatistics::Statistics>(this);
    const bool large = text.size() >= engine::kLargeText;
    connect(counting, &QFutureWatcherBase::finished, this, [this, counting, generation, large] {
        counting->deleteLater();
        // Reading and counting a long text leave their working memory in
        // the heaps, as did showing its page: it goes back to the system.
        if (large)
            engine::giveBackFreedMemory();
        if (generation != statisticsGeneration_)
            return;
        statisticsLabel_->setText(documentstatistics::summary(counting->result()));
        emit statisticsUpdated();
    });
    counting->setFuture(QtConcurrent::run(&documentstatistics::statisticsOf, text));
}
