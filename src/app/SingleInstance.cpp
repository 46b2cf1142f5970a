#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QVariant>

Q_DECLARE_LOGGING_CATEGORY(appLog)

// The request is one absolute path per line, UTF-8, ended by an empty line;
// the running instance answers "ok" when it has them.
namespace {

const QByteArray kEndOfRequest = "\n\n";
const QByteArray kAnswer = "ok\n";
// Far more than any list of paths; a client that sends more is not ours.
constexpr qsizetype kLargestRequest = 1024 * 1024;
constexpr int kLiveProbeMilliseconds = 200;

}  // namespace

namespace singleinstance {

QString serverName() {
    const QString overridden = qEnvironmentVariable(kServerNameVariable);
    if (!overridden.isEmpty())
        return overridden;
    // The runtime folder belongs to the user alone (XDG_RUNTIME_DIR).
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/quillview-instance";
}

bool handOver(const QStringList& absolutePaths) {
    const QDeadlineTimer deadline(kHandOverMilliseconds);
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(absolutePaths.join('\n').toUtf8() + kEndOfRequest);
    QByteArray answer;
    while (!answer.contains(kAnswer) && !deadline.hasExpired()) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer += socket.readAll();
    }
    return answer.contains(kAnswer);
}

}  // namespace singleinstance

SingleInstanceServer::SingleInstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
}

bool SingleInstanceServer::listen(bool replaceLiveInstance) {
    const QString name = singleinstance::serverName();
    if (!replaceLiveInstance) {
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(kLiveProbeMilliseconds))
            return false;  // another instance serves; this one runs on its own
    }
    // A name left by a crash, or one whose instance did not take our files in
    // time. (Listening with access options would replace it silently anyway.)
    QLocalServer::removeServer(name);
    if (server_->listen(name))
        return true;
    qCWarning(appLog) << "cannot listen for other launches on" << name << server_->errorString();
    return false;
}

void SingleInstanceServer::readRequest(QLocalSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    if (request.size() > kLargestRequest) {
        socket->abort();
        return;
    }
    socket->setProperty("request", request);
    if (!request.endsWith(kEndOfRequest))
        return;
    request.chop(kEndOfRequest.size());
    QStringList paths;
    for (const QByteArray& line : request.split('\n'))
        if (!line.isEmpty())
            paths << QString::fromUtf8(line);
    // Answered before the windows open: a new window may take longer than
    // the caller waits.
    socket->write(kAnswer);
    socket->flush();
    socket->disconnectFromServer();
    emit filesReceived(paths);
}
