#pragma once
// Fetches the pictures from the web a reader allowed, for the web engine,
// which itself resolves no name but the relay's own (see WebEngineSwitches),
// and that one only to the relay's port. The request policy sends an allowed
// picture's request to a relay address made up for that one picture; the
// relay fetches the picture and answers with it if it is an image. Addresses
// the relay did not make are refused, so a page can reach nothing through it
// on its own.

#include <QHash>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QTcpServer;
class QTcpSocket;

class PictureRelay : public QObject {
    Q_OBJECT
public:
    // The name of the relay in its addresses.
    static constexpr const char* kHostName = "pictures.quillview";

    // Takes a port on the loopback interface for the relay, before the web
    // engine starts (its name rules are fixed then); gives "address:port",
    // empty when there is none.
    static QString reserveAddress();

    // The relay of the process, answering from its first use on.
    static PictureRelay& shared();

    // The relay address that fetches `picture` (an http or https URL).
    QUrl relayUrlFor(const QUrl& picture);
    // Whether `url` is a relay address this relay made.
    bool isRelayUrl(const QUrl& url) const;

private:
    PictureRelay();
    void answer(QTcpSocket* socket);
    void fetch(QTcpSocket* socket, const QUrl& picture);

    QTcpServer* server_ = nullptr;
    QNetworkAccessManager* network_ = nullptr;
    QHash<QString, QUrl> pictures_;  // by the token in their relay address
    QHash<QUrl, QString> tokens_;
};
