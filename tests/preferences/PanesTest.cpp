// The pane controllers on their own, the alerts they run, and the helpers
// below them: executable search, the interpreter's version question, the
// stored form of colours.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "AlertAnswers.h"
#include "QtTestSupport.h"
#include "platform/AlertHelper.h"
#include "platform/StoredValues.h"
#include "platform/SandboxAccess.h"
#include "preferences/ExecutableSearch.h"
#include "preferences/InterpreterVersion.h"
#include "preferences/MarkupInterpreter.h"
#include "preferences/Preferences_CriticMarkup.h"
#include "preferences/Preferences_MultiMarkdownExe.h"
#include "settings/SettingsStore.h"

using alertanswers::Answerer;
using alertanswers::Seen;

namespace {

void writeExecutable(const QString& path, const QByteArray& script) {
    qttestsupport::writeFile(path, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

class PanesTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    QString path(const QString& name) const { return scratch_.filePath(name); }

private slots:
    void initTestCase() { SettingsStore::shared().registerDefaults(); }

    void alertResultsFollowTheButtonOrder() {
        Seen seen;
        {
            Answerer answer(AlertHelper::SecondButton, &seen);
            QCOMPARE(AlertHelper::warningWithTitle("Title", "Message", "One", "Two"), 1001);
        }
        QCOMPARE(seen.title, QString("Title"));
        QCOMPARE(seen.message, QString("Message"));
        {
            Answerer answer(AlertHelper::ThirdButton, &seen);
            QCOMPARE(AlertHelper::criticlaWithTitle("T", "M", "One", "Two", "Three"), 1002);
        }
        {
            Answerer answer(AlertHelper::FirstButton, &seen);
            QCOMPARE(AlertHelper::informalWithTitle("Only", "OK"), 1000);
        }
        QCOMPARE(seen.count, 3);
    }

    void storedColoursSurviveTheSettingsFileAndOtherValuesDoNotPassAsColours() {
        const QString file = path("colours.conf");
        {
            QSettings settings(file, QSettings::IniFormat);
            settings.setValue("colour", StoredValues::toStored(QColor(0x12, 0x34, 0x56)));
            settings.setValue("url", StoredValues::toStored(QUrl::fromLocalFile("/srv/notes")));
        }
        QSettings reread(file, QSettings::IniFormat);
        QCOMPARE(StoredValues::colorFromStored(reread.value("colour")), std::optional(QColor(0x12, 0x34, 0x56)));
        QCOMPARE(StoredValues::urlFromStored(reread.value("url")),
                 std::optional(QUrl::fromLocalFile("/srv/notes")));
        QVERIFY(!StoredValues::colorFromStored(reread.value("url")));
        QVERIFY(!StoredValues::colorFromStored(QVariant("#ff0000 but text")));
        QVERIFY(!StoredValues::urlFromStored(QVariant()));

        QCOMPARE(StoredValues::mimeTypeForKey("string"), QString("text/plain"));
        QCOMPARE(StoredValues::mimeTypeForKey("filename"), QString("text/uri-list"));
        QTest::ignoreMessage(QtWarningMsg, "ERROR: pasteboardTypeForKey -- Key \"rtf\" wurde nicht erkannt");
        QVERIFY(StoredValues::mimeTypeForKey("rtf").isEmpty());
        // Grants resolve to nothing: there is nothing to start here.
        QVERIFY(SandboxAccess::startSandboxAccessWithData(
                    SandboxAccess::bookmarkDataForURL(QUrl::fromLocalFile(path("gone"))))
                    .isEmpty());
    }

    void searchSkipsLinksPackagesAndDepthBeyondFour() {
        const QString root = path("walk");
        QDir().mkpath(root + "/a");
        // A folder that links to itself, as /usr/bin/X11 does, and one to the root.
        QVERIFY(QFile::link(".", root + "/a/X11"));
        QVERIFY(QFile::link(root, root + "/a/up"));
        writeExecutable(root + "/Tools.app/multimarkdown", "#!/bin/sh\n");
        QCOMPARE(executablesearch::searchInPath(root, "multimarkdown"), QString());

        writeExecutable(root + "/a/b/c/d/multimarkdown", "#!/bin/sh\n");
        QCOMPARE(executablesearch::searchInPath(root, "multimarkdown"), root + "/a/b/c/d/multimarkdown");
        writeExecutable(root + "/deep/1/2/3/4/5/pandoc", "#!/bin/sh\n");
        QCOMPARE(executablesearch::searchInPath(root, "pandoc"), QString());
        // A folder with the name is no match.
        QDir().mkpath(root + "/z/tool");
        QCOMPARE(executablesearch::searchInPath(root, "tool"), QString());
        QCOMPARE(executablesearch::searchInPath(path("missing"), "tool"), QString());

        // Program folders come before any walk.
        writeExecutable(path("bin/multimarkdown"), "#!/bin/sh\n");
        QCOMPARE(executablesearch::findFile("multimarkdown", {path("nothing"), path("bin")}, {root}),
                 QFileInfo(path("bin/multimarkdown")).absoluteFilePath());
        QCOMPARE(executablesearch::findFile("multimarkdown", {path("nothing")}, {root}),
                 root + "/a/b/c/d/multimarkdown");
    }

    void versionQuestionClosesStandardInputAndHasALimit() {
        // cat reads standard input: closed, it ends at once with nothing.
        interpreterversion::Answer cat = interpreterversion::ask("/bin/cat");
        QVERIFY(cat.started);
        QVERIFY(!cat.timedOut);
        QVERIFY(cat.firstLine.isEmpty());

        writeExecutable(path("php"), "#!/bin/sh\necho '  PHP 8.2.7 (cli) (built: Jun  9 2023)  '\necho 'Copyright'\n");
        QCOMPARE(interpreterversion::ask(path("php")).firstLine, QString("PHP 8.2.7 (cli) (built: Jun  9 2023)"));

        writeExecutable(path("stuck"), "#!/bin/sh\nexec sleep 30\n");
        interpreterversion::Answer stuck = interpreterversion::ask(path("stuck"), 300);
        QVERIFY(stuck.timedOut);

        QVERIFY(!interpreterversion::ask(path("no-such-php")).started);
        QVERIFY(!interpreterversion::ask(scratch_.path()).started);
    }

    void interpreterChoiceIsOneOfFour() {
        SettingsStore& settings = SettingsStore::shared();
        settings.setUseBuiltInConverters(true);
        MarkupInterpreter pane;
        pane.setUp();
        auto* builtIn = pane.preferenceView()->findChild<QCheckBox*>("checkbox_useBuiltIn");
        auto* swift = pane.preferenceView()->findChild<QCheckBox*>("checkbox_useSwift");
        auto* custom = pane.preferenceView()->findChild<QCheckBox*>("checkbox_useCustomPHP");
        QVERIFY(builtIn->isChecked());
        QVERIFY(pane.preferenceView()->findChild<QCheckBox*>("checkbox_useStandard")->isHidden());
        QVERIFY(swift->isHidden());

        // Unticking the only ticked box ticks it again.
        builtIn->click();
        QVERIFY(builtIn->isChecked());
        QVERIFY(SettingsStore::shared().useBuiltInConverters());

        // Another box (even a hidden one) clears the others, in the boxes and
        // in the settings.
        swift->click();
        QVERIFY(swift->isChecked() && !builtIn->isChecked());
        QVERIFY(SettingsStore::shared().useSwift() && !SettingsStore::shared().useBuiltInConverters());
        builtIn->click();
        QVERIFY(!SettingsStore::shared().useSwift() && SettingsStore::shared().useBuiltInConverters());

        // The custom interpreter without a working interpreter: refused with
        // an alert, the choice before stays.
        Seen seen;
        {
            Answerer answer(AlertHelper::FirstButton, &seen);
            custom->click();
        }
        QCOMPARE(seen.title, QString("NO_VALID_PHP_SELECTED_TITLE"));
        QVERIFY(!custom->isChecked() && builtIn->isChecked());
        QVERIFY(!SettingsStore::shared().useCustomPhp() && SettingsStore::shared().useBuiltInConverters());
    }

    void choosingAnInterpreterStoresWhatRunsAndWarnsWhenItIsSilent() {
        SettingsStore& settings = SettingsStore::shared();
        settings.reset(SettingsStore::Setting::customPhpPath);
        settings.setUseBuiltInConverters(true);
        MarkupInterpreter pane;
        pane.setUp();
        auto* message = pane.preferenceView()->findChild<QLabel*>("textfield_customPHPMessage");
        auto* shown = pane.preferenceView()->findChild<QLineEdit*>("pathToPHPBinary");

        // A file that cannot run: three-button alert, nothing stored.
        Seen seen;
        {
            Answerer answer(AlertHelper::ThirdButton, &seen);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not start.*"));
            QTest::ignoreMessage(QtWarningMsg, qPrintable("EXCEPTION NSTASK: " + path("missing-php")));
            pane.choosePHPBinary(path("missing-php"));
        }
        QCOMPARE(seen.title, QString("PHP_INT_FAIL_TITLE"));
        QVERIFY(!settings.hasValue(SettingsStore::Setting::customPhpPath));

        // cat says nothing: stored all the same, with a warning.
        {
            Answerer answer(AlertHelper::FirstButton, &seen);
            pane.choosePHPBinary("/bin/cat");
        }
        QCOMPARE(seen.title, QString("Can't communicate with file"));
        QCOMPARE(message->text(), QString("Can't communicate with PHP Binary"));
        QCOMPARE(settings.customPhpPath(), QString("/bin/cat"));

        // A real answer: its first line shows, and the box may be ticked.
        writeExecutable(path("php-8"), "#!/bin/sh\necho 'PHP 8.2.7 (cli)'\n");
        const int alertsBefore = seen.count;
        {
            Answerer answer(AlertHelper::FirstButton, &seen);
            pane.choosePHPBinary(path("php-8"));
            pane.preferenceView()->findChild<QCheckBox*>("checkbox_useCustomPHP")->click();
        }
        QCOMPARE(seen.count, alertsBefore);
        QCOMPARE(message->text(), QString("PHP 8.2.7 (cli)"));
        QCOMPARE(shown->text(), path("php-8"));
        QVERIFY(SettingsStore::shared().useCustomPhp());
        QVERIFY(!SettingsStore::shared().useBuiltInConverters() && !SettingsStore::shared().useSwift());
        settings.setUseCustomPhp(false);
        settings.setUseBuiltInConverters(true);
    }

    void multiMarkdownButtonSearchesThenResets() {
        SettingsStore& settings = SettingsStore::shared();
        settings.reset(SettingsStore::Setting::multiMarkdownProgram);
        writeExecutable(path("mmd-bin/multimarkdown"), "#!/bin/sh\n");
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(path("mmd-bin")) + ":" + oldPath);

        Preferences_MultiMarkdownExe pane;
        pane.setUp();
        auto* button = pane.preferenceView()->findChild<QPushButton*>("button_MMD_Check");
        auto* message = pane.preferenceView()->findChild<QLabel*>("textfield_MMD_message");
        QCOMPARE(button->text(), QString("MMD_LABEL_CHECK"));
        QCOMPARE(message->text(), QString("MMD_USE_PERL_VERSION_MESSAGE"));

        button->click();
        QCOMPARE(settings.multiMarkdownProgram(), path("mmd-bin/multimarkdown"));
        QCOMPARE(button->text(), QString("MMD_LABEL_RESET"));
        QCOMPARE(message->text(), path("mmd-bin/multimarkdown"));

        // Reset: the empty string, not an absent value.
        button->click();
        QVERIFY(settings.hasValue(SettingsStore::Setting::multiMarkdownProgram));
        QCOMPARE(settings.multiMarkdownProgram(), QString());

        // Found but not executable.
        QFile::setPermissions(path("mmd-bin/multimarkdown"), QFile::ReadOwner | QFile::WriteOwner);
        button->click();
        QCOMPARE(message->text(), QString("MMD_CANNOT_EXECUTE"));
        QCOMPARE(settings.multiMarkdownProgram(), QString());
        qputenv("PATH", oldPath);
    }

    void criticMarkupDefaultsAreWrittenOnlyWhileNoStyleIsSet() {
        SettingsStore& settings = SettingsStore::shared();
        const SettingsStore::Setting styles[] = {SettingsStore::Setting::criticHighlightStyle, SettingsStore::Setting::criticAddStyle,
                                SettingsStore::Setting::criticCommentStyle, SettingsStore::Setting::criticRemoveStyle};
        for (SettingsStore::Setting key : styles)
            settings.reset(key);
        {
            Preferences_CriticMarkup pane;
            pane.setUp();
        }
        QCOMPARE(settings.criticAddStyle(),
                 QString("background-color:yellow;border: 1px dashed red;padding: 0px 6px 0px 6px;color: black;"));
        QCOMPARE(settings.criticHighlightStyle(),
                 QString("background-color: #c7f1fb;font-weight: bold;color: black;"));

        // The user's edit survives the next opening; reset brings all back.
        settings.reset(SettingsStore::Setting::criticRemoveStyle);
        Preferences_CriticMarkup pane;
        auto* add = pane.preferenceView()->findChild<QLineEdit*>("textfield_AddStyle");
        add->setText("color: green;");
        emit add->editingFinished();
        pane.setUp();
        QCOMPARE(settings.criticAddStyle(), QString("color: green;"));
        QVERIFY(!settings.hasValue(SettingsStore::Setting::criticRemoveStyle));
        pane.preferenceView()->findChild<QPushButton*>("button_ResetStyles")->click();
        QVERIFY(settings.criticAddStyle().startsWith("background-color:yellow"));
        QVERIFY(settings.criticRemoveStyle().startsWith("background-color:red"));
        QCOMPARE(add->text(), settings.criticAddStyle());
    }
};

QUILL_QTEST_MAIN(PanesTest, QApplication)
#include "PanesTest.moc"
