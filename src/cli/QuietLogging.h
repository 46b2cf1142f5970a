#pragma once
// The command line speaks only for itself: messages of Qt, Qt WebEngine and
// Chromium (graphics back ends, sandbox notes, runtime folders) are dropped,
// and only the application's own categories ("quillview.*") reach standard
// error. Installed before the application object exists, so that nothing
// said while it starts gets through.
void keepOnlyOwnLogging();
