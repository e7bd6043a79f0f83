// The PLC area against the simulated axis: what the dialog's opening reads and
// leaves behind, the values given back at closing, and programming that keeps
// the axis's extended steps.

#include "SimRig.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/ProgramPlcArea.h"
#include "plc/PlcArea.h"

#include <QTest>

class TestPlcArea : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // Every slot of the family's area is read in order, then the slopes, the
    // four values to give back, mode 0 and the position.
    void openingReadsTheArea_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("slotCount");
        QTest::addColumn<QString>("firstRead");
        QTest::addColumn<QString>("lastRead");
        QTest::newRow("256 slots") << "TKV 3A/50V" << 256 << "ER00"
                                   << "ERFF";
        QTest::newRow("eight slots") << "RZH 2A" << 8 << "FU0"
                                     << "FU7";
    }
    void openingReadsTheArea() {
        QFETCH(QString, family);
        QFETCH(int, slotCount);
        QFETCH(QString, firstRead);
        QFETCH(QString, lastRead);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.plcSlots[3] = QStringLiteral("PO400 PF2000 GA16000 PN3");
            a.plcSlots[4] = QStringLiteral("$&GA5");
            a.params.rampIndex = 12;
            a.params.operatingMode = 1;
            a.setPosition(1234);
        });
        bool busyWhileReading = false;
        rig.op.onPump = [&] { busyWhileReading = BusyState::isBusy(); };
        PlcArea::Opening o;
        QCOMPARE(PlcArea::ReadOpening(rig.link, rig.op, o), PlcArea::ReadResult::Done);
        QVERIFY(busyWhileReading);
        QVERIFY(!BusyState::isBusy());
        const QStringList c = rig.commands();
        QCOMPARE(c.first(), QStringLiteral("DO?"));
        QCOMPARE(c.at(1), firstRead);
        QCOMPARE(c.at(slotCount), lastRead);
        QCOMPARE(c.mid(slotCount + 1),
                 (QStringList{"FR0050", "FR0060", "PO?", "PF?", "PN?", "PD?", "PD0", "PC?"}));
        QCOMPARE(o.area.eightSlots, slotCount == 8);
        QCOMPARE(o.area.programs.at(3), QStringLiteral("PO400 PF2000 GA16000 PN3"));
        QCOMPARE(o.area.programs.at(4), QString());
        QCOMPARE(o.area.extendedSteps.at(4), QStringLiteral("$&GA5"));
        QCOMPARE(o.restoreCommands, (QStringList{"PO400", "PF2000", "PNC", "PD1"}));
        QCOMPARE(PlcArea::restoreRampIndex(o.restoreCommands), 12);
        QCOMPARE(o.position, QStringLiteral("1234"));
        QCOMPARE(o.rampSlopes.size(), 10);
        QCOMPARE(rig.op.progress.first(),
                 QStringLiteral("show:%1:%2:1").arg(Texts::text(10172)).arg(slotCount - 1));
        QCOMPARE(rig.op.progress.count(QStringLiteral("step")), slotCount);
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
        QVERIFY(rig.op.shown.isEmpty());

        // Closing gives the axis its values back.
        rig.host.clearLog();
        PlcArea::SendRestoreCommands(rig.link, o.restoreCommands);
        QCOMPARE(rig.commands(), (QStringList{"PO400", "PF2000", "PNC", "PD1"}));
    }

    // A slot read that brings no reply ends the reading with 10103; it is
    // never taken as a slot text.
    void lostSlotReplyEndsReading() {
        TamperedSim sim;
        QVERIFY(sim.open());
        sim.tamper(QStringLiteral("ER05"), 0, true);
        PlcArea::Opening o;
        QCOMPARE(PlcArea::ReadOpening(sim.link, sim.op, o), PlcArea::ReadResult::Failed);
        QCOMPARE(sim.op.shownIds(), QList<int>{10103});
        QCOMPARE(sim.commands().last(), QStringLiteral("ER05"));
        QCOMPARE(sim.op.progress.last(), QStringLiteral("hide"));
        QVERIFY(!o.area.programs.contains(QStringLiteral("TIMEOUT\r\n")));
        QVERIFY(!BusyState::isBusy());
    }

    // A restore query without a reply leaves its command out, so no
    // "POTIMEOUT" ever reaches the axis.
    void restoreSkipsFailedQueries() {
        TamperedSim sim;
        QVERIFY(sim.open());
        sim.tamper(QStringLiteral("PO?"), 0, true);
        const QStringList restore = PlcArea::ReadRestoreCommands(sim.link);
        QCOMPARE(restore.at(0), QString());
        sim.clearCommands();
        PlcArea::SendRestoreCommands(sim.link, restore);
        QCOMPARE(sim.commands(), (QStringList{"PF2000", "PN0", "PD0"}));
    }

    // Programming the cycle programs writes the extended steps read at opening
    // back into their slots.
    void programmingKeepsExtendedSteps() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[2] = QStringLiteral("PO1 PF2 GA3 PN0");
            a.plcSlots[9] = QStringLiteral("$&GA5");
        });
        PlcArea::Opening o;
        QCOMPARE(PlcArea::ReadOpening(rig.link, rig.op, o), PlcArea::ReadResult::Done);
        o.area.programs[2].clear();
        o.area.programs[3] = QStringLiteral("PO5 PF5 GS+ PN0");
        rig.host.clearLog();
        QCOMPARE(ProgramPlcArea(rig.link, rig.op, PlcArea::TextsToProgram(o.area), false),
                 int(PlcAreaDone));
        QStringList writes;
        for (const QString& c : rig.commands())
            if (c.startsWith(QLatin1String("EW")) || c == QLatin1String("WE"))
                writes << c;
        QCOMPARE(writes, (QStringList{"WE", "EW03PO5 PF5 GS+ PN0", "EW09$&GA5"}));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[2], QString());
            QCOMPARE(a.plcSlots[9], QStringLiteral("$&GA5"));
        });
    }
};

QTEST_MAIN(TestPlcArea)
#include "tst_plcarea.moc"
