#include "document/OutlinePanel.h"

#include <QPointer>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

const char* const kHeadings = "document.querySelectorAll('h1, h2, h3, h4, h5, h6')";

// [[level, text], ...] in document order.
QString readHeadingsScript() {
    return QString("(function () { var all = %1; var found = [];"
                   " for (var i = 0; i < all.length; ++i)"
                   "   found.push([Number(all[i].tagName.charAt(1)), all[i].innerText || all[i].textContent]);"
                   " return found; })()")
        .arg(kHeadings);
}

// The last heading whose top has reached the top of the view; the first one
// while none has.
QString headingInViewScript() {
    return QString("(function () { var all = %1; var found = all.length ? 0 : -1;"
                   " for (var i = 0; i < all.length; ++i) {"
                   "   if (all[i].getBoundingClientRect().top > 8) break;"
                   "   found = i; }"
                   " return found; })()")
        .arg(kHeadings);
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
    page_->runJavaScript(readHeadingsScript(), QWebEngineScript::ApplicationWorld,
                         [panel = QPointer<OutlinePanel>(this)](const QVariant& headings) {
                             if (panel)
                                 panel->fill(headings);
                         });
}

void OutlinePanel::fill(const QVariant& headings) {
    tree_->clear();
    items_.clear();
    current_ = -1;
    // Each heading goes under the nearest earlier one of a higher rank, so a
    // skipped level (h1 then h3) still nests once.
    std::vector<std::pair<int, QTreeWidgetItem*>> open;
    for (const QVariant& heading : headings.toList()) {
        const QVariantList fields = heading.toList();
        const int level = fields.value(0).toInt();
        while (!open.empty() && open.back().first >= level)
            open.pop_back();
        auto* item = open.empty() ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(open.back().second);
        item->setText(0, fields.value(1).toString().simplified());
        item->setToolTip(0, item->text(0));
        item->setData(0, Qt::UserRole, int(items_.size()));
        items_.push_back(item);
        open.emplace_back(level, item);
    }
    tree_->expandAll();
    emit headingsRead();
    highlightHeadingInView();
}

void OutlinePanel::scrollToHeading(int index) {
    const QString script = QString("(function () { var heading = %1[%2];"
                                   " if (heading) heading.scrollIntoView(); })()")
                               .arg(kHeadings)
                               .arg(index);
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

void OutlinePanel::highlightHeadingInView() {
    page_->runJavaScript(headingInViewScript(), QWebEngineScript::ApplicationWorld,
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
