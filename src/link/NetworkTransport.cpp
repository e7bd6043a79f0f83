#include "link/NetworkTransport.h"

#include <QElapsedTimer>
#include <QThread>

NetworkTransport::NetworkTransport(const NetworkPort& where) : where_(where) {}

NetworkTransport::~NetworkTransport() {
    close();
}

template <typename Done> bool NetworkTransport::waitUntil(Done done, int ms) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        pump();
        if (done())
            return true;
        if (socket_.state() != QAbstractSocket::ConnectedState)
            return false;
        const qint64 left = ms - clock.elapsed();
        if (left <= 0)
            return false;
        socket_.waitForReadyRead(int(left));
    }
}

bool NetworkTransport::open(int rate) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        bool dropped = false;
        if (attempt(rate, clock, &dropped))
            return true;
        // A server that takes the connection and drops it at once may still
        // be letting go of the line after the previous connection (ser2net
        // closes the device a moment after its client has gone, and turns
        // away whoever comes meanwhile): try again while the time lasts.
        if (!dropped || clock.elapsed() + RetryPauseMs >= ConnectTimeoutMs)
            return false;
        QThread::msleep(RetryPauseMs);
    }
}

bool NetworkTransport::attempt(int rate, const QElapsedTimer& clock, bool* dropped) {
    error_ = OpenError::None;
    session_ = TelnetSession();
    pending_.clear();
    const auto left = [&] { return int(qMax<qint64>(ConnectTimeoutMs - clock.elapsed(), 1)); };
    socket_.connectToHost(where_.host, where_.port);
    if (!socket_.waitForConnected(left())) {
        switch (socket_.error()) {
        case QAbstractSocket::HostNotFoundError:
            error_ = OpenError::HostNotFound;
            break;
        case QAbstractSocket::ConnectionRefusedError:
            error_ = OpenError::ConnectionRefused;
            break;
        case QAbstractSocket::SocketTimeoutError:
            error_ = OpenError::ConnectTimeout;
            break;
        default:
            error_ = OpenError::Other;
            break;
        }
        socket_.abort();
        return false;
    }
    // Requests go out one after the other without waiting; a controller's
    // frames are small.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!telnet())
        return true;

    // The far side must take the COM-port option before it is used, and
    // confirm the first rate: a server that cannot set the rate would leave
    // every request at a rate nobody chose. The control-line settings are
    // never waited for.
    bool ok =
        send(session_.greeting()) &&
        waitUntil([&] { return session_.comPortAgreed() || session_.comPortRefused(); }, left());
    if (ok && session_.comPortRefused()) {
        error_ = OpenError::NoRateControl;
        close();
        return false;
    }
    const unsigned answers = session_.rateAnswers();
    ok = ok && send(session_.lineSettings(rate)) &&
         waitUntil([&] { return session_.rateAnswers() != answers; }, left());
    if (!ok) {
        const bool connected = socket_.state() == QAbstractSocket::ConnectedState;
        *dropped = !connected;
        error_ = connected && clock.elapsed() >= ConnectTimeoutMs ? OpenError::ConnectTimeout
                                                                  : OpenError::Other;
        close();
        return false;
    }
    return true;
}

void NetworkTransport::close() {
    socket_.abort();
    pending_.clear();
}

bool NetworkTransport::changeRate(int rate) {
    if (!telnet() || socket_.state() != QAbstractSocket::ConnectedState)
        return false;
    // The confirmation also tells that the far side has set the rate before
    // the next request goes out.
    const unsigned answers = session_.rateAnswers();
    return send(session_.rateRequest(rate)) &&
           waitUntil([&] { return session_.rateAnswers() != answers; }, int(NetworkAllowanceMs)) &&
           session_.answeredRate() == uint32_t(rate);
}

bool NetworkTransport::send(const QByteArray& wire) {
    if (wire.isEmpty())
        return true;
    if (socket_.write(wire) != wire.size())
        return false;
    while (socket_.bytesToWrite() > 0) {
        if (!socket_.waitForBytesWritten(ConnectTimeoutMs))
            return false;
    }
    return true;
}

void NetworkTransport::pump() {
    const QByteArray wire = socket_.readAll();
    if (wire.isEmpty())
        return;
    if (!telnet()) {
        pending_ += wire;
        return;
    }
    QByteArray answer;
    pending_ += session_.receive(wire, &answer);
    if (!answer.isEmpty() && socket_.state() == QAbstractSocket::ConnectedState) {
        socket_.write(answer);
        socket_.flush(); // as far as the socket takes it now; the rest with the next wait
    }
}

bool NetworkTransport::failed() {
    // A closed connection still hands over what arrived before the close.
    return socket_.state() != QAbstractSocket::ConnectedState && pending_.isEmpty() &&
           socket_.bytesAvailable() == 0;
}

void NetworkTransport::discardInput(QByteArray* stale) {
    // A socket has no input queue to clear: read what waits and drop it.
    if (socket_.state() == QAbstractSocket::ConnectedState)
        socket_.waitForReadyRead(0);
    pump();
    if (stale)
        *stale = pending_;
    pending_.clear();
}

void NetworkTransport::write(const QByteArray& data, const QElapsedTimer& clock, qint64 timeoutMs) {
    if (socket_.state() != QAbstractSocket::ConnectedState)
        return;
    socket_.write(telnet() ? session_.encode(data) : data);
    while (socket_.state() == QAbstractSocket::ConnectedState && socket_.bytesToWrite() > 0) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || !socket_.waitForBytesWritten(int(left)))
            break;
    }
}

QByteArray NetworkTransport::readAvailable() {
    pump();
    QByteArray data;
    data.swap(pending_);
    return data;
}

void NetworkTransport::waitForInput(int ms) {
    if (!pending_.isEmpty() || socket_.state() != QAbstractSocket::ConnectedState)
        return;
    socket_.waitForReadyRead(ms);
}
