#pragma once
// Copying files and folders into packages and exports. Symbolic links inside a folder are
// left out: one inside a package could lead anywhere.

#include <QString>

namespace filecopies {

// Copies a file, or a folder with everything in it, to a path that does not
// exist yet. False when anything could not be copied.
bool copyRecursively(const QString& from, const QString& to);

}  // namespace filecopies
