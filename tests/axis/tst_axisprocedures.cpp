#include "PtyPeer.h"
#include "ScriptedOperator.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "axis/PanelCommands.h"
#include "axis/StatusPolling.h"
#include "link/LinkTarget.h"
#include "link/SerialLink.h"

#include <QHash>
#include <QTest>

namespace {

// A controller that answers from a table: command -> data, with the status
// byte of its choice. A command missing from the table gets no reply.
class ScriptedAxis {
public:
    QHash<QString, QByteArray> replies;
    QByteArray status = "00";

    ScriptedAxis() {
        peer_.setResponder([this](const QByteArray& frame) -> QList<PtyPeer::Piece> {
            const QString command = commandOf(frame);
            std::lock_guard lock(mutex_);
            if (!replies.contains(command))
                return {};
            return {{0, replyFrame(replies.value(command))}};
        });
    }

    bool open(SerialLink& link) {
        if (!peer_.open())
            return false;
        link.setPorts({peer_.slavePath()});
        link.setCurrentAddress(QStringLiteral("0"));
        // Only the silent commands wait, and the wait is what they test.
        link.setTimeoutMs(400);
        return link.TogglePort();
    }
    void set(const QString& command, const QByteArray& data) {
        std::lock_guard lock(mutex_);
        replies.insert(command, data);
    }
    void drop(const QString& command) {
        std::lock_guard lock(mutex_);
        replies.remove(command);
    }

    // The commands received so far, in order.
    QStringList wire() const {
        QStringList commands;
        const QByteArray bytes = peer_.received();
        qsizetype start = -1;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes.at(i) == '\x02')
                start = i;
            else if (bytes.at(i) == '\x03' && start >= 0)
                commands << commandOf(bytes.mid(start, i - start + 1));
        }
        return commands;
    }

private:
    static QString commandOf(const QByteArray& frame) {
        // STX, address, command, ":", two checksum digits, ETX.
        return QString::fromLatin1(frame.mid(2, frame.size() - 6));
    }
    QByteArray replyFrame(const QByteArray& data) const {
        return "\x02"
               "0" +
               status + " " + data + ":00\x03";
    }

    mutable std::mutex mutex_;
    PtyPeer peer_;
};

// The answers of a healthy axis to the configuration read.
const QList<QPair<QString, QByteArray>> ConfigurationReplies = {
    {"IF?", "4000"},
    {"PO?", "400"},
    {"DO?", "TKV 3A"},
    {"PF?", "2000"},
    {"PL?", "1"},
    {"PD?", "0"},
    {"FR0050", "0032007D00FA017701F4027102EE036B"},
    {"FR0060", "03E804B0FFFFFFFFFFFFFFFFFFFFFFFF"},
    {"PN?", "B"},
    {"PC?", "-1200"},
    {"PG?", "1000000"},
    {"PW?", "12"},
    {"PP?", "5"},
    {"PM?", "6"},
    {"PI?", "-1"}};

QStringList configurationCommands() {
    QStringList commands;
    for (const auto& reply : ConfigurationReplies)
        commands << reply.first;
    return commands;
}

} // namespace

class TestAxisProcedures : public QObject {
    Q_OBJECT

