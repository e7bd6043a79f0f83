#include "PeerRig.h"
#include "PtyPeer.h"
#include "ScriptedOperator.h"
#include "base/Texts.h"
#include "link/PortDiscovery.h"
#include "link/ProbeAxis.h"
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

Q_DECLARE_METATYPE(PtyPeer::Piece)

class TestSerialLink : public QObject {
    Q_OBJECT

    struct Rig : PeerRig {
        // Closing both ends of the pty takes the device away under the open port.
        void vanish() {
            peer.~PtyPeer();
            new (&peer) PtyPeer();
        }
    };

private slots:
    void initTestCase() { QVERIFY(Texts::setLanguage(Texts::Language::German)); }

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
        // Code page 1252: "€" is byte 0x80, which Latin-1 would send as "?".
        QTest::newRow("code page 1252")
            << int(Full) << "0" << QString::fromUtf8("EW05€")
            << QByteArray("\x02"
                          "0EW05\x80:") +
                   SerialLink::checksumText("0EW05\x80:").toLatin1() + "\x03";
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
        // same read is not the end of the reply. The frame that does end it is
        // the reply; the one before it is dropped.
        Rig rig;
        QVERIFY(rig.open());
        rig.peer.setResponder([](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, replyFrame("1") + "\x02"
                                                               "0"},
                                         {40, QByteArray("00 2:00\x03")}};
        });
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PC?"), false), QStringLiteral("000 2:00"));
    }

    void strayBytesBeforeTheReply_data() {
        QTest::addColumn<QList<PtyPeer::Piece>>("before"); // what the line carries first
        QTest::addColumn<bool>("dataOnly");
        QTest::addColumn<QString>("expected");
        using Pieces = QList<PtyPeer::Piece>;
        QTest::newRow("five noise bytes") << Pieces{{0, "#?~%&"}} << true << "10000";
        QTest::newRow("one noise byte") << Pieces{{0, "#"}} << true << "10000";
        QTest::newRow("one noise byte, whole frame")
            << Pieces{{0, "#"}} << false << "000 10000:" + SerialLink::checksumText("000 10000:");
        QTest::newRow("a late reply together with the reply")
            << Pieces{{0, replyFrame("777")}} << true << "10000";
        QTest::newRow("the tail of a late reply, read on its own")
            << Pieces{{0, "77:1B\x03"}, {30, {}}} << true << "10000";
    }
    void strayBytesBeforeTheReply() {
        QFETCH(QList<PtyPeer::Piece>, before);
        QFETCH(bool, dataOnly);
        QFETCH(QString, expected);
        Rig rig;
        QVERIFY(rig.open());
        rig.peer.setResponder([before](const QByteArray&) {
            // The reply goes out in one write with the last of the stray bytes.
            QList<PtyPeer::Piece> pieces = before;
            pieces.last().bytes += replyFrame("10000");
            return pieces;
        });
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?"), dataOnly), expected);
        QVERIFY(!rig.link.lastTimedOut());
        QCOMPARE(int(rig.link.lastFailure()), int(SerialLink::Failure::None));
    }

    void overflow_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<bool>("overflow");
        QTest::newRow("450 bytes are read") << 450 << 1 << false;
        QTest::newRow("450 bytes in pieces are read") << 450 << 3 << false;
        QTest::newRow("451 bytes overflow") << 451 << 1 << true;
        QTest::newRow("451 bytes in pieces overflow") << 451 << 3 << true;
    }
    void overflow() {
        QFETCH(int, size);
        QFETCH(int, pieces);
        QFETCH(bool, overflow);
        Rig rig;
        QVERIFY(rig.open());
        // A reply of exactly `size` bytes answers the request.
        const QByteArray head = replyFrame("").left(5);
        const QByteArray tail = ":00\x03";
        const QByteArray data(size - head.size() - tail.size(), 'D');
        const QByteArray reply = head + data + tail;
        rig.peer.setResponder([reply, pieces](const QByteArray&) {
            QList<PtyPeer::Piece> out;
            const qsizetype step = (reply.size() + pieces - 1) / pieces;
            for (qsizetype at = 0; at < reply.size(); at += step)
                out << PtyPeer::Piece{at == 0 ? 0 : 20, reply.mid(at, step)};
            return out;
        });
        const QString got = rig.link.SendCommand(QStringLiteral("IS?"));
        if (overflow) {
            QCOMPARE(got, PseudoReply::Error);
            QVERIFY(!rig.link.portOpen());
            QCOMPARE(rig.op.shownIds(), QList<int>{10260});
            QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
            QVERIFY(!rig.link.lastTimedOut());
            QCOMPARE(int(rig.link.lastFailure()), int(SerialLink::Failure::Overflow));
            QVERIFY(rig.link.lastFailureShown());
        } else {
            QCOMPARE(got, QString::fromLatin1(data));
            QVERIFY(rig.link.portOpen());
            QVERIFY(rig.op.shown.isEmpty());
        }
    }

    void waitingBytesAreDiscarded_data() {
        QTest::addColumn<QByteArray>("waiting");
        QTest::newRow("a whole reply") << replyFrame("777");
        QTest::newRow("the tail of a reply") << QByteArray("77:1B\x03");
        QTest::newRow("the head of a reply") << replyFrame("777").left(6);
        QTest::newRow("a burst beyond the overflow limit") << QByteArray(600, 'X');
    }
    void waitingBytesAreDiscarded() {
        // What waits in the queue before a request was not sent for it.
        QFETCH(QByteArray, waiting);
        Rig rig;
        QVERIFY(rig.open());
        rig.peer.setResponder([](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, replyFrame("10000")}};
        });
        rig.peer.queue(waiting);
        QThread::msleep(50); // the bytes reach the port's queue
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?")), QStringLiteral("10000"));
        QVERIFY(rig.link.portOpen());
        QVERIFY(rig.op.shown.isEmpty());
    }

    void lateReplyIsNotTheNextOnesAnswer() {
        Rig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(100);
        rig.peer.setResponder([](const QByteArray& frame) {
            if (frame.contains("PC?"))
                return QList<PtyPeer::Piece>{{200, replyFrame("777")}};
            return QList<PtyPeer::Piece>{{0, replyFrame("10000")}};
        });
        QElapsedTimer t;
        t.start();
        QCOMPARE(rig.link.SendCommand(QStringLiteral("PC?")), PseudoReply::Timeout);
        QVERIFY(t.elapsed() >= 100);
        QVERIFY(rig.link.lastTimedOut());
        QCOMPARE(int(rig.link.lastFailure()), int(SerialLink::Failure::Timeout));
        QVERIFY(!rig.link.lastFailureShown());
        QThread::msleep(250); // the late reply is now waiting
        rig.link.setTimeoutMs(1000);
        // The next request gets its own reply, and clears the flag.
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?")), QStringLiteral("10000"));
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

    void vanishedPortIsReportedOnce() {
        auto rig = std::make_unique<Rig>();
        QVERIFY(rig->open());
        rig->link.setTimeoutMs(300);
        rig->peer.setResponder([](const QByteArray&) { return QList<PtyPeer::Piece>{}; });
        rig->vanish();
        QCOMPARE(rig->link.SendCommand(QStringLiteral("PO?")), PseudoReply::Error);
        QVERIFY(!rig->link.portOpen());
        QVERIFY(rig->link.lastPortLost());
        QVERIFY(rig->link.lastFailureShown());
        QVERIFY(!rig->link.lastTimedOut());
        QCOMPARE(rig->op.shown.size(), 1);
        QCOMPARE(rig->op.shown.first().text, Texts::text("link.portLost"));
        QCOMPARE(rig->op.shown.first().icon, Operator::Icon::Error);
        // Later commands end as on a closed port, without telling again.
        QCOMPARE(rig->link.SendCommand(QStringLiteral("PO?")), PseudoReply::Error);
        QCOMPARE(int(rig->link.lastFailure()), int(SerialLink::Failure::PortClosed));
        QCOMPARE(rig->op.shown.size(), 1);
    }

    void probeOfAVanishedPortTellsOnce() {
        Rig rig;
        QVERIFY(rig.open());
        rig.vanish();
        QVERIFY(!ProbeAxis(rig.link));
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("link.portLost"));
        QCOMPARE(rig.link.timeoutMs(), SerialLink::DefaultTimeoutMs);
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

    // The list asked for early is used once, with this call's own extra
    // ports; the next call asks the system again.
    void prefetchedListIsTakenOnce() {
        const QStringList direct = DiscoverPorts({QStringLiteral("/tmp/a")});
        PrefetchSystemPorts();
        PrefetchSystemPorts(); // a second request while one is pending changes nothing
        QCOMPARE(DiscoverPorts({QStringLiteral("/tmp/a")}), direct);
        QStringList withB = direct;
        withB.insert(withB.indexOf(QStringLiteral("/tmp/a")) + 1, QStringLiteral("/tmp/b"));
        QCOMPARE(DiscoverPorts({QStringLiteral("/tmp/a"), QStringLiteral("/tmp/b")}), withB);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
