#include "pipeline/PictureRelay.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(pictureRelayLog, "quillview.pictures")

namespace {

constexpr qint64 kLargestPicture = 20 * 1024 * 1024;
constexpr int kPatienceMs = 30000;
// Not 127.0.0.1: other programs' servers there are none of the page's business.
constexpr const char* kAddress = "127.0.0.77";

struct Reservation {
    int descriptor = -1;
    quint16 port = 0;
};

Reservation& reservation() {
    static Reservation reserved;
    return reserved;
}

QString newToken() {
    quint64 parts[2];
    QRandomGenerator::system()->fillRange(parts);
    return QString::number(parts[0], 16) + QString::number(parts[1], 16);
}

void reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& type = {}, const QByteArray& body = {}) {
    QByteArray head = "HTTP/1.1 " + status + "\r\nConnection: close\r\nCache-Control: no-store\r\n";
    if (!type.isEmpty())
        head += "Content-Type: " + type + "\r\n";
    socket->write(head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}

}  // namespace

QString PictureRelay::reserveAddress() {
    Reservation& reserved = reservation();
    if (reserved.descriptor < 0) {
        const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        socklen_t length = sizeof address;
        if (descriptor >= 0 && ::inet_pton(AF_INET, kAddress, &address.sin_addr) == 1
            && ::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && ::listen(descriptor, 16) == 0
            && ::getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            reserved = {descriptor, ntohs(address.sin_port)};
        } else if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
    return reserved.descriptor < 0 ? QString() : QString("%1:%2").arg(QLatin1String(kAddress)).arg(reserved.port);
}

PictureRelay& PictureRelay::shared() {
    static PictureRelay* relay = new PictureRelay;
    return *relay;
}

PictureRelay::PictureRelay() : server_(new QTcpServer(this)), network_(new QNetworkAccessManager(this)) {
    // Only to the web, and not back to a file or an address of ours.
    network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    network_->setTransferTimeout(kPatienceMs);
    // Without the port taken before the engine started, the engine has no
    // way to the relay: pictures stay away.
    if (reservation().descriptor < 0 || !server_->setSocketDescriptor(reservation().descriptor))
        qCWarning(pictureRelayLog) << "no relay for pictures from the web";
    connect(server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl PictureRelay::relayUrlFor(const QUrl& picture) {
    QString& token = tokens_[picture];
    if (token.isEmpty()) {
        token = newToken();
        pictures_.insert(token, picture);
    }
    QUrl url;
    url.setScheme("http");
    url.setHost(QString::fromLatin1(kHostName));
    url.setPath('/' + token);
    return url;
}

bool PictureRelay::isRelayUrl(const QUrl& url) const {
    return url.scheme() == "http" && url.host() == QLatin1String(kHostName) && url.port() == -1
           && pictures_.contains(url.path().mid(1));
}

void PictureRelay::answer(QTcpSocket* socket) {
    // One request a connection: its first line names the picture.
    if (socket->property("answered").toBool() || !socket->canReadLine())
        return;
    socket->setProperty("answered", true);
    const QList<QByteArray> line = socket->readLine().trimmed().split(' ');
    const QUrl picture = pictures_.value(QString::fromLatin1(line.value(1)).mid(1));
    if (line.value(0) != "GET" || picture.isEmpty())
        return reply(socket, "404 Not Found");
    fetch(socket, picture);
}

void PictureRelay::fetch(QTcpSocket* socket, const QUrl& picture) {
    QNetworkRequest request(picture);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    request.setRawHeader("Accept", "image/*");
    QNetworkReply* fetched = network_->get(request);
    connect(socket, &QTcpSocket::disconnected, fetched, &QNetworkReply::abort);
    connect(fetched, &QNetworkReply::downloadProgress, fetched, [fetched](qint64 received, qint64) {
        if (received > kLargestPicture)
            fetched->abort();
    });
    connect(fetched, &QNetworkReply::finished, this, [socket = QPointer<QTcpSocket>(socket), fetched] {
        fetched->deleteLater();
        if (!socket || socket->state() != QAbstractSocket::ConnectedState)
            return;
        const QByteArray type = fetched->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        // Nothing but a picture reaches the page: no page, no style sheet.
        if (fetched->error() != QNetworkReply::NoError || !type.startsWith("image/"))
            return reply(socket, "404 Not Found");
        reply(socket, "200 OK", type, fetched->readAll());
    });
}
