#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <gtest/gtest.h>

#include "dispatch/CheckMarkupInterpreter.h"
#include "dispatch/ChildProcess.h"
#include "dispatch/MarkupTransformTask.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"

namespace {

const SettingsStore::Setting kInterpreterKeys[] = {
    SettingsStore::Setting::useBuiltInConverters, SettingsStore::Setting::useSystemPhp,
    SettingsStore::Setting::useCustomPhp,   SettingsStore::Setting::useSwift,
    SettingsStore::Setting::customPhpPath,                         SettingsStore::Setting::multiMarkdownProgram,
    SettingsStore::Setting::conversionTimeLimit,
};

struct Interpreters : ::testing::Test {
    void SetUp() override {
        SettingsStore::shared().registerDefaults();
        clear();
    }
    void TearDown() override { clear(); }
    static void clear() {
        for (SettingsStore::Setting key : kInterpreterKeys)
            SettingsStore::shared().reset(key);
    }
    // A shell script in the test's folder, executable or not.
    QString script(const QString& name, const QByteArray& body, bool executable = true) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }
    QTemporaryDir folder;
};

}  // namespace

TEST(ChildProcess, LargeInputAndOutputOverlapWithoutDeadlock) {
    // cat answers while it reads: unless writing and reading overlap, both
    // pipes fill up and neither side moves.
    QByteArray input(8 * 1024 * 1024, 'x');
    ChildProcessResult result = runChildProcess("/bin/cat", {}, input);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.output.size(), input.size());
}

