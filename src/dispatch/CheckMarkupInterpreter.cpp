#include "dispatch/CheckMarkupInterpreter.h"

#include <QCoreApplication>

#include "dispatch/ChildProcess.h"
#include "settings/SettingsStore.h"

namespace {

constexpr const char* kBuiltIn = "VANTREL_Use_IObjectiveC_Markup_Transformation";
constexpr const char* kSystemPhp = "VANTREL_Use_InternPHP_Markup_Transformation";
constexpr const char* kCustomPhp = "VANTREL_Use_CustomPHP_Markup_Transformation";
constexpr const char* kSwift = "VANTREL_Use_Swift_Markup_Transformation";

}  // namespace

// This platform counts as the newest system the choices know: there is no
// system PHP to run, so that choice and the retired one become the built-in
// converters.
void CheckMarkupInterpreter::performCheck(const AlertPresenter& showCriticalAlert) {
    SettingsStore& settings = SettingsStore::shared();
    if (settings.boolValue(kSystemPhp)) {
        settings.setValue(kSystemPhp, false);
        settings.setValue(kBuiltIn, true);
    } else if (settings.boolValue(kSwift)) {
        settings.setValue(kSwift, false);
        settings.setValue(kBuiltIn, true);
    } else if (settings.boolValue(kCustomPhp)) {
        ChildProcessResult check = runChildProcess(settings.stringValue("VANTREL_CUSTO_PHP_URL"), {"-v"}, {}, 10000);
        if (!check.started) {
            // Straight to the built-in converters: a retired choice left on
            // would send the next conversions down the interpreter road.
            settings.setValue(kCustomPhp, false);
            settings.setValue(kBuiltIn, true);
            if (showCriticalAlert)
                showCriticalAlert(
                    QCoreApplication::translate("MarkupInterpreter-Add", "NO_VALID_PHP_SELECTED_TITLE_START"),
                    QCoreApplication::translate("MarkupInterpreter-Add", "NO_VALID_PHP_SELECTED_MESSAGE_START"));
        }
    } else if (!settings.boolValue(kBuiltIn)) {
        settings.setValue(kBuiltIn, true);
    }
    settings.sync();
}
