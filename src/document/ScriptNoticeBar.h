#pragma once
// The slim bar above a page whose document holds scripts that were not run,
// with the one way to let them run: for every document of its folder.

#include <QFrame>

class QPushButton;

class ScriptNoticeBar : public QFrame {
    Q_OBJECT
public:
    explicit ScriptNoticeBar(QWidget* parent = nullptr);

    QPushButton* allowButton() const { return allowButton_; }

signals:
    void allowScriptsRequested();
    // The reader closed the bar; it stays away for this window.
    void dismissed();

private:
    QPushButton* allowButton_ = nullptr;
};
