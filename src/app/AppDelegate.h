#pragma once
// The application: start-up (settings, styles folder, editor lists), one
// window per opened file, and the menus of every window.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

#include "window/ExternalEditors.h"

class Document;
class HelpWindow;
class PreferencesController;
class QMenu;
class UpdateCheck;
class QMenuBar;

class AppDelegate : public QObject {
    Q_OBJECT
public:
    // Registers defaults, fills the styles folder, computes the editor
    // lists, wires the notifications and runs the interpreter check.
    AppDelegate();
    ~AppDelegate() override;

    // Opens a window for the file, or raises the one that shows it already.
    Document* openDocument(const QString& path);
    // Opens each file; reports missing ones on standard error. False when no
    // window could be opened.
    bool openFilesFromCommandLine(const QStringList& paths);
    // The Open dialog; false when cancelled.
    bool showOpenDialog();
    QList<Document*> documents() const;

    // The styles folder, created and filled with the built-in styles when it
    // does not exist (an existing one is left as the user made it).
    static void ensureStylesFolder();

    // The update check's start-up decision (a question, a check or nothing),
    // once the launch has opened its windows.
    void applicationDidFinishLaunching();

    // Menu actions.
    void manualCheck();
    void loadCSSStylesToMenu();
    void loadExternalEditorsForExtension(const QString& extension);
    // Help ▸ Quillview Help: the help at its start page.
    void showHelpWindow();
    // A help button's page, in the help window open already or in a new one.
    void openHelpPage(const QString& page);
    HelpWindow* helpViewer() const { return helpViewer_.get(); }
    // Creates the preferences window on first use and brings it forward.
    void showPreferenceController();
    PreferencesController* preferenceController() const;

    std::vector<EditorApplication> externEditors_plainText;
    std::vector<EditorApplication> externEditors_textbundle;
    std::vector<EditorApplication> externEditors_textpack;
    // Kept for the run, so that manual checks reuse it.
    UpdateCheck* updater = nullptr;

private:
    void buildMenuBar(Document* document);
    void addMarkdownFlavourMenu(QMenu* view, Document* document);
    void fillStylesMenu(QMenu* menu);
    void fillEditorMenu(QMenu* menu, Document* document, const QString& extension);

    QPointer<PreferencesController> preferenceController_;
    QList<QPointer<Document>> documents_;
    QList<QPointer<QMenu>> styleMenus_;
    QList<QPointer<QMenu>> editorMenus_;
    QString editorExtension_;
    std::unique_ptr<HelpWindow> helpViewer_;
};
