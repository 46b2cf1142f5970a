#pragma once
// A slim bar above the preview that says why the page is not all there, with
// buttons to change that and a close button. Closed by the reader, it stays
// away for the window.

#include <QFrame>

class QHBoxLayout;
class QLabel;
class QPushButton;

class NoticeBar : public QFrame {
    Q_OBJECT
public:
    // The names identify the bar and its close button (tests find them so).
    NoticeBar(const QString& name, const QString& closeName, QWidget* parent);

protected:
    void setMessage(const QString& text);
    QPushButton* addButton(const QString& text, const QString& toolTip, const QString& name);
    // Shows the bar when wanted, unless the reader closed it.
    void showIfWanted(bool wanted) { setVisible(wanted && !dismissed_); }

private:
    QLabel* message_ = nullptr;
    QHBoxLayout* layout_ = nullptr;
    bool dismissed_ = false;
};
