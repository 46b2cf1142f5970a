#include "window/SegmentedControl.h"

#include <QHBoxLayout>
#include <QToolButton>

SegmentedControl::SegmentedControl(Tracking tracking, QWidget* parent) : QWidget(parent), tracking_(tracking) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    group_.setExclusive(tracking_ == Tracking::SelectOne);
    connect(&group_, &QButtonGroup::idClicked, this, [this](int segment) {
        selected_ = segment;
        emit segmentClicked(segment);
    });
}

void SegmentedControl::addSegment(const QIcon& icon, const QString& text, const QString& toolTip) {
    auto* button = new QToolButton(this);
    button->setIcon(icon);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    button->setCheckable(tracking_ == Tracking::SelectOne);
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    group_.addButton(button, segmentCount());
    layout()->addWidget(button);
}

void SegmentedControl::setSelectedSegment(int segment) {
    selected_ = segment;
    if (auto* button = group_.button(segment); button && button->isCheckable())
        button->setChecked(true);
}
