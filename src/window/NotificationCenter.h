#pragma once
// Named application-wide notifications: whoever posts does not know who
// listens, and every observer of a name hears every post of it ("reload"
// re-renders every open document, whichever watcher saw the change).

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

// Names posted from one file and heard in another.
namespace notifications {
inline constexpr char kReload[] = "reload";
// A window became the front one: the editor menu lists the editors for the
// user info's kFileExtensionKey.
inline constexpr char kExternalEditorsReloadMainMenu[] = "externalEditorsReloadMainMenu";
inline constexpr char kFileExtensionKey[] = "fileExtension";
// A help button asks for a page of the help book: user info { "helpfile": page }.
inline constexpr char kHelpViewerOpenFile[] = "Vantrel_Help_Viewer_Open_File";
inline constexpr char kHelpFileKey[] = "helpfile";
// The styles folder changed: the CSS menu is rebuilt.
inline constexpr char kCssReloadMainMenu[] = "cssReloadMainMenu";
// A folder grant was stored: the preferences' save-folder list reloads.
inline constexpr char kSandboxPathsUpdated[] = "uodated_sandbox_paths_preferences";
}  // namespace notifications

class NotificationCenter : public QObject {
    Q_OBJECT
public:
    static NotificationCenter& defaultCenter();

    void post(const QString& name, const QVariantMap& userInfo = {});

    // Calls `handler` for each post of `name` while `observer` lives.
    void addObserver(QObject* observer, const QString& name, std::function<void(const QVariantMap&)> handler);

signals:
    void posted(const QString& name, const QVariantMap& userInfo);
};
