#include "cli/ConvertCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <optional>
#include <variant>

#include "cli/HeadlessStartup.h"
#include "cli/Usage.h"
#include "dispatch/MarkupLanguages.h"
#include "pipeline/DocumentPipeline.h"
#include "pipeline/TextReading.h"
#include "settings/SettingsStore.h"

namespace {

struct ConvertOptions {
    std::optional<QString> language;
    bool critic = false;
    bool page = false;
    QStringList assignments;
    QString file;
};

int usageError(const QString& message) {
    QTextStream(stderr) << "quillview convert: " << message << "\n" << QString::fromStdString(usage::convertUsage());
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

// The language named on the command line as an identifier, or nothing when
// no converter has that name.
std::optional<QString> knownLanguage(const QString& named) {
    const QString identifier = markuplanguages::normalisedIdentifier(named);
    if (markuplanguages::displayValueForIdentifier(identifier).isEmpty())
        return std::nullopt;
    return identifier;
}

int failure(const QString& message) {
    QTextStream(stderr) << "quillview convert: " << message << "\n";
    return 2;
}

// Standard input has no file: its bytes are decoded as a file's would be.
std::optional<documentpipeline::Result> renderStandardInput(const ConvertOptions& options, const QString& language) {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = input.readAll();
    const QString text = textreading::decodeText(bytes).value_or(QString::fromUtf8(bytes));
    return documentpipeline::renderText(text, language, options.critic);
}

}  // namespace

int runConvertCommand(const QStringList& arguments) {
    auto parsed = parseOptions(arguments);
    if (auto* message = std::get_if<QString>(&parsed))
        return usageError(*message);
    const ConvertOptions& options = std::get<ConvertOptions>(parsed);
    QString language;
    if (options.language) {
        auto known = knownLanguage(*options.language);
        if (!known)
            return usageError(QString("unknown language %1").arg(*options.language));
        language = *known;
    }

    prepareConversions([](const QString& title, const QString& message) {
        QTextStream(stderr) << title << ": " << message << "\n";
    });
    for (const QString& assignment : options.assignments)
        if (auto error = SettingsStore::shared().setOverrideFromAssignment(assignment))
            return usageError(*error);

    documentpipeline::Result result;
    if (options.file == "-") {
        auto rendered = renderStandardInput(options, language);
        if (!rendered)
            return failure("cannot read standard input");
        result = *rendered;
    } else {
        documentpipeline::Request request;
        request.path = QFileInfo(options.file).absoluteFilePath();
        request.language = language;
        request.criticMarkup = options.critic;
        // A TextPack unpacks into a folder of this run's own; other files
        // need none, and a small file converts faster without making one.
        std::optional<QTemporaryDir> unpackFolder;
        if (QFileInfo(request.path).suffix() == "textpack") {
            unpackFolder.emplace(QDir::tempPath() + "/quillview-convert-XXXXXX");
            request.textpackUnpackFolder = unpackFolder->path() + "/package";
        }
        result = documentpipeline::render(request);
        if (result.problem == documentpipeline::Problem::Missing)
            return failure(QString("cannot read %1: no such file").arg(options.file));
        if (!result.ok() && result.problem != documentpipeline::Problem::TookTooLong)
            return failure(documentpipeline::problemMessage(result.problem, options.file, 0));
    }
    // Stopped by the time budget: nothing to print, and the caller may retry
    // with a larger one (--set).
    if (result.problem == documentpipeline::Problem::TookTooLong) {
        QTextStream(stderr) << "quillview convert: " << documentpipeline::problemTitle(result.problem) << "\n";
        return 1;
    }
    const QByteArray html = (options.page ? documentpipeline::pageFor(result) : result.fragment).toUtf8();
    std::fwrite(html.constData(), 1, size_t(html.size()), stdout);
    std::fflush(stdout);
    // The page then holds the interpreter's error; a script must not take it
    // for a converted document.
    if (result.conversionFailed) {
        QTextStream(stderr) << "quillview convert: the markup interpreter failed\n";
        return 1;
    }
    return 0;
}
