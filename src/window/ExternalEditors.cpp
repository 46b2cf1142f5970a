// GIO first: its headers use names that Qt defines as macros.
#include <gio/gio.h>

#include "window/ExternalEditors.h"

#include <QFile>
#include <QSet>

namespace externaleditors {

const char* const kOwnIdentifier = "quillview.desktop";
const char* const kTextbundleType = "application/x-textbundle";

QStringList plainTextTypes() {
    return {"text/plain", "text/markdown", "text/x-markdown", "text/x-multimarkdown"};
}

QStringList textbundleTypes() {
    return {"text/plain", kTextbundleType};
}

QStringList textpackTypes() {
    return {"application/x-textpack"};
}

QStringList typesForExtension(const QString& extension) {
    if (extension == "textbundle")
        return textbundleTypes();
    if (extension == "textpack")
        return textpackTypes();
    return plainTextTypes();
}

namespace {

QIcon iconOf(GAppInfo* application) {
    GIcon* icon = g_app_info_get_icon(application);
    if (icon && G_IS_THEMED_ICON(icon)) {
        const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        for (; names && *names; ++names)
            if (QIcon::hasThemeIcon(QString::fromUtf8(*names)))
                return QIcon::fromTheme(QString::fromUtf8(*names));
    } else if (icon && G_IS_FILE_ICON(icon)) {
        gchar* path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        QIcon result(QString::fromUtf8(path));
        g_free(path);
        return result;
    }
    return {};
}

// Walks the applications registered for a type, stopping when `visit` says so.
template <typename Visit>
void forEachApplication(const QString& mimeType, Visit visit) {
    GList* applications = g_app_info_get_all_for_type(mimeType.toUtf8().constData());
    for (GList* item = applications; item; item = item->next)
        if (!visit(G_APP_INFO(item->data)))
            break;
    g_list_free_full(applications, g_object_unref);
}

QString identifierOf(GAppInfo* application) {
    const char* id = g_app_info_get_id(application);
    return id ? QString::fromUtf8(id) : QString();
}

}  // namespace

std::vector<EditorApplication> editorsForTypes(const QStringList& mimeTypes) {
    std::vector<EditorApplication> editors;
    QSet<QString> seen;
    for (const QString& type : mimeTypes) {
        forEachApplication(type, [&](GAppInfo* application) {
            const QString id = identifierOf(application);
            if (id.isEmpty() || id == kOwnIdentifier || seen.contains(id))
                return true;
            seen.insert(id);
            editors.push_back({id, QString::fromUtf8(g_app_info_get_display_name(application)), iconOf(application)});
            return true;
        });
    }
    return editors;
}

bool isRegisteredForType(const QString& displayName, const QString& mimeType) {
    bool found = false;
    forEachApplication(mimeType, [&](GAppInfo* application) {
        found = QString::fromUtf8(g_app_info_get_display_name(application)) == displayName;
        return !found;
    });
    return found;
}

bool openFileWithApplication(const QString& path, const QString& displayName) {
    GList* applications = g_app_info_get_all();
    GAppInfo* chosen = nullptr;
    for (GList* item = applications; item && !chosen; item = item->next) {
        GAppInfo* application = G_APP_INFO(item->data);
        if (QString::fromUtf8(g_app_info_get_display_name(application)) == displayName
            && identifierOf(application) != kOwnIdentifier)
            chosen = G_APP_INFO(g_object_ref(application));
    }
    g_list_free_full(applications, g_object_unref);
    if (!chosen)
        return false;
    GFile* file = g_file_new_for_path(QFile::encodeName(path).constData());
    GList* files = g_list_append(nullptr, file);
    GError* error = nullptr;
    const bool launched = g_app_info_launch(chosen, files, nullptr, &error);
    if (error)
        g_error_free(error);
    g_list_free(files);
    g_object_unref(file);
    g_object_unref(chosen);
    return launched;
}

}  // namespace externaleditors
