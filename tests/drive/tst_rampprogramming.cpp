// Ramp calculation and programming on the wire, against the simulated
// controller: what is read, what is written where, and how each failure ends.

#include "SimRig.h"
#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/ProgramPlcArea.h"
#include "drive/RampCalculation.h"
#include "drive/RampMemory.h"

#include <QTest>

namespace {

QString hex4(int value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

// Reads count bytes of ramp memory from address with "FR" commands.
QByteArray readMemory(SerialLink& link, int address, int count) {
    QByteArray bytes;
    for (int at = address; at < address + count; at += 16)
        bytes += QByteArray::fromHex(link.SendCommand(QStringLiteral("FR") + hex4(at)).toLatin1());
    return bytes.left(count);
}

// Programs one ramp without a dialog, as the file transfer does.
bool programRamp(SerialLink& link, Operator& op, quint32 slope, qint32 top, qint32 free) {
    RampCalculation c(link, op);
    c.topFrequency = top;
    c.ramp = slope;
    c.freeMemory = free;
    return CalculateRamp(c) && ProgramRamp(c, true);
}

} // namespace

class TestRampProgramming : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // The directory goes to 0x10..0x60, the table to the address "IA?" gives,
    // and what arrives in the controller is exactly the table computed here.
    void programRunWritesDirectoryThenTable() {
        SimRig rig;
        QVERIFY(rig.open());
        // The controller's ten internal ramps: every directory block is in use.
        rig.axis([](sim::SimAxis& a) {
            a.maxRunFreq = 4000;
            a.ramps.installDefaults(a.clockHz, a.maxRunFreq);
        });
        const QString tableAddress = rig.link.SendCommand(QStringLiteral("IA?"));

        RampCalculation c(rig.link, rig.op);
        c.topFrequency = 4000;
        c.ramp = 10000;
        c.freeMemory = 65168 - (tableAddress.toInt(nullptr, 16) - 0x70);
        QVERIFY(CalculateRamp(c));
        QCOMPARE(c.bytesNeeded, 1644);
        QCOMPARE(c.rampNumber, 10);
        rig.host.clearLog();
        QVERIFY(ProgramRamp(c, true));
        QVERIFY(rig.op.shown.isEmpty());

        const int a = tableAddress.toInt(nullptr, 16);
        QStringList expected{"0010", "0020", "0030", "0040", "0050", "0060"};
        for (int block = 0; block < 1644 / 16 + 1; ++block)
            expected << hex4(a + 16 * block);
        const QStringList commands = rig.commands();
        QCOMPARE(writtenBlocks(commands), expected);
        // Release first, then "IA?", then the blocks, then the store.
        QCOMPARE(commands.mid(0, 3),
                 (QStringList{"IC?", "FC" + rig.link.SendCommand("IC?"), "IA?"}));
        QCOMPARE(commands.last(), QStringLiteral("WX"));
        QCOMPARE(rig.op.waits, QList<int>{3000});
        QCOMPARE(rig.op.progress.first(),
                 QStringLiteral("show:%1:%2:1").arg(Texts::text(10168) + "10000").arg(109));
        QCOMPARE(rig.op.progress.count(QStringLiteral("step")), 109);
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));

        auto image = RampMemoryImage::create();
        QCOMPARE(ComputeRampTable(*image, 12000000, 4000, 10000, 65168).entries, 820);
        const QByteArray expectedTable(reinterpret_cast<const char*>(image->data()) + 0x70, 1644);
        QCOMPARE(readMemory(rig.link, a, 1644).toHex(), expectedTable.toHex());
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IN?")), QStringLiteral("11"));
        // The panel's ramp list now ends with the new slope.
        QCOMPARE(RampSlopes(ReadRampValueList(rig.link)).last(), QStringLiteral("10000"));
    }

    // Ramp number 3: only its three directory words change, all others are
    // written back as they were read; blocks that start erased are not sent.
    void newRampChangesOnlyItsDirectoryWords() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.maxRunFreq = 4000;
            a.ramps.erase();
        });
        qint32 free = 65168;
        for (quint32 slope : {50000u, 80000u, 120000u}) {
            QVERIFY(programRamp(rig.link, rig.op, slope, 4000, free));
            free = 65168 - (rig.link.SendCommand("IA?").toInt(nullptr, 16) - 0x70);
        }
        const QByteArray before = readMemory(rig.link, 0x10, 0x60);
        rig.host.clearLog();
        QVERIFY(programRamp(rig.link, rig.op, 30000, 4000, free));
        const QByteArray after = readMemory(rig.link, 0x10, 0x60);

        QList<int> changed;
        for (int at = 0; at < 0x60; at += 2)
            if (before.mid(at, 2) != after.mid(at, 2))
                changed << 0x10 + at;
        QCOMPARE(changed, (QList<int>{0x16, 0x36, 0x56}));
        QCOMPARE(after.mid(0x56 - 0x10, 2).toHex(), QByteArray("012c")); // 30000 / 100
        // With four ramps the blocks at 0x20, 0x40 and 0x60 begin with erased words.
        QCOMPARE(writtenBlocks(rig.commands()).mid(0, 4),
                 (QStringList{"0010", "0030", "0050", hex4(0x70 + (65168 - free))}));
    }

    void refusedReleaseSendsNoBlock() {
        SimRig rig;
        QVERIFY(rig.open());
        RampCalculation c(rig.link, rig.op);
        c.topFrequency = 10000;
        c.ramp = 100000;
        c.freeMemory = 20000;
        QVERIFY(CalculateRamp(c));
        // A date code the line cannot carry: what comes back never matches it.
        rig.axis([](sim::SimAxis& a) { a.dateCode = QStringLiteral("1904\u20AC3"); });
        rig.referee.expect(QStringLiteral("FC"));
        rig.host.clearLog();
        QVERIFY(!ProgramRamp(c, true));
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(rig.op.progress.isEmpty());
        QVERIFY(writtenBlocks(rig.commands()).isEmpty());
        QVERIFY(!rig.commands().contains(QStringLiteral("WX")));
        QVERIFY(!c.image);
    }

    // A lost "WR" reply: 10103, the progress bar removed, nothing stored.
    void blockTimeoutStops() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        RampCalculation c(rig.link, rig.op);
        c.topFrequency = 10000;
        c.ramp = 100000;
        c.freeMemory = 20000;
        QVERIFY(CalculateRamp(c));
        rig.host.clearLog();
        bool busyWhilePumping = true;
        rig.op.onPump = [&] {
            busyWhilePumping = busyWhilePumping && BusyState::isBusy();
            if (rig.op.pumps == 3)
                rig.host.setFault(sim::Fault::NoReply);
        };
        QVERIFY(!ProgramRamp(c, true));
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
        QCOMPARE(rig.op.progress.count(QStringLiteral("hide")), 1);
        QCOMPARE(writtenBlocks(rig.commands()).size(), 4);
        QVERIFY(!rig.commands().contains(QStringLiteral("WX")));
        QVERIFY(busyWhilePumping);
        QVERIFY(!BusyState::isBusy());
        QVERIFY(!c.image);
    }

    // Each read of the calculation that does not come back ends it with
    // 10103: nothing it would have computed is kept, nothing more is sent.
    void calculationStopsOnLostReply_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("message");
        QTest::newRow("IQ? lost") << "IQ?" << 0 << true << "" << 10103;
        QTest::newRow("FR0030 lost") << "FR0030" << 0 << true << "" << 10103;
        QTest::newRow("FR0040 lost") << "FR0040" << 0 << true << "" << 10103;
        QTest::newRow("IN? lost") << "IN?" << 0 << true << "" << 10103;
        QTest::newRow("IA? lost") << "IA?" << 0 << true << "" << 10103;
        QTest::newRow("FR0010 lost") << "FR0010" << 0 << true << "" << 10103;
        QTest::newRow("FR0060 lost") << "FR0060" << 0 << true << "" << 10103;
        QTest::newRow("short directory read") << "FR0020" << 0 << false << "FFFF" << 10103;
        QTest::newRow("IA? not an address") << "IA?" << 0 << false << "ZZ" << 10103;
        // Sixteen ramps leave no directory entry; more would index past it.
        QTest::newRow("IN? 16") << "IN?" << 0 << false << "16" << 10170;
        QTest::newRow("IN? garbage") << "IN?" << 0 << false << "x" << 10170;
    }
    void calculationStopsOnLostReply() {
        QFETCH(QString, command);
        QFETCH(int, occurrence);
        QFETCH(bool, drop);
        QFETCH(QString, reply);
        QFETCH(int, message);
        TamperedSim sim;
        QVERIFY(sim.open());
        sim.tamper(command, occurrence, drop, reply);
        RampCalculation c(sim.link, sim.op);
        c.topFrequency = 10000;
        c.ramp = 100000;
        c.freeMemory = 20000;
        QVERIFY(!CalculateRamp(c));
        QCOMPARE(sim.op.shownIds(), QList<int>{message});
        QVERIFY(!c.image);
        QCOMPARE(sim.commands().last(), command);
        QVERIFY(!ProgramRamp(c, true)); // nothing to program without a calculation
    }

    // The table must fit the free memory: 10170, and no command after "IA?".
    void tableDoesNotFit() {
        TamperedSim sim;
        QVERIFY(sim.open());
        RampCalculation c(sim.link, sim.op);
        c.topFrequency = 4000;
        c.ramp = 10000;
        c.freeMemory = 1000;
        QVERIFY(!CalculateRamp(c));
        QCOMPARE(sim.op.shownIds(), QList<int>{10170});
        QCOMPARE(sim.commands().last(), QStringLiteral("IA?"));
        QVERIFY(!c.image);
    }

    // Slopes the directory cannot name, and an unknown top frequency, are
    // refused before anything is sent. A slope is the operator's input, and
    // the message says what is wrong with it.
    void refusedInputsSendNothing_data() {
        QTest::addColumn<uint>("slope");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        const QString tooLarge = Texts::text("ramp.slopeTooLarge");
        const int exclamation = int(Operator::Icon::Exclamation);
        QTest::newRow("9,999,999 Hz/s") << 9999999u << 4000 << tooLarge << exclamation;
        QTest::newRow("6,553,600 Hz/s") << 6553600u << 4000 << tooLarge << exclamation;
        QTest::newRow("6,553,500 Hz/s") << 6553500u << 4000 << tooLarge << exclamation;
        QTest::newRow("top frequency 0")
            << 10000u << 0 << Texts::text(10170) << int(Operator::Icon::Error);
    }
    void refusedInputsSendNothing() {
        QFETCH(uint, slope);
        QFETCH(int, top);
        QFETCH(QString, message);
        QFETCH(int, icon);
        TamperedSim sim;
        QVERIFY(sim.open());
        RampCalculation c(sim.link, sim.op);
        c.topFrequency = top;
        c.ramp = slope;
        c.freeMemory = 65168;
        QVERIFY(!CalculateRamp(c));
        QCOMPARE(sim.op.shown.size(), 1);
        const Operator::Message& m = sim.op.shown.first();
        QCOMPARE(m.textId ? Texts::text(m.textId) : m.text, message);
        QCOMPARE(int(m.icon), icon);
        QVERIFY(!message.isEmpty());
        QVERIFY(sim.commands().isEmpty());
    }

    // "ERROR" to a block ends like a time-out; a lost "WX" is no success either.
    void programmingFailures_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QList<int>>("messages");
        QTest::addColumn<bool>("storeSent");
        QTest::newRow("WR lost") << "WR" << 2 << true << "" << QList<int>{10103} << false;
        QTest::newRow("WR answered ERROR") << "WR" << 0 << false << "ERROR\r\n"
                                           << QList<int>{10103} << false;
        QTest::newRow("WX lost") << "WX" << 0 << true << "" << QList<int>{10103} << true;
        QTest::newRow("IA? lost") << "IA?" << 1 << true << "" << QList<int>{} << false;
        // The table would go elsewhere than the directory entry says.
        QTest::newRow("IA? moved") << "IA?" << 1 << false << "0100" << QList<int>{} << false;
        QTest::newRow("release lost") << "FC" << 0 << true << "" << QList<int>{10103} << false;
    }
    void programmingFailures() {
        QFETCH(QString, command);
        QFETCH(int, occurrence);
        QFETCH(bool, drop);
        QFETCH(QString, reply);
        QFETCH(QList<int>, messages);
        QFETCH(bool, storeSent);
        TamperedSim sim;
        QVERIFY(sim.open());
        sim.axis([](sim::SimAxis& a) { a.ramps.erase(); });
        sim.tamper(command, occurrence, drop, reply);
        RampCalculation c(sim.link, sim.op);
        c.topFrequency = 10000;
        c.ramp = 100000;
        c.freeMemory = 65168;
        QVERIFY(CalculateRamp(c));
        QVERIFY(!ProgramRamp(c, true));
        QCOMPARE(sim.op.shownIds(), messages);
        QCOMPARE(sim.commands().contains(QStringLiteral("WX")), storeSent);
        // Whatever was shown was also removed.
        QCOMPARE(sim.op.progress.count(QStringLiteral("hide")),
                 int(std::count_if(sim.op.progress.begin(), sim.op.progress.end(),
                                   [](const QString& p) { return p.startsWith("show:"); })));
        QVERIFY(!sim.op.shownIds().contains(10166));
    }

    // Without finish the progress display stays for the caller, who stores.
    void withoutFinishTheCallerStores() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.ramps.erase(); });
        RampCalculation c(rig.link, rig.op);
        c.topFrequency = 10000;
        c.ramp = 100000;
        c.freeMemory = 65168;
        QVERIFY(CalculateRamp(c));
        rig.host.clearLog();
        QVERIFY(ProgramRamp(c, false));
        QVERIFY(!rig.commands().contains(QStringLiteral("WX")));
        QVERIFY(!rig.op.progress.contains(QStringLiteral("hide")));
        QVERIFY(rig.op.waits.isEmpty());
        // Not stored yet: the controller still reports no ramp.
        QCOMPARE(rig.link.SendCommand(QStringLiteral("WX")), QStringLiteral("OK"));
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IN?")), QStringLiteral("1"));
    }

    // --- the PLC area in send mode ---------------------------------------------

    void plcAreaAllEmpty() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.plcSlots[5] = QStringLiteral("GA100"); });
        QList<int> shownSlots;
        PlcAreaProgress progress;
        progress.sending = [&](int slot) { shownSlots << slot; };
        rig.host.clearLog();
        QCOMPARE(ProgramPlcArea(rig.link, rig.op, QStringList(256), false, progress), 1);
        // The overall status that clears an old error bit, the release, "WE".
        QCOMPARE(rig.commands().size(), 4);
        QCOMPARE(rig.commands().at(0), QStringLiteral("IS?"));
        QCOMPARE(rig.commands().at(3), QStringLiteral("WE"));
        QCOMPARE(shownSlots.size(), 256);
        QCOMPARE(shownSlots.last(), 255);
        rig.axis([](sim::SimAxis& a) { QVERIFY(a.plcSlots[5].isEmpty()); });
    }

    void plcAreaEightSlots() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.setFamily(QStringLiteral("RZH 2A/24V")); });
        QStringList texts(8);
        texts[0] = QStringLiteral("PO400 GA100");
        texts[7] = QStringLiteral("GR-50");
        rig.host.clearLog();
        QCOMPARE(ProgramPlcArea(rig.link, rig.op, texts, true), 1);
        const QString fc = "FC" + rig.link.SendCommand("IC?");
        QCOMPARE(rig.commands().mid(0, 10), (QStringList{"IS?", "IC?", fc, "WE", "IC?", fc,
                                                         "WU0PO400 GA100", "IC?", fc, "WU7GR-50"}));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[0], QStringLiteral("PO400 GA100"));
            QCOMPARE(a.plcSlots[7], QStringLiteral("GR-50"));
        });
    }

    // A time-out at slot 12: 10103, slots 0-11 written, code 2.
    void plcAreaTimeoutAtSlot() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        QStringList texts(256);
        for (int i = 0; i < 20; ++i)
            texts[i] = QStringLiteral("GA%1").arg(i * 100);
        rig.op.onPump = [&] {
            QVERIFY(BusyState::isBusy());
            if (rig.op.pumps == 13) // before slot 12
                rig.host.setFault(sim::Fault::NoReply);
        };
        QCOMPARE(ProgramPlcArea(rig.link, rig.op, texts, false), 2);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        rig.op.onPump = nullptr;
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[11], QStringLiteral("GA1100"));
            QVERIFY(a.plcSlots[12].isEmpty());
            QVERIFY(a.plcSlots[13].isEmpty());
        });
        QVERIFY(!BusyState::isBusy());
    }

    // A refused release is never a success: nothing is erased or written, the
    // slots are still offered, and the code is 2.
    void plcAreaRefusedRelease() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[1] = QStringLiteral("OLD");
            a.dateCode = QStringLiteral("1904\u20AC3");
        });
        rig.referee.expect(QStringLiteral("FC"));
        QStringList texts(256);
        texts[3] = QStringLiteral("GA300");
        rig.host.clearLog();
        QCOMPARE(ProgramPlcArea(rig.link, rig.op, texts, false), 2);
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(!rig.commands().contains(QStringLiteral("WE")));
        QCOMPARE(rig.commands().count(QStringLiteral("IC?")), 2);
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[1], QStringLiteral("OLD"));
            QVERIFY(a.plcSlots[3].isEmpty());
        });
    }

    // Only one slot's release refused: the rest is written, still code 2.
    void plcAreaOneSlotRefused() {
        TamperedSim sim;
        QVERIFY(sim.open());
        QStringList texts(256);
        texts[1] = QStringLiteral("GA1");
        texts[2] = QStringLiteral("GA2");
        sim.tamper(QStringLiteral("FC"), 1, false, QStringLiteral("NO"));
        QCOMPARE(ProgramPlcArea(sim.link, sim.op, texts, false), 2);
        QVERIFY(sim.op.shown.isEmpty());
        QVERIFY(!sim.commands().contains(QStringLiteral("EW01GA1")));
        QVERIFY(sim.commands().contains(QStringLiteral("EW02GA2")));
    }

    // A lost reply to "WD" says nothing about the erase itself: after the
    // usual wait the memory tells. Only a memory found empty counts as erased.
    void lostEraseReply_data() {
        QTest::addColumn<bool>("executed");    // the controller erased all the same
        QTest::addColumn<QString>("alsoLost"); // a later read that fails as well
        QTest::addColumn<QString>("reply");    // its replacement; empty: lost
        QTest::addColumn<int>("result");
        QTest::addColumn<QList<int>>("messages");
        const int done = int(RampCommandResult::Done);
        const int unanswered = int(RampCommandResult::Unanswered);
        QTest::newRow("erased, only the reply lost") << true << ""
                                                     << "" << done << QList<int>{};
        QTest::newRow("never arrived") << false << ""
                                       << "" << unanswered << QList<int>{10103};
        QTest::newRow("count lost too") << true << "IN?"
                                        << "" << unanswered << QList<int>{10103};
        QTest::newRow("directory read lost") << true << "FR0050"
                                             << "" << unanswered << QList<int>{10103};
        QTest::newRow("directory still holds an address")
            << true << "FR0030"
            << "0070" + QString(28, 'F') << unanswered << QList<int>{10103};
        QTest::newRow("directory read too short") << true << "FR0010"
                                                  << "FFFF" << unanswered << QList<int>{10103};
    }
    void lostEraseReply() {
        QFETCH(bool, executed);
        QFETCH(QString, alsoLost);
        QFETCH(QString, reply);
        QFETCH(int, result);
        QFETCH(QList<int>, messages);
        TamperedSim sim;
        QVERIFY(sim.open());
        sim.axis([](sim::SimAxis& a) {
            a.ramps.erase();
            a.ramps.appendRamp(50, a.clockHz, 4000);
            a.ramps.appendRamp(125, a.clockHz, 4000);
        });
        sim.alsoTamper(QStringLiteral("WD"), 0, true, {}, executed);
        if (!alsoLost.isEmpty())
            sim.alsoTamper(alsoLost, 0, reply.isEmpty(), reply);

        QCOMPARE(int(EraseRampMemory(sim.link, sim.op)), result);
        QCOMPARE(sim.op.shownIds(), messages);
        QCOMPARE(sim.op.waits, QList<int>{2000});
        const QStringList sent = sim.commands();
        const qsizetype erase = sent.indexOf(QStringLiteral("WD"));
        QVERIFY(erase >= 0);
        QCOMPARE(sent.value(erase + 1), QStringLiteral("IN?"));
        for (const QString& c : sent.mid(erase + 1))
            QVERIFY2(c == QLatin1String("IN?") || c.startsWith(QLatin1String("FR")), qPrintable(c));
        int left = -1;
        sim.axis([&](sim::SimAxis& a) { left = a.ramps.rampCount(); });
        QCOMPARE(left, executed ? 0 : 2);
    }
};

QTEST_GUILESS_MAIN(TestRampProgramming)
#include "tst_rampprogramming.moc"
