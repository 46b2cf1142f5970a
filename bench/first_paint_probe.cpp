// Times a program from its launch to the first text on screen, by polling
// screenshots of the X display it runs on (the window is expected alone on a
// black root, as under a bare Xvfb). Text counts once the lower part of the
// window holds dark pixels, but not mostly dark ones (an unpainted view).
// With --settle it also waits until the program and its children go quiet,
// and reports when that was and their resident memory then and at its peak.
//
//   first_paint_probe [--rounds N] [--settle] -- PROGRAM ARGUMENTS...
//
// Prints one line: the median, least and most milliseconds to first text
// (and with --settle the median quiet time, peak and settled MB).
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

struct TreeUse {
    double rssMB = 0;
    long long cpuTicks = 0;
};

// The program and all its descendants, read from /proc.
TreeUse treeUse(qint64 root) {
    std::map<qint64, qint64> parentOf;
    std::map<qint64, TreeUse> own;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // Fields after the command name, which may hold spaces.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 22)
            continue;
        parentOf[pid] = fields[1].toLongLong();
        own[pid].cpuTicks = fields[11].toLongLong() + fields[12].toLongLong();
        own[pid].rssMB = fields[21].toDouble() * 4096.0 / 1e6;
    }
    TreeUse total;
    for (const auto& [pid, use] : own) {
        for (qint64 p = pid; p > 1; p = parentOf.count(p) ? parentOf[p] : 0) {
            if (p == root) {
                total.rssMB += use.rssMB;
                total.cpuTicks += use.cpuTicks;
                break;
            }
        }
    }
    return total;
}

bool showsText(const QImage& screen) {
    // The window: everything that is not the black root.
    int right = 0, bottom = 0;
    for (int y = 0; y < screen.height(); y += 4)
        for (int x = 0; x < screen.width(); x += 4)
            if ((screen.pixel(x, y) & 0xffffff) != 0) {
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    if (right < 100 || bottom < 100)
        return false;
    // Its lower part, clear of tool bars, status bar and the scroll bar.
    long dark = 0, all = 0;
    for (int y = bottom * 2 / 5; y < bottom - 40; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 8; x < right - 24; ++x) {
            ++all;
            if (qGray(line[x]) < 110)
                ++dark;
        }
    }
    return dark > 200 && dark < all * 3 / 10;
}

struct Round {
    double firstTextMs = -1;
    double quietMs = -1;
    double peakMB = 0;
    double settledMB = 0;
};

Round runOnce(const QStringList& command, bool settle) {
    Round round;
    QProcess program;
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    program.start(command.first(), command.mid(1));
    if (!program.waitForStarted(10000))
        return round;
    QScreen* screen = QGuiApplication::primaryScreen();
    long long lastTicks = -1;
    QElapsedTimer quiet;
    QElapsedTimer sinceMemory;
    sinceMemory.start();
    while (clock.elapsed() < 400000 && program.state() == QProcess::Running) {
        if (round.firstTextMs < 0) {
            const QImage shot = screen->grabWindow(0).toImage();
            if (showsText(shot)) {
                round.firstTextMs = double(clock.nsecsElapsed()) / 1e6;
                // To see what counted as text.
                if (qEnvironmentVariableIsSet("FIRST_PAINT_SHOT"))
                    shot.save(qEnvironmentVariable("FIRST_PAINT_SHOT"));
            }
        }
        if (settle && sinceMemory.elapsed() >= 250) {
            sinceMemory.restart();
            const TreeUse use = treeUse(program.processId());
            round.peakMB = std::max(round.peakMB, use.rssMB);
            // Quiet: under 5% of a core for 2 s, once text is shown.
            if (use.cpuTicks - lastTicks > 0.05 * 100 * 0.25 || round.firstTextMs < 0) {
                quiet.restart();
                lastTicks = use.cpuTicks;
            } else if (quiet.elapsed() >= 2000) {
                round.quietMs = double(clock.nsecsElapsed() - quiet.nsecsElapsed()) / 1e6;
                round.settledMB = use.rssMB;
                break;
            }
        }
        if (!settle && round.firstTextMs >= 0)
            break;
        // Waits as a pause, and notices a program that quit early.
        program.waitForFinished(10);
    }
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
    return round;
}

double median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    int rounds = 5;
    bool settle = false;
    QStringList command;
    const QStringList arguments = application.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--rounds" && i + 1 < arguments.size())
            rounds = std::max(1, arguments[++i].toInt());
        else if (arguments[i] == "--settle")
            settle = true;
        else if (arguments[i] == "--") {
            command = arguments.mid(i + 1);
            break;
        }
    }
    if (command.isEmpty()) {
        std::fprintf(stderr, "usage: first_paint_probe [--rounds N] [--settle] -- PROGRAM ARGUMENTS...\n");
        return 2;
    }
    std::vector<double> text, quietTimes, peaks, settled;
    for (int i = 0; i < rounds; ++i) {
        const Round round = runOnce(command, settle);
        if (round.firstTextMs >= 0)
            text.push_back(round.firstTextMs);
        if (round.quietMs >= 0) {
            quietTimes.push_back(round.quietMs);
            settled.push_back(round.settledMB);
        }
        peaks.push_back(round.peakMB);
        QThread::msleep(300);
    }
    const auto [least, most] = std::minmax_element(text.begin(), text.end());
    std::printf("%8.0f %8.0f %8.0f", median(text), text.empty() ? -1 : *least, text.empty() ? -1 : *most);
    if (settle)
        std::printf(" %9.0f %8.0f %8.0f", median(quietTimes), median(peaks), median(settled));
    std::printf("  (%zu/%d rounds showed text)\n", text.size(), rounds);
    return 0;
}
