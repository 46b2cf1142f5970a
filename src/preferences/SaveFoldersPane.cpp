// The save-folders pane: the folders the user opened to the application
// (the sandboxPaths setting, folder path → grant data).
#include <QFileDialog>
#include <QListWidget>
#include <QUrl>
#include <QVariantMap>

#include "platform/SandboxAccess.h"
#include "preferences/PreferencesController.h"
#include "settings/SettingsStore.h"
#include "ui_PreferencesController.h"

void PreferencesController::loadSaveFolderPaths() {
    array_SaveFolder = SettingsStore::shared().sandboxPaths().keys();
    showInTable(ui->tableview_saveFolders, array_SaveFolder);
}

void PreferencesController::reloadSaveFolderPaths() {
    loadSaveFolderPaths();
}

void PreferencesController::saveFolder_Add() {
    auto* chooser = new QFileDialog(this, QCoreApplication::translate("Localizable", "SELECT_SANDBOX_FOLDER_TITLE"));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    chooser->setLabelText(QFileDialog::Accept, QCoreApplication::translate("Localizable", "SELECT_SANDBOX_FOLDER_MESSAGE"));
    connect(chooser, &QFileDialog::fileSelected, this, &PreferencesController::saveFolder_AddFolder);
    chooser->open();
}

void PreferencesController::saveFolder_AddFolder(const QString& folder) {
    if (folder.isEmpty())
        return;
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QVariantMap grants = SettingsStore::shared().sandboxPaths();
    grants.insert(path, SandboxAccess::bookmarkDataForURL(QUrl::fromLocalFile(path)));
    SettingsStore::shared().setSandboxPaths(grants);
    SettingsStore::shared().sync();
    loadSaveFolderPaths();
}

void PreferencesController::saveFolder_Remove() {
    const QString folder = selectedRowText(ui->tableview_saveFolders);
    if (folder.isEmpty())
        return;
    QVariantMap grants = SettingsStore::shared().sandboxPaths();
    grants.remove(folder);
    SettingsStore::shared().setSandboxPaths(grants);
    SettingsStore::shared().sync();
    loadSaveFolderPaths();
}
