#pragma once
// What the preference panes share: settings bound to controls.

#include <QString>

#include "settings/SettingsStore.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace panesupport {

// A setting's getter and setter on the store.
template <typename T>
struct Binding {
    T (SettingsStore::*get)() const;
    void (SettingsStore::*set)(const T&);
};

// Each control shows its setting and stores every change the user makes
// (open documents follow the store's change signal).
void bindCheckBox(QCheckBox* box, Binding<bool> setting);
void bindLineEdit(QLineEdit* field, Binding<QString> setting);
// An integer setting stored in units `scale` times smaller than the box shows
// (milliseconds in a box of seconds: 1000).
void bindSpinBox(QSpinBox* box, Binding<int> setting, int scale = 1);
void bindComboBoxText(QComboBox* popup, Binding<QString> setting);
// The same for a combo box whose items carry the stored values as data;
// `shown` is the value the box shows first.
void bindComboBoxData(QComboBox* popup, Binding<QString> setting, const QString& shown);

}  // namespace panesupport
