#include "window/NotificationCenter.h"

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

void NotificationCenter::post(const QString& name, const QVariantMap& userInfo) {
    emit posted(name, userInfo);
}

void NotificationCenter::addObserver(QObject* observer, const QString& name,
                                     std::function<void(const QVariantMap&)> handler) {
    connect(this, &NotificationCenter::posted, observer,
            [name, handler = std::move(handler)](const QString& postedName, const QVariantMap& userInfo) {
                if (postedName == name)
                    handler(userInfo);
            });
}
