#include "cli/QuietLogging.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kOwnCategoryPrefix[] = "quillview.";

// Written as Qt's default pattern writes it: "category: message".
void ownMessagesOnly(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category && std::strncmp(context.category, kOwnCategoryPrefix, sizeof kOwnCategoryPrefix - 1) == 0)
        std::fprintf(stderr, "%s: %s\n", context.category, qPrintable(message));
}

}  // namespace

void keepOnlyOwnLogging() {
    qInstallMessageHandler(ownMessagesOnly);
}
