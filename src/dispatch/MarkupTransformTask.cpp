#include "dispatch/MarkupTransformTask.h"

#include "bbcode/BBCodeConverter.h"
#include "markdown/MarkdownConverter.h"
#include "tessel/TesselConverter.h"
#include "dispatch/FrontMatter.h"
#include "dispatch/MarkupLanguages.h"
#include "gfm/GithubMarkdown.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/UnicodeBridge.h"
#include "settings/SettingsStore.h"
#include "textile/TextileConverter.h"
#include "wikitext/WikitextConverter.h"

QString MarkupTransformTask::transformString(const QString& text, const QString& fromMarkupLang,
                                             bool doCriticMarkup, const QString& documentFolder) {
    return transformStringWithOutcome(text, fromMarkupLang, doCriticMarkup, documentFolder).html;
}

MarkupTransformTask::Outcome MarkupTransformTask::transformStringWithOutcome(const QString& text,
                                                                             const QString& fromMarkupLang,
                                                                             bool doCriticMarkup,
                                                                             const QString& documentFolder,
                                                                             engine::CancelFlag cancelled) {
    MarkupTransformTask task;
    task.documentFolder = documentFolder;
    task.cancelled = std::move(cancelled);
    task.setMarkuplanguage(fromMarkupLang);
    Outcome outcome;
    outcome.html = task.performMarkupTaskonString(text, doCriticMarkup);
    outcome.conversionFailed = task.conversionFailed;
    outcome.stopped = task.stopped;
    return outcome;
}

namespace {

int conversionTimeLimit() {
    const int stored = SettingsStore::shared().conversionTimeLimit();
    return stored > 0 ? stored : SettingsStore::conversionTimeLimitDefault();
}

}  // namespace

MarkupTransformTask::MarkupTransformTask()
    : useBuiltInConverters(SettingsStore::shared().useBuiltInConverters()),
      mmdFilePath(SettingsStore::shared().multiMarkdownProgram()),
      timeLimitMilliseconds(conversionTimeLimit()) {}

void MarkupTransformTask::setMarkuplanguage(const QString& markupLanguage) {
    markLanguage = markuplanguages::normalisedIdentifier(markupLanguage);
    mmd_UseExe = false;
    // Only a stored empty path sends MultiMarkdown to the built-in converter.
    if (markLanguage == languageids::kMultiMarkdown && (!mmdFilePath || !mmdFilePath->isEmpty()))
        mmd_UseExe = true;
    if (!takesExternalRoad())
        return;
    prepareExternalRoad(markupLanguage);
}

QString MarkupTransformTask::performMarkupTaskonString(const QString& text, bool doCritics) {
    return performMarkupTaskonString(text, QString(), doCritics);
}

QString MarkupTransformTask::performMarkupTaskonString(const QString& text, const QString& textBundlePath,
                                                       bool doCritics) {
    stopped = false;
    const engine::ConversionBudget budget(std::chrono::milliseconds(timeLimitMilliseconds), cancelled);
    try {
        return convertWithinBudget(text, textBundlePath, doCritics);
    } catch (const engine::ConversionStopped&) {
        // Every road unwinds to here: half a page is never shown.
        stopped = true;
        return QString();
    }
}

QString MarkupTransformTask::convertWithinBudget(const QString& text, const QString& textBundlePath, bool doCritics) {
    QString source = normalisedLineEnds(text);
    if (doCritics)
        source = saveCriticsMarkupsPriorMarkupTranversion(source);
    engine::stopIfOverBudget();
    QString html = markupConversionOnString(source, textBundlePath, doCritics);
    engine::stopIfOverBudget();
    if (doCritics) {
        html = convertAdditionalCriticsInText(html);
        engine::stopIfOverBudget();
    }
    return html;
}

QString MarkupTransformTask::markupConversionOnString(const QString& text, const QString& textBundlePath,
                                                      bool /*doCritics*/) {
    if (takesExternalRoad())
        return runExternalInterpreter(text, textBundlePath);
    return builtInConversion(text);
}

// GitHub Markdown has no script of an interpreter: libcmark-gfm converts it
// whatever the interpreter choice.
bool MarkupTransformTask::takesExternalRoad() const {
    return (!useBuiltInConverters || mmd_UseExe) && markLanguage != languageids::kGithubMarkdown;
}

QString MarkupTransformTask::builtInConversion(const QString& text) const {
    const MarkupLanguage* language = markuplanguagetable::find(markLanguage);
    switch (language ? language->converter : Converter::None) {
    case Converter::Markdown: return markdownConversion(text, nullptr);
    case Converter::MarkdownExtra: return withFrontMatter(text, [](const QString& body) {
            return markdownConversion(body, &markuplanguages::markdownExtraFlavour());
        });
    case Converter::MultiMarkdown: return markdownConversion(text, &markuplanguages::multiMarkdownFlavour());
    case Converter::GithubMarkdown: return withFrontMatter(text, [](const QString& body) {
            return QString::fromStdString(gfm::toHtml(body.toStdString()));
        });
    case Converter::Tessel: {
        TesselConverter converter;
        converter.initWithString(unicodebridge::toUnicode(text), true);
        converter.setDocumentFolder(documentFolder.toStdString());
        return unicodebridge::toQString(converter.transform());
    }
    case Converter::BBCode:
        return unicodebridge::toQString(BBCodeConverter().initWithString(unicodebridge::toUnicode(text)).transform());
    case Converter::Textile:
        return unicodebridge::toQString(TextileConverter().initWithString(unicodebridge::toUnicode(text)).transform());
    case Converter::Wikitext:
        return unicodebridge::toQString(
            WikitextConverter().initWithString(unicodebridge::toUnicode(text), u"en", true).transform());
    case Converter::Html: return text;
    case Converter::None: break;
    }
    return "Unexspected Error: no valid markup language found";
}

QString MarkupTransformTask::markdownConversion(const QString& text, const markuplanguages::Flavour* flavour) {
    MarkdownConverter converter;
    converter.initWithString(unicodebridge::toUnicode(text));
    if (flavour)
        converter.setFlavour(*flavour);
    return unicodebridge::toQString(converter.transform());
}

// Front matter shows as a table of its keys above the document, or not at
// all when the setting says so; the converter sees only the rest.
QString MarkupTransformTask::withFrontMatter(const QString& text, const std::function<QString(const QString&)>& convert) {
    const frontmatter::Split split = frontmatter::split(text);
    if (!split.found)
        return convert(text);
    const bool hidden = SettingsStore::shared().hideFrontMatter();
    return (hidden ? QString() : frontmatter::tableHtml(split.entries)) + convert(split.body);
}

QString MarkupTransformTask::normalisedLineEnds(const QString& text) {
    if (!text.contains('\r'))
        return text;
    QString normalised = text;
    normalised.replace("\r\n", "\n");
    normalised.replace('\r', '\n');
    return normalised;
}
