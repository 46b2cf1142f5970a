// The parts of a preview below the window: page template, reading text,
// base URL rules, the file watcher and the view-setting actions.
#include <QCoreApplication>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThreadPool>
#include <cstdio>

#include "QtTestSupport.h"
#include "pipeline/BaseURL.h"
#include "window/FileWatcher.h"
#include "pipeline/PageTemplate.h"
#include "pipeline/PreviewRequestPolicy.h"
#include "pipeline/FolderPermissions.h"
#include "window/SharedConversions.h"
#include "pipeline/TextReading.h"
#include "window/ViewSettings.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"

using qttestsupport::writeFile;

class PreviewPageTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QString path(const QString& name) const { return folder.filePath(name); }

private slots:
    void initTestCase() { SettingsStore::shared().registerDefaults(); }

    void cleanup() {
        for (SettingsStore::Setting key : {SettingsStore::Setting::fontSize, SettingsStore::Setting::selectedCssStyle, SettingsStore::Setting::baseUrlOption, SettingsStore::Setting::baseUrlWebAddress,
                                SettingsStore::Setting::baseUrlFolder, SettingsStore::Setting::windowTheme, SettingsStore::Setting::showTitlebar})
            SettingsStore::shared().reset(key);
    }

    // ------------------------------------------------------------ template

    void thePageIsTheFixedTemplate() {
        QCOMPARE(pagetemplate::pageWithFragment("<p>x</p>", "body{color:red}", 130),
                 QString("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />"
                         "<style type=\"text/css\"><!-- img{max-width:100%; height:auto;}  body{color:red}--></style>"
                         "</head><body style=\"font-size:130%\"><p>x</p></body></html>"));
        // Percent signs and argument markers in style or text stay as written.
        const QString page = pagetemplate::pageWithFragment("<p>100% %1 %@</p>", "/* %2 */", -10);
        QVERIFY(page.contains("<p>100% %1 %@</p>"));
        QVERIFY(page.contains("/* %2 */"));
        QVERIFY(page.contains("font-size:-10%"));
    }

    void theStyleComesFromTheStylesFolder() {
        const QString styles = AppSupportFilePaths::appSupportFilePath() + "/CSSStyles/";
        writeFile(styles + "Mine.css", "h1 { color: teal; }");
        SettingsStore::shared().setSelectedCssStyle("Mine");
        SettingsStore::shared().setFontSize(120);
        QCOMPARE(pagetemplate::returnCSSStyleString(), QString("h1 { color: teal; }"));
        QVERIFY(pagetemplate::pageWithFragment("").contains("  h1 { color: teal; }--></style>"));
        QVERIFY(pagetemplate::pageWithFragment("").contains("font-size:120%"));
        // A style whose file is gone contributes no rules.
        SettingsStore::shared().setSelectedCssStyle("Deleted");
        QVERIFY(pagetemplate::returnCSSStyleString().isNull());
        QVERIFY(pagetemplate::pageWithFragment("").contains("height:auto;}  --></style>"));
    }

    // ------------------------------------------------------- page policy

    void localFilesLoadOnlyFromTheAllowedFolders() {
        using Type = QWebEngineUrlRequestInfo::ResourceType;
        writeFile(path("docs/pic.png"), "png");
        writeFile(path("docs/deep/er/pic.png"), "png");
        writeFile(path("docs-old/pic.png"), "png");
        writeFile(path("private/key"), "secret");
        QVERIFY(QFile::link(path("private/key"), path("docs/key-link")));
        PreviewRequestPolicy policy;
        policy.setAllowedFolders({path("docs"), path("missing-folder")});
        auto file = [&](const QString& name) { return QUrl::fromLocalFile(path(name)); };
        QVERIFY(policy.allows(file("docs/pic.png"), Type::ResourceTypeImage));
        QVERIFY(policy.allows(file("docs/deep/er/pic.png"), Type::ResourceTypeXhr));
        // A folder whose name merely starts like the allowed one, a way up
        // with "..", a symbolic link leading out, another host.
        QVERIFY(!policy.allows(file("docs-old/pic.png"), Type::ResourceTypeImage));
        QVERIFY(!policy.allows(QUrl("file://" + path("docs") + "/../private/key"), Type::ResourceTypeImage));
        QVERIFY(!policy.allows(file("docs/key-link"), Type::ResourceTypeSubFrame));
        QVERIFY(!policy.allows(file("private/key"), Type::ResourceTypeXhr));
        QVERIFY(!policy.allows(QUrl("file://server" + path("docs/pic.png")), Type::ResourceTypeImage));
        QVERIFY(!policy.allows(file("docs/not-there.png"), Type::ResourceTypeImage));
        QVERIFY(!policy.allows(file("private/key"), Type::ResourceTypeXhr));
        QVERIFY(policy.allows(file("docs/pic.png"), Type::ResourceTypeXhr));
    }

    // Not even a badge, unless the reader allowed the pictures: a remote
    // load tells its server the document was opened. Then pictures only,
    // and none while the document's scripts run.
    void theNetworkIsReachedByAllowedPicturesOnly() {
        using Type = QWebEngineUrlRequestInfo::ResourceType;
        PreviewRequestPolicy policy;
        const QList<Type> types{Type::ResourceTypeImage, Type::ResourceTypeStylesheet, Type::ResourceTypeFontResource,
                                Type::ResourceTypeXhr,   Type::ResourceTypeScript,     Type::ResourceTypeSubFrame,
                                Type::ResourceTypePing,  Type::ResourceTypeFavicon,    Type::ResourceTypeUnknown};
        const QStringList pictures{"https://img.example.org/badge.svg", "http://img.example.org/badge.svg"};
        const QStringList others{"wss://example.org/socket", "ftp://example.org/x.png",
                                 "http://pictures.quillview/made-up-relay-address"};
        for (const bool allowed : {false, true})
            for (const bool scripts : {false, true}) {
                policy.setRemotePicturesAllowed(allowed);
                policy.setDocumentScriptsRun(scripts);
                for (const QString& address : pictures + others)
                    for (Type type : types)
                        QCOMPARE(policy.allows(QUrl(address), type),
                                 allowed && !scripts && type == Type::ResourceTypeImage && pictures.contains(address));
            }
        QVERIFY(policy.allows(QUrl("data:image/png;base64,AAAA"), Type::ResourceTypeImage));
    }

    void scriptsAreAllowedPerFolderAndRemembered() {
        using namespace folderpermissions;
        QVERIFY(!areScriptsAllowedInFolder(path("site")));
        allowScriptsInFolder(path("site") + "/");
        allowScriptsInFolder(path("site"));
        QVERIFY(areScriptsAllowedInFolder(path("site")));
        QVERIFY(areScriptsAllowedInFolder(path("site/../site")));
        QVERIFY(!areScriptsAllowedInFolder(path("site/sub")));
        QVERIFY(!areScriptsAllowedInFolder(path("")));
        QVERIFY(!areScriptsAllowedInFolder(QString()));
        SettingsStore::shared().sync();
        QCOMPARE(SettingsStore::shared().scriptsAllowedFolders(),
                 QStringList{QDir::cleanPath(path("site"))});
        // Pictures are a choice of their own.
        QVERIFY(!areRemotePicturesAllowedInFolder(path("site")));
        allowRemotePicturesInFolder(path("pictures"));
        QVERIFY(areRemotePicturesAllowedInFolder(path("pictures")));
        QVERIFY(!areScriptsAllowedInFolder(path("pictures")));
        SettingsStore::shared().reset(SettingsStore::Setting::scriptsAllowedFolders);
        SettingsStore::shared().reset(SettingsStore::Setting::remotePicturesAllowedFolders);
    }

    // ------------------------------------------------------------- reading

    void textIsReadInItsEncoding() {
        using textreading::decodeText;
        QCOMPARE(decodeText("plain ascii").value(), QString("plain ascii"));
        QCOMPARE(decodeText("Gr\xc3\xbc\xc3\x9f" "e").value(), QString::fromUtf8("Grüße"));
        // Windows-1252 bytes are no UTF-8: the fallback list ends at Latin 1.
        QCOMPARE(decodeText("Caf\xe9 \xe0 la carte").value(), QString::fromUtf8("Café à la carte"));
        // A Latin-1 letter at the very end looks like a cut-off UTF-8 sequence.
        QCOMPARE(decodeText("Caf\xe9").value(), QString::fromUtf8("Café"));
        QCOMPARE(decodeText(QByteArray("\xff\xfeH\0i\0", 6)).value(), QString("Hi"));
        QCOMPARE(decodeText(QByteArray("\xef\xbb\xbfmit BOM")).value(), QString("mit BOM"));
        QVERIFY(decodeText("").value().isEmpty());
        QVERIFY(!textreading::readTextFromFile(path("missing.md")));
    }

    void binaryFilesAreToldFromText() {
        using textreading::checkTextFile;
        using textreading::TextFileProblem;
        writeFile(path("notes.md"), "# Notes\n");
        writeFile(path("utf16.md"), QByteArray("\xff\xfe#\0 \0N\0o\0", 10));
        writeFile(path("image.md"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        writeFile(path("late.md"), QByteArray(70 * 1024, 'x') + QByteArray(4, '\0'));
        QCOMPARE(checkTextFile(path("notes.md"), 1000), TextFileProblem::None);
        QCOMPARE(checkTextFile(path("utf16.md"), 1000), TextFileProblem::None);
        QCOMPARE(checkTextFile(path("image.md"), 1000), TextFileProblem::Binary);
        QCOMPARE(checkTextFile(path("notes.md"), 7), TextFileProblem::TooLarge);
        QCOMPARE(checkTextFile(path("gone.md"), 1000), TextFileProblem::Missing);
        // Only the start is looked at: a stray NUL deep in a text is read.
        QCOMPARE(checkTextFile(path("late.md"), 1 << 20), TextFileProblem::None);
        QVERIFY(!textreading::looksBinary(""));
        QVERIFY(textreading::looksBinary(QByteArray("\xef\xbb\xbf" "A\0B", 6)));  // UTF-8 text holds no NUL
    }

    void fallbackNumbersMapToRealConverters() {
        for (int number = 1; number <= 30; ++number)
            if (auto name = textreading::converterNameForEncodingNumber(number))
                QVERIFY2(textreading::decodeStrictly("abcd", *name).has_value(), *name);
        QVERIFY(!textreading::converterNameForEncodingNumber(2));
        QVERIFY(!textreading::converterNameForEncodingNumber(31));
        QVERIFY(!textreading::decodeStrictly("\xe9", "US-ASCII"));
    }

    // ------------------------------------------------------------ base URL

    // A save while a conversion runs: each window lets go of the older one.
    // It runs on while another window still waits for it, and stops as soon
    // as none does.
    void aConversionNoOneWaitsForIsStopped() {
        QByteArray text;
        for (int i = 0; i < 20000; ++i)
            text += "Some *text* with [a link](https://example.org/" + QByteArray::number(i) + ").\n\n";
        writeFile(path("shared.md"), text);
        documentpipeline::Request request;
        request.path = path("shared.md");
        sharedconversions::Conversion first = sharedconversions::conversionFor(request);
        sharedconversions::Conversion second = sharedconversions::conversionFor(request);
        first.interest.reset();
        QVERIFY(second.future.result().problem == documentpipeline::Problem::None);
        QVERIFY(second.future.result().fragment.contains("<em>text</em>"));
        // A result is there a moment before its conversion counts as
        // finished; until then a new asker would share it.
        second.future.waitForFinished();

        // Every pool thread is held until the window has let go, so a busy
        // machine cannot let the conversion finish first.
        QThreadPool& pool = *QThreadPool::globalInstance();
        // Shared: a holder may start only after this test has returned.
        auto released = std::make_shared<QSemaphore>();
        for (int i = 0; i < pool.maxThreadCount(); ++i)
            pool.start([released] { released->acquire(); });
        sharedconversions::Conversion abandoned = sharedconversions::conversionFor(request);
        abandoned.interest.reset();
        released->release(pool.maxThreadCount());
        QCOMPARE(int(abandoned.future.result().problem), int(documentpipeline::Problem::TookTooLong));
        QVERIFY(abandoned.future.result().fragment.isEmpty());
    }

    void baseURLFollowsTheOption() {
        SettingsStore& settings = SettingsStore::shared();
        writeFile(path("a/notes.md"), "x");
        const QString file = path("a/notes.md");
        QCOMPARE(baseurl::baseURLForFile(file), QUrl::fromLocalFile(path("a") + "/"));   // default 2
        QDir().mkpath(path("a/notes"));
        QCOMPARE(baseurl::baseURLForFile(file), QUrl::fromLocalFile(path("a/notes") + "/"));
        settings.setBaseUrlOption(1);
        QVERIFY(baseurl::baseURLForFile(file).isEmpty());
        settings.setBaseUrlOption(7);
        QVERIFY(baseurl::baseURLForFile(file).isEmpty());
        settings.setBaseUrlOption(3);
        settings.setBaseUrlFolder(QUrl::fromLocalFile("/srv/images"));
        QCOMPARE(baseurl::baseURLForFile(file), QUrl("file:///srv/images/"));
        settings.setBaseUrlOption(4);
        settings.setBaseUrlWebAddress("https://example.org/docs/");
        QCOMPARE(baseurl::baseURLForFile(file), QUrl("https://example.org/docs/"));
    }

    // ------------------------------------------------------------- watcher

    void aBurstOfWritesIsReportedOnce() {
        writeFile(path("w/doc.md"), "0");
        FileWatcher watcher(path("w"), FileWatcher::Mode::Folder);
        QVERIFY(watcher.start());
        QSignalSpy changed(&watcher, &FileWatcher::changed);
        for (int i = 0; i < 5; ++i) {
            writeFile(path("w/doc.md"), QByteArray::number(i));
            QTest::qWait(40);
        }
        QVERIFY(changed.wait(2000));
        QTest::qWait(800);
        QCOMPARE(changed.count(), 1);
        // Nothing happens while nothing changes.
        QTest::qWait(700);
        QCOMPARE(changed.count(), 1);
    }

    void folderModeSeesSubfoldersAndNewFolders() {
        writeFile(path("f/sub/deeper/img.txt"), "0");
        FileWatcher watcher(path("f"), FileWatcher::Mode::Folder);
        QVERIFY(watcher.start());
        QSignalSpy changed(&watcher, &FileWatcher::changed);
        writeFile(path("f/sub/deeper/img.txt"), "1");
        QVERIFY(changed.wait(2000));
        QDir().mkpath(path("f/fresh"));
        QVERIFY(changed.wait(2000));
        writeFile(path("f/fresh/new.txt"), "2");
        QVERIFY(changed.wait(2000));
    }

    void singleFileModeIgnoresItsNeighbours() {
        writeFile(path("s/report.textpack"), "zip");
        writeFile(path("s/other.txt"), "o");
        FileWatcher watcher(path("s/report.textpack"), FileWatcher::Mode::SingleFile);
        QVERIFY(watcher.start());
        QSignalSpy changed(&watcher, &FileWatcher::changed);
        writeFile(path("s/other.txt"), "changed");
        QVERIFY(!changed.wait(900));
        // Rename over the file: the usual atomic save.
        writeFile(path("s/.report.tmp"), "new zip");
        QVERIFY(std::rename(QFile::encodeName(path("s/.report.tmp")).constData(),
                            QFile::encodeName(path("s/report.textpack")).constData()) == 0);
        QVERIFY(changed.wait(2000));
    }

    void aHugeTreeStaysWithinTheBound() {
        for (int i = 0; i < 60; ++i)
            for (int j = 0; j < 4; ++j)
                QDir().mkpath(path(QString("huge/d%1/e%2/f/g/h").arg(i).arg(j)));
        FileWatcher watcher(path("huge"), FileWatcher::Mode::Folder);
        QVERIFY(watcher.start());
        QVERIFY(watcher.watchedFolderCount() <= FileWatcher::kMaximumFolders);
        QSignalSpy changed(&watcher, &FileWatcher::changed);
        writeFile(path("huge/top.md"), "still seen");
        QVERIFY(changed.wait(2000));
    }

    void aRemovedFolderIsFollowedWhenItReturns() {
        writeFile(path("gone/doc.md"), "a");
        FileWatcher watcher(path("gone"), FileWatcher::Mode::Folder);
        QVERIFY(watcher.start());
        QSignalSpy changed(&watcher, &FileWatcher::changed);
        QDir(path("gone")).removeRecursively();
        QVERIFY(changed.wait(2000));
        QTest::qWait(600);
        writeFile(path("gone/doc.md"), "back");
        QVERIFY(QTest::qWaitFor([&] { return changed.count() >= 2; }, 4000));
        const int seen = changed.count();
        QTest::qWait(700);
        writeFile(path("gone/doc.md"), "edited after return");
        QVERIFY(QTest::qWaitFor([&] { return changed.count() > seen; }, 3000));
    }

    // ------------------------------------------------------- view settings

    void fontSizeActionsStepByTenWithoutBound() {
        for (int i = 0; i < 3; ++i)
            viewsettings::makeFontBigger();
        QCOMPARE(SettingsStore::shared().fontSize(), 130);
        viewsettings::makeFontNormalSize();
        QCOMPARE(SettingsStore::shared().fontSize(), 100);
        for (int i = 0; i < 10; ++i)
            viewsettings::changeFontSizeAction(0);
        QCOMPARE(SettingsStore::shared().fontSize(), 0);
        viewsettings::changeFontSizeAction(3);
        QCOMPARE(SettingsStore::shared().fontSize(), 0);
    }

    void themeAndTitleTogglesFlipAndNotify() {
        using S = SettingsStore::Setting;
        QList<S> changed;
        QObject observer;
        connect(&SettingsStore::shared(), &SettingsStore::changed, &observer, [&](S setting) { changed << setting; });
        viewsettings::toggleLightDarkFromMenu();
        QCOMPARE(SettingsStore::shared().windowTheme(), QString("NSAppearanceNameVibrantDark"));
        viewsettings::toggleLightDarkFromMenu();
        QCOMPARE(SettingsStore::shared().windowTheme(), QString("NSAppearanceNameVibrantLight"));
        viewsettings::toggleTitlebarFromMenu();
        QCOMPARE(SettingsStore::shared().showTitlebar(), false);
        QCOMPARE(changed, QList<S>({S::windowTheme, S::windowTheme, S::showTitlebar}));
    }
};

QUILL_QTEST_MAIN(PreviewPageTest, QCoreApplication)
#include "PreviewPageTest.moc"
