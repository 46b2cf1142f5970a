#include "cli/QuietLogging.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kOwnCategoryPrefix[] = "quillview.";

// Debug messages (a refused picture, say) are the developer's: a command
// that succeeds prints nothing, unless logging rules ask for them.
bool developerAskedForLogging = false;

// Written as Qt's default pattern writes it: "category: message".
void ownMessagesOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg && !developerAskedForLogging)
        return;
    if (context.category && std::strncmp(context.category, kOwnCategoryPrefix, sizeof kOwnCategoryPrefix - 1) == 0)
        std::fprintf(stderr, "%s: %s\n", context.category, qPrintable(message));
}

}  // namespace

void keepOnlyOwnLogging() {
    developerAskedForLogging = qEnvironmentVariableIsSet("QT_LOGGING_RULES");
    qInstallMessageHandler(ownMessagesOnly);
}
