#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "settings/Language.h"
#include "settings/SettingsStore.h"
#include "settings/UnicodeBridge.h"

namespace {

SettingsStore& freshStore() {
    SettingsStore& store = SettingsStore::shared();
    store.registerDefaults();
    return store;
}

}  // namespace

// Two settings stored under one key would overwrite each other.
TEST(SettingsRegistry, EveryKeyIsDeclaredOnce) {
    QStringList keys;
    for (const SettingDefinition& definition : settingsRegistry()) {
        EXPECT_FALSE(keys.contains(definition.key)) << definition.key.toStdString();
        keys << definition.key;
    }
    EXPECT_TRUE(keys.hasValue(SettingsStore::Setting::scriptsAllowedFolders));
    EXPECT_TRUE(keys.hasValue(SettingsStore::Setting::recentDocuments));
}

TEST(SettingsStore, DefaultsReadBackAsRegistered) {
    SettingsStore& store = freshStore();
    EXPECT_EQ(store.markdownExtension(), "markdown md mdown markdn markd mkdn");
    EXPECT_TRUE(store.useMarkdownExtra());
    EXPECT_EQ(store.fontSize(), 100);
    EXPECT_EQ(store.baseUrlOption(), 2);
    EXPECT_EQ(store.selectedCssStyle(), "Standard_Light");
    EXPECT_FALSE(store.hasValue(SettingsStore::Setting::useHtml5));
    EXPECT_FALSE(store.multiMarkdownProgram());
}

TEST(SettingsStore, StoredEmptyStringIsNotAbsent) {
    SettingsStore& store = freshStore();
    store.setMultiMarkdownProgram("");
    store.sync();
    ASSERT_TRUE(store.multiMarkdownProgram());
    EXPECT_TRUE(store.multiMarkdownProgram()->isEmpty());
    store.reset(SettingsStore::Setting::multiMarkdownProgram);
    EXPECT_FALSE(store.multiMarkdownProgram());
}

TEST(SettingsStore, StoredValuesWinOverDefaultsAndLandInTheUsersFile) {
    SettingsStore& store = freshStore();
    store.setFontSize(130);
    store.sync();
    EXPECT_EQ(store.fontSize(), 130);
    EXPECT_TRUE(QFile::exists(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Quillview/Quillview.conf")));
    store.reset(SettingsStore::Setting::fontSize);
    EXPECT_EQ(store.fontSize(), 100);
}

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
    EXPECT_FALSE(file.hasValue(SettingsStore::Setting::fontSize));
}

TEST(SettingsStore, ConvertersReadTheStore) {
    SettingsStore& store = freshStore();
    store.installAsConverterSettings();
    store.setCriticAddStyle("color: red;");
    auto reader = engine::settingsReader();
    EXPECT_EQ(unicodebridge::toQString(*reader->stringForKey("CriticMarkupAddStyle")), "color: red;");
    EXPECT_EQ(reader->integerForKey("BASEURL_SelectedOption"), 2);
    EXPECT_FALSE(reader->stringForKey("VANTREL_CUSTO_PHP_URL"));
    store.reset(SettingsStore::Setting::criticAddStyle);
}

TEST(Language, FirstPreferenceReducedToItsLanguage) {
    EXPECT_EQ(Language::languageFromPreferences({"pt-BR", "en"}), "pt");
    EXPECT_EQ(Language::languageFromPreferences({"DE-AT"}), "de");
    EXPECT_EQ(Language::languageFromPreferences({"EN"}), "EN");
    EXPECT_EQ(Language::languageFromPreferences({}), "en");
}
