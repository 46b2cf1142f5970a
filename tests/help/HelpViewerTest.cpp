// The help window: opened from the menu and from help buttons, in the
// user's language or English, showing only the help book.
#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QWebEngineProfile>

#include "DocumentTestSupport.h"
#include "QtTestSupport.h"
#include "app/AppDelegate.h"
#include "window/Document.h"
#include "help/HelpBook.h"
#include "help/HelpWebPage.h"
#include "help/HelpWindow.h"
#include "preferences/MarkupInterpreter.h"
#include "preferences/PreferencesController.h"

using namespace documenttestsupport;

namespace {

const QStringList kPages = {"start",
                            "BaseURL",
                            "CustomPHPInterpreter",
                            "PreferencesSaveFolders",
                            "PreferencesMarkup",
                            "PreferencesStyles",
                            "PreferencesMultiMarkdown",
                            "PreferencesCriticMarkup",
                            "PreferencesSourceCode",
                            "Export"};

QVariant evaluate(HelpWindow* viewer, const QString& script) {
    return documenttestsupport::evaluate(viewer->webView()->page(), script);
}

// The file the frame shows, and the text of its page.
QString framePage(HelpWindow* viewer) {
    return evaluate(viewer, "(function () { var f = document.getElementById('theIFrame');"
                            " return f && f.contentWindow ? f.contentWindow.location.href : ''; })()")
        .toString();
}

QString frameText(HelpWindow* viewer) {
    return evaluate(viewer, "(function () { var d = document.getElementById('theIFrame').contentDocument;"
                            " return d && d.body ? d.body.innerText : ''; })()")
        .toString();
}

QString frameLanguage(HelpWindow* viewer) {
    return evaluate(viewer, "(function () { var d = document.getElementById('theIFrame').contentDocument;"
                            " return d ? d.documentElement.lang : ''; })()")
        .toString();
}

bool waitForFramePage(HelpWindow* viewer, const QString& page) {
    const QString file = "/" + page + ".htm";
    return QTest::qWaitFor(
        [&] { return framePage(viewer).endsWith(file) && !frameText(viewer).trimmed().isEmpty(); }, kLoadTimeout);
}

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The policy of the help page, reachable from here.
class ExposedHelpPage : public HelpWebPage {
public:
    using HelpWebPage::acceptNavigationRequest;
    using HelpWebPage::HelpWebPage;
};

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppDelegate> delegate;
    QTemporaryDir folder;

private slots:
    void initTestCase() { delegate = std::make_unique<AppDelegate>(); }

    void cleanupTestCase() { delegate.reset(); }

