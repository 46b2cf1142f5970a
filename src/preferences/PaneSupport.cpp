#include "preferences/PaneSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "document/NotificationCenter.h"
#include "settings/SettingsStore.h"

namespace panesupport {

namespace {

void storeAndReload(const char* key, const QVariant& value) {
    SettingsStore::shared().setValue(key, value);
    SettingsStore::shared().sync();
    NotificationCenter::defaultCenter().post(notifications::kReload);
}

}  // namespace

void showHelp(const QString& page) {
    NotificationCenter::defaultCenter().post(notifications::kHelpViewerOpenFile, {{notifications::kHelpFileKey, page}});
}

void bindCheckBox(QCheckBox* box, const char* key) {
    box->setChecked(SettingsStore::shared().boolValue(key));
    QObject::connect(box, &QCheckBox::toggled, box, [key](bool on) { storeAndReload(key, on); });
}

void bindLineEdit(QLineEdit* field, const char* key) {
    field->setText(SettingsStore::shared().stringValue(key));
    field->setCursorPosition(0);
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, key] {
        if (field->text() != SettingsStore::shared().stringValue(key))
            storeAndReload(key, field->text());
    });
}

void bindLineEditWithPaneValue(QLineEdit* field, const char* key) {
    field->setText(SettingsStore::shared().stringOrPaneValue(key));
    field->setCursorPosition(0);
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, key] {
        if (field->text() != SettingsStore::shared().stringOrPaneValue(key) || !SettingsStore::shared().contains(key))
            storeAndReload(key, field->text());
    });
}

void bindSpinBox(QSpinBox* box, const char* key, int scale) {
    // Rounded up: a limit below one unit shows as one.
    box->setValue((SettingsStore::shared().integerValue(key) + scale - 1) / scale);
    QObject::connect(box, &QSpinBox::valueChanged, box, [key, scale](int value) { storeAndReload(key, value * scale); });
}

void bindComboBoxText(QComboBox* popup, const char* key) {
    const int index = popup->findText(SettingsStore::shared().stringValue(key));
    if (index >= 0)
        popup->setCurrentIndex(index);
    QObject::connect(popup, &QComboBox::textActivated, popup, [key](const QString& text) { storeAndReload(key, text); });
}

void bindComboBoxData(QComboBox* popup, const char* key, const QString& shown) {
    const int index = popup->findData(shown);
    if (index >= 0)
        popup->setCurrentIndex(index);
    QObject::connect(popup, &QComboBox::activated, popup,
                     [popup, key](int chosen) { storeAndReload(key, popup->itemData(chosen)); });
}

}  // namespace panesupport
