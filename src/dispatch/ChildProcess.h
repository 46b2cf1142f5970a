#pragma once
// Runs a program with the text on its standard input and collects its
// standard output. Writing and reading overlap, so a program that answers
// before it has read everything cannot stall; a program that never exits is
// stopped after the time limit, or when the caller asks, together with any
// program it started.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

struct ChildProcessResult {
    bool started = false;
    bool timedOut = false;     // stopped at the limit or on request
    bool crashed = false;      // ended by a signal (or stopped at the limit)
    int exitCode = -1;         // meaningful when it started and did not crash
    QByteArray output;
    QByteArray errorOutput;    // only when captured, see ChildProcessRequest

    bool succeeded() const { return started && !timedOut && !crashed && exitCode == 0; }
};

struct ChildProcessRequest {
    QString program;
    QStringList arguments;
    QByteArray input;
    int timeLimitMilliseconds = 60000;
    QString workingFolder;                // empty: ours
    QHash<QString, QString> environment;  // added to ours
    bool captureErrorOutput = false;      // otherwise it goes to our standard error
    std::function<bool()> stopRequested;  // asked now and then while it runs: true stops it
};

ChildProcessResult runChildProcess(const ChildProcessRequest& request);

ChildProcessResult runChildProcess(const QString& program, const QStringList& arguments, const QByteArray& input,
                                   int timeLimitMilliseconds = 60000);
