#pragma once

#include "link/AxisAddress.h"
#include "link/LinkTransport.h"
#include "link/PortAccess.h"
#include "link/ReplyFrame.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Operator;

// How a request is framed on the wire. Every program function uses Full; the
// RS monitor offers the others. Any other value sends the text unframed.
enum FramingMode : int { Full = 0, AddressOnly = 1, ChecksumOnly = 2, BareStxEtx = 3 };

// The one serial link of the process: the port, the axis talked to, and the
// synchronous framed transaction. The port is a local serial port or one on
// the network ("rfc2217://HOST:PORT", "socket://HOST:PORT"); the transaction
// is the same over both.
class SerialLink : public QObject {
    Q_OBJECT
public:
    static constexpr char STX = ReplyFrame::STX;
    static constexpr char ETX = ReplyFrame::ETX;
    static constexpr int SendBufferSize = 512; // a frame holds at most 511 characters
    static constexpr int ReceiveLimit = int(ReplyFrame::ReceiveLimit);
    static constexpr unsigned DefaultTimeoutMs = 1000;
    static constexpr unsigned ProbeTimeoutMs = 200;
    static constexpr int DefaultBaudIndex = 3;

    explicit SerialLink(Operator& op, QObject* parent = nullptr);
    ~SerialLink() override;

    // --- the port and baud lists of the axis bar --------------------------------
    static const QStringList& baudEntries(); // "9600 Baud" .. "38400 Baud"
    static int baudRateOf(int index);        // 0 for an index outside the list
    static QString simulatorEntry() { return QStringLiteral("Simulator"); }

    QStringList ports() const { return ports_; }
    void setPorts(const QStringList& ports);
    int portIndex() const { return portIndex_; }
    int baudIndex() const { return baudIndex_; }
    // Selecting an entry never reopens the port; the next open uses it.
    void setPortIndex(int index);
    void setBaudIndex(int index);
    QString selectedPort() const;

    // Starts the built-in simulated bus on demand and returns the tty to open
    // for the "Simulator" entry (empty when it cannot be started).
    using SimulatorProvider = std::function<QString()>;
    void setSimulatorProvider(SimulatorProvider provider) {
        simulatorProvider_ = std::move(provider);
    }

    // --- the link itself --------------------------------------------------------
    // Opens the selected port at the selected rate, 8N1, exclusively, or closes
    // it when it is open. False when nothing was done.
    bool TogglePort();
    // Selects the rate at index and, when the port is open, moves the open
    // port to it: in place where the line allows (a network port with the
    // COM-port option), else by closing and reopening it. False when the port
    // ends up closed.
    bool changeRate(int baudIndex);
    // The rate of the selected (or open) port is the one chosen here; false
    // for a raw network socket, whose rate is set at the far side.
    bool portSetsRate() const;
    QString SendCommand(const QString& command, bool dataOnly = true, int mode = Full);

    // The frame SendCommand writes for command in mode, from the current address.
    QByteArray buildFrame(const QString& command, int mode) const;
    static QString checksumText(const QByteArray& bytes);

    bool portOpen() const { return portOpen_; }
    // The address as the frames carry it, and as a value (see AxisAddress).
    QString currentAddress() const { return currentAddress_; }
    void setCurrentAddress(const QString& address) { currentAddress_ = address; }
    AxisAddress axisAddress() const { return AxisAddress::ofLinkText(currentAddress_); }
    void setAxisAddress(const AxisAddress& address) { currentAddress_ = address.text(); }
    unsigned timeoutMs() const { return timeoutMs_; }
    void setTimeoutMs(unsigned ms) { timeoutMs_ = ms; }
    bool lastTimedOut() const { return lastTimedOut_; }
    void setLastTimedOut(bool value) { lastTimedOut_ = value; }
    QString openPortName() const { return openPortName_; }

    // Why the most recent SendCommand gave a pseudo-reply (None after a reply).
    enum class Failure {
        None,
        Offline,      // "OFFLINE": the current address is offline, nothing was written
        PortClosed,   // "ERROR": the port was not open
        FrameTooLong, // "ERROR": the frame would not fit, nothing was written
        Timeout,      // "TIMEOUT": no whole reply before the deadline
        Overflow,     // "ERROR": the line flooded; port closed, 10260 shown
        PortLost,     // "ERROR": the device went away; port closed, "link.portLost" shown
    };
    Failure lastFailure() const { return lastFailure_; }
    bool lastPortLost() const { return lastFailure_ == Failure::PortLost; }
    // True when the link has already told the operator why the last command
    // failed (overflow, lost port, or a port closed for one of them and not
    // reopened since); the caller then adds no message of its own.
    bool lastFailureShown() const {
        return lastFailure_ == Failure::Overflow || lastFailure_ == Failure::PortLost ||
               (lastFailure_ == Failure::PortClosed && closedWithMessage_);
    }
    // Shows textId (the procedure's own time-out text) unless the link has
    // told the operator already why the last command failed.
    void reportFailure(Operator& op, int textId) const;

    Operator& op() const { return op_; }

    // Why the last open of TogglePort failed, and the device it tried.
    PortAccess::Failure lastOpenFailure() const { return lastOpenFailure_; }
    // Shows 10104, with the reason when the device tells it (rights that shut
    // the user out, or another program holding the port) or the network does
    // (no such host, nobody listening). A network port that did not answer in
    // time has a message of its own naming host and port.
    void reportOpenFailure(Operator& op) const;

    // The raw bytes of one exchange, for a watcher such as the RS monitor's
    // log. Offered for every request that was written; with no observer set
    // the link collects nothing.
    struct Exchange {
        int mode = Full;
        QByteArray sent;
        QByteArray discarded; // unread input dropped before the frame went out
        QByteArray received;  // every byte read for this request, noise included
        QString result;       // what SendCommand returned
    };
    using ExchangeObserver = std::function<void(const Exchange&)>;
    // One observer at a time; an empty function removes it.
    void setExchangeObserver(ExchangeObserver observer) { exchangeObserver_ = std::move(observer); }

signals:
    void portIndexChanged(int index);
    void baudIndexChanged(int index);
    void portOpenChanged(bool open);

private:
    void closePort();
    QString finish(Failure failure, const QString& reply);

    Operator& op_;
    std::unique_ptr<LinkTransport> transport_; // set while the port is open
    QStringList ports_;
    int portIndex_ = 0;
    int baudIndex_ = DefaultBaudIndex;
    bool portOpen_ = false;
    bool lastTimedOut_ = false;
    Failure lastFailure_ = Failure::None;
    bool closedWithMessage_ = false; // the port was closed after an overflow or loss was shown
    unsigned timeoutMs_ = DefaultTimeoutMs;
    QString currentAddress_;
    QString openPortName_;
    SimulatorProvider simulatorProvider_;
    ExchangeObserver exchangeObserver_;
    PortAccess::Failure lastOpenFailure_ = PortAccess::Failure::None;
    QString lastOpenDevice_;
    LinkTransport::OpenError lastNetworkFailure_ = LinkTransport::OpenError::None;
};

// Puts the link's current address back on every path out of a scope that
// talks to other axes for a while (the transfer, a comparison).
class AddressRestore {
public:
    explicit AddressRestore(SerialLink& link) : link_(link), saved_(link.currentAddress()) {}
    ~AddressRestore() { link_.setCurrentAddress(saved_); }
    AddressRestore(const AddressRestore&) = delete;
    AddressRestore& operator=(const AddressRestore&) = delete;

private:
    SerialLink& link_;
    QString saved_;
};

// Lets pending window messages run between two transactions of a long
// operation. Never called inside SendCommand.
void PumpPendingMessages();
