#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

#include "engine/ConversionSettings.h"
#include "settings/Language.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsRegistry.h"

namespace {

using Setting = SettingsStore::Setting;

SettingsStore& freshStore() {
    SettingsStore& store = SettingsStore::shared();
    store.registerDefaults();
    return store;
}

QString usersFile() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Quillview/Quillview.conf");
}

}  // namespace

// Two settings stored under one key would overwrite each other.
TEST(SettingsRegistry, EveryKeyIsDeclaredOnce) {
    QStringList keys;
    for (const SettingDefinition& definition : settingsRegistry()) {
        EXPECT_FALSE(keys.contains(definition.key)) << definition.key.toStdString();
        keys << definition.key;
    }
}

// A settings file written by an earlier version, keys spelled as they were
// then, reads through the typed accessors.
TEST(SettingsStore, AnEarlierVersionsFileReadsBack) {
    SettingsStore& store = freshStore();
    store.sync();
    const struct {
        const char* line;
        std::function<bool(const SettingsStore&)> check;
    } entries[] = {
        {"VANTREL_CUSTO_PHP_URL=/opt/php/bin/php", [](auto& s) { return s.customPhpPath() == "/opt/php/bin/php"; }},
        {"VANTREL_Use_CustomPHP_Markup_Transformation=true", [](auto& s) { return s.useCustomPhp(); }},
        {"VANTREL_Use_IObjectiveC_Markup_Transformation=false", [](auto& s) { return !s.useBuiltInConverters(); }},
        {"MARKUP_USE_HTML5=true", [](auto& s) { return s.useHtml5(); }},
        {"UseCriticsMarkup=true", [](auto& s) { return s.useCriticMarkup(); }},
        {"CriticMarkupAddStyle=\"color: red;\"", [](auto& s) { return s.criticAddStyle() == "color: red;"; }},
        {"MMD_EXE_PATH=", [](auto& s) { return s.multiMarkdownProgram() == QString(); }},
        {"defaults_FontSize=130", [](auto& s) { return s.fontSize() == 130; }},
        {"defaults_MarkdownExtension=md txt", [](auto& s) { return s.markdownExtension() == "md txt"; }},
        {"defaults_MarkdownFlavour=gfm", [](auto& s) { return s.markdownFlavour() == "gfm"; }},
        {"Defaults_TextSize=15", [](auto& s) { return s.sourceFontSize() == "15"; }},
        {"WINDOW_THEME=NSAppearanceNameVibrantDark",
         [](auto& s) { return s.windowTheme() == "NSAppearanceNameVibrantDark"; }},
        {"WINDOW_SHOW_TITLEBAR=false", [](auto& s) { return !s.showTitlebar(); }},
        {"BASEURL_SelectedOption=4", [](auto& s) { return s.baseUrlOption() == 4; }},
        {"CONVERSION_TIME_LIMIT_MS=2500", [](auto& s) { return s.conversionTimeLimit() == 2500; }},
        {"Vantrel_Updater_First_Start_Done=true", [](auto& s) { return s.updaterFirstStartDone(); }},
        {"VANTREL_UPDATER_LASTSKIP=2.1", [](auto& s) { return s.updaterLastSkip() == "2.1"; }},
        {"Warning_OpenURLInBrowser=true", [](auto& s) { return s.openUrlWithoutWarning(); }},
        {"RECENT_DOCUMENTS=/a/one.md, /b/two.md",
         [](auto& s) { return s.recentDocuments() == QStringList{"/a/one.md", "/b/two.md"}; }},
    };
    QByteArray text = "[General]\n";
    for (const auto& entry : entries)
        text += QByteArray(entry.line) + '\n';
    QFile file(usersFile());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
    file.close();
    store.sync();

    for (const auto& entry : entries)
        EXPECT_TRUE(entry.check(store)) << entry.line;
    QFile::remove(usersFile());
    store.sync();
    EXPECT_EQ(store.fontSize(), 100);
}

// Observers hear each write that changes what a setting reads as, once.
TEST(SettingsStore, ChangesAreSignalledOncePerChange) {
    SettingsStore& store = freshStore();
    std::vector<Setting> heard;
    QObject observer;
    QObject::connect(&store, &SettingsStore::changed, &observer, [&](Setting setting) { heard.push_back(setting); });
    store.setWindowTheme("NSAppearanceNameVibrantDark");
    store.setWindowTheme("NSAppearanceNameVibrantDark");
    store.setShowTitlebar(true);  // the registered default: no change
    store.reset(Setting::windowTheme);
    store.reset(Setting::windowTheme);
    store.setCriticAddStyle(SettingsStore::criticAddStyleDefault());  // what it read as before
    store.reset(Setting::criticAddStyle);
    EXPECT_EQ(heard, (std::vector<Setting>{Setting::windowTheme, Setting::windowTheme}));
}

