#include "link/SerialLink.h"

#include "base/Operator.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "link/PortAccessHint.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

namespace {
constexpr int OverflowTextId = 10260;
constexpr int OpenFailedTextId = 10104;
constexpr const char* PortLostText = "link.portLost";
// What the system said when the last open failed ("No such file or
// directory"), kept for the message that names the port.
constexpr const char* OpenReasonProperty = "openFailureReason";
} // namespace

SerialLink::SerialLink(Operator& op, QObject* parent) : QObject(parent), op_(op) {}

void SerialLink::reportFailure(Operator& op, int textId) const {
    if (!lastFailureShown())
        op.error(textId);
}

void SerialLink::reportOpenFailure(Operator& op) const {
    QString text = Texts::text(OpenFailedTextId);
    const QString device = QDir::toNativeSeparators(lastOpenDevice_);
    if (lastOpenFailure_ == PortAccess::Failure::AccessDenied) {
        text += QLatin1Char('\n') +
                PortAccess::accessHint(PortAccess::rightsOf(lastOpenDevice_), device);
    } else if (lastOpenFailure_ == PortAccess::Failure::InUse) {
        text += QLatin1Char('\n') + Texts::text("link.portInUse").arg(device);
    } else if (!lastOpenDevice_.isEmpty()) {
        // Which port, and what the system said about it.
        text += QLatin1Char('\n') + Texts::text("link.openFailedReason")
                                        .arg(device, property(OpenReasonProperty).toString());
    }
    op.show({OpenFailedTextId, text, 0, Operator::Icon::Error, Operator::Buttons::Ok});
}

SerialLink::~SerialLink() {
    if (port_.isOpen())
        port_.close();
}

const QStringList& SerialLink::baudEntries() {
    // The rates are written the same way in every language.
    static const QStringList entries{QStringLiteral("9600 Baud"), QStringLiteral("14400 Baud"),
                                     QStringLiteral("19200 Baud"), QStringLiteral("28800 Baud"),
                                     QStringLiteral("38400 Baud")};
    return entries;
}

int SerialLink::baudRateOf(int index) {
    const QStringList& entries = baudEntries();
    if (index < 0 || index >= entries.size())
        return 0;
    // The entry minus its " Baud".
    return entries.at(index).chopped(5).toInt();
}

void SerialLink::setPorts(const QStringList& ports) {
    ports_ = ports;
    if (portIndex_ < 0 || portIndex_ >= ports_.size())
        portIndex_ = 0;
}

void SerialLink::setPortIndex(int index) {
    if (index < 0 || index >= ports_.size())
        index = 0;
    if (index == portIndex_)
        return;
    portIndex_ = index;
    emit portIndexChanged(index);
}

void SerialLink::setBaudIndex(int index) {
    if (index < 0 || index >= baudEntries().size())
        index = DefaultBaudIndex;
    if (index == baudIndex_)
        return;
    baudIndex_ = index;
    emit baudIndexChanged(index);
}

QString SerialLink::selectedPort() const {
    if (portIndex_ < 0 || portIndex_ >= ports_.size())
        return {};
    return ports_.at(portIndex_);
}

void SerialLink::closePort() {
    if (port_.isOpen())
        port_.close();
    const bool wasOpen = portOpen_;
    portOpen_ = false;
    openPortName_.clear();
    if (wasOpen)
        emit portOpenChanged(false);
}

bool SerialLink::TogglePort() {
    if (ports_.isEmpty())
        return false;
    const QString entry = selectedPort();
    if (portOpen_) {
        closePort();
        closedWithMessage_ = false;
        return true;
    }

    lastOpenFailure_ = PortAccess::Failure::None;
    lastOpenDevice_.clear();
    setProperty(OpenReasonProperty, QVariant());
    QString device = entry;
    if (entry == simulatorEntry()) {
        device = simulatorProvider_ ? simulatorProvider_() : QString();
        if (device.isEmpty())
            return false;
    }

    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite)) {
        const bool refused = port_.error() == QSerialPort::PermissionError;
        setProperty(OpenReasonProperty, port_.errorString());
        port_.clearError();
        lastOpenDevice_ = PortAccess::devicePath(device);
        lastOpenFailure_ = PortAccess::classify(PortAccess::rightsOf(lastOpenDevice_), refused);
        return false;
    }
    // An open port at an unknown rate would only show up later as time-outs;
    // refuse it here so the caller reports that the port cannot be used.
    const int rate = baudRateOf(baudIndex_);
    const bool configured =
        rate > 0 && port_.setBaudRate(rate) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        lastOpenDevice_ = PortAccess::devicePath(device);
        setProperty(OpenReasonProperty, port_.errorString());
        port_.close();
        port_.clearError();
        return false;
    }
    portOpen_ = true;
    closedWithMessage_ = false;
    openPortName_ = entry;
    emit portOpenChanged(true);
    return true;
}

QString SerialLink::checksumText(const QByteArray& bytes) {
    unsigned char sum = 0;
    for (char c : bytes)
        sum ^= static_cast<unsigned char>(c);
    return QStringLiteral("%1").arg(sum, 2, 16, QLatin1Char('0')).toUpper();
}

