#pragma once
#include <QStringList>

// quillview convert [--lang ID] [--critic] [--set KEY=VALUE]... FILE|-
// Writes exactly the fragment the preview would show to standard output.
// Returns the exit status: 0, or 2 for a usage error or an unreadable file.
int runConvertCommand(const QStringList& arguments);
