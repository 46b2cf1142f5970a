// The reader's tools in a real window: find, outline, statistics, recent
// files, printing, and handing files to a running instance.
#include <QApplication>
#include <QtConcurrent>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "DocumentTestSupport.h"
#include "QtTestSupport.h"
#include "app/AppDelegate.h"
#include "app/RecentFiles.h"
#include "app/SingleInstance.h"
#include "window/Document.h"
#include "window/PreviewController.h"
#include "pipeline/DocumentStatistics.h"
#include "window/FindBar.h"
#include "window/OutlinePanel.h"
#include "window/ViewSettings.h"

using qttestsupport::writeFile;

using namespace documenttestsupport;

namespace {

QString sampleDocument() {
    return QDir::cleanPath(QString(QUILL_TEST_DATA) + "/../../../resources/samples/sample.md");
}

QStringList headingsInOrder(QTreeWidget* tree) {
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        texts << QString((*it)->parent() ? "  " : "") + (*it)->text(0);
    return texts;
}

QProcessEnvironment launchEnvironment(const QString& serverName) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(singleinstance::kServerNameVariable, serverName);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    return environment;
}

}  // namespace

class ReaderToolsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppDelegate> delegate;
    QTemporaryDir folder;

    QString path(const QString& name) const { return folder.filePath(name); }

    Document* openAndWait(const QString& file) { return documenttestsupport::openAndWait(*delegate, file); }

    // A launch of the real binary, waited for until it answers hand-overs
    // itself, then ended.
    void expectLaunchBecomesTheInstance(const QString& serverName) {
        writeFile(path("second.md"), "# Second\n");
        QProcess launch;
        launch.setProcessEnvironment(launchEnvironment(serverName));
        launch.start(QUILL_BINARY, {path("launched.md")});
        QVERIFY(launch.waitForStarted());
        qputenv(singleinstance::kServerNameVariable, serverName.toUtf8());
        const bool answered = QTest::qWaitFor([this] { return singleinstance::handOver({path("second.md")}); }, 30000);
        qunsetenv(singleinstance::kServerNameVariable);
        QCOMPARE(launch.state(), QProcess::Running);
        launch.kill();
        launch.waitForFinished();
        QVERIFY(answered);
    }

