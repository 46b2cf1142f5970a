#include "dispatch/CheckMarkupInterpreter.h"

#include <QCoreApplication>

#include "dispatch/ChildProcess.h"
#include "settings/SettingsStore.h"

// This platform counts as the newest system the choices know: there is no
// system PHP to run, so that choice and the retired one become the built-in
// converters.
void CheckMarkupInterpreter::performCheck(const AlertPresenter& showCriticalAlert) {
    SettingsStore& settings = SettingsStore::shared();
    if (settings.useSystemPhp()) {
        settings.setUseSystemPhp(false);
        settings.setUseBuiltInConverters(true);
    } else if (settings.useSwift()) {
        settings.setUseSwift(false);
        settings.setUseBuiltInConverters(true);
    } else if (settings.useCustomPhp()) {
        ChildProcessResult check =
            runChildProcess(settings.customPhpPath(), {"-v"}, {}, 10000);
        if (!check.started) {
            // Straight to the built-in converters: a retired choice left on
            // would send the next conversions down the interpreter road.
            settings.setUseCustomPhp(false);
            settings.setUseBuiltInConverters(true);
            if (showCriticalAlert)
                showCriticalAlert(
                    QCoreApplication::translate("MarkupInterpreter-Add", "NO_VALID_PHP_SELECTED_TITLE_START"),
                    QCoreApplication::translate("MarkupInterpreter-Add", "NO_VALID_PHP_SELECTED_MESSAGE_START"));
        }
    } else if (!settings.useBuiltInConverters()) {
        settings.setUseBuiltInConverters(true);
    }
    settings.sync();
}
