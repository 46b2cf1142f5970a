#pragma once
// Named application-wide notifications: whoever posts does not know who
// listens, and every observer of a name hears every post of it ("reload"
// re-renders every open document, whichever watcher saw the change).

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

// Names (and user-info keys) posted in one place and heard in another.
namespace notifications {
// A help button asks for a page of the help book: user info { "helpfile": page }.
inline constexpr char kHelpViewerOpenFile[] = "Vantrel_Help_Viewer_Open_File";
inline constexpr char kHelpFileKey[] = "helpfile";
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
