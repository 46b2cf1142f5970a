#include "cli/ExportCommand.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>
#include <optional>
#include <unistd.h>
#include <variant>

#include "cli/HeadlessStartup.h"
#include "cli/Usage.h"
#include "export/ExportFormats.h"
#include "export/ExportMarkup2Document.h"
#include "export/PrintStyle.h"

namespace {

struct ExportOptions {
    QString file;
    QString format;
    QString destination;
    std::optional<QString> style;
};

int usageError(const QString& message) {
    QTextStream(stderr) << "quillview export: " << message << "\n" << QString::fromStdString(usage::exportUsage());
    return 2;
}

std::optional<QString> valueAfter(const QStringList& arguments, qsizetype& i) {
    if (i + 1 >= arguments.size())
        return std::nullopt;
    return arguments[++i];
}

// The options, or an error text.
std::variant<ExportOptions, QString> parseOptions(const QStringList& arguments) {
    ExportOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--format" || argument == "-o" || argument == "--output" || argument == "--style") {
            const auto value = valueAfter(arguments, i);
            if (!value)
                return QString("%1 needs a value").arg(argument);
            if (argument == "--format")
                options.format = *value;
            else if (argument == "--style")
                options.style = *value;
            else
                options.destination = *value;
        } else if (argument.startsWith("-")) {
            return QString("unknown option %1").arg(argument);
        } else if (!options.file.isEmpty()) {
            return QString("only one file can be exported at a time");
        } else {
            options.file = argument;
        }
    }
    if (options.file.isEmpty())
        return QString("no file given");
    if (options.destination.isEmpty())
        return QString("no destination given (-o DEST)");
    if (options.format.isEmpty())
        options.format = QFileInfo(options.destination).suffix();
    if (!exportformats::exportFormatNamed(options.format))
        return options.format.isEmpty() ? QString("no format given (--format FMT)")
                                        : QString("unknown format %1").arg(options.format);
    return options;
}

// The style's text: the user's styles folder first, then the styles that
// ship inside the application.
}  // namespace

void prepareHeadlessExportEnvironment() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

int runExportCommand(const QStringList& arguments) {
    auto parsed = parseOptions(arguments);
    if (auto* message = std::get_if<QString>(&parsed))
        return usageError(*message);
    const ExportOptions& options = std::get<ExportOptions>(parsed);

    prepareConversions([](const QString& title, const QString& message) {
        QTextStream(stderr) << title << ": " << message << "\n";
    });
    // The reason of a failure is printed below; the log need not repeat it.
    QLoggingCategory::setFilterRules("quillview.export.info=false");
    QString css = printstyle::selectedStyleForPaper();
    if (options.style) {
        const auto text = printstyle::styleText(*options.style);
        if (!text)
            return usageError(QString("no style named %1").arg(*options.style));
        css = *text;
    }
    QString error;
    if (!ExportMarkup2Document().quickExportForFile(QFileInfo(options.file).absoluteFilePath(), options.format,
                                                    QFileInfo(options.destination).absoluteFilePath(), QString(),
                                                    css, &error)) {
        QTextStream(stderr) << "quillview export: " << error << "\n";
        return 1;
    }
    return 0;
}
