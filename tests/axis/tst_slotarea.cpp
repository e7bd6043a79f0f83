#include "SimRig.h"
#include "axis/MemoryAreas.h"

#include <QTest>

// The one reader of the PLC slot area: the slot form, the slots read, when
// events are dispatched, and the stop at the first reply that did not come.
class TestSlotArea : public QObject {
    Q_OBJECT

    static QStringList slotReads(const QStringList& commands) {
        QStringList reads;
        for (const QString& c : commands)
            if (c.startsWith(QLatin1String("ER")) || c.startsWith(QLatin1String("FU")))
                reads << c;
        return reads;
    }

private slots:
    void readsTheSlotsOfItsFormInOrder_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("eightSlots");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("only");
        QTest::addColumn<QStringList>("wire");
        QTest::newRow("eight-slot form")
            << "RZH 2" << true << 8 << QList<int>{}
            << QStringList{"FU0", "FU1", "FU2", "FU3", "FU4", "FU5", "FU6", "FU7"};
        // The report and the step dialog read "ER" slots whatever the family.
        QTest::newRow("ER form on an RZH axis")
            << "RZH 2" << false << 3 << QList<int>{} << QStringList{"ER00", "ER01", "ER02"};
        QTest::newRow("a file's slots only")
            << "SMC 8A" << false << 256 << QList<int>{0x1A, 3, 0xFF}
            << QStringList{"ER1A", "ER03", "ERFF"};
        QTest::newRow("no slots") << "SMC 8A" << false << 0 << QList<int>{} << QStringList{};
    }
    void readsTheSlotsOfItsFormInOrder() {
        QFETCH(QString, family);
        QFETCH(bool, eightSlots);
        QFETCH(int, count);
        QFETCH(QList<int>, only);
        QFETCH(QStringList, wire);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.plcSlots[3] = QStringLiteral("PO400 PF2000 GA100 PN1");
        });
        SlotAreaRead how;
        how.eightSlots = eightSlots;
        how.count = count;
        how.only = only;
        QMap<int, QString> seen;
        const SlotAreaEnd end =
            ReadPlcSlotArea(rig.link, rig.op, how, [&](int n, const QString& t) {
                seen.insert(n, t);
                return true;
            });
        QCOMPARE(end, SlotAreaEnd::Complete);
        QCOMPARE(slotReads(rig.commands()), wire);
        QCOMPARE(seen.size(), wire.size());
        if (seen.contains(3))
            QCOMPARE(seen.value(3), QStringLiteral("PO400 PF2000 GA100 PN1"));
        QCOMPARE(rig.op.pumps, 0);
        QVERIFY(rig.op.shown.isEmpty());
    }

    void pumpsAfterEveryNthSlotNumber_data() {
        QTest::addColumn<int>("every");
        QTest::addColumn<int>("pumps");
        QTest::newRow("never") << 0 << 0;
        QTest::newRow("every slot") << 1 << 40;
        QTest::newRow("after 0F, 1F") << 16 << 2;
    }
    void pumpsAfterEveryNthSlotNumber() {
        QFETCH(int, every);
        QFETCH(int, pumps);
        SimRig rig;
        QVERIFY(rig.open());
        SlotAreaRead how;
        how.count = 40;
        how.pumpEvery = every;
        QCOMPARE(ReadPlcSlotArea(rig.link, rig.op, how, {}), SlotAreaEnd::Complete);
        QCOMPARE(rig.op.pumps, pumps);
    }

    // A reply that did not come ends the read there: no slot after it is
    // asked for, the visitor never sees the pseudo-reply, nothing is shown.
    void stopsAtTheFirstLostReply() {
        TamperedSim sim;
        QVERIFY(sim.open());
        sim.tamper(QStringLiteral("ER05"), 0, true);
        SlotAreaRead how;
        how.count = 16;
        QStringList texts;
        int lost = -1;
        const SlotAreaEnd end = ReadPlcSlotArea(
            sim.link, sim.op, how,
            [&](int, const QString& t) {
                texts << t;
                return true;
            },
            &lost);
        QCOMPARE(end, SlotAreaEnd::Lost);
        QCOMPARE(lost, 5);
        QCOMPARE(texts.size(), 5);
        QCOMPARE(slotReads(sim.commands()).constLast(), QStringLiteral("ER05"));
        QVERIFY(sim.op.shown.isEmpty());
    }

    void visitorOrKeepGoingStopsWithNothingMoreSent_data() {
        QTest::addColumn<bool>("byVisitor");
        QTest::newRow("visitor") << true;
        QTest::newRow("after pumping") << false;
    }
    void visitorOrKeepGoingStopsWithNothingMoreSent() {
        QFETCH(bool, byVisitor);
        SimRig rig;
        QVERIFY(rig.open());
        SlotAreaRead how;
        how.count = 10;
        how.pumpEvery = 1;
        if (!byVisitor)
            how.keepGoing = [](int read, int count) { return count == 10 && read < 3; };
        const SlotAreaEnd end = ReadPlcSlotArea(
            rig.link, rig.op, how, [&](int n, const QString&) { return !byVisitor || n < 2; });
        QCOMPARE(end, SlotAreaEnd::Stopped);
        QCOMPARE(slotReads(rig.commands()), (QStringList{"ER00", "ER01", "ER02"}));
        // The visitor's stop comes before the slot's pumping.
        QCOMPARE(rig.op.pumps, byVisitor ? 2 : 3);
    }

    // Whatever runs between two slots, a holding read stays on its axis.
    void holdsTheAddressItBeganWith() {
        SimRig rig;
        QVERIFY(rig.open());
        SlotAreaRead how;
        how.count = 4;
        how.pumpEvery = 1;
        how.holdAddress = true;
        rig.op.onPump = [&] { rig.link.setCurrentAddress(QStringLiteral("5")); };
        QCOMPARE(ReadPlcSlotArea(rig.link, rig.op, how, {}), SlotAreaEnd::Complete);
        QCOMPARE(slotReads(rig.commands()), (QStringList{"ER00", "ER01", "ER02", "ER03"}));
    }
};

QTEST_GUILESS_MAIN(TestSlotArea)
#include "tst_slotarea.moc"
