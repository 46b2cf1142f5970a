#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

#include "dispatch/MarkupLanguages.h"
#include "dispatch/MarkupTransformTask.h"
#include "pipeline/DocumentPipeline.h"
#include "settings/SettingsStore.h"

namespace {

// The built-in road, as the interpreter check leaves it on this platform.
struct BuiltInRoad : ::testing::Test {
    void SetUp() override {
        SettingsStore& store = SettingsStore::shared();
        store.registerDefaults();
        store.installAsConverterSettings();
        store.setUseBuiltInConverters(true);
        store.setMultiMarkdownProgram("");
    }
    void TearDown() override {
        SettingsStore& store = SettingsStore::shared();
        for (SettingsStore::Setting key : {SettingsStore::Setting::useBuiltInConverters, SettingsStore::Setting::multiMarkdownProgram,
                                SettingsStore::Setting::useMarkdownExtra, SettingsStore::Setting::openUnknownExtension})
            store.reset(key);
    }
};

const QString kNoLanguage = "Unexspected Error: no valid markup language found";

}  // namespace

TEST_F(BuiltInRoad, IdentifierIsTrimmedAndLowerCased) {
    MarkupTransformTask task;
    task.setMarkuplanguage("  MultiMarkdown\n");
    EXPECT_EQ(task.markLanguage, "multimarkdown");
    EXPECT_FALSE(task.mmd_UseExe);
    EXPECT_EQ(MarkupTransformTask::transformString("[b]x[/b]", " BBCode ", false), "<strong>x</strong><br />\n\n");
}

TEST_F(BuiltInRoad, HtmlPassesThroughWithOrWithoutReviewMarks) {
    EXPECT_EQ(MarkupTransformTask::transformString("<p>a {++b++}</p>", "html", false), "<p>a {++b++}</p>");
    QString withCritics = MarkupTransformTask::transformString("<p>a {++b++}</p>", "html", true);
    EXPECT_TRUE(withCritics.startsWith("<p>a <span style='"));
    EXPECT_TRUE(withCritics.endsWith("'>b</span></p>"));
}

TEST_F(BuiltInRoad, UnknownLanguagesGiveTheErrorText) {
    EXPECT_EQ(MarkupTransformTask::transformString("x", "sumwise", false), kNoLanguage);
    EXPECT_EQ(MarkupTransformTask::transformString("x", "rst", false), kNoLanguage);
    EXPECT_EQ(MarkupTransformTask::transformString("x", "", false), kNoLanguage);
}

TEST_F(BuiltInRoad, WindowsAndClassicMacLineEndsBecomeNewlines) {
    const QString lf = MarkupTransformTask::transformString("[b]a[/b]\n\nb\n", "bbcode", false);
    EXPECT_EQ(MarkupTransformTask::transformString("[b]a[/b]\r\n\r\nb\r\n", "bbcode", false), lf);
    EXPECT_EQ(MarkupTransformTask::transformString("[b]a[/b]\r\rb\r", "bbcode", false), lf);
    EXPECT_EQ(MarkupTransformTask::normalisedLineEnds("a\r\n\rb"), "a\n\nb");
}

TEST_F(BuiltInRoad, MultiMarkdownRoadDependsOnStoredPath) {
    SettingsStore& store = SettingsStore::shared();
    store.setMultiMarkdownProgram("");
    MarkupTransformTask empty;
    empty.setMarkuplanguage("multimarkdown");
    EXPECT_FALSE(empty.mmd_UseExe);
    store.reset(SettingsStore::Setting::multiMarkdownProgram);
    MarkupTransformTask absent;
    absent.setMarkuplanguage("multimarkdown");
    EXPECT_TRUE(absent.mmd_UseExe);
}

TEST_F(BuiltInRoad, ExtensionsChooseTheLanguage) {
    using markuplanguages::markupLangSelectFromExtension;
    EXPECT_EQ(markupLangSelectFromExtension("md"), "markdownextra");
    EXPECT_EQ(markupLangSelectFromExtension("mmd"), "multimarkdown");
    EXPECT_EQ(markupLangSelectFromExtension("tsl"), "tessel");
    EXPECT_EQ(markupLangSelectFromExtension("bbc"), "bbcode");
    EXPECT_EQ(markupLangSelectFromExtension("wiki"), "wikitext");
    EXPECT_EQ(markupLangSelectFromExtension("textile"), "textile");
    EXPECT_EQ(markupLangSelectFromExtension("xhtml"), "html");
    EXPECT_EQ(markupLangSelectFromExtension("textpack"), "");
    // Case-sensitive: MD is not in the lists and falls to the unknown rule,
    // which does not apply the Markdown Extra switch.
    EXPECT_EQ(markupLangSelectFromExtension("MD"), "markdown");
    EXPECT_EQ(markupLangSelectFromExtension(""), "markdown");
    SettingsStore::shared().setUseMarkdownExtra(false);
    EXPECT_EQ(markupLangSelectFromExtension("md"), "markdown");
    SettingsStore::shared().setOpenUnknownExtension("Textile");
    EXPECT_EQ(markupLangSelectFromExtension("txt"), "textile");
}

