// A shown page follows its file in place: only changed blocks are replaced,
// the reader stays on the same text, changes can be stepped through, and
// pages whose frame or whose scripts need it are loaded whole.
#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <cmath>

#include "DocumentTestSupport.h"
#include "QtTestSupport.h"
#include "app/AppDelegate.h"
#include "window/Document.h"
#include "window/PreviewController.h"
#include "pipeline/DocumentStatistics.h"
#include "pipeline/PreparedPage.h"
#include "pipeline/FolderPermissions.h"
#include "window/ViewSettings.h"
#include "settings/SettingsStore.h"

using qttestsupport::writeFile;

using namespace documenttestsupport;

namespace {

QByteArray paragraphs(int count, const QByteArray& word = "Paragraph") {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += word + " " + QByteArray::number(i) + " of a long document, with a few words more.\n\n";
    return text;
}

// Where the element is, in the view's coordinates.
double topOf(Document* document, const QString& selector) {
    return evaluate(document, QString("document.querySelector('%1').getBoundingClientRect().top").arg(selector))
        .toDouble();
}

}  // namespace

class InPlaceUpdateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppDelegate> delegate;
    QTemporaryDir folder;

    QString path(const QString& name) const { return folder.filePath(name); }

    // Saves the new text and waits for the page to follow it.
    bool saveAndWait(Document* document, const QString& file, const QByteArray& text) {
        const int loads = document->preview()->completedLoads();
        writeFile(file, text);
        document->reloadTxt();
        return waitForLoads(document, loads + 1);
    }

    // Whether the node the app world remembered under this name is still in
    // the page.
    bool stillShown(Document* document, const QString& name) {
        return evaluate(document, QString("window.%1 && window.%1.isConnected").arg(name)).toBool();
    }

