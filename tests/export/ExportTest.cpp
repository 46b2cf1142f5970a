// Export by road: in process (HTML, refusals), LibreOffice (text, RTF, RTFD,
// Word, OpenDocument), PDF (Qt WebEngine) and packages. Every check reads the
// real file that was written.
#include <QBuffer>
#include <QEventLoop>
#include <QDirIterator>
#include <QMap>
#include <QRegularExpression>
#include <QUrl>
#include <QStandardPaths>

#include "pipeline/DocumentPipeline.h"
#include "export/AnchorLinks.h"
#include "export/ExportHtml.h"
#include "export/ExportTestSupport.h"
#include "pipeline/FolderPermissions.h"
#include "support/PictureServer.h"
#include "export/PageStamps.h"
#include "export/PrintStyle.h"
#include "dispatch/FrontMatter.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"
#include "textbundle/Textbundle.h"

using namespace exporttest;

// ------------------------------------------------------------- in process

TEST(InProcessExport, HtmlIsTheFragmentWithFragmentLinksAndCodeAsWritten) {
    Sample sample;
    // The window's fragment writes the footnote as a JavaScript anchor ...
    documentpipeline::Request request;
    request.path = sample.document;
    ASSERT_TRUE(documentpipeline::render(request).fragment.contains("javascript:;"));
    // ... the export as a plain fragment link.
    ASSERT_TRUE(exportDocument(sample.document, "HTML", sample.path("notes.html")));
    const QByteArray html = readBytes(sample.path("notes.html"));
    EXPECT_TRUE(html.contains("href=\"#fn:1\"")) << html.toStdString();
    EXPECT_TRUE(html.contains("<code>x';\"y</code>")) << html.toStdString();
    EXPECT_FALSE(html.contains("javascript:"));
    EXPECT_FALSE(html.contains("<html"));
    EXPECT_TRUE(leftovers(sample.folder.path()).isEmpty());
}

TEST(InProcessExport, StyleGoesInFrontOfTheFragment) {
    Sample sample;
    ASSERT_TRUE(exportDocument(sample.document, "html", sample.path("styled.html"), nullptr, {}, " h1 { color: red; }\n"));
    EXPECT_TRUE(readBytes(sample.path("styled.html")).startsWith("<style type=\"text/css\"> h1 { color: red; } </style> <h1"));
}

TEST(InProcessExport, OnlyTheAnchorsThemselvesChange) {
    const QString html = "<a href=\"javascript:;\" onclick=\"document.location.hash='fn:1';\">1</a>"
                         "<code>x';\"y</code><p onclick=\"document.location.hash='z';\">';\"</p>";
    EXPECT_EQ(anchorlinks::undoJavaScriptAnchors(html).toStdString(),
              "<a href=\"#fn:1\">1</a><code>x';\"y</code><p onclick=\"document.location.hash='z';\">';\"</p>");
    EXPECT_TRUE(exporthtml::printPage(html, {}, {}).contains("<a href=\"#fn:1\">"));
}

TEST(InProcessExport, AnExistingDestinationFileIsReplaced) {
    Sample sample;
    writeBytes(sample.path("old.html"), "old");
    ASSERT_TRUE(exportDocument(sample.document, "html", sample.path("old.html")));
    EXPECT_TRUE(readBytes(sample.path("old.html")).startsWith("<h1>"));
}

