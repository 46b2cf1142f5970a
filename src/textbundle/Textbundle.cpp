#include "textbundle/Textbundle.h"

#include "settings/MarkupLanguageTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QUuid>

#include "settings/AppSupportFilePaths.h"
#include "textbundle/FileCopies.h"
#include "textbundle/ZipArchive.h"
#include "textbundle/ZipWriter.h"

Q_LOGGING_CATEGORY(textbundleLog, "quillview.textbundle")

const char* const Textbundle::kBundleIdentifier = "org.quillview.Quillview";

namespace {

Textbundle::AlertPresenter& alertPresenter() {
    static Textbundle::AlertPresenter presenter;
    return presenter;
}

// Languages in the order they are looked for inside an info type: the longer
// "multimarkdown" before the "markdown" it contains.
const QStringList& languagesInTypeOrder() {
    static const QStringList order = {"multimarkdown", "markdown", "textile", "wikitext", "bbcode",
                                      "tessel",        "html",     "sumwise", "markdownextra"};
    return order;
}

// The first entry (by name) that contains "text." is the text file.
QString textEntryName(const QString& packagePath) {
    const QStringList entries = QDir(packagePath).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                                            QDir::Name);
    for (const QString& entry : entries)
        if (entry.contains("text."))
            return entry;
    return {};
}

bool writeUtf8Atomically(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

QString workFolder() {
    return AppSupportFilePaths::appSupportFilePath();
}

QString textpackWorkFolder() {
    return workFolder() + "/textbundleTemp";
}

void presentCriticalAlert(const QString& title, const QString& message) {
    qCWarning(textbundleLog).noquote() << title << message;
    if (!alertPresenter())
        return;
    // Packages are read off the GUI thread too; alerts belong to the GUI
    // thread, and the reader need not wait for them.
    QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() != application->thread())
        QMetaObject::invokeMethod(application, [title, message] { alertPresenter()(title, message); }, Qt::QueuedConnection);
    else
        alertPresenter()(title, message);
}

// The unpacked package: the first entry of the folder named like one.
QString packageInFolder(const QString& folder) {
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (entry.contains(".textbundle"))
            return folder + '/' + entry;
    return {};
}

}  // namespace

Textbundle::Textbundle() : customKEY("com.vantrel.general") {}

void Textbundle::setCriticalAlertPresenter(AlertPresenter presenter) {
    alertPresenter() = std::move(presenter);
}

// ---------------------------------------------------------------- identifiers

QString Textbundle::markupIdentifierForName(const QString& name) const {
    const MarkupLanguage* language = markuplanguagetable::find(name);
    return language ? language->packageType : QStringLiteral("net.daringfireball.markdown");
}

QString Textbundle::markupExtension(const QString& name) const {
    const MarkupLanguage* language = markuplanguagetable::find(name);
    return language ? language->packageExtension : QStringLiteral("md");
}

QString Textbundle::infoJSONWithMarkupIdentifier(const QString& identifier) const {
    return QStringLiteral("{\n\"version\" : 2,\n\"type\": \"") + identifier
           + QStringLiteral("\",\n\"transient\" : false,\n\"creatorIdentifier\" : \"")
           + QString::fromLatin1(kBundleIdentifier) + QStringLiteral("\"\n}");
}

QString Textbundle::markupLanguageForType(const QString& type) {
    const QString lowered = type.toLower();
    for (const QString& language : languagesInTypeOrder())
        if (lowered.contains(language))
            return language;
    return {};
}

// -------------------------------------------------------------------- reading

std::optional<TextbundleContents> Textbundle::readTextbundleFromURL(const QUrl& url) {
    return readTextbundleFromPath(url.isLocalFile() ? url.toLocalFile() : url.path());
}

std::optional<TextbundleContents> Textbundle::readTextbundleFromPath(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        qCWarning(textbundleLog).noquote() << QString("The file %1 is not available.").arg(path);
        return std::nullopt;
    }
    TextbundleContents contents;
    contents.textbundleFilePath = path;

    const QString textName = textEntryName(path);
    contents.textFilePath = path + '/' + textName;
    if (!textName.isEmpty()) {
        QFile textFile(contents.textFilePath);
        if (textFile.open(QIODevice::ReadOnly))
            contents.text = QString::fromUtf8(textFile.readAll());
    }

    const QString assets = path + "/assets";
    if (QFileInfo(assets).isDir()) {
        contents.assetsNames = QDir(assets).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : contents.assetsNames)
            contents.assetsFilePaths << QString("%1/%2").arg(assets, name);
    }

    // A missing or broken info file, or one without a type, takes the same
    // road as an unknown type: an alert, then Markdown.
    std::optional<QJsonObject> info = readInfoFromPath(path);
    if (!info)
        qCWarning(textbundleLog).noquote() << "ERROR: ILLEGAL info.json FILE";
    contents.json = info.value_or(QJsonObject());
    const QString type = contents.json.value("type").toString().toLower();
    contents.markupLang = markupLanguageForType(type);
    if (contents.markupLang.isEmpty()) {
        const QString title = QCoreApplication::translate("Textbundle", "Unknown Markup-Indentifier");
        const QString message = QCoreApplication::translate("Textbundle",
                                                            "The Markup-Identifier for this document is set to %1. The "
                                                            "default-markup-language for this document has been set to "
                                                            "Markdown.")
                                    .arg(type);
        presentCriticalAlert(title, message);
        contents.markupLang = "markdown";
    }
    return contents;
}

