// The reader's tools around the page: the find bar, the outline and the
// statistics in the status bar. Each follows every page load, fresh or
// written in place.
#include <QLabel>
#include <QPointer>
#include <QStatusBar>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "document/Document.h"
#include "document/DocumentStatistics.h"
#include "document/FindBar.h"
#include "document/OutlinePanel.h"
#include "document/PreviewWebPage.h"
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
    page_->runJavaScript("document.body ? document.body.innerText : ''", QWebEngineScript::ApplicationWorld,
                         [label = QPointer<QLabel>(statisticsLabel_), this](const QVariant& text) {
                             if (!label)
                                 return;
                             label->setText(documentstatistics::summary(documentstatistics::statisticsOf(text.toString())));
                             emit statisticsUpdated();
                         });
}
