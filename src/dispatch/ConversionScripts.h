#pragma once
// The conversion scripts that ship inside the application (Qt resources under
// ":/php/") and their copies as real files in the support folder's
// "MarkupLanguages/php/", which an outside interpreter can open. A copy that
// is missing or differs from the shipped script is (re)written.

#include <QString>

namespace conversionscripts {

// "<support folder>/MarkupLanguages/php/"
QString installFolder();

// Installs every shipped script; false (logged) when one could not be written.
bool installConversionScripts();

// The installed file of the script `name` ("markdownTransform"), brought up
// to date first; empty when no such script ships. The file may still be
// missing when it could not be written: callers check before running it.
QString installedScriptPath(const QString& name);

}  // namespace conversionscripts
