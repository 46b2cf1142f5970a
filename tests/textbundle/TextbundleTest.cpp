// TextBundle and TextPack: reading, writing, identifiers, custom values, and
// hostile TextPacks (escaping paths, zip bombs, lying headers, symbolic
// links, encryption) that must be refused before anything is unpacked.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include "settings/AppSupportFilePaths.h"
#include "textbundle/Textbundle.h"
#include "textbundle/ZipArchive.h"

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

// Bytes that deflate hardly at all, as a photo's do.
QByteArray incompressible(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    std::uint32_t state = 2463534242u;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = char(state);
    }
    return bytes;
}

// Builds a TextPack with libzip, which deflates every entry by default.
class PackBuilder {
public:
    explicit PackBuilder(const QString& path) {
        int error = 0;
        archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        EXPECT_NE(archive_, nullptr);
    }
    ~PackBuilder() {
        if (archive_)
            zip_discard(archive_);
    }
    PackBuilder(const PackBuilder&) = delete;
    PackBuilder& operator=(const PackBuilder&) = delete;

    zip_uint64_t add(const QString& name, QByteArray bytes) {
        data_.push_back(std::move(bytes));  // libzip reads it only when closing
        const QByteArray& kept = data_.back();
        zip_source_t* source = zip_source_buffer(archive_, kept.constData(), zip_uint64_t(kept.size()), 0);
        const zip_int64_t index = zip_file_add(archive_, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        EXPECT_GE(index, 0) << name.toStdString();
        return zip_uint64_t(index);
    }
    // What makes it a package: the info file and the text.
    void addBundle() {
        add("x.textbundle/info.json", "{\"version\": 2, \"type\": \"net.daringfireball.markdown\"}");
        add("x.textbundle/text.md", "# Packed\n\n![photo](assets/photo.jpg)\n");
    }
    zip_t* archive() const { return archive_; }
    bool close() {
        if (zip_close(archive_) != 0)
            return false;
        archive_ = nullptr;
        return true;
    }

private:
    zip_t* archive_ = nullptr;
    std::deque<QByteArray> data_;
};

// A package with this many entries in all.
void writePackWithEntries(const QString& pack, int count) {
    PackBuilder builder(pack);
    builder.addBundle();
    for (int i = 2; i < count; ++i)
        builder.add(QString("x.textbundle/assets/%1.txt").arg(i), "a");
    ASSERT_TRUE(builder.close());
}

// Makes the local and the central header of every entry whose name starts
// with the prefix declare this unpacked size; the data stays as it is.
// Gives the number of headers changed.
int declareUnpackedSize(const QString& pack, const QByteArray& prefix, std::uint32_t size) {
    struct Header {
        QByteArray signature;
        int sizeAt, nameLengthAt, nameAt;
    };
    const Header headers[] = {{QByteArray("PK\x03\x04", 4), 22, 26, 30}, {QByteArray("PK\x01\x02", 4), 24, 28, 46}};
    QByteArray bytes = readFile(pack);
    int changed = 0;
    for (const Header& header : headers)
        for (qsizetype at = bytes.indexOf(header.signature); at >= 0; at = bytes.indexOf(header.signature, at + 4)) {
            const qsizetype lengthAt = at + header.nameLengthAt;
            const int nameLength = quint8(bytes[lengthAt]) | quint8(bytes[lengthAt + 1]) << 8;
            if (!bytes.mid(at + header.nameAt, nameLength).startsWith(prefix))
                continue;
            for (int i = 0; i < 4; ++i)
                bytes[at + header.sizeAt + i] = char(size >> (8 * i));
            ++changed;
        }
    writeFile(pack, bytes);
    return changed;
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

    // Reads the pack into a fresh folder of its own: it must be refused with
    // an alert giving the reason, and leave the folder empty.
    void expectRefused(const QString& pack, const QString& reason) {
        const QString unpack = Textbundle::newTextpackUnpackFolder();
        alerts.clear();
        EXPECT_FALSE(textbundle.readTextpackFromPath(pack, unpack));
        EXPECT_EQ(alerts, QStringList{"The package could not be opened|The package was not opened: " + reason});
        EXPECT_TRUE(QFileInfo(unpack).isDir());
        EXPECT_EQ(QDir(unpack).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList());
    }
};

const char* const kCompressedTooMuch = "it is compressed more than 100 to 1, as archives made to exhaust the disk are.";

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
    EXPECT_TRUE(alerts.isEmpty());
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
    expectRefused(pack, "the entry \"../../escaped.txt\" would be written outside its folder.");
}

TEST_F(TextbundleTest, AFileThatIsNoZipArchiveIsRefusedWithAnAlert) {
    writeFile(path("broken.textpack"), "not a zip archive at all");
    EXPECT_FALSE(textbundle.readTextpackFromPath(path("broken.textpack")));
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_TRUE(alerts[0].startsWith("The package could not be opened|The package was not opened: it is not a "
                                     "readable zip archive"))
        << alerts[0].toStdString();
}