    // The base-URL popover's help button, with no help open, opens the
    // window straight at BaseURL; a second help button switches the page in
    // that same window, even after it was closed.
    void helpButtonsOpenTheirPages() {
        qttestsupport::writeFile(folder.filePath("notes.md"), "# Notes\n\nSome text.\n");
        Document* document = openAndWait(*delegate, folder.filePath("notes.md"));
        QVERIFY(document);
        QVERIFY(!delegate->helpViewer());
        auto* helpButton = document->findChild<QToolButton*>("button_BaseURL_Help");
        QVERIFY(helpButton);
        helpButton->click();

        HelpWindow* viewer = delegate->helpViewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(waitForFramePage(viewer, "BaseURL"));
        // The book follows the system's language, which the test does not fix.
        QVERIFY(frameText(viewer).contains(viewer->langCode() == "de" ? "Basis-URL" : "Base URL"));
        QCOMPARE(viewer->completedLoads(), 1);
        saveScreenshot(viewer, "help-BaseURL-" + viewer->langCode());

        viewer->close();
        // The interpreter pane's help button, in the preferences window.
        delegate->showPreferenceController();
        auto* interpreter = delegate->preferenceController()->findChild<MarkupInterpreter*>();
        QVERIFY(interpreter);
        auto* paneHelp = interpreter->preferenceView()->findChild<QPushButton*>("button_Help");
        QVERIFY(paneHelp);
        paneHelp->click();
        delegate->preferenceController()->close();
        QCOMPARE(delegate->helpViewer(), viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(waitForFramePage(viewer, "CustomPHPInterpreter"));
        QVERIFY(frameText(viewer).contains("/usr/bin/php"));
        document->close();
    }

    // Help ▸ Quillview Help (F1) returns to the start page; names that are
    // not pages of the book change nothing, and a missing page stays inside
    // the frame.
    void menuOpensTheStartPage() {
        qttestsupport::writeFile(folder.filePath("menu.md"), "Text\n");
        Document* document = openAndWait(*delegate, folder.filePath("menu.md"));
        QVERIFY(document);
        auto* item = document->menuBar()->findChild<QAction*>("menuItem_QuillviewHelp");
        QVERIFY(item);
        QCOMPARE(item->shortcut(), QKeySequence(Qt::Key_F1));
        item->trigger();
        HelpWindow* viewer = delegate->helpViewer();
        QVERIFY(viewer);
        QVERIFY(waitForFramePage(viewer, "start"));

        for (const char* bad : {"../../../etc/passwd", "x'; document.body.innerHTML = ''; '", "", "BaseURL.htm"})
            delegate->openHelpPage(bad);
        QTest::qWait(300);
        QVERIFY(framePage(viewer).endsWith("/start.htm"));
        QVERIFY(!frameText(viewer).trimmed().isEmpty());

        delegate->openHelpPage("NoSuchPage");
        // The frame shows the web view's own error page, which no script of
        // the book may read; the frame's address tells where it went.
        QVERIFY(QTest::qWaitFor(
            [&] {
                return evaluate(viewer, "document.getElementById('theIFrame').src").toString() ==
                       "qrc:/helpbook/" + viewer->langCode() + "/NoSuchPage.htm";
            },
            kLoadTimeout));
        QVERIFY(helpbook::isInHelpBook(viewer->webView()->url()));
        document->close();
    }

    // German gives the German book and title; a language without a book
    // (or something that is no language code at all) gives English.
    void languagesAndFallback_data() {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<QString>("langCode");
        QTest::addColumn<QString>("title");
        QTest::newRow("German") << "de" << "de" << "Quillview Hilfe";
        QTest::newRow("French") << "fr" << "en" << "Quillview Help";
        QTest::newRow("English") << "en" << "en" << "Quillview Help";
        QTest::newRow("path") << "../de" << "en" << "Quillview Help";
    }
    void languagesAndFallback() {
        QFETCH(QString, requested);
        QFETCH(QString, langCode);
        QFETCH(QString, title);
        std::unique_ptr<HelpWindow> viewer(HelpWindow::launchHelpViewer(requested));
        QCOMPARE(viewer->langCode(), langCode);
        QCOMPARE(viewer->helpbookPath(), ":/helpbook/" + langCode);
        QCOMPARE(viewer->windowTitle(), title);
        QVERIFY(waitForFramePage(viewer.get(), "start"));
        QCOMPARE(frameLanguage(viewer.get()), langCode);
        QVERIFY(frameText(viewer.get()).contains(langCode == "de" ? "Tastenkürzel" : "Shortcuts"));
        saveScreenshot(viewer.get(), "help-" + QString(QTest::currentDataTag()));
    }

    // Every page exists in both languages, and every link between pages
    // leads to a page of the same language's book.
    void theBookIsComplete() {
        for (const QString language : {"en", "de"}) {
            for (const QString& page : kPages)
                QVERIFY2(QFile::exists(QString(":/helpbook/%1/%2.htm").arg(language, page)),
                         qPrintable(language + "/" + page));
            QDirIterator files(":/helpbook/" + language, {"*.htm"});
            const QRegularExpression link(R"(href="([^"#:]+\.htm)(#[^"]*)?")");
            while (files.hasNext()) {
                const QString file = files.next();
                const QString text = readResource(file);
                QVERIFY2(text.contains(QString("<html lang=\"%1\">").arg(language)), qPrintable(file));
                for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
                    const QString target = ":/helpbook/" + language + "/" + match.captured(1);
                    QVERIFY2(QFile::exists(target), qPrintable(file + " links to " + match.captured(1)));
                }
            }
        }
        QCOMPARE(QDir(":/helpbook/en").entryList(), QDir(":/helpbook/de").entryList());
    }

    // The page shows the book only: other pages of the book load in any
    // frame, a clicked web link goes to the browser, everything else stays
    // out.
    void thePageShowsOnlyTheBook() {
        UrlCatcher browser;
        QWebEngineProfile profile;
        ExposedHelpPage page(&profile, nullptr);
        connect(&page, &HelpWebPage::externalLinkRequested, &browser, &UrlCatcher::open);
        using Type = QWebEnginePage::NavigationType;
        QVERIFY(page.acceptNavigationRequest(QUrl("qrc:/helpbook/en/Export.htm"), Type::NavigationTypeLinkClicked, false));
        QVERIFY(page.acceptNavigationRequest(QUrl("qrc:/helpbook/de/index.htm"), Type::NavigationTypeTyped, true));
        QVERIFY(!page.acceptNavigationRequest(QUrl("qrc:/css/Standard_Light.css"), Type::NavigationTypeLinkClicked, false));
        QVERIFY(!page.acceptNavigationRequest(QUrl("file:///etc/passwd"), Type::NavigationTypeLinkClicked, false));
        QVERIFY(!page.acceptNavigationRequest(QUrl("javascript:alert(1)"), Type::NavigationTypeLinkClicked, false));
        QVERIFY(!page.acceptNavigationRequest(QUrl("https://example.org/redirected"), Type::NavigationTypeRedirect, false));
        QVERIFY(browser.urls.isEmpty());
        QVERIFY(!page.acceptNavigationRequest(QUrl("https://example.org/manual"), Type::NavigationTypeLinkClicked, false));
        QCOMPARE(browser.urls, QList<QUrl>({QUrl("https://example.org/manual")}));
    }
};

QUILL_QTEST_MAIN(HelpViewerTest, QApplication)

#include "HelpViewerTest.moc"
