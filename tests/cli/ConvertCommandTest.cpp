#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "textbundle/Textbundle.h"

namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the real binary, as a user would from a shell.
CommandRun quillview(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QUILL_BINARY, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

const QByteArray kBoldHtml = "<strong>x</strong><br />\n\n";

}  // namespace

TEST(ConvertCommand, FileByExtensionAndStandardInputByLanguage) {
    QTemporaryDir folder;
    CommandRun byExtension = quillview({"convert", writeFile(folder, "post.bbc", "[b]x[/b]")});
    EXPECT_EQ(byExtension.exitCode, 0) << byExtension.err.toStdString();
    EXPECT_EQ(byExtension.out, kBoldHtml);
    CommandRun fromStdin = quillview({"convert", "--lang", "BBCode", "-"}, "[b]x[/b]");
    EXPECT_EQ(fromStdin.exitCode, 0);
    EXPECT_EQ(fromStdin.out, kBoldHtml);
}

TEST(ConvertCommand, SettingsForOneRunOnly) {
    CommandRun html5 = quillview({"convert", "--lang", "bbcode", "--set", "MARKUP_USE_HTML5=true", "-"}, "x");
    EXPECT_EQ(html5.out, "x<br>\n\n");
    CommandRun after = quillview({"convert", "--lang", "bbcode", "-"}, "x");
    EXPECT_EQ(after.out, "x<br />\n\n");
}

// Past the time budget: no half page on standard output, exit status 1 and
// the reason on standard error; a document that converts in time is printed.
TEST(ConvertCommand, ADocumentOverTheTimeBudgetExitsWithOne) {
    QByteArray large;
    QDir corpus(QString(QUILL_CORPUS_DIR) + "/textile");
    for (const QString& name : corpus.entryList(QDir::Files)) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        large += file.readAll() + "\n\n";
    }
    while (large.size() < 4 * 1024 * 1024)
        large += large;
    const QStringList budget = {"--set", "CONVERSION_TIME_LIMIT_MS=1"};
    CommandRun stopped = quillview(QStringList{"convert", "--lang", "textile"} + budget + QStringList{"-"}, large);
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_TRUE(stopped.out.isEmpty());
    EXPECT_EQ(stopped.err, "quillview convert: This document took too long to convert\n");
    CommandRun small = quillview(QStringList{"convert", "--lang", "textile", "--set", "CONVERSION_TIME_LIMIT_MS=5000", "-"}, "*x*");
    EXPECT_EQ(small.exitCode, 0) << small.err.toStdString();
    EXPECT_EQ(small.out.trimmed(), "<p><strong>x</strong></p>");
}

TEST(ConvertCommand, ReviewMarksOnRequest) {
    CommandRun plain = quillview({"convert", "--lang", "html", "-"}, "a {++b++}");
    EXPECT_EQ(plain.out, "a {++b++}");
    CommandRun critic = quillview({"convert", "--lang", "html", "--critic", "-"}, "a {++b++}");
    EXPECT_TRUE(critic.out.startsWith("a <span style=")) << critic.out.toStdString();
}

TEST(ConvertCommand, TextIsReadInItsEncodingAsTheWindowReadsIt) {
    // Windows-1252 bytes are no UTF-8: the window's fallback list reads them.
    QTemporaryDir folder;
    CommandRun file = quillview({"convert", writeFile(folder, "menu.md", "Caf\xe9 \xe0 la carte")});
    EXPECT_EQ(file.exitCode, 0) << file.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(file.out), QString::fromUtf8("<p>Café à la carte</p>"));
    CommandRun piped = quillview({"convert", "--lang", "html", "-"}, "Caf\xe9");
    EXPECT_EQ(QString::fromUtf8(piped.out), QString::fromUtf8("Café"));
    CommandRun utf16 = quillview({"convert", "--lang", "html", "-"}, QByteArray("\xff\xfeH\0i\0", 6));
    EXPECT_EQ(utf16.out, "Hi");
}

