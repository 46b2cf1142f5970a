#pragma once
// Turns a markup text into an HTML fragment: chooses between the built-in
// converters and an external interpreter, and wraps the conversion in the
// CriticMarkup steps when asked.

#include <QString>
#include <functional>
#include <optional>

#include "dispatch/MarkupLanguages.h"
#include "engine/ConversionBudget.h"
#include "settings/SettingsStore.h"

class MarkupTransformTask {
public:
    // The one entry the rest of the application calls. `documentFolder` is
    // where the document lives (Tessel resolves table imports there); empty
    // means the working folder, as for standard input.
    static QString transformString(const QString& text, const QString& fromMarkupLang, bool doCriticMarkup,
                                   const QString& documentFolder = QString());

    // The same, telling whether an external interpreter failed (the HTML is
    // then a paragraph that says why) or the conversion was stopped (no HTML):
    // it ran past its time budget, or `cancelled` was set.
    struct Outcome {
        QString html;
        bool conversionFailed = false;
        bool stopped = false;
    };
    static Outcome transformStringWithOutcome(const QString& text, const QString& fromMarkupLang, bool doCriticMarkup,
                                              const QString& documentFolder = QString(),
                                              engine::CancelFlag cancelled = {});

    MarkupTransformTask();

    void setMarkuplanguage(const QString& markupLanguage);
    QString performMarkupTaskonString(const QString& text, bool doCritics);
    QString performMarkupTaskonString(const QString& text, const QString& textBundlePath, bool doCritics);
    QString markupConversionOnString(const QString& text, const QString& textBundlePath, bool doCritics);

    // CriticMarkup: delimiters to neutral markers before the conversion,
    // markers to styled spans after it.
    static QString saveCriticsMarkupsPriorMarkupTranversion(const QString& text);
    static QString convertAdditionalCriticsInText(const QString& html);

    // Line ends as every converter expects them: CRLF and lone CR become LF.
    static QString normalisedLineEnds(const QString& text);

    bool mmd_UseExe = false;
    bool useBuiltInConverters = false;
    QString phpLaunchPath = "/usr/bin/php";
    QString phpScriptPath = "";
    QString markLanguage = "";
    std::optional<QString> mmdFilePath;
    QString documentFolder;
    // Set when the external road gave an error paragraph instead of HTML.
    bool conversionFailed = false;
    // Each conversion stops after this long, or once `cancelled` is set, and
    // then gives no HTML and sets `stopped`.
    int timeLimitMilliseconds = SettingsStore::conversionTimeLimitDefault();
    engine::CancelFlag cancelled;
    bool stopped = false;

private:
    QString convertWithinBudget(const QString& text, const QString& textBundlePath, bool doCritics);
    bool takesExternalRoad() const;
    QString builtInConversion(const QString& text) const;
    static QString markdownConversion(const QString& text, const markuplanguages::Flavour* flavour);
    static QString withFrontMatter(const QString& text, const std::function<QString(const QString&)>& convert);
    void prepareExternalRoad(const QString& markupLanguageAsPassed);
    void prepareMultiMarkdownRoad();
    QString runExternalInterpreter(const QString& text, const QString& textBundlePath);
    QString interpreterFailed(const QString& reason, const QByteArray& errorOutput);
};
