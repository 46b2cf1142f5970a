#pragma once
#include <QStringList>

// quillview export FILE --format FMT -o DEST [--style NAME]
// Exports the document through the export engine. Returns the exit status:
// 0 when DEST was written, 1 when the export failed, 2 for a usage error.
int runExportCommand(const QStringList& arguments);

// Before the application object exists: printing PDF needs a GUI
// application, so without a display the offscreen platform is chosen, and
// as root Chromium runs without its sandbox (it refuses to start otherwise).
// Only for this headless process.
void prepareHeadlessExportEnvironment();
