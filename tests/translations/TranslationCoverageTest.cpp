// Every text the code shows must have a finished German translation, and
// every string-table key an English text as well: lupdate collects what the
// code uses; the union of resources/translations/*_<language>.ts is what ships.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct Entry {
    QString context;
    QString source;
    QString translation;
    QStringList forms;  // each form of a text counted with %n, or the translation alone
    bool unfinished = false;
    QString file;
};

using Key = QPair<QString, QString>;  // (context, source)

std::vector<Entry> readTs(const QString& path) {
    std::vector<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            entry = Entry{context, {}, {}, {}, false, QFileInfo(path).fileName()};
        else if (xml.name() == u"source")
            entry.source = xml.readElementText();
        else if (xml.name() == u"translation") {
            const QStringView type = xml.attributes().value("type");
            entry.unfinished = !type.isEmpty();  // unfinished, vanished, obsolete
            entry.forms.clear();
            while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() != u"translation") {
                if (xml.atEnd())
                    break;
                if (xml.isCharacters() && entry.forms.isEmpty())
                    entry.translation += xml.text();
                else if (xml.isStartElement() && xml.name() == u"numerusform")
                    entry.forms << xml.readElementText();
            }
            if (entry.forms.isEmpty())
                entry.forms << entry.translation;
            else
                entry.translation = entry.forms.join('\n');
            entries.push_back(entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return entries;
}

// What ships for one language: every finished entry of its files.
QMap<Key, Entry> shipped(const QString& language) {
    QMap<Key, Entry> catalogue;
    const QDir folder(QUILL_SOURCE_DIR "/resources/translations");
    for (const QString& name : folder.entryList({"*_" + language + ".ts"}, QDir::Files))
        for (const Entry& entry : readTs(folder.filePath(name)))
            catalogue.insert({entry.context, entry.source}, entry);
    return catalogue;
}

// The texts the code asks for, as lupdate finds them in src/.
std::vector<Entry> usedInCode() {
    QTemporaryDir work;
    const QString ts = work.filePath("code.ts");
    QProcess lupdate;
    lupdate.setWorkingDirectory(QUILL_SOURCE_DIR);
    lupdate.start(QUILL_LUPDATE, {"-silent", "-recursive", "src", "-extensions", "cpp,h,ui", "-locations", "none",
                                  "-ts", ts});
    const bool finished = lupdate.waitForFinished(120000);
    if (!finished || lupdate.exitCode() != 0) {
        ADD_FAILURE() << "lupdate failed: " << lupdate.readAllStandardError().toStdString();
        return {};
    }
    return readTs(ts);
}

// "VantrelUpdate_MENU_ITEM", "BASEURLAUTOMATIC_ACCESS_TITLE": a key of a
// string table, whose text lives in the translation files only.
bool isKey(const QString& source) {
    static const QRegularExpression key("^[A-Za-z0-9]+(_[A-Za-z0-9]+)+$");
    return key.match(source).hasMatch();
}

// A table named for one language ("VantrelUpdate_DE") is only ever looked up
// while that language is the interface's.
QStringList languagesNeeded(const Entry& entry) {
    if (entry.context.endsWith("_EN"))
        return {"en"};
    if (entry.context.endsWith("_DE"))
        return {"de"};
    // A count's text ("%n picture(s)") needs its English forms as well.
    return isKey(entry.source) || entry.source.contains("%n") ? QStringList{"en", "de"} : QStringList{"de"};
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression marker("%(\\d+|@|n)");
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

class Translations : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        code_ = new std::vector<Entry>(usedInCode());
        catalogues_ = new QMap<QString, QMap<Key, Entry>>{{"en", shipped("en")}, {"de", shipped("de")}};
    }
    static void TearDownTestSuite() {
        delete code_;
        delete catalogues_;
    }
    static std::vector<Entry>* code_;
    static QMap<QString, QMap<Key, Entry>>* catalogues_;
};

std::vector<Entry>* Translations::code_ = nullptr;
QMap<QString, QMap<Key, Entry>>* Translations::catalogues_ = nullptr;

TEST_F(Translations, EveryTextOfTheCodeShipsInEachLanguageItNeeds) {
    ASSERT_GT(code_->size(), 100u) << "lupdate found too little in src/";
    QStringList missing;
    for (const Entry& used : *code_)
        for (const QString& language : languagesNeeded(used)) {
            const auto found = (*catalogues_)[language].constFind({used.context, used.source});
            if (found == (*catalogues_)[language].constEnd() || found->translation.trimmed().isEmpty())
                missing << QString("  [%1] %2: \"%3\"").arg(language, used.context, used.source);
        }
    missing.removeDuplicates();
    EXPECT_TRUE(missing.isEmpty()) << "no translation in resources/translations/*_<language>.ts for "
                                   << missing.size() << " text(s) of the code (context: source):\n"
                                   << missing.join('\n').toStdString();
}

TEST_F(Translations, NoEntryIsUnfinishedEmptyOrLosesAPlaceholder) {
    QStringList faults;
    const QDir folder(QUILL_SOURCE_DIR "/resources/translations");
    for (const QString& name : folder.entryList({"*.ts"}, QDir::Files))
        for (const Entry& entry : readTs(folder.filePath(name))) {
            const QString where = QString("  %1 %2: \"%3\"").arg(entry.file, entry.context, entry.source);
            if (entry.unfinished)
                faults << where + " is not finished";
            else if (entry.translation.trimmed().isEmpty() || entry.forms.contains(QString()))
                faults << where + " is empty";
            // A key's own name says nothing of its placeholders; the English
            // text does, and the German one must keep them.
            QString englishContext = entry.context;
            if (englishContext.endsWith("_DE"))
                englishContext.replace(englishContext.size() - 3, 3, "_EN");
            const QString reference =
                isKey(entry.source) ? (*catalogues_)["en"].value({englishContext, entry.source}).translation
                                    : entry.source;
            for (const QString& form : entry.forms)
                if (!reference.isEmpty() && placeholders(reference) != placeholders(form))
                    faults << where + " has other placeholders than \"" + reference + "\"";
        }
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}

TEST_F(Translations, KeysAreRecognisedAndPlainTextsAreNot) {
    EXPECT_TRUE(isKey("BASEURLAUTOMATIC_ACCESS_MESSGAE"));
    EXPECT_TRUE(isKey("VantrelUpdate_MENU_ITEM"));
    EXPECT_FALSE(isKey("Copy &HTML"));
    EXPECT_FALSE(isKey("Toolbar"));
    EXPECT_FALSE(isKey("“%1” does not exist."));
}

}  // namespace
