#include "window/NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

NoticeBar::NoticeBar(const QString& name, const QString& closeName, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    // A role, not a style sheet: it follows the window's light or dark
    // palette when the theme changes.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::AlternateBase);

    message_ = new QLabel(this);
    auto* close = new QToolButton(this);
    close->setObjectName(closeName);
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    close->setToolTip(tr("Hide this message"));

    layout_ = new QHBoxLayout(this);
    layout_->setContentsMargins(10, 3, 4, 3);
    layout_->addWidget(message_, 1);
    layout_->addWidget(close);

    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        dismissed_ = true;
    });
}

void NoticeBar::setMessage(const QString& text) {
    message_->setText(text);
}

QPushButton* NoticeBar::addButton(const QString& text, const QString& toolTip, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    // Before the close button, which stays last.
    layout_->insertWidget(layout_->count() - 1, button);
    return button;
}
