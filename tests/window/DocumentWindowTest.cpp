// Document windows with a real web view: files opened through the
// application, the rendered DOM read back from the page.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QProcess>
#include <QStackedWidget>
#include <QTimer>

#include "DocumentTestSupport.h"
#include "QtTestSupport.h"
#include "app/AppDelegate.h"
#include "dispatch/MarkupTransformTask.h"
#include "window/Document.h"
#include "window/PreviewController.h"
#include "window/ViewSettings.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"
#include "textbundle/Textbundle.h"

using qttestsupport::writeFile;

using namespace documenttestsupport;

namespace {

// E-mail addresses are written as randomly chosen decimal or hexadecimal
// character references; both sides are compared with them decoded.
QString withNumericReferencesDecoded(const QString& html) {
    QString out;
    out.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        if (html[i] == '&' && i + 2 < html.size() && html[i + 1] == '#') {
            const qsizetype end = html.indexOf(';', i);
            const bool hex = html[i + 2] == 'x' || html[i + 2] == 'X';
            bool ok = false;
            const uint code = html.mid(i + (hex ? 3 : 2), end - i - (hex ? 3 : 2)).toUInt(&ok, hex ? 16 : 10);
            if (end > i && end - i < 10 && ok && code < 0x110000) {
                out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
                i = end;
                continue;
            }
        }
        out += html[i];
    }
    return out;
}

