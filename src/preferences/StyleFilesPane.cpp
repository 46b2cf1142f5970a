// The style-files pane: the user's styles folder, whose files the CSS menu
// lists. Every change posts "cssReloadMainMenu" so the menu follows.
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>

#include "platform/AlertHelper.h"
#include "preferences/PreferencesController.h"
#include "settings/CSSStyles.h"
#include "ui_PreferencesController.h"

void PreferencesController::loadCSSFiles() {
    array_CSSFiles = CSSStyles::cssFileNames();
    showInTable(ui->tableview_cssFiles, array_CSSFiles);
}

void PreferencesController::cssFile_Add() {
    auto* chooser = new QFileDialog(this, QCoreApplication::translate("Localizable", "ADD_CSS_FILE_TITLE"));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setFileMode(QFileDialog::ExistingFiles);
    chooser->setNameFilter(tr("Style sheets (*.css)"));
    chooser->setLabelText(QFileDialog::Accept, QCoreApplication::translate("Localizable", "ADD_CSS_FILE_MESSAGE"));
    connect(chooser, &QFileDialog::filesSelected, this, &PreferencesController::cssFile_AddFiles);
    chooser->open();
}

void PreferencesController::cssFile_AddFiles(const QStringList& files) {
    for (const QString& file : files)
        if (QFileInfo(file).suffix().compare("css", Qt::CaseInsensitive) == 0)
            CSSStyles::addStyleFile(file);
    loadCSSFiles();
    emit stylesChanged();
}

void PreferencesController::cssFile_Remove() {
    const QString fileName = selectedRowText(ui->tableview_cssFiles);
    if (fileName.isEmpty())
        return;
    const int answer = AlertHelper::warningWithTitle(
        tr("Remove the style “%1”?").arg(QFileInfo(fileName).completeBaseName()),
        tr("The file is deleted from Quillview's styles folder."), tr("Remove"), tr("Cancel"));
    if (answer == AlertHelper::FirstButton)
        cssFile_RemoveConfirmed(fileName);
}

void PreferencesController::cssFile_RemoveConfirmed(const QString& fileName) {
    CSSStyles::removeStyleFile(fileName);
    loadCSSFiles();
    emit stylesChanged();
}

void PreferencesController::cssFile_Reset() {
    const int answer =
        AlertHelper::warningWithTitle(tr("Reset the styles?"),
                                      tr("The styles folder then holds the eight styles that come with Quillview. "
                                         "Styles you added are deleted."),
                                      tr("Reset"), tr("Cancel"));
    if (answer == AlertHelper::FirstButton)
        cssFile_ResetConfirmed();
}

void PreferencesController::cssFile_ResetConfirmed() {
    CSSStyles::resetStylesFolder();
    loadCSSFiles();
    emit stylesChanged();
}
