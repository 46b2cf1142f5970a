#pragma once
// View ▸ Outline: the page's headings (h1–h6) as an indented tree, read from
// the rendered page in the application's script world, so it works for every
// language and for headings without an id. A click (or Enter) scrolls to the
// heading; the heading at the top of the view is highlighted while the reader
// scrolls.

#include <QDockWidget>
#include <QTimer>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QWebEnginePage;

class OutlinePanel : public QDockWidget {
    Q_OBJECT
public:
    explicit OutlinePanel(QWebEnginePage* page, QWidget* parent = nullptr);

    struct Heading {
        int level = 0;
        QString text;
    };

    QTreeWidget* tree() const { return tree_; }
    // The heading highlighted as the one in view, -1 when there is none.
    int currentHeading() const { return current_; }

public slots:
    // Reads the headings again; after every page load.
    void refresh();
    void scrollToHeading(int index);

signals:
    // The tree was filled from the page.
    void headingsRead();
    void currentHeadingChanged(int index);

private:
    void fill(const std::vector<Heading>& headings);
    void highlightHeadingInView();
    void setCurrentHeading(int index);

    QWebEnginePage* page_;
    QTreeWidget* tree_ = nullptr;
    // Item by heading index (document order).
    std::vector<QTreeWidgetItem*> items_;
    int current_ = -1;
    quint64 lastReading_ = 0;
    // Scrolling reports many positions a second; the heading is looked up
    // once they pause.
    QTimer scrollSettled_;
};
