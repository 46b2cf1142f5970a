#pragma once
// The application-wide view settings that menus and toolbars change: each
// stores its setting and posts the notification every document listens to.

#include <QString>

namespace viewsettings {

void selectCSSStyle(const QString& styleName);
void makeFontBigger();
void makeFontSmaller();
void makeFontNornalSize();
// The toolbar's three segments: 0 smaller, 1 default, 2 bigger.
void changeFontSizeAction(int segment);
void toggleLightDarkFromMenu();
void toggleTitlebarFromMenu();

}  // namespace viewsettings