TEST(SettingsStore, DefaultsReadBackAsRegistered) {
    SettingsStore& store = freshStore();
    EXPECT_EQ(store.markdownExtension(), "markdown md mdown markdn markd mkdn");
    EXPECT_TRUE(store.useMarkdownExtra());
    EXPECT_EQ(store.fontSize(), 100);
    EXPECT_EQ(store.baseUrlOption(), 2);
    EXPECT_EQ(store.selectedCssStyle(), "Standard_Light");
    EXPECT_FALSE(store.hasValue(Setting::useHtml5));
    EXPECT_FALSE(store.multiMarkdownProgram());
    // A style the pane shows reads as shown until the user stores another.
    EXPECT_FALSE(store.hasValue(Setting::criticAddStyle));
    EXPECT_TRUE(store.criticAddStyle().startsWith("background-color:yellow"));
}

TEST(SettingsStore, StoredEmptyStringIsNotAbsent) {
    SettingsStore& store = freshStore();
    store.setMultiMarkdownProgram("");
    store.sync();
    ASSERT_TRUE(store.multiMarkdownProgram());
    EXPECT_TRUE(store.multiMarkdownProgram()->isEmpty());
    store.reset(Setting::multiMarkdownProgram);
    EXPECT_FALSE(store.multiMarkdownProgram());
}

TEST(SettingsStore, StoredValuesWinOverDefaultsAndLandInTheUsersFile) {
    SettingsStore& store = freshStore();
    store.setFontSize(130);
    store.sync();
    EXPECT_EQ(store.fontSize(), 130);
    EXPECT_TRUE(QFile::exists(usersFile()));
    store.reset(Setting::fontSize);
    EXPECT_EQ(store.fontSize(), 100);
}

TEST(SettingsStore, ConvertersReadTheStore) {
    SettingsStore& store = freshStore();
    store.installAsConverterSettings();
    store.setUseHtml5(true);
    EXPECT_TRUE(engine::conversionSettings().useHtml5);
    store.reset(Setting::useHtml5);
    EXPECT_FALSE(engine::conversionSettings().useHtml5);
    engine::setConversionSettingsSource(nullptr);
}

// Last: overrides stay for the rest of the run.
TEST(SettingsStore, CommandLineAssignmentsByType) {
    SettingsStore& store = freshStore();
    EXPECT_FALSE(store.setOverrideFromAssignment("MARKUP_USE_HTML5=true"));
    EXPECT_TRUE(store.useHtml5());
    EXPECT_FALSE(store.setOverrideFromAssignment("defaults_FontSize=120"));
    EXPECT_EQ(store.fontSize(), 120);
    EXPECT_FALSE(store.setOverrideFromAssignment("BASEURL_WebURL=http://a/b?c=d"));
    EXPECT_EQ(store.baseUrlWebAddress(), "http://a/b?c=d");
    EXPECT_FALSE(store.setOverrideFromAssignment("MMD_EXE_PATH="));
    EXPECT_TRUE(store.multiMarkdownProgram()->isEmpty());

    EXPECT_TRUE(store.setOverrideFromAssignment("MARKUP_USE_HTML5=yes"));
    EXPECT_TRUE(store.setOverrideFromAssignment("defaults_FontSize=12x"));
    EXPECT_TRUE(store.setOverrideFromAssignment("NoSuchKey=1"));
    EXPECT_TRUE(store.setOverrideFromAssignment("novalue"));
    EXPECT_TRUE(store.setOverrideFromAssignment("Defaults_TextColor=red"));
    // Overrides are for this run only: nothing reaches the user's file.
    QSettings file(QSettings::NativeFormat, QSettings::UserScope, "Quillview", "Quillview");
    EXPECT_FALSE(file.contains("defaults_FontSize"));
}

TEST(Language, FirstPreferenceReducedToItsLanguage) {
    EXPECT_EQ(Language::languageFromPreferences({"pt-BR", "en"}), "pt");
    EXPECT_EQ(Language::languageFromPreferences({"DE-AT"}), "de");
    EXPECT_EQ(Language::languageFromPreferences({"EN"}), "EN");
    EXPECT_EQ(Language::languageFromPreferences({}), "en");
}
