#include "dispatch/ChildProcess.h"

#include <QDeadlineTimer>
#include <QLoggingCategory>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInterpreter, "quillview.interpreter")

namespace {

void configure(QProcess& process, const ChildProcessRequest& request) {
    process.setProcessChannelMode(request.captureErrorOutput ? QProcess::SeparateChannels
                                                             : QProcess::ForwardedErrorChannel);
    if (!request.workingFolder.isEmpty())
        process.setWorkingDirectory(request.workingFolder);
    if (!request.environment.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (auto it = request.environment.cbegin(); it != request.environment.cend(); ++it)
            environment.insert(it.key(), it.value());
        process.setProcessEnvironment(environment);
    }
    // A group of its own, so that stopping it at the limit also stops what it
    // started (an interpreter's helper, a nested conversion).
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void stopProcessGroup(QProcess& process) {
    const qint64 id = process.processId();
    if (id > 0)
        ::kill(-pid_t(id), SIGKILL);
    process.kill();
    process.waitForFinished();
}

// Waits for the end of the program, feeding and draining its pipes; false
// when the limit came first or the caller asked to stop.
bool waitForEnd(QProcess& process, const ChildProcessRequest& request) {
    // How often a caller's stop request is looked at.
    constexpr int kStopRequestInterval = 50;
    const QDeadlineTimer limit(request.timeLimitMilliseconds);
    while (!limit.hasExpired()) {
        const int slice = request.stopRequested ? std::min<qint64>(kStopRequestInterval, limit.remainingTime())
                                                : int(limit.remainingTime());
        if (process.waitForFinished(slice) || process.state() == QProcess::NotRunning)
            return true;
        if (request.stopRequested && request.stopRequested())
            return false;
    }
    return process.state() == QProcess::NotRunning;
}

}  // namespace

ChildProcessResult runChildProcess(const ChildProcessRequest& request) {
    ChildProcessResult result;
    QProcess process;
    configure(process, request);
    process.start(request.program, request.arguments);
    if (!process.waitForStarted()) {
        qCWarning(lcInterpreter) << "could not start" << request.program << process.errorString();
        return result;
    }
    result.started = true;
    process.write(request.input);
    process.closeWriteChannel();
    // waitForFinished feeds standard input and drains the output channels as
    // the pipes allow, so neither side can block the other.
    if (!waitForEnd(process, request)) {
        result.timedOut = true;
        qCWarning(lcInterpreter) << request.program << "stopped: it did not finish in time";
        stopProcessGroup(process);
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    if (request.captureErrorOutput)
        result.errorOutput = process.readAllStandardError();
    return result;
}

ChildProcessResult runChildProcess(const QString& program, const QStringList& arguments, const QByteArray& input,
                                   int timeLimitMilliseconds) {
    ChildProcessRequest request;
    request.program = program;
    request.arguments = arguments;
    request.input = input;
    request.timeLimitMilliseconds = timeLimitMilliseconds;
    return runChildProcess(request);
}
