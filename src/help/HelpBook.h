#pragma once
// Where the help book lives and how a page of it is named. The book ships as
// resources, one folder per language under :/helpbook/, each holding the
// frame page index.htm and one NAME.htm per page.

#include <QString>
#include <QUrl>

namespace helpbook {

struct Location {
    QString langCode;      // the language whose folder is used
    QString helpbookPath;  // ":/helpbook/<langCode>"
};

// The folder of the language, or English when the book has none for it.
Location locate(const QString& langCode);

// The frame page of a language folder, as the web view loads it.
QUrl framePageUrl(const QString& helpbookPath);

// Whether the name can be a page of the book: letters, digits, "_" and "-"
// only, so that a name never leaves its folder nor the script it is put in.
bool isPageName(const QString& name);

// The script that points the frame "theIFrame" at the page.
QString showPageScript(const QString& pageName);

// Whether the URL is one of the book's own resources.
bool isInHelpBook(const QUrl& url);

}  // namespace helpbook
