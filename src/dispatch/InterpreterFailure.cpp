#include "dispatch/InterpreterFailure.h"

#include <QCoreApplication>

namespace interpreterfailure {

namespace {

// The reasons are shown to the user; lupdate reads the context from here.
struct Reason {
    Q_DECLARE_TR_FUNCTIONS(ExternalInterpreter)
};

// A runaway interpreter can write megabytes of warnings; the end holds the
// message that matters.
constexpr qsizetype kLargestErrorOutput = 16 * 1024;

}  // namespace

QString reasonForRun(const QString& program, const ChildProcessResult& run, bool documentHasText,
                     bool outputIsUtf8) {
    if (!run.started)
        return Reason::tr("%1 could not be started.").arg(program);
    if (run.crashed)
        return Reason::tr("%1 ended abnormally.").arg(program);
    if (run.exitCode != 0)
        return Reason::tr("%1 ended with exit status %2.").arg(program).arg(run.exitCode);
    if (!outputIsUtf8)
        return Reason::tr("%1 printed text that is not UTF-8.").arg(program);
    if (documentHasText && run.output.trimmed().isEmpty())
        return Reason::tr("%1 printed nothing.").arg(program);
    return QString();
}

QString missingScriptReason(const QString& language, const QString& scriptPath) {
    if (scriptPath.isEmpty())
        return Reason::tr("There is no conversion script for the markup language \"%1\".").arg(language);
    return Reason::tr("The conversion script %1 is missing and could not be installed.").arg(scriptPath);
}

QString errorParagraph(const QString& reason, const QByteArray& errorOutput) {
    QString html = QString("<p class=\"interpreter-error\"><strong>%1</strong> %2</p>\n")
                       .arg(Reason::tr("The document could not be converted.").toHtmlEscaped(), reason.toHtmlEscaped());
    QByteArray shown = errorOutput.trimmed();
    if (shown.isEmpty())
        return html;
    if (shown.size() > kLargestErrorOutput)
        shown = "…" + shown.right(kLargestErrorOutput);
    // Wrapped: an interpreter's message is often one long line with a path.
    return html + QString("<pre class=\"interpreter-error\" style=\"white-space: pre-wrap\">%1</pre>\n").arg(QString::fromUtf8(shown).toHtmlEscaped());
}

}  // namespace interpreterfailure
