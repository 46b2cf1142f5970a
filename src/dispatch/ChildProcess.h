#pragma once
// Runs a program with the text on its standard input and collects its
// standard output. Writing and reading overlap, so a program that answers
// before it has read everything cannot stall; a program that never exits is
// stopped after the time limit.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ChildProcessResult {
    bool started = false;
    bool timedOut = false;
    QByteArray output;
};

ChildProcessResult runChildProcess(const QString& program, const QStringList& arguments, const QByteArray& input,
                                   int timeLimitMilliseconds = 60000);