QByteArray SerialLink::buildFrame(const QString& command, int mode) const {
    // Code page 1252 on the wire as on disk: a slot line read from a file goes
    // to the axis byte for byte, "€" included.
    const QByteArray cmd = toWindows1252(command);
    const QByteArray address = toWindows1252(currentAddress_);
    QByteArray frame;
    switch (mode) {
    case Full: {
        const QByteArray body = address + cmd + ':';
        frame = STX + body + checksumText(body).toLatin1() + ETX;
        break;
    }
    case AddressOnly:
        frame = STX + address + cmd + ETX;
        break;
    case ChecksumOnly: {
        const QByteArray body = cmd + ':';
        frame = STX + body + checksumText(body).toLatin1() + ETX;
        break;
    }
    case BareStxEtx:
        frame = STX + cmd + ETX;
        break;
    default:
        frame = cmd;
        break;
    }
    return frame;
}

QString SerialLink::finish(Failure failure, const QString& reply) {
    lastFailure_ = failure;
    return reply;
}

void SerialLink::discardInput(QByteArray* stale) {
    // Whatever waits now was not sent for the request about to go out: most
    // often a reply that came after its own time-out. Dropping it keeps it from
    // being taken for the next command's answer. A late reply that arrives only
    // after the next request was written cannot be told from that request's
    // own and is still taken; the reply cut then keeps the newer frame when
    // both arrive together.
    if (stale) {
        // Someone watches the exchange: fetch what the driver holds so that it
        // is shown rather than dropped unseen. The wire sees no difference.
        if (!port_.waitForReadyRead(0) && port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
        *stale = port_.readAll();
    }
    port_.clear(QSerialPort::Input); // the driver's queue and Qt's buffer
    port_.readAll();
}

QString SerialLink::SendCommand(const QString& command, bool dataOnly, int mode) {
    if (currentAddress_.contains(QLatin1String("OFFLINE")))
        return finish(Failure::Offline, PseudoReply::Offline);
    if (!portOpen_)
        return finish(Failure::PortClosed, PseudoReply::Error);

    const QByteArray frame = buildFrame(command, mode);
    if (frame.size() >= SendBufferSize) // never put a frame on the wire that does not fit
        return finish(Failure::FrameTooLong, PseudoReply::Error);

    // A device that went away while the port was idle shows up as an error
    // pending on the port; the loop below reports it. Only the harmless
    // "nothing arrived" of an earlier wait is cleared here.
    if (port_.error() == QSerialPort::TimeoutError)
        port_.clearError();
    Exchange record;
    const bool watched = bool(exchangeObserver_);
    if (watched) {
        record.mode = mode;
        record.sent = frame;
    }
    if (port_.error() == QSerialPort::NoError)
        discardInput(watched ? &record.discarded : nullptr);

    QElapsedTimer clock;
    clock.start();
    const qint64 timeout = timeoutMs_;

    // Without an event loop the frame leaves the port's buffer only here: at
    // once as a rule, and through the wait below when the driver's queue is full.
    if (port_.error() == QSerialPort::NoError) {
        port_.write(frame);
        port_.flush();
    }
    while (port_.error() == QSerialPort::NoError && port_.bytesToWrite() > 0) {
        const qint64 left = timeout - clock.elapsed();
        if (!port_.waitForBytesWritten(int(qMax<qint64>(left, 1)))) {
            if (port_.error() == QSerialPort::TimeoutError) {
                port_.clearError();
                if (clock.elapsed() > timeout)
                    break;
                continue;
            }
            break;
        }
    }

    QByteArray received;
    const auto done = [&](Failure failure, const QString& reply) {
        if (watched) {
            record.received = received;
            record.result = reply;
            exchangeObserver_(record);
        }
        return finish(failure, reply);
    };
    for (;;) {
        // Anything the port reports beyond "nothing arrived" means the device
        // is gone: the port is closed, the operator is told once, and this and
        // every later transaction end as on a closed port.
        const QSerialPort::SerialPortError err = port_.error();
        if (err != QSerialPort::NoError && err != QSerialPort::TimeoutError) {
            closePort();
            closedWithMessage_ = true;
            op_.show(
                {0, Texts::text(PortLostText), 0, Operator::Icon::Error, Operator::Buttons::Ok});
            return done(Failure::PortLost, PseudoReply::Error);
        }
        port_.clearError();

        const qint64 waiting = port_.bytesAvailable();
        if (waiting > 0)
            received += port_.read(waiting);
        const ReplyFrame::Cut cut = ReplyFrame::cut(received, dataOnly);
        if (cut.state == ReplyFrame::Cut::State::Overflow) {
            closePort();
            closedWithMessage_ = true;
            op_.error(OverflowTextId);
            return done(Failure::Overflow, cut.text);
        }
        if (clock.elapsed() > timeout) {
            lastTimedOut_ = true;
            return done(Failure::Timeout, PseudoReply::Timeout);
        }
        if (cut.state == ReplyFrame::Cut::State::Complete) {
            lastTimedOut_ = false;
            return done(Failure::None, cut.text);
        }
        // Sleep in the port until bytes arrive or the deadline has passed; the
        // loop above then runs its tests in the same order as a busy poll would.
        const qint64 left = timeout - clock.elapsed() + 1;
        if (!port_.waitForReadyRead(int(qMax<qint64>(left, 1)))) {
            if (port_.error() == QSerialPort::TimeoutError)
                port_.clearError();
        }
    }
}

void PumpPendingMessages() {
    if (QCoreApplication::closingDown())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
