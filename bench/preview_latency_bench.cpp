// Preview latency: opens a document in a real window, saves a change to it
// (an atomic rename and an in-place write, by turns) and measures from the
// save to the updated page: when the window has the new page (its DOM), and
// when the view first shows different pixels. While it waits, a 5 ms timer
// on the GUI thread records the longest stretch the window did not answer.
//
//   preview_latency_bench [--rounds N] [--outline] DOCUMENT...
//
// --outline shows the outline panel, which follows every update too.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise; settings and support
// folder live in a temporary home, so the user's own are never touched.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "app/AppDelegate.h"
#include "window/Document.h"
#include "window/PreviewController.h"
#include "window/OutlinePanel.h"
#include "WindowBenchSetup.h"

namespace {

struct Sample {
    double domMs = -1;
    double pixelsMs = -1;
    double longestStallMs = 0;
};

// The line the bench rewrites: the document's first block, so that the
// change is in view.
QByteArray withMarker(const QByteArray& body, int round) {
    return "Latency marker " + QByteArray::number(round) + " " + QByteArray(round % 7 + 1, 'x') + "\n\n" + body;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

bool save(const QString& path, const QByteArray& bytes, bool atomic) {
    if (!atomic)
        return writeBytes(path, bytes);
    const QString temporary = path + ".saving~";
    return writeBytes(temporary, bytes)
           && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0;
}

template <typename Predicate>
bool waitFor(Predicate done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

Sample measureOneSave(Document* document, const QString& path, const QByteArray& bytes, bool atomic) {
    Sample sample;
    QWebEngineView* view = document->webView();
    const QImage before = view->grab().toImage();
    const int loads = document->preview()->completedLoads();

    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    // Our own grabs hold the GUI thread too; their time is not the window's.
    double grabbingMs = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const double gap = double(sinceTick.nsecsElapsed()) / 1e6 - grabbingMs;
        sample.longestStallMs = std::max(sample.longestStallMs, gap);
        grabbingMs = 0;
        sinceTick.restart();
    });
    auto grab = [&] {
        QElapsedTimer grabbing;
        grabbing.start();
        QImage image = view->grab().toImage();
        grabbingMs += double(grabbing.nsecsElapsed()) / 1e6;
        return image;
    };
    clock.start();
    sinceTick.start();
    ticker.start();
    if (!save(path, bytes, atomic)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return sample;
    }
    const bool painted = waitFor(
        [&] {
            if (sample.domMs < 0 && document->preview()->completedLoads() > loads)
                sample.domMs = double(clock.nsecsElapsed()) / 1e6;
            if (sample.domMs < 0)
                return false;
            // Only the frame that shows the change counts.
            return grab() != before;
        },
        60000);
    if (painted)
        sample.pixelsMs = double(clock.nsecsElapsed()) / 1e6;
    // Work that follows the update (statistics, the source view) counts as
    // well; then the page settles before the next save.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ticker.stop();
    return sample;
}

double median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double maximum(const std::vector<double>& values) {
    return values.empty() ? -1 : *std::max_element(values.begin(), values.end());
}

void benchDocument(AppDelegate& delegate, const QString& source, int rounds, bool outline, const QString& workFolder) {
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return;
    }
    const QByteArray body = input.readAll();
    const QString path = workFolder + "/" + QFileInfo(source).fileName();
    writeBytes(path, withMarker(body, 0));

    // Opening too: the longest the window goes without answering until the
    // page is shown and its text counted.
    double openingStallMs = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        openingStallMs = std::max(openingStallMs, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();
    Document* document = delegate.openDocument(path);
    if (!document || !waitFor([&] { return document->preview()->completedLoads() > 0 && document->isWatching(); }, 120000)) {
        std::fprintf(stderr, "%s did not open\n", qPrintable(source));
        return;
    }
    document->resize(1000, 800);
    if (outline)
        document->outlinePanel()->show();
    document->show();
    waitFor([] { return false; }, 1500);
    ticker.stop();
    std::printf("%-19s %9lld  %-8s %44.0f\n", qPrintable(QFileInfo(source).fileName()),
                static_cast<long long>(body.size()), "open", openingStallMs);

    for (const bool atomic : {true, false}) {
        std::vector<double> dom, pixels, stalls;
        for (int round = 1; round <= rounds; ++round) {
            const Sample sample = measureOneSave(document, path, withMarker(body, round + (atomic ? 0 : 100)), atomic);
            if (sample.domMs >= 0)
                dom.push_back(sample.domMs);
            if (sample.pixelsMs >= 0)
                pixels.push_back(sample.pixelsMs);
            stalls.push_back(sample.longestStallMs);
        }
        const QString name = QFileInfo(source).fileName() + (outline ? "+outline" : "");
        std::printf("%-19s %9lld  %-8s %8.0f %8.0f %8.0f %8.0f %9.0f\n", qPrintable(name),
                    static_cast<long long>(body.size()), atomic ? "rename" : "in-place", median(dom), maximum(dom),
                    median(pixels), maximum(pixels), maximum(stalls));
        std::fflush(stdout);
    }
    document->close();
    waitFor([] { return false; }, 300);
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    benchsupport::prepareWindowBench(home);
    QApplication application(argc, argv);

    int rounds = 5;
    bool outline = false;
    QStringList documents;
    const QStringList arguments = application.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--rounds" && i + 1 < arguments.size())
            rounds = std::max(1, arguments[++i].toInt());
        else if (arguments[i] == "--outline")
            outline = true;
        else
            documents << arguments[i];
    }
    if (documents.isEmpty()) {
        std::fprintf(stderr, "usage: preview_latency_bench [--rounds N] [--outline] DOCUMENT...\n");
        return 2;
    }

    AppDelegate delegate;
    const QString workFolder = home.path() + "/documents";
    QDir().mkpath(workFolder);
    std::printf("from the save to the updated page, milliseconds (%d saves each); the coalescing delay is 500 ms\n",
                rounds);
    std::printf("%-19s %9s  %-8s %8s %8s %8s %8s %9s\n", "document", "bytes", "save", "dom-med", "dom-max",
                "paint-med", "paint-max", "gui-stall");
    for (const QString& document : documents)
        benchDocument(delegate, document, rounds, outline, workFolder);
    return 0;
}
