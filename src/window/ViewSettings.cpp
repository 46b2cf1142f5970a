#include "window/ViewSettings.h"

#include "window/NotificationCenter.h"
#include "settings/SettingsStore.h"

namespace viewsettings {

namespace {

// No bound, as before: a percentage at or below zero is ignored by the page.
void changeFontSize(int delta) {
    SettingsStore& settings = SettingsStore::shared();
    settings.setFontSize(settings.fontSize() + delta);
    NotificationCenter::defaultCenter().post(notifications::kReload);
}

}  // namespace

void selectCSSStyle(const QString& styleName) {
    SettingsStore::shared().setSelectedCssStyle(styleName);
    NotificationCenter::defaultCenter().post(notifications::kReload);
}

void makeFontBigger() {
    changeFontSize(10);
}

void makeFontSmaller() {
    changeFontSize(-10);
}

void makeFontNornalSize() {
    SettingsStore::shared().setFontSize(100);
    NotificationCenter::defaultCenter().post(notifications::kReload);
}

void changeFontSizeAction(int segment) {
    switch (segment) {
    case 0: makeFontSmaller(); break;
    case 1: makeFontNornalSize(); break;
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
