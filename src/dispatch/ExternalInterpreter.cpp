#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>

#include "dispatch/ApplicationResources.h"
#include "dispatch/ChildProcess.h"
#include "dispatch/ConversionScripts.h"
#include "dispatch/InterpreterFailure.h"
#include "dispatch/MarkupTransformTask.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"
#include "textbundle/ZipArchive.h"

Q_DECLARE_LOGGING_CATEGORY(lcInterpreter)

namespace {

QString multiMarkdownFolder() {
    return QString("%1/MarkupLanguages/mmd/").arg(AppSupportFilePaths::appSupportFilePath());
}

// The binary the Tessel script runs: this one, unless the environment names
// another (tests name the application from a test program).
QString quillviewBinary() {
    const QString named = qEnvironmentVariable("QUILLVIEW_BINARY");
    if (!named.isEmpty() || !QCoreApplication::instance())
        return named;
    return QCoreApplication::applicationFilePath();
}

}  // namespace

void MarkupTransformTask::prepareExternalRoad(const QString& markupLanguageAsPassed) {
    SettingsStore& settings = SettingsStore::shared();
    if (settings.useCustomPhp()) {
        phpLaunchPath = settings.customPhpPath();
    } else if (!mmd_UseExe) {
        // There is no system PHP to fall back on here: the built-in
        // converters take over.
        useBuiltInConverters = true;
    }

    const MarkupLanguage* language = markuplanguagetable::find(markLanguage);
    if (language && !language->scriptName.isEmpty()) {
        phpScriptPath = conversionscripts::installedScriptPath(language->scriptName);
    } else if (markLanguage == languageids::kMultiMarkdown) {
        phpScriptPath = "mmd.pl";
        prepareMultiMarkdownRoad();
    } else {
        qCWarning(lcInterpreter).noquote()
            << QString("ERROR: provided markuplang %1 doesn't exist or is not supported!").arg(markupLanguageAsPassed);
    }
}

void MarkupTransformTask::prepareMultiMarkdownRoad() {
    if (mmdFilePath && QFileInfo(*mmdFilePath).isFile() && QFileInfo(*mmdFilePath).isExecutable()) {
        phpLaunchPath = *mmdFilePath;
        return;
    }
    const QString folder = multiMarkdownFolder();
    phpScriptPath = folder + "MultiMarkdown.pl";
    phpLaunchPath = "/usr/bin/perl";
    if (QFileInfo::exists(phpScriptPath))
        return;
    QDir().mkpath(folder);
    const QString archive = folder + "mmd.zip";
    QFile::remove(archive);
    QFile::copy(ApplicationResources::pathForResource("mmd", "zip"), archive);
    QString error;
    if (!extractZipArchive(archive, folder, &error))
        qCWarning(lcInterpreter) << "could not unpack the MultiMarkdown script:" << error;
}

QString MarkupTransformTask::runExternalInterpreter(const QString& text, const QString& textBundlePath) {
    const bool runsScript = !(mmdFilePath && phpLaunchPath == *mmdFilePath);
    // Without its script, php would read the document itself as its program.
    if (runsScript && (phpScriptPath.isEmpty() || !QFileInfo(phpScriptPath).isFile()))
        return interpreterFailed(interpreterfailure::missingScriptReason(markLanguage, phpScriptPath), {});

    ChildProcessRequest request;
    request.program = phpLaunchPath;
    if (runsScript)
        request.arguments << phpScriptPath;
    if (markLanguage == "tessel" && !textBundlePath.isEmpty())
        request.arguments << textBundlePath;
    request.input = text.toUtf8();
    request.timeLimitMilliseconds = timeLimitMilliseconds;
    request.stopRequested = engine::conversionShouldStop;
    request.environment = {{"QUILLVIEW_BINARY", quillviewBinary()}, {"QUILLVIEW_DOCUMENT_FOLDER", documentFolder}};
    request.captureErrorOutput = true;
    const ChildProcessResult run = runChildProcess(request);
    // Stopped with its process group; what it printed so far is no page.
    if (run.timedOut)
        throw engine::ConversionStopped{};

    // Stateless: a sequence cut off at the end is an error, not pending input.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString html = decoder.decode(run.output);
    const QString reason = interpreterfailure::reasonForRun(QFileInfo(phpLaunchPath).fileName(), run,
                                                            !text.trimmed().isEmpty(), !decoder.hasError());
    if (!reason.isEmpty())
        return interpreterFailed(reason, run.errorOutput);
    if (!run.errorOutput.trimmed().isEmpty())
        qCInfo(lcInterpreter).noquote() << phpLaunchPath << "warned:" << QString::fromUtf8(run.errorOutput.trimmed());
    return html;
}

QString MarkupTransformTask::interpreterFailed(const QString& reason, const QByteArray& errorOutput) {
    conversionFailed = true;
    qCWarning(lcInterpreter).noquote() << "conversion failed:" << reason << QString::fromUtf8(errorOutput.trimmed());
    return interpreterfailure::errorParagraph(reason, errorOutput);
}