private slots:
    void initTestCase() { delegate = std::make_unique<AppDelegate>(); }

    void cleanup() {
        QApplication::closeAllWindows();
        QTest::qWait(50);
        for (SettingsStore::Setting key : {SettingsStore::Setting::fontSize, SettingsStore::Setting::selectedCssStyle})
            SettingsStore::shared().reset(key);
    }

    void anEditReplacesOnlyTheBlockThatChanged() {
        writeFile(path("pictures/pic.png"), png(40, 30));
        writeFile(path("edit.md"), "# Title\n\n![pic](pictures/pic.png)\n\nFirst paragraph.\n\nSecond paragraph.\n");
        Document* document = openAndWait(*delegate, path("edit.md"));
        QVERIFY(document);
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "document.images[0].complete").toBool(); }, 5000));
        evaluate(document, "window.image = document.images[0]; window.heading = document.querySelector('h1');"
                           "window.edited = document.querySelectorAll('p')[1];");

        QVERIFY(saveAndWait(document, path("edit.md"),
                            "# Title\n\n![pic](pictures/pic.png)\n\nFirst paragraph, edited.\n\nSecond paragraph.\n"));
        QVERIFY(bodyText(document).contains("First paragraph, edited."));
        QVERIFY(stillShown(document, "image"));
        QVERIFY(stillShown(document, "heading"));
        QVERIFY(!stillShown(document, "edited"));
        QCOMPARE(document->preview()->changedBlockCount(), 1);
        // The changed block is marked for a moment, and only for a moment.
        QCOMPARE(evaluate(document, "document.querySelectorAll('p')[1].getAnimations().length").toInt(), 1);
        QVERIFY(QTest::qWaitFor(
            [&] { return evaluate(document, "document.querySelectorAll('p')[1].getAnimations().length").toInt() == 0; },
            4000));
        QCOMPARE(document->sourceView()->toPlainText(), document->lastFragment());
    }

    // Whatever the edit (moves, repeated blocks, deletions at either end,
    // raw HTML), the updated page holds exactly what a fresh parse of the
    // new fragment holds.
    void theUpdatedPageEqualsAFreshOne_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray list = "* one\n* two\n\n";
        QTest::newRow("swap") << QByteArray("A\n\nB\n\nC\n") << QByteArray("C\n\nB\n\nA\n");
        QTest::newRow("repeated blocks") << QByteArray("x\n\n---\n\nx\n\n---\n\nx\n") << QByteArray("x\n\n---\n\ny\n\nx\n\n---\n\nx\n");
        QTest::newRow("first and last removed") << QByteArray("A\n\nB\n\nC\n\nD\n") << QByteArray("B\n\nC\n");
        QTest::newRow("all gone") << QByteArray("A\n\nB\n") << QByteArray("");
        QTest::newRow("from nothing") << QByteArray("") << QByteArray("A\n\n" + list);
        QTest::newRow("list grows") << QByteArray("A\n\n" + list + "B\n") << QByteArray("A\n\n" + list + "* three\n\nB\n");
        QTest::newRow("raw html and text") << QByteArray("<div>box</div>\n\nloose\n") << QByteArray("<div>box</div>\n\n<div>box</div>\n\nloose\n");
        QTest::newRow("several apart") << paragraphs(30) << paragraphs(10) + "new\n\n" + paragraphs(30).mid(400) + "end\n";
    }

    void theUpdatedPageEqualsAFreshOne() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        writeFile(path("fresh.md"), before);
        Document* document = openAndWait(*delegate, path("fresh.md"));
        QVERIFY(document);
        QVERIFY(saveAndWait(document, path("fresh.md"), after));
        const QString fragment = QString::fromUtf8(
            QJsonDocument(QJsonArray{document->lastFragment()}).toJson(QJsonDocument::Compact));
        QVERIFY(evaluate(document, "(function (fragment) { var fresh = new DOMParser().parseFromString("
                                   "'<html><body>' + fragment, 'text/html');"
                                   " return fresh.body.innerHTML === document.body.innerHTML; })("
                                       + fragment + "[0])")
                    .toBool());
    }

    // Pages reach the web view as JavaScript string literals: every
    // character must arrive as it left.
    void aPageLiteralCarriesEveryCharacter() {
        writeFile(path("literal.md"), "text\n");
        Document* document = openAndWait(*delegate, path("literal.md"));
        QVERIFY(document);
        const QString text = QString::fromUtf8("quote \" apostrophe ' backslash \\ \\n tab\t cr\r nl\n nul")
                             + QChar(0) + QChar(0x2028) + QChar(0x2029) + QString::fromUtf8(" \xF0\x9F\x98\x80 </script> ü €");
        QCOMPARE(evaluate(document, javaScriptStringLiteral(text)).toString(), text);
    }

    // A page longer than one part reaches the view, and its text the status
    // bar, in parts: a surrogate pair cut at a part's end must join again.
    // The two versions start the run of emoji at an odd and an even offset.
    void aPageOfManyPartsArrivesWhole() {
        writeFile(path("parts.md"), "start\n");
        Document* document = openAndWait(*delegate, path("parts.md"));
        QVERIFY(document);
        const int pairs = int(kPreparedPagePartLength * 3 / 4);
        const QByteArray emoji = QByteArray("\xF0\x9F\x98\x80").repeated(pairs);
        for (const char* prefix : {"a", "ab"}) {
            QSignalSpy counted(document, &Document::statisticsUpdated);
            QVERIFY(saveAndWait(document, path("parts.md"), QByteArray(prefix) + "\n\n" + emoji + "\n"));
            QVERIFY(evaluate(document, QString("document.querySelectorAll('p')[1].textContent === '\\u{1F600}'.repeat(%1)")
                                           .arg(pairs))
                        .toBool());
            QVERIFY(counted.wait(kLoadTimeout));
            QCOMPARE(document->statisticsLabel()->text(),
                     documentstatistics::summary(documentstatistics::statisticsOf(bodyText(document))));
            QVERIFY(document->statisticsLabel()->text().contains(QLocale().toString(pairs + int(qstrlen(prefix)))));
        }
    }

    // A page this long reaches the page in parts, its top first: its words
    // count whole, and a rewrite (a new font size) keeps the place.
    void aLongPageWrittenInPartsCountsAllWordsAndKeepsThePlace() {
        const int count = 9000;  // some 570,000 characters of page
        writeFile(path("lazy.md"), paragraphs(count));
        Document* document = openAndWait(*delegate, path("lazy.md"));
        QVERIFY(document);
        document->resize(800, 600);
        document->show();
        const QString words = QLocale().toString(count * 11);
        QVERIFY(QTest::qWaitFor([&] { return document->statisticsLabel()->text().contains(words); }, kLoadTimeout));
        evaluate(document, "window.scrollTo(0, 30000)");
        QVERIFY(QTest::qWaitFor([&] { return document->webView()->page()->scrollPosition().y() > 29000; }, 5000));
        const int loads = document->preview()->completedLoads();
        viewsettings::makeFontBigger();
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(QTest::qWaitFor([&] { return std::abs(evaluate(document, "window.scrollY").toDouble() - 30000) < 2; },
                                3000));
        viewsettings::makeFontNormalSize();
    }

    void aBlockGrownAboveKeepsTheReaderOnTheSameText() {
        writeFile(path("long.md"), paragraphs(200));
        Document* document = openAndWait(*delegate, path("long.md"));
        QVERIFY(document);
        document->resize(800, 600);
        document->show();
        evaluate(document, "document.querySelectorAll('p')[120].scrollIntoView()");
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "window.scrollY").toDouble() > 1000; }, 3000));
        evaluate(document, "document.querySelectorAll('p')[120].id = 'reading'");
        const double readingTop = topOf(document, "#reading");
        const double scrolled = evaluate(document, "window.scrollY").toDouble();

        // Twenty new blocks at the start, and one block above grows a lot.
        QByteArray grown = paragraphs(20, "Inserted") + paragraphs(200);
        grown.replace("Paragraph 5 of", "Paragraph 5, now much longer: " + QByteArray(3000, 'w').replace("w", "word ") + " of");
        QVERIFY(saveAndWait(document, path("long.md"), grown));
        // The reader's paragraph was kept (with the id we gave it) and stands
        // where it stood; the page scrolled by what grew above it.
        QCOMPARE(evaluate(document, "document.querySelectorAll('p')[140].id").toString(), QString("reading"));
        QVERIFY(qAbs(topOf(document, "#reading") - readingTop) < 2);
        QVERIFY(evaluate(document, "window.scrollY").toDouble() > scrolled + 500);
        QCOMPARE(document->preview()->changedBlockCount(), 21);
    }

    void jumpToChangeStepsThroughTheChangedBlocks() {
        writeFile(path("jump.md"), paragraphs(300));
        Document* document = openAndWait(*delegate, path("jump.md"));
        QVERIFY(document);
        document->resize(800, 600);
        document->show();
        QAction* jump = document->menuBar()->findChild<QAction*>("menuItem_JumpToChange");
        QVERIFY(jump);
        QVERIFY(!jump->isEnabled());

        QByteArray edited = paragraphs(300);
        for (const char* number : {"50", "150", "250"})
            edited.replace("Paragraph " + QByteArray(number) + " of", "Changed " + QByteArray(number) + " of");
        QVERIFY(saveAndWait(document, path("jump.md"), edited));
        QCOMPARE(document->preview()->changedBlockCount(), 3);
        QVERIFY(jump->isEnabled());
        // A second save of the same text (the watcher sees the write too)
        // leaves the changes to jump to.
        QVERIFY(saveAndWait(document, path("jump.md"), edited));
        QCOMPARE(document->preview()->changedBlockCount(), 3);
        // Without a jump the reader stays where they were.
        QCOMPARE(evaluate(document, "window.scrollY").toDouble(), 0.0);

        auto textInView = [&] {
            return evaluate(document, "(function () { var h = window.innerHeight; return Array.prototype.filter.call("
                                      "document.querySelectorAll('p'), function (p) { var r = p.getBoundingClientRect();"
                                      " return r.top >= 0 && r.bottom <= h; }).map(function (p) { return p.textContent; })"
                                      ".join('|'); })()")
                .toString();
        };
        document->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(document));
        QSignalSpy reached(document->preview(), &PreviewController::jumpedToChange);
        for (const char* expected : {"Changed 50", "Changed 150", "Changed 250", "Changed 50"}) {
            QTest::keyClick(document, Qt::Key_J, Qt::ControlModifier);
            QVERIFY(reached.wait(5000));
            QVERIFY2(textInView().contains(expected), expected);
        }
        QCOMPARE(reached.at(2).at(0).toInt(), 3);
        QCOMPARE(reached.at(3).at(0).toInt(), 1);
        saveScreenshot(document, "jump-to-change-light");

        // A fresh page has no changes to jump to.
        viewsettings::makeFontBigger();
        QVERIFY(QTest::qWaitFor([&] { return !jump->isEnabled(); }, 5000));
    }

    void theMarkShowsOnADarkStyle() {
        SettingsStore::shared().setSelectedCssStyle("Standard_Dark");
        writeFile(path("dark.md"), paragraphs(20));
        Document* document = openAndWait(*delegate, path("dark.md"));
        QVERIFY(document);
        document->resize(800, 600);
        document->show();
        QByteArray edited = paragraphs(20);
        edited.replace("Paragraph 3 of", "Changed 3 of");
        QVERIFY(saveAndWait(document, path("dark.md"), edited));
        QCOMPARE(document->preview()->changedBlockCount(), 1);
        document->jumpToChange();
        saveScreenshot(document, "jump-to-change-dark");
    }

    // Style and font size change the page's frame: the page is written anew.
    void aNewFontSizeLoadsThePageWhole() {
        writeFile(path("frame.md"), "Some text.\n");
        Document* document = openAndWait(*delegate, path("frame.md"));
        QVERIFY(document);
        evaluate(document, "window.paragraph = document.querySelector('p')");
        const int loads = document->preview()->completedLoads();
        viewsettings::makeFontBigger();
        QVERIFY(waitForLoads(document, loads + 1));
        QCOMPARE(evaluate(document, "document.body.style.fontSize").toString(), QString("110%"));
        QVERIFY(!stillShown(document, "paragraph"));
        QVERIFY(bodyText(document).contains("Some text."));
    }

    // The document's own scripts, where allowed, see a new document on
    // every save, never one patched under them.
    void aFolderWithScriptsAllowedGetsAFreshDocument() {
        const QByteArray counter = "<p>one</p>\n<p id=\"count\"></p>\n"
                                   "<script>document.getElementById('count').textContent ="
                                   " 'paragraphs: ' + document.querySelectorAll('p').length;</script>\n";
        writeFile(path("scripted/page.html"), counter);
        folderpermissions::allowScriptsInFolder(path("scripted"));
        Document* document = openAndWait(*delegate, path("scripted/page.html"));
        QVERIFY(document);
        QVERIFY(waitForBodyText(document, "paragraphs: 2", 5000));
        evaluate(document, "window.first = document.querySelector('p')");
        QVERIFY(saveAndWait(document, path("scripted/page.html"), "<p>zero</p>\n" + counter));
        QVERIFY(waitForBodyText(document, "paragraphs: 3", 5000));
        QVERIFY(!stillShown(document, "first"));
        QCOMPARE(document->preview()->changedBlockCount(), 0);
    }

    // Through the watcher, as an editor saves: a rename over the file.
    void anAtomicSaveUpdatesInPlace() {
        writeFile(path("watched.md"), paragraphs(5));
        Document* document = openAndWait(*delegate, path("watched.md"));
        QVERIFY(document && QTest::qWaitFor([&] { return document->isWatching(); }, 5000));
        evaluate(document, "window.last = document.querySelectorAll('p')[4]");
        saveAtomically(path("watched.md"), "Inserted first.\n\n" + paragraphs(5));
        QVERIFY(waitForBodyText(document, "Inserted first.", 5000));
        QVERIFY(stillShown(document, "last"));
    }
};

QUILL_QTEST_MAIN(InPlaceUpdateTest, QApplication)
#include "InPlaceUpdateTest.moc"
