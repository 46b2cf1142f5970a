#include "dispatch/ConverterLog.h"

#include <QLoggingCategory>

#include "engine/Log.h"
#include "settings/UnicodeBridge.h"

Q_LOGGING_CATEGORY(lcConverter, "quillview.converter")

void installConverterLogging() {
    engine::setLogHandler([](const icu::UnicodeString& line) {
        qCInfo(lcConverter).noquote() << unicodebridge::toQString(line);
    });
}
