#include "window/ScriptNoticeBar.h"

#include <QPushButton>

ScriptNoticeBar::ScriptNoticeBar(QWidget* parent) : NoticeBar("bar_DocumentScripts", "button_CloseScriptNotice", parent) {
    setMessage(tr("This document contains scripts. They were not run."));
    allowButton_ = addButton(tr("Allow Scripts in This Folder"),
                             tr("Runs the scripts of every document in this folder from now on."),
                             "button_AllowDocumentScripts");
    connect(allowButton_, &QPushButton::clicked, this, &ScriptNoticeBar::allowScriptsRequested);
}

void ScriptNoticeBar::pageChecked(bool scriptsFound, bool scriptsAllowed) {
    showIfWanted(scriptsFound && !scriptsAllowed);
}
