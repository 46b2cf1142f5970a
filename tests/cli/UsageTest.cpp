// `quillview --help`, the man page and the bash completion describe one
// command line: the same commands, options, languages, formats and exit
// codes; and the languages and formats are the ones the program knows.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "export/ExportFormats.h"
#include "settings/MarkupLanguageTable.h"

namespace {

// Sorted standard strings, so that a failure prints them readably.
using Names = std::set<std::string>;

QString helpText() {
    QProcess process;
    process.start(QUILL_BINARY, {"--help"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The first column of the help's section under HEADING (up to a blank
// line); continuation lines are indented further and have none.
QStringList helpColumn(const QString& help, const QString& heading) {
    QStringList names;
    const QStringList lines = help.section("\n" + heading, 1).split('\n').mid(1);
    for (const QString& line : lines) {
        if (line.isEmpty())
            break;
        static const QRegularExpression entry("^  (\\S.*?)(?:  |$)");
        const auto match = entry.match(line);
        if (match.hasMatch())
            names << match.captured(1);
    }
    return names;
}

Names helpOptions(const QString& help, const QString& heading) {
    Names options;
    for (const QString& name : helpColumn(help, heading))
        for (const QString& part : name.split(QRegularExpression("[, ]+")))
            if (part.startsWith('-'))
                options.insert(part.toStdString());
    return options;
}

QString manPage() {
    QFile file(QUILL_SOURCE_DIR "/resources/man/quillview.1.in");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

// The tags (the line after each .TP) of the man page's section TITLE, as
// plain text.
QStringList manTags(const QString& title) {
    const QStringList lines = manPage().split('\n');
    QStringList tags;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(".SH "))
            inSection = QString(lines[i]).remove('"') == ".SH " + title;
        else if (inSection && lines[i] == ".TP" && i + 1 < lines.size()) {
            QString tag = lines[i + 1];
            tag.remove(QRegularExpression("^\\.[A-Z]+ |\\\\f[BIRP]|\"")).replace("\\-", "-");
            tags << tag.simplified();
        }
    }
    return tags;
}

Names manOptions(const QString& title) {
    Names options;
    for (const QString& tag : manTags(title))
        for (const QString& part : tag.split(QRegularExpression("[, ]+")))
            if (part.startsWith('-'))
                options.insert(part.toStdString());
    return options;
}

Names firstWords(const QStringList& entries) {
    Names words;
    for (const QString& entry : entries)
        words.insert(entry.section(' ', 0, 0).toStdString());
    return words;
}

// What bash offers after LINE, with the completion installed.
Names completions(const QString& line) {
    QTemporaryDir emptyFolder;  // no file names among the offers
    const QString script = QString(". /usr/share/bash-completion/bash_completion\n"
                                   ". '%1/resources/completion/quillview'\n"
                                   "COMP_LINE='%2'; read -ra COMP_WORDS <<<\"$COMP_LINE\"\n"
                                   "[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')\n"
                                   "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMP_POINT=${#COMP_LINE}\n"
                                   "_quillview; printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                               .arg(QUILL_SOURCE_DIR, line);
    QProcess bash;
    bash.setWorkingDirectory(emptyFolder.path());
    bash.start("bash", {"-c", script});
    bash.waitForFinished(30000);
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().toStdString();
    Names offered;
    for (const QString& word : QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        offered.insert(word.toStdString());
    return offered;
}

}  // namespace

TEST(Usage, HelpListsTheLanguagesAndFormatsTheProgramKnows) {
    const QString help = helpText();
    Names languages;
    for (const MarkupLanguage& language : markuplanguagetable::languages())
        if (!language.displayName.isEmpty())
            languages.insert(language.identifier.toStdString());
    EXPECT_EQ(firstWords(helpColumn(help, "Languages")), languages);
    EXPECT_EQ(firstWords(helpColumn(help, "Formats")), firstWords(exportformats::exportFormatNames()));
    for (const char* section : {"Commands:", "Options of convert:", "Options of export:", "Exit status:", "Examples:"})
        EXPECT_TRUE(help.contains(section)) << section;
}

TEST(Usage, ManPageSaysWhatHelpSays) {
    const QString help = helpText();
    EXPECT_EQ(manOptions("COMMANDS"), helpOptions(help, "Commands:"));
    EXPECT_EQ(manOptions("OPTIONS OF CONVERT"), helpOptions(help, "Options of convert:"));
    EXPECT_EQ(manOptions("OPTIONS OF EXPORT"), helpOptions(help, "Options of export:"));
    Names commands = firstWords(manTags("COMMANDS"));
    for (const std::string& option : helpOptions(help, "Commands:"))
        commands.erase(option);
    EXPECT_EQ(commands, Names({"convert", "export"}));
    EXPECT_EQ(firstWords(manTags("LANGUAGES")), firstWords(helpColumn(help, "Languages")));
    EXPECT_EQ(firstWords(manTags("FORMATS")), firstWords(helpColumn(help, "Formats")));
    EXPECT_EQ(firstWords(manTags("EXIT STATUS")), firstWords(helpColumn(help, "Exit status:")));
    const QStringList examples = helpColumn(help, "Examples:");
    EXPECT_EQ(examples.size(), 2);
    for (QString example : examples)
        EXPECT_TRUE(manPage().contains(example.replace("-", "\\-"))) << example.toStdString();
}

TEST(Usage, BashCompletesWhatHelpLists) {
    const QString help = helpText();
    EXPECT_EQ(completions("quillview "), Names({"convert", "export"}));
    EXPECT_EQ(completions("quillview -"), helpOptions(help, "Commands:"));
    EXPECT_EQ(completions("quillview convert -"), helpOptions(help, "Options of convert:"));
    EXPECT_EQ(completions("quillview export notes.md -"), helpOptions(help, "Options of export:"));
    EXPECT_EQ(completions("quillview convert --lang "), firstWords(helpColumn(help, "Languages")));
    EXPECT_EQ(completions("quillview export notes.md --format "), firstWords(helpColumn(help, "Formats")));
}