TEST(ChildProcess, ProgramThatNeverExitsIsStoppedAndWhatItPrintedKept) {
    QElapsedTimer timer;
    timer.start();
    ChildProcessResult result = runChildProcess("/bin/sh", {"-c", "echo partial; exec sleep 30"}, {}, 500);
    EXPECT_TRUE(result.timedOut);
    EXPECT_EQ(result.output, "partial\n");
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST(ChildProcess, StoppingAtTheLimitAlsoStopsWhatTheProgramStarted) {
    // An interpreter that hands the work to a helper (php running perl or a
    // nested conversion): the helper must not outlive the conversion.
    QTemporaryDir folder;
    const QString pidFile = folder.filePath("helper.pid");
    ChildProcessResult result =
        runChildProcess("/bin/sh", {"-c", "sleep 30 & echo $! > '" + pidFile + "'; wait"}, {}, 500);
    EXPECT_TRUE(result.timedOut);
    QFile file(pidFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString stat = "/proc/" + QString::fromUtf8(file.readAll().trimmed()) + "/stat";
    // A killed process is gone, or a zombie waiting for its new parent to
    // collect it; the signal takes a moment to land.
    auto alive = [&] {
        QFile status(stat);
        return status.open(QIODevice::ReadOnly) && !status.readAll().contains(") Z ");
    };
    QDeadlineTimer patience(5000);
    while (alive() && !patience.hasExpired())
        QThread::msleep(20);
    EXPECT_FALSE(alive()) << stat.toStdString();
}

TEST(ChildProcess, ErrorOutputAndExitStatusOnRequest) {
    ChildProcessRequest request;
    request.program = "/bin/sh";
    request.arguments = {"-c", "echo out; echo \"in $PWD as $GREETING\" >&2; exit 4"};
    request.workingFolder = QDir::rootPath();
    request.environment = {{"GREETING", "hello"}};
    request.captureErrorOutput = true;
    ChildProcessResult result = runChildProcess(request);
    EXPECT_EQ(result.output, "out\n");
    EXPECT_EQ(result.errorOutput, "in / as hello\n");
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_FALSE(result.succeeded());
}

TEST(ChildProcess, MissingProgramDoesNotStart) {
    ChildProcessResult result = runChildProcess("/nonexistent/php", {"-v"}, {});
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(result.output.isEmpty());
}

TEST_F(Interpreters, MultiMarkdownExecutableGetsTextAndNoArguments) {
    SettingsStore::shared().setUseBuiltInConverters(true);
    SettingsStore::shared().setMultiMarkdownProgram(script("mmd", "echo \"args=$#\"; tr a-z A-Z"));
    EXPECT_EQ(MarkupTransformTask::transformString(QString::fromUtf8("héllo\n"), "MultiMarkdown", false),
              QString::fromUtf8("args=0\nHéLLO\n"));
}

TEST_F(Interpreters, MultiMarkdownScriptRoadUnpacksAndRunsPerl) {
    SettingsStore::shared().setUseBuiltInConverters(true);
    // Not executable: the perl script road is taken instead.
    SettingsStore::shared().setMultiMarkdownProgram(script("mmd", "exit 1", false));
    const QString html = MarkupTransformTask::transformString("Some *mmd* text.\n", "multimarkdown", false);
    EXPECT_EQ(html.trimmed(), "<p>Some <em>mmd</em> text.</p>");
    const QString folder = AppSupportFilePaths::appSupportFilePath() + "/MarkupLanguages/mmd/";
    EXPECT_TRUE(QFile::exists(folder + "MultiMarkdown.pl"));
    EXPECT_TRUE(QFile::exists(folder + "mmd.zip"));
    // Without a stored path the same road serves, reusing the unpacked script.
    SettingsStore::shared().reset(SettingsStore::Setting::multiMarkdownProgram);
    EXPECT_EQ(MarkupTransformTask::transformString(QString::fromUtf8("Ünïcode **b**\n"), "multimarkdown", false).trimmed(),
              QString::fromUtf8("<p>Ünïcode <strong>b</strong></p>"));
}

TEST_F(Interpreters, CustomInterpreterRunsWithTheLanguagesScriptArgument) {
    SettingsStore& store = SettingsStore::shared();
    store.setUseCustomPhp(true);
    store.setCustomPhpPath(script("php", "printf '%s|' \"$#\"; cat"));
    MarkupTransformTask task;
    EXPECT_FALSE(task.useBuiltInConverters);
    task.setMarkuplanguage("bbcode");
    EXPECT_EQ(task.phpLaunchPath, store.customPhpPath());
    EXPECT_EQ(task.performMarkupTaskonString("[b]x[/b]", false), "1|[b]x[/b]");
}

// An interpreter that never ends, and what it started, are stopped at the
// budget or as soon as no one needs the conversion; nothing it printed is
// taken for the page.
TEST_F(Interpreters, AnInterpreterThatNeverEndsIsStoppedAtTheBudgetOrOnCancel) {
    SettingsStore& store = SettingsStore::shared();
    store.setUseCustomPhp(true);
    store.setCustomPhpPath(script("php", "echo partial; sleep 30 & while :; do :; done"));
    store.setConversionTimeLimit(300);
    QElapsedTimer timer;
    timer.start();
    const auto outcome = MarkupTransformTask::transformStringWithOutcome("[b]x[/b]", "bbcode", false);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_TRUE(outcome.html.isEmpty());
    EXPECT_FALSE(outcome.conversionFailed);
    EXPECT_LT(timer.elapsed(), 20000);

    store.setConversionTimeLimit(60000);
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    QFuture<MarkupTransformTask::Outcome> running = QtConcurrent::run([cancelled] {
        return MarkupTransformTask::transformStringWithOutcome("[b]x[/b]", "bbcode", false, {}, cancelled);
    });
    QThread::msleep(100);
    timer.restart();
    cancelled->store(true);
    EXPECT_TRUE(running.result().stopped);
    EXPECT_LT(timer.elapsed(), 20000);
}

TEST_F(Interpreters, WithoutCustomInterpreterTheBuiltInConvertersTakeOver) {
    MarkupTransformTask task;
    task.setMarkuplanguage("bbcode");
    EXPECT_TRUE(task.useBuiltInConverters);
    EXPECT_EQ(task.performMarkupTaskonString("[b]x[/b]", false), "<strong>x</strong><br />\n\n");
}

TEST_F(Interpreters, StartupCheckStoresTheBuiltInChoiceWhenNoneIsStored) {
    int alerts = 0;
    CheckMarkupInterpreter::performCheck([&](const QString&, const QString&) { ++alerts; });
    EXPECT_TRUE(SettingsStore::shared().useBuiltInConverters());
    EXPECT_EQ(alerts, 0);
}

TEST_F(Interpreters, StartupCheckRetiresSystemPhpAndTheFourthChoice) {
    SettingsStore& store = SettingsStore::shared();
    using S = SettingsStore;
    const std::pair<bool (S::*)() const, void (S::*)(const bool&)> choices[] = {
        {&S::useSystemPhp, &S::setUseSystemPhp}, {&S::useSwift, &S::setUseSwift}};
    for (const auto& [chosen, choose] : choices) {
        clear();
        (store.*choose)(true);
        CheckMarkupInterpreter::performCheck({});
        EXPECT_FALSE((store.*chosen)());
        EXPECT_TRUE(store.useBuiltInConverters());
    }
}

TEST_F(Interpreters, StartupCheckClearsAMissingCustomInterpreterWithAnAlert) {
    SettingsStore& store = SettingsStore::shared();
    store.setUseCustomPhp(true);
    store.setCustomPhpPath("/nonexistent/php");
    QStringList shown;
    CheckMarkupInterpreter::performCheck([&](const QString& title, const QString& message) { shown << title << message; });
    EXPECT_FALSE(store.useCustomPhp());
    EXPECT_EQ(shown.size(), 2);
    // Straight to the built-in converters, so this run's conversions do not
    // go down the interpreter road with no interpreter.
    EXPECT_TRUE(store.useBuiltInConverters());
    EXPECT_FALSE(store.useSwift());
    EXPECT_TRUE(MarkupTransformTask::transformString("*x*", "markdown", false).contains("<em>x</em>"));
}

TEST_F(Interpreters, StartupCheckKeepsAWorkingCustomInterpreter) {
    SettingsStore& store = SettingsStore::shared();
    store.setUseCustomPhp(true);
    store.setCustomPhpPath(script("php", "echo 'PHP 8'"));
    int alerts = 0;
    CheckMarkupInterpreter::performCheck([&](const QString&, const QString&) { ++alerts; });
    EXPECT_TRUE(store.useCustomPhp());
    EXPECT_EQ(alerts, 0);
}
