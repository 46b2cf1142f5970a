#pragma once
// A download site on 127.0.0.1 for the update check: answers every request
// with one status and body, and keeps the paths asked for.

#include <QByteArray>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class VersionServer : public QObject {
public:
    VersionServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        });
    }

    void serve(int statusCode, const QByteArray& body) {
        status_ = statusCode;
        body_ = body;
    }
    QString baseUrl() const { return QString("http://127.0.0.1:%1").arg(server_.serverPort()); }

    QStringList requestedPaths;

private:
    void answer(QTcpSocket* socket) {
        const QByteArray request = socket->readAll();
        if (!request.startsWith("GET "))
            return;
        requestedPaths << QString::fromUtf8(request.mid(4, request.indexOf(' ', 4) - 4));
        const QByteArray reason = status_ / 100 == 2 ? "OK" : "Not Found";
        socket->write("HTTP/1.1 " + QByteArray::number(status_) + ' ' + reason + "\r\n" +
                      "Content-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                      QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    int status_ = 200;
    QByteArray body_;
};
