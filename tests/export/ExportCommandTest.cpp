// quillview export through the real binary, as a user runs it from a shell.
#include <QProcessEnvironment>
#include <QTcpServer>

#include "export/ExportTestSupport.h"
#include "pipeline/FolderPermissions.h"
#include "settings/SettingsStore.h"

using namespace exporttest;

namespace {

struct CommandRun {
    int exitCode = -1;
    QByteArray err;
};

// Without a display, as on a server or in CI: the command chooses the
// offscreen platform itself.
CommandRun quillviewExport(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QTWEBENGINE_DISABLE_SANDBOX"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(QUILL_BINARY, QStringList{"export"} + arguments);
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError()};
}

}  // namespace

// A success says nothing: the web engine's start-up talk stays out of it.
TEST(ExportCommand, WritesEachRoadsFormatAndExitsZeroQuietly) {
    Sample sample;
    EXPECT_EQ(quillviewExport({sample.document, "--format", "html", "-o", sample.path("out.html")}).exitCode, 0);
    EXPECT_TRUE(readBytes(sample.path("out.html")).contains("href=\"#fn:1\""));
    // A picture that is missing is the reader's to see, not a message.
    writeBytes(sample.document, readBytes(sample.document) + "\n![gone](notes/gone.png)\n");
    const CommandRun pdf = quillviewExport({sample.document, "--format", "pdf", "-o", sample.path("out.pdf")});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_EQ(pdf.err.toStdString(), "");
    EXPECT_TRUE(readBytes(sample.path("out.pdf")).startsWith("%PDF"));
    // The format may also come from the destination's extension.
    EXPECT_EQ(quillviewExport({sample.document, "-o", sample.path("out.textpack")}).exitCode, 0);
    EXPECT_TRUE(zipListing(sample.path("out.textpack")).contains("out.textbundle/text."));
}

TEST(ExportCommand, StyleComesFromTheStylesTheApplicationShips) {
    Sample sample;
    ASSERT_EQ(quillviewExport({sample.document, "--format", "html", "-o", sample.path("styled.html"), "--style",
                               "Standard_Light"}).exitCode, 0);
    const QByteArray html = readBytes(sample.path("styled.html"));
    EXPECT_TRUE(html.startsWith("<style type=\"text/css\"> ")) << html.left(80).toStdString();
    EXPECT_TRUE(html.contains("<h1"));
    const CommandRun unknown =
        quillviewExport({sample.document, "--format", "html", "-o", sample.path("x.html"), "--style", "Nope"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_FALSE(QFile::exists(sample.path("x.html")));
}

TEST(ExportCommand, UsageErrorsExitTwo) {
    Sample sample;
    EXPECT_EQ(quillviewExport({sample.document, "--format", "klingon", "-o", sample.path("x.k")}).exitCode, 2);
    EXPECT_EQ(quillviewExport({sample.document, "--format", "html"}).exitCode, 2);
    EXPECT_EQ(quillviewExport({"--format", "html", "-o", sample.path("x.html")}).exitCode, 2);
    EXPECT_EQ(quillviewExport({sample.document, "-o", sample.path("x.unknown")}).exitCode, 2);
    EXPECT_EQ(quillviewExport({sample.document, "--bogus", "-o", sample.path("x.html")}).exitCode, 2);
}

TEST(ExportCommand, AFailedExportExitsOneAndKeepsEveryFile) {
    Sample sample;
    writeBytes(sample.path("plain.txt"), "plain words");
    const CommandRun same = quillviewExport({sample.path("plain.txt"), "--format", "txt", "-o", sample.path("plain.txt")});
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_TRUE(same.err.contains("document itself")) << same.err.toStdString();
    EXPECT_EQ(same.err.count('\n'), 1) << same.err.toStdString();
    EXPECT_EQ(readBytes(sample.path("plain.txt")), "plain words");
    const CommandRun folder = quillviewExport({sample.document, "--format", "textbundle", "-o", sample.path("notes")});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(readBytes(sample.path("notes/red.png")), sample.image);
    const CommandRun missing = quillviewExport({sample.path("missing.md"), "--format", "html", "-o", sample.path("m.html")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(QFile::exists(sample.path("m.html")));
}

// What a shell exports was seen by no reader: no picture from the web loads,
// even from a folder whose pictures the reader allowed in the window.
TEST(ExportCommand, LoadsNoPictureFromTheWeb) {
    QTcpServer web;
    ASSERT_TRUE(web.listen(QHostAddress::LocalHost));
    Sample sample;
    writeBytes(sample.path("badges.md"),
               QString("![build](http://127.0.0.1:%1/build.png)\n").arg(web.serverPort()).toUtf8());
    folderpermissions::allowRemotePicturesInFolder(sample.folder.path());
    SettingsStore::shared().sync();
    const CommandRun pdf = quillviewExport({sample.path("badges.md"), "--format", "pdf", "-o", sample.path("b.pdf")});
    SettingsStore::shared().reset(SettingsStore::Setting::remotePicturesAllowedFolders);
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    // A connection the command made waits in the queue: nothing took it.
    EXPECT_FALSE(web.waitForNewConnection(200));
}
