#pragma once
// The applications that can edit a document, from the desktop's MIME
// registry (GIO), and launching one of them on a file.

#include <QIcon>
#include <QString>
#include <QStringList>
#include <vector>

struct EditorApplication {
    QString identifier;    // the desktop entry id, "org.gnome.TextEditor.desktop"
    QString displayName;
    QIcon icon;
};

namespace externaleditors {

// Quillview's own desktop entry, never offered as an editor of its documents.
extern const char* const kOwnIdentifier;

// The MIME types whose editors are offered for a kind of document.
QStringList plainTextTypes();   // text, Markdown, MultiMarkdown
QStringList textbundleTypes();  // text or TextBundle packages
QStringList textpackTypes();    // TextPack archives
extern const char* const kTextbundleType;

// The types for a document's extension: packages have their own lists.
QStringList typesForExtension(const QString& extension);

// Every application registered for any of the types, each once, in the
// registry's order, without Quillview itself.
std::vector<EditorApplication> editorsForTypes(const QStringList& mimeTypes);

// Whether an application of that display name is registered for the type.
bool isRegisteredForType(const QString& displayName, const QString& mimeType);

// Opens the file with the application of that display name; false when no
// such application is registered or it could not be launched.
bool openFileWithApplication(const QString& path, const QString& displayName);

}  // namespace externaleditors
