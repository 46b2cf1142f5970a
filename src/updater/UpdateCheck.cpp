#include "updater/UpdateCheck.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QNetworkReply>
#include <QPushButton>

#include "window/WindowAppearance.h"
#include "settings/SettingsStore.h"
#include "updater/UpdaterAddresses.h"
#include "updater/UpdaterTexts.h"
#include "updater/UpdaterWindow.h"
#include "updater/VersionNumber.h"

Q_LOGGING_CATEGORY(updaterLog, "quillview.updater")

namespace {

// A server that accepts the connection and then says nothing ends the check.
constexpr int kLongestWaitMs = 30 * 1000;

QMessageBox* newAlert(QMessageBox::Icon icon, const QString& title, QMessageBox::StandardButtons buttons) {
    auto* alert = new QMessageBox(icon, updateraddresses::productName(), title, buttons);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    // Qt sizes message boxes to their shortest lines; these texts are sentences.
    alert->setStyleSheet("QLabel#qt_msgbox_label, QLabel#qt_msgbox_informativelabel { min-width: 24em; }");
    windowappearance::applyTheme(alert, SettingsStore::shared().windowTheme());
    return alert;
}

QMessageBox* showAlert(QMessageBox::Icon icon, const QString& name, const QString& title, const QString& text) {
    QMessageBox* alert = newAlert(icon, title, QMessageBox::Ok);
    alert->setInformativeText(text);
    alert->setObjectName(name);
    alert->show();
    return alert;
}

}  // namespace

UpdateCheck::UpdateCheck(QObject* parent)
    : QObject(parent), langCode(updatertexts::langCode()), stringTable(updatertexts::stringTable(langCode)) {}

QString UpdateCheck::menuItemTitle() {
    return updatertexts::localized(updatertexts::stringTable(updatertexts::langCode()), "VantrelUpdate_MENU_ITEM");
}

QString UpdateCheck::localized(const char* key) const {
    return updatertexts::localized(stringTable, key);
}

UpdateCheck* UpdateCheck::checkForUpdates(QObject* parent) {
    auto* checker = new UpdateCheck(parent);
    SettingsStore& settings = SettingsStore::shared();
    if (!settings.updaterFirstStartDone())
        settings.setUpdaterFirstStartDone(true);
    else if (!settings.updaterSecondStartDone())
        checker->askForAutomaticChecks();
    else
        checker->autocheck();
    return checker;
}

// The answer comes back through the alert's buttons; the launch goes on
// meanwhile.
void UpdateCheck::askForAutomaticChecks() {
    QMessageBox* question = newAlert(QMessageBox::Question, localized("VantrelUpdate_QUESTION_TITLE"), QMessageBox::Ok);
    question->setObjectName("VantrelUpdate_Question");
    question->setInformativeText(
        updatertexts::format(localized("VantrelUpdate_QUESTION_MESSAGE"), {updateraddresses::productName()}));
    QPushButton* noThanks = question->addButton(localized("VantrelUpdate_NOTHANKS_BUTTON"), QMessageBox::RejectRole);
    noThanks->setObjectName("VantrelUpdate_NOTHANKS_BUTTON");
    QPushButton* privacy = question->addButton(localized("VantrelUpdate_PRIVACY_BUTTON"), QMessageBox::HelpRole);
    privacy->setObjectName("VantrelUpdate_PRIVACY_BUTTON");
    question->button(QMessageBox::Ok)->setObjectName("VantrelUpdate_OK_BUTTON");
    connect(question, &QMessageBox::buttonClicked, this, [this, question, noThanks, privacy](QAbstractButton* button) {
        SettingsStore& settings = SettingsStore::shared();
        if (button == privacy) {
            // Nothing is stored: the question comes again at the next start.
            QDesktopServices::openUrl(updateraddresses::privacyUrl(langCode));
        } else if (button == noThanks) {
            settings.setUpdaterAutoCheck(false);
            settings.setUpdaterSecondStartDone(true);
        } else if (button == question->button(QMessageBox::Ok)) {
            settings.setUpdaterAutoCheck(true);
            settings.setUpdaterSecondStartDone(true);
            autocheck();
        }
    });
    question->show();
}

void UpdateCheck::autocheck() {
    if (SettingsStore::shared().updaterAutoCheck())
        performCheck(false);
}

void UpdateCheck::manualCheck() {
    performCheck(true);
}

void UpdateCheck::performCheck(bool manual) {
    QNetworkRequest request(updateraddresses::versionFileUrl());
    request.setTransferTimeout(kLongestWaitMs);
    QNetworkReply* reply = network_.get(request);
    // A version text is short; a longer answer is something else and is not
    // read to its end.
    connect(reply, &QNetworkReply::readyRead, reply, [reply] {
        if (reply->bytesAvailable() > versionnumber::kLongestVersionText)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, manual] {
        reply->deleteLater();
        answerReceived(reply, manual);
        emit checkFinished();
    });
}

void UpdateCheck::answerReceived(QNetworkReply* reply, bool manual) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QByteArray body = reply->read(versionnumber::kLongestVersionText + 1);
    const QString available = QString::fromUtf8(body).trimmed();
    const bool answered = status.isValid() && status.toInt() / 100 == 2 && reply->error() == QNetworkReply::NoError;
    if (!answered || body.size() > versionnumber::kLongestVersionText || !versionnumber::isVersionText(available)) {
        if (!answered)
            qCWarning(updaterLog).noquote() << QString("Commection Failed: %1 ").arg(reply->errorString());
        else
            qCWarning(updaterLog).noquote() << "The version file holds no version:" << body.left(64);
        if (manual)
            checkFailed();
        return;
    }
    offerIfNewer(available, manual);
}

void UpdateCheck::offerIfNewer(const QString& available, bool manual) {
    const QString running = QCoreApplication::applicationVersion().trimmed();
    const bool newer = versionnumber::isVersionText(running) && versionnumber::compare(running, available) < 0;
    const QString skipped = SettingsStore::shared().updaterLastSkip().trimmed();
    if (newer && skipped != available) {
        launchUpdaterMainThreadWithDic({{"AppName", updateraddresses::appName()},
                                        {"CurrentVersion", running},
                                        {"AvailableVersion", available}});
    } else if (manual) {
        noNewVersion();
    }
}

void UpdateCheck::launchUpdaterMainThreadWithDic(const QVariantMap& appDic) {
    if (updater)
        updater->close();
    updater = UpdaterWindow::launchUpdaterWithAppDic(appDic);
}

void UpdateCheck::noNewVersion() {
    showAlert(QMessageBox::Information, "VantrelUpdate_NOUPDATE", localized("VantrelUpdate_NOUPDATE_TITLE"),
              localized("VantrelUpdate_NOUPDATE_TEXT"));
}

void UpdateCheck::checkFailed() {
    showAlert(QMessageBox::Warning, "VantrelUpdate_CONNECTION_FAILED", localized("VantrelUpdate_CONNECTION_FAILED_TITLE"),
              updatertexts::format(localized("VantrelUpdate_CONNECTION_FAILED_TEXT"),
                                   {updateraddresses::versionFileUrl().host()}));
}
