// The link over a network port against a scripted server on 127.0.0.1: what
// goes on the wire byte for byte (IAC doubled both ways, negotiation amid
// the data), that the rate search stays on one connection, and that a
// connection closed by the far side is a lost port.

#include "ScriptedOperator.h"
#include "base/Texts.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"

#include <QElapsedTimer>
#include <QTest>
#include <arpa/inet.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr char IAC = char(255);

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b += char(v);
    return b;
}

QByteArray replyFrame(const QByteArray& data) {
    QByteArray body = "000 " + data + ":";
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '\x02' + body + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + '\x03';
}

QByteArray doubled(const QByteArray& data) {
    QByteArray out;
    for (char c : data) {
        out += c;
        if (c == IAC)
            out += c;
    }
    return out;
}

// A serial device server as far as the link can tell: accepts connections
// one after the other, speaks Telnet with the COM-port option (or nothing,
// for a raw port), answers rate requests but never the control-line
// request, and answers each request frame through the responder.
class TelnetPeer {
public:
    struct State {
        QByteArray wire;          // every byte received, as sent
        QList<QByteArray> frames; // request frames, unescaped
        QList<int> rates;         // rates requested
        int connections = 0;
    };
    // Given a request frame and the rate last set, the bytes to send back
    // (already as they go on the wire); empty: no answer.
    using Responder = std::function<QByteArray(const QByteArray& frame, int rate)>;

    explicit TelnetPeer(bool telnet) : telnet_(telnet) {}
    ~TelnetPeer() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (listener_ >= 0)
            ::close(listener_);
    }
    bool start() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&a), len) != 0 ||
            ::listen(listener_, 4) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            return false;
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serve(); });
        return true;
    }
    QString url() const {
        return QStringLiteral("%1://127.0.0.1:%2")
            .arg(telnet_ ? QLatin1String("rfc2217") : QLatin1String("socket"))
            .arg(port_);
    }
    void setResponder(Responder r) {
        std::lock_guard<std::mutex> lock(mutex_);
        responder_ = std::move(r);
    }
    // Closes the connection once the next answer has been sent.
    void closeAfterNextAnswer() { closeAfterAnswer_ = true; }
    State state() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return state_;
    }

private:
    void serve() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd < 0)
                continue;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                ++state_.connections;
            }
            if (telnet_) // what ser2net says first, echo offered included
                send(fd, bytes({255, 251, 3, 255, 253, 3, 255, 251, 1, 255, 253, 0, 255, 251, 0,
                                255, 253, 44}));
            talk(fd);
            ::close(fd);
        }
    }
    static void send(int fd, const QByteArray& b) {
        if (!b.isEmpty() && ::write(fd, b.constData(), size_t(b.size())) < 0)
            return;
    }
    void talk(int fd) {
        enum { Data, Iac, Verb, Sb, SbIac } reading = Data;
        QByteArray frame, sb;
        int rate = 28800;
        // A data byte; true when the connection is to be closed now.
        const auto onData = [&](char c) {
            frame += c;
            if (c != '\x03')
                return false;
            state_.frames << frame;
            frame.clear();
            const QByteArray answer =
                responder_ ? responder_(state_.frames.last(), rate) : QByteArray();
            send(fd, answer);
            return !answer.isEmpty() && closeAfterAnswer_.exchange(false);
        };
        const auto onSubnegotiation = [&] {
            if (sb.size() < 6 || sb.at(0) != 44 || sb.at(1) != 1)
                return; // only the rate is answered
            rate = 0;
            for (int k = 2; k < 6; ++k)
                rate = (rate << 8) | uint8_t(sb.at(k));
            state_.rates << rate;
            send(fd, bytes({255, 250, 44, 101}) + doubled(sb.mid(2, 4)) + bytes({255, 240}));
        };
        while (!stop_) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0)
                return;
            std::lock_guard<std::mutex> lock(mutex_);
            state_.wire += QByteArray(buf, int(n));
            for (ssize_t i = 0; i < n; ++i) {
                const char c = buf[i];
                bool close = false;
                if (!telnet_) {
                    close = onData(c);
                } else if (reading == Data) {
                    if (c == IAC)
                        reading = Iac;
                    else
                        close = onData(c);
                } else if (reading == Iac) {
                    reading = Data;
                    if (c == IAC)
                        close = onData(c);
                    else if (c == char(250))
                        sb.clear(), reading = Sb;
                    else if (uint8_t(c) >= 251)
                        reading = Verb;
                } else if (reading == Verb) {
                    reading = Data;
                } else if (reading == Sb) {
                    if (c == IAC)
                        reading = SbIac;
                    else
                        sb += c;
                } else if (c == IAC) {
                    sb += c;
                    reading = Sb;
                } else {
                    reading = Data;
                    onSubnegotiation();
                }
                if (close)
                    return;
            }
        }
    }

    bool telnet_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> closeAfterAnswer_{false};
    mutable std::mutex mutex_;
    State state_;
    Responder responder_;
};

} // namespace

class TestNetworkLink : public QObject {
    Q_OBJECT

