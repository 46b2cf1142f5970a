#pragma once
// The preferences window: a toolbar of seven panes over one content box.
// Save folders, style files and the source view's appearance are its own
// panes; the markup settings are controls bound to their settings; the
// MultiMarkdown, CriticMarkup and interpreter panes have controllers of
// their own. Created on first use and kept for the run.

#include <QMainWindow>
#include <QStringList>
#include <memory>

namespace Ui {
class PreferencesController;
}
class QAction;
class Preferences_MultiMarkdownExe;
class Preferences_CriticMarkup;
class MarkupInterpreter;

class PreferencesController : public QMainWindow {
    Q_OBJECT
public:
    explicit PreferencesController(QWidget* parent = nullptr);
    ~PreferencesController() override;

    // Shows the pane of the toolbar item with this tag (1 to 7) and its
    // title; any other tag does nothing.
    void selectedPrefPane(int tag);
    int selectedTag() const { return selectedTag_; }

    // Save folders (the sandboxPaths setting).
    void saveFolder_Add();
    void saveFolder_AddFolder(const QString& folder);
    void saveFolder_Remove();
    void loadSaveFolderPaths();
    void reloadSaveFolderPaths();

    // Style files. Removing and resetting ask first; the "…Confirmed" forms
    // do the work.
    void cssFile_Add();
    void cssFile_AddFiles(const QStringList& files);
    void cssFile_Remove();
    void cssFile_RemoveConfirmed(const QString& fileName);
    void cssFile_Reset();
    void cssFile_ResetConfirmed();
    void loadCSSFiles();

    // Source view appearance.
    void initPopupButonsFontSizeAndStyle();
    void updateSourceCodeAppearance();
    static QStringList sourceCodeFontSizes();

    QStringList array_SaveFolder;
    QStringList array_CSSFiles;

    Preferences_MultiMarkdownExe* prefs_MultiMarkdownExe = nullptr;
    Preferences_CriticMarkup* prefs_CriticMarkup = nullptr;
    MarkupInterpreter* prefs_MarkupInterpreter = nullptr;

signals:
    // A help button asks for a page of the help book.
    void helpRequested(const QString& page);
    // A style was added or removed, or the styles were reset.
    void stylesChanged();

private:
    void setUp();
    void windowDidLoad();
    void setUpToolbar();
    void bindMarkupSettings();
    void wireOwnPanes();
    void showInTable(class QListWidget* table, const QStringList& rows);
    QString selectedRowText(class QListWidget* table) const;

    std::unique_ptr<Ui::PreferencesController> ui;
    QWidget* multiMarkdownExePrefView = nullptr;
    QWidget* criticmarkupPrefView = nullptr;
    QWidget* markupinterpreterPrefView = nullptr;
    int selectedTag_ = 0;
};
