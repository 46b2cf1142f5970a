#pragma once
// The CriticMarkup pane: the inline CSS of the four kinds of review marks.

#include <QObject>
#include <memory>

namespace Ui {
class Preferences_CriticMarkup;
}
class QWidget;

class Preferences_CriticMarkup : public QObject {
    Q_OBJECT
public:
    explicit Preferences_CriticMarkup(QObject* parent = nullptr);
    ~Preferences_CriticMarkup() override;

    QWidget* preferenceView() const { return view_; }
    // Writes the defaults when none of the four styles was ever set; one set
    // style is enough to keep all four as they are.
    void setUp();
    // Writes the four default styles and shows them.
    void resetStyles();

signals:
    // A help button asks for a page of the help book.
    void helpRequested(const QString& page);

private:
    void showStoredStyles();

    std::unique_ptr<Ui::Preferences_CriticMarkup> ui;
    QWidget* view_ = nullptr;
};
