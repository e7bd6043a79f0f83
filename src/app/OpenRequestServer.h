#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// One Kormak per user opens the parameter files the desktop asks for: a
// second start hands its files over through a local socket and ends. The
// request is passed on only after its socket is done with, so that whatever
// the receiver does (a message box, a nested event loop) cannot outlive or
// free the socket under its own read handler.
class OpenRequestServer : public QObject {
    Q_OBJECT
public:
    explicit OpenRequestServer(QObject* parent = nullptr);

    // Listens under name; removes a stale socket of a program that ended
    // without cleaning up.
    bool listen(const QString& name);

    // Hands files to the program listening under name. False when none listens.
    static bool handOver(const QString& name, const QStringList& files, int timeoutMs = 1000);

signals:
    // Emitted from the event loop, never from inside a socket's signal.
    void filesRequested(const QStringList& files);

private:
    void acceptConnections();

    QLocalServer* server_ = nullptr;
};
