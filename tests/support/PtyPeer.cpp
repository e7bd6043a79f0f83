#include "PtyPeer.h"

#include <QElapsedTimer>
#include <QThread>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPeer::PtyPeer() = default;

PtyPeer::~PtyPeer() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyPeer::open() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        return false;
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    slavePath_ = QString::fromLocal8Bit(name);
    thread_ = std::thread([this] { serve(); });
    return true;
}

void PtyPeer::setResponder(Responder responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void PtyPeer::queue(const QByteArray& bytes) {
    qsizetype off = 0;
    while (off < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + off, size_t(bytes.size() - off));
        if (n <= 0)
            break;
        off += n;
    }
}

QByteArray PtyPeer::received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

void PtyPeer::clearReceived() {
    std::lock_guard lock(mutex_);
    received_.clear();
}

bool PtyPeer::waitReceived(int n, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (received().size() >= n)
            return true;
        QThread::msleep(2);
    }
    return received().size() >= n;
}

int PtyPeer::lineRate() const {
    termios t{};
    if (::tcgetattr(master_, &t) != 0)
        return 0;
    switch (::cfgetospeed(&t)) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    default:
        return -1;
    }
}

void PtyPeer::serve() {
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
            continue;
        char buf[1024];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            continue;
        QList<QByteArray> frames;
        Responder responder;
        {
            std::lock_guard lock(mutex_);
            received_.append(buf, n);
            pending_.append(buf, n);
            qsizetype end;
            while ((end = pending_.indexOf('\x03')) >= 0) {
                frames << pending_.left(end + 1);
                pending_.remove(0, end + 1);
            }
            responder = responder_;
        }
        if (!responder)
            continue;
        for (const QByteArray& f : frames)
            for (const Piece& piece : responder(f)) {
                if (piece.delayMs > 0)
                    QThread::msleep(piece.delayMs);
                queue(piece.bytes);
            }
    }
}
