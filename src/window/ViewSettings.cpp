#include "window/ViewSettings.h"

#include "settings/SettingsStore.h"

namespace viewsettings {

namespace {

// No bound, as before: a percentage at or below zero is ignored by the page.
void changeFontSize(int delta) {
    SettingsStore& settings = SettingsStore::shared();
    settings.setFontSize(settings.fontSize() + delta);
}

}  // namespace

void selectCSSStyle(const QString& styleName) {
    SettingsStore::shared().setSelectedCssStyle(styleName);
}

void makeFontBigger() {
    changeFontSize(10);
}

void makeFontSmaller() {
    changeFontSize(-10);
}

void makeFontNormalSize() {
    SettingsStore::shared().setFontSize(100);
}

void changeFontSizeAction(int segment) {
    switch (segment) {
    case 0: makeFontSmaller(); break;
    case 1: makeFontNormalSize(); break;
    case 2: makeFontBigger(); break;
    default: break;
    }
}

void toggleLightDarkFromMenu() {
    SettingsStore& settings = SettingsStore::shared();
    const bool light = settings.windowTheme() == "NSAppearanceNameVibrantLight";
    settings.setWindowTheme(light ? "NSAppearanceNameVibrantDark" : "NSAppearanceNameVibrantLight");
}

void toggleTitlebarFromMenu() {
    SettingsStore& settings = SettingsStore::shared();
    settings.setShowTitlebar(!settings.showTitlebar());
}

}  // namespace viewsettings