TEST(ConvertCommand, PackagesConvertAsTheirWindowShowsThem) {
    QTemporaryDir folder;
    const QString picture = writeFile(folder, "pic.png", "not really a picture");
    Textbundle writer;
    ASSERT_TRUE(writer.writeTextbundleForString("# Packed\n\n![p](assets/pic.png)\n", folder.filePath("Notes.textbundle"),
                                                {picture}, "markdown"));
    ASSERT_TRUE(writer.writeTextpackForString("# Packed\n\n![p](assets/pic.png)\n", folder.filePath("Notes.textpack"),
                                              {picture}, "markdown"));
    const QByteArray expected = "<h1>Packed</h1>\n\n<p><img src=\"assets/pic.png\" alt=\"p\" /></p>";
    for (const char* name : {"Notes.textbundle", "Notes.textpack"}) {
        CommandRun run = quillview({"convert", folder.filePath(name)});
        EXPECT_EQ(run.exitCode, 0) << name << run.err.toStdString();
        EXPECT_EQ(run.out, expected) << name;
    }
    // A file that is no package at all is refused with a message.
    CommandRun broken = quillview({"convert", writeFile(folder, "Broken.textpack", "not a zip")});
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_TRUE(broken.out.isEmpty());
}

TEST(ConvertCommand, VersionAndHelpNeedNoDisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(variable);
    for (const char* option : {"--version", "--help"}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QUILL_BINARY, {option});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << option;
        const QByteArray out = process.readAllStandardOutput();
        EXPECT_TRUE(out.startsWith(std::string(option) == "--version" ? "quillview 0." : "usage: quillview")) << out.toStdString();
    }
}

// `quillview convert` must start without the window system and Chromium:
// linking them into the launcher would cost every command-line run their
// loading time again.
TEST(ConvertCommand, LauncherLoadsNoWindowLibraries) {
    QProcess ldd;
    ldd.start("ldd", {QUILL_BINARY});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    const QByteArray libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libQt6Core")) << libraries.toStdString();
    for (const char* heavy : {"WebEngine", "Widgets", "libQt6Network"})
        EXPECT_FALSE(libraries.contains(heavy)) << heavy;
}

TEST(ConvertCommand, LauncherWithoutItsWindowProgramSaysSo) {
    QTemporaryDir folder;
    const QString lonely = folder.filePath("quillview");
    ASSERT_TRUE(QFile::copy(QUILL_BINARY, lonely));
    QProcess process;
    process.start(lonely, {"notes.md"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 127);
    EXPECT_TRUE(process.readAllStandardError().contains("quillview-gui was not found"));
    // The commands it answers itself still work.
    process.start(lonely, {"convert", "--lang", "markdown", "-"});
    process.write("*x*");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardOutput(), "<p><em>x</em></p>");
}

TEST(ConvertCommand, UsageErrorsExitWithTwoAndExplain) {
    const QList<QStringList> wrong = {
        {"convert", "--bogus", "-"},
        {"convert", "/nonexistent/file.md"},
        {"convert"},
        {"convert", "--lang"},
        {"convert", "--lang", "klingon", "-"},
        {"convert", "--set", "defaults_FontSize=big", "-"},
        {"convert", "--set", "NoSuchSetting=1", "-"},
        {"convert", "a.md", "b.md"},
        {"convert", QDir::tempPath()},
    };
    for (const QStringList& arguments : wrong) {
        CommandRun run = quillview(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("quillview convert: ")) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(quillview({"convert", QDir::tempPath()}).err.contains("is a folder"));
}

TEST(ConvertCommand, EveryBBCodeCorpusDocument) {
    QDir corpus(QString(QUILL_CORPUS_DIR) + "/bbcode");
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        CommandRun run = quillview({"convert", "--lang", "bbcode", corpus.filePath(name)});
        EXPECT_EQ(run.exitCode, 0) << name.toStdString();
        EXPECT_FALSE(run.out.isEmpty()) << name.toStdString();
        EXPECT_FALSE(run.out.contains("%%SavedHTMLBlock")) << name.toStdString();
    }
}