TEST(InProcessExport, TheSourceIsNeverTheDestination) {
    Sample sample;
    writeBytes(sample.path("page.html"), "<p>page</p>");
    writeBytes(sample.path("plain.txt"), "plain words");
    QString error;
    EXPECT_FALSE(exportDocument(sample.path("page.html"), "html", sample.path("page.html"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(exportDocument(sample.path("plain.txt"), "txt", sample.path("./plain.txt")));
    QFile::link(sample.document, sample.path("link.md"));
    EXPECT_FALSE(exportDocument(sample.document, "html", sample.path("link.md")));
    EXPECT_EQ(readBytes(sample.path("page.html")), "<p>page</p>");
    EXPECT_EQ(readBytes(sample.path("plain.txt")), "plain words");
    EXPECT_EQ(readBytes(sample.document), kNotes);
}

TEST(InProcessExport, FoldersThatAreNotPackagesOfTheFormatAreLeftAlone) {
    Sample sample;
    QString error;
    EXPECT_FALSE(exportDocument(sample.document, "html", sample.path("notes"), &error));
    EXPECT_TRUE(error.contains("folder")) << error.toStdString();
    EXPECT_FALSE(exportDocument(sample.document, "textbundle", sample.path("notes"), &error));
    EXPECT_FALSE(exportDocument(sample.document, "rtfd", sample.path("notes"), &error));
    EXPECT_EQ(readBytes(sample.path("notes/red.png")), sample.image);
    // A folder named like a package but without one inside is not one.
    writeBytes(sample.path("fake.textbundle/mine.txt"), "mine");
    EXPECT_FALSE(exportDocument(sample.document, "textbundle", sample.path("fake.textbundle")));
    EXPECT_EQ(readBytes(sample.path("fake.textbundle/mine.txt")), "mine");
}

TEST(InProcessExport, FailuresKeepTheOldDestinationAndLeaveNothing) {
    Sample sample;
    writeBytes(sample.path("kept.html"), "kept");
    QString error;
    EXPECT_FALSE(exportDocument(sample.path("missing.md"), "html", sample.path("kept.html"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(exportDocument(sample.document, "klingon", sample.path("kept.html"), &error));
    EXPECT_TRUE(error.contains("klingon"));
    writeBytes(sample.path("broken.textpack"), "not a zip archive");
    EXPECT_FALSE(exportDocument(sample.path("broken.textpack"), "html", sample.path("kept.html"), &error));
    EXPECT_FALSE(exportDocument(sample.document, "html", sample.path("no/such/folder/x.html"), &error));
    EXPECT_EQ(readBytes(sample.path("kept.html")), "kept");
    EXPECT_TRUE(leftovers(sample.folder.path()).isEmpty());
}

// A failed interpreter leaves its error where the document would be: that
// is no export of the document.
TEST(InProcessExport, AFailedInterpreterFailsTheExport) {
    Sample sample;
    writeBytes(sample.path("mmd"), "#!/bin/sh\necho 'mmd: broken' >&2\nexit 3\n");
    QFile::setPermissions(sample.path("mmd"), QFile::ReadOwner | QFile::ExeOwner);
    writeBytes(sample.path("kept.html"), "kept");
    SettingsStore::shared().setMultiMarkdownProgram(sample.path("mmd"));
    QString error;
    EXPECT_FALSE(exportDocument(sample.document, "html", sample.path("kept.html"), &error, "multimarkdown"));
    SettingsStore::shared().reset(SettingsStore::Setting::multiMarkdownProgram);
    EXPECT_TRUE(error.contains("interpreter")) << error.toStdString();
    EXPECT_EQ(readBytes(sample.path("kept.html")), "kept");
    EXPECT_TRUE(leftovers(sample.folder.path()).isEmpty());
}

TEST(InProcessExport, APackageNamedMarkdownFollowsTheMarkdownExtraSwitch) {
    Sample sample;
    writeBytes(sample.path("tables.textbundle/text.md"), "| a | b |\n|---|---|\n| 1 | 2 |\n");
    writeBytes(sample.path("tables.textbundle/info.json"), "{\"version\": 2, \"type\": \"net.daringfireball.markdown\"}");
    // The window passes the language it shows; "markdown" from a package is
    // what the pipeline turns into Markdown Extra, as the window does.
    ASSERT_TRUE(exportDocument(sample.path("tables.textbundle"), "html", sample.path("tables.html"), nullptr, "markdown"));
    EXPECT_TRUE(readBytes(sample.path("tables.html")).contains("<table>"));
}

// ------------------------------------------------------------- LibreOffice

class LibreOfficeExport : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("soffice").isEmpty())
            GTEST_FAIL() << "LibreOffice is not installed; scripts/setup installs it";
    }
    Sample sample;
};

// Real footnotes at their mark, tables with borders and a header row,
// monospaced code and the picture at its own size.
TEST_F(LibreOfficeExport, OdtHoldsNotesTablesCodeAndTheImage) {
    ASSERT_TRUE(exportDocument(sample.document, "odt", sample.path("notes.odt")));
    const QByteArray content = zipEntry(sample.path("notes.odt"), "content.xml");
    EXPECT_TRUE(content.contains("Quarterly Heading"));
    EXPECT_TRUE(zipListing(sample.path("notes.odt")).contains("Pictures/"));
    EXPECT_FALSE(content.contains("red.png"));
    EXPECT_TRUE(QRegularExpression("footnote<text:note [^>]*text:note-class=\"footnote\">.*The footnote text.")
                    .match(QString::fromUtf8(content)).hasMatch()) << content.toStdString();
    EXPECT_TRUE(content.contains("<table:table-header-rows>"));
    EXPECT_TRUE(content.contains("font-name=\"Courier New\"") || zipEntry(sample.path("notes.odt"), "styles.xml").contains("Courier New"));
    EXPECT_TRUE(content.contains("svg:width=\"0.4165in\"") || content.contains("svg:width=\"0.4167in\"")) << content.toStdString();
}

TEST_F(LibreOfficeExport, DocxHoldsNotesTablesCodeAndTheImage) {
    ASSERT_TRUE(exportDocument(sample.document, "docx", sample.path("notes.docx")));
    const QByteArray document = zipEntry(sample.path("notes.docx"), "word/document.xml");
    EXPECT_TRUE(document.contains("Quarterly Heading"));
    EXPECT_TRUE(document.contains("<w:pStyle w:val=\"Heading1\"/>"));
    EXPECT_TRUE(zipListing(sample.path("notes.docx")).contains("word/media/"));
    EXPECT_TRUE(QRegularExpression("footnote</w:t>.*<w:footnoteReference w:id=")
                    .match(QString::fromUtf8(document)).hasMatch()) << document.toStdString();
    EXPECT_TRUE(zipEntry(sample.path("notes.docx"), "word/footnotes.xml").contains("The footnote text."));
    EXPECT_TRUE(document.contains("<w:tcBorders>"));
    EXPECT_TRUE(document.contains("<w:tblHeader w:val=\"true\"/>"));
    EXPECT_TRUE(document.contains("<w:rFonts w:ascii=\"Courier New\""));
    EXPECT_TRUE(document.contains("<wp:extent cx=\"381000\" cy=\"190500\"/>")) << document.toStdString();
}

// CriticMarkup becomes the format's own review marks when the window renders
// it: insertions, deletions, a substitution as both, comments.
TEST_F(LibreOfficeExport, ReviewMarksBecomeTrackedChangesAndComments) {
    writeBytes(sample.path("review.md"), "We {++really ++}like {--green --}apples and {~~pears~>plums~~}.\n\n"
                                         "It is {==vital==}{>>Check.<<} and {>>Lone note.<<} done.\n");
    SettingsStore::shared().setUseCriticMarkup(true);
    const bool docx = exportDocument(sample.path("review.md"), "docx", sample.path("review.docx"));
    const bool odt = exportDocument(sample.path("review.md"), "odt", sample.path("review.odt"));
    SettingsStore::shared().setUseCriticMarkup(false);
    ASSERT_TRUE(docx && odt);
    const QString document = QString::fromUtf8(zipEntry(sample.path("review.docx"), "word/document.xml"));
    EXPECT_TRUE(QRegularExpression("<w:ins [^>]*>.*?really .*?</w:ins>").match(document).hasMatch()) << document.toStdString();
    EXPECT_TRUE(QRegularExpression("<w:del [^>]*>.*?<w:delText[^>]*>green </w:delText>.*?</w:del>").match(document).hasMatch());
    EXPECT_TRUE(QRegularExpression("<w:delText[^>]*>pears</w:delText>.*?</w:del><w:ins [^>]*>.*?plums").match(document).hasMatch());
    EXPECT_TRUE(QRegularExpression("<w:commentRangeStart w:id=\"0\"/>.*vital.*<w:commentReference w:id=\"0\"/>")
                    .match(document).hasMatch());
    const QByteArray comments = zipEntry(sample.path("review.docx"), "word/comments.xml");
    EXPECT_TRUE(comments.contains("Check.") && comments.contains("Lone note.")) << comments.toStdString();
    EXPECT_FALSE(document.contains("{") || document.contains(QChar(0xE000)));
    const QByteArray content = zipEntry(sample.path("review.odt"), "content.xml");
    EXPECT_EQ(content.count("<text:changed-region"), 4) << content.toStdString();
    EXPECT_EQ(content.count("<office:annotation "), 2);
    EXPECT_EQ(content.count("<office:annotation-end "), 1);
    // Without review marks shown, the delimiters stay text as the window shows them.
    ASSERT_TRUE(exportDocument(sample.path("review.md"), "odt", sample.path("plain.odt")));
    EXPECT_FALSE(zipEntry(sample.path("plain.odt"), "content.xml").contains("<text:changed-region"));
}

TEST_F(LibreOfficeExport, RtfIsRichText) {
    ASSERT_TRUE(exportDocument(sample.document, "RTF", sample.path("notes.rtf")));
    const QByteArray rtf = readBytes(sample.path("notes.rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("Quarterly Heading"));
}

TEST_F(LibreOfficeExport, RtfdIsAFolderWithTheRichTextAndItsImages) {
    ASSERT_TRUE(exportDocument(sample.document, "rtfd", sample.path("notes.rtfd")));
    EXPECT_TRUE(readBytes(sample.path("notes.rtfd/TXT.rtf")).startsWith("{\\rtf1"));
    EXPECT_EQ(readBytes(sample.path("notes.rtfd/red.png")), sample.image);
}

TEST_F(LibreOfficeExport, DocReadsBackInLibreOffice) {
    ASSERT_TRUE(exportDocument(sample.document, "doc", sample.path("notes.doc")));
    QTemporaryDir profile;
    run("soffice", {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
                    "--convert-to", "txt:Text (encoded):UTF8", "--outdir", profile.filePath("out"),
                    sample.path("notes.doc")});
    EXPECT_TRUE(readBytes(profile.filePath("out/notes.txt")).contains("Quarterly Heading"));
}

TEST_F(LibreOfficeExport, TextHasTheWordsAndNoTags) {
    ASSERT_TRUE(exportDocument(sample.document, "txt", sample.path("notes.txt")));
    const QByteArray text = readBytes(sample.path("notes.txt"));
    EXPECT_TRUE(text.startsWith("Quarterly Heading")) << text.toStdString();
    EXPECT_TRUE(text.contains("The footnote text."));
    EXPECT_TRUE(text.contains("x';\"y"));
    EXPECT_FALSE(text.contains('<'));
}

TEST_F(LibreOfficeExport, WithoutLibreOfficeTheOldDestinationStays) {
    writeBytes(sample.path("kept.odt"), "kept");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    QString error;
    const bool ok = exportDocument(sample.document, "odt", sample.path("kept.odt"), &error);
    qputenv("PATH", path);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.contains("LibreOffice")) << error.toStdString();
    EXPECT_EQ(readBytes(sample.path("kept.odt")), "kept");
    EXPECT_TRUE(leftovers(sample.folder.path()).isEmpty());
}

// --------------------------------------------------------------------- PDF

namespace {

QByteArray pdfText(const QString& pdf) {
    return run("pdftotext", {"-enc", "UTF-8", pdf, "-"});
}

// Lines of `pdfimages -list` after its two header lines: one per image.
int pdfImageCount(const QString& pdf) {
    const QList<QByteArray> lines = run("pdfimages", {"-list", pdf}).trimmed().split('\n');
    return int(lines.size()) - 2;
}

// Width and height of each image, "40x20".
QStringList pdfImageSizes(const QString& pdf) {
    QStringList sizes;
    const QList<QByteArray> lines = run("pdfimages", {"-list", pdf}).trimmed().split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() > 4)
            sizes << QString("%1x%2").arg(QString(fields[3]), QString(fields[4]));
    }
    return sizes;
}

}  // namespace

TEST(PdfExport, HoldsTheTextAndTheImage) {
    Sample sample;
    ASSERT_TRUE(exportDocument(sample.document, "pdf", sample.path("notes.pdf")));
    EXPECT_TRUE(readBytes(sample.path("notes.pdf")).startsWith("%PDF"));
    const QByteArray text = pdfText(sample.path("notes.pdf"));
    EXPECT_TRUE(text.contains("Quarterly Heading"));
    EXPECT_TRUE(text.contains("The footnote text."));
    EXPECT_TRUE(text.contains("x';\"y"));
    EXPECT_EQ(pdfImageCount(sample.path("notes.pdf")), 1);
}

// Pages carry the title above and their number below; a long table's header
// row comes again on every page; a heading never ends a page alone.
TEST(PdfExport, PagesAreNumberedTitledAndKeepTablesAndHeadingsTogether) {
    QTemporaryDir folder;
    QByteArray text = "# Harvest Report\n\n| Fruit | Count |\n|---|---|\n";
    for (int row = 0; row < 90; ++row)
        text += "| apple " + QByteArray::number(row) + " | " + QByteArray::number(row) + " |\n";
    for (int part = 0; part < 12; ++part)
        text += "\n## Part " + QByteArray::number(part) + "\n\nWords of part " + QByteArray::number(part) + ".\n";
    writeBytes(folder.filePath("report.md"), text);
    ASSERT_TRUE(exportDocument(folder.filePath("report.md"), "pdf", folder.filePath("report.pdf")));
    const QList<QByteArray> pages = pdfText(folder.filePath("report.pdf")).split('\f');
    const qsizetype count = pages.size() - 1;  // pdftotext ends every page with a form feed
    ASSERT_GE(count, 3);
    for (qsizetype page = 0; page < count; ++page) {
        const QByteArray number = "page " + QByteArray::number(page + 1) + " of " + QByteArray::number(count);
        EXPECT_TRUE(pages[page].contains(number)) << page << pages[page].toStdString();
        EXPECT_TRUE(pages[page].contains("Harvest Report")) << page;
        if (pages[page].contains("apple ")) {
            EXPECT_TRUE(pages[page].contains("Fruit")) << page << pages[page].toStdString();
        }
        for (int part = 0; part < 12; ++part) {
            if (pages[page].contains("Part " + QByteArray::number(part) + "\n")) {
                EXPECT_TRUE(pages[page].contains("Words of part " + QByteArray::number(part))) << page;
            }
        }
    }
    // Without them, as the preferences allow.
    SettingsStore::shared().setPdfHeaderAndFooter(false);
    ASSERT_TRUE(exportDocument(folder.filePath("report.md"), "pdf", folder.filePath("bare.pdf")));
    SettingsStore::shared().setPdfHeaderAndFooter(true);
    EXPECT_FALSE(pdfText(folder.filePath("bare.pdf")).contains("page 1 of"));
}

// A document's own title comes first: its front matter's, then its first
// heading; a document with neither is called by its file's name.
TEST(PdfExport, TheTitleOnEveryPage) {
    using pagestamps::titleOf;
    const QString front = frontmatter::tableHtml({{"author", "Ann"}, {"title", "Field & Notes"}});
    EXPECT_EQ(titleOf(front + "<h1>Synopsis</h1>", "/d/notes.md"), "Field & Notes");
    EXPECT_EQ(titleOf(frontmatter::tableHtml({{"author", "Ann"}}) + "<h2 id=\"a\">The <em>real</em> one</h2>", "/d/notes.md"),
              "The real one");
    EXPECT_EQ(titleOf("<p>x</p><table class=\"front-matter\"><tr><th>title</th><td>Later</td></tr></table>", "/d/n.md"),
              "n.md");
    EXPECT_EQ(titleOf("<p>No heading</p><h3> </h3>", "/d/notes.md"), "notes.md");
}

TEST(PrintStyle, DarkStylesPrintAsTheirLightSiblingAndNoneIsNoStyle) {
    const QString styles = AppSupportFilePaths::appSupportFilePath() + "/CSSStyles/";
    writeBytes(styles + "Paper_Dark.css", "body { color: white; }");
    writeBytes(styles + "Paper_Light.css", "body { color: black; }");
    writeBytes(styles + "Lonely_Dark.css", "body { color: grey; }");
    EXPECT_EQ(printstyle::forPaper("Paper_Dark"), "Paper_Light");
    EXPECT_EQ(printstyle::forPaper("Paper_Light"), "Paper_Light");
    EXPECT_EQ(printstyle::forPaper("Lonely_Dark"), "Lonely_Dark");
    EXPECT_EQ(printstyle::styleText(printstyle::kNoStyle), QString());
    EXPECT_EQ(printstyle::styleText("Paper_Light.css"), "body { color: black; }");
    EXPECT_FALSE(printstyle::styleText("../CSSStyles/Paper_Light").has_value());
    EXPECT_FALSE(printstyle::styleText("Nope").has_value());
}

TEST(PdfExport, WithoutAnAttachmentFolderImagesResolveBesideTheDocument) {
    QTemporaryDir folder;
    writeBytes(folder.filePath("loose.md"), "# Loose\n\n![blue](blue.png)\n");
    writeBytes(folder.filePath("blue.png"), pngBytes(Qt::blue));
    ASSERT_TRUE(exportDocument(folder.filePath("loose.md"), "pdf", folder.filePath("loose.pdf")));
    EXPECT_EQ(pdfImageCount(folder.filePath("loose.pdf")), 1);
}

TEST(PdfExport, ThePageRunsNoScriptsAndLoadsNoFileOutsideTheDocumentsFolders) {
    QTemporaryDir outside;
    writeBytes(outside.filePath("secret.png"), pngBytes(Qt::green, 57, 31));
    Sample sample;
    writeBytes(sample.path("page.html"), "<h1>Safe</h1><script>document.body.innerHTML = 'SCRIPT RAN';</script>"
                                         "<img src=\"" + QUrl::fromLocalFile(outside.filePath("secret.png")).toEncoded()
                                         + "\"><img src=\"notes/red.png\">");
    ASSERT_TRUE(exportDocument(sample.path("page.html"), "pdf", sample.path("page.pdf")));
    const QByteArray text = pdfText(sample.path("page.pdf"));
    EXPECT_TRUE(text.contains("Safe"));
    EXPECT_FALSE(text.contains("SCRIPT RAN"));
    // At most the placeholder of a missing image, never the image itself.
    EXPECT_FALSE(pdfImageSizes(sample.path("page.pdf")).contains("57x31"));
    EXPECT_TRUE(pdfImageSizes(sample.path("page.pdf")).contains("40x20"));
}

// The window passes on whether the reader let the pictures from the web load.
TEST(PdfExport, PicturesFromTheWebOnlyWhereTheReaderAllowedThem) {
    PictureServer pictures;
    Sample sample;
    writeBytes(sample.path("badges.md"), "# Badges\n\n![build](" + pictures.url("build.png").toUtf8()
                                             + ")\n\n<link rel=\"stylesheet\" href=\"" + pictures.url("style.css").toUtf8()
                                             + "\">\n");
    for (const bool allowed : {false, true}) {
        ExportRequest request;
        request.source = sample.path("badges.md");
        request.format = "pdf";
        request.destination = sample.path(allowed ? "with.pdf" : "without.pdf");
        request.remotePictures = allowed;
        QEventLoop loop;
        bool ok = false;
        QString error;
        std::unique_ptr<ExportJob> job(ExportJob::start(request));
        QObject::connect(job.get(), &ExportJob::finished, &loop, [&](bool done, const QString& reason) {
            ok = done;
            error = reason;
            loop.quit();
        });
        loop.exec();
        ASSERT_TRUE(ok) << error.toStdString();
        EXPECT_EQ(pdfImageSizes(request.destination).contains("48x24"), allowed);
        EXPECT_EQ(pictures.paths, allowed ? QStringList{"/build.png"} : QStringList{});
    }
}

TEST(PdfExport, APageOfMoreThanTwoMegabytesIsPrintedWhole) {
    Sample sample;
    // An image carried inline makes the page large without making it long.
    QImage noise(800, 800, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, (seed = seed * 1664525u + 1013904223u) >> 8);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    noise.save(&buffer, "PNG");
    const QByteArray page = "<h1>Large page</h1><img src=\"data:image/png;base64," + png.toBase64() + "\"><p>The end.</p>";
    ASSERT_GT(page.size(), 2 * 1024 * 1024);
    writeBytes(sample.path("large.html"), page);
    ASSERT_TRUE(exportDocument(sample.path("large.html"), "pdf", sample.path("large.pdf")));
    const QByteArray text = pdfText(sample.path("large.pdf"));
    EXPECT_TRUE(text.contains("Large page"));
    EXPECT_TRUE(text.contains("The end."));
    EXPECT_EQ(pdfImageCount(sample.path("large.pdf")), 1);
}

// ---------------------------------------------------------------- packages

namespace {

// Every file below the folder, by relative path, with its bytes.
QMap<QString, QByteArray> filesBelow(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readBytes(path));
    }
    return files;
}

}  // namespace

