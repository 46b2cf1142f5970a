#include "preferences/Preferences_CriticMarkup.h"

#include <QPushButton>

#include "document/NotificationCenter.h"
#include "preferences/PaneSupport.h"
#include "settings/SettingsRegistry.h"
#include "settings/SettingsStore.h"
#include "ui_Preferences_CriticMarkup.h"

namespace {

const char* const kStyleKeys[] = {settingskeys::kCriticMarkupHighlightStyle, settingskeys::kCriticMarkupAddStyle,
                                  settingskeys::kCriticMarkupCommentStyle, settingskeys::kCriticMarkupRemoveStyle};

}  // namespace

Preferences_CriticMarkup::Preferences_CriticMarkup(QObject* parent)
    : QObject(parent), ui(std::make_unique<Ui::Preferences_CriticMarkup>()), view_(new QWidget) {
    ui->setupUi(view_);
    QLineEdit* fields[] = {ui->textfield_HighlightStyle, ui->textfield_AddStyle, ui->textfield_CommentStyle,
                           ui->textfield_RemoveStyle};
    for (int index = 0; index < 4; ++index)
        panesupport::bindLineEditWithPaneValue(fields[index], kStyleKeys[index]);
    connect(ui->button_ResetStyles, &QPushButton::clicked, this, &Preferences_CriticMarkup::resetStyles);
    connect(ui->button_Help, &QPushButton::clicked, this, [] { panesupport::showHelp("PreferencesCriticMarkup"); });
}

Preferences_CriticMarkup::~Preferences_CriticMarkup() = default;

void Preferences_CriticMarkup::awakeFromNib() {
    for (const char* key : kStyleKeys)
        if (SettingsStore::shared().contains(key))
            return;
    resetStyles();
}

void Preferences_CriticMarkup::resetStyles() {
    SettingsStore& settings = SettingsStore::shared();
    for (const char* key : kStyleKeys)
        settings.setValue(key, settingDefinition(key)->defaultValue);
    settings.sync();
    showStoredStyles();
    NotificationCenter::defaultCenter().post(notifications::kReload);
}

void Preferences_CriticMarkup::showStoredStyles() {
    QLineEdit* fields[] = {ui->textfield_HighlightStyle, ui->textfield_AddStyle, ui->textfield_CommentStyle,
                           ui->textfield_RemoveStyle};
    for (int index = 0; index < 4; ++index) {
        fields[index]->setText(SettingsStore::shared().stringValue(kStyleKeys[index]));
        fields[index]->setCursorPosition(0);  // a long style reads from its start
    }
}
