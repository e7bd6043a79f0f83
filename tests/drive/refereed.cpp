// Tests for the referee to judge, run by tst_referee as a child process: each one sends what
// its name says, and the referee alone decides whether it passes.
#include "Referee.h"
#include "SimProcess.h"
#include "SimRig.h"

#include <QProcess>
#include <QTemporaryDir>

class TestRefereed : public QObject {
    Q_OBJECT

private slots:
    void sendsARefusedCommand() {
        SimRig rig;
        QVERIFY(rig.open());
        // The reply carries a data field all the same; only the referee sees the fault.
        rig.link.SendCommand(QStringLiteral("EW5GA1"));
    }
    void saysItSendsTheRefusedCommand() {
        SimRig rig;
        rig.referee.expect(QStringLiteral("EW5"));
        QVERIFY(rig.open());
        rig.link.SendCommand(QStringLiteral("EW5GA1"));
    }
    void sendsGoodCommandsOnly() {
        SimRig rig;
        QVERIFY(rig.open());
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?")), QStringLiteral("10000"));
    }
    void readsAnEightSlotAxisWithTheLongQuery() {
        SimRig rig;
        rig.axis([](sim::SimAxis& a) { a.setFamily(QStringLiteral("RZH 2.0")); });
        QVERIFY(rig.open());
        rig.link.SendCommand(QStringLiteral("ER08"));
    }
    // kormak-sim as a child: its --log output carries the refusal.
    void childSimulatorRefuses() {
        SimProcess sim;
        const QString failure = sim.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "0", "--log"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        ScriptedOperator op;
        SerialLink link(op);
        link.setPorts({sim.port()});
        link.setBaudIndex(3);
        link.setCurrentAddress(QStringLiteral("0"));
        QVERIFY(link.TogglePort());
        link.SendCommand(QStringLiteral("XY?"));
        link.TogglePort();
        QVERIFY(sim.stop());
        sim.judge(Referee(), __FILE__, __LINE__);
    }
};

QTEST_GUILESS_MAIN(TestRefereed)
#include "refereed.moc"
