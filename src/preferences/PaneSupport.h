#pragma once
// What the preference panes share: help pages and settings bound to controls.

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace panesupport {

// Opens the help viewer at `page` (the help viewer listens).
void showHelp(const QString& page);

// Each control shows its setting and stores every change the user makes,
// then open documents render again so the change shows at once.
void bindCheckBox(QCheckBox* box, const char* key);
void bindLineEdit(QLineEdit* field, const char* key);
void bindComboBoxText(QComboBox* popup, const char* key);

// A line edit holding a string setting with a value the pane writes when the
// key was never set (shown, not stored, until the user edits it).
void bindLineEditWithPaneValue(QLineEdit* field, const char* key);

}  // namespace panesupport
