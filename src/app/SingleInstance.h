#pragma once
// One running Quillview per user: `quillview FILE` hands its files to the
// instance that runs already (over a local socket in the user's runtime
// folder), which opens them or raises their windows, and exits. A stale
// socket or an instance that does not answer within a second never keeps a
// new one from starting: it takes the name over.

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace singleinstance {

// Overrides the socket's name (tests use it, so as not to meet the user's
// running instance).
inline constexpr char kServerNameVariable[] = "QUILLVIEW_INSTANCE_SOCKET";
constexpr int kHandOverMilliseconds = 1000;

QString serverName();

// Gives the files (absolute paths) to the running instance; true when it
// took them within the time limit.
bool handOver(const QStringList& absolutePaths);

}  // namespace singleinstance

// The running instance's end: listens under serverName() and reports the
// files that later launches hand over.
class SingleInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceServer(QObject* parent = nullptr);

    // Listens under the name. A name left by a crash is removed first; so is
    // one whose instance is alive only with replaceLiveInstance (it did not
    // take our files in time).
    bool listen(bool replaceLiveInstance);

signals:
    void filesReceived(const QStringList& absolutePaths);

private:
    void readRequest(QLocalSocket* socket);

    QLocalServer* server_;
};
