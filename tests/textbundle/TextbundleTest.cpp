// TextBundle and TextPack: reading, writing, identifiers, custom values and
// archives that try to write outside their unpack folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zip.h>

#include "settings/AppSupportFilePaths.h"
#include "textbundle/Textbundle.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TextbundleTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QStringList alerts;
    Textbundle textbundle;

    void SetUp() override {
        Textbundle::setCriticalAlertPresenter(
            [this](const QString& title, const QString& message) { alerts << title + "|" + message; });
    }
    void TearDown() override { Textbundle::setCriticalAlertPresenter({}); }

    QString path(const QString& name) const { return folder.filePath(name); }

    QString makeBundle(const QString& name, const QByteArray& type, const QString& textName = "text.md") {
        const QString bundle = path(name);
        writeFile(bundle + "/" + textName, "# Hello");
        writeFile(bundle + "/info.json", "{\"version\": 2, \"type\": \"" + type + "\"}");
        return bundle;
    }
};

TEST_F(TextbundleTest, ReadsTextAssetsAndLanguage) {
    const QString bundle = makeBundle("a.textbundle", "net.multimarkdown.text");
    writeFile(bundle + "/assets/b.png", "png");
    writeFile(bundle + "/assets/a.jpg", "jpg");
    auto contents = textbundle.readTextbundleFromPath(bundle);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->text, "# Hello");
    EXPECT_EQ(contents->textFilePath, bundle + "/text.md");
    EXPECT_EQ(contents->markupLang, "multimarkdown");
    EXPECT_EQ(contents->assetsNames, QStringList({"a.jpg", "b.png"}));
    EXPECT_EQ(contents->assetsFilePaths, QStringList({bundle + "/assets/a.jpg", bundle + "/assets/b.png"}));
    EXPECT_EQ(contents->json.value("version").toInt(), 2);
    EXPECT_TRUE(alerts.isEmpty());
}

TEST_F(TextbundleTest, TypesMapToLanguagesByFirstContainedName) {
    EXPECT_EQ(Textbundle::markupLanguageForType("net.daringfireball.markdown"), "markdown");
    EXPECT_EQ(Textbundle::markupLanguageForType("com.vantrel.markdownextra"), "markdown");
    EXPECT_EQ(Textbundle::markupLanguageForType("NET.MULTIMARKDOWN.TEXT"), "multimarkdown");
    EXPECT_EQ(Textbundle::markupLanguageForType("public.html"), "html");
    EXPECT_EQ(Textbundle::markupLanguageForType("com.vantrel.tessel"), "tessel");
    EXPECT_EQ(Textbundle::markupLanguageForType("public.plain-text"), "");
}

TEST_F(TextbundleTest, AnyEntryContainingTextDotIsTheText) {
    const QString bundle = makeBundle("b.textbundle", "public.html", "mytext.md");
    auto contents = textbundle.readTextbundleFromPath(bundle);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->text, "# Hello");
    EXPECT_TRUE(contents->assetsNames.isEmpty());
    EXPECT_TRUE(contents->assetsFilePaths.isEmpty());
}

TEST_F(TextbundleTest, UnknownOrMissingTypeAlertsAndFallsBackToMarkdown) {
    auto plain = textbundle.readTextbundleFromPath(makeBundle("c.textbundle", "public.plain-text"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->markupLang, "markdown");
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts[0], "Unknown Markup-Indentifier|The Markup-Identifier for this document is set to public.plain-text. "
                         "The default-markup-language for this document has been set to Markdown.");

    const QString broken = path("d.textbundle");
    writeFile(broken + "/text.md", "text");
    writeFile(broken + "/info.json", "[not an object");
    auto contents = textbundle.readTextbundleFromPath(broken);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->markupLang, "markdown");
    EXPECT_EQ(contents->text, "text");
    EXPECT_EQ(alerts.size(), 2);
}

TEST_F(TextbundleTest, AMissingPackageReadsAsNothing) {
    EXPECT_FALSE(textbundle.readTextbundleFromPath(path("none.textbundle")));
    EXPECT_FALSE(textbundle.readTextpackFromPath(path("none.textpack")));
    const QString empty = path("empty.textbundle");
    QDir().mkpath(empty);
    auto contents = textbundle.readTextbundleFromPath(empty);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(contents->text.isNull());
}

TEST_F(TextbundleTest, IdentifierAndExtensionTables) {
    EXPECT_EQ(textbundle.markupIdentifierForName("Tessel"), "com.vantrel.tessel");
    EXPECT_EQ(textbundle.markupIdentifierForName("unknown"), "net.daringfireball.markdown");
    EXPECT_EQ(textbundle.markupExtension("wikitext"), "wiki");
    EXPECT_EQ(textbundle.markupExtension("markdownextra"), "txt");
    EXPECT_EQ(textbundle.markupExtension("x"), "md");
    EXPECT_EQ(textbundle.infoJSONWithMarkupIdentifier("public.html"),
              QString("{\n\"version\" : 2,\n\"type\": \"public.html\",\n\"transient\" : false,\n\"creatorIdentifier\" : \"%1\"\n}")
                  .arg(Textbundle::kBundleIdentifier));
}

