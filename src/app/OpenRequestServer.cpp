#include "app/OpenRequestServer.h"

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

OpenRequestServer::OpenRequestServer(QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    connect(server_, &QLocalServer::newConnection, this, &OpenRequestServer::acceptConnections);
}

bool OpenRequestServer::listen(const QString& name) {
    if (server_->listen(name))
        return true;
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

bool OpenRequestServer::handOver(const QString& name, const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QDataStream out(&socket);
    out << files;
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return true;
}

void OpenRequestServer::acceptConnections() {
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] {
            QDataStream in(s);
            in.startTransaction();
            QStringList files;
            in >> files;
            if (!in.commitTransaction())
                return; // the rest is still on its way
            // Opening may show a message box whose event loop deletes this
            // socket when the other end disconnects: hand the request on from
            // the event loop, once this handler has returned.
            QPointer<OpenRequestServer> self(this);
            QTimer::singleShot(0, this, [self, files] {
                if (self)
                    emit self->filesRequested(files);
            });
        });
    }
}