TEST(PackageExport, APlainDocumentBecomesATextBundleWithItsText) {
    Sample sample;
    ASSERT_TRUE(exportDocument(sample.document, "textbundle", sample.path("notes.textbundle")));
    const auto contents = Textbundle().readTextbundleFromPath(sample.path("notes.textbundle"));
    ASSERT_TRUE(contents);
    EXPECT_EQ(readBytes(contents->textFilePath), kNotes);
    EXPECT_EQ(readBytes(sample.path("notes.textbundle/assets/red.png")), sample.image);
    EXPECT_EQ(contents->markupLang, "markdown");  // Markdown Extra's type names Markdown too
}

TEST(PackageExport, ATextBundleRoundTripsByteForByte) {
    Sample sample;
    ASSERT_TRUE(exportDocument(sample.document, "textbundle", sample.path("first.textbundle")));
    writeBytes(sample.path("first.textbundle/custom.plist"), "custom item");
    ASSERT_TRUE(exportDocument(sample.path("first.textbundle"), "textbundle", sample.path("second.textbundle")));
    EXPECT_EQ(filesBelow(sample.path("second.textbundle")), filesBelow(sample.path("first.textbundle")));
    // Exporting over an older export of the package replaces it whole.
    writeBytes(sample.path("first.textbundle/assets/extra.png"), pngBytes(Qt::yellow));
    ASSERT_TRUE(exportDocument(sample.path("first.textbundle"), "textbundle", sample.path("second.textbundle")));
    EXPECT_EQ(filesBelow(sample.path("second.textbundle")), filesBelow(sample.path("first.textbundle")));
    EXPECT_TRUE(leftovers(sample.folder.path()).isEmpty());
}