    struct Rig {
        ScriptedOperator op;
        SerialLink link{op};
        ScriptedAxis axis;
        bool open() { return axis.open(link); }
    };

private slots:
    void writeUnlock_data() {
        QTest::addColumn<QByteArray>("dateCode"); // empty: no reply
        QTest::addColumn<QByteArray>("release");  // empty: no reply
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("wire");
        QTest::newRow("granted") << QByteArray("190423") << QByteArray("OK")
                                 << int(UnlockResult::Granted) << QStringList{"IC?", "FC190423"};
        QTest::newRow("refused") << QByteArray("190423") << QByteArray("NO")
                                 << int(UnlockResult::Refused) << QStringList{"IC?", "FC190423"};
        QTest::newRow("only exactly OK grants")
            << QByteArray("190423") << QByteArray("OK ") << int(UnlockResult::Refused)
            << QStringList{"IC?", "FC190423"};
        QTest::newRow("release not answered")
            << QByteArray("190423") << QByteArray() << int(UnlockResult::LinkFailed)
            << QStringList{"IC?", "FC190423"};
        // "TIMEOUT" is no date code: it is never sent back as one.
        QTest::newRow("date code not answered")
            << QByteArray() << QByteArray("OK") << int(UnlockResult::LinkFailed)
            << QStringList{"IC?"};
    }
    void writeUnlock() {
        QFETCH(QByteArray, dateCode);
        QFETCH(QByteArray, release);
        QFETCH(int, result);
        QFETCH(QStringList, wire);
        Rig rig;
        QVERIFY(rig.open());
        if (!dateCode.isEmpty())
            rig.axis.set("IC?", dateCode);
        if (!release.isEmpty())
            rig.axis.set("FC" + QString::fromLatin1(dateCode), release);
        QCOMPARE(int(RequestWriteUnlock(rig.link)), result);
        QCOMPARE(rig.axis.wire(), wire);
        QVERIFY(rig.op.shown.isEmpty());
    }

    void storeParameters_data() {
        QTest::addColumn<QByteArray>("release");
        QTest::addColumn<bool>("wpAnswered");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("wire");
        QTest::newRow("stored") << QByteArray("OK") << true << int(StoreResult::Stored)
                                << QStringList{"IC?", "FC7", "WP"};
        QTest::newRow("refused: no WP")
            << QByteArray("NO") << true << int(StoreResult::Refused) << QStringList{"IC?", "FC7"};
        QTest::newRow("WP lost") << QByteArray("OK") << false << int(StoreResult::LinkFailed)
                                 << QStringList{"IC?", "FC7", "WP"};
    }
    void storeParameters() {
        QFETCH(QByteArray, release);
        QFETCH(bool, wpAnswered);
        QFETCH(int, result);
        QFETCH(QStringList, wire);
        Rig rig;
        QVERIFY(rig.open());
        rig.axis.set("IC?", "7");
        rig.axis.set("FC7", release);
        if (wpAnswered)
            rig.axis.set("WP", "");
        QCOMPARE(int(StoreCurrentParameters(rig.link)), result);
        QCOMPARE(rig.axis.wire(), wire);
    }

    void plcSlotsOnTheWire() {
        Rig rig;
        QVERIFY(rig.open());
        rig.axis.set("ER0A", "PO400 PF2000 GA16000 PN3");
        rig.axis.set("FU7", "$&GA100");
        QCOMPARE(ReadPlcSlot(rig.link, 10, false), QStringLiteral("PO400 PF2000 GA16000 PN3"));
        QCOMPARE(ReadPlcSlot(rig.link, 7, true), QStringLiteral("$&GA100"));
        // A slot outside the area is not asked for at all.
        QCOMPARE(ReadPlcSlot(rig.link, 8, true), PseudoReply::Error);
        rig.axis.set("EW0AGA1", "");
        WritePlcSlot(rig.link, 10, "GA1", false);
        rig.axis.set("WE", "");
        ErasePlcArea(rig.link);
        rig.axis.set("FR0050", "0032007D");
        rig.axis.set("FR0060", "FFFF");
        QCOMPARE(ReadRampValueList(rig.link), QStringLiteral("0032007DFFFF"));
        QCOMPARE(rig.axis.wire(),
                 (QStringList{"ER0A", "FU7", "EW0AGA1", "WE", "FR0050", "FR0060"}));
    }

