#include "preferences/PreferencesController.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "window/WindowAppearance.h"
#include "preferences/MarkupInterpreter.h"
#include "preferences/PaneSupport.h"
#include "preferences/Preferences_CriticMarkup.h"
#include "preferences/Preferences_MultiMarkdownExe.h"
#include "settings/SettingsStore.h"
#include "ui_PreferencesController.h"

namespace {

struct PaneTitle {
    const char* table;
    const char* key;
};

// By tag, 1 to 7.
const PaneTitle kPaneTitles[] = {
    {"Localizable", "PREFERENCES_SAVEFOLDERS"},
    {"Localizable", "PREFERENCES_MARkUP"},
    {"Localizable", "PREFERENCES_CSSFILES"},
    {"Preferences_MultiMarkdownExe-Add", "PREFERENCES_MULTIMARKDOWN_TITLE"},
    {"Preferences_CriticMarkup-Add", "PREFERENCES_CRITICMARKUP_TITLE"},
    {"Localizable", "PREFERENCES_SOURCECODEAPPEARANCE"},
    {"MarkupInterpreter-Add", "PREFERENCES_MARKUPINTERPRETER_TITLE"},
};

}  // namespace

PreferencesController::PreferencesController(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::PreferencesController>()) {
    ui->setupUi(this);
    setUp();
    windowDidLoad();
}

PreferencesController::~PreferencesController() = default;

void PreferencesController::setUp() {
    prefs_MultiMarkdownExe = new Preferences_MultiMarkdownExe(this);
    prefs_CriticMarkup = new Preferences_CriticMarkup(this);
    prefs_MarkupInterpreter = new MarkupInterpreter(this);
    multiMarkdownExePrefView = prefs_MultiMarkdownExe->preferenceView();
    criticmarkupPrefView = prefs_CriticMarkup->preferenceView();
    markupinterpreterPrefView = prefs_MarkupInterpreter->preferenceView();
    connect(prefs_MultiMarkdownExe, &Preferences_MultiMarkdownExe::helpRequested, this,
            &PreferencesController::helpRequested);
    connect(prefs_CriticMarkup, &Preferences_CriticMarkup::helpRequested, this, &PreferencesController::helpRequested);
    connect(prefs_MarkupInterpreter, &MarkupInterpreter::helpRequested, this, &PreferencesController::helpRequested);
    for (QWidget* pane : {multiMarkdownExePrefView, criticmarkupPrefView, markupinterpreterPrefView})
        ui->contentBox->addWidget(pane);
    prefs_MultiMarkdownExe->setUp();
    prefs_CriticMarkup->setUp();
    prefs_MarkupInterpreter->setUp();

    initPopupButonsFontSizeAndStyle();
    // Like the document windows, the window follows the light/dark setting.
    auto applyTheme = [this] {
        windowappearance::applyTheme(this, SettingsStore::shared().windowTheme());
    };
    connect(&SettingsStore::shared(), &SettingsStore::changed, this, [this, applyTheme](SettingsStore::Setting setting) {
        if (setting == SettingsStore::Setting::windowTheme)
            applyTheme();
        else if (setting == SettingsStore::Setting::sandboxPaths)
            reloadSaveFolderPaths();
    });
    applyTheme();
    loadSaveFolderPaths();
    loadCSSFiles();
    bindMarkupSettings();
    wireOwnPanes();
    // Only the first generation of converters exists on this platform.
    ui->checkbox_UseSwiftMarkup->hide();
    ui->textfield_UseSwiftMarkupText->hide();
}

void PreferencesController::windowDidLoad() {
    setUpToolbar();
    selectedPrefPane(1);
}

void PreferencesController::setUpToolbar() {
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_DirIcon,         QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogContentsView,
        QStyle::SP_FileIcon,        QStyle::SP_FileDialogInfoView,     QStyle::SP_FileDialogListView,
        QStyle::SP_ComputerIcon,
    };
    auto* group = new QActionGroup(this);
    const QList<QAction*> items = ui->thePreferencesToolbar->actions();
    for (int index = 0; index < items.size(); ++index) {
        QAction* item = items.at(index);
        item->setIcon(style()->standardIcon(icons[index % 7]));
        group->addAction(item);
        const int tag = item->property("tag").toInt();
        connect(item, &QAction::triggered, this, [this, tag] { selectedPrefPane(tag); });
    }
}

void PreferencesController::selectedPrefPane(int tag) {
    QWidget* panes[] = {ui->saveFoldersPane,     ui->markupSettingsPane,        ui->cssFilesPane,
                        multiMarkdownExePrefView, criticmarkupPrefView,          ui->view_SourceCodeAppearance,
                        markupinterpreterPrefView};
    if (tag < 1 || tag > 7)
        return;
    selectedTag_ = tag;
    ui->contentBox->setCurrentWidget(panes[tag - 1]);
    setWindowTitle(QCoreApplication::translate(kPaneTitles[tag - 1].table, kPaneTitles[tag - 1].key));
    for (QAction* item : ui->thePreferencesToolbar->actions())
        item->setChecked(item->property("tag").toInt() == tag);
}

void PreferencesController::wireOwnPanes() {
    connect(ui->button_saveFolder_Add, &QPushButton::clicked, this, &PreferencesController::saveFolder_Add);
    connect(ui->button_saveFolder_Remove, &QPushButton::clicked, this, &PreferencesController::saveFolder_Remove);
    connect(ui->button_cssFile_Add, &QPushButton::clicked, this, &PreferencesController::cssFile_Add);
    connect(ui->button_cssFile_Remove, &QPushButton::clicked, this, &PreferencesController::cssFile_Remove);
    connect(ui->button_cssFile_Reset, &QPushButton::clicked, this, &PreferencesController::cssFile_Reset);
    const std::pair<QPushButton*, const char*> helpButtons[] = {
        {ui->button_saveFolders_Help, "PreferencesSaveFolders"},
        {ui->button_markup_Help, "PreferencesMarkup"},
        {ui->button_cssFiles_Help, "PreferencesStyles"},
        {ui->button_sourceCode_Help, "PreferencesSourceCode"},
    };
    for (const auto& [button, page] : helpButtons)
        connect(button, &QPushButton::clicked, this, [this, page = QString(page)] { emit helpRequested(page); });
}

void PreferencesController::showInTable(QListWidget* table, const QStringList& rows) {
    const QString selected = selectedRowText(table);
    table->clear();
    table->addItems(rows);
    const QList<QListWidgetItem*> again = table->findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !again.isEmpty())
        table->setCurrentItem(again.first());
}

QString PreferencesController::selectedRowText(QListWidget* table) const {
    const QList<QListWidgetItem*> selected = table->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}
