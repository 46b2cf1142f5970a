#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "settings/Language.h"
#include "settings/SettingsRegistry.h"
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
    EXPECT_TRUE(keys.contains(settingskeys::kScriptsAllowedFolders));
    EXPECT_TRUE(keys.contains(settingskeys::kRecentDocuments));
}

TEST(SettingsStore, DefaultsReadBackAsRegistered) {
    SettingsStore& store = freshStore();
    EXPECT_EQ(store.stringValue("defaults_MarkdownExtension"), "markdown md mdown markdn markd mkdn");
    EXPECT_TRUE(store.boolValue("defaults_UseMarkdownExtra"));
    EXPECT_EQ(store.integerValue("defaults_FontSize"), 100);
    EXPECT_EQ(store.integerValue("BASEURL_SelectedOption"), 2);
    EXPECT_EQ(store.stringValue("SelectedCSSStyle"), "Standard_Light");
    EXPECT_FALSE(store.contains("MARKUP_USE_HTML5"));
    EXPECT_FALSE(store.optionalString("MMD_EXE_PATH"));
}

TEST(SettingsStore, StoredEmptyStringIsNotAbsent) {
    SettingsStore& store = freshStore();
    store.setValue("MMD_EXE_PATH", "");
    store.sync();
    ASSERT_TRUE(store.optionalString("MMD_EXE_PATH"));
    EXPECT_TRUE(store.optionalString("MMD_EXE_PATH")->isEmpty());
    store.remove("MMD_EXE_PATH");
    EXPECT_FALSE(store.optionalString("MMD_EXE_PATH"));
}

TEST(SettingsStore, StoredValuesWinOverDefaultsAndLandInTheUsersFile) {
    SettingsStore& store = freshStore();
    store.setValue("defaults_FontSize", 130);
    store.sync();
    EXPECT_EQ(store.integerValue("defaults_FontSize"), 130);
    EXPECT_TRUE(QFile::exists(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("Quillview/Quillview.conf")));
    store.remove("defaults_FontSize");
    EXPECT_EQ(store.integerValue("defaults_FontSize"), 100);
}

TEST(SettingsStore, CommandLineAssignmentsByType) {
    SettingsStore& store = freshStore();
    EXPECT_FALSE(store.setOverrideFromAssignment("MARKUP_USE_HTML5=true"));
    EXPECT_TRUE(store.boolValue("MARKUP_USE_HTML5"));
    EXPECT_FALSE(store.setOverrideFromAssignment("defaults_FontSize=120"));
    EXPECT_EQ(store.integerValue("defaults_FontSize"), 120);
    EXPECT_FALSE(store.setOverrideFromAssignment("BASEURL_WebURL=http://a/b?c=d"));
    EXPECT_EQ(store.stringValue("BASEURL_WebURL"), "http://a/b?c=d");
    EXPECT_FALSE(store.setOverrideFromAssignment("MMD_EXE_PATH="));
    EXPECT_TRUE(store.optionalString("MMD_EXE_PATH")->isEmpty());

    EXPECT_TRUE(store.setOverrideFromAssignment("MARKUP_USE_HTML5=yes"));
    EXPECT_TRUE(store.setOverrideFromAssignment("defaults_FontSize=12x"));
    EXPECT_TRUE(store.setOverrideFromAssignment("NoSuchKey=1"));
    EXPECT_TRUE(store.setOverrideFromAssignment("novalue"));
    EXPECT_TRUE(store.setOverrideFromAssignment("Defaults_TextColor=red"));
    // Overrides are for this run only: nothing reaches the user's file.
    QSettings file(QSettings::NativeFormat, QSettings::UserScope, "Quillview", "Quillview");
    EXPECT_FALSE(file.contains("defaults_FontSize"));
}

TEST(SettingsStore, ConvertersReadTheStore) {
    SettingsStore& store = freshStore();
    store.installAsConverterSettings();
    store.setValue("CriticMarkupAddStyle", "color: red;");
    auto reader = engine::settingsReader();
    EXPECT_EQ(unicodebridge::toQString(*reader->stringForKey("CriticMarkupAddStyle")), "color: red;");
    EXPECT_EQ(reader->integerForKey("BASEURL_SelectedOption"), 2);
    EXPECT_FALSE(reader->stringForKey("VANTREL_CUSTO_PHP_URL"));
    store.remove("CriticMarkupAddStyle");
}

TEST(Language, FirstPreferenceReducedToItsLanguage) {
    EXPECT_EQ(Language::languageFromPreferences({"pt-BR", "en"}), "pt");
    EXPECT_EQ(Language::languageFromPreferences({"DE-AT"}), "de");
    EXPECT_EQ(Language::languageFromPreferences({"EN"}), "EN");
    EXPECT_EQ(Language::languageFromPreferences({}), "en");
}
