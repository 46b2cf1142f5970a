#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringDecoder>

#include "dispatch/ApplicationResources.h"
#include "dispatch/ChildProcess.h"
#include "dispatch/MarkupTransformTask.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"
#include "textbundle/ZipArchive.h"

Q_DECLARE_LOGGING_CATEGORY(lcInterpreter)

namespace {

const QStringList kScriptLanguages = {"markdown", "textile", "wikitext", "bbcode",
                                      "html",     "tessel",  "sumwise",  "markdownextra"};

QString multiMarkdownFolder() {
    return QString("%1/MarkupLanguages/mmd/").arg(AppSupportFilePaths::appSupportFilePath());
}

}  // namespace

void MarkupTransformTask::prepareExternalRoad(const QString& markupLanguageAsPassed) {
    SettingsStore& settings = SettingsStore::shared();
    if (settings.boolValue("VANTREL_Use_CustomPHP_Markup_Transformation")) {
        phpLaunchPath = settings.stringValue("VANTREL_CUSTO_PHP_URL");
    } else if (!mmd_UseExe) {
        // There is no system PHP to fall back on here: the built-in
        // converters take over.
        useObjectiveC = true;
    }

    if (kScriptLanguages.contains(markLanguage)) {
        phpScriptPath = ApplicationResources::pathForResource(markLanguage + "Transform", "php");
    } else if (markLanguage == "multimarkdown") {
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

QString MarkupTransformTask::runExternalInterpreter(const QString& text, const QString& textBundlePath) const {
    QStringList arguments;
    if (!(mmdFilePath && phpLaunchPath == *mmdFilePath))
        arguments << phpScriptPath;
    if (markLanguage == "tessel" && !textBundlePath.isEmpty())
        arguments << textBundlePath;
    ChildProcessResult result = runChildProcess(phpLaunchPath, arguments, text.toUtf8());
    // Output that is not UTF-8 gives an empty page rather than mojibake.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString html = decoder.decode(result.output);
    return decoder.hasError() ? QString() : html;
}