TEST_F(TextbundleTest, ATextPackWithinTheLimitsReadsWhole) {
    // A photo that does not compress, and an entry one byte short of where
    // the per-entry ratio applies that compresses a thousandfold.
    const QString pack = path("fine.textpack");
    const QByteArray photo = incompressible(2 << 20);
    {
        PackBuilder builder(pack);
        builder.addBundle();
        builder.add("x.textbundle/assets/photo.jpg", photo);
        builder.add("x.textbundle/assets/blank.bmp", QByteArray((1 << 20) - 1, '\0'));
        ASSERT_TRUE(builder.close());
    }
    const QString unpack = Textbundle::newTextpackUnpackFolder();
    auto contents = textbundle.readTextpackFromPath(pack, unpack);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(alerts.isEmpty()) << alerts.join('\n').toStdString();
    EXPECT_EQ(contents->textbundleFilePath, unpack + "/x.textbundle");
    EXPECT_EQ(contents->text, "# Packed\n\n![photo](assets/photo.jpg)\n");
    EXPECT_EQ(contents->assetsNames, QStringList({"blank.bmp", "photo.jpg"}));
    EXPECT_EQ(readFile(unpack + "/x.textbundle/assets/photo.jpg"), photo);
    EXPECT_EQ(readFile(unpack + "/x.textbundle/assets/blank.bmp"), QByteArray((1 << 20) - 1, '\0'));
}

TEST_F(TextbundleTest, AnEntryOfAMebibyteCompressedBeyondAHundredToOneIsRefused) {
    const QString pack = path("bomb.textpack");
    PackBuilder builder(pack);
    builder.addBundle();
    builder.add("x.textbundle/assets/photo.jpg", incompressible(2 << 20));  // keeps the whole archive's ratio low
    builder.add("x.textbundle/assets/blank.bmp", QByteArray(1 << 20, '\0'));
    ASSERT_TRUE(builder.close());
    expectRefused(pack, kCompressedTooMuch);
}

TEST_F(TextbundleTest, SmallEntriesCompressedBeyondAHundredToOneTogetherAreRefused) {
    const QString one = path("one.textpack");
    {
        PackBuilder builder(one);
        builder.add("x.textbundle/assets/0.bmp", QByteArray(900000, '\0'));
        ASSERT_TRUE(builder.close());
    }
    QString error;
    EXPECT_TRUE(checkZipArchive(one, &error)) << error.toStdString();

    const QString three = path("three.textpack");
    PackBuilder builder(three);
    builder.addBundle();
    for (int i = 0; i < 3; ++i)
        builder.add(QString("x.textbundle/assets/%1.bmp").arg(i), QByteArray(900000, '\0'));
    ASSERT_TRUE(builder.close());
    expectRefused(three, kCompressedTooMuch);
}

TEST_F(TextbundleTest, MoreThanTenThousandEntriesAreRefused) {
    writePackWithEntries(path("full.textpack"), 10000);
    QString error;
    EXPECT_TRUE(checkZipArchive(path("full.textpack"), &error)) << error.toStdString();

    writePackWithEntries(path("over.textpack"), 10001);
    expectRefused(path("over.textpack"), "it holds more than 10,000 files.");
}

TEST_F(TextbundleTest, AnEntryDeclaringMoreThanAGigabyteIsRefused) {
    const QString pack = path("huge.textpack");
    {
        PackBuilder builder(pack);
        builder.addBundle();
        builder.add("x.textbundle/assets/huge.bin", "sixteen bytes...");
        ASSERT_TRUE(builder.close());
    }
    // Exactly 1 GiB is still allowed in size (only its ratio gives it away).
    ASSERT_EQ(declareUnpackedSize(pack, "x.textbundle/assets/huge", 1u << 30), 2);
    QString error;
    EXPECT_FALSE(checkZipArchive(pack, &error));
    EXPECT_EQ(error, QString("The package was not opened: ") + kCompressedTooMuch);

    ASSERT_EQ(declareUnpackedSize(pack, "x.textbundle/assets/huge", (1u << 30) + 1), 2);
    expectRefused(pack, "an entry would unpack to more than 1 GB.");
}

TEST_F(TextbundleTest, EntriesDeclaringMoreThanAGigabyteTogetherAreRefused) {
    // Each stays under the size where its own ratio counts.
    const QString pack = path("parts.textpack");
    writePackWithEntries(pack, 1027);
    ASSERT_EQ(declareUnpackedSize(pack, "x.textbundle/assets/", (1u << 20) - 1), 2 * 1025);
    expectRefused(pack, "its files together would unpack to more than 1 GB.");
}

