// The update check end to end against a download site on 127.0.0.1: the
// start-up decisions, which answers offer a version, the window and its
// buttons, the alerts of a manual check, the Help menu item, and the German
// texts (the program runs a second time with LANGUAGE=de).
#include <QAbstractButton>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include "DocumentTestSupport.h"
#include "support/OpenedUrls.h"
#include "VersionServer.h"
#include "app/AppDelegate.h"
#include "cli/Translations.h"
#include "settings/Language.h"
#include "settings/SettingsStore.h"
#include "updater/UpdaterWindow.h"
#include "updater/UpdateCheck.h"

namespace {

constexpr int kAnswerTimeout = 10000;

template <typename T = QWidget>
T* visibleWindow(const QString& objectName) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == objectName)
            if (auto* found = qobject_cast<T*>(widget))
                return found;
    return nullptr;
}

UpdaterWindow* updaterWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<UpdaterWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

QAbstractButton* buttonNamed(QWidget* window, const QString& name) {
    return window ? window->findChild<QAbstractButton*>(name) : nullptr;
}

}  // namespace

class UpdaterTest : public QObject {
    Q_OBJECT

private:
    // One lookup, waited for to its end.
    bool check(bool manual) {
        auto* checker = new UpdateCheck(&owner_);
        QSignalSpy finished(checker, &UpdateCheck::checkFinished);
        checker->performCheck(manual);
        return finished.wait(kAnswerTimeout);
    }
    static void setRunningVersion(const QString& version) { QCoreApplication::setApplicationVersion(version); }
    static bool nothingShown() {
        QTest::qWait(50);
        return !updaterWindow() && !visibleWindow("VantrelUpdate_NOUPDATE") &&
               !visibleWindow("VantrelUpdate_CONNECTION_FAILED");
    }
    void screenshot(QWidget* window, const QString& name) {
        documenttestsupport::saveScreenshot(window, name + (Language::interfaceLanguage() == "de" ? "_de" : "_en"));
    }

    QObject owner_;
    VersionServer server_;
    OpenedUrls opened_{{"http", "https"}};

private slots:
    void initTestCase() {
        SettingsStore::shared().registerDefaults();
    }

    void init() {
        SettingsStore& settings = SettingsStore::shared();
        for (SettingsStore::Setting key : {SettingsStore::Setting::updaterAutoCheck, SettingsStore::Setting::updaterFirstStartDone,
                                SettingsStore::Setting::updaterSecondStartDone, SettingsStore::Setting::updaterLastSkip,
                                SettingsStore::Setting::windowTheme})
            settings.reset(key);
        settings.setUpdateServer(server_.baseUrl());
        server_.serve(200, "0.1");
        server_.requestedPaths.clear();
        opened_.urls.clear();
        setRunningVersion("0.1.0");
    }

