#pragma once
// The MultiMarkdown pane: finds a multimarkdown executable for MultiMarkdown
// documents, or goes back to the script that ships (one button does both).

#include <QObject>
#include <memory>

namespace Ui {
class Preferences_MultiMarkdownExe;
}
class QWidget;

class Preferences_MultiMarkdownExe : public QObject {
    Q_OBJECT
public:
    explicit Preferences_MultiMarkdownExe(QObject* parent = nullptr);
    ~Preferences_MultiMarkdownExe() override;

    QWidget* preferenceView() const { return view_; }
    void setUp();
    // The chosen path and "Reset", or the shipped script and "Search".
    void set_MMD_Interface_Labels();
    // With a path stored: forget it. Otherwise search and store what is found.
    void button_MMD_Check();
    void button_MMD_CallWebsite();
    void button_MMD_ShowUSRBinFolder();

signals:
    // A help button asks for a page of the help book.
    void helpRequested(const QString& page);

private:
    std::unique_ptr<Ui::Preferences_MultiMarkdownExe> ui;
    QWidget* view_ = nullptr;
};
