#pragma once
// File ▸ Open Recent: the documents opened last, newest first, kept in the
// settings store so that every window and the next start share them.

#include <QStringList>
#include <functional>

class QMenu;

namespace recentfiles {

constexpr int kMaximumCount = 10;

// As stored, newest first.
QStringList paths();
// Puts the path first (moving it up when it is there already).
void add(const QString& path);
void clear();
// Drops the files that no longer exist from the store; the rest, newest first.
QStringList existingPaths();

// Fills the menu each time it opens: one numbered item per existing file,
// then "Clear Menu".
void attachToMenu(QMenu* menu, const std::function<void(const QString&)>& open);

}  // namespace recentfiles
