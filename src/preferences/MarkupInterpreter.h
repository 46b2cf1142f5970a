#pragma once
// The interpreter pane: the built-in converters or PHP scripts run by an
// interpreter the user chooses. The four check boxes are one choice: ticking
// one clears the other three, and the last ticked box cannot be unticked.

#include <QObject>
#include <memory>

namespace Ui {
class MarkupInterpreter;
}
class QCheckBox;
class QWidget;

class MarkupInterpreter : public QObject {
    Q_OBJECT
public:
    explicit MarkupInterpreter(QObject* parent = nullptr);
    ~MarkupInterpreter() override;

    QWidget* preferenceView() const { return view_; }
    // Shows the stored choice and asks a stored interpreter for its version.
    void setUp();

    // The file chooser; its choice goes to choosePHPBinary.
    void selectPHPBinary();
    // Tries the interpreter; one that runs is stored (with a warning when it
    // says nothing), one that cannot run is not.
    void choosePHPBinary(const QString& path);

    void check_CustomPHP();
    void check_Swift();
    void check_Standard();
    void checkBuiltIn();
    void showPHPInterpreterHelp();

signals:
    // A help button asks for a page of the help book.
    void helpRequested(const QString& page);

private:
    void showStoredChoice();
    // False when the click left every box unticked (the box is ticked again).
    bool keepOneTicked(QCheckBox* clicked);
    void choose(QCheckBox* clicked);
    // Shows the interpreter's first line of "-v"; false when it said nothing.
    bool showVersionOf(const QString& path);

    std::unique_ptr<Ui::MarkupInterpreter> ui;
    QWidget* view_ = nullptr;
};
