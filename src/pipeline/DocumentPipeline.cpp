#include "pipeline/DocumentPipeline.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <limits>

#include "dispatch/MarkupLanguages.h"
#include "dispatch/MarkupTransformTask.h"
#include "pipeline/BaseURL.h"
#include "pipeline/PageTemplate.h"
#include "pipeline/TextReading.h"
#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"
#include "textbundle/Textbundle.h"

namespace documentpipeline {

namespace {

Problem problemOf(textreading::TextFileProblem problem) {
    switch (problem) {
    case textreading::TextFileProblem::None: return Problem::None;
    case textreading::TextFileProblem::Missing: return Problem::Missing;
    case textreading::TextFileProblem::TooLarge: return Problem::TooLarge;
    case textreading::TextFileProblem::Binary: return Problem::Binary;
    }
    return Problem::Unreadable;
}

void readPlainFile(const Request& request, Result& result) {
    result.markupLanguage = markuplanguages::markupLangSelectFromExtension(QFileInfo(request.path).suffix());
    result.baseURL = baseurl::baseURLForFile(request.path);
    if (QFileInfo(request.path).isDir()) {
        result.problem = Problem::Folder;
        return;
    }
    result.problem = problemOf(
        textreading::checkTextFile(request.path, request.largestFile > 0 ? request.largestFile : std::numeric_limits<qint64>::max()));
    if (result.problem != Problem::None)
        return;
    if (auto text = textreading::readTextFromFile(request.path))
        result.text = *text;
    else
        result.problem = Problem::Unreadable;
}

// A package names its language in its info file; Markdown renders in the
// chosen flavour, as a plain .md file does.
QString packageLanguage(const QString& named) {
    if (named.toLower() == languageids::kMarkdown)
        return markuplanguages::markdownFilesLanguage();
    return named;
}

void readPackage(const Request& request, Result& result) {
    if (!QFileInfo::exists(request.path)) {
        result.problem = Problem::Missing;
        return;
    }
    Textbundle textbundle;
    std::optional<TextbundleContents> contents;
    if (QFileInfo(request.path).suffix() == "textbundle") {
        contents = textbundle.readTextbundleFromPath(request.path);
    } else {
        result.unpackFolder = request.textpackUnpackFolder.isEmpty() ? Textbundle::newTextpackUnpackFolder()
                                                                     : request.textpackUnpackFolder;
        contents = textbundle.readTextpackFromPath(request.path, result.unpackFolder);
    }
    if (!contents || contents->text.isNull()) {
        result.problem = Problem::BrokenPackage;
        return;
    }
    result.text = contents->text;
    result.markupLanguage = packageLanguage(contents->markupLang);
    result.packageFolder = contents->textbundleFilePath;
    result.baseURL = baseurl::baseURLForPackageFolder(result.packageFolder);
}

void convert(Result& result, bool criticMarkup, const QString& documentFolder, engine::CancelFlag cancelled = {}) {
    if (!result.ok())
        return;
    auto outcome = MarkupTransformTask::transformStringWithOutcome(result.text, result.markupLanguage, criticMarkup,
                                                                   documentFolder, std::move(cancelled));
    result.fragment = outcome.html;
    result.conversionFailed = outcome.conversionFailed;
    if (outcome.stopped)
        result.problem = Problem::TookTooLong;
}

}  // namespace

bool isPackagePath(const QString& path) {
    const QString extension = QFileInfo(path).suffix();
    return extension == "textbundle" || extension == "textpack";
}

Result render(const Request& request) {
    Result result;
    result.stamp = diskStamp(request.path);
    if (isPackagePath(request.path))
        readPackage(request, result);
    else
        readPlainFile(request, result);
    if (!request.language.isEmpty())
        result.markupLanguage = request.language;
    convert(result, request.criticMarkup, QFileInfo(request.path).absolutePath(), request.cancelled);
    return result;
}

Result renderText(const QString& text, const QString& language, bool criticMarkup) {
    Result result;
    result.text = text;
    result.markupLanguage = language.isEmpty() ? markuplanguages::markupLangSelectFromExtension(QString()) : language;
    convert(result, criticMarkup, QString());
    return result;
}

QString pageFor(const Result& result) {
    return pagetemplate::pageWithFragment(result.fragment);
}

qint64 diskStamp(const QString& path) {
    qint64 stamp = 0;
    auto add = [&stamp](const QFileInfo& info) {
        stamp = stamp * 31 + info.lastModified().toMSecsSinceEpoch() + info.size() * 7 + (info.exists() ? 1 : 0);
    };
    const QFileInfo file(path);
    add(file);
    if (file.isDir())
        for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
            add(entry);
    return stamp;
}

QString problemTitle(Problem problem) {
    switch (problem) {
    case Problem::None: return {};
    case Problem::Missing: return QCoreApplication::translate("Document", "The file is not there");
    case Problem::TooLarge: return QCoreApplication::translate("Document", "The file is too large to preview");
    case Problem::Binary: return QCoreApplication::translate("Document", "This is not a text file");
    case Problem::Unreadable: return QCoreApplication::translate("Document", "The file cannot be read");
    case Problem::BrokenPackage: return QCoreApplication::translate("Document", "The package cannot be shown");
    case Problem::TookTooLong: return QCoreApplication::translate("Document", "This document took too long to convert");
    case Problem::Folder: return QCoreApplication::translate("Document", "This is a folder");
    }
    return {};
}

QString problemMessage(Problem problem, const QString& path, qint64 largestFile) {
    const QString name = QFileInfo(path).fileName();
    switch (problem) {
    case Problem::None: return {};
    case Problem::Missing:
        return QCoreApplication::translate("Document", "“%1” was moved or deleted. The preview comes back when the file does.")
            .arg(name);
    case Problem::TooLarge:
        return QCoreApplication::translate("Document", "“%1” has %2 MB; the preview shows files of up to %3 MB.")
            .arg(name)
            .arg(QFileInfo(path).size() / (1024 * 1024))
            .arg(largestFile / (1024 * 1024));
    case Problem::Binary:
        return QCoreApplication::translate("Document",
                                           "“%1” holds binary data, such as an image or a program, not text to preview.")
            .arg(name);
    case Problem::Unreadable:
        return QCoreApplication::translate("Document",
                                           "“%1” could not be read, or its text is in no encoding Quillview knows.")
            .arg(name);
    case Problem::BrokenPackage:
        return QCoreApplication::translate("Document", "“%1” could not be read as a TextBundle or TextPack.").arg(name);
    case Problem::TookTooLong:
        return QCoreApplication::translate("Document",
                                           "Converting “%1” was stopped: it took longer than the time limit of "
                                           "%2 s, which is set in Preferences ▸ Markup.")
            .arg(name)
            .arg(QLocale().toString(SettingsStore::shared().conversionTimeLimit() / 1000.0));
    case Problem::Folder:
        return QCoreApplication::translate("Document", "“%1” is a folder, not a document to preview.").arg(name);
    }
    return {};
}

}  // namespace documentpipeline