std::optional<TextbundleContents> Textbundle::readTextpackFromURL(const QUrl& url) {
    return readTextpackFromPath(url.isLocalFile() ? url.toLocalFile() : url.path());
}

std::optional<TextbundleContents> Textbundle::readTextpackFromPath(const QString& path) {
    return readTextpackFromPath(path, textpackWorkFolder());
}

std::optional<TextbundleContents> Textbundle::readTextpackFromPath(const QString& path, const QString& unpackFolder) {
    // An empty path would name the current folder, which must never be wiped.
    if (unpackFolder.isEmpty()) {
        qCWarning(textbundleLog).noquote() << "No folder to unpack the TextPack into.";
        return std::nullopt;
    }
    QDir(unpackFolder).removeRecursively();
    QDir().mkpath(unpackFolder);
    if (!QFileInfo(path).isFile()) {
        qCWarning(textbundleLog).noquote() << QString("The file %1 is not available.").arg(path);
        return std::nullopt;
    }
    // The archive is read where it is; only a safe one is unpacked at all.
    QString error;
    if (!extractZipArchive(path, unpackFolder, &error)) {
        presentCriticalAlert(QCoreApplication::translate("Textbundle", "The package could not be opened"), error);
        return std::nullopt;
    }
    return readTextbundleFromPath(packageInFolder(unpackFolder));
}

