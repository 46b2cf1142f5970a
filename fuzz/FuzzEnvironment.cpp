#include "FuzzEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>

#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "settings/SettingsStore.h"

namespace fuzzenv {
namespace {

QTemporaryDir* home = nullptr;

void usePrivateHome() {
    home = new QTemporaryDir(QDir::tempPath() + "/quillview-fuzz-XXXXXX");
    const QByteArray root = home->path().toUtf8();
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    // Removes the private home when libFuzzer exits the process.
    std::atexit([] { delete home; });
}

void startQt() {
    static int argc = 1;
    static char name[] = "quillview-fuzz";
    static char* argv[] = {name, nullptr};
    QCoreApplication::setApplicationName("Quillview");
    new QCoreApplication(argc, argv);
}

// The built-in road for every language, MultiMarkdown included (an empty
// script path), as overrides, so nothing is written to the settings file.
void chooseBuiltInConverters() {
    SettingsStore& store = SettingsStore::shared();
    store.registerDefaults();
    // Stored keys, as `convert --set` takes them. A slow input must meet
    // libFuzzer's time-out, not be stopped quietly by the conversion budget.
    for (const char* assignment : {"VANTREL_Use_IObjectiveC_Markup_Transformation=true", "MMD_EXE_PATH=",
                                   "CONVERSION_TIME_LIMIT_MS=3600000"})
        store.setOverrideFromAssignment(QString::fromLatin1(assignment));
    store.installAsConverterSettings();
}

// Log lines cost time on every input; a search that ran into the engine's
// time limit is worth one note per pattern, since it means a rule was skipped.
void quietLogs() {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    engine::setLogHandler([](const icu::UnicodeString& line) {
        static std::set<std::string> noted;
        const std::string text = engine::toUtf8(line);
        if (text.rfind("Regex stopped", 0) == 0 && noted.insert(text).second)
            std::fprintf(stderr, "NOTE: %s\n", text.c_str());
    });
}

}  // namespace

void prepare() {
    static std::once_flag once;
    std::call_once(once, [] {
        usePrivateHome();
        startQt();
        chooseBuiltInConverters();
        quietLogs();
    });
}

QString scratchFolder() {
    const QString folder = home->path() + "/scratch";
    QDir().mkpath(folder);
    return folder;
}

}  // namespace fuzzenv
