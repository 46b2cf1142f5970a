// The menu bar of every document window. Application-wide actions change a
// setting and post a notification; document actions go to this window's
// document.
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include "app/AppDelegate.h"
#include "app/RecentFiles.h"
#include "window/Document.h"
#include "window/FindBar.h"
#include "window/OutlinePanel.h"
#include "window/PreviewController.h"
#include "window/ViewSettings.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"
#include "updater/UpdateCheck.h"

// View ▸ Markdown Flavour: this window's Markdown in another flavour; the
// menu shows the flavour the page is in and is off for other languages.
void AppDelegate::addMarkdownFlavourMenu(QMenu* view, Document* document) {
    QMenu* flavours = view->addMenu(tr("Markdown &Flavour"));
    flavours->setObjectName("menu_MarkdownFlavour");
    auto* group = new QActionGroup(flavours);
    for (const QString& flavour : markuplanguagetable::markdownFlavours()) {
        QAction* action = flavours->addAction(markuplanguagetable::menuName(flavour),
                                              [document, flavour] { document->setMarkdownFlavour(flavour); });
        action->setCheckable(true);
        action->setData(flavour);
        group->addAction(action);
    }
    auto showLanguage = [flavours, document] {
        const QString language = document->markupLanguage();
        flavours->setEnabled(markuplanguagetable::isMarkdownFlavour(language));
        for (QAction* action : flavours->actions())
            action->setChecked(action->data().toString() == language);
    };
    connect(document, &Document::pageLoaded, flavours, showLanguage);
    showLanguage();
}

void AppDelegate::buildMenuBar(Document* document) {
    QMenuBar* bar = document->menuBar();

    QMenu* file = bar->addMenu(tr("&File"));
    file->addAction(tr("&Open…"), QKeySequence::Open, this, [this] { showOpenDialog(); });
    QMenu* recent = file->addMenu(tr("Open Rece&nt"));
    recent->setObjectName("menu_OpenRecent");
    recentfiles::attachToMenu(recent, [this](const QString& path) { openDocument(path); });
    file->addAction(tr("&Close"), QKeySequence::Close, document, &QWidget::close);
    file->addSeparator();
    file->addAction(tr("&Reload"), QKeySequence(Qt::CTRL | Qt::Key_R), document, &Document::reloadTxt);
    file->addAction(tr("Copy &HTML"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), document,
                    &Document::copyHtml);
    file->addAction(tr("Show in File &Manager"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R), document,
                    &Document::revealInFileManager);
    QMenu* editors = file->addMenu(tr("&Edit In"));
    editors->setObjectName("menu_EditIn");
    editors->setProperty("document", QVariant::fromValue(document));
    editorMenus_ << editors;
    fillEditorMenu(editors, document, document->fileExtension());
    QMenu* exports = file->addMenu(tr("E&xport"));
    exports->setObjectName("menu_Export");
    document->fillExportMenu(exports);
    file->addSeparator();
    file->addAction(tr("&Print…"), QKeySequence::Print, document, &Document::printDocument);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, qApp, &QApplication::closeAllWindows);

    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(tr("&Find…"), QKeySequence::Find, document, &Document::showFindBar);
    QAction* next = edit->addAction(tr("Find &Next"), document->findBar(), &FindBar::findNext);
    next->setShortcut(QKeySequence(Qt::Key_F3));
    QAction* previous = edit->addAction(tr("Find &Previous"), document->findBar(), &FindBar::findPrevious);
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    edit->addSeparator();
    QAction* preferences = edit->addAction(tr("Pr&eferences…"), QKeySequence(Qt::CTRL | Qt::Key_Comma), this,
                                           &AppDelegate::showPreferenceController);
    preferences->setObjectName("menuItem_Preferences");
    preferences->setMenuRole(QAction::PreferencesRole);

    QMenu* view = bar->addMenu(tr("&View"));
    view->addAction(tr("Toggle HTML &Source"), QKeySequence(Qt::CTRL | Qt::Key_U), document,
                    [document] { document->toggleWebViewSourceView(); });
    QAction* outline = document->outlinePanel()->toggleViewAction();
    outline->setText(tr("&Outline"));
    outline->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    view->addAction(outline);
    // Opened from the keyboard, the outline takes the keys (arrows, Enter).
    connect(outline, &QAction::triggered, document, [document](bool shown) {
        if (shown)
            document->outlinePanel()->tree()->setFocus(Qt::ShortcutFocusReason);
    });
    QAction* jump = view->addAction(tr("&Jump to Change"), QKeySequence(Qt::CTRL | Qt::Key_J), document,
                                    &Document::jumpToChange);
    jump->setObjectName("menuItem_JumpToChange");
    jump->setEnabled(document->preview()->changedBlockCount() > 0);
    connect(document->preview(), &PreviewController::changedBlocksMarked, jump, [jump](int count) { jump->setEnabled(count > 0); });
    addMarkdownFlavourMenu(view, document);
    view->addSeparator();
    QAction* bigger = view->addAction(tr("&Bigger"), [] { viewsettings::makeFontBigger(); });
    bigger->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    view->addAction(tr("S&maller"), QKeySequence::ZoomOut, [] { viewsettings::makeFontSmaller(); });
    view->addAction(tr("&Default Size"), QKeySequence(Qt::CTRL | Qt::Key_0), [] { viewsettings::makeFontNormalSize(); });
    view->addSeparator();
    QAction* theme = view->addAction(tr("&Light/Dark Window"), [] { viewsettings::toggleLightDarkFromMenu(); });
    theme->setObjectName("menuItem_LightDark");
    view->addAction(tr("Show &Title"), [] { viewsettings::toggleTitlebarFromMenu(); });

    QMenu* styles = bar->addMenu("CSS");
    styles->setObjectName("menu_CSS");
    styleMenus_ << styles;
    fillStylesMenu(styles);

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName("menu_Help");
    QAction* helpViewer = help->addAction(tr("Quillview &Help"), QKeySequence(Qt::Key_F1), this,
                                          [this] { showHelpWindow(); });
    helpViewer->setObjectName("menuItem_QuillviewHelp");
    help->addSeparator();
    QAction* check = help->addAction(UpdateCheck::menuItemTitle(), this, &AppDelegate::manualCheck);
    check->setObjectName("menuItem_CheckForUpdates");
    check->setMenuRole(QAction::ApplicationSpecificRole);
}
