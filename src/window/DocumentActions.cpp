// The per-document commands: copy the HTML, reveal the file, open it in an
// external editor.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

#include "window/Document.h"
#include "window/FileManager.h"
#include "settings/SettingsStore.h"

void Document::copyHtml() {
    // What the window shows, as converted for it.
    const QString fragment = lastFragment_;
    auto* data = new QMimeData;
    data->setText(fragment);
    data->setHtml(fragment);
    QApplication::clipboard()->setMimeData(data);
}

void Document::revealInFileManager() {
    filemanager::revealFile(filePath_);
}

void Document::loadExternalEditorsForExtension(const QString& extension) {
    editorMenu_->clear();
    if (extension.isEmpty())
        return;
    for (const EditorApplication& editor : externaleditors::editorsForTypes(externaleditors::typesForExtension(extension))) {
        QAction* item = editorMenu_->addAction(editor.icon, editor.displayName);
        const QString name = editor.displayName;
        connect(item, &QAction::triggered, this, [this, name] { editFileInExternalEditor(name); });
    }
}

void Document::editFileInExternalEditor(const QString& editorName) {
    if (editorName.isEmpty() || editorName == QApplication::applicationName())
        return;
    QString suffix;
    // A TextBundle goes whole to an editor of packages; a plain-text editor
    // gets the text file inside it (the last entry named "text").
    if (fileExtension() == "textbundle"
        && !externaleditors::isRegisteredForType(editorName, externaleditors::kTextbundleType)) {
        for (const QString& entry : QDir(filePath_).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
            if (QFileInfo(entry).completeBaseName() == "text")
                suffix = "/" + entry;
    }
    const QString path = filePath_ + suffix;
    if (!QFileInfo::exists(path) || !externaleditors::openFileWithApplication(path, editorName))
        QApplication::beep();
}
