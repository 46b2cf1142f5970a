#pragma once
// The window that offers a newer version: its texts, a check box for the
// automatic check, and buttons for the release notes, later and the
// download (which opens in the browser; nothing is downloaded here).

#include <QString>
#include <QVariantMap>
#include <QWidget>
#include <memory>

namespace Ui {
class UpdaterWindow;
}

class UpdaterWindow : public QWidget {
    Q_OBJECT
public:
    explicit UpdaterWindow(QWidget* parent = nullptr);
    ~UpdaterWindow() override;

    // Creates the window from { "AppName", "CurrentVersion", "AvailableVersion" }
    // and shows it; it deletes itself when closed.
    static UpdaterWindow* launchUpdaterWithAppDic(const QVariantMap& appDic);

    void showme();
    void updateTexts();
    void buttonAction_downloadUpdate();
    void buttonAction_laterRemindAgain();
    void showReleaseNotes();
    void checkbox_autoSearchForUpdates(bool checked);

    QString appName;
    QString currentVersion;
    QString availableVersion;
    QString langCode;
    QString stringTable;

private:
    QString localized(const char* key) const;

    std::unique_ptr<Ui::UpdaterWindow> ui_;
};
