#include "app/AppDelegate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMenu>
#include <QTextStream>

#include "app/RecentFiles.h"
#include "cli/HeadlessStartup.h"
#include "window/Document.h"
#include "window/ViewSettings.h"
#include "help/HelpWindow.h"
#include "platform/AlertHelper.h"
#include "preferences/PreferencesController.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/CSSStyles.h"
#include "textbundle/Textbundle.h"
#include "updater/UpdateCheck.h"

Q_LOGGING_CATEGORY(appLog, "quillview.app")

namespace {

void showCriticalAlert(const QString& title, const QString& message) {
    AlertHelper::criticlaWithTitle(title, message);
}


}  // namespace

AppDelegate::AppDelegate() {
    prepareConversions(showCriticalAlert);
    Textbundle::setCriticalAlertPresenter(showCriticalAlert);
    ensureStylesFolder();
    externEditors_plainText = externaleditors::editorsForTypes(externaleditors::plainTextTypes());
    externEditors_textbundle = externaleditors::editorsForTypes(externaleditors::textbundleTypes());
    externEditors_textpack = externaleditors::editorsForTypes(externaleditors::textpackTypes());
}

AppDelegate::~AppDelegate() {
    delete preferenceController_;
}

PreferencesController* AppDelegate::preferenceController() const {
    return preferenceController_;
}

void AppDelegate::showPreferenceController() {
    if (!preferenceController_) {
        preferenceController_ = new PreferencesController;
        connect(preferenceController_, &PreferencesController::helpRequested, this, &AppDelegate::openHelpPage);
        connect(preferenceController_, &PreferencesController::stylesChanged, this, &AppDelegate::loadCSSStylesToMenu);
    }
    preferenceController_->show();
    preferenceController_->raise();
    preferenceController_->activateWindow();
}

void AppDelegate::applicationDidFinishLaunching() {
    if (!updater)
        updater = UpdateCheck::checkForUpdates(this);
}

void AppDelegate::manualCheck() {
    if (!updater)
        updater = new UpdateCheck(this);
    updater->manualCheck();
}

void AppDelegate::ensureStylesFolder() {
    CSSStyles::ensureStylesFolder();
}

// ------------------------------------------------------------------ windows

QList<Document*> AppDelegate::documents() const {
    QList<Document*> open;
    for (const QPointer<Document>& document : documents_)
        if (document)
            open << document.data();
    return open;
}

Document* AppDelegate::openDocument(const QString& path) {
    const QFileInfo file(path);
    const QString key = file.exists() ? file.canonicalFilePath() : file.absoluteFilePath();
    recentfiles::add(key);
    for (Document* document : documents()) {
        if (QFileInfo(document->filePath()).canonicalFilePath() == key || document->filePath() == key) {
            document->show();
            document->raise();
            document->activateWindow();
            return document;
        }
    }
    auto* document = new Document(key);
    documents_ << document;
    buildMenuBar(document);
    connect(document, &Document::openFileRequested, this, [this](const QString& other) { openDocument(other); });
    connect(document, &Document::helpRequested, this, &AppDelegate::openHelpPage);
    connect(document, &Document::activated, this,
            [this, document] { loadExternalEditorsForExtension(document->fileExtension()); });
    // A save may show in other windows too: an included file, a picture.
    connect(document, &Document::watchedFilesChanged, this, [this, document] {
        for (Document* other : documents())
            if (other != document)
                other->reloadTxt();
    });
    document->show();
    document->setUp();
    return document;
}

bool AppDelegate::openFilesFromCommandLine(const QStringList& paths) {
    bool opened = false;
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) {
            QTextStream(stderr) << "quillview: " << path << ": no such file\n";
            continue;
        }
        opened = openDocument(path) != nullptr || opened;
    }
    return opened;
}

bool AppDelegate::showOpenDialog() {
    const QStringList files = QFileDialog::getOpenFileNames(nullptr, tr("Open"), QDir::homePath(),
                                                            tr("Documents (*.md *.markdown *.mdown *.mkdn *.mmd "
                                                               "*.textile *.tex *.wiki *.bbcode *.bbc *.tessel *.tsl "
                                                               "*.html *.htm *.textpack *.txt);;All files (*)"));
    for (const QString& file : files)
        openDocument(file);
    return !files.isEmpty();
}

// -------------------------------------------------------------------- menus

void AppDelegate::loadCSSStylesToMenu() {
    for (const QPointer<QMenu>& menu : styleMenus_)
        if (menu)
            fillStylesMenu(menu);
}

void AppDelegate::fillStylesMenu(QMenu* menu) {
    menu->clear();
    QDir folder(CSSStyles::stylesFolderPath());
    const QStringList entries = folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        const QString title = QFileInfo(entry).completeBaseName();
        QAction* item = menu->addAction(title);
        connect(item, &QAction::triggered, this, [title] { viewsettings::selectCSSStyle(title); });
    }
}

void AppDelegate::loadExternalEditorsForExtension(const QString& extension) {
    editorExtension_ = extension;
    for (const QPointer<QMenu>& menu : editorMenus_)
        if (menu)
            fillEditorMenu(menu, menu->property("document").value<Document*>(), extension);
}

void AppDelegate::fillEditorMenu(QMenu* menu, Document* document, const QString& extension) {
    menu->clear();
    if (extension.isEmpty() || !document)
        return;
    const std::vector<EditorApplication>& editors = extension == "textbundle" ? externEditors_textbundle
                                                    : extension == "textpack" ? externEditors_textpack
                                                                              : externEditors_plainText;
    for (const EditorApplication& editor : editors) {
        QAction* item = menu->addAction(editor.icon, editor.displayName);
        const QString name = editor.displayName;
        connect(item, &QAction::triggered, document, [document, name] { document->editFileInExternalEditor(name); });
    }
}

// --------------------------------------------------------------------- help

void AppDelegate::showHelpWindow() {
    // One help window: asked again, it returns to the start page.
    if (helpViewer_)
        helpViewer_->openFile("start");
    else
        helpViewer_.reset(HelpWindow::launchHelpViewer());
}

void AppDelegate::openHelpPage(const QString& page) {
    if (helpViewer_) {
        helpViewer_->openFile(page);
        return;
    }
    helpViewer_ = std::make_unique<HelpWindow>();
    helpViewer_->launchHelpViewerWithFile(page);
}
