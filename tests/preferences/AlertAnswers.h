#pragma once
// Answers the modal alerts that the code under test runs (AlertHelper), as a
// user would click them.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace alertanswers {

struct Seen {
    QString title;
    QString message;
    int count = 0;
};

// Clicks the button that returns `result` (1000, 1001, 1002) in each alert
// that comes up while `seen` lives, noting the last alert's texts.
class Answerer : public QObject {
public:
    Answerer(int result, Seen* seen) : result_(result), seen_(seen) {
        connect(&timer_, &QTimer::timeout, this, &Answerer::answer);
        timer_.start(20);
    }

private:
    void answer() {
        auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!alert || !alert->isVisible())
            return;
        seen_->title = alert->text();
        seen_->message = alert->informativeText();
        ++seen_->count;
        for (QAbstractButton* button : alert->buttons()) {
            const QVariant result = button->property("alertResult");
            if (!result.isValid() || result.toInt() == result_) {
                button->click();
                return;
            }
        }
    }

    int result_;
    Seen* seen_;
    QTimer timer_;
};

}  // namespace alertanswers
