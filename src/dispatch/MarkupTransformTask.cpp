#include "dispatch/MarkupTransformTask.h"

#include "bbcode/BBCode_ObjC.h"
#include "markdown/Markdown_ObjC.h"
#include "settings/SettingsRegistry.h"
#include "tessel/Tessel_ObjC.h"
#include "dispatch/MarkupLanguages.h"
#include "settings/UnicodeBridge.h"
#include "settings/SettingsStore.h"
#include "textile/Textile_ObjC.h"
#include "wikitext/Wikitext_ObjC.h"

QString MarkupTransformTask::transformString(const QString& text, const QString& fromMarkupLang,
                                             bool doCriticMarkup, const QString& documentFolder) {
    return transformStringWithOutcome(text, fromMarkupLang, doCriticMarkup, documentFolder).html;
}

MarkupTransformTask::Outcome MarkupTransformTask::transformStringWithOutcome(const QString& text,
                                                                             const QString& fromMarkupLang,
                                                                             bool doCriticMarkup,
                                                                             const QString& documentFolder) {
    MarkupTransformTask task;
    task.documentFolder = documentFolder;
    task.setMarkuplanguage(fromMarkupLang);
    Outcome outcome;
    outcome.html = task.performMarkupTaskonString(text, doCriticMarkup);
    outcome.conversionFailed = task.conversionFailed;
    return outcome;
}

MarkupTransformTask::MarkupTransformTask()
    : useObjectiveC(SettingsStore::shared().boolValue(settingskeys::kUseBuiltInConverters)),
      mmdFilePath(SettingsStore::shared().optionalString(settingskeys::kMMDExePath)) {}

void MarkupTransformTask::setMarkuplanguage(const QString& markupLanguage) {
    markLanguage = markuplanguages::normalisedIdentifier(markupLanguage);
    mmd_UseExe = false;
    // Only a stored empty path sends MultiMarkdown to the built-in converter.
    if (markLanguage == "multimarkdown" && (!mmdFilePath || !mmdFilePath->isEmpty()))
        mmd_UseExe = true;
    if (useObjectiveC && !mmd_UseExe)
        return;
    prepareExternalRoad(markupLanguage);
}

QString MarkupTransformTask::performMarkupTaskonString(const QString& text, bool doCritics) {
    return performMarkupTaskonString(text, QString(), doCritics);
}

QString MarkupTransformTask::performMarkupTaskonString(const QString& text, const QString& textBundlePath,
                                                       bool doCritics) {
    QString source = normalisedLineEnds(text);
    if (doCritics)
        source = saveCriticsMarkupsPriorMarkupTranversion(source);
    QString html = markupConversionOnString(source, textBundlePath, doCritics);
    return doCritics ? convertAdditionalCriticsInText(html) : html;
}

QString MarkupTransformTask::markupConversionOnString(const QString& text, const QString& textBundlePath,
                                                      bool /*doCritics*/) {
    if (!useObjectiveC || mmd_UseExe)
        return runExternalInterpreter(text, textBundlePath);
    return builtInConversion(text);
}

QString MarkupTransformTask::builtInConversion(const QString& text) const {
    const icu::UnicodeString source = unicodebridge::toUnicode(text);
    if (markLanguage == "markdown")
        return unicodebridge::toQString(Markdown_ObjC().initWithString(source).transform());
    if (markLanguage == "markdownextra" || markLanguage == "multimarkdown") {
        Markdown_ObjC converter;
        converter.initWithString(source);
        converter.setFlavour(markLanguage == "markdownextra" ? markuplanguages::markdownExtraFlavour()
                                                             : markuplanguages::multiMarkdownFlavour());
        return unicodebridge::toQString(converter.transform());
    }
    if (markLanguage == "tessel") {
        Tessel_ObjC converter;
        converter.initWithString(source, true);
        converter.setDocumentFolder(documentFolder.toStdString());
        return unicodebridge::toQString(converter.transform());
    }
    if (markLanguage == "bbcode")
        return unicodebridge::toQString(BBCode_ObjC().initWithString(source).transform());
    if (markLanguage == "textile")
        return unicodebridge::toQString(Textile_ObjC().initWithString(source).transform());
    if (markLanguage == "wikitext")
        return unicodebridge::toQString(Wikitext_ObjC().initWithString(source, u"en", true).transform());
    if (markLanguage == "html")
        return text;
    return "Unexspected Error: no valid markup language found";
}

QString MarkupTransformTask::normalisedLineEnds(const QString& text) {
    if (!text.contains('\r'))
        return text;
    QString normalised = text;
    normalised.replace("\r\n", "\n");
    normalised.replace('\r', '\n');
    return normalised;
}