    void readConfiguration() {
        Rig rig;
        QVERIFY(rig.open());
        for (const auto& [command, data] : ConfigurationReplies)
            rig.axis.set(command, data);
        // A 16-entry ramp list, so that "PN?" answering B selects entry 11.
        rig.axis.set("FR0060", "03E804B0001000110012001300140015");
        CKormakDoc doc;
        AxisParameters p;
        QVERIFY(ReadAxisConfiguration(rig.link, rig.op, p));
        QCOMPARE(rig.axis.wire(), configurationCommands());
        QVERIFY(rig.op.shown.isEmpty());
        QCOMPARE(p.maxRunFreq, 4000u);
        QCOMPARE(p.maxStartStopFreq, 500u);
        QCOMPARE(p.runFreqList.last(), QStringLiteral("4000"));
        QCOMPARE(p.startStopList.last(), QStringLiteral("500"));
        QCOMPARE(p.startStopFreq, QStringLiteral("400"));
        QCOMPARE(p.deviceType, QStringLiteral("TKV 3A"));
        QCOMPARE(p.runFreq, QStringLiteral("2000"));
        QCOMPARE(p.systemType, 1);
        QCOMPARE(p.operatingMode, 0);
        QCOMPARE(p.rampList.size(), 16);
        QCOMPARE(p.rampIndex, 11);
        QCOMPARE(p.position, QStringLiteral("-1200"));
        QCOMPARE(p.axisLimit, QStringLiteral("1000000"));
        QCOMPARE(p.backlash, QStringLiteral("12"));
        QCOMPARE(p.zeroOffsetPlus, QStringLiteral("5"));
        QCOMPARE(p.zeroOffsetMinus, QStringLiteral("6"));
        QVERIFY(!p.sfiPresent);
    }

    // Any query left unanswered ends the read right there, with one message,
    // and no field takes "TIMEOUT" as its value.
    void readStopsAtLostReply_data() {
        QTest::addColumn<QString>("silent");
        for (const QString& command : configurationCommands())
            QTest::newRow(qPrintable(command)) << command;
    }
    void readStopsAtLostReply() {
        QFETCH(QString, silent);
        Rig rig;
        QVERIFY(rig.open());
        for (const auto& [command, data] : ConfigurationReplies)
            if (command != silent)
                rig.axis.set(command, data);
        CKormakDoc doc;
        AxisParameters p;
        QVERIFY(!ReadAxisConfiguration(rig.link, rig.op, p));
        const QStringList all = configurationCommands();
        QCOMPARE(rig.axis.wire(), all.mid(0, all.indexOf(silent) + 1));
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
        for (const QString* field :
             {&p.startStopFreq, &p.runFreq, &p.position, &p.axisLimit, &p.backlash,
              &p.zeroOffsetPlus, &p.zeroOffsetMinus, &p.deviceType})
            QVERIFY(!field->contains(QLatin1String("TIMEOUT")));
        if (all.indexOf(silent) <= all.indexOf("PL?"))
            QCOMPARE(p.systemType, -1); // a lost "PL?" selects no system type
        if (silent != "IF?") {
            // The bounds were read before the loss: the lists already follow them.
            QCOMPARE(p.runFreqList.last(), QStringLiteral("4000"));
            QCOMPARE(p.startStopList.last(), QStringLiteral("500"));
        }
    }

