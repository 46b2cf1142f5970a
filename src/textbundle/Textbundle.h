#pragma once
// TextBundle packages (a folder with a text file, info.json and assets/,
// version 2) and TextPack archives (the same, zipped). Intermediate steps
// happen in work folders inside the support folder; TextPacks unpack into
// "<support>/textbundleTemp", or into a folder of the reader's own below it.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <functional>
#include <optional>

// What reading a package gives.
struct TextbundleContents {
    QString textbundleFilePath;     // the package folder
    QString text;                   // null when the package has no text file
    QString textFilePath;
    QStringList assetsNames;        // entries of assets/, listing order
    QStringList assetsFilePaths;    // the same, as full paths
    QString markupLang;             // language identifier from the info type
    QJsonObject json;               // the parsed info file
};

class Textbundle {
public:
    Textbundle();

    // The key of the object in info.json that holds this application's values.
    QString customKEY;

    // Shows (title, message) as a critical alert; without one the alert is
    // only logged (headless use).
    using AlertPresenter = std::function<void(const QString& title, const QString& message)>;
    static void setCriticalAlertPresenter(AlertPresenter presenter);

    // Reading.
    std::optional<TextbundleContents> readTextbundleFromURL(const QUrl& url);
    std::optional<TextbundleContents> readTextbundleFromPath(const QString& path);
    std::optional<TextbundleContents> readTextpackFromURL(const QUrl& url);
    // Unpacks into "<support>/textbundleTemp", replacing everything there,
    // the readers' own folders below it too.
    std::optional<TextbundleContents> readTextpackFromPath(const QString& path);
    // Unpacks into the given folder, removed and created afresh. An archive
    // that cannot be unpacked safely is refused with a critical alert, and
    // nothing of it stays in the folder.
    std::optional<TextbundleContents> readTextpackFromPath(const QString& path, const QString& unpackFolder);
    // A new folder path below "<support>/textbundleTemp/" that no other
    // reader uses, so that open TextPacks keep their unpacked assets apart.
    static QString newTextpackUnpackFolder();
    std::optional<QJsonObject> readInfoFromPath(const QString& packagePath);
    static QString readStringFromURL(const QUrl& packageUrl);

    // Writing. The package is built in a work folder, by default the support
    // folder; an export gives each write a folder of its own, so that two
    // writes at once never share one.
    void setWorkFolder(const QString& folder) { workFolder_ = folder; }
    bool writeTextbundleForString(const QString& text, const QString& toFile, const QStringList& withAssets,
                                  const QString& andMarkupLang, const QString& atRealPath = {});
    bool writeTextpackForString(const QString& text, const QString& toFile, const QStringList& withAssets,
                                const QString& andMarkupLang);
    QString createTempFileTextbundleForString(const QString& text, const QStringList& withAssets,
                                              const QString& andMarkupLang, const QString& atFinalPath);
    static bool writeString(const QString& text, const QUrl& toURL);
    bool updateJSONWithMarkupLanguage(const QString& markupLanguage, const QString& forFile);

    // Identifiers.
    QString markupIdentifierForName(const QString& name) const;
    QString markupExtension(const QString& name) const;
    QString infoJSONWithMarkupIdentifier(const QString& identifier) const;
    // The language named by an info file's type, or empty when none is.
    static QString markupLanguageForType(const QString& type);

    // Custom values in the info file.
    QVariant getCustomValueForKey(const QString& key, const QString& atPath);
    bool setCustomValue(const QVariant& value, const QString& forKey, const QString& atPath);

    // Removes "<support>/textbundleTemp" with every unpack folder below it.
    void cleanTextpackTempFiles();

    // The creator written into new info files.
    static const char* const kBundleIdentifier;

private:
    QString workFolder_;
    bool writeInfo(const QJsonObject& info, const QString& packagePath);
};
