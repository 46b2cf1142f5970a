#pragma once
// The folders whose documents may run their own scripts in the preview, as
// the user chose them; kept in the settings store.

#include <QString>

namespace scriptpermissions {

bool areScriptsAllowedInFolder(const QString& folder);
void allowScriptsInFolder(const QString& folder);

}  // namespace scriptpermissions