    void cleanup() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
        qDeleteAll(owner_.children());
        QTest::qWait(10);
    }

    // First start silent, second the question, later starts check only when
    // the user agreed; the privacy button leaves the question for next time.
    void startsDecideWhetherToAsk() {
        UpdateCheck::checkForUpdates(&owner_);
        QVERIFY(SettingsStore::shared().updaterFirstStartDone());
        QVERIFY(!visibleWindow("VantrelUpdate_Question"));

        UpdateCheck::checkForUpdates(&owner_);
        QMessageBox* question = visibleWindow<QMessageBox>("VantrelUpdate_Question");
        QVERIFY(question);
        QVERIFY(question->informativeText().contains("Quillview"));
        buttonNamed(question, "VantrelUpdate_PRIVACY_BUTTON")->click();
        QCOMPARE(opened_.urls, QList<QUrl>{QUrl(server_.baseUrl() + "/privacy.html")});
        QVERIFY(!SettingsStore::shared().updaterSecondStartDone());

        UpdateCheck::checkForUpdates(&owner_);
        question = visibleWindow<QMessageBox>("VantrelUpdate_Question");
        QVERIFY(question);
        buttonNamed(question, "VantrelUpdate_NOTHANKS_BUTTON")->click();
        QVERIFY(SettingsStore::shared().updaterSecondStartDone());
        QVERIFY(!SettingsStore::shared().updaterAutoCheck());
        UpdateCheck::checkForUpdates(&owner_);
        QTest::qWait(300);
        QVERIFY(!visibleWindow("VantrelUpdate_Question"));
        QVERIFY(server_.requestedPaths.isEmpty());

        SettingsStore::shared().setUpdaterSecondStartDone(false);
        UpdateCheck::checkForUpdates(&owner_);
        question = visibleWindow<QMessageBox>("VantrelUpdate_Question");
        QVERIFY(question);
        buttonNamed(question, "VantrelUpdate_OK_BUTTON")->click();
        QVERIFY(SettingsStore::shared().updaterAutoCheck());
        QTRY_COMPARE_WITH_TIMEOUT(server_.requestedPaths, QStringList{"/downloads/quillview/quillview.txt"},
                                  kAnswerTimeout);

        UpdateCheck::checkForUpdates(&owner_);
        QTRY_COMPARE_WITH_TIMEOUT(server_.requestedPaths.size(), 2, kAnswerTimeout);
        QVERIFY(!visibleWindow("VantrelUpdate_Question"));
    }

    void onlyANewerVersionIsOffered_data() {
        QTest::addColumn<QString>("running");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("offered");
        QTest::newRow("0.2 after 0.1.0") << "0.1.0" << 200 << QByteArray("0.2") << true;
        QTest::newRow("0.9 after 0.1.0") << "0.1.0" << 200 << QByteArray("0.9") << true;
        QTest::newRow("1.0 after 0.1.0") << "0.1.0" << 200 << QByteArray("1.0") << true;
        QTest::newRow("2.0 after 1.10") << "1.10" << 200 << QByteArray("2.0") << true;
        QTest::newRow("1.10 after 1.9") << "1.9" << 200 << QByteArray("1.10") << true;
        QTest::newRow("1.10 after 1.9.5") << "1.9.5" << 200 << QByteArray("1.10") << true;
        QTest::newRow("3.2 after 3.1.9") << "3.1.9" << 200 << QByteArray("3.2") << true;
        QTest::newRow("newline after the version") << "3.1" << 200 << QByteArray("3.2\n") << true;
        QTest::newRow("spaces and CRLF") << "3.1" << 200 << QByteArray(" 3.2 \r\n") << true;
        QTest::newRow("longer than any integer") << "0.1.0" << 200 << QByteArray("99999999999999999999.0") << true;
        QTest::newRow("1.9 before 1.10") << "1.10" << 200 << QByteArray("1.9") << false;
        QTest::newRow("0.1 is 0.1.0") << "0.1.0" << 200 << QByteArray("0.1") << false;
        QTest::newRow("3.2.0 is 3.2") << "3.2" << 200 << QByteArray("3.2.0") << false;
        QTest::newRow("leading zeros") << "3.10" << 200 << QByteArray("3.010") << false;
        QTest::newRow("an error page") << "0.1.0" << 404 << QByteArray("404 Not Found") << false;
        QTest::newRow("a version behind 404") << "0.1.0" << 404 << QByteArray("0.2") << false;
        QTest::newRow("a server error") << "0.1.0" << 500 << QByteArray("9.9") << false;
        QTest::newRow("error text with 200") << "0.1.0" << 200 << QByteArray("404 Not Found") << false;
        QTest::newRow("empty body") << "0.1.0" << 200 << QByteArray() << false;
        QTest::newRow("a page of HTML") << "0.1.0" << 200 << QByteArray("<html>0.2</html>") << false;
        QTest::newRow("v prefix") << "0.1.0" << 200 << QByteArray("v0.2") << false;
        QTest::newRow("two dots") << "0.1.0" << 200 << QByteArray("0..2") << false;
        QTest::newRow("trailing dot") << "0.1.0" << 200 << QByteArray("0.2.") << false;
        QTest::newRow("two versions") << "0.1.0" << 200 << QByteArray("0.2\n0.3") << false;
        QTest::newRow("over 64 bytes") << "0.1.0" << 200 << QByteArray("0." + QByteArray(70, '9')) << false;
        QTest::newRow("a large file") << "0.1.0" << 200 << QByteArray(2 << 20, '9') << false;
    }

    // An automatic check shows the window for a newer version and otherwise
    // nothing at all.
    void onlyANewerVersionIsOffered() {
        QFETCH(QString, running);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, offered);
        setRunningVersion(running);
        server_.serve(status, body);
        QVERIFY(check(false));
        if (offered) {
            QVERIFY(updaterWindow());
            QCOMPARE(updaterWindow()->availableVersion, QString::fromUtf8(body).trimmed());
        } else {
            QVERIFY(nothingShown());
        }
    }

    void windowOffersTheDownloadInTheBrowser() {
        SettingsStore::shared().setUpdaterAutoCheck(true);
        server_.serve(200, "0.2");
        QVERIFY(check(false));
        UpdaterWindow* window = updaterWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Quillview Updates"));
        const QString message = window->findChild<QLabel*>("textField_GreetMessage")->text();
        QVERIFY2(message.indexOf("0.2") >= 0 && message.indexOf("0.2") < message.indexOf("0.1.0"), qPrintable(message));
        QVERIFY(window->findChild<QLabel*>("textField_Title")->text().contains("Quillview"));
        auto* autocheck = window->findChild<QCheckBox*>("checkbox_doNotCheckAutomatically");
        QVERIFY(autocheck->isChecked());
        screenshot(window, "updater_window_light");

        autocheck->click();
        QVERIFY(!SettingsStore::shared().updaterAutoCheck());
        buttonNamed(window, "button_releasenotes")->click();
        QCOMPARE(opened_.urls, QList<QUrl>{QUrl(server_.baseUrl() + "/releasenotes.html")});
        buttonNamed(window, "button_download")->click();
        QVERIFY(!updaterWindow());
        QCOMPARE(opened_.urls.last(), QUrl(server_.baseUrl() + "/downloads/quillview/Quillview-0-2.zip"));

        // A trailing newline belongs to no address and no window text.
        server_.serve(200, "3.2\n");
        QVERIFY(check(true));
        window = updaterWindow();
        QVERIFY(window);
        QVERIFY(!window->findChild<QLabel*>("textField_GreetMessage")->text().contains('\n'));
        buttonNamed(window, "button_download")->click();
        QCOMPARE(opened_.urls.last().toString(QUrl::FullyEncoded),
                 server_.baseUrl() + "/downloads/quillview/Quillview-3-2.zip");

        // Later closes and opens nothing; a skipped version is not offered.
        QVERIFY(check(false));
        const qsizetype openedBefore = opened_.urls.size();
        buttonNamed(updaterWindow(), "button_later")->click();
        QVERIFY(!updaterWindow());
        QCOMPARE(opened_.urls.size(), openedBefore);
        SettingsStore::shared().setUpdaterLastSkip("3.2");
        QVERIFY(check(false));
        QVERIFY(nothingShown());
    }

    void darkWindowFollowsTheTheme() {
        SettingsStore::shared().setWindowTheme("NSAppearanceNameVibrantDark");
        server_.serve(200, "0.2");
        QVERIFY(check(false));
        QVERIFY(updaterWindow());
        QVERIFY(updaterWindow()->palette().color(QPalette::Window).lightness() < 100);
        screenshot(updaterWindow(), "updater_window_dark");
        server_.serve(200, "0.1");
        QVERIFY(check(true));
        screenshot(visibleWindow("VantrelUpdate_NOUPDATE"), "updater_noupdate_dark");
    }

    // A manual check always answers: the same version, a skipped one, an
    // error page and a server that is not there each get an alert.
    void manualCheckAlwaysAnswers() {
        server_.serve(200, "0.1");
        QVERIFY(check(true));
        QMessageBox* alert = visibleWindow<QMessageBox>("VantrelUpdate_NOUPDATE");
        QVERIFY(alert);
        QVERIFY(!updaterWindow());
        screenshot(alert, "updater_noupdate_light");
        alert->close();

        SettingsStore::shared().setUpdaterLastSkip("0.2");
        server_.serve(200, "0.2");
        QVERIFY(check(true));
        QVERIFY(visibleWindow("VantrelUpdate_NOUPDATE"));
        QVERIFY(!updaterWindow());
        visibleWindow("VantrelUpdate_NOUPDATE")->close();

        server_.serve(404, "404 Not Found");
        QVERIFY(check(true));
        QVERIFY(visibleWindow("VantrelUpdate_CONNECTION_FAILED"));
        QVERIFY(!updaterWindow());
        visibleWindow("VantrelUpdate_CONNECTION_FAILED")->close();

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        SettingsStore::shared().setUpdateServer(QString("http://127.0.0.1:%1/").arg(port));
        QVERIFY(check(false));
        QVERIFY(nothingShown());
        QVERIFY(check(true));
        alert = visibleWindow<QMessageBox>("VantrelUpdate_CONNECTION_FAILED");
        QVERIFY(alert);
        QVERIFY(alert->informativeText().contains("127.0.0.1"));
        screenshot(alert, "updater_failed_light");
    }

    // Help ▸ Check for Updates… in a document window runs a manual check.
    void helpMenuChecksByHand() {
        QTemporaryDir folder;
        qttestsupport::writeFile(folder.filePath("notes.md"), "# Notes\n");
        AppDelegate delegate;
        Document* document = documenttestsupport::openAndWait(delegate, folder.filePath("notes.md"));
        QVERIFY(document);
        auto* help = document->menuBar()->findChild<QMenu*>("menu_Help");
        QVERIFY(help);
        QAction* item = help->findChild<QAction*>("menuItem_CheckForUpdates");
        QVERIFY(item);
        QCOMPARE(item->text(), UpdateCheck::menuItemTitle());
        server_.serve(200, "0.3");
        item->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(updaterWindow(), kAnswerTimeout);
        screenshot(document, "document_window_light");
        document->close();
    }

    // With LANGUAGE=de the window, the alerts and the menu item are German.
    void germanInterface() {
        if (Language::interfaceLanguage() != "de") {
            if (qgetenv("LANGUAGE").startsWith("de"))
                QFAIL("LANGUAGE=de did not give the German interface");
            QSKIP("runs with LANGUAGE=de");
        }
        QCOMPARE(UpdateCheck::menuItemTitle(), QString("Nach Updates suchen …"));
        server_.serve(200, "0.2");
        QVERIFY(check(false));
        UpdaterWindow* window = updaterWindow();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Quillview-Updates"));
        QCOMPARE(buttonNamed(window, "button_download")->text(), QString("Herunterladen"));
        QVERIFY(window->findChild<QLabel*>("textField_GreetMessage")->text().startsWith("Version 0.2 ist verfügbar"));
        screenshot(window, "updater_window_light");
        SettingsStore::shared().setWindowTheme("NSAppearanceNameVibrantDark");
        window->showme();
        screenshot(window, "updater_window_dark");
        server_.serve(200, "0.1");
        QVERIFY(check(true));
        QMessageBox* alert = visibleWindow<QMessageBox>("VantrelUpdate_NOUPDATE");
        QVERIFY(alert);
        QCOMPARE(alert->text(), QString("Sie sind auf dem neuesten Stand"));
        QCOMPARE(alert->button(QMessageBox::Ok)->text(), QString("OK"));
        SettingsStore::shared().setUpdaterFirstStartDone(true);
        UpdateCheck::checkForUpdates(&owner_);
        QMessageBox* question = visibleWindow<QMessageBox>("VantrelUpdate_Question");
        QVERIFY(question);
        QCOMPARE(buttonNamed(question, "VantrelUpdate_NOTHANKS_BUTTON")->text(), QString("Nein, danke"));
        screenshot(question, "updater_question_light");
    }
};

int main(int argc, char** argv) {
    QTemporaryDir home;
    qttestsupport::prepareEnvironment(home);
    QCoreApplication::setApplicationName("Quillview");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    installTranslations(application);
    UpdaterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "UpdaterTest.moc"
