// The preferences window inside the application: its panes, the style files
// and the CSS menu, the source view of open windows, save folders and the
// markup settings.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>

#include "AlertAnswers.h"
#include "DocumentTestSupport.h"
#include "preferences/ColorWell.h"
#include "preferences/PreferencesController.h"
#include "settings/CSSStyles.h"
#include "settings/SettingsStore.h"

using alertanswers::Answerer;
using alertanswers::Seen;
using documenttestsupport::openAndWait;
using qttestsupport::writeFile;

namespace {

QStringList builtInFileNames() {
    QStringList names;
    for (const QString& name : CSSStyles::availableStylesNames())
        names << name + ".css";
    return names;
}

QStringList menuTitles(QMenu* menu) {
    QStringList titles;
    for (QAction* item : menu->actions())
        titles << item->text();
    return titles;
}

void selectRow(QListWidget* table, const QString& text) {
    const QList<QListWidgetItem*> items = table->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    table->setCurrentItem(items.first());
}

}  // namespace

class PreferencesWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    AppDelegate* delegate_ = nullptr;
    Document* document_ = nullptr;

    QString path(const QString& name) const { return scratch_.filePath(name); }
    PreferencesController* preferences() {
        delegate_->showPreferenceController();
        return delegate_->preferenceController();
    }
    QMenu* cssMenu() const { return document_->menuBar()->findChild<QMenu*>("menu_CSS"); }

