// The custom-interpreter road with the real php, perl and Debian's markup
// libraries: each shipped script converts its language, the document is
// never run as PHP, the scripts reach the support folder as real files, and
// a failing interpreter explains itself instead of leaving a blank page.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "dispatch/ConversionScripts.h"
#include "dispatch/MarkupTransformTask.h"
#include "settings/SettingsStore.h"

namespace {

const SettingsStore::Setting kRoadKeys[] = {
    SettingsStore::Setting::useBuiltInConverters, SettingsStore::Setting::useCustomPhp,
    SettingsStore::Setting::customPhpPath, SettingsStore::Setting::multiMarkdownProgram,
};

// The custom-PHP choice with a wrapper around /usr/bin/php that notes each
// run, so a test can tell which script ran and whether php ran at all.
struct CustomPhpRoad : ::testing::Test {
    void SetUp() override {
        SettingsStore::shared().registerDefaults();
        qputenv("QUILLVIEW_BINARY", QUILL_BINARY);
        useInterpreter(executable("php", "echo \"$*\" >> '" + folder.filePath("runs.log").toUtf8() +
                                             "'\nexec /usr/bin/php \"$@\""));
    }
    void TearDown() override {
        for (SettingsStore::Setting key : kRoadKeys)
            SettingsStore::shared().reset(key);
        SettingsStore::shared().sync();
        QFile::remove(conversionscripts::installFolder().chopped(1));
    }
    void useInterpreter(const QString& path) {
        SettingsStore::shared().setUseCustomPhp(true);
        SettingsStore::shared().setCustomPhpPath(path);
        // The nested conversion of the Tessel script reads the stored choice.
        SettingsStore::shared().sync();
    }
    QString executable(const QString& name, const QByteArray& body) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return file.fileName();
    }
    QStringList runs() const {
        QFile log(folder.filePath("runs.log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    static MarkupTransformTask::Outcome convert(const QString& language, const QString& text,
                                                const QString& documentFolder = QString()) {
        return MarkupTransformTask::transformStringWithOutcome(text, language, false, documentFolder);
    }
    static QString builtIn(const QString& language, const QString& text, const QString& documentFolder = QString()) {
        SettingsStore& store = SettingsStore::shared();
        const bool custom = store.useCustomPhp();
        store.setUseCustomPhp(false);
        store.setUseBuiltInConverters(true);
        const QString html = MarkupTransformTask::transformString(text, language, false, documentFolder);
        store.setUseCustomPhp(custom);
        store.reset(SettingsStore::Setting::useBuiltInConverters);
        return html;
    }
    QTemporaryDir folder;
};

struct RoadCase {
    const char* language;
    const char* document;
    std::vector<const char*> expected;
};

}  // namespace

TEST_F(CustomPhpRoad, EachScriptConvertsADocumentOfItsLanguage) {
    const RoadCase cases[] = {
        {"markdown", "# Title\n\nSome *emphasis* and `code`.\n", {"<h1>Title</h1>", "<em>emphasis</em>", "<code>code</code>"}},
        {"markdownextra", "| a | b |\n|---|---|\n| 1 | 2 |\n\nText[^n].\n\n[^n]: A note.\n",
         {"<table>", "<td>1</td>", "class=\"footnotes\""}},
        {"textile", "h2. Über uns\n\n*bold* and _em_\n", {"<h2>Über uns</h2>", "<strong>bold</strong>", "<em>em</em>"}},
        {"wikitext", "== Section ==\n\n'''bold''' and ''em''\n\n* one\n* two\n",
         {"<h2>Section</h2>", "<strong>bold</strong>", "<li>two</li>"}},
        {"bbcode", "[b]bold[/b] [url=https://example.org]site[/url] <i>", {"<b>bold</b>", "href=\"https://example.org\"", "&lt;i&gt;"}},
        {"sumwise", "anything", {"Sumwise is not available"}},
    };
    for (const RoadCase& road : cases) {
        const auto outcome = convert(road.language, QString::fromUtf8(road.document));
        EXPECT_FALSE(outcome.conversionFailed) << road.language << ": " << outcome.html.toStdString();
        for (const char* piece : road.expected)
            EXPECT_TRUE(outcome.html.contains(QString::fromUtf8(piece))) << road.language << ": " << outcome.html.toStdString();
        ASSERT_FALSE(runs().isEmpty());
        EXPECT_EQ(runs().last(), conversionscripts::installFolder() + road.language + "Transform.php") << road.language;
    }
}

TEST_F(CustomPhpRoad, TesselRunsTheBuiltInConverterOnceWithTablesFromTheDocumentFolder) {
    QFile rows(folder.filePath("rows.csv"));
    ASSERT_TRUE(rows.open(QIODevice::WriteOnly));
    rows.write("Ada;36\n");
    rows.close();
    const QString document = "# Title\n\n**bold**\n\n+table [;]->rows.csv+\n!!Name;!!Age\n+endtable+\n";
    const auto outcome = convert("tessel", document, folder.path());
    EXPECT_FALSE(outcome.conversionFailed) << outcome.html.toStdString();
    EXPECT_TRUE(outcome.html.contains("<td>Ada</td>")) << outcome.html.toStdString();
    EXPECT_EQ(outcome.html, builtIn("tessel", document, folder.path()));
    // The inner conversion had the road switched off: the script ran once.
    EXPECT_EQ(runs().filter("tesselTransform.php").size(), 1);
}

TEST_F(CustomPhpRoad, HtmlPassesThroughByteForByte) {
    for (const char* document : {"<h1>Ünïcode ✓</h1>\n\t<p>trailing  \n\n", "no final newline\t",
                                 "<script>alert('x')</script>\n&amp; &lt;", ""}) {
        const QString text = QString::fromUtf8(document);
        const auto outcome = convert("html", text);
        EXPECT_FALSE(outcome.conversionFailed) << document;
        EXPECT_EQ(outcome.html.toUtf8(), QByteArray(document));
        EXPECT_EQ(outcome.html, builtIn("html", text));
    }
}

TEST_F(CustomPhpRoad, PhpInTheDocumentNeverRuns) {
    // Run as PHP, the document would print RANX; as data it keeps its quotes.
    const QString document = "Text <?php echo 'RAN' . 'X'; ?> more\n\n<? echo 'RAN' . 'X'; ?>\n";
    for (const char* language :
         {"markdown", "markdownextra", "textile", "wikitext", "bbcode", "html", "tessel", "sumwise"}) {
        const auto outcome = convert(language, document);
        EXPECT_FALSE(outcome.html.contains("RANX")) << language << ": " << outcome.html.toStdString();
        EXPECT_FALSE(outcome.html.isEmpty()) << language;
    }
}

TEST_F(CustomPhpRoad, ScriptsAreInstalledAsFilesAndRepairedWhenChanged) {
    ASSERT_TRUE(conversionscripts::installConversionScripts());
    const QDir shipped(":/php/");
    ASSERT_GE(shipped.entryList(QDir::Files).size(), 9);
    for (const QString& name : shipped.entryList(QDir::Files)) {
        QFile resource(shipped.filePath(name));
        QFile installed(conversionscripts::installFolder() + name);
        ASSERT_TRUE(resource.open(QIODevice::ReadOnly) && installed.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(installed.readAll(), resource.readAll()) << name.toStdString();
    }
    // A stale copy and a deleted helper come back before the next conversion.
    QFile stale(conversionscripts::installFolder() + "markdownTransform.php");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("<?php echo 'stale';");
    stale.close();
    QFile::remove(conversionscripts::installFolder() + "ScriptSupport.php");
    const auto outcome = convert("markdown", "*fresh*");
    EXPECT_FALSE(outcome.conversionFailed);
    EXPECT_EQ(outcome.html, "<p><em>fresh</em></p>");
}

TEST_F(CustomPhpRoad, WithoutItsScriptTheInterpreterNeverStarts) {
    // A file where the scripts' folder belongs: nothing can be installed.
    QDir(conversionscripts::installFolder()).removeRecursively();
    QDir().mkpath(QFileInfo(conversionscripts::installFolder().chopped(1)).path());
    QFile blocker(conversionscripts::installFolder().chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto outcome = convert("markdown", "<?php echo 'RAN' . 'X'; ?>");
    EXPECT_TRUE(outcome.conversionFailed);
    EXPECT_TRUE(outcome.html.contains("markdownTransform.php is missing")) << outcome.html.toStdString();
    // A language with no script at all.
    MarkupTransformTask task;
    task.setMarkuplanguage("asciidoc");
    EXPECT_TRUE(task.performMarkupTaskonString("= Title", false).contains("no conversion script"));
    EXPECT_TRUE(task.conversionFailed);
    EXPECT_TRUE(runs().isEmpty());

    QFile::remove(blocker.fileName());
    outcome = convert("markdown", "*back*");
    EXPECT_FALSE(outcome.conversionFailed);
    EXPECT_EQ(outcome.html, "<p><em>back</em></p>");
}

TEST_F(CustomPhpRoad, FailingInterpretersExplainThemselvesEscaped) {
    useInterpreter(executable("broken", "cat >/dev/null; echo '<script>alert(1)</script> & \"x\"' >&2; exit 3"));
    auto outcome = convert("markdown", "text");
    EXPECT_TRUE(outcome.conversionFailed);
    EXPECT_TRUE(outcome.html.contains("exit status 3")) << outcome.html.toStdString();
    EXPECT_TRUE(outcome.html.contains("&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;x&quot;"));
    EXPECT_FALSE(outcome.html.contains("<script>"));

    useInterpreter(executable("silent", "cat >/dev/null"));
    outcome = convert("textile", "Some text");
    EXPECT_TRUE(outcome.conversionFailed);
    EXPECT_TRUE(outcome.html.contains("printed nothing")) << outcome.html.toStdString();
    // An empty document rightly converts to nothing.
    EXPECT_FALSE(convert("textile", " \n").conversionFailed);

    useInterpreter(executable("latin1", "cat >/dev/null; printf 'caf\\351'"));
    EXPECT_TRUE(convert("html", "x").html.contains("not UTF-8"));

    useInterpreter(folder.filePath("no-such-php"));
    outcome = convert("bbcode", "[b]x[/b]");
    EXPECT_TRUE(outcome.conversionFailed);
    EXPECT_TRUE(outcome.html.contains("could not be started")) << outcome.html.toStdString();
}

TEST_F(CustomPhpRoad, ConvertCommandTakesTheRoadAndFailsLoudly) {
    QFile document(folder.filePath("notes.textile"));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("h1. Notes\n\n*done*\n");
    document.close();
    auto run = [&](const QString& interpreter) {
        QProcess process;
        process.start(QUILL_BINARY, {"convert", "--set", "VANTREL_Use_IObjectiveC_Markup_Transformation=false",
                                     "--set", "VANTREL_Use_CustomPHP_Markup_Transformation=true", "--set",
                                     "VANTREL_CUSTO_PHP_URL=" + interpreter, document.fileName()});
        process.waitForFinished(60000);
        return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()));
    };
    auto [status, html] = run("/usr/bin/php");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(html, "<h1>Notes</h1>\n\n<p><strong>done</strong></p>");
    std::tie(status, html) = run(executable("failing", "echo 'no luck' >&2; exit 1"));
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(html.contains("no luck")) << html.toStdString();
}
