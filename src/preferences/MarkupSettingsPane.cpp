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
#include "settings/SettingsStore.h"
#include "ui_PreferencesController.h"

void PreferencesController::bindMarkupSettings() {
    using S = SettingsStore;
    using panesupport::bindCheckBox;
    using panesupport::bindLineEdit;
    const std::pair<QLineEdit*, panesupport::Binding<QString>> extensions[] = {
        {ui->textfield_MarkdownExtension, {&S::markdownExtension, &S::setMarkdownExtension}},
        {ui->textfield_MultiMarkdownExtension, {&S::multiMarkdownExtension, &S::setMultiMarkdownExtension}},
        {ui->textfield_TextileExtension, {&S::textileExtension, &S::setTextileExtension}},
        {ui->textfield_WikitextExtension, {&S::wikitextExtension, &S::setWikitextExtension}},
        {ui->textfield_BBCodeExtension, {&S::bbcodeExtension, &S::setBbcodeExtension}},
        {ui->textfield_TesselExtension, {&S::tesselExtension, &S::setTesselExtension}},
        {ui->textfield_HTMLExtension, {&S::htmlExtension, &S::setHtmlExtension}},
    };
    for (const auto& [field, setting] : extensions)
        bindLineEdit(field, setting);
    ui->popup_OpenUnknownExtension->addItems(markuplanguages::markupLanguageDisplayValues());
    panesupport::bindComboBoxText(ui->popup_OpenUnknownExtension, {&S::openUnknownExtension, &S::setOpenUnknownExtension});
    for (const QString& flavour : markuplanguagetable::markdownFlavours())
        ui->popup_MarkdownFlavour->addItem(markuplanguagetable::menuName(flavour), flavour);
    panesupport::bindComboBoxData(ui->popup_MarkdownFlavour, {&S::markdownFlavour, &S::setMarkdownFlavour},
                                  markuplanguages::markdownFilesLanguage());
    bindCheckBox(ui->checkbox_HideFrontMatter, {&S::hideFrontMatter, &S::setHideFrontMatter});
    bindCheckBox(ui->checkbox_HighlightCode, {&S::highlightCode, &S::setHighlightCode});
    bindCheckBox(ui->checkbox_TypesetMath, {&S::typesetMath, &S::setTypesetMath});
    bindCheckBox(ui->checkbox_DrawDiagrams, {&S::drawDiagrams, &S::setDrawDiagrams});
    bindCheckBox(ui->checkbox_PdfHeaderAndFooter, {&S::pdfHeaderAndFooter, &S::setPdfHeaderAndFooter});
    bindCheckBox(ui->checkbox_UseCriticsMarkup, {&S::useCriticMarkup, &S::setUseCriticMarkup});
    bindCheckBox(ui->checkbox_UseHTML5, {&S::useHtml5, &S::setUseHtml5});
    panesupport::bindSpinBox(ui->spinner_ConversionTimeLimit, {&S::conversionTimeLimit, &S::setConversionTimeLimit},
                             1000);
    bindCheckBox(ui->checkbox_AskForFolderAccess, {&S::askForFolderAccess, &S::setAskForFolderAccess});
    bindCheckBox(ui->checkbox_OpenURLWithoutWarning, {&S::openUrlWithoutWarning, &S::setOpenUrlWithoutWarning});
}
