#include "window/OutlinePanel.h"

#include <QFutureWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QtConcurrent>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "pipeline/PageScript.h"

namespace {

std::vector<OutlinePanel::Heading> headingsOf(const QString& json) {
    const QJsonArray found = QJsonDocument::fromJson(json.toUtf8()).array();
    std::vector<OutlinePanel::Heading> headings;
    headings.reserve(size_t(found.size()));
    for (const QJsonValue& heading : found) {
        const QJsonArray fields = heading.toArray();
        headings.push_back({fields.at(0).toInt(), fields.at(1).toString().simplified()});
    }
    return headings;
}

}  // namespace

OutlinePanel::OutlinePanel(QWebEnginePage* page, QWidget* parent) : QDockWidget(tr("Outline"), parent), page_(page) {
    setObjectName("dock_Outline");
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("outline_Headings");
    tree_->setHeaderHidden(true);
    tree_->setIndentation(14);
    tree_->setUniformRowHeights(true);
    setWidget(tree_);

    const auto follow = [this](QTreeWidgetItem* item) { scrollToHeading(item->data(0, Qt::UserRole).toInt()); };
    connect(tree_, &QTreeWidget::itemClicked, this, follow);
    connect(tree_, &QTreeWidget::itemActivated, this, follow);
    scrollSettled_.setSingleShot(true);
    scrollSettled_.setInterval(80);
    connect(&scrollSettled_, &QTimer::timeout, this, &OutlinePanel::highlightHeadingInView);
    connect(page_, &QWebEnginePage::scrollPositionChanged, this, [this] {
        if (isVisible())
            scrollSettled_.start();
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            refresh();
    });
}

void OutlinePanel::refresh() {
    if (isHidden())
        return;
    // Only the newest reading fills the tree; the headings are taken apart
    // off the GUI thread.
    const quint64 reading = ++lastReading_;
    page_->runJavaScript(pagescript::call(pagescript::kHeadings), QWebEngineScript::ApplicationWorld,
                         [panel = QPointer<OutlinePanel>(this), reading](const QVariant& json) {
                             if (!panel || reading != panel->lastReading_)
                                 return;
                             auto* parsing = new QFutureWatcher<std::vector<Heading>>(panel);
                             connect(parsing, &QFutureWatcherBase::finished, panel, [panel, parsing, reading] {
                                 parsing->deleteLater();
                                 if (reading == panel->lastReading_)
                                     panel->fill(parsing->result());
                             });
                             parsing->setFuture(QtConcurrent::run(&headingsOf, json.toString()));
                         });
}

void OutlinePanel::fill(const std::vector<Heading>& headings) {
    tree_->clear();
    items_.clear();
    items_.reserve(headings.size());
    current_ = -1;
    // Each heading goes under the nearest earlier one of a higher rank, so a
    // skipped level (h1 then h3) still nests once. The items are built apart
    // from the tree and handed to it at once: one by one, each would update
    // the view.
    QList<QTreeWidgetItem*> topLevel;
    std::vector<std::pair<int, QTreeWidgetItem*>> open;
    for (const Heading& heading : headings) {
        while (!open.empty() && open.back().first >= heading.level)
            open.pop_back();
        auto* item = new QTreeWidgetItem;
        if (open.empty())
            topLevel << item;
        else
            open.back().second->addChild(item);
        item->setText(0, heading.text);
        item->setToolTip(0, heading.text);
        item->setData(0, Qt::UserRole, int(items_.size()));
        items_.push_back(item);
        open.emplace_back(heading.level, item);
    }
    tree_->addTopLevelItems(topLevel);
    tree_->expandAll();
    emit headingsRead();
    highlightHeadingInView();
}

void OutlinePanel::scrollToHeading(int index) {
    page_->runJavaScript(pagescript::call(pagescript::kScrollToHeading, {pagescript::number(index)}),
                         QWebEngineScript::ApplicationWorld);
}

void OutlinePanel::highlightHeadingInView() {
    page_->runJavaScript(pagescript::call(pagescript::kHeadingInView), QWebEngineScript::ApplicationWorld,
                         [panel = QPointer<OutlinePanel>(this)](const QVariant& index) {
                             if (panel)
                                 panel->setCurrentHeading(index.isValid() ? index.toInt() : -1);
                         });
}

void OutlinePanel::setCurrentHeading(int index) {
    if (index < 0 || index >= int(items_.size()) || index == current_)
        return;
    current_ = index;
    // Only a click or Enter scrolls the page, so moving the highlight here
    // does not move the page back.
    tree_->setCurrentItem(items_[size_t(index)]);
    tree_->scrollToItem(items_[size_t(index)]);
    emit currentHeadingChanged(index);
}
