#pragma once

// The line under SendCommand: a local serial port or a serial port on the
// network. SendCommand's framing, time-out, reply cut and pseudo-replies sit
// above it unchanged; a transport only moves bytes and says when it is gone.
//
// How each transport's errors reach the link:
// - failed(): the line went away — an unplugged adapter (any serial-port
//   error but "nothing arrived yet"), a connection closed or reset by the far
//   side once the bytes it sent have been read. SendCommand closes the port
//   and shows the lost-port message, as for every transport.
// - a wait that finds nothing is no error: the deadline above decides.
// - open() failures are kept as an OpenError for the caller's message.

#include <QByteArray>
#include <QString>

class QElapsedTimer;

class LinkTransport {
public:
    enum class OpenError {
        None,
        PermissionDenied, // local: the open was refused (rights, or a lock held by another)
        Other,            // local: gone; network: an error the cases below miss
        Unusable,         // local: opened, but the line settings were refused
        BadName,      // a network name that is not "rfc2217://HOST:PORT" or "socket://HOST:PORT"
        HostNotFound, // the name does not resolve
        ConnectionRefused, // nobody listens at that port
        ConnectTimeout,    // no connection, or no answer to the COM-port option, in time
        NoRateControl,     // the far side refuses the COM-port option
    };

    virtual ~LinkTransport() = default;

    // Opens the line at rate, 8N1, no flow control. False with error() set
    // when it could not.
    virtual bool open(int rate) = 0;
    virtual void close() = 0;
    virtual OpenError error() const = 0;
    // What the system said when open() failed ("No such file or directory");
    // empty when it said nothing more than error().
    virtual QString errorText() const { return {}; }

    // Sets another rate on the open line without closing it. False when the
    // far side did not confirm it; the caller then reopens.
    virtual bool changeRate(int rate) = 0;
    // The line's rate is what open() and changeRate() set (false for a raw
    // network socket, whose rate is set at the far side).
    virtual bool setsRate() const = 0;
    // A rate change costs no reconnection here.
    virtual bool changesRateInPlace() const = 0;
    // What a reply needs beyond the controller's own time to come back over
    // this line; added to the link's time-out.
    virtual unsigned replyAllowanceMs() const = 0;

    // The line went away (see above). Clears a harmless "nothing arrived".
    virtual bool failed() = 0;
    // Drops input that waits now; copies it to stale when asked.
    virtual void discardInput(QByteArray* stale) = 0;
    // Writes all of data, waiting at most until clock passes timeoutMs.
    virtual void write(const QByteArray& data, const QElapsedTimer& clock, qint64 timeoutMs) = 0;
    // The line data that has arrived, taken out of the transport.
    virtual QByteArray readAvailable() = 0;
    // Sleeps until input may have arrived, at most ms.
    virtual void waitForInput(int ms) = 0;
};
