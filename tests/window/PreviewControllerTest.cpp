// How a page reaches the preview (the paint road chosen for it), and the
// page-side functions the preview calls, checked on their own test page.
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "QtTestSupport.h"
#include "window/PreviewController.h"

using preview::PaintInputs;
using preview::PaintRoad;

Q_DECLARE_METATYPE(PaintInputs)
Q_DECLARE_METATYPE(PaintRoad)

namespace {

// A page shown, idle, with the same base and no scripts anywhere.
PaintInputs shownPage(qsizetype length = 1000) {
    PaintInputs inputs;
    inputs.pageShown = true;
    inputs.sameBaseURL = true;
    inputs.htmlLength = length;
    return inputs;
}

}  // namespace

class PreviewControllerTest : public QObject {
    Q_OBJECT

private slots:
    void paintRoads_data() {
        QTest::addColumn<PaintInputs>("inputs");
        QTest::addColumn<PaintRoad>("road");
        constexpr qsizetype big = 1024 * 1024;  // beyond what a data URL carries
        PaintInputs first = shownPage();
        first.pageShown = false;
        QTest::newRow("first page") << first << PaintRoad::FreshLoad;
        PaintInputs firstBig = first;
        firstBig.htmlLength = big;
        QTest::newRow("first page, big") << firstBig << PaintRoad::EmptyPageThenWrite;
        QTest::newRow("a save") << shownPage() << PaintRoad::BlockUpdate;
        QTest::newRow("a save, big") << shownPage(big) << PaintRoad::BlockUpdate;
        PaintInputs loading = shownPage();
        loading.loading = true;
        QTest::newRow("a save while loading") << loading << PaintRoad::FreshLoad;
        PaintInputs moved = shownPage(big);
        moved.sameBaseURL = false;
        QTest::newRow("a new base URL") << moved << PaintRoad::EmptyPageThenWrite;
        PaintInputs allowed = shownPage();
        allowed.scriptsAllowed = true;
        QTest::newRow("scripts just allowed") << allowed << PaintRoad::FreshLoad;
        allowed.shownWithScripts = true;
        QTest::newRow("scripts allowed, none in the page") << allowed << PaintRoad::RewriteInPlace;
        allowed.pageHasScripts = true;
        QTest::newRow("scripts allowed and in the page") << allowed << PaintRoad::FreshLoad;
        PaintInputs revoked = shownPage();
        revoked.shownWithScripts = true;
        revoked.pageHasScripts = true;
        QTest::newRow("scripts no longer allowed") << revoked << PaintRoad::FreshLoad;
        revoked.shownWithScripts = false;
        QTest::newRow("scripts in the page, not allowed") << revoked << PaintRoad::BlockUpdate;
        PaintInputs pictures = shownPage();
        pictures.picturesAllowed = true;
        QTest::newRow("pictures just loaded") << pictures << PaintRoad::FreshLoad;
        pictures.shownWithPictures = true;
        QTest::newRow("a save with pictures loaded") << pictures << PaintRoad::BlockUpdate;
    }

    void paintRoads() {
        QFETCH(PaintInputs, inputs);
        QFETCH(PaintRoad, road);
        QCOMPARE(preview::choosePaintRoad(inputs), road);
    }

    // tests/window/preview/module-test.html loads the page's functions and
    // checks them; every check must have run and passed.
    void thePageFunctionsPassTheirTestPage() {
        QWebEngineView view;
        view.resize(800, 600);
        view.show();
        QSignalSpy loaded(view.page(), &QWebEnginePage::loadFinished);
        view.load(QUrl::fromLocalFile(QUILL_MODULE_TEST_PAGE));
        QVERIFY(loaded.wait(20000));
        QVERIFY(loaded.at(0).at(0).toBool());
        QVariant answer;
        bool answered = false;
        view.page()->runJavaScript("window.moduleDone ? JSON.stringify(window.moduleResults) : null",
                                   [&](const QVariant& value) {
                                       answer = value;
                                       answered = true;
                                   });
        QVERIFY(QTest::qWaitFor([&] { return answered; }, 20000));
        const QJsonArray results = QJsonDocument::fromJson(answer.toString().toUtf8()).array();
        QVERIFY2(results.size() >= 12, qPrintable(answer.toString()));
        QStringList failed;
        for (const QJsonValue& result : results) {
            const QJsonObject check = result.toObject();
            if (!check["ok"].toBool())
                failed << check["name"].toString() + ": " + check["detail"].toString();
        }
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join("\n")));
    }
};

QUILL_QTEST_MAIN(PreviewControllerTest, QApplication)
#include "PreviewControllerTest.moc"
