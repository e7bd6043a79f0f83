#pragma once

// A serial port on the network as the link's line: a TCP connection to a
// serial device server ("socket://", raw bytes), or the same with Telnet and
// the COM-port option ("rfc2217://"), through which the rate, 8N1, are set on
// the far side. Blocking waits on QTcpSocket, no event loop, like the local
// port.

#include "link/LinkTransport.h"
#include "link/NetworkPort.h"
#include "link/TelnetSession.h"

#include <QTcpSocket>

class NetworkTransport : public LinkTransport {
public:
    // Connecting, and for "rfc2217://" the far side's agreement to the
    // COM-port option and its answer to the first rate, within this time.
    static constexpr int ConnectTimeoutMs = 3000;
    // The network's share of a reply's time: the probe's 200 ms are meant for
    // the controller on a local line.
    static constexpr unsigned NetworkAllowanceMs = 500;
    // The pause before connecting again to a server that dropped the
    // connection during the negotiation.
    static constexpr int RetryPauseMs = 50;

    explicit NetworkTransport(const NetworkPort& where);
    ~NetworkTransport() override;

    bool open(int rate) override;
    void close() override;
    OpenError error() const override { return error_; }
    bool changeRate(int rate) override;
    bool setsRate() const override { return where_.kind == NetworkPort::Kind::Rfc2217; }
    bool changesRateInPlace() const override { return setsRate(); }
    unsigned replyAllowanceMs() const override { return NetworkAllowanceMs; }
    bool failed() override;
    void discardInput(QByteArray* stale) override;
    void write(const QByteArray& data, const QElapsedTimer& clock, qint64 timeoutMs) override;
    QByteArray readAvailable() override;
    void waitForInput(int ms) override;

private:
    // One connection and negotiation within what is left of the open's time;
    // dropped tells that the far side closed the connection meanwhile.
    bool attempt(int rate, const QElapsedTimer& clock, bool* dropped);
    bool telnet() const { return where_.kind == NetworkPort::Kind::Rfc2217; }
    // Reads what the socket holds: line data into pending_, Telnet commands
    // answered at once.
    void pump();
    bool send(const QByteArray& wire);
    // Waits, taking input, until done() or the time is up. False on time-out
    // or a lost connection.
    template <typename Done> bool waitUntil(Done done, int ms);

    NetworkPort where_;
    QTcpSocket socket_;
    TelnetSession session_;
    QByteArray pending_;
    OpenError error_ = OpenError::None;
};
