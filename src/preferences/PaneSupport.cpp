#include "preferences/PaneSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>


namespace panesupport {

namespace {

SettingsStore& store() { return SettingsStore::shared(); }

template <typename T>
void storeAndSync(Binding<T> setting, const T& value) {
    (store().*setting.set)(value);
    store().sync();
}

}  // namespace

void bindCheckBox(QCheckBox* box, Binding<bool> setting) {
    box->setChecked((store().*setting.get)());
    QObject::connect(box, &QCheckBox::toggled, box, [setting](bool on) { storeAndSync(setting, on); });
}

void bindLineEdit(QLineEdit* field, Binding<QString> setting) {
    field->setText((store().*setting.get)());
    field->setCursorPosition(0);
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, setting] {
        if (field->text() != (store().*setting.get)())
            storeAndSync(setting, field->text());
    });
}

void bindSpinBox(QSpinBox* box, Binding<int> setting, int scale) {
    // Rounded up: a limit below one unit shows as one.
    box->setValue(((store().*setting.get)() + scale - 1) / scale);
    QObject::connect(box, &QSpinBox::valueChanged, box,
                     [setting, scale](int value) { storeAndSync(setting, value * scale); });
}

void bindComboBoxText(QComboBox* popup, Binding<QString> setting) {
    const int index = popup->findText((store().*setting.get)());
    if (index >= 0)
        popup->setCurrentIndex(index);
    QObject::connect(popup, &QComboBox::textActivated, popup,
                     [setting](const QString& text) { storeAndSync(setting, text); });
}

void bindComboBoxData(QComboBox* popup, Binding<QString> setting, const QString& shown) {
    const int index = popup->findData(shown);
    if (index >= 0)
        popup->setCurrentIndex(index);
    QObject::connect(popup, &QComboBox::activated, popup,
                     [popup, setting](int chosen) { storeAndSync(setting, popup->itemData(chosen).toString()); });
}

}  // namespace panesupport
