#pragma once
// The find bar under the toolbar: searches the rendered page through the web
// engine's find, or the HTML source while the source is shown, and says where
// the current match is ("3 of 12"). Enter and F3 go to the next match,
// Shift+Enter and Shift+F3 to the previous one, Escape closes the bar.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWebEngineFindTextResult;
class QWebEnginePage;

class FindBar : public QWidget {
    Q_OBJECT
public:
    FindBar(QWebEnginePage* page, QPlainTextEdit* source, QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }
    QCheckBox* caseSwitch() const { return caseSwitch_; }
    // "3 of 12", "No matches", or empty while there is nothing to find.
    QString matchText() const;

public slots:
    // Shows the bar with its text selected, ready to type.
    void open();
    void close();
    void findNext();
    void findPrevious();
    // While the source view is shown the bar searches the source.
    void setSearchingSource(bool source);
    // The page or the source was replaced: the same search from its start.
    void searchAgain();

signals:
    // A search finished and matchText() tells its result.
    void matchesCounted();

private:
    void find(bool backward);
    void findInSource(bool backward);
    void showWebResult(const QWebEngineFindTextResult& result);
    void showCount(int active, int total);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWebEnginePage* page_;
    QPlainTextEdit* source_;
    QLineEdit* field_ = nullptr;
    QCheckBox* caseSwitch_ = nullptr;
    QLabel* count_ = nullptr;
    bool searchingSource_ = false;
};
