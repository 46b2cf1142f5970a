// The source-code appearance pane: font, size and colours of the HTML source
// view of every window.
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>

#include "platform/StoredValues.h"
#include "preferences/ColorWell.h"
#include "preferences/PreferencesController.h"
#include "settings/SettingsStore.h"
#include "ui_PreferencesController.h"

QStringList PreferencesController::sourceCodeFontSizes() {
    return {"8",  "9",  "10", "11", "12", "13", "14", "16", "18", "20", "22",
            "24", "26", "28", "32", "36", "40", "44", "48", "56", "70", "84"};
}

void PreferencesController::initPopupButonsFontSizeAndStyle() {
    SettingsStore& settings = SettingsStore::shared();
    ui->popup_fontStyle->addItems(QFontDatabase::families());
    ui->popup_fontSize->addItems(sourceCodeFontSizes());

    // A stored family this computer lacks shows as the font the source
    // view falls back to, so the pop-up never claims a font not in use.
    int family = ui->popup_fontStyle->findText(settings.sourceFontFamily());
    if (family < 0)
        family = ui->popup_fontStyle->findText(QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family());
    if (family >= 0)
        ui->popup_fontStyle->setCurrentIndex(family);
    const int size = ui->popup_fontSize->findText(settings.sourceFontSize());
    if (size >= 0)
        ui->popup_fontSize->setCurrentIndex(size);
    if (auto color = StoredValues::colorFromStored(settings.sourceTextColor()))
        ui->colorWell_font->setColor(*color);
    if (auto color = StoredValues::colorFromStored(settings.sourceBackgroundColor()))
        ui->colorWell_background->setColor(*color);

    connect(ui->popup_fontStyle, &QComboBox::activated, this, &PreferencesController::updateSourceCodeAppearance);
    connect(ui->popup_fontSize, &QComboBox::activated, this, &PreferencesController::updateSourceCodeAppearance);
    connect(ui->colorWell_font, &ColorWell::colorChanged, this, &PreferencesController::updateSourceCodeAppearance);
    connect(ui->colorWell_background, &ColorWell::colorChanged, this,
            &PreferencesController::updateSourceCodeAppearance);
}

void PreferencesController::updateSourceCodeAppearance() {
    SettingsStore& settings = SettingsStore::shared();
    settings.setSourceTextColor(StoredValues::toStored(ui->colorWell_font->color()));
    settings.setSourceBackgroundColor(StoredValues::toStored(ui->colorWell_background->color()));
    settings.setSourceFontSize(ui->popup_fontSize->currentText());
    settings.setSourceFontFamily(ui->popup_fontStyle->currentText());
    settings.sync();
}
