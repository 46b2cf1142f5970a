#include "dispatch/ChildProcess.h"

#include <QLoggingCategory>
#include <QProcess>

Q_LOGGING_CATEGORY(lcInterpreter, "quillview.interpreter")

ChildProcessResult runChildProcess(const QString& program, const QStringList& arguments, const QByteArray& input,
                                   int timeLimitMilliseconds) {
    ChildProcessResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        qCWarning(lcInterpreter) << "could not start" << program << process.errorString();
        return result;
    }
    result.started = true;
    process.write(input);
    process.closeWriteChannel();
    // waitForFinished feeds standard input and drains standard output as the
    // pipes allow, so neither side can block the other.
    if (!process.waitForFinished(timeLimitMilliseconds) && process.state() != QProcess::NotRunning) {
        result.timedOut = true;
        qCWarning(lcInterpreter) << program << "did not finish within" << timeLimitMilliseconds << "ms; stopped";
        process.kill();
        process.waitForFinished();
    }
    result.output = process.readAllStandardOutput();
    return result;
}
