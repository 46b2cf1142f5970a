#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

const QByteArray kBoldHtml = "<strong>x</strong><br />\n<br />\n<br />";

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
    EXPECT_EQ(html5.out, "x<br>\n<br>\n<br>");
    CommandRun after = quillview({"convert", "--lang", "bbcode", "-"}, "x");
    EXPECT_EQ(after.out, "x<br />\n<br />\n<br />");
}

TEST(ConvertCommand, ReviewMarksOnRequest) {
    CommandRun plain = quillview({"convert", "--lang", "html", "-"}, "a {++b++}");
    EXPECT_EQ(plain.out, "a {++b++}");
    CommandRun critic = quillview({"convert", "--lang", "html", "--critic", "-"}, "a {++b++}");
    EXPECT_TRUE(critic.out.startsWith("a <span style=")) << critic.out.toStdString();
}

TEST(ConvertCommand, InvalidUtf8BecomesReplacementCharacters) {
    CommandRun run = quillview({"convert", "--lang", "html", "-"}, QByteArray("a\xff\xfe" "b"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(run.out), QString::fromUtf8("a\uFFFD\uFFFDb"));
}

TEST(ConvertCommand, UsageErrorsExitWithTwoAndExplain) {
    const QList<QStringList> wrong = {
        {"convert", "--bogus", "-"},
        {"convert", "/nonexistent/file.md"},
        {"convert"},
        {"convert", "--lang"},
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
