#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

// The far end of a pseudo-terminal for link tests: records every byte the
// program writes and answers each request frame (up to its ETX) with a
// scripted list of pieces, each written after its own delay.
class PtyPeer {
public:
    struct Piece {
        int delayMs;
        QByteArray bytes;
    };
    using Responder = std::function<QList<Piece>(const QByteArray& frame)>;

    PtyPeer();
    ~PtyPeer();

    bool open();
    QString slavePath() const { return slavePath_; }
    void setResponder(Responder responder);
    // Writes bytes to the program now (they wait in its receive queue).
    void queue(const QByteArray& bytes);
    QByteArray received() const;
    void clearReceived();
    // Waits until at least n bytes were received.
    bool waitReceived(int n, int timeoutMs);
    // The line rate the program set on the tty.
    int lineRate() const;

private:
    void serve();

    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    mutable std::mutex mutex_;
    QByteArray received_;
    QByteArray pending_;
    Responder responder_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
