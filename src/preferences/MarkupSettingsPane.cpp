// The markup-settings pane: controls bound straight to the settings no other
// code writes (extension lists, flavour, CriticMarkup, HTML5, conversion time
// limit, folder access).
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "dispatch/MarkupLanguages.h"
#include "preferences/PaneSupport.h"
#include "settings/MarkupLanguageTable.h"
#include "preferences/PreferencesController.h"
#include "settings/SettingsRegistry.h"
#include "ui_PreferencesController.h"

void PreferencesController::bindMarkupSettings() {
    using namespace settingskeys;
    using panesupport::bindCheckBox;
    using panesupport::bindLineEdit;
    const std::pair<QLineEdit*, const char*> extensions[] = {
        {ui->textfield_MarkdownExtension, kMarkdownExtension},
        {ui->textfield_MultiMarkdownExtension, kMultiMarkdownExtension},
        {ui->textfield_TextileExtension, kTextileExtension},
        {ui->textfield_WikitextExtension, kWikitextExtension},
        {ui->textfield_BBCodeExtension, kBBCodeExtension},
        {ui->textfield_TesselExtension, kTesselExtension},
        {ui->textfield_HTMLExtension, kHTMLExtension},
    };
    for (const auto& [field, key] : extensions)
        bindLineEdit(field, key);
    ui->popup_OpenUnknownExtension->addItems(markuplanguages::markupLanguageDisplayValues());
    panesupport::bindComboBoxText(ui->popup_OpenUnknownExtension, kOpenUnknownExtension);
    for (const QString& flavour : markuplanguagetable::markdownFlavours())
        ui->popup_MarkdownFlavour->addItem(markuplanguagetable::menuName(flavour), flavour);
    panesupport::bindComboBoxData(ui->popup_MarkdownFlavour, kMarkdownFlavour, markuplanguages::markdownFilesLanguage());
    bindCheckBox(ui->checkbox_HideFrontMatter, kHideFrontMatter);
    bindCheckBox(ui->checkbox_UseCriticsMarkup, kUseCriticsMarkup);
    bindCheckBox(ui->checkbox_UseHTML5, kUseHTML5);
    panesupport::bindSpinBox(ui->spinner_ConversionTimeLimit, kConversionTimeLimit, 1000);
    bindCheckBox(ui->checkbox_AskForFolderAccess, kAskForFolderAccess);
    bindCheckBox(ui->checkbox_OpenURLWithoutWarning, kWarningOpenURLInBrowser);
}