QString Textbundle::newTextpackUnpackFolder() {
    return textpackWorkFolder() + '/' + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

std::optional<QJsonObject> Textbundle::readInfoFromPath(const QString& packagePath) {
    QFile file(packagePath + "/info.json");
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

QString Textbundle::readStringFromURL(const QUrl& packageUrl) {
    const QString path = packageUrl.isLocalFile() ? packageUrl.toLocalFile() : packageUrl.path();
    QFile file(path + '/' + textEntryName(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// -------------------------------------------------------------------- writing

QString Textbundle::createTempFileTextbundleForString(const QString& text, const QStringList& withAssets,
                                                      const QString& andMarkupLang, const QString& atFinalPath) {
    QString infoText;
    QString extension;
    std::optional<QJsonObject> existingInfo =
        atFinalPath.isEmpty() ? std::nullopt : readInfoFromPath(atFinalPath);
    if (existingInfo) {
        existingInfo->insert("type", markupIdentifierForName(andMarkupLang.toLower()));
        infoText = QString::fromUtf8(QJsonDocument(*existingInfo).toJson(QJsonDocument::Indented));
        extension = QFileInfo(textEntryName(atFinalPath)).suffix();
    } else {
        infoText = infoJSONWithMarkupIdentifier(markupIdentifierForName(andMarkupLang));
        extension = markupExtension(andMarkupLang);
    }

    const QString package = (workFolder_.isEmpty() ? workFolder() : workFolder_) + "/textbundleTemp.textbundle";
    if (QFileInfo::exists(package) && !QDir(package).removeRecursively())
        qCWarning(textbundleLog).noquote() << "Deleting existing temp-file failed";
    if (!QDir().mkpath(package)) {
        qCWarning(textbundleLog).noquote() << QString("Verzeichniserstellung im Temp-Verzeichnis fehlgeschlagen: %1").arg(package);
        return {};
    }
    const QString textPath = QString("%1/text.%2").arg(package, extension);
    if (!writeUtf8Atomically(textPath, text)) {
        qCWarning(textbundleLog).noquote() << QString("Schreiben der Datei fehlgeschlagen: %1").arg(textPath);
        return {};
    }
    const QString infoPath = package + "/info.json";
    if (!writeUtf8Atomically(infoPath, infoText)) {
        qCWarning(textbundleLog).noquote() << QString("Schreiben der JSON-Datei fehlgeschlagen: %1").arg(infoPath);
        return {};
    }
    const QString assets = package + "/assets";
    if (!QDir().mkpath(assets)) {
        qCWarning(textbundleLog).noquote() << QString("Erzeugen des Assets-Verzeichnisses fehlgeschlagen: %1").arg(assets);
        return {};
    }
    for (const QString& asset : withAssets) {
        const QString target = QString("%1/assets/%2").arg(package, QFileInfo(asset).fileName());
        if (!filecopies::copyRecursively(asset, target))
            qCWarning(textbundleLog).noquote() << QString("Kopieren des Assets-Datei fehlgeschlagen: %1").arg(asset);
    }
    if (!atFinalPath.isEmpty() && QFileInfo(atFinalPath).isDir()) {
        const QStringList entries = QDir(atFinalPath).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            const QString stem = QFileInfo(entry).completeBaseName();
            if (stem == "text" || stem == "info" || stem == "assets")
                continue;
            if (!filecopies::copyRecursively(atFinalPath + '/' + entry, package + '/' + entry))
                qCWarning(textbundleLog).noquote() << QString("Error Copy Custom Item %1").arg(entry);
        }
    }
    return package;
}

bool Textbundle::writeTextbundleForString(const QString& text, const QString& toFile, const QStringList& withAssets,
                                          const QString& andMarkupLang, const QString& atRealPath) {
    const QString package = createTempFileTextbundleForString(text, withAssets, andMarkupLang, atRealPath);
    if (package.isEmpty() || !filecopies::copyRecursively(package, toFile)) {
        qCWarning(textbundleLog).noquote() << QString("Schreiben der finalen Datei ist fehlgeschlagen: %1").arg(toFile);
        return false;
    }
    QDir(package).removeRecursively();
    return true;
}

bool Textbundle::writeTextpackForString(const QString& text, const QString& toFile, const QStringList& withAssets,
                                        const QString& andMarkupLang) {
    const QString package = createTempFileTextbundleForString(text, withAssets, andMarkupLang, {});
    if (package.isEmpty())
        return false;
    bool ok = true;
    const QString folder = QFileInfo(package).absolutePath();
    const QString moved = QString("%1/%2.textbundle").arg(folder, QFileInfo(toFile).completeBaseName());
    QDir(moved).removeRecursively();
    if (!QDir().rename(package, moved)) {
        qCWarning(textbundleLog).noquote() << QString("Move error: %1").arg(moved);
        ok = false;
    }
    const QString archive = QString("%1/tempfile.textpack").arg(folder);
    if (QFileInfo::exists(archive) && !QFile::remove(archive))
        qCWarning(textbundleLog).noquote() << "Deleting existing temp-file failed";
    QString error;
    if (!createZipArchiveOfFolder(moved, archive, &error)) {
        qCWarning(textbundleLog).noquote() << error;
        ok = false;
    }
    if (!QFile::copy(archive, toFile)) {
        qCWarning(textbundleLog).noquote() << QString("Move Back error: %1").arg(toFile);
        ok = false;
    }
    if (!QDir().rename(moved, package)) {
        qCWarning(textbundleLog).noquote()
            << QString("Schreiben der finalen Textpack Datei ist fehlgeschlagen: %1").arg(package);
        ok = false;
    }
    return ok;
}

bool Textbundle::writeString(const QString& text, const QUrl& toURL) {
    const QString path = toURL.isLocalFile() ? toURL.toLocalFile() : toURL.path();
    const QString target = path + '/' + textEntryName(path);
    if (!writeUtf8Atomically(target, text)) {
        qCWarning(textbundleLog).noquote() << QString("ERROR: %1").arg(target);
        return false;
    }
    return true;
}

bool Textbundle::writeInfo(const QJsonObject& info, const QString& packagePath) {
    if (!writeUtf8Atomically(packagePath + "/info.json",
                             QString::fromUtf8(QJsonDocument(info).toJson(QJsonDocument::Indented)))) {
        qCWarning(textbundleLog).noquote() << QString("Error: JSOM-Project - Datei schreiben fehlgeschlagen %1").arg(packagePath);
        return false;
    }
    return true;
}

bool Textbundle::updateJSONWithMarkupLanguage(const QString& markupLanguage, const QString& forFile) {
    QJsonObject info = readInfoFromPath(forFile).value_or(QJsonObject());
    info.insert("type", markupIdentifierForName(markupLanguage.toLower()));
    return writeInfo(info, forFile);
}

QVariant Textbundle::getCustomValueForKey(const QString& key, const QString& atPath) {
    const QJsonObject info = readInfoFromPath(atPath).value_or(QJsonObject());
    const QJsonValue custom = info.value(customKEY);
    if (!custom.isObject() || !custom.toObject().contains(key))
        return {};
    return custom.toObject().value(key).toVariant();
}

bool Textbundle::setCustomValue(const QVariant& value, const QString& forKey, const QString& atPath) {
    QJsonObject info = readInfoFromPath(atPath).value_or(QJsonObject());
    QJsonObject custom = info.value(customKEY).toObject();
    custom.insert(forKey, QJsonValue::fromVariant(value));
    info.insert(customKEY, custom);
    return writeInfo(info, atPath);
}

void Textbundle::cleanTextpackTempFiles() {
    const QString unpackFolder = textpackWorkFolder();
    if (QFileInfo::exists(unpackFolder))
        QDir(unpackFolder).removeRecursively();
}
