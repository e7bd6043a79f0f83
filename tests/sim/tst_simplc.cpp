// The simulated axis as a machine's PLC drives it: inputs and program number,
// cycle programs run as moves in PLC mode with READY and ERROR, the operator
// lines of kormak-sim, and the switches that refuse the write release.

#include "sim/SimAxis.h"
#include "sim/SimBus.h"
#include "sim/SimPlc.h"

#include <QTest>

using sim::SimAxis;
using sim::SimPlc;

namespace {

// One axis with a clock moved by hand.
struct Axis {
    SimAxis a{u'0'};
    qint64 now = 0;
    QString cmd(const QString& c) { return a.execute(c, now); }
    void run(qint64 ms) {
        for (qint64 end = now + ms; now < end;) {
            now += 5;
            a.advance(now);
        }
    }
    bool release() { return cmd("FC" + cmd("IC?")) == QLatin1String("OK"); }
};

} // namespace

class TestSimPlc : public QObject {
    Q_OBJECT

private slots:
    // Every command an extended sequence's step sends is carried out without
    // an error bit, on both current families; the moves report themselves
    // running through "PC?" until they have ended.
    void stepCommandsAccepted_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("moves");
        const QStringList common{"PT20", "PC-200", "PO50", "PF100", "PN3",
                                 "CA",   "CI",     "CO",   "CR",    "CS"};
        for (const char* family : {"TKV 3A/50V", "SMC 2A"}) {
            const bool amps = QLatin1String(family).startsWith(u'T');
            const QStringList currents =
                amps ? QStringList{"PS1.2", "PR6.3", "PA0.0"} : QStringList{"PS7", "PRF", "PA0"};
            for (const QString& c : common + currents)
                QTest::addRow("%s %s", family, qPrintable(c)) << family << c << false;
            for (const char* m : {"GI+", "GI-", "GA16000", "GR-3200"})
                QTest::addRow("%s %s", family, m) << family << m << true;
        }
    }
    void stepCommandsAccepted() {
        QFETCH(QString, family);
        QFETCH(QString, command);
        QFETCH(bool, moves);
        Axis x;
        x.a.setFamily(family);
        x.cmd(command);
        QCOMPARE(x.a.overallStatus() & sim::StatusBit::OtherErrors, 0u);
        QCOMPARE(x.a.moving(), moves);
        if (moves) {
            x.run(100000);
            QVERIFY(!x.a.moving());
            QCOMPARE(x.a.overallStatus() & sim::StatusBit::Running, 0u);
        }
        // And the step's slot text is kept byte for byte.
        QVERIFY(x.release());
        x.cmd("EW05$&" + command);
        QCOMPARE(x.cmd("ER05"), "$&" + command);
    }

    // The PLC's inputs and program number as the program reads them; in mode 0
    // the outputs are whatever the program last wrote.
    void inputsAndOutputsInModeZero() {
        Axis x;
        x.a.inputs = SimPlc::Strobe | SimPlc::Enable;
        x.a.programNumber = 5;
        QCOMPARE(x.cmd("II?"), QStringLiteral("3"));
        QCOMPARE(x.cmd("EI?"), QStringLiteral("05"));
        x.cmd("IO3");
        QCOMPARE(x.cmd("IO?"), QStringLiteral("3"));
        x.run(50);
        // A strobe in mode 0 starts nothing.
        QVERIFY(!x.a.moving());
        QCOMPARE(x.cmd("IO?"), QStringLiteral("3"));
    }

    // A rising STROBE with ENABLE runs the selected slot's program to its end.
    void strobeRunsSelectedProgram() {
        Axis x;
        x.a.plcSlots[0] = QStringLiteral("PO400 PF2000 GA100 PN0");
        x.a.plcSlots[5] = QStringLiteral("PO400 PF4000 GA8000 PN2");
        x.a.setPosition(0);
        x.cmd("PD1");
        x.run(10);
        QCOMPARE(x.cmd("IO?"), QStringLiteral("1")); // ready in PLC mode
        x.a.programNumber = 5;
        x.a.inputs = SimPlc::Enable | SimPlc::Strobe;
        x.run(10);
        QVERIFY(x.a.moving());
        QCOMPARE(x.cmd("IO?"), QStringLiteral("0")); // busy
        QCOMPARE(x.a.params.runFreq, 4000);
        QCOMPARE(x.a.params.rampIndex, 2);
        x.run(5000);
        QVERIFY(!x.a.moving());
        QCOMPARE(x.a.position(), 8000);
        QCOMPARE(x.cmd("IO?"), QStringLiteral("1"));
        // Holding STROBE high starts nothing more.
        x.a.programNumber = 0;
        x.run(100);
        QCOMPARE(x.a.position(), 8000);
        // A new edge does.
        x.a.inputs = SimPlc::Enable;
        x.run(10);
        x.a.inputs = SimPlc::Enable | SimPlc::Strobe;
        x.run(5000);
        QCOMPARE(x.a.position(), 100);
    }

    // The initialisation sets its position after reaching the initiator.
    void initialisationSetsPositionAfterMove() {
        Axis x;
        x.a.plcSlots[1] = QStringLiteral("PO400 PF8000 GI- PC500 PN0");
        x.cmd("PD1");
        x.a.programNumber = 1;
        x.a.inputs = SimPlc::Enable | SimPlc::Strobe;
        x.run(20000);
        QVERIFY(!x.a.moving());
        QCOMPARE(x.a.physicalPosition(), 0.0);
        QCOMPARE(x.a.position(), 500);
        QCOMPARE(x.cmd("IO?"), QStringLiteral("1"));
    }

    // What the axis does with a strobe it cannot run.
    void strobeWithoutProgram_data() {
        QTest::addColumn<QString>("slotText");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<QString>("outputs");
        QTest::newRow("empty slot") << "" << 3 << "3";
        QTest::newRow("extended step") << "$&GA100" << 3 << "3";
        QTest::newRow("no move in the text") << "PO400 PF2000" << 3 << "3";
        QTest::newRow("refused value") << "PO400 PF2000 GAx PN0" << 3 << "3";
        QTest::newRow("without ENABLE") << "PO400 PF2000 GA100 PN0" << 1 << "1";
    }
    void strobeWithoutProgram() {
        QFETCH(QString, slotText);
        QFETCH(int, inputs);
        QFETCH(QString, outputs);
        Axis x;
        x.a.plcSlots[7] = slotText;
        x.cmd("PD1");
        x.a.programNumber = 7;
        x.run(10);
        x.a.inputs = inputs;
        x.run(200);
        QVERIFY(!x.a.moving());
        QCOMPARE(x.cmd("IO?"), outputs);
    }

    // The release refused on purpose: always, or only the n-th one.
    void refusedRelease_data() {
        QTest::addColumn<bool>("always");
        QTest::addColumn<int>("nth");
        QTest::addColumn<QList<bool>>("granted");
        QTest::newRow("none") << false << 0 << QList<bool>{true, true, true};
        QTest::newRow("always") << true << 0 << QList<bool>{false, false, false};
        QTest::newRow("the second") << false << 2 << QList<bool>{true, false, true, true};
        QTest::newRow("the next") << false << 1 << QList<bool>{false, true};
    }
    void refusedRelease() {
        QFETCH(bool, always);
        QFETCH(int, nth);
        QFETCH(QList<bool>, granted);
        Axis x;
        x.a.plcSlots[0] = QStringLiteral("kept");
        x.a.plc.refuseReleaseAlways = always;
        x.a.plc.refuseReleaseNth = nth;
        for (bool g : granted) {
            QCOMPARE(x.release(), g);
            // A refused release lets no write through.
            QCOMPARE(x.cmd("EW01new") == QLatin1String("OK"), g);
        }
        QCOMPARE(x.a.plcSlots[0], QStringLiteral("kept"));
    }

    // The lines a person types into kormak-sim.
    void operatorLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("program");
        QTest::newRow("inputs hex") << "3 inputs 0x3" << true << 3 << 0;
        QTest::newRow("inputs decimal") << "3 inputs 10" << true << 10 << 0;
        QTest::newRow("program") << "3 program 5" << true << 0 << 5;
        QTest::newRow("program hex") << "3 program 0xFF" << true << 0 << 255;
        QTest::newRow("inputs too big") << "3 inputs 16" << false << 0 << 0;
        QTest::newRow("program too big") << "3 program 256" << false << 0 << 0;
        QTest::newRow("not a number") << "3 program five" << false << 0 << 0;
        QTest::newRow("axis absent") << "4 inputs 1" << false << 0 << 0;
        QTest::newRow("unknown word") << "3 wiggle 1" << false << 0 << 0;
    }
    void operatorLines() {
        QFETCH(QString, line);
        QFETCH(bool, accepted);
        QFETCH(int, inputs);
        QFETCH(int, program);
        sim::SimBus bus(QStringLiteral("3"));
        const QString answer = sim::applyOperatorLine(bus, line);
        QCOMPARE(!answer.startsWith(u'?'), accepted);
        QCOMPARE(bus.axis(u'3').inputs, inputs);
        QCOMPARE(bus.axis(u'3').programNumber, program);
    }

    void operatorSlotLine() {
        sim::SimBus bus(QStringLiteral("0"));
        QVERIFY(!sim::applyOperatorLine(bus, "0 slot 0A PO400 PF2000 GA100 PN0").startsWith(u'?'));
        QCOMPARE(bus.axis(u'0').plcSlots[10], QStringLiteral("PO400 PF2000 GA100 PN0"));
        bus.axis(u'0').setFamily(QStringLiteral("RZH 2A"));
        QVERIFY(sim::applyOperatorLine(bus, "0 slot 08 GA1").startsWith(u'?'));
    }
};

QTEST_APPLESS_MAIN(TestSimPlc)
#include "tst_simplc.moc"
