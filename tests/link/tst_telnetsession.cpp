// The Telnet side of an "rfc2217://" port byte for byte: what the far side's
// negotiation gets as answer, what of its bytes is line data, and the
// network port names.

#include "link/NetworkPort.h"
#include "link/TelnetSession.h"

#include <QTest>

namespace {

using T = TelnetSession;

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b += char(v);
    return b;
}
QByteArray cmd(int verb, int option) {
    return bytes({T::IAC, verb, option});
}
QByteArray sub(int option, const QByteArray& payload) {
    return bytes({T::IAC, T::SB, option}) + payload + bytes({T::IAC, T::SE});
}
// The far side's answer to a rate request, value escaped as on the wire.
QByteArray rateAnswer(const QByteArray& value) {
    return sub(T::OptComPort, char(T::SetBaudRate + T::ServerOffset) + value);
}

} // namespace

class TestTelnetSession : public QObject {
    Q_OBJECT

private slots:
    // Each row: whether the client greeted first, the far side's bytes in
    // the pieces they arrive in, and what comes out of them.
    void receive_data() {
        QTest::addColumn<bool>("greeted");
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("agreed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("rate"); // answered rate, -1: no rate answer

        const QByteArray frame("\x02"
                               "000 10000:3F\x03");
        QTest::newRow("plain data")
            << true << QList<QByteArray>{frame} << frame << QByteArray() << false << false << -1;
        QTest::newRow("IAC IAC is one 0xFF data byte")
            << true << QList<QByteArray>{bytes({'A', 255, 255, 'B'})} << bytes({'A', 255, 'B'})
            << QByteArray() << false << false << -1;
        QTest::newRow("IAC IAC split between reads")
            << true << QList<QByteArray>{bytes({'A', 255}), bytes({255, 'B'})}
            << bytes({'A', 255, 'B'}) << QByteArray() << false << false << -1;

        // What the client asked for is acknowledged without an answer; what
        // it did not ask for is answered once.
        QTest::newRow("acknowledgements of the greeting")
            << true
            << QList<QByteArray>{cmd(T::DO, T::OptBinary) + cmd(T::WILL, T::OptBinary) +
                                 cmd(T::DO, T::OptSuppressGoAhead) +
                                 cmd(T::WILL, T::OptSuppressGoAhead) + cmd(T::DO, T::OptComPort)}
            << QByteArray() << QByteArray() << true << false << -1;
        QTest::newRow("COM-port agreed before everything else")
            << true
            << QList<QByteArray>{cmd(T::DO, T::OptComPort) + cmd(T::WILL, T::OptSuppressGoAhead) +
                                 cmd(T::DO, T::OptBinary)}
            << QByteArray() << QByteArray() << true << false << -1;
        QTest::newRow("echo refused: an echoed frame would read as its reply")
            << true << QList<QByteArray>{cmd(T::WILL, T::OptEcho)} << QByteArray()
            << cmd(T::DONT, T::OptEcho) << false << false << -1;
        QTest::newRow("unknown option asked of the client")
            << true << QList<QByteArray>{cmd(T::DO, 24)} << QByteArray() << cmd(T::WONT, 24)
            << false << false << -1;
        QTest::newRow("the far side offers before the client greets")
            << false
            << QList<QByteArray>{cmd(T::WILL, T::OptSuppressGoAhead) + cmd(T::DO, T::OptComPort)}
            << QByteArray() << cmd(T::DO, T::OptSuppressGoAhead) + cmd(T::WILL, T::OptComPort)
            << true << false << -1;
        QTest::newRow("a request repeated is not answered twice")
            << false << QList<QByteArray>{cmd(T::WILL, T::OptBinary), cmd(T::WILL, T::OptBinary)}
            << QByteArray() << cmd(T::DO, T::OptBinary) << false << false << -1;
        QTest::newRow("COM-port refused") << true << QList<QByteArray>{cmd(T::DONT, T::OptComPort)}
                                          << QByteArray() << QByteArray() << false << true << -1;
        QTest::newRow("COM-port withdrawn after it was agreed")
            << true << QList<QByteArray>{cmd(T::DO, T::OptComPort), cmd(T::DONT, T::OptComPort)}
            << QByteArray() << cmd(T::WONT, T::OptComPort) << false << true << -1;
        QTest::newRow("binary withdrawn by the far side")
            << true << QList<QByteArray>{cmd(T::WILL, T::OptBinary), cmd(T::WONT, T::OptBinary)}
            << QByteArray() << cmd(T::DONT, T::OptBinary) << false << false << -1;

        // The rate answer between data bytes, in pieces, escaped.
        QTest::newRow("rate answer amid data")
            << true << QList<QByteArray>{"ab" + rateAnswer(bytes({0, 0, 0x70, 0x80})) + "cd"}
            << QByteArray("abcd") << QByteArray() << false << false << 28800;
        QTest::newRow("rate answer in single bytes") << true <<
            [] {
                QList<QByteArray> list;
                for (char c : rateAnswer(bytes({0, 0, 0x25, 0x80})))
                    list << QByteArray(1, c);
                return list;
            }() << QByteArray() << QByteArray() << false
                                                     << false << 9600;
        QTest::newRow("0xFF inside the rate is doubled")
            << true << QList<QByteArray>{rateAnswer(bytes({0, 0, 255, 255, 255, 255}))}
            << QByteArray() << QByteArray() << false << false << 0xFFFF;
        QTest::newRow("line state notices carry no rate")
            << true << QList<QByteArray>{sub(T::OptComPort, bytes({106, 0x60})) + "x"}
            << QByteArray("x") << QByteArray() << false << false << -1;
        QTest::newRow("a short rate answer is no rate")
            << true << QList<QByteArray>{rateAnswer(bytes({0, 0x25}))} << QByteArray()
            << QByteArray() << false << false << -1;
        QTest::newRow("subnegotiation cut short by a command")
            << true
            << QList<QByteArray>{bytes({T::IAC, T::SB, T::OptComPort, 101, 0, 0}) +
                                 cmd(T::DO, T::OptComPort) + "z"}
            << QByteArray("z") << QByteArray() << true << false << -1;
        QTest::newRow("overlong subnegotiation is dropped whole")
            << true
            << QList<QByteArray>{rateAnswer(bytes({0, 0, 0x25, 0x80}) +
                                            QByteArray(T::SubnegotiationLimit, 'x')) +
                                 "y"}
            << QByteArray("y") << QByteArray() << false << false << -1;
        QTest::newRow("NOP and go-ahead are no data")
            << true << QList<QByteArray>{bytes({'a', T::IAC, 241, 'b', T::IAC, 249})}
            << QByteArray("ab") << QByteArray() << false << false << -1;
        QTest::newRow("CR NUL outside binary mode is CR")
            << true << QList<QByteArray>{bytes({'\r', 0, 'a', 0})} << bytes({'\r', 'a', 0})
            << QByteArray() << false << false << -1;
        QTest::newRow("CR NUL in binary mode stays")
            << true << QList<QByteArray>{cmd(T::WILL, T::OptBinary) + bytes({'\r', 0})}
            << bytes({'\r', 0}) << QByteArray() << false << false << -1;
    }
    void receive() {
        QFETCH(bool, greeted);
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, answer);
        QFETCH(bool, agreed);
        QFETCH(bool, refused);
        QFETCH(int, rate);
        TelnetSession session;
        if (greeted)
            session.greeting();
        QByteArray gotData, gotAnswer;
        for (const QByteArray& piece : pieces)
            gotData += session.receive(piece, &gotAnswer);
        QCOMPARE(gotData.toHex(' '), data.toHex(' '));
        QCOMPARE(gotAnswer.toHex(' '), answer.toHex(' '));
        QCOMPARE(session.comPortAgreed(), agreed);
        QCOMPARE(session.comPortRefused(), refused);
        QCOMPARE(session.rateAnswers(), rate < 0 ? 0u : 1u);
        if (rate >= 0)
            QCOMPARE(session.answeredRate(), uint32_t(rate));
    }

