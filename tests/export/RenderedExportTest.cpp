// Code colours, math and diagrams in the exports of the sample that ships
// with the application: the HTML file stands on its own, the office formats
// carry colours and pictures, and the switches decide what is rendered.
#include <QRegularExpression>
#include <QStandardPaths>

#include "export/ExportTestSupport.h"
#include "settings/SettingsStore.h"

using namespace exporttest;

namespace {

QString sampleDocument(const QTemporaryDir& folder) {
    const QString copy = folder.filePath("code-math-diagrams.md");
    QFile::copy(QUILL_SOURCE_DIR "/resources/samples/code-math-diagrams.md", copy);
    return copy;
}

int countOf(const QString& text, const QString& pattern) {
    int count = 0;
    for (auto it = QRegularExpression(pattern).globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

void switchAll(bool on) {
    SettingsStore& settings = SettingsStore::shared();
    settings.setHighlightCode(on);
    settings.setTypesetMath(on);
    settings.setDrawDiagrams(on);
}

}  // namespace

// Opened from a stick with no network, the file shows everything: no script
// runs, and nothing it refers to lies outside it.
TEST(RenderedExport, HtmlStandsOnItsOwn) {
    QTemporaryDir folder;
    const QString document = sampleDocument(folder);
    const QByteArray markup = readBytes(document);
    ASSERT_TRUE(exportDocument(document, "html", folder.filePath("out.html"), nullptr, {}, "body { color: #222; }"));
    const QString html = QString::fromUtf8(readBytes(folder.filePath("out.html")));

    EXPECT_TRUE(html.startsWith("<style type=\"text/css\"> body { color: #222; } </style> <style")) << html.left(200).toStdString();
    EXPECT_FALSE(html.contains("<script", Qt::CaseInsensitive));
    EXPECT_EQ(countOf(html, "<svg [^>]*id=\"quillview-diagram-"), markup.count("```mermaid"));
    EXPECT_GE(countOf(html, "<span class=\"hljs-keyword\">"), 5);
    EXPECT_GE(countOf(html, "class=\"katex\""), 4);
    EXPECT_TRUE(html.contains(".hljs-keyword"));
    EXPECT_TRUE(html.contains("url(data:font/woff2;base64,"));
    // The dollar amount stays prose; the broken formula stays as written.
    EXPECT_TRUE(html.contains("the book costs $5 and the poster $10."));
    EXPECT_TRUE(html.contains("quillview-math-error"));
    const QString outside = R"((?:src|href|xlink:href)\s*=\s*["']?\s*(?:[a-z]+:|//)(?!#)|url\(\s*["']?\s*(?!data:|#)[^)\s]|@import)";
    for (auto it = QRegularExpression(outside, QRegularExpression::CaseInsensitiveOption).globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        ADD_FAILURE() << "refers outside: " << html.mid(match.capturedStart() - 40, 120).toStdString();
    }
}

// Without the switches the file is the converter's fragment, as before.
TEST(RenderedExport, SwitchedOffTheHtmlIsTheConvertersFragment) {
    QTemporaryDir folder;
    const QString document = sampleDocument(folder);
    switchAll(false);
    const bool exported = exportDocument(document, "html", folder.filePath("plain.html"));
    switchAll(true);
    ASSERT_TRUE(exported);
    const QByteArray html = readBytes(folder.filePath("plain.html"));
    EXPECT_TRUE(html.startsWith("<h1"));
    EXPECT_TRUE(html.contains("<code class=\"language-mermaid\">"));
    EXPECT_FALSE(html.contains("hljs") || html.contains("katex") || html.contains("<svg"));
}

// Word gets the code's colours in its runs and a picture of every formula
// and diagram; the broken formula and the dollar amount stay text.
TEST(RenderedExport, DocxHasColouredCodeAndPicturesOfMathAndDiagrams) {
    if (QStandardPaths::findExecutable("soffice").isEmpty())
        GTEST_FAIL() << "LibreOffice is not installed; scripts/setup installs it";
    QTemporaryDir folder;
    const QString document = sampleDocument(folder);
    ASSERT_TRUE(exportDocument(document, "docx", folder.filePath("out.docx")));
    const QString text = QString::fromUtf8(zipEntry(folder.filePath("out.docx"), "word/document.xml"));
    EXPECT_TRUE(text.contains("<w:color w:val=\"CF222E\"/>")) << "keyword colour";
    EXPECT_TRUE(text.contains("<w:color w:val=\"6E7781\"/>")) << "comment colour";
    EXPECT_TRUE(text.contains("the book costs $5 and the poster $10."));
    EXPECT_TRUE(text.contains("\\frac{1}{"));
    const int pictures = countOf(QString::fromUtf8(zipListing(folder.filePath("out.docx"))), "word/media/\\S+\\.png");
    const int formulas = 5, diagrams = 2;
    EXPECT_EQ(pictures, formulas + diagrams);
}
