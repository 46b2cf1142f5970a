#include "dispatch/CheckMarkupInterpreter.h"

#include <QCoreApplication>

#include "dispatch/ChildProcess.h"
#include "settings/SettingsRegistry.h"
#include "settings/SettingsStore.h"

// This platform counts as the newest system the choices know: there is no
// system PHP to run, so that choice and the retired one become the built-in
// converters.
void CheckMarkupInterpreter::performCheck(const AlertPresenter& showCriticalAlert) {
    SettingsStore& settings = SettingsStore::shared();
    if (settings.boolValue(settingskeys::kUseSystemPHP)) {
        settings.setValue(settingskeys::kUseSystemPHP, false);
        settings.setValue(settingskeys::kUseBuiltInConverters, true);
    } else if (settings.boolValue(settingskeys::kUseSwift)) {
        settings.setValue(settingskeys::kUseSwift, false);
        settings.setValue(settingskeys::kUseBuiltInConverters, true);
    } else if (settings.boolValue(settingskeys::kUseCustomPHP)) {
        ChildProcessResult check =
            runChildProcess(settings.stringValue(settingskeys::kCustomPHPPath), {"-v"}, {}, 10000);
        if (!check.started) {
            // Straight to the built-in converters: a retired choice left on
            // would send the next conversions down the interpreter road.
            settings.setValue(settingskeys::kUseCustomPHP, false);
            settings.setValue(settingskeys::kUseBuiltInConverters, true);
            if (showCriticalAlert)
                showCriticalAlert(
                    QCoreApplication::translate("MarkupInterpreter-Add", "NO_VALID_PHP_SELECTED_TITLE_START"),
                    QCoreApplication::translate("MarkupInterpreter-Add", "NO_VALID_PHP_SELECTED_MESSAGE_START"));
        }
    } else if (!settings.boolValue(settingskeys::kUseBuiltInConverters)) {
        settings.setValue(settingskeys::kUseBuiltInConverters, true);
    }
    settings.sync();
}
