#pragma once
// A local web server that stands for the sites a document's pictures come
// from: every GET is answered with the same PNG, and the path of each request
// is kept, so a test sees what reached it.
#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class PictureServer : public QObject {
public:
    explicit PictureServer(const QSize& size = {48, 24}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QBuffer buffer(&png_);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QString url(const QString& path) const {
        return QString("http://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(path);
    }

    QStringList paths;  // of the requests, in the order they came

private:
    void answer(QTcpSocket* socket) {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        paths << QString::fromLatin1(request.split(' ').value(1));
        pending_.remove(socket);
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: no-store\r\nConnection: close\r\n"
                      "Content-Length: " + QByteArray::number(png_.size()) + "\r\n\r\n" + png_);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QByteArray png_;
    QHash<QTcpSocket*, QByteArray> pending_;
};
