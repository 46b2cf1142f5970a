#include "export/PrintStyle.h"

#include <QFile>
#include <QFileInfo>

#include "dispatch/ApplicationResources.h"
#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"

namespace printstyle {

namespace {

constexpr char kDarkEnding[] = "_Dark";
constexpr char kLightEnding[] = "_Light";

QString stylePath(const QString& stem) {
    const QString own = AppSupportFilePaths::appSupportFilePath() + "/CSSStyles/" + stem + ".css";
    return QFileInfo(own).isFile() ? own : ApplicationResources::pathForResource(stem, "css");
}

}  // namespace

std::optional<QString> styleText(const QString& name) {
    if (name == kNoStyle)
        return QString();
    const QString stem = name.endsWith(".css") ? name.chopped(4) : name;
    if (stem.isEmpty() || stem.contains('/'))
        return std::nullopt;
    const QString path = stylePath(stem);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

QString forPaper(const QString& name) {
    if (!name.endsWith(kDarkEnding))
        return name;
    const QString light = name.chopped(int(sizeof kDarkEnding) - 1) + kLightEnding;
    return stylePath(light).isEmpty() ? name : light;
}

QString selectedStyleForPaper() {
    const QString selected = SettingsStore::shared().selectedCssStyle();
    return styleText(forPaper(selected)).value_or(QString());
}

}  // namespace printstyle
