#pragma once
// Named application-wide notifications: whoever posts does not know who
// listens, and every observer of a name hears every post of it ("reload"
// re-renders every open document, whichever watcher saw the change).

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

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
