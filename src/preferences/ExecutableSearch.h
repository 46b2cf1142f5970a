#pragma once
// Finding an executable such as multimarkdown: first where programs live
// ($PATH, /usr/local/bin, ~/.local/bin), then a bounded walk through a few
// folders. The walk never follows a symbolic link (Debian's /usr/bin/X11
// points at its own folder) and goes no deeper than kMaximumDepth.

#include <QString>
#include <QStringList>

namespace executablesearch {

inline constexpr int kMaximumDepth = 4;

// Depth first in listing order: a non-folder entry named `fileName` in
// `folder` wins, else the first hit in a sub-folder whose name holds no "."
// (packages and hidden folders stay closed). "FOLDER/NAME" or empty.
QString searchInPath(const QString& folder, const QString& fileName, int depth = kMaximumDepth);

// The folders of $PATH, then /usr/local/bin and ~/.local/bin, without
// repeats.
QStringList programFolders();
// The folders walked when the program folders do not have it.
QStringList walkedFolders();

// The first file named `fileName` in `direct` (no walk), else in a walk of
// `walked`; empty when there is none.
QString findFile(const QString& fileName, const QStringList& direct, const QStringList& walked);

}  // namespace executablesearch