TEST_F(TextbundleTest, WritesANewBundle) {
    writeFile(path("pic.png"), "png bytes");
    const QString destination = path("out/Notes.textbundle");
    QDir().mkpath(path("out"));
    ASSERT_TRUE(textbundle.writeTextbundleForString("+ Tessel +", destination, {path("pic.png")}, "tessel"));
    EXPECT_EQ(readFile(destination + "/text.txt"), "+ Tessel +");
    EXPECT_EQ(readFile(destination + "/assets/pic.png"), "png bytes");
    auto info = textbundle.readInfoFromPath(destination);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->value("type").toString(), "com.vantrel.tessel");
    EXPECT_FALSE(QFileInfo::exists(AppSupportFilePaths::appSupportFilePath() + "/textbundleTemp.textbundle"));
    // The destination is never replaced.
    EXPECT_FALSE(textbundle.writeTextbundleForString("again", destination, {}, "tessel"));
}

TEST_F(TextbundleTest, RewritingKeepsCustomItemsAndTheTextName) {
    const QString existing = makeBundle("old.textbundle", "net.daringfireball.markdown", "text.markdown");
    writeFile(existing + "/notes/extra.txt", "custom");
    writeFile(existing + "/cover.jpg", "jpg");
    ASSERT_TRUE(textbundle.setCustomValue(42, "answer", existing));
    const QString destination = path("new.textbundle");
    ASSERT_TRUE(textbundle.writeTextbundleForString("h1. Textile", destination, {}, "textile", existing));
    EXPECT_EQ(readFile(destination + "/text.markdown"), "h1. Textile");
    EXPECT_EQ(readFile(destination + "/notes/extra.txt"), "custom");
    EXPECT_EQ(readFile(destination + "/cover.jpg"), "jpg");
    EXPECT_EQ(textbundle.readInfoFromPath(destination)->value("type").toString(), "com.vantrel.textile");
    EXPECT_EQ(textbundle.getCustomValueForKey("answer", destination).toInt(), 42);
}

TEST_F(TextbundleTest, CustomValuesAndTypeUpdates) {
    const QString bundle = makeBundle("e.textbundle", "public.html");
    EXPECT_FALSE(textbundle.getCustomValueForKey("k", bundle).isValid());
    ASSERT_TRUE(textbundle.setCustomValue("v1", "k", bundle));
    ASSERT_TRUE(textbundle.setCustomValue("v2", "other", bundle));
    EXPECT_EQ(textbundle.getCustomValueForKey("k", bundle).toString(), "v1");
    EXPECT_EQ(textbundle.getCustomValueForKey("other", bundle).toString(), "v2");
    ASSERT_TRUE(textbundle.updateJSONWithMarkupLanguage("BBCode", bundle));
    EXPECT_EQ(textbundle.readInfoFromPath(bundle)->value("type").toString(), "com.vantrel.bbcode");
    EXPECT_EQ(textbundle.readInfoFromPath(bundle)->value("version").toInt(), 2);
    ASSERT_TRUE(Textbundle::writeString("replaced", QUrl::fromLocalFile(bundle)));
    EXPECT_EQ(Textbundle::readStringFromURL(QUrl::fromLocalFile(bundle)), "replaced");
}

TEST_F(TextbundleTest, ATextPackHoldsOneFolderNamedAfterTheDestination) {
    writeFile(path("chart.svg"), "<svg/>");
    const QString pack = path("Report.textpack");
    ASSERT_TRUE(textbundle.writeTextpackForString("*packed*", pack, {path("chart.svg")}, "markdown"));

    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(pack).constData(), ZIP_RDONLY, &error);
    ASSERT_NE(archive, nullptr);
    QStringList names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names << QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0));
    zip_discard(archive);
    for (const QString& name : names)
        EXPECT_TRUE(name.startsWith("Report.textbundle/")) << name.toStdString();
    EXPECT_TRUE(names.contains("Report.textbundle/text.md"));
    EXPECT_TRUE(names.contains("Report.textbundle/assets/chart.svg"));

    auto contents = textbundle.readTextpackFromPath(pack);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->text, "*packed*");
    EXPECT_EQ(contents->markupLang, "markdown");
    EXPECT_TRUE(contents->textbundleFilePath.endsWith("/textbundleTemp/Report.textbundle"));
    ASSERT_EQ(contents->assetsFilePaths.size(), 1);
    EXPECT_EQ(readFile(contents->assetsFilePaths[0]), "<svg/>");
    textbundle.cleanTextpackTempFiles();
    EXPECT_FALSE(QFileInfo::exists(AppSupportFilePaths::appSupportFilePath() + "/textbundleTemp"));
}

TEST_F(TextbundleTest, ATextPackThatEscapesItsFolderIsRefused) {
    const QString pack = path("evil.textpack");
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(pack).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    const char info[] = "{\"type\": \"public.html\"}";
    const char evil[] = "owned";
    zip_file_add(archive, "x.textbundle/info.json", zip_source_buffer(archive, info, sizeof info - 1, 0), 0);
    zip_file_add(archive, "x.textbundle/text.html", zip_source_buffer(archive, evil, sizeof evil - 1, 0), 0);
    zip_file_add(archive, "../../escaped.txt", zip_source_buffer(archive, evil, sizeof evil - 1, 0), 0);
    ASSERT_EQ(zip_close(archive), 0);

    EXPECT_FALSE(textbundle.readTextpackFromPath(pack));
    const QString support = AppSupportFilePaths::appSupportFilePath();
    EXPECT_FALSE(QFileInfo::exists(QDir::cleanPath(support + "/textbundleTemp/../../escaped.txt")));
    EXPECT_FALSE(QFileInfo::exists(support + "/textbundleTemp/x.textbundle/text.html"));
}

}  // namespace
