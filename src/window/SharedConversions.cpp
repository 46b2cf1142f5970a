#include "window/SharedConversions.h"

#include <QHash>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

#include "settings/SettingsStore.h"

namespace sharedconversions {

namespace {

struct Running {
    QString state;
    QFuture<documentpipeline::Result> future;
    std::weak_ptr<const void> interest;
};

// Cancels its conversion when the last asker lets go of it.
class Interest {
public:
    explicit Interest(std::shared_ptr<std::atomic<bool>> cancelled) : cancelled_(std::move(cancelled)) {}
    ~Interest() { cancelled_->store(true); }
    Interest(const Interest&) = delete;
    Interest& operator=(const Interest&) = delete;

private:
    std::shared_ptr<std::atomic<bool>> cancelled_;
};

QString stateOf(const documentpipeline::Request& request) {
    return QStringList{request.language, QString::number(request.criticMarkup), QString::number(request.largestFile),
                       request.textpackUnpackFolder, QString::number(documentpipeline::diskStamp(request.path)),
                       QString::number(SettingsStore::shared().changeCount())}
        .join('\n');
}

}  // namespace

Conversion conversionFor(const documentpipeline::Request& request) {
    // Only the newest conversion of each file is kept; the GUI thread alone
    // asks, so no lock is needed.
    static QHash<QString, Running> latest;
    const QString state = stateOf(request);
    auto found = latest.constFind(request.path);
    // Only a conversion still running is shared: a finished one may be stale
    // in ways no stamp shows (a Tessel table's imported file, a base folder
    // that appeared).
    if (found != latest.constEnd() && found->state == state && !found->future.isFinished())
        if (auto interest = found->interest.lock())
            return {found->future, interest};
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    documentpipeline::Request cancellable = request;
    cancellable.cancelled = cancelled;
    std::shared_ptr<const void> interest = std::make_shared<const Interest>(cancelled);
    QFuture<documentpipeline::Result> future = QtConcurrent::run(documentpipeline::render, cancellable);
    latest.insert(request.path, {state, future, interest});
    return {future, interest};
}

}  // namespace sharedconversions
