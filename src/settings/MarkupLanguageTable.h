#pragma once
// Every markup language the application knows, declared once: identifier,
// display name, the setting that lists its file extensions, how a package
// names it, the script of the external road, and which converter renders it.
// Everything else (menus, dispatch, packages, the command line, window
// titles) reads this table.

#include <QString>

#include "settings/SettingsStore.h"
#include <QStringList>
#include <vector>

// The identifiers, for the code that must name one.
namespace languageids {
inline constexpr char kMarkdown[] = "markdown";
inline constexpr char kMarkdownExtra[] = "markdownextra";
inline constexpr char kMultiMarkdown[] = "multimarkdown";
inline constexpr char kGithubMarkdown[] = "gfm";
inline constexpr char kTextile[] = "textile";
inline constexpr char kWikitext[] = "wikitext";
inline constexpr char kBBCode[] = "bbcode";
inline constexpr char kTessel[] = "tessel";
inline constexpr char kHtml[] = "html";
inline constexpr char kSumwise[] = "sumwise";
}  // namespace languageids

enum class Converter { Markdown, MarkdownExtra, MultiMarkdown, GithubMarkdown, Textile, Wikitext, BBCode, Tessel, Html, None };

struct MarkupLanguage {
    QString identifier;
    QString displayName;        // empty: not offered in menus
    // The setting listing its extensions; null: none of its own.
    QString (SettingsStore::*extensions)() const;
    QString packageType;        // the type a TextBundle's info names
    QString packageExtension;   // of the text file inside a package
    QString scriptName;         // the external road's script; empty: none
    Converter converter;
};

namespace markuplanguagetable {

const std::vector<MarkupLanguage>& languages();

// The language of an identifier or display name, compared without letter
// case and surrounding white space; null when none has it.
const MarkupLanguage* find(const QString& identifierOrDisplayName);

// Markdown in one of its flavours: the languages a Markdown file may be
// rendered as, in the order the menus offer them.
bool isMarkdownFlavour(const QString& identifier);
QStringList markdownFlavours();

// How menus name a language: its display name, spaced where the display
// name is a run of words ("Markdown Extra").
QString menuName(const QString& identifier);

}  // namespace markuplanguagetable
