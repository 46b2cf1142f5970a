#include "dispatch/ApplicationResources.h"

#include <QFileInfo>

QString ApplicationResources::pathForResource(const QString& name, const QString& type) {
    const QString path = QString(":/%1/%2.%1").arg(type, name);
    return QFileInfo::exists(path) ? path : QString();
}
