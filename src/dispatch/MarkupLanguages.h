#pragma once
// The markup languages as the dispatcher and its callers see them: the
// identifiers and display values of the language table, the Markdown
// flavours and the choice of language by file extension.

#include <QString>
#include <QStringList>
#include <map>
#include <string>

namespace markuplanguages {

// The identifier of an identifier or display value ("GitHub Markdown" →
// "gfm"); otherwise the argument lower-cased and trimmed.
QString normalisedIdentifier(const QString& identifierOrDisplayValue);

// "BBCode", "GitHub Markdown", "HTML", "Markdown", … in menu order.
QStringList markupLanguageDisplayValues();

// The display value of an identifier ("markdownextra" → "MarkdownExtra");
// empty when the identifier has none.
QString displayValueForIdentifier(const QString& identifier);

using Flavour = std::map<std::string, bool>;
const Flavour& markdownExtraFlavour();
const Flavour& multiMarkdownFlavour();

// The language Markdown files render as, from the settings.
QString markdownFilesLanguage();

// The identifier for a file extension, compared case-sensitively against the
// extension lists of the settings; packages give the empty string (they name
// their own language), anything unknown the "open unknown" language.
QString markupLangSelectFromExtension(const QString& extension);

}  // namespace markuplanguages
