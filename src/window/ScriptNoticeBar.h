#pragma once
// The bar above a page whose document holds scripts that were not run, with
// the one way to let them run: for every document of its folder.

#include "window/NoticeBar.h"

class ScriptNoticeBar : public NoticeBar {
    Q_OBJECT
public:
    explicit ScriptNoticeBar(QWidget* parent = nullptr);

    QPushButton* allowButton() const { return allowButton_; }
    // A page was shown: the bar shows while its document holds scripts that
    // may not run, unless the reader closed it in this window.
    void pageChecked(bool scriptsFound, bool scriptsAllowed);

signals:
    void allowScriptsRequested();

private:
    QPushButton* allowButton_ = nullptr;
};
