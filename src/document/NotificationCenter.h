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
// Windows apply the light or dark theme of "WINDOW_THEME".
inline constexpr char kToggleLightDark[] = "toggleLightDark";
// Windows show or hide their title as "WINDOW_SHOW_TITLEBAR" says.
inline constexpr char kToggleTitlebar[] = "toggleTitlebar";
// A window became the front one: the editor menu lists the editors for the
// user info's kFileExtensionKey.
inline constexpr char kExternalEditorsReloadMainMenu[] = "externalEditorsReloadMainMenu";
inline constexpr char kFileExtensionKey[] = "fileExtension";
// A help button asks for a page of the help book: user info { "helpfile": page }.
inline constexpr char kHelpViewerOpenFile[] = "Vantrel_Help_Viewer_Open_File";
inline constexpr char kHelpFileKey[] = "helpfile";
// Every document re-applies the source view's font and colours.
inline constexpr char kSetupTextview[] = "Notification_SetupTextview";
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
