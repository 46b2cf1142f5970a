#include "preferences/Preferences_CriticMarkup.h"

#include <QPushButton>

#include "preferences/PaneSupport.h"
#include "settings/SettingsStore.h"
#include "ui_Preferences_CriticMarkup.h"

namespace {

using S = SettingsStore;

struct Style {
    panesupport::Binding<QString> binding;
    S::Setting setting;
    QString (*paneValue)();
};

// The four styles, in the order of the pane's fields.
const Style kStyles[] = {
    {{&S::criticHighlightStyle, &S::setCriticHighlightStyle}, S::Setting::criticHighlightStyle,
     &S::criticHighlightStyleDefault},
    {{&S::criticAddStyle, &S::setCriticAddStyle}, S::Setting::criticAddStyle, &S::criticAddStyleDefault},
    {{&S::criticCommentStyle, &S::setCriticCommentStyle}, S::Setting::criticCommentStyle,
     &S::criticCommentStyleDefault},
    {{&S::criticRemoveStyle, &S::setCriticRemoveStyle}, S::Setting::criticRemoveStyle, &S::criticRemoveStyleDefault},
};

}  // namespace

Preferences_CriticMarkup::Preferences_CriticMarkup(QObject* parent)
    : QObject(parent), ui(std::make_unique<Ui::Preferences_CriticMarkup>()), view_(new QWidget) {
    ui->setupUi(view_);
    QLineEdit* fields[] = {ui->textfield_HighlightStyle, ui->textfield_AddStyle, ui->textfield_CommentStyle,
                           ui->textfield_RemoveStyle};
    for (int index = 0; index < 4; ++index)
        panesupport::bindLineEdit(fields[index], kStyles[index].binding);
    connect(ui->button_ResetStyles, &QPushButton::clicked, this, &Preferences_CriticMarkup::resetStyles);
    connect(ui->button_Help, &QPushButton::clicked, this, [this] { emit helpRequested("PreferencesCriticMarkup"); });
}

Preferences_CriticMarkup::~Preferences_CriticMarkup() = default;

void Preferences_CriticMarkup::setUp() {
    for (const Style& style : kStyles)
        if (SettingsStore::shared().hasValue(style.setting))
            return;
    resetStyles();
}

void Preferences_CriticMarkup::resetStyles() {
    SettingsStore& settings = SettingsStore::shared();
    for (const Style& style : kStyles)
        (settings.*style.binding.set)(style.paneValue());
    settings.sync();
    showStoredStyles();
}

void Preferences_CriticMarkup::showStoredStyles() {
    QLineEdit* fields[] = {ui->textfield_HighlightStyle, ui->textfield_AddStyle, ui->textfield_CommentStyle,
                           ui->textfield_RemoveStyle};
    for (int index = 0; index < 4; ++index) {
        fields[index]->setText((SettingsStore::shared().*kStyles[index].binding.get)());
        fields[index]->setCursorPosition(0);  // a long style reads from its start
    }
}
