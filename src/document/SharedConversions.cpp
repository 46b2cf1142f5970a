#include "document/SharedConversions.h"

#include <QHash>
#include <QtConcurrent/QtConcurrentRun>

#include "settings/SettingsStore.h"

namespace sharedconversions {

namespace {

struct Conversion {
    QString state;
    QFuture<documentpipeline::Result> future;
};

QString stateOf(const documentpipeline::Request& request) {
    return QStringList{request.language, QString::number(request.criticMarkup), QString::number(request.largestFile),
                       request.textpackUnpackFolder, QString::number(documentpipeline::diskStamp(request.path)),
                       QString::number(SettingsStore::shared().changeCount())}
        .join('\n');
}

}  // namespace

QFuture<documentpipeline::Result> conversionFor(const documentpipeline::Request& request) {
    // Only the newest conversion of each file is kept; the GUI thread alone
    // asks, so no lock is needed.
    static QHash<QString, Conversion> latest;
    const QString state = stateOf(request);
    auto found = latest.constFind(request.path);
    // Only a conversion still running is shared: a finished one may be stale
    // in ways no stamp shows (a Tessel table's imported file, a base folder
    // that appeared).
    if (found != latest.constEnd() && found->state == state && !found->future.isFinished())
        return found->future;
    QFuture<documentpipeline::Result> future = QtConcurrent::run(documentpipeline::render, request);
    latest.insert(request.path, {state, future});
    return future;
}

}  // namespace sharedconversions