TEST(MarkupLanguages, DisplayValuesAndFlavours) {
    EXPECT_EQ(markuplanguages::markupLanguageDisplayValues(),
              QStringList({"BBCode", "GitHub Markdown", "HTML", "Markdown", "MarkdownExtra", "MultiMarkdown", "Tessel",
                           "Textile", "Wikitext"}));
    EXPECT_EQ(markuplanguages::normalisedIdentifier(" github markdown\n"), "gfm");
    EXPECT_EQ(markuplanguages::displayValueForIdentifier("markdownextra"), "MarkdownExtra");
    EXPECT_EQ(markuplanguages::displayValueForIdentifier("sumwise"), "");
    EXPECT_TRUE(markuplanguages::markdownExtraFlavour().at("tilde_strike"));
    EXPECT_FALSE(markuplanguages::markdownExtraFlavour().contains("toc_create"));
    EXPECT_FALSE(markuplanguages::multiMarkdownFlavour().at("tilde_strike"));
    EXPECT_TRUE(markuplanguages::multiMarkdownFlavour().at("toc_create"));
    EXPECT_TRUE(markuplanguages::multiMarkdownFlavour().at("bibliography"));
}

// Markdown files render in the flavour chosen in the preferences; before one
// was chosen, the Markdown Extra switch decides as it always did.
TEST_F(BuiltInRoad, MarkdownFilesRenderInTheChosenFlavour) {
    SettingsStore& store = SettingsStore::shared();
    EXPECT_EQ(markuplanguages::markupLangSelectFromExtension("md"), "markdownextra");
    store.setUseMarkdownExtra(false);
    EXPECT_EQ(markuplanguages::markupLangSelectFromExtension("md"), "markdown");
    store.setMarkdownFlavour("gfm");
    EXPECT_EQ(markuplanguages::markupLangSelectFromExtension("md"), "gfm");
    EXPECT_EQ(markuplanguages::markupLangSelectFromExtension("mmd"), "multimarkdown");
    store.setMarkdownFlavour("textile");  // not a flavour: the switch decides
    EXPECT_EQ(markuplanguages::markupLangSelectFromExtension("md"), "markdown");
    store.reset(SettingsStore::Setting::markdownFlavour);
}

// GitHub Markdown is libcmark-gfm's whatever interpreter is chosen: there is
// no script for it.
TEST_F(BuiltInRoad, GithubMarkdownIgnoresTheInterpreterChoice) {
    SettingsStore& store = SettingsStore::shared();
    store.setUseBuiltInConverters(false);
    store.setUseCustomPhp(true);
    store.setCustomPhpPath("/nonexistent/php");
    EXPECT_EQ(MarkupTransformTask::transformString("~~a~~", "gfm", false), "<p><del>a</del></p>\n");
    store.reset(SettingsStore::Setting::useCustomPhp);
    store.reset(SettingsStore::Setting::customPhpPath);
}

// A table row of thousands of cells would hold the table extension for
// minutes; text with such a row is read without tables.
TEST_F(BuiltInRoad, GithubMarkdownReadsAbsurdlyWideRowsAsText) {
    auto table = [](int cells) {
        QString header = "a", rule = "-", body = "b";
        for (int i = 1; i < cells; ++i) {
            header += "|a";
            rule += "|-";
            body += "|b";
        }
        return header + "\n" + rule + "\n" + body + "\n";
    };
    EXPECT_TRUE(MarkupTransformTask::transformString(table(3), "gfm", false).startsWith("<table>"));
    EXPECT_TRUE(MarkupTransformTask::transformString(table(2002), "gfm", false).startsWith("<p>a|a|a"));
}

// The window converts off the GUI thread, so conversions of several documents
// run at once (two windows, or a window and an export): they must share
// nothing that one of them frees or changes.
TEST_F(BuiltInRoad, ConversionsRunSideBySide) {
    QDir corpus(QString(QUILL_CORPUS_DIR) + "/markdown");
    const QStringList names = corpus.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        documentpipeline::Request request;
        request.path = corpus.filePath(name);
        QFuture<documentpipeline::Result> first = QtConcurrent::run(documentpipeline::render, request);
        QFuture<documentpipeline::Result> second = QtConcurrent::run(documentpipeline::render, request);
        // Markdown hides e-mail addresses with random character references:
        // compare what does not depend on them.
        EXPECT_FALSE(first.result().fragment.isEmpty()) << name.toStdString();
        EXPECT_EQ(first.result().fragment.count("<p>"), second.result().fragment.count("<p>")) << name.toStdString();
    }
}

// A document that keeps a converter busy past the time budget gives no page
// at all, whichever converter it is; the next conversion is unaffected.
TEST_F(BuiltInRoad, EveryBuiltInConverterStopsAtTheBudget) {
    const std::pair<const char*, const char*> languages[] = {
        {"markdown", "markdown"}, {"markdownextra", "markdown"}, {"multimarkdown", "markdown"},
        {"gfm", "markdown"},      {"textile", "textile"},       {"wikitext", "wikitext"},
        {"bbcode", "bbcode"},     {"tessel", "markdown"},
    };
    SettingsStore& store = SettingsStore::shared();
    for (const auto& [language, corpusFolder] : languages) {
        QDir corpus(QString(QUILL_CORPUS_DIR) + "/" + corpusFolder);
        QString large;
        for (const QString& name : corpus.entryList(QDir::Files)) {
            QFile file(corpus.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            large += QString::fromUtf8(file.readAll()) + "\n\n";
        }
        while (large.size() < 4 * 1024 * 1024)
            large += large;
        store.setConversionTimeLimit(1);
        const auto stopped = MarkupTransformTask::transformStringWithOutcome(large, language, true);
        store.reset(SettingsStore::Setting::conversionTimeLimit);
        EXPECT_TRUE(stopped.stopped) << language;
        EXPECT_TRUE(stopped.html.isEmpty()) << language;
        const auto next = MarkupTransformTask::transformStringWithOutcome("*a*", language, false);
        EXPECT_FALSE(next.stopped) << language;
        EXPECT_FALSE(next.html.isEmpty()) << language;
    }
}