    void encode_data() {
        QTest::addColumn<bool>("binary");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("frame unchanged") << true
                                         << QByteArray("\x02"
                                                       "0IS?:2F\x03")
                                         << QByteArray("\x02"
                                                       "0IS?:2F\x03");
        QTest::newRow("0xFF doubled")
            << true << bytes({'a', 255, 255, 'b'}) << bytes({'a', 255, 255, 255, 255, 'b'});
        QTest::newRow("CR plain in binary mode")
            << true << QByteArray("a\rb") << QByteArray("a\rb");
        QTest::newRow("CR padded outside binary mode")
            << false << QByteArray("a\rb") << bytes({'a', '\r', 0, 'b'});
    }
    void encode() {
        QFETCH(bool, binary);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, wire);
        TelnetSession session;
        session.greeting();
        if (binary) {
            QByteArray answer;
            session.receive(cmd(T::DO, T::OptBinary) + cmd(T::WILL, T::OptBinary), &answer);
        }
        QCOMPARE(session.encode(data).toHex(' '), wire.toHex(' '));
        // And the far side, reading it, gets the data back.
        TelnetSession far;
        if (binary)
            far.receive(cmd(T::WILL, T::OptBinary), nullptr);
        QCOMPARE(far.receive(session.encode(data), nullptr).toHex(' '), data.toHex(' '));
    }

    void lineSettings() {
        TelnetSession session;
        const QByteArray wire = session.lineSettings(28800);
        const QByteArray expected = sub(T::OptComPort, bytes({T::SetBaudRate, 0, 0, 0x70, 0x80})) +
                                    sub(T::OptComPort, bytes({T::SetDataSize, 8})) +
                                    sub(T::OptComPort, bytes({T::SetParity, 1})) +
                                    sub(T::OptComPort, bytes({T::SetStopSize, 1})) +
                                    sub(T::OptComPort, bytes({T::SetControl, 1}));
        QCOMPARE(wire.toHex(' '), expected.toHex(' '));
        // A rate with a 0xFF byte goes out escaped.
        QCOMPARE(session.rateRequest(0xFF).toHex(' '),
                 sub(T::OptComPort, bytes({T::SetBaudRate, 0, 0, 0, 255, 255})).toHex(' '));
    }

    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("endpoint");
        const int rfc = int(NetworkPort::Kind::Rfc2217);
        const int raw = int(NetworkPort::Kind::Socket);
        QTest::newRow("rfc2217") << "rfc2217://10.0.0.7:3017" << true << rfc << "10.0.0.7" << 3017
                                 << "10.0.0.7:3017";
        QTest::newRow("socket, host name") << "socket://gateway.hall2:4001" << true << raw
                                           << "gateway.hall2" << 4001 << "gateway.hall2:4001";
        QTest::newRow("scheme in capitals, blanks around")
            << " RFC2217://host:1 " << true << rfc << "host" << 1 << "host:1";
        QTest::newRow("IPv6 in brackets")
            << "rfc2217://[::1]:3017" << true << rfc << "::1" << 3017 << "[::1]:3017";
        QTest::newRow("pyserial options ignored") << "rfc2217://host:3017?ign_set_control&timeout=3"
                                                  << true << rfc << "host" << 3017 << "host:3017";
        QTest::newRow("highest port")
            << "socket://h:65535" << true << raw << "h" << 65535 << "h:65535";
        QTest::newRow("no port") << "rfc2217://host" << false << 0 << "" << 0 << "";
        QTest::newRow("port 0") << "rfc2217://host:0" << false << 0 << "" << 0 << "";
        QTest::newRow("port too high") << "socket://host:65536" << false << 0 << "" << 0 << "";
        QTest::newRow("no host") << "socket://:3017" << false << 0 << "" << 0 << "";
        QTest::newRow("a path after the port") << "socket://h:1/x" << false << 0 << "" << 0 << "";
        QTest::newRow("IPv6 without brackets")
            << "rfc2217://::1:3017" << false << 0 << "" << 0 << "";
        QTest::newRow("other scheme") << "tcp://host:3017" << false << 0 << "" << 0 << "";
        QTest::newRow("a local port") << "/dev/ttyUSB0" << false << 0 << "" << 0 << "";
    }
    void names() {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QFETCH(int, kind);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, endpoint);
        const std::optional<NetworkPort> p = parseNetworkPort(name);
        QCOMPARE(p.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(int(p->kind), kind);
        QCOMPARE(p->host, host);
        QCOMPARE(int(p->port), port);
        QCOMPARE(p->endpoint(), endpoint);
        QVERIFY(looksLikeNetworkPort(name));
    }
};

QTEST_GUILESS_MAIN(TestTelnetSession)
#include "tst_telnetsession.moc"
