#include "cli/HeadlessStartup.h"

#include "dispatch/ConversionScripts.h"
#include "dispatch/ConverterLog.h"
#include "settings/SettingsStore.h"

void prepareConversions(const CheckMarkupInterpreter::AlertPresenter& showCriticalAlert) {
    SettingsStore& settings = SettingsStore::shared();
    settings.registerDefaults();
    settings.installAsConverterSettings();
    installConverterLogging();
    CheckMarkupInterpreter::performCheck(showCriticalAlert);
    conversionscripts::installConversionScripts();
}