TEST(PackageExport, TextPacksAreZippedUnderTheDestinationsNameAndUnpackedAgain) {
    Sample sample;
    ASSERT_TRUE(exportDocument(sample.document, "textpack", sample.path("Report.textpack")));
    EXPECT_TRUE(zipListing(sample.path("Report.textpack")).contains("Report.textbundle/assets/red.png"));
    // A TextPack document is unpacked, not read as zip bytes.
    ASSERT_TRUE(exportDocument(sample.path("Report.textpack"), "html", sample.path("report.html")));
    EXPECT_TRUE(readBytes(sample.path("report.html")).contains("Quarterly Heading"));
    ASSERT_TRUE(exportDocument(sample.path("Report.textpack"), "textbundle", sample.path("Report.textbundle")));
    EXPECT_EQ(readBytes(sample.path("Report.textbundle/assets/red.png")), sample.image);
    // And a TextBundle zips into one folder named after the destination.
    ASSERT_TRUE(exportDocument(sample.path("Report.textbundle"), "textpack", sample.path("Again.textpack")));
    EXPECT_EQ(zipEntry(sample.path("Again.textpack"), "Again.textbundle/assets/red.png"), sample.image);
}

TEST(PackageExport, ThePicturesADocumentShowsTravelInAssets) {
    QTemporaryDir outer;
    const QString folder = outer.filePath("doc");
    const QByteArray text = "![a](img/pic.png) ![b](more/pic.png \"T\") ![c](my%20pic.png) ![a again](img/pic.png)\n"
                            "![web](https://example.com/w.png) ![outside](../out.png)\n"
                            "Mentioned: img/pic.png.\n\n![ref][r]\n\n[r]: img/pic.png\n";
    writeBytes(folder + "/n.md", text);
    writeBytes(folder + "/img/pic.png", pngBytes(Qt::red));
    writeBytes(folder + "/more/pic.png", pngBytes(Qt::blue));
    writeBytes(folder + "/my pic.png", pngBytes(Qt::green));
    writeBytes(outer.filePath("out.png"), pngBytes(Qt::black));
    ASSERT_TRUE(exportDocument(folder + "/n.md", "textpack", outer.filePath("n.textpack")));
    EXPECT_EQ(readBytes(folder + "/n.md"), text);
    EXPECT_EQ(zipEntry(outer.filePath("n.textpack"), "n.textbundle/assets/pic.png"), pngBytes(Qt::red));
    EXPECT_EQ(zipEntry(outer.filePath("n.textpack"), "n.textbundle/assets/pic-2.png"), pngBytes(Qt::blue));
    EXPECT_EQ(zipEntry(outer.filePath("n.textpack"), "n.textbundle/assets/my pic.png"), pngBytes(Qt::green));
    EXPECT_FALSE(zipListing(outer.filePath("n.textpack")).contains("out.png"));
    ASSERT_TRUE(exportDocument(outer.filePath("n.textpack"), "textbundle", outer.filePath("n.textbundle")));
    const auto contents = Textbundle().readTextbundleFromPath(outer.filePath("n.textbundle"));
    ASSERT_TRUE(contents);
    EXPECT_EQ(readBytes(contents->textFilePath).toStdString(),
              "![a](assets/pic.png) ![b](assets/pic-2.png \"T\") ![c](assets/my%20pic.png) ![a again](assets/pic.png)\n"
              "![web](https://example.com/w.png) ![outside](../out.png)\n"
              "Mentioned: img/pic.png.\n\n![ref][r]\n\n[r]: assets/pic.png\n");
}

