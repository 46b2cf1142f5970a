#include "settings/AppSupportFilePaths.h"

#include <QStandardPaths>

QString AppSupportFilePaths::appSupportFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Quillview";
}
