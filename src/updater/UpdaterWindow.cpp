#include "updater/UpdaterWindow.h"

#include <QApplication>
#include <QDesktopServices>

#include "window/WindowAppearance.h"
#include "settings/SettingsStore.h"
#include "ui_UpdaterWindow.h"
#include "updater/UpdaterAddresses.h"
#include "updater/UpdaterTexts.h"

UpdaterWindow::UpdaterWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      langCode(updatertexts::langCode()),
      stringTable(updatertexts::stringTable(langCode)),
      ui_(std::make_unique<Ui::UpdaterWindow>()) {
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->image_AppIcon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    connect(ui_->button_download, &QPushButton::clicked, this, &UpdaterWindow::buttonAction_downloadUpdate);
    connect(ui_->button_later, &QPushButton::clicked, this, &UpdaterWindow::buttonAction_laterRemindAgain);
    connect(ui_->button_releasenotes, &QPushButton::clicked, this, &UpdaterWindow::showReleaseNotes);
    connect(ui_->checkbox_doNotCheckAutomatically, &QCheckBox::toggled, this,
            &UpdaterWindow::checkbox_autoSearchForUpdates);
    // Light or dark like the document windows.
    connect(&SettingsStore::shared(), &SettingsStore::changed, this, [this](SettingsStore::Setting setting) {
        if (setting == SettingsStore::Setting::windowTheme)
            windowappearance::applyTheme(this, SettingsStore::shared().windowTheme());
    });
}

UpdaterWindow::~UpdaterWindow() = default;

UpdaterWindow* UpdaterWindow::launchUpdaterWithAppDic(const QVariantMap& appDic) {
    auto* updater = new UpdaterWindow;
    updater->appName = appDic.value("AppName").toString();
    updater->currentVersion = appDic.value("CurrentVersion").toString();
    updater->availableVersion = appDic.value("AvailableVersion").toString();
    updater->showme();
    return updater;
}

QString UpdaterWindow::localized(const char* key) const {
    return updatertexts::localized(stringTable, key);
}

void UpdaterWindow::showme() {
    ui_->textField_Title->setText(updatertexts::format(localized("VantrelUpdate_GREETTITLE"), {appName}));
    {
        // Showing the stored state is no change by the user.
        const QSignalBlocker quiet(ui_->checkbox_doNotCheckAutomatically);
        ui_->checkbox_doNotCheckAutomatically->setText(localized("VantrelUpdate_CHECKBOX_AUTOCHECK"));
        ui_->checkbox_doNotCheckAutomatically->setChecked(
            SettingsStore::shared().updaterAutoCheck());
    }
    ui_->button_download->setText(localized("VantrelUpdate_BUTTON_DOWNLOAD"));
    ui_->button_later->setText(localized("VantrelUpdate_BUTTON_LATER"));
    ui_->button_releasenotes->setText(localized("VantrelUpdate_BUTTON_RN"));
    updateTexts();
    windowappearance::applyTheme(this, SettingsStore::shared().windowTheme());
    setWindowTitle(updatertexts::format(localized("VantrelUpdate_WINDOW_TITLE"), {appName}));
    show();
    raise();
    activateWindow();
}

void UpdaterWindow::updateTexts() {
    ui_->textField_GreetMessage->setText(
        updatertexts::format(localized("VantrelUpdate_GREETMESSAGE"), {availableVersion, currentVersion}));
}

void UpdaterWindow::buttonAction_downloadUpdate() {
    close();
    QDesktopServices::openUrl(updateraddresses::downloadUrl(appName, availableVersion));
}

void UpdaterWindow::buttonAction_laterRemindAgain() {
    close();
}

void UpdaterWindow::showReleaseNotes() {
    QDesktopServices::openUrl(updateraddresses::releaseNotesUrl());
}

void UpdaterWindow::checkbox_autoSearchForUpdates(bool checked) {
    SettingsStore::shared().setUpdaterAutoCheck(checked);
}