TEST(PackageExport, NothingIsWrittenInsideTheSourcePackage) {
    Sample sample;
    ASSERT_TRUE(exportDocument(sample.document, "textbundle", sample.path("notes.textbundle")));
    const auto before = filesBelow(sample.path("notes.textbundle"));
    QString error;
    EXPECT_FALSE(exportDocument(sample.path("notes.textbundle"), "html", sample.path("notes.textbundle/x.html"), &error));
    EXPECT_FALSE(exportDocument(sample.path("notes.textbundle"), "textbundle", sample.path("notes.textbundle"), &error));
    EXPECT_EQ(filesBelow(sample.path("notes.textbundle")), before);
}

TEST(ExportFormats, WindowTagsAndTheDisplayList) {
    const QStringList byTag = {ExportMarkup2Document::formatForTag(1), ExportMarkup2Document::formatForTag(5),
                               ExportMarkup2Document::formatForTag(9), ExportMarkup2Document::formatForTag(10)};
    EXPECT_EQ(byTag, QStringList({"txt", "odt", "textpack", "docx"}));
    EXPECT_TRUE(ExportMarkup2Document::formatForTag(0).isEmpty());
    EXPECT_TRUE(ExportMarkup2Document::formatForTag(11).isEmpty());
    EXPECT_EQ(ExportMarkup2Document::availableExportTypes(),
              QStringList({"RTF", "RTFD", "HTML", "DOC", "ODT", "PDF", "Textbundle", "Textpack"}));
}
