#include "window/ScriptNoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

ScriptNoticeBar::ScriptNoticeBar(QWidget* parent) : QFrame(parent) {
    setObjectName("bar_DocumentScripts");
    setFrameShape(QFrame::NoFrame);
    // A role, not a style sheet: it follows the window's light or dark
    // palette when the theme changes.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::AlternateBase);

    auto* message = new QLabel(tr("This document contains scripts. They were not run."), this);
    allowButton_ = new QPushButton(tr("Allow Scripts in This Folder"), this);
    allowButton_->setObjectName("button_AllowDocumentScripts");
    allowButton_->setToolTip(tr("Runs the scripts of every document in this folder from now on."));
    auto* close = new QToolButton(this);
    close->setObjectName("button_CloseScriptNotice");
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    close->setToolTip(tr("Hide this message"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 3, 4, 3);
    layout->addWidget(message, 1);
    layout->addWidget(allowButton_);
    layout->addWidget(close);

    connect(allowButton_, &QPushButton::clicked, this, &ScriptNoticeBar::allowScriptsRequested);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        dismissed_ = true;
    });
}

void ScriptNoticeBar::pageChecked(bool scriptsFound, bool scriptsAllowed) {
    setVisible(scriptsFound && !scriptsAllowed && !dismissed_);
}
