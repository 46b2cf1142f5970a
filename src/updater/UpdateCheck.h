#pragma once
// The update check: at launch the first start stays silent, the second asks
// whether to check automatically, later starts check when that was agreed;
// Help ▸ Check for Updates… checks by hand. The version file is fetched
// asynchronously; a newer version opens the UpdaterWindow window.

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

class QMessageBox;
class QNetworkReply;
class UpdaterWindow;

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit UpdateCheck(QObject* parent = nullptr);

    // The start-up decision; the checker is kept for later manual checks.
    static UpdateCheck* checkForUpdates(QObject* parent = nullptr);
    // The title of the menu item that calls manualCheck.
    static QString menuItemTitle();

    void autocheck();
    void manualCheck();
    void performCheck(bool manual);
    void launchUpdaterMainThreadWithDic(const QVariantMap& appDic);
    void noNewVersion();

    QPointer<UpdaterWindow> updater;
    QString langCode;
    QString stringTable;

signals:
    // Emitted when a lookup has come to its end, whatever it showed.
    void checkFinished();

private:
    void askForAutomaticChecks();
    void answerReceived(QNetworkReply* reply, bool manual);
    void offerIfNewer(const QString& available, bool manual);
    void checkFailed();
    QString localized(const char* key) const;

    QNetworkAccessManager network_;
};
