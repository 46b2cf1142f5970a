#include "preferences/InterpreterVersion.h"

#include <QFileInfo>

#include "dispatch/ChildProcess.h"

namespace interpreterversion {

Answer ask(const QString& program, int timeLimitMilliseconds) {
    Answer answer;
    // A folder or an unreadable path would only give a launch error.
    if (program.isEmpty() || QFileInfo(program).isDir())
        return answer;
    const ChildProcessResult result = runChildProcess(program, {"-v"}, {}, timeLimitMilliseconds);
    answer.started = result.started;
    answer.timedOut = result.timedOut;
    const QString output = QString::fromUtf8(result.output);
    answer.firstLine = output.section('\n', 0, 0).trimmed();
    return answer;
}

}  // namespace interpreterversion
