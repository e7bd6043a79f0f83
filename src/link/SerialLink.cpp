#include "link/SerialLink.h"
#include "base/MessageIds.h"

#include "base/Operator.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "link/NetworkPort.h"
#include "link/NetworkTransport.h"
#include "link/PortAccessHint.h"
#include "link/SerialTransport.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

namespace {
constexpr int OverflowTextId = 10260;
constexpr const char* PortLostText = "link.portLost";

// The reason line under 10104 for a network port that could not be opened.
QString networkReason(LinkTransport::OpenError error, const QString& name) {
    const std::optional<NetworkPort> where = parseNetworkPort(name);
    const QString endpoint = where ? where->endpoint() : name.trimmed();
    switch (error) {
    case LinkTransport::OpenError::BadName:
        return Texts::text("link.badNetworkName").arg(name.trimmed());
    case LinkTransport::OpenError::HostNotFound:
        return Texts::text("link.hostNotFound").arg(where ? where->host : name.trimmed());
    case LinkTransport::OpenError::ConnectionRefused:
        return Texts::text("link.connectionRefused").arg(endpoint);
    case LinkTransport::OpenError::NoRateControl:
        return Texts::text("link.noRateControl").arg(endpoint);
    default:
        return Texts::text("link.networkFailed").arg(endpoint);
    }
}
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
    if (lastNetworkFailure_ == LinkTransport::OpenError::ConnectTimeout) {
        const std::optional<NetworkPort> where = parseNetworkPort(lastOpenDevice_);
        const QString text = Texts::text("link.connectTimeout")
                                 .arg(where ? where->host : lastOpenDevice_)
                                 .arg(where ? where->port : 0)
                                 .arg(NetworkTransport::ConnectTimeoutMs / 1000.0);
        op.show({0, text, 0, Operator::Icon::Error, Operator::Buttons::Ok});
        return;
    }
    QString text = Texts::text(MessageId::PortNotOpened);
    const QString device = QDir::toNativeSeparators(lastOpenDevice_);
    if (lastNetworkFailure_ != LinkTransport::OpenError::None) {
        text += QLatin1Char('\n') + networkReason(lastNetworkFailure_, lastOpenDevice_);
    } else if (lastOpenFailure_ == PortAccess::Failure::AccessDenied) {
        text += QLatin1Char('\n') +
                PortAccess::accessHint(PortAccess::rightsOf(lastOpenDevice_), device);
    } else if (lastOpenFailure_ == PortAccess::Failure::InUse) {
        text += QLatin1Char('\n') + Texts::text("link.portInUse").arg(device);
    } else if (!lastOpenDevice_.isEmpty()) {
        // Which port, and what the system said about it.
        text += QLatin1Char('\n') + Texts::text("link.openFailedReason")
                                        .arg(device, property(OpenReasonProperty).toString());
    }
    op.show({MessageId::PortNotOpened, text, 0, Operator::Icon::Error, Operator::Buttons::Ok});
}

SerialLink::~SerialLink() = default;

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
    if (transport_)
        transport_->close();
    transport_.reset();
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

    lastNetworkFailure_ = LinkTransport::OpenError::None;
    const int rate = baudRateOf(baudIndex_);
    std::unique_ptr<LinkTransport> transport;
    if (looksLikeNetworkPort(device)) {
        const std::optional<NetworkPort> where = parseNetworkPort(device);
        lastOpenDevice_ = device.trimmed();
        if (!where) {
            lastNetworkFailure_ = LinkTransport::OpenError::BadName;
            return false;
        }
        transport = std::make_unique<NetworkTransport>(*where);
    } else {
        transport = std::make_unique<SerialTransport>(device);
    }
    // An open port at an unknown rate would only show up later as time-outs;
    // the transport refuses it so that the caller reports the port unusable.
    if (rate <= 0 || !transport->open(rate)) {
        if (looksLikeNetworkPort(device)) {
            lastNetworkFailure_ = transport->error();
            if (lastNetworkFailure_ == LinkTransport::OpenError::None)
                lastNetworkFailure_ = LinkTransport::OpenError::Other;
        } else {
            setProperty(OpenReasonProperty, transport->errorText());
            lastOpenDevice_ = PortAccess::devicePath(device);
            if (transport->error() == LinkTransport::OpenError::PermissionDenied ||
                transport->error() == LinkTransport::OpenError::Other) {
                const bool refused =
                    transport->error() == LinkTransport::OpenError::PermissionDenied;
                lastOpenFailure_ =
                    PortAccess::classify(PortAccess::rightsOf(lastOpenDevice_), refused);
            }
        }
        return false;
    }
    transport_ = std::move(transport);
    portOpen_ = true;
    closedWithMessage_ = false;
    openPortName_ = entry;
    emit portOpenChanged(true);
    return true;
}