TEST_F(TextbundleTest, AnEntryGivingMoreThanItsHeaderDeclaresIsStoppedAndTakenBack) {
    // Declared small, its ratio looks harmless; the earlier entries are
    // already unpacked when the lie shows, and must go again.
    const QString pack = path("liar.textpack");
    {
        PackBuilder builder(pack);
        builder.addBundle();
        builder.add("x.textbundle/assets/zeros.bin", QByteArray(4 << 20, '\0'));
        ASSERT_TRUE(builder.close());
    }
    ASSERT_EQ(declareUnpackedSize(pack, "x.textbundle/assets/zeros", 1000), 2);
    QString error;
    EXPECT_TRUE(checkZipArchive(pack, &error)) << error.toStdString();
    expectRefused(pack, "an entry holds more data than it declares.");
}

TEST_F(TextbundleTest, ASymbolicLinkIsRefused) {
    const QString pack = path("link.textpack");
    PackBuilder builder(pack);
    builder.addBundle();
    const zip_uint64_t link = builder.add("x.textbundle/assets/photo.jpg", "/etc/passwd");
    ASSERT_EQ(zip_file_set_external_attributes(builder.archive(), link, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16), 0);
    ASSERT_TRUE(builder.close());
    expectRefused(pack, "it holds a symbolic link.");
}

TEST_F(TextbundleTest, AnEncryptedEntryIsRefused) {
    // AES marks the entry with an extra field, the traditional method with
    // the header's encryption flag alone.
    int tried = 0;
    for (const zip_uint16_t method : {zip_uint16_t(ZIP_EM_AES_256), zip_uint16_t(ZIP_EM_TRAD_PKWARE)}) {
        if (!zip_encryption_method_supported(method, 1))
            continue;
        const QString pack = path(QString("secret%1.textpack").arg(method));
        PackBuilder builder(pack);
        builder.addBundle();
        const zip_uint64_t secret = builder.add("x.textbundle/assets/photo.jpg", "secret photo");
        ASSERT_EQ(zip_file_set_encryption(builder.archive(), secret, method, "password"), 0);
        ASSERT_TRUE(builder.close());
        expectRefused(pack, "an entry is encrypted.");
        ++tried;
    }
    if (tried == 0)
        GTEST_SKIP() << "this libzip cannot write encrypted entries";
}

TEST_F(TextbundleTest, ReadersWithTheirOwnUnpackFoldersKeepApart) {
    writeFile(path("a.svg"), "<svg>a</svg>");
    writeFile(path("b.svg"), "<svg>b</svg>");
    ASSERT_TRUE(textbundle.writeTextpackForString("first", path("A.textpack"), {path("a.svg")}, "markdown"));
    ASSERT_TRUE(textbundle.writeTextpackForString("second", path("B.textpack"), {path("b.svg")}, "textile"));
    const QString work = AppSupportFilePaths::appSupportFilePath() + "/textbundleTemp/";
    const QString first = Textbundle::newTextpackUnpackFolder();
    const QString second = Textbundle::newTextpackUnpackFolder();
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.startsWith(work)) << first.toStdString();
    EXPECT_TRUE(second.startsWith(work)) << second.toStdString();
    writeFile(first + "/stale.txt", "left from an earlier reading");

    Textbundle other;
    auto a = textbundle.readTextpackFromPath(path("A.textpack"), first);
    auto b = other.readTextpackFromPath(path("B.textpack"), second);
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_FALSE(QFileInfo::exists(first + "/stale.txt"));
    // Reading the first again (a reload) leaves the second's files alone.
    ASSERT_TRUE(textbundle.readTextpackFromPath(path("A.textpack"), first));
    EXPECT_EQ(a->text, "first");
    EXPECT_EQ(b->text, "second");
    EXPECT_EQ(b->markupLang, "textile");
    ASSERT_EQ(a->assetsFilePaths.size(), 1);
    ASSERT_EQ(b->assetsFilePaths.size(), 1);
    EXPECT_EQ(readFile(a->assetsFilePaths[0]), "<svg>a</svg>");
    EXPECT_EQ(readFile(b->assetsFilePaths[0]), "<svg>b</svg>");

    textbundle.cleanTextpackTempFiles();
    EXPECT_FALSE(QFileInfo::exists(work));
}

TEST_F(TextbundleTest, AnEmptyUnpackFolderNeverMeansTheCurrentOne) {
    ASSERT_TRUE(textbundle.writeTextpackForString("text", path("C.textpack"), {}, "markdown"));
    QTemporaryDir current;
    writeFile(current.filePath("keep.txt"), "keep");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    const bool read = textbundle.readTextpackFromPath(path("C.textpack"), QString()).has_value();
    QDir::setCurrent(previous);
    EXPECT_FALSE(read);
    EXPECT_EQ(readFile(current.filePath("keep.txt")), "keep");
}

}  // namespace