    struct Rig {
        ScriptedOperator op;
        TelnetPeer peer;
        SerialLink link{op};
        explicit Rig(bool telnet = true) : peer(telnet) {}
        bool open() {
            if (!peer.start())
                return false;
            link.setPorts({peer.url()});
            link.setBaudIndex(3);
            link.setCurrentAddress(QStringLiteral("0"));
            return link.TogglePort();
        }
    };

private slots:
    void initTestCase() { QVERIFY(Texts::setLanguage(Texts::Language::English)); }

    // One exchange over "rfc2217://": the request as it appears on the wire
    // and the reply as SendCommand gives it, with 0xFF and Telnet commands
    // mixed in.
    void exchange_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("onTheWire"); // the request after the greeting
        QTest::addColumn<QByteArray>("answer");    // the server's bytes
        QTest::addColumn<QString>("reply");
        const QByteArray ok = replyFrame("OK");
        QTest::newRow("plain") << "IF?"
                               << QByteArray("\x02"
                                             "0IF?:3A\x03")
                               << ok << "OK";
        QTest::newRow("0xFF in the request goes out doubled")
            << QStringLiteral("PN\u00FF") << bytes({2, '0', 'P', 'N', 255, 255, ':', 'E', 'B', 3})
            << ok << "OK";
        QTest::newRow("0xFF in the reply comes in once")
            << "PN?"
            << QByteArray("\x02"
                          "0PN?:2B\x03")
            << doubled(replyFrame("A\xFF")) << QStringLiteral("A\u00FF");
        QTest::newRow("negotiation amid the reply")
            << "PN?"
            << QByteArray("\x02"
                          "0PN?:2B\x03")
            << replyFrame("12").insert(3, bytes({255, 241, 255, 250, 44, 107, 0x30, 255, 240}))
            << "12";
    }
    void exchange() {
        QFETCH(QString, command);
        QFETCH(QByteArray, onTheWire);
        QFETCH(QByteArray, answer);
        QFETCH(QString, reply);
        Rig rig;
        rig.peer.setResponder([answer](const QByteArray&, int) { return answer; });
        QVERIFY(rig.open());
        const QByteArray before = rig.peer.state().wire;
        QCOMPARE(rig.link.SendCommand(command), reply);
        const QByteArray request = rig.peer.state().wire.mid(before.size());
        QCOMPARE(request.toHex(' '), onTheWire.toHex(' '));
        QVERIFY(rig.op.shown.isEmpty());
    }

    // The open asks for binary mode, refuses echo (an echoed request would
    // read as its reply), sets the line and waits for the rate answer only:
    // this server never answers the flow-control setting.
    void openAsksAndRefusesWhatItShould() {
        Rig rig;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(rig.open());
        QVERIFY(clock.elapsed() < 2000);
        const QByteArray wire = rig.peer.state().wire;
        QVERIFY(wire.contains(bytes({255, 251, 44})));                 // WILL COM-PORT
        QVERIFY(wire.contains(bytes({255, 254, 1})));                  // DONT ECHO
        QVERIFY(wire.contains(bytes({255, 250, 44, 5, 1, 255, 240}))); // no flow control
        QCOMPARE(rig.peer.state().rates, QList<int>{28800});
    }

    // The rate search moves the far side's line on the open connection.
    void probeStaysOnOneConnection() {
        Rig rig;
        rig.peer.setResponder([](const QByteArray&, int rate) {
            return rate == 9600 ? replyFrame("1234") : QByteArray();
        });
        QVERIFY(rig.open());
        QVERIFY(ProbeAxis(rig.link));
        QCOMPARE(SerialLink::baudRateOf(rig.link.baudIndex()), 9600);
        QCOMPARE(rig.peer.state().rates, (QList<int>{28800, 38400, 9600}));
        QCOMPARE(rig.peer.state().connections, 1);
    }

    // A raw socket is at the far side's rate: the search asks there once.
    void probeOnARawSocketAsksOnce() {
        Rig rig(false);
        QVERIFY(rig.open());
        QVERIFY(!ProbeAxis(rig.link));
        QCOMPARE(rig.peer.state().frames.size(), 1);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(SerialLink::baudRateOf(rig.link.baudIndex()), 28800);
    }

    // A connection closed by the far side: what came before the close is
    // still the reply; the next request finds the port lost, says so once,
    // and later ones end as on a closed port.
    void closedConnectionIsALostPort() {
        Rig rig;
        rig.peer.setResponder([](const QByteArray&, int) { return replyFrame("7"); });
        QVERIFY(rig.open());
        rig.peer.closeAfterNextAnswer();
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PN?")), QStringLiteral("7"));
        QTest::qWait(100);
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PN?")), PseudoReply::Error);
        QVERIFY(rig.link.lastPortLost());
        QVERIFY(!rig.link.portOpen());
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PN?")), PseudoReply::Error);
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.at(0).text, Texts::text("link.portLost"));
    }
};

QTEST_GUILESS_MAIN(TestNetworkLink)
#include "tst_networklink.moc"
