#pragma once
// What the page shows when an external interpreter does not deliver: a short
// reason and what the interpreter wrote on standard error, escaped, so that
// the reader sees why instead of a blank page.

#include <QByteArray>
#include <QString>

#include "dispatch/ChildProcess.h"

namespace interpreterfailure {

// Why the run of `program` gave no usable HTML, or an empty string when it
// did. A run that printed nothing fails only when the document had text.
QString reasonForRun(const QString& program, const ChildProcessResult& run, bool documentHasText,
                     bool outputIsUtf8);

// The reason when the script for a language does not exist as a file.
QString missingScriptReason(const QString& language, const QString& scriptPath);

// The HTML that stands in for the document.
QString errorParagraph(const QString& reason, const QByteArray& errorOutput);

}  // namespace interpreterfailure