private slots:
    void initTestCase() {
        delegate_ = new AppDelegate;
        writeFile(path("notes.md"), "# Notes\n\nSome *text*.\n");
        document_ = openAndWait(*delegate_, path("notes.md"));
        QVERIFY(document_);
    }

    // With QUILL_SCREENSHOT_DIR set: every pane, light and dark, in the
    // language of QUILL_SCREENSHOT_LANG (en when unset).
    void screenshotsOfEveryPane() {
        if (qEnvironmentVariableIsEmpty("QUILL_SCREENSHOT_DIR"))
            QSKIP("no screenshot folder");
        const QString language = qEnvironmentVariable("QUILL_SCREENSHOT_LANG", "en");
        QTranslator translator;
        QVERIFY(translator.load(QString(":/translations/quillview_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
        delete delegate_->preferenceController();
        PreferencesController* window = preferences();
        for (const char* theme : {"NSAppearanceNameVibrantLight", "NSAppearanceNameVibrantDark"}) {
            SettingsStore::shared().setWindowTheme(theme);
            for (int tag = 1; tag <= 7; ++tag) {
                window->selectedPrefPane(tag);
                documenttestsupport::saveScreenshot(
                    window, QString("prefs-%1-%2-%3").arg(language).arg(tag).arg(QString(theme).mid(23)));
            }
        }
        SettingsStore::shared().setWindowTheme("NSAppearanceNameVibrantLight");
        QCoreApplication::removeTranslator(&translator);
        delete delegate_->preferenceController();
    }

    void cleanupTestCase() {
        delete delegate_;
    }

    void editMenuOpensThePreferencesOnTheFoldersPane() {
        QAction* item = document_->menuBar()->findChild<QAction*>("menuItem_Preferences");
        QVERIFY(item);
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
        item->trigger();
        PreferencesController* window = delegate_->preferenceController();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->selectedTag(), 1);
        QCOMPARE(window->windowTitle(), QString("PREFERENCES_SAVEFOLDERS"));

        window->selectedPrefPane(7);
        QCOMPARE(window->windowTitle(), QString("PREFERENCES_MARKUPINTERPRETER_TITLE"));
        window->selectedPrefPane(8);
        QCOMPARE(window->selectedTag(), 7);
        // Kept for the run: the menu brings back the same window.
        item->trigger();
        QCOMPARE(delegate_->preferenceController(), window);
    }

    void addedStylesGetNumberedNamesAndReachTheMenu() {
        writeFile(path("pick/Night.css"), "body { background: black; }");
        writeFile(path("pick/Night.txt"), "not a style");
        writeFile(path("other/Night.css"), "body { background: navy; }");
        PreferencesController* window = preferences();
        window->cssFile_AddFiles({path("pick/Night.css"), path("pick/Night.txt")});
        window->cssFile_AddFiles({path("other/Night.css")});
        QVERIFY(window->array_CSSFiles.contains("Night.css"));
        QVERIFY(window->array_CSSFiles.contains("Night_(1).css"));
        QVERIFY(!window->array_CSSFiles.contains("Night.txt"));
        QFile second(CSSStyles::stylesFolderPath() + "Night_(1).css");
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), QByteArray("body { background: navy; }"));
        const QStringList menu = menuTitles(cssMenu());
        QVERIFY(menu.contains("Night") && menu.contains("Night_(1)"));
        QCOMPARE(window->findChild<QListWidget*>("tableview_cssFiles")->count(), window->array_CSSFiles.size());

        // A third copy, and an upper-case extension that the list would not show.
        writeFile(path("upper/NIGHT.CSS"), "p {}");
        window->cssFile_AddFiles({path("pick/Night.css"), path("upper/NIGHT.CSS")});
        QVERIFY(window->array_CSSFiles.contains("Night_(2).css"));
        QVERIFY(window->array_CSSFiles.contains("NIGHT.css"));
    }

    void removingAStyleAsksFirst() {
        PreferencesController* window = preferences();
        window->cssFile_AddFiles({path("pick/Night.css")});
        auto* table = window->findChild<QListWidget*>("tableview_cssFiles");
        selectRow(table, "Night.css");
        Seen seen;
        {
            Answerer answer(1001, &seen);
            window->cssFile_Remove();
        }
        QCOMPARE(seen.count, 1);
        QVERIFY(window->array_CSSFiles.contains("Night.css"));
        selectRow(table, "Night.css");
        {
            Answerer answer(1000, &seen);
            window->cssFile_Remove();
        }
        QVERIFY(!window->array_CSSFiles.contains("Night.css"));
        QVERIFY(!QFile::exists(CSSStyles::stylesFolderPath() + "Night.css"));
        QVERIFY(!menuTitles(cssMenu()).contains("Night"));
        // Nothing selected: nothing asked, nothing removed.
        table->clearSelection();
        const QStringList before = window->array_CSSFiles;
        window->cssFile_Remove();
        QCOMPARE(window->array_CSSFiles, before);
    }

    void resetLeavesExactlyTheEightStyles() {
        PreferencesController* window = preferences();
        window->cssFile_AddFiles({path("pick/Night.css")});
        writeFile(CSSStyles::stylesFolderPath() + "sub/inner.css", "p {}");
        Seen seen;
        {
            Answerer answer(1001, &seen);
            window->cssFile_Reset();
        }
        QVERIFY(window->array_CSSFiles.contains("Night.css"));
        {
            Answerer answer(1000, &seen);
            window->cssFile_Reset();
        }
        QCOMPARE(window->array_CSSFiles, builtInFileNames());
        QCOMPARE(QDir(CSSStyles::stylesFolderPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 builtInFileNames());
        QCOMPARE(menuTitles(cssMenu()), CSSStyles::availableStylesNames());
    }

    void sourceAppearanceReachesOpenWindows() {
        PreferencesController* window = preferences();
        window->selectedPrefPane(6);
        auto* sizes = window->findChild<QComboBox*>("popup_fontSize");
        QCOMPARE(sizes->count(), 22);
        const int index = sizes->findText("24");
        sizes->setCurrentIndex(index);
        emit sizes->activated(index);
        QCOMPARE(SettingsStore::shared().sourceFontSize(), QString("24"));
        QCOMPARE(document_->sourceView()->font().pointSize(), 24);

        auto* background = window->findChild<ColorWell*>("colorWell_background");
        background->setColor(QColor(0x20, 0x30, 0x40));
        emit background->colorChanged(background->color());
        QCOMPARE(document_->sourceView()->palette().color(QPalette::Base), QColor(0x20, 0x30, 0x40));

        // A second window opened later starts with the same appearance.
        writeFile(path("later.md"), "later");
        Document* later = openAndWait(*delegate_, path("later.md"));
        QVERIFY(later);
        QCOMPARE(later->sourceView()->font().pointSize(), 24);
        later->close();
    }

    void saveFoldersAreAddedRemovedAndReloadedOnNotice() {
        PreferencesController* window = preferences();
        QDir().mkpath(path("granted"));
        window->saveFolder_AddFolder(path("granted"));
        const QVariantMap grants = SettingsStore::shared().sandboxPaths();
        QVERIFY(grants.contains(path("granted")));
        auto* table = window->findChild<QListWidget*>("tableview_saveFolders");
        QCOMPARE(window->array_SaveFolder, QStringList{path("granted")});

        // A grant stored elsewhere shows at once.
        QVariantMap more = grants;
        more.insert("/srv/shared", QByteArray("file:///srv/shared"));
        SettingsStore::shared().setSandboxPaths(more);
        QCOMPARE(table->count(), 2);

        selectRow(table, path("granted"));
        window->saveFolder_Remove();
        QCOMPARE(SettingsStore::shared().sandboxPaths().keys(), QStringList{"/srv/shared"});
        window->saveFolder_Remove();  // nothing selected any more
        QCOMPARE(table->count(), 1);
    }

    void markupSettingsWriteTheirKeysAndRenderAgain() {
        PreferencesController* window = preferences();
        auto* critic = window->findChild<QCheckBox*>("checkbox_UseCriticsMarkup");
        QVERIFY(!critic->isChecked());
        QVERIFY(window->findChild<QCheckBox*>("checkbox_UseSwiftMarkup")->isHidden());

        writeFile(path("review.md"), "keep {--this--} text");
        Document* review = openAndWait(*delegate_, path("review.md"));
        QVERIFY(review);
        const int loads = review->preview()->completedLoads();
        critic->click();
        QVERIFY(SettingsStore::shared().useCriticMarkup());
        QVERIFY(documenttestsupport::waitForLoads(review, loads + 1));
        QVERIFY(documenttestsupport::evaluate(review, "document.body.innerHTML").toString().contains("line-through"));
        critic->click();
        QVERIFY(!SettingsStore::shared().useCriticMarkup());
        review->close();

        auto* textile = window->findChild<QLineEdit*>("textfield_TextileExtension");
        QCOMPARE(textile->text(), QString("tex textile"));
        textile->setText("textile txl");
        emit textile->editingFinished();
        QCOMPARE(SettingsStore::shared().textileExtension(), QString("textile txl"));

        auto* flavour = window->findChild<QComboBox*>("popup_MarkdownFlavour");
        QCOMPARE(flavour->currentData().toString(), QString("markdownextra"));
        QCOMPARE(flavour->count(), 4);
        flavour->setCurrentIndex(flavour->findData("gfm"));
        emit flavour->activated(flavour->currentIndex());
        QCOMPARE(SettingsStore::shared().markdownFlavour(), QString("gfm"));
        SettingsStore::shared().reset(SettingsStore::Setting::markdownFlavour);

        // Seconds in the pane, milliseconds in the setting.
        auto* timeLimit = window->findChild<QSpinBox*>("spinner_ConversionTimeLimit");
        QCOMPARE(timeLimit->value(), 10);
        timeLimit->setValue(3);
        QCOMPARE(SettingsStore::shared().conversionTimeLimit(), 3000);
        SettingsStore::shared().reset(SettingsStore::Setting::conversionTimeLimit);
    }
};

QUILL_QTEST_MAIN(PreferencesWindowTest, QApplication)
#include "PreferencesWindowTest.moc"
