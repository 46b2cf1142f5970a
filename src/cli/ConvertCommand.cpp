#include "cli/ConvertCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <optional>
#include <variant>

#include "cli/HeadlessStartup.h"
#include "dispatch/MarkupLanguages.h"
#include "dispatch/MarkupTransformTask.h"
#include "document/PageTemplate.h"
#include "settings/SettingsStore.h"

const char* const kConvertUsage =
    "usage: quillview convert [--lang ID] [--critic] [--page] [--set KEY=VALUE]... FILE|-\n"
    "  --lang ID          markup language (markdown, markdownextra, multimarkdown, textile,\n"
    "                     wikitext, bbcode, tessel, html); default: by the file's extension\n"
    "  --critic           render CriticMarkup review marks\n"
    "  --page             the whole page as the preview loads it (style and font size)\n"
    "  --set KEY=VALUE    override a setting for this run (true/false, decimal, text)\n"
    "  FILE               the document, or - for standard input\n";

namespace {

struct ConvertOptions {
    std::optional<QString> language;
    bool critic = false;
    bool page = false;
    QStringList assignments;
    QString file;
};

int usageError(const QString& message) {
    QTextStream(stderr) << "quillview convert: " << message << "\n" << kConvertUsage;
    return 2;
}

// The options, or an error text.
std::variant<ConvertOptions, QString> parseOptions(const QStringList& arguments) {
    ConvertOptions options;
    bool haveFile = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--lang" || argument == "--set") {
            if (!hasValue)
                return QString("%1 needs a value").arg(argument);
            if (argument == "--lang")
                options.language = arguments[++i];
            else
                options.assignments << arguments[++i];
        } else if (argument == "--critic") {
            options.critic = true;
        } else if (argument == "--page") {
            options.page = true;
        } else if (argument.startsWith("-") && argument != "-") {
            return QString("unknown option %1").arg(argument);
        } else if (haveFile) {
            return QString("only one file can be converted at a time");
        } else {
            options.file = argument;
            haveFile = true;
        }
    }
    if (!haveFile)
        return QString("no file given");
    return options;
}

std::optional<QByteArray> readInput(const QString& file, QString* error) {
    QFile input;
    bool opened = file == "-" ? input.open(stdin, QIODevice::ReadOnly) : (input.setFileName(file), input.open(QIODevice::ReadOnly));
    if (!opened || QFileInfo(file).isDir()) {
        *error = QString("cannot read %1: %2").arg(file, QFileInfo(file).isDir() ? "is a folder" : input.errorString());
        return std::nullopt;
    }
    return input.readAll();
}

}  // namespace

int runConvertCommand(const QStringList& arguments) {
    auto parsed = parseOptions(arguments);
    if (auto* message = std::get_if<QString>(&parsed))
        return usageError(*message);
    const ConvertOptions& options = std::get<ConvertOptions>(parsed);

    prepareConversions([](const QString& title, const QString& message) {
        QTextStream(stderr) << title << ": " << message << "\n";
    });
    for (const QString& assignment : options.assignments)
        if (auto error = SettingsStore::shared().setOverrideFromAssignment(assignment))
            return usageError(*error);

    QString error;
    std::optional<QByteArray> bytes = readInput(options.file, &error);
    if (!bytes) {
        QTextStream(stderr) << "quillview convert: " << error << "\n";
        return 2;
    }
    // Invalid UTF-8 becomes replacement characters.
    const QString text = QString::fromUtf8(*bytes);
    const QString language = options.language.value_or(
        markuplanguages::markupLangSelectFromExtension(options.file == "-" ? QString() : QFileInfo(options.file).suffix()));
    const QString documentFolder = options.file == "-" ? QString() : QFileInfo(options.file).absolutePath();
    const QString fragment = MarkupTransformTask::transformString(text, language, options.critic, documentFolder);
    const QByteArray html = (options.page ? pagetemplate::pageWithFragment(fragment) : fragment).toUtf8();
    std::fwrite(html.constData(), 1, size_t(html.size()), stdout);
    std::fflush(stdout);
    return 0;
}
