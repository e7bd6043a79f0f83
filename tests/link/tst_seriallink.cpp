#include "PtyPeer.h"
#include "ScriptedOperator.h"
#include "link/PortDiscovery.h"
#include "link/SerialLink.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// A controller reply frame: STX, address, status, blank, data, ":", checksum, ETX.
QByteArray replyFrame(const QByteArray& data, const QByteArray& status = "00") {
    QByteArray body = "0" + status + " " + data + ":";
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '\x02' + body + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + '\x03';
}

} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

    struct Rig {
        ScriptedOperator op;
        PtyPeer peer;
        SerialLink link{op};
        bool open(const QString& address = QStringLiteral("0")) {
            if (!peer.open())
                return false;
            link.setPorts({peer.slavePath()});
            link.setCurrentAddress(address);
            return link.TogglePort();
        }
    };

private slots:
    void framing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("full") << int(Full) << "0"
                              << "IS?" << hex("02 30 49 53 3F 3A 32 46 03");
        QTest::newRow("checksum only") << int(ChecksumOnly) << "0"
                                       << "IS?" << hex("02 49 53 3F 3A 31 46 03");
        QTest::newRow("address only") << int(AddressOnly) << "5"
                                      << "IS?" << hex("02 35 49 53 3F 03");
        QTest::newRow("bare") << int(BareStxEtx) << "0"
                              << "IS?" << hex("02 49 53 3F 03");
        QTest::newRow("unframed") << 7 << "0"
                                  << "IS?" << QByteArray("IS?");
        QTest::newRow("full, value")
            << int(Full) << "3"
            << "GA-1200"
            << QByteArray("\x02"
                          "3GA-1200:") +
                   SerialLink::checksumText("3GA-1200:").toLatin1() + "\x03";
        QTest::newRow("single-byte text")
            << int(Full) << "A" << QString::fromLatin1("EW00\xe4")
            << QByteArray("\x02"
                          "AEW00\xe4:") +
                   SerialLink::checksumText("AEW00\xe4:").toLatin1() + "\x03";
    }
    void framing() {
        QFETCH(int, mode);
        QFETCH(QString, address);
        QFETCH(QString, command);
        QFETCH(QByteArray, wire);
        Rig rig;
        QVERIFY(rig.open(address));
        rig.peer.setResponder([](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, replyFrame("x")}};
        });
        rig.link.setTimeoutMs(300);
        rig.link.SendCommand(command, true, mode);
        QVERIFY(rig.peer.waitReceived(wire.size(), 1000));
        QCOMPARE(rig.peer.received(), wire);
    }

    void replyCuts_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("dataOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("data") << replyFrame("10000") << true << "10000";
        QTest::newRow("whole") << replyFrame("10000", "21") << false
                               << "021 10000:" + SerialLink::checksumText("021 10000:");
        QTest::newRow("empty data field, 9 characters") << replyFrame("") << true << "";
        QTest::newRow("9 characters whole")
            << replyFrame("") << false << "000 :" + QString(SerialLink::checksumText("000 :"));
        QTest::newRow("STX ETX alone, whole") << QByteArray("\x02\x03") << false << "";
        QTest::newRow("STX ETX alone, data") << QByteArray("\x02\x03") << true << "";
        QTest::newRow("short reply") << QByteArray("\x02"
                                                   "0ab\x03")
                                     << true << "";
        QTest::newRow("zero byte ends the chunk's text") << QByteArray("\x02"
                                                                       "000 12\0"
                                                                       "34:00\x03",
                                                                       13)
                                                         << true << "";
    }
    void replyCuts() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, dataOnly);
        QFETCH(QString, expected);
        Rig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(300);
        rig.peer.setResponder([reply](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, reply}};
        });
        const QString got = rig.link.SendCommand(QStringLiteral("PF?"), dataOnly, Full);
        if (reply.contains('\0'))
            QCOMPARE(got, PseudoReply::Timeout); // the ETX after the zero byte is never seen
        else
            QCOMPARE(got, expected);
    }

    void replyInPieces() {
        Rig rig;
        QVERIFY(rig.open());
        const QByteArray frame = replyFrame("12345");
        rig.peer.setResponder([frame](const QByteArray&) {
            return QList<PtyPeer::Piece>{
                {0, frame.left(3)}, {30, frame.mid(3, 4)}, {30, frame.mid(7)}};
        });
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PC?")), QStringLiteral("12345"));
        QVERIFY(!rig.link.lastTimedOut());
    }

    void bytesAfterEtxKeepWaiting() {
        // Only the last character counts: an ETX followed by more bytes in the
        // same read is not the end of the reply.
        Rig rig;
        QVERIFY(rig.open());
        rig.peer.setResponder([](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, replyFrame("1") + "\x02"
                                                               "0"},
                                         {40, QByteArray("00 2:00\x03")}};
        });
        const QString got = rig.link.SendCommand(QStringLiteral("PC?"), false);
        QCOMPARE(got, QString::fromLatin1("000 1:") + SerialLink::checksumText("000 1:") +
                          "\x03\x02"
                          "000 2:00");
    }

    void overflow_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("overflow");
        QTest::newRow("450 bytes are read") << 450 << false;
        QTest::newRow("451 bytes overflow") << 451 << true;
    }
    void overflow() {
        QFETCH(int, size);
        QFETCH(bool, overflow);
        Rig rig;
        QVERIFY(rig.open());
        // A reply of exactly `size` bytes waits in the queue before the request.
        const QByteArray head = replyFrame("").left(5);
        const QByteArray tail = ":00\x03";
        const QByteArray data(size - head.size() - tail.size(), 'D');
        rig.peer.queue(head + data + tail);
        QThread::msleep(50);
        const QString got = rig.link.SendCommand(QStringLiteral("IS?"));
        if (overflow) {
            QCOMPARE(got, PseudoReply::Error);
            QVERIFY(!rig.link.portOpen());
            QCOMPARE(rig.op.shownIds(), QList<int>{10260});
            QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
            QVERIFY(!rig.link.lastTimedOut());
        } else {
            QCOMPARE(got, QString::fromLatin1(data));
            QVERIFY(rig.link.portOpen());
            QVERIFY(rig.op.shown.isEmpty());
        }
    }

    void timeoutThenLateReply() {
        Rig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(100);
        rig.peer.setResponder([](const QByteArray& frame) {
            if (frame.contains("PC?"))
                return QList<PtyPeer::Piece>{{200, replyFrame("777")}};
            return QList<PtyPeer::Piece>{};
        });
        QElapsedTimer t;
        t.start();
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PC?")), PseudoReply::Timeout);
        QVERIFY(t.elapsed() >= 100);
        QVERIFY(rig.link.lastTimedOut());
        QThread::msleep(250); // the late reply is now waiting
        rig.link.setTimeoutMs(1000);
        // The next request gets the late reply as its own, and clears the flag.
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?")), QStringLiteral("777"));
        QVERIFY(!rig.link.lastTimedOut());
    }

    void offlineWritesNothing() {
        Rig rig;
        QVERIFY(rig.open(QStringLiteral("OFFLINE NEW")));
        rig.link.setLastTimedOut(true);
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PO?")), PseudoReply::Offline);
        QThread::msleep(50);
        QVERIFY(rig.peer.received().isEmpty());
        QVERIFY(rig.link.lastTimedOut()); // untouched
    }

    void closedPortIsError() {
        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(QStringLiteral("0"));
        QCOMPARE(link.SendCommand(QStringLiteral("PO?")), PseudoReply::Error);
        QVERIFY(!link.lastTimedOut());
    }

    void oversizedFrameIsNotSent() {
        Rig rig;
        QVERIFY(rig.open());
        // 1 + 1 + 505 + 1 + 2 + 1 = 511 characters fit; one more does not.
        QVERIFY(rig.link.buildFrame(QString(505, QLatin1Char('X')), Full).size() == 511);
        rig.link.setTimeoutMs(50);
        QCOMPARE(rig.link.SendCommand(QString(506, QLatin1Char('X'))), PseudoReply::Error);
        QThread::msleep(50);
        QVERIFY(rig.peer.received().isEmpty());
        QCOMPARE(rig.link.SendCommand(QString(505, QLatin1Char('X'))), PseudoReply::Timeout);
        QVERIFY(rig.peer.waitReceived(511, 500));
    }

    void vanishedPortEndsAsClosedPort() {
        auto rig = std::make_unique<Rig>();
        QVERIFY(rig->open());
        rig->link.setTimeoutMs(300);
        rig->peer.setResponder([](const QByteArray&) { return QList<PtyPeer::Piece>{}; });
        // Closing both ends of the pty takes the device away under the open port.
        PtyPeer* peer = &rig->peer;
        peer->~PtyPeer();
        new (peer) PtyPeer();
        const QString got = rig->link.SendCommand(QStringLiteral("PO?"));
        QVERIFY(got == PseudoReply::Error || got == PseudoReply::Timeout);
        QCOMPARE(rig->link.SendCommand(QStringLiteral("PO?")), PseudoReply::Error);
        QVERIFY(!rig->link.portOpen());
    }

    void togglePort() {
        ScriptedOperator op;
        SerialLink link(op);
        QVERIFY(!link.TogglePort()); // no port listed
        PtyPeer a;
        QVERIFY(a.open());
        link.setPorts({a.slavePath(), QStringLiteral("/dev/kormak-no-such-port")});
        link.setBaudIndex(0);
        QVERIFY(link.TogglePort());
        QVERIFY(link.portOpen());
        QCOMPARE(a.lineRate(), 9600);
        // Another selection does not touch the open port; the next toggle closes it.
        link.setPortIndex(1);
        QVERIFY(link.portOpen());
        QVERIFY(link.TogglePort());
        QVERIFY(!link.portOpen());
        QVERIFY(!link.TogglePort()); // that port cannot be opened
        QVERIFY(!link.portOpen());
    }

    void exclusiveOpen() {
        PtyPeer a;
        QVERIFY(a.open());
        ScriptedOperator op;
        SerialLink first(op), second(op);
        first.setPorts({a.slavePath()});
        second.setPorts({a.slavePath()});
        QVERIFY(first.TogglePort());
        QVERIFY(!second.TogglePort());
    }

    void baudEntries() {
        QCOMPARE(SerialLink::baudEntries().size(), 5);
        QCOMPARE(SerialLink::baudEntries().at(3), QStringLiteral("28800 Baud"));
        QCOMPARE(SerialLink::baudRateOf(1), 14400);
        QCOMPARE(SerialLink::baudRateOf(5), 0);
        ScriptedOperator op;
        SerialLink link(op);
        QCOMPARE(link.baudIndex(), 3);
        link.setBaudIndex(9); // a stored index outside the list
        QCOMPARE(link.baudIndex(), 3);
        link.setPorts({QStringLiteral("a"), QStringLiteral("b")});
        link.setPortIndex(7);
        QCOMPARE(link.portIndex(), 0);
    }

    void naturalOrder_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("numbers by value") << QStringList{"ttyS10", "ttyS2", "ttyUSB0", "ttyS1"}
                                          << QStringList{"ttyS1", "ttyS2", "ttyS10", "ttyUSB0"};
        QTest::newRow("leading zeros")
            << QStringList{"ttyS010", "ttyS9"} << QStringList{"ttyS9", "ttyS010"};
        QTest::newRow("long digit runs") << QStringList{"p99999999999999999999", "p3"}
                                         << QStringList{"p3", "p99999999999999999999"};
    }
    void naturalOrder() {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, sorted);
        std::sort(ports.begin(), ports.end(), naturalLess);
        QCOMPARE(ports, sorted);
    }

#ifdef KORMAK_WITH_SIMULATOR
    void discoveredListEndsWithSimulator() {
        const QStringList ports =
            DiscoverPorts({QStringLiteral("/tmp/x"), QStringLiteral("Simulator"), "/tmp/x"});
        QCOMPARE(ports.last(), QStringLiteral("Simulator"));
        QCOMPARE(ports.count(QStringLiteral("/tmp/x")), 1);
        QCOMPARE(ports.count(QStringLiteral("Simulator")), 1);
    }
#endif
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