private slots:
    void initTestCase() {
        delegate = std::make_unique<AppDelegate>();
        writeFile(path("launched.md"), "# Launched\n");
    }

    void cleanup() {
        for (Document* document : delegate->documents())
            document->close();
        QTest::qWait(50);
    }

    void findCountsMatchesOnThePageAndInTheSource() {
        writeFile(path("find.md"), "apple one\n\napple two\n\nApple three\n");
        Document* document = openAndWait(path("find.md"));
        QVERIFY(document);
        FindBar* bar = document->findBar();
        QVERIFY(bar->isHidden());
        document->showFindBar();
        QVERIFY(bar->isVisible());
        QTest::keyClicks(bar->field(), "apple");
        QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QString("1 of 3"), 10000);
        QTest::keyClick(bar->field(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QString("2 of 3"), 10000);
        QTest::keyClick(bar->field(), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QString("1 of 3"), 10000);
        // The search goes on from the match shown, now counting "apple" only.
        bar->caseSwitch()->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(bar->matchText().endsWith(" of 2"), 10000);
        bar->field()->setText("pear");
        bar->findNext();
        QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QString("No matches"), 10000);

        // The source: the same words, and the markup itself.
        bar->field()->setText("<p>");
        document->toggleWebViewSourceView(1);
        QCOMPARE(bar->matchText(), QString("1 of 3"));
        bar->findPrevious();
        QCOMPARE(bar->matchText(), QString("3 of 3"));
        QCOMPARE(document->sourceView()->textCursor().selectedText(), QString("<p>"));
        bar->findNext();
        QCOMPARE(bar->matchText(), QString("1 of 3"));

        QTest::keyClick(bar->field(), Qt::Key_Escape);
        QVERIFY(bar->isHidden());
    }

    void findStaysAndSearchesAgainAfterAReload() {
        writeFile(path("reload.md"), "kiwi and kiwi\n");
        Document* document = openAndWait(path("reload.md"));
        QVERIFY(document);
        document->showFindBar();
        QTest::keyClicks(document->findBar()->field(), "kiwi");
        QTRY_COMPARE_WITH_TIMEOUT(document->findBar()->matchText(), QString("1 of 2"), 10000);
        saveScreenshot(document, "find-bar");

        const int loads = document->preview()->completedLoads();
        saveAtomically(path("reload.md"), "kiwi, kiwi\n\nand one more kiwi\n");
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(document->findBar()->isVisible());
        QCOMPARE(document->findBar()->field()->text(), QString("kiwi"));
        QTRY_COMPARE_WITH_TIMEOUT(document->findBar()->matchText(), QString("1 of 3"), 10000);
    }

    void theToolsAnswerTheirShortcuts() {
        writeFile(path("keys.md"), "# Keys\n\nfig and fig\n");
        Document* document = openAndWait(path("keys.md"));
        QVERIFY(document);
        QApplication::setActiveWindow(document);
        document->webView()->setFocus();
        QTest::keySequence(document, QKeySequence(Qt::CTRL | Qt::Key_F));
        QVERIFY(document->findBar()->isVisible());
        QVERIFY(document->findBar()->field()->hasFocus());
        QTest::keyClicks(document->findBar()->field(), "fig");
        QTRY_COMPARE_WITH_TIMEOUT(document->findBar()->matchText(), QString("1 of 2"), 10000);
        QTest::keySequence(document, QKeySequence(Qt::Key_F3));
        QTRY_COMPARE_WITH_TIMEOUT(document->findBar()->matchText(), QString("2 of 2"), 10000);
        QTest::keySequence(document, QKeySequence(Qt::SHIFT | Qt::Key_F3));
        QTRY_COMPARE_WITH_TIMEOUT(document->findBar()->matchText(), QString("1 of 2"), 10000);
        document->webView()->setFocus();
        QTest::keySequence(document, QKeySequence(Qt::Key_Escape));
        QVERIFY(document->findBar()->isHidden());

        QTest::keySequence(document, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
        QVERIFY(document->outlinePanel()->isVisible());
        QVERIFY(document->outlinePanel()->tree()->hasFocus());
        QTest::keySequence(document, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
        QVERIFY(document->outlinePanel()->isHidden());
    }

    void outlineListsTheSampleHeadingsAndFollowsTheReader() {
        QVERIFY(QFile::copy(sampleDocument(), path("sample.md")));
        Document* document = openAndWait(path("sample.md"));
        QVERIFY(document);
        document->resize(760, 420);
        OutlinePanel* outline = document->outlinePanel();
        QSignalSpy read(outline, &OutlinePanel::headingsRead);
        outline->toggleViewAction()->trigger();
        QVERIFY(outline->isVisible());
        QVERIFY(read.wait(10000));
        const QStringList expected{"Quillview sample", "  Text", "  Lists", "  Quotation", "  Code", "  Table",
                                   "  Definitions", "  Footnotes", "  Image", "  Review marks"};
        QCOMPARE(headingsInOrder(outline->tree()), expected);
        QTRY_COMPARE_WITH_TIMEOUT(outline->currentHeading(), 0, 10000);

        QTreeWidgetItem* table = outline->tree()->topLevelItem(0)->child(4);
        QCOMPARE(table->text(0), QString("Table"));
        const QRect row = outline->tree()->visualItemRect(table);
        QTest::mouseClick(outline->tree()->viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "window.scrollY").toDouble() > 100; }, 10000));
        QTRY_COMPARE_WITH_TIMEOUT(outline->currentHeading(), 5, 10000);
        saveScreenshot(document, "outline");

        // The reader scrolls back up: the highlight follows.
        evaluate(document, "window.scrollTo(0, 0)");
        QTRY_COMPARE_WITH_TIMEOUT(outline->currentHeading(), 0, 10000);
        QCOMPARE(outline->tree()->currentItem()->text(0), QString("Quillview sample"));
    }

    void outlineNestsHeadingsWithoutIdsAndSkippedLevels() {
        writeFile(path("levels.html"), "<h2>One</h2><p>a</p><h4>Deep</h4><h3>Middle</h3><h1>Top</h1><h2>Under</h2>");
        Document* document = openAndWait(path("levels.html"));
        QVERIFY(document);
        QSignalSpy read(document->outlinePanel(), &OutlinePanel::headingsRead);
        document->outlinePanel()->show();
        QVERIFY(read.wait(10000));
        QCOMPARE(headingsInOrder(document->outlinePanel()->tree()),
                 (QStringList{"One", "  Deep", "  Middle", "Top", "  Under"}));
    }

    void statusBarCountsTheRenderedText() {
        writeFile(path("count.md"), "One *two* three, four — five.\n\n我们是学生。\n");
        Document* document = openAndWait(path("count.md"));
        QVERIFY(document);
        QVERIFY(document->statusBar()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(document->statisticsLabel()->text(),
                                  documentstatistics::summary({8, 33, 1}), 10000);
        QVERIFY(document->statisticsLabel()->text().contains("Words: 8"));
        saveScreenshot(document, "status-bar");

        const int loads = document->preview()->completedLoads();
        saveAtomically(path("count.md"), QString("word ").repeated(450).toUtf8());
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 1));
        QTRY_VERIFY_WITH_TIMEOUT(document->statisticsLabel()->text().startsWith("Words: 450 "), 10000);
        QVERIFY(document->statisticsLabel()->text().endsWith("Reading time: 3 min"));
    }

    void darkWindowScreenshots() {
        if (qEnvironmentVariableIsEmpty("QUILL_SCREENSHOT_DIR"))
            QSKIP("screenshots only when QUILL_SCREENSHOT_DIR is set");
        QFile::remove(path("sample.md"));
        QVERIFY(QFile::copy(sampleDocument(), path("sample.md")));
        viewsettings::toggleLightDarkFromMenu();
        Document* document = openAndWait(path("sample.md"));
        QVERIFY(document);
        document->resize(760, 420);
        document->outlinePanel()->show();
        document->showFindBar();
        QTest::keyClicks(document->findBar()->field(), "code");
        QTRY_VERIFY_WITH_TIMEOUT(document->findBar()->matchText().startsWith("1 of "), 10000);
        saveScreenshot(document, "dark");
        viewsettings::toggleLightDarkFromMenu();
    }

    void recentFilesDropDeletedOnesWhenTheMenuOpens() {
        recentfiles::clear();
        writeFile(path("kept.md"), "kept\n");
        writeFile(path("deleted.md"), "deleted\n");
        QVERIFY(openAndWait(path("deleted.md")));
        Document* document = openAndWait(path("kept.md"));
        QVERIFY(document);
        const QString kept = QFileInfo(path("kept.md")).canonicalFilePath();
        const QString deleted = QFileInfo(path("deleted.md")).canonicalFilePath();
        QCOMPARE(recentfiles::paths(), (QStringList{kept, deleted}));

        QVERIFY(QFile::remove(deleted));
        auto* menu = document->menuBar()->findChild<QMenu*>("menu_OpenRecent");
        QVERIFY(menu);
        emit menu->aboutToShow();
        QStringList titles;
        for (QAction* action : menu->actions())
            titles << action->text();
        QCOMPARE(titles.size(), 3);  // the file, a separator, Clear Menu
        QVERIFY(titles.at(0).contains("kept.md"));
        QCOMPARE(recentfiles::paths(), QStringList{kept});

        menu->actions().last()->trigger();
        QVERIFY(recentfiles::paths().isEmpty());
    }

    void recentFilesKeepTheLastTenNewestFirst() {
        recentfiles::clear();
        for (int i = 0; i < 12; ++i)
            recentfiles::add(path(QString("file%1.md").arg(i)));
        recentfiles::add(path("file5.md"));
        const QStringList paths = recentfiles::paths();
        QCOMPARE(paths.size(), recentfiles::kMaximumCount);
        QCOMPARE(paths.first(), path("file5.md"));
        QCOMPARE(paths.at(1), path("file11.md"));
        QVERIFY(!paths.contains(path("file1.md")));
        QCOMPARE(paths.count(path("file5.md")), 1);
        recentfiles::clear();
    }

    // Code far below the view is coloured only when it comes near, or on
    // paper: printing renders it at once.
    void printsThePageAsShown() {
        QByteArray text = "# Printed heading\n\nA paragraph on paper.\n\n";
        for (int i = 0; i < 400; ++i)
            text += "Filler paragraph " + QByteArray::number(i) + ".\n\n";
        writeFile(path("print.md"), text + "```python\ndef far(): return 1\n```\n");
        Document* document = openAndWait(path("print.md"));
        QVERIFY(document);
        const QString farCodeColoured = "document.querySelector('code.language-python span') !== null";
        QTest::qWait(500);
        QCOMPARE(evaluate(document, farCodeColoured).toBool(), false);
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path("print.pdf"));
        QSignalSpy finished(document, &Document::printFinished);
        document->printPage(std::move(printer));
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(evaluate(document, farCodeColoured).toBool(), true);
        // The web engine prints pages as pictures: the first page, rasterised,
        // must show the heading's dark text on the light page.
        QProcess raster;
        raster.start("pdftoppm", {"-r", "40", "-f", "1", "-l", "1", "-png", "-singlefile", path("print.pdf"), path("printed")});
        QVERIFY(raster.waitForFinished(30000));
        QImage page(path("printed.png"));
        QVERIFY(!page.isNull());
        int dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY2(dark > 100, qPrintable(QString::number(dark)));
    }

    void secondLaunchHandsItsFileToTheRunningInstance() {
        // The test stands in for the running instance.
        const QString name = path("instance-socket");
        SingleInstanceServer running;
        QVERIFY(qputenv(singleinstance::kServerNameVariable, name.toUtf8()));
        QVERIFY(running.listen(false));
        qunsetenv(singleinstance::kServerNameVariable);
        QSignalSpy received(&running, &SingleInstanceServer::filesReceived);

        QProcess launch;
        launch.setProcessEnvironment(launchEnvironment(name));
        launch.setWorkingDirectory(folder.path());
        launch.start(QUILL_BINARY, {"launched.md", "missing.md"});
        QVERIFY(QTest::qWaitFor([&] { return launch.state() == QProcess::NotRunning; }, 20000));
        QCOMPARE(launch.exitStatus(), QProcess::NormalExit);
        QCOMPARE(launch.exitCode(), 0);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().first().toStringList(), QStringList{path("launched.md")});
        QVERIFY(launch.readAllStandardError().contains("missing.md: no such file"));
    }

    void aLaunchWithNothingToHandOverLeavesTheRunningInstanceItsName() {
        const QString name = path("kept-socket");
        qputenv(singleinstance::kServerNameVariable, name.toUtf8());
        SingleInstanceServer running;
        QVERIFY(running.listen(false));
        QSignalSpy received(&running, &SingleInstanceServer::filesReceived);

        QProcess launch;
        launch.setProcessEnvironment(launchEnvironment(name));
        launch.start(QUILL_BINARY, {path("not-there.md")});
        QVERIFY(QTest::qWaitFor([&] { return launch.state() == QProcess::NotRunning; }, 20000));
        QCOMPARE(launch.exitCode(), 1);
        QVERIFY(received.isEmpty());
        // Handed over from another thread: this one's event loop serves.
        QFuture<bool> handOver = QtConcurrent::run([this] { return singleinstance::handOver({path("launched.md")}); });
        QVERIFY(QTest::qWaitFor([&] { return handOver.isFinished(); }, 5000));
        qunsetenv(singleinstance::kServerNameVariable);
        QVERIFY(handOver.result());
        QCOMPARE(received.size(), 1);
    }

    void convertNeverHandsOver() {
        const QString name = path("convert-socket");
        QLocalServer listening;
        QVERIFY(listening.listen(name));
        QProcess convert;
        convert.setProcessEnvironment(launchEnvironment(name));
        convert.start(QUILL_BINARY, {"convert", path("launched.md")});
        QVERIFY(QTest::qWaitFor([&] { return convert.state() == QProcess::NotRunning; }, 20000));
        QCOMPARE(convert.exitCode(), 0);
        QVERIFY(convert.readAllStandardOutput().contains("Launched"));
        QVERIFY(!listening.hasPendingConnections());
    }

    void aStaleSocketDoesNotStopALaunch() {
        const QString name = path("stale-socket");
        writeFile(name, "left behind by a crash");
        expectLaunchBecomesTheInstance(name);
    }

    void aHungInstanceDoesNotStopALaunch() {
        // Takes connections and never answers.
        const QString name = path("hung-socket");
        QLocalServer hung;
        QVERIFY(hung.listen(name));
        expectLaunchBecomesTheInstance(name);
    }
};

QUILL_QTEST_MAIN(ReaderToolsTest, QApplication)
#include "ReaderToolsTest.moc"
