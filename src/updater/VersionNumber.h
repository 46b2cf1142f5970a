#pragma once
// Version texts as the server gives them: digits and dots ("3.2.1").
// Compared component by component, so 1.10 is newer than 1.9 and 3.2 newer
// than 3.1.9; a missing component counts as 0 (3.2 and 3.2.0 are the same).

#include <QString>

namespace versionnumber {

// At most this many bytes of the version file are read.
inline constexpr qsizetype kLongestVersionText = 64;

// Digits separated by single dots, nothing else ("3.2", not "3.", ".2",
// "v3.2" or "404 Not Found").
bool isVersionText(const QString& text);

// <0 when a is older than b, 0 when equal, >0 when newer. Both must be
// version texts.
int compare(const QString& a, const QString& b);

}  // namespace versionnumber
