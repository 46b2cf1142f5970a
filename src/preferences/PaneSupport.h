#pragma once
// What the preference panes share: help pages and settings bound to controls.

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace panesupport {

// Opens the help viewer at `page` (the help viewer listens).
void showHelp(const QString& page);

// Each control shows its setting and stores every change the user makes,
// then open documents render again so the change shows at once.
void bindCheckBox(QCheckBox* box, const char* key);
void bindLineEdit(QLineEdit* field, const char* key);
// An integer setting stored in units `scale` times smaller than the box shows
// (milliseconds in a box of seconds: 1000).
void bindSpinBox(QSpinBox* box, const char* key, int scale = 1);
void bindComboBoxText(QComboBox* popup, const char* key);
// The same for a combo box whose items carry the stored values as data;
// `shown` is the value the box shows first.
void bindComboBoxData(QComboBox* popup, const char* key, const QString& shown);

// A line edit holding a string setting with a value the pane writes when the
// key was never set (shown, not stored, until the user edits it).
void bindLineEditWithPaneValue(QLineEdit* field, const char* key);

}  // namespace panesupport
