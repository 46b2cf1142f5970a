#pragma once
// How a document window looks: its theme, its title and its source view.

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace windowappearance {

// "NSAppearanceNameVibrantLight" gives the light palette, any other value
// the dark one.
void applyTheme(QWidget* window, const QString& themeName);

// Colours, font and size of the HTML source view from the settings; a font
// this system does not have leaves the view's own font.
void applySourceViewSettings(QPlainTextEdit* view);

// The language as the title shows it: its display name ("GitHub Markdown",
// "MultiMarkdown", "BBCode", …), "Markdown" for Markdown Extra and the unknown.
QString languageTitle(const QString& markupLanguage);

}  // namespace windowappearance