    void offlineReads_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("defaults");
        QTest::newRow("new configuration") << "OFFLINE NEW" << true;
        QTest::newRow("opened file") << "OFFLINE" << false;
    }
    void offlineReads() {
        QFETCH(QString, address);
        QFETCH(bool, defaults);
        Rig rig;
        QVERIFY(rig.open());
        rig.link.setCurrentAddress(address);
        CKormakDoc doc;
        AxisParameters p;
        p.runFreq = QStringLiteral("from the file");
        QVERIFY(!ReadAxisConfiguration(rig.link, rig.op, p));
        QVERIFY(rig.axis.wire().isEmpty());
        QCOMPARE(p.startStopList.size(), 17);
        QCOMPARE(p.runFreqList.size(), 41);
        if (defaults) {
            QCOMPARE(p.rampList.size(), 10);
            QCOMPARE(p.rampIndex, 0);
            QCOMPARE(p.systemType, 0);
            QCOMPARE(p.operatingMode, 0);
            QCOMPARE(p.startStopFreq, QStringLiteral("400"));
            QCOMPARE(p.runFreq, QStringLiteral("2000"));
            QCOMPARE(p.position, QStringLiteral("0"));
            QCOMPARE(p.axisLimit, QStringLiteral("1000000"));
            QCOMPARE(p.backlash, QStringLiteral("0"));
            QCOMPARE(p.zeroOffsetPlus, QStringLiteral("0"));
            QCOMPARE(p.zeroOffsetMinus, QStringLiteral("0"));
            QCOMPARE((QStringList{p.boostCurrent, p.runCurrent, p.stopCurrent, p.boostTime}),
                     (QStringList{"0", "4", "2", "20"}));
        } else {
            QVERIFY(p.rampList.isEmpty());
            QCOMPARE(p.runFreq, QStringLiteral("from the file"));
            QVERIFY(p.runCurrent.isEmpty());
        }
    }

    void poll_data() {
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<bool>("wasRunning");
        QTest::addColumn<QByteArray>("outputs"); // empty: "IO?" unanswered
        QTest::addColumn<QStringList>("wire");
        QTest::addColumn<int>("motion");
        QTest::addColumn<bool>("outputsRead");
        QTest::addColumn<int>("result");
        using M = StatusPoll::Motion;
        using R = StatusPoll::Result;
        QTest::newRow("idle") << QByteArray("00") << false << QByteArray("1")
                              << QStringList{"II?", "IO?"} << int(M::Unchanged) << true
                              << int(R::Done);
        QTest::newRow("starts running")
            << QByteArray("21") << false << QByteArray("3") << QStringList{"II?", "PC?", "IO?"}
            << int(M::Started) << true << int(R::Done);
        QTest::newRow("still running")
            << QByteArray("01") << true << QByteArray("0") << QStringList{"II?", "PC?", "IO?"}
            << int(M::Unchanged) << true << int(R::Done);
        QTest::newRow("stopped: final position")
            << QByteArray("00") << true << QByteArray("0") << QStringList{"II?", "PC?", "IO?"}
            << int(M::Stopped) << true << int(R::Done);
        QTest::newRow("outputs not hexadecimal")
            << QByteArray("00") << false << QByteArray("x1") << QStringList{"II?", "IO?"}
            << int(M::Unchanged) << false << int(R::Done);
        QTest::newRow("outputs lost")
            << QByteArray("00") << false << QByteArray("") << QStringList{"II?", "IO?"}
            << int(M::Unchanged) << false << int(R::TimedOut);
    }
    void poll() {
        QFETCH(QByteArray, status);
        QFETCH(bool, wasRunning);
        QFETCH(QByteArray, outputs);
        QFETCH(QStringList, wire);
        QFETCH(int, motion);
        QFETCH(bool, outputsRead);
        QFETCH(int, result);
        Rig rig;
        QVERIFY(rig.open());
        rig.axis.status = status;
        rig.axis.set("II?", "5");
        rig.axis.set("PC?", "800");
        if (!outputs.isEmpty())
            rig.axis.set("IO?", outputs);
        const StatusPoll poll = PollShortStatus(rig.link, wasRunning);
        QCOMPARE(rig.axis.wire(), wire);
        QCOMPARE(int(poll.result), result);
        QCOMPARE(poll.shortStatus, status.toInt(nullptr, 16));
        QCOMPARE(poll.inputs, 5);
        QCOMPARE(int(poll.motion), motion);
        QCOMPARE(poll.positionRead, wire.contains("PC?"));
        if (poll.positionRead)
            QCOMPARE(poll.position, QStringLiteral("800"));
        QCOMPARE(poll.outputsRead, outputsRead);
        if (outputsRead) {
            const int value = outputs.toInt(nullptr, 16);
            QCOMPARE(poll.outputA0, bool(value & 1));
            QCOMPARE(poll.outputA1, bool(value & 2));
        }
    }

    void pollLosesPosition() {
        Rig rig;
        QVERIFY(rig.open());
        rig.axis.status = "01";
        rig.axis.set("II?", "0");
        const StatusPoll poll = PollShortStatus(rig.link, false);
        QCOMPARE(int(poll.result), int(StatusPoll::Result::TimedOut));
        QVERIFY(!poll.positionRead);
        // The motor is running all the same: the panel must lock.
        QCOMPARE(int(poll.motion), int(StatusPoll::Motion::Started));
        QCOMPARE(rig.axis.wire(), (QStringList{"II?", "PC?"}));
    }

    void moves_data() {
        QTest::addColumn<int>("moveType");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("wire");
        QTest::addColumn<int>("result");
        using R = MoveOutcome::Result;
        QTest::newRow("relative, negative")
            << 3 << "-150" << QStringList{"GR-150", "PC?"} << int(R::Sent);
        QTest::newRow("free run") << 4 << "99" << QStringList{"GF+"} << int(R::Sent);
        QTest::newRow("step -") << 7 << "" << QStringList{"GS-", "PC?"} << int(R::Sent);
        QTest::newRow("absolute, letters") << 2 << "1O00" << QStringList() << int(R::BadTarget);
        QTest::newRow("absolute, empty") << 2 << "" << QStringList() << int(R::BadTarget);
        QTest::newRow("no selection") << -1 << "100" << QStringList() << int(R::NoSelection);
    }
    void moves() {
        QFETCH(int, moveType);
        QFETCH(QString, target);
        QFETCH(QStringList, wire);
        QFETCH(int, result);
        Rig rig;
        QVERIFY(rig.open());
        for (const char* c : {"GR-150", "GF+", "GS-"})
            rig.axis.set(c, "");
        rig.axis.set("PC?", "-150");
        const MoveOutcome move = StartMove(rig.link, moveType, target);
        QCOMPARE(int(move.result), result);
        QCOMPARE(rig.axis.wire(), wire);
        QCOMPARE(move.positionRead, wire.contains("PC?"));
    }

    void axisTargetRestoresTheAddress() {
        Rig rig;
        QVERIFY(rig.open());
        rig.link.setCurrentAddress(QStringLiteral("3"));
        {
            AxisTarget target(rig.link, AxisAddress::axis(0), rig.link.portIndex(),
                              rig.link.baudIndex());
            QCOMPARE(rig.link.currentAddress(), QStringLiteral("0"));
            QVERIFY(rig.link.portOpen());
        }
        QCOMPARE(rig.link.currentAddress(), QStringLiteral("3"));
    }

    // An axis opened at another rate than the port is open at now.
    void axisTargetPort_data() {
        QTest::addColumn<int>("use");
        QTest::addColumn<bool>("reopenedInside");
        QTest::addColumn<bool>("backAfter");
        using P = AxisTarget::Port;
        QTest::newRow("the active panel keeps the port") << int(P::Keep) << true << false;
        QTest::newRow("another panel borrows it") << int(P::Borrow) << true << true;
        QTest::newRow("a baud change holds it") << int(P::Stay) << false << true;
    }
    void axisTargetPort() {
        QFETCH(int, use);
        QFETCH(bool, reopenedInside);
        QFETCH(bool, backAfter);
        Rig rig;
        QVERIFY(rig.open());
        const int port = rig.link.portIndex();
        const int baud = rig.link.baudIndex();
        const LinkPlace& place = LinkPlace::of(rig.link);
        QVERIFY(place.isAt(port, baud));
        {
            AxisTarget target(rig.link, AxisAddress::axis(0), port, 0, AxisTarget::Port(use));
            QVERIFY(rig.link.portOpen());
            QCOMPARE(place.isAt(port, 0), reopenedInside);
            // The bar's selection is the operator's, whatever the port is open at.
            QCOMPARE(rig.link.baudIndex(), baud);
        }
        QVERIFY(rig.link.portOpen());
        QCOMPARE(place.isAt(port, baud), backAfter);
        QCOMPARE(rig.link.baudIndex(), baud);
    }
};

QTEST_GUILESS_MAIN(TestAxisProcedures)
#include "tst_axisprocedures.moc"
