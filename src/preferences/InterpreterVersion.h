#pragma once
// Asks an interpreter for its version ("PROGRAM -v") the way the
// interpreter pane does: standard input closed at once, so a program that
// reads it (/bin/cat) ends, and a time limit for one that never does.

#include <QString>

namespace interpreterversion {

inline constexpr int kTimeLimitMilliseconds = 5000;

struct Answer {
    bool started = false;   // the program could be run at all
    bool timedOut = false;  // stopped after the time limit
    QString firstLine;      // the first line of its output, trimmed; may be empty
};

Answer ask(const QString& program, int timeLimitMilliseconds = kTimeLimitMilliseconds);

}  // namespace interpreterversion
