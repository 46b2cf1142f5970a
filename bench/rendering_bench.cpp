// Code colours, math and diagrams: how long a 1 MB Markdown document with
// 300 code blocks, 100 formulas and 5 diagrams takes from opening to its
// first screen, with the three switches on and off; how long until the whole
// page has rendered; and the longest stretch the window did not answer
// meanwhile (a 5 ms timer on the GUI thread).
//
//   rendering_bench [--rounds N]
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise, in a temporary home.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "app/AppDelegate.h"
#include "window/Document.h"
#include "window/PreviewController.h"
#include "settings/SettingsStore.h"
#include "WindowBenchSetup.h"

namespace {

const char* const kLanguages[] = {"python", "cpp", "javascript", "rust", "bash", "json"};

QByteArray benchDocument() {
    QByteArray text = "# Rendering bench\n\n";
    const QByteArray prose = "Plain prose between the blocks, long enough to wrap over a line or two of the window, "
                             "with a *little* emphasis and `code` here and there.\n\n";
    int code = 0, formulas = 0, diagrams = 0;
    while (text.size() < 1024 * 1024) {
        for (int i = 0; i < 20; ++i)
            text += prose;
        if (code < 300) {
            text += "```" + QByteArray(kLanguages[code % 6]) + "\n";
            for (int line = 0; line < 12; ++line)
                text += "for (int i = 0; i < " + QByteArray::number(line) + "; ++i) { total += values[i] * \"x\"; }\n";
            text += "```\n\n";
            ++code;
        }
        if (formulas < 100) {
            text += formulas % 3 ? "Inline $a_" + QByteArray::number(formulas) + " = \\frac{x^2}{y}$ in prose.\n\n"
                                 : QByteArray("$$\n\\sum_{k=1}^{n} k^2 = \\frac{n(n+1)(2n+1)}{6}\n$$\n\n");
            ++formulas;
        }
        if (diagrams < 5 && code % 60 == 30) {
            text += "```mermaid\nflowchart LR\n  A[Start] --> B{Test}\n  B -- yes --> C[Done]\n  B -- no --> A\n```\n\n";
            ++diagrams;
        }
    }
    return text;
}

// True once every element to render within the first screen has rendered.
const char* const kFirstScreenDone = R"JS((function () {
  var pending = document.querySelectorAll('code[class*="language-"], span.math:not(.quillview-math-error)');
  for (var i = 0; i < pending.length; ++i) {
    if (pending[i].querySelector('.katex, [class^="hljs-"]')) continue;
    var pre = pending[i].closest('pre');
    if (pre && pre.classList.contains('quillview-diagram-block')) continue;
    var r = (pre || pending[i]).getBoundingClientRect();
    if (r.top < window.innerHeight && r.bottom > 0) return false;
  }
  return document.body.innerText.length > 0;
})())JS";

// True once everything has rendered; the diagrams come in a later call.
const char* const kWholePageDone =
    "window.quillviewRenderingDone === true && !document.querySelector('code.language-mermaid')";

struct Times {
    double firstScreenMs = -1;
    double wholeMs = -1;
    double longestStallMs = 0;
};

QVariant evaluate(Document* document, const QString& script) {
    QVariant result;
    bool done = false;
    document->webView()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return result;
}

Times openOnce(AppDelegate& delegate, const QString& path, bool rendering) {
    SettingsStore& settings = SettingsStore::shared();
    settings.setHighlightCode(rendering);
    settings.setTypesetMath(rendering);
    settings.setDrawDiagrams(rendering);
    Times times;
    QElapsedTimer clock, sinceTick;
    clock.start();
    sinceTick.start();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        times.longestStallMs = std::max(times.longestStallMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    ticker.start(5);
    Document* document = delegate.openDocument(path);
    document->resize(1000, 800);
    document->show();
    while (clock.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (document->preview()->completedLoads() == 0)
            continue;
        if (times.firstScreenMs < 0 && evaluate(document, kFirstScreenDone).toBool())
            times.firstScreenMs = clock.nsecsElapsed() / 1e6;
        if (times.firstScreenMs >= 0
            && (!rendering || evaluate(document, kWholePageDone).toBool())) {
            times.wholeMs = clock.nsecsElapsed() / 1e6;
            break;
        }
        if (rendering && times.firstScreenMs >= 0)
            evaluate(document, "quillviewRendering.finished().then(function () { window.quillviewRenderingDone = true; })");
    }
    document->close();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return times;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    benchsupport::prepareWindowBench(home);
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const int at = arguments.indexOf("--rounds");
    const int rounds = at > 0 && at + 1 < arguments.size() ? std::max(1, arguments[at + 1].toInt()) : 3;

    AppDelegate delegate;
    const QString path = home.path() + "/rendering.md";
    QFile file(path);
    const QByteArray text = benchDocument();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return 1;
    file.close();
    // The first open also starts the web engine: it is not counted.
    openOnce(delegate, path, true);
    std::printf("opening %lld bytes, milliseconds (median of %d opens each)\n", static_cast<long long>(text.size()), rounds);
    std::printf("%-10s %12s %12s %10s\n", "rendering", "first-screen", "whole-page", "gui-stall");
    for (const bool rendering : {false, true}) {
        std::vector<double> first, whole, stall;
        for (int round = 0; round < rounds; ++round) {
            const Times times = openOnce(delegate, path, rendering);
            first.push_back(times.firstScreenMs);
            whole.push_back(times.wholeMs);
            stall.push_back(times.longestStallMs);
        }
        std::printf("%-10s %12.0f %12.0f %10.0f\n", rendering ? "on" : "off", median(first), median(whole),
                    *std::max_element(stall.begin(), stall.end()));
        std::fflush(stdout);
    }
    return 0;
}
