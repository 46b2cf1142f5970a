#pragma once
// The application-wide view settings that menus and toolbars change: each
// stores its setting; open documents follow the settings store.

#include <QString>

namespace viewsettings {

void selectCSSStyle(const QString& styleName);
void makeFontBigger();
void makeFontSmaller();
void makeFontNormalSize();
// The toolbar's three segments: 0 smaller, 1 default, 2 bigger.
void changeFontSizeAction(int segment);
void toggleLightDarkFromMenu();
void toggleTitlebarFromMenu();

}  // namespace viewsettings