namespace {
unsigned char xorOf(const char* begin, const char* end) {
    unsigned char sum = 0;
    for (const char* c = begin; c != end; ++c)
        sum ^= static_cast<unsigned char>(*c);
    return sum;
}

// Two upper-case hexadecimal digits.
void appendHex2(QByteArray& out, unsigned char v) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += digits[v >> 4];
    out += digits[v & 15];
}
} // namespace

QString SerialLink::checksumText(const QByteArray& bytes) {
    QByteArray text;
    appendHex2(text, xorOf(bytes.cbegin(), bytes.cend()));
    return QString::fromLatin1(text);
}

QByteArray SerialLink::buildFrame(const QString& command, int mode) const {
    // Code page 1252 on the wire as on disk: a slot line read from a file goes
    // to the axis byte for byte, "€" included.
    const QByteArray cmd = toWindows1252(command);
    if (mode != Full && mode != AddressOnly && mode != ChecksumOnly && mode != BareStxEtx)
        return cmd;
    // Built in place: every transaction makes one, so it should cost next to nothing.
    QByteArray frame;
    frame.reserve(cmd.size() + currentAddress_.size() + 5);
    frame += STX;
    if (mode == Full || mode == AddressOnly)
        frame += toWindows1252(currentAddress_);
    frame += cmd;
    if (mode == Full || mode == ChecksumOnly) {
        frame += ':';
        appendHex2(frame, xorOf(frame.cbegin() + 1, frame.cend()));
    }
    frame += ETX;
    return frame;
}

QString SerialLink::finish(Failure failure, const QString& reply) {
    lastFailure_ = failure;
    return reply;
}

QString SerialLink::SendCommand(const QString& command, bool dataOnly, int mode) {
    if (axisAddress().isOffline())
        return finish(Failure::Offline, PseudoReply::Offline);
    if (!portOpen_ || !transport_)
        return finish(Failure::PortClosed, PseudoReply::Error);

    const QByteArray frame = buildFrame(command, mode);
    if (frame.size() >= SendBufferSize) // never put a frame on the wire that does not fit
        return finish(Failure::FrameTooLong, PseudoReply::Error);

    Exchange record;
    const bool watched = bool(exchangeObserver_);
    if (watched) {
        record.mode = mode;
        record.sent = frame;
    }
    // A line that went away while the port was idle is reported by the loop
    // below. Otherwise, whatever waits now was not sent for the request about
    // to go out: most often a reply that came after its own time-out. Dropping
    // it keeps it from being taken for the next command's answer. A late reply
    // that arrives only after the next request was written cannot be told from
    // that request's own and is still taken; the reply cut then keeps the
    // newer frame when both arrive together. A watcher is shown what was
    // dropped; the wire sees no difference.
    if (!transport_->failed())
        transport_->discardInput(watched ? &record.discarded : nullptr);

    QElapsedTimer clock;
    clock.start();
    // The network's share of the time comes on top of the controller's.
    const qint64 timeout = qint64(timeoutMs_) + transport_->replyAllowanceMs();
    transport_->write(frame, clock, timeout);

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
        // A line that went away (an unplugged adapter, a dropped connection)
        // closes the port; the operator is told once, and this and every later
        // transaction end as on a closed port.
        if (transport_->failed()) {
            closePort();
            closedWithMessage_ = true;
            op_.show(
                {0, Texts::text(PortLostText), 0, Operator::Icon::Error, Operator::Buttons::Ok});
            return done(Failure::PortLost, PseudoReply::Error);
        }

        received += transport_->readAvailable();
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
        // Sleep in the line until bytes arrive or the deadline has passed; the
        // loop above then runs its tests in the same order as a busy poll would.
        const qint64 left = timeout - clock.elapsed() + 1;
        transport_->waitForInput(int(qMax<qint64>(left, 1)));
    }
}

bool SerialLink::changeRate(int baudIndex) {
    setBaudIndex(baudIndex);
    if (!portOpen_)
        return TogglePort();
    if (transport_->changesRateInPlace() && transport_->changeRate(baudRateOf(baudIndex_)))
        return true;
    TogglePort();
    return TogglePort();
}

bool SerialLink::portSetsRate() const {
    if (transport_)
        return transport_->setsRate();
    const std::optional<NetworkPort> where = parseNetworkPort(selectedPort());
    return !where || where->kind != NetworkPort::Kind::Socket;
}

void PumpPendingMessages() {
    if (QCoreApplication::closingDown())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