QString convertedOnTheCommandLine(const QString& file) {
    QProcess process;
    process.start(QUILL_BINARY, {"convert", file});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class DocumentWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppDelegate> delegate;
    QTemporaryDir folder;
    QStringList alerts;

    QString path(const QString& name) const { return folder.filePath(name); }

    Document* openAndWait(const QString& file) { return documenttestsupport::openAndWait(*delegate, file); }

    Document* openAndWatch(const QString& file) {
        Document* document = openAndWait(file);
        if (document && !QTest::qWaitFor([&] { return document->isWatching(); }, Document::kWatchDelayMilliseconds + 3000))
            return nullptr;
        return document;
    }

private slots:
    void initTestCase() {
        delegate = std::make_unique<AppDelegate>();
        Textbundle::setCriticalAlertPresenter([this](const QString& title, const QString&) { alerts << title; });
    }

    void cleanup() {
        QApplication::closeAllWindows();
        QTest::qWait(50);
        SettingsStore& settings = SettingsStore::shared();
        for (SettingsStore::Setting key : {SettingsStore::Setting::fontSize, SettingsStore::Setting::selectedCssStyle, SettingsStore::Setting::baseUrlOption, SettingsStore::Setting::showTitlebar,
                                SettingsStore::Setting::conversionTimeLimit})
            settings.reset(key);
    }

    void startUpFillsTheStylesFolder() {
        const QStringList styles = QDir(AppSupportFilePaths::appSupportFilePath() + "/CSSStyles")
                                       .entryList({"*.css"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        QCOMPARE(styles, QStringList({"Delicious_Dark.css", "Delicious_Light.css", "Manuscript_Dark.css",
                                      "Manuscript_Light.css", "Markup_Dark.css", "Markup_Light.css",
                                      "Standard_Dark.css", "Standard_Light.css"}));
    }

    void markdownFileRenders() {
        if (MarkupTransformTask::transformString("# T", "markdownextra", false).startsWith("Unexspected"))
            QSKIP("the Markdown converter is not wired into the dispatcher yet");
        writeFile(path("notes.md"), "# Title\n\nSome *emphasised* text.\n");
        Document* document = openAndWait(path("notes.md"));
        QVERIFY(document);
        QCOMPARE(document->markupLanguage(), QString("markdownextra"));
        QCOMPARE(evaluate(document, "document.querySelector('h1').textContent").toString(), QString("Title"));
        QCOMPARE(evaluate(document, "document.querySelector('em').textContent").toString(), QString("emphasised"));
        QVERIFY(document->windowTitle().endsWith("— Markdown"));
    }

    // View ▸ Markdown Flavour renders this window's Markdown in another
    // flavour and shows which one is on; a window of another language has
    // nothing to switch.
    void theFlavourMenuSwitchesTheWindow() {
        writeFile(path("readme.md"), "- [x] done\n\n```sh\nmake\n```\n");
        Document* document = openAndWait(path("readme.md"));
        QVERIFY(document);
        auto* flavours = document->findChild<QMenu*>("menu_MarkdownFlavour");
        QVERIFY(flavours && flavours->isEnabled());
        QAction* gfm = nullptr;
        for (QAction* action : flavours->actions())
            if (action->data() == "gfm")
                gfm = action;
        QVERIFY(gfm && !gfm->isChecked());
        const int loads = document->preview()->completedLoads();
        gfm->trigger();
        QVERIFY(documenttestsupport::waitForLoads(document, loads + 1));
        QCOMPARE(document->markupLanguage(), QString("gfm"));
        QVERIFY(gfm->isChecked());
        QVERIFY(document->windowTitle().endsWith("— GitHub Markdown"));
        QCOMPARE(evaluate(document, "document.querySelectorAll('input[type=checkbox]:checked').length").toInt(), 1);
        QCOMPARE(evaluate(document, "document.querySelector('code').className").toString(), QString("language-sh"));

        writeFile(path("other.html"), "<p>x</p>");
        Document* html = openAndWait(path("other.html"));
        QVERIFY(html);
        QVERIFY(!html->findChild<QMenu*>("menu_MarkdownFlavour")->isEnabled());
    }

    void pageCarriesStyleFontSizeAndFragment() {
        writeFile(path("page.html"), "<p id=\"m\">first</p>");
        Document* document = openAndWait(path("page.html"));
        QVERIFY(document);
        QCOMPARE(evaluate(document, "document.body.getAttribute('style')").toString(), QString("font-size:100%"));
        QVERIFY(evaluate(document, "document.querySelector('style').textContent").toString().contains("Standard_Light"));
        QCOMPARE(document->sourceView()->toPlainText(), QString("<p id=\"m\">first</p>"));
        QCOMPARE(document->windowTitle(), QString("page.html — HTML"));
    }

    void aWriteReRendersWithinASecond() {
        writeFile(path("live.html"), "<p>version one</p>");
        Document* document = openAndWatch(path("live.html"));
        QVERIFY(document && document->isWatching());
        const int loads = document->preview()->completedLoads();
        QElapsedTimer clock;
        clock.start();
        writeFile(path("live.html"), "<p>version two</p>");
        QVERIFY(QTest::qWaitFor([&] { return document->preview()->completedLoads() > loads; }, 3000));
        QVERIFY2(clock.elapsed() < 1200, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(bodyText(document).contains("version two"));
    }

    void anAtomicSaveReRenders() {
        writeFile(path("atomic.html"), "<p>before</p>");
        Document* document = openAndWatch(path("atomic.html"));
        QVERIFY(document);
        saveAtomically(path("atomic.html"), "<p>after the rename</p>");
        QVERIFY(waitForBodyText(document, "after the rename", 3000));
        // And again: the watch survives the replaced file.
        saveAtomically(path("atomic.html"), "<p>second rename</p>");
        QVERIFY(waitForBodyText(document, "second rename", 3000));
    }

    void aDeletedFileIsFollowedWhenItComesBack() {
        writeFile(path("phoenix.html"), "<p>alive</p>");
        Document* document = openAndWatch(path("phoenix.html"));
        QVERIFY(document);
        QFile::remove(path("phoenix.html"));
        QTest::qWait(900);
        QVERIFY(document->isVisible());
        writeFile(path("phoenix.html"), "<p>reborn</p>");
        QVERIFY(waitForBodyText(document, "reborn", 3000));
    }

    void aSaveBeforeWatchingStartsIsNotLost() {
        writeFile(path("early.html"), "<p>opened</p>");
        // The first render has read the file; the watch starts later.
        Document* document = delegate->openDocument(path("early.html"));
        QVERIFY(document && !document->isWatching());
        QTest::qWait(20);
        writeFile(path("early.html"), "<p>saved at once, longer</p>");
        QVERIFY(QTest::qWaitFor([&] { return document->isWatching(); }, 5000));
        QVERIFY(waitForBodyText(document, "saved at once", 3000));
    }

    void twoWindowsBothReRenderOnOneSave() {
        writeFile(path("one.html"), "<p>one</p>");
        writeFile(path("two.html"), "<p>two</p>");
        Document* first = openAndWatch(path("one.html"));
        Document* second = openAndWatch(path("two.html"));
        QVERIFY(first && second && first != second);
        const int secondLoads = second->preview()->completedLoads();
        writeFile(path("one.html"), "<p>one changed</p>");
        QVERIFY(waitForBodyText(first, "one changed", 3000));
        QVERIFY(waitForLoads(second, secondLoads + 1));
    }

    void openingAnOpenFileRaisesItsWindow() {
        writeFile(path("same.html"), "<p>same</p>");
        Document* document = openAndWait(path("same.html"));
        QCOMPARE(delegate->openDocument(folder.path() + "/./same.html"), document);
        QCOMPARE(delegate->documents().count(document), 1);
    }

    void theScrollPositionSurvivesAReload() {
        QByteArray longPage;
        for (int i = 0; i < 300; ++i)
            longPage += "<p>Paragraph " + QByteArray::number(i) + " of a long document.</p>\n";
        writeFile(path("long.html"), longPage);
        Document* document = openAndWait(path("long.html"));
        QVERIFY(document);
        evaluate(document, "window.scrollTo(0, 1200)");
        QVERIFY(QTest::qWaitFor([&] { return document->webView()->page()->scrollPosition().y() > 1100; }, 5000));
        const int loads = document->preview()->completedLoads();
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "window.scrollY").toDouble() > 1100; }, 3000));
        // Two reloads in a row (the second cancels the first page's load)
        // keep it as well.
        document->reloadTxt();
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 2));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "window.scrollY").toDouble() > 1100; }, 3000));
        // A new font size rewrites the whole page in place; the offset stays.
        viewsettings::makeFontBigger();
        QVERIFY(waitForLoads(document, loads + 3));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "window.scrollY").toDouble() > 1100; }, 3000));
        viewsettings::makeFontNormalSize();
    }

    void fontSizeAndStyleActionsChangeThePage() {
        writeFile(path("styled.html"), "<p>styled</p>");
        Document* document = openAndWait(path("styled.html"));
        QVERIFY(document);
        const double before = evaluate(document, "parseFloat(getComputedStyle(document.body).fontSize)").toDouble();
        int loads = document->preview()->completedLoads();
        viewsettings::makeFontBigger();
        viewsettings::makeFontBigger();
        viewsettings::makeFontBigger();
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(QTest::qWaitFor(
            [&] { return evaluate(document, "document.body.getAttribute('style')").toString() == "font-size:130%"; }));
        QVERIFY(evaluate(document, "parseFloat(getComputedStyle(document.body).fontSize)").toDouble() > before * 1.25);

        loads = document->preview()->completedLoads();
        viewsettings::selectCSSStyle("Manuscript_Dark");
        QVERIFY(waitForLoads(document, loads + 1));
        QCOMPARE(evaluate(document, "getComputedStyle(document.body).backgroundColor").toString(),
                 QString("rgb(29, 26, 22)"));
        viewsettings::makeFontNormalSize();
        QVERIFY(waitForLoads(document, loads + 2));
        QCOMPARE(evaluate(document, "document.body.getAttribute('style')").toString(), QString("font-size:100%"));
    }

    void baseURLOptionTwoLoadsImagesFromTheFolderNamedLikeTheFile() {
        writeFile(path("pictures/notes.html"), "<img src=\"img/x.png\">");
        writeFile(path("pictures/notes/img/x.png"), png(40, 10));
        writeFile(path("pictures/img/x.png"), png(20, 10));
        SettingsStore::shared().setBaseUrlOption(2);
        Document* document = openAndWait(path("pictures/notes.html"));
        QVERIFY(document);
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "document.images[0].naturalWidth").toInt() == 40; }, 5000));

        // Without that folder the file's own folder is the base.
        QDir(path("pictures/notes")).removeRecursively();
        int loads = document->preview()->completedLoads();
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "document.images[0].naturalWidth").toInt() == 20; }, 5000));

        // Option 1: no base URL, the relative image loads nothing.
        loads = document->preview()->completedLoads();
        document->selectBaseURLMethod(1);
        QVERIFY(waitForLoads(document, loads + 1));
        QTest::qWait(300);
        QCOMPARE(evaluate(document, "document.images[0].naturalWidth").toInt(), 0);
    }

    void aTextBundleRendersWithItsAssets() {
        const QString bundle = path("report.textbundle");
        writeFile(bundle + "/text.html", "<h2>Bundle</h2><img src=\"assets/chart.png\">");
        writeFile(bundle + "/assets/chart.png", png(33, 12));
        writeFile(bundle + "/info.json", "{\"version\": 2, \"type\": \"public.html\"}");
        Document* document = openAndWait(bundle);
        QVERIFY(document);
        QCOMPARE(document->markupLanguage(), QString("html"));
        QVERIFY(waitForBodyText(document, "Bundle", 3000));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "document.images[0].naturalWidth").toInt() == 33; }, 5000));
        QVERIFY(!document->findChild<QWidget*>("button_toolbar_BASEURL")->isVisibleTo(document));
    }

    void aTextPackRendersWithItsAssets() {
        writeFile(path("source/pic.png"), png(27, 9));
        Textbundle writer;
        QVERIFY(writer.writeTextpackForString("<h2>Packed</h2><img src=\"assets/pic.png\">", path("Report.textpack"),
                                              {path("source/pic.png")}, "html"));
        Document* document = openAndWait(path("Report.textpack"));
        QVERIFY(document);
        QVERIFY(waitForBodyText(document, "Packed", 3000));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "document.images[0].naturalWidth").toInt() == 27; }, 5000));
    }

    void aPackageOfUnknownTypeAlertsAndRendersAsMarkdown() {
        const QString bundle = path("plain.textbundle");
        writeFile(bundle + "/text.txt", "Just text.");
        writeFile(bundle + "/info.json", "{\"version\": 2, \"type\": \"public.plain-text\"}");
        alerts.clear();
        Document* document = openAndWait(bundle);
        QVERIFY(document);
        QCOMPARE(alerts, QStringList{"Unknown Markup-Indentifier"});
        QCOMPARE(document->markupLanguage(), QString("markdownextra"));
    }

    void linksNeverNavigateAway() {
        QByteArray page = "<p><a id=\"jump\" href=\"#end\">to the end</a> <a id=\"other\" href=\"other.md\">other</a></p>";
        for (int i = 0; i < 200; ++i)
            page += "<p>filler</p>";
        page += "<h2 id=\"end\">The end</h2>";
        writeFile(path("links.html"), page);
        writeFile(path("other.md"), "other");
        Document* document = openAndWait(path("links.html"));
        QVERIFY(document);
        QSignalSpy opened(document, &Document::openFileRequested);
        evaluate(document, "document.getElementById('jump').click()");
        QVERIFY(QTest::qWaitFor([&] { return evaluate(document, "window.scrollY").toDouble() > 500; }, 5000));
        evaluate(document, "document.getElementById('other').click()");
        QVERIFY(opened.wait(5000) || opened.count() == 1);
        QCOMPARE(QFileInfo(opened.first().first().toString()).fileName(), QString("other.md"));
        QTest::qWait(300);
        QVERIFY(bodyText(document).contains("The end"));
    }

    // Every built-in style gives the page its own background; with
    // QUILL_SCREENSHOT_DIR set, each window is saved there for a look.
    void everyStyleRendersTheSample_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("background");
        QTest::newRow("Standard_Light") << "Standard_Light" << "rgb(255, 255, 255)";
        QTest::newRow("Standard_Dark") << "Standard_Dark" << "rgb(13, 17, 23)";
        QTest::newRow("Manuscript_Light") << "Manuscript_Light" << "rgb(251, 247, 239)";
        QTest::newRow("Manuscript_Dark") << "Manuscript_Dark" << "rgb(29, 26, 22)";
        QTest::newRow("Markup_Light") << "Markup_Light" << "rgb(252, 252, 251)";
        QTest::newRow("Markup_Dark") << "Markup_Dark" << "rgb(18, 23, 27)";
        QTest::newRow("Delicious_Light") << "Delicious_Light" << "rgb(255, 250, 245)";
        QTest::newRow("Delicious_Dark") << "Delicious_Dark" << "rgb(33, 26, 30)";
    }

    void everyStyleRendersTheSample() {
        QFETCH(QString, style);
        QFETCH(QString, background);
        SettingsStore::shared().setSelectedCssStyle(style);
        QFile::remove(path("every-feature.html"));
        QVERIFY(QFile::copy(QUILL_TEST_DATA "/every-feature.html", path("every-feature.html")));
        Document* document = openAndWait(path("every-feature.html"));
        QVERIFY(document);
        document->resize(900, 1000);
        QCOMPARE(evaluate(document, "getComputedStyle(document.body).backgroundColor").toString(), background);
        QCOMPARE(evaluate(document, "document.querySelectorAll('h1,h2,table,pre,blockquote,dl,.footnotes').length").toInt(), 10);
        const QByteArray directory = qgetenv("QUILL_SCREENSHOT_DIR");
        if (!directory.isEmpty()) {
            QTest::qWait(700);
            QVERIFY(document->grab().save(QString("%1/%2.png").arg(QString::fromLocal8Bit(directory), style)));
            evaluate(document, "window.scrollTo(0, document.body.scrollHeight)");
            QTest::qWait(500);
            QVERIFY(document->grab().save(QString("%1/%2-end.png").arg(QString::fromLocal8Bit(directory), style)));
        }
    }

    // The window and the command line share one pipeline: the same bytes for
    // the three largest corpus documents of each language and for packages.
    void theWindowShowsWhatConvertPrints() {
        QStringList files;
        for (const char* language : {"markdown", "textile", "wikitext", "bbcode"}) {
            QDir corpus(QString(QUILL_CORPUS_DIR) + "/" + language);
            for (const QString& name : corpus.entryList(QDir::Files, QDir::Size).mid(0, 3))
                files << corpus.filePath(name);
        }
        QCOMPARE(files.size(), 12);
        writeFile(path("source/pic.png"), png(5, 5));
        QVERIFY(Textbundle().writeTextpackForString("# Packed\n\nText[^1]\n\n[^1]: note\n", path("Parity.textpack"),
                                                    {path("source/pic.png")}, "markdown"));
        files << path("Parity.textpack");
        for (const QString& file : files) {
            Document* document = openAndWait(file);
            QVERIFY2(document, qPrintable(file));
            QVERIFY2(!document->lastFragment().isEmpty(), qPrintable(file));
            QVERIFY2(withNumericReferencesDecoded(document->lastFragment())
                         == withNumericReferencesDecoded(convertedOnTheCommandLine(file)),
                     qPrintable(file));
            document->close();
            QTest::qWait(10);
        }
    }

    void theWindowAnswersWhileALargeDocumentConverts() {
        QByteArray large;
        QDir corpus(QString(QUILL_CORPUS_DIR) + "/markdown");
        for (const QString& name : corpus.entryList(QDir::Files)) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            large += file.readAll() + "\n\n";
        }
        while (large.size() < 6 * 1024 * 1024)
            large += large;
        writeFile(path("large.md"), "# Small start\n");
        Document* document = openAndWait(path("large.md"));
        QVERIFY(document);
        const QString before = document->lastFragment();
        const int loads = document->preview()->completedLoads();

        writeFile(path("large.md"), large);
        document->reloadTxt();
        // Nothing was converted on the GUI thread: the window is unchanged,
        // and events are handled while the conversion runs.
        QCOMPARE(document->lastFragment(), before);
        bool answered = false;
        int loadsWhenAnswered = -1;
        QTimer::singleShot(0, document, [&] {
            answered = true;
            loadsWhenAnswered = document->preview()->completedLoads();
        });
        QVERIFY(QTest::qWaitFor([&] { return answered; }, 5000));
        QCOMPARE(loadsWhenAnswered, loads);

        // A newer save supersedes the conversion still running: its result
        // is never shown.
        bool largeShown = false;
        const QMetaObject::Connection watching = connect(document, &Document::pageLoaded, this, [&] {
            largeShown = largeShown || document->lastFragment().size() > 1000000;
        });
        writeFile(path("large.md"), "# Small again\n");
        document->reloadTxt();
        QVERIFY(waitForBodyText(document, "Small again", 30000));
        QTest::qWait(4000);  // the large conversion has long finished by now
        disconnect(watching);
        QVERIFY(!largeShown);
        QVERIFY(bodyText(document).contains("Small again"));
    }

    // Past the time budget the window keeps the last good page and says why;
    // the next conversion in time takes the notice away.
    void aConversionOverTheBudgetKeepsTheLastPage() {
        writeFile(path("slow.md"), "# Fast enough\n");
        Document* document = openAndWait(path("slow.md"));
        QVERIFY(document);
        auto* notice = document->findChild<QLabel*>("label_ConversionStopped");
        QVERIFY(notice && notice->isHidden());

        SettingsStore::shared().setConversionTimeLimit(1);
        QByteArray slow = "# Too slow\n\n";
        for (int i = 0; i < 20000; ++i)
            slow += "Some *text* with [a link](https://example.org/" + QByteArray::number(i) + ").\n\n";
        writeFile(path("slow.md"), slow);
        document->reloadTxt();
        QVERIFY(QTest::qWaitFor([&] { return !notice->isHidden(); }, 30000));
        QCOMPARE(notice->text(), QString("This document took too long to convert"));
        QVERIFY(bodyText(document).contains("Fast enough"));

        SettingsStore::shared().reset(SettingsStore::Setting::conversionTimeLimit);
        writeFile(path("slow.md"), "# Fast again\n");
        document->reloadTxt();
        QVERIFY(waitForBodyText(document, "Fast again", 30000));
        QVERIFY(notice->isHidden());
    }

    // Export from the window: the save dialog suggests the name, the export
    // runs without holding the window, and a refused one tells why.
    void exportFromTheWindowWritesTheFileOrSaysWhyNot() {
        writeFile(path("export/notes.md"), "# Notes\n\nText with a note.[^1]\n\n[^1]: The note.\n");
        const QByteArray source = "# Notes\n\nText with a note.[^1]\n\n[^1]: The note.\n";
        Document* document = openAndWait(path("export/notes.md"));
        QVERIFY(document);
        QSignalSpy finished(document, &Document::exportFinished);
        // Tag 6 is HTML: the dialog suggests "notes.html"; `name` is typed over it.
        auto exportAsHtml = [&](const QString& name) {
            document->exportCurrentDocument(6);
            QFileDialog* dialog = nullptr;
            QVERIFY(QTest::qWaitFor(
                [&] {
                    for (QFileDialog* open : document->findChildren<QFileDialog*>())
                        if (open->isVisible())
                            dialog = open;
                    return dialog != nullptr;
                },
                3000));
            QCOMPARE(dialog->selectedFiles().value(0), path("export/notes.html"));
            dialog->selectFile(path("export/" + name));
            dialog->setOption(QFileDialog::DontConfirmOverwrite);  // the question would wait for a click
            QMetaObject::invokeMethod(dialog, "accept");
        };

        exportAsHtml("notes.html");
        QVERIFY(finished.wait(30000) || finished.count() == 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QFile html(path("export/notes.html"));
        QVERIFY(html.open(QIODevice::ReadOnly));
        QVERIFY(html.readAll().contains("href=\"#fn:1\""));

        // The document itself as the destination: refused, the source kept.
        exportAsHtml("notes.md");
        QVERIFY(QTest::qWaitFor([&] { return finished.count() == 2; }, 30000));
        QCOMPARE(finished.at(1).at(0).toBool(), false);
        QFile kept(path("export/notes.md"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), source);
        QMessageBox* alert = nullptr;
        QVERIFY(QTest::qWaitFor([&] { return (alert = document->findChild<QMessageBox*>()) != nullptr; }, 3000));
        QVERIFY(!alert->informativeText().isEmpty());
        alert->close();
    }

    void sourceViewAndCopyHTMLShowTheFragment() {
        writeFile(path("copy.html"), "<p>copy <b>me</b></p>");
        Document* document = openAndWait(path("copy.html"));
        QVERIFY(document);
        document->toggleWebViewSourceView();
        auto* content = document->findChild<QStackedWidget*>("box_Content");
        QCOMPARE(content->currentWidget()->objectName(), QString("view_SourceView"));
        document->toggleWebViewSourceView();
        QCOMPARE(content->currentWidget()->objectName(), QString("view_WebView"));
        document->copyHtml();
        QCOMPARE(QApplication::clipboard()->text(), QString("<p>copy <b>me</b></p>"));
    }
};

QUILL_QTEST_MAIN(DocumentWindowTest, QApplication)
#include "DocumentWindowTest.moc"
