// The cycle-program dialog against the simulated axis, checked on the wire
// through the simulator's log.

#include "SimRig.h"
#include "axis/StatusLamp.h"
#include "base/Texts.h"
#include "plc/CSPSDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

CSPSDialog::Setup onlineSetup() {
    CSPSDialog::Setup s;
    s.axis = QStringLiteral("0");
    s.startStopList = {"200", "400"};
    s.runFreqList = {"1000", "2000", "4000"};
    return s;
}

template <typename T> T* child(CSPSDialog& d, const QString& name) {
    return d.findChild<T*>(name);
}

QStringList writesIn(const QStringList& commands) {
    QStringList w;
    for (const QString& c : commands)
        if (c.startsWith(QLatin1String("EW")) || c == QLatin1String("WE") ||
            c.startsWith(QLatin1String("FC")))
            w << c;
    return w;
}

} // namespace

class TestCSPSDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // Row 3 edited and programmed: one release and "WE", then exactly the
    // non-empty slots, untouched ones byte for byte as read; then the axis's
    // values go back at closing.
    void editProgramAndRestore() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("PO400 PF2000 GA100 PNF"); // ramp beyond the list
            a.plcSlots[1] = QStringLiteral("ODD TEXT");               // no keyword
            a.plcSlots[7] = QStringLiteral("$&GA5");                  // extended step
            a.params.rampIndex = 2;
        });
        {
            CSPSDialog d(rig.link, rig.op, onlineSetup());
            QVERIFY(d.Initialise());
            QCOMPARE(d.currentSlot(), 0);
            auto* kind = child<QComboBox>(d, "kind3");
            kind->setCurrentIndex(CycleProgram::PositionAbsolute);
            emit kind->activated(CycleProgram::PositionAbsolute);
            auto* target = child<QLineEdit>(d, "target3");
            QCOMPARE(target->text(), QStringLiteral("0"));
            target->clear();
            QTest::keyClicks(target, "16000");
            rig.host.clearLog();
            d.programClicked();
            QCOMPARE(rig.op.shownIds(), (QList<int>{10112, 10113}));
            const QStringList w = writesIn(rig.commands());
            QCOMPARE(w.mid(1, 1), QStringList{"WE"});
            QCOMPARE(w.filter(QRegularExpression("^(EW|WE)")),
                     (QStringList{"WE", "EW00PO400 PF2000 GA100 PNF", "EW01ODD TEXT",
                                  "EW03PO400 PF2000 GA16000 PN2", "EW07$&GA5"}));
            QCOMPARE(d.committedSlots(), d.workingSlots());
            rig.host.clearLog();
            rig.op.clear();
            d.closeClicked();
            QVERIFY(rig.op.shown.isEmpty()); // nothing left to ask about
        }
        QCOMPARE(rig.commands(), (QStringList{"PO400", "PF2000", "PN2", "PD0"}));
    }

    // A refused release at delete-all leaves the axis and the dialog as they were.
    void refusedDeleteAllKeepsEverything() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.plcSlots[4] = QStringLiteral("PO5 PF5 GS+ PN0"); });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        rig.axis([](sim::SimAxis& a) { a.plc.refuseReleaseAlways = true; });
        rig.host.clearLog();
        d.deleteAllClicked();
        QCOMPARE(rig.op.shownIds(), (QList<int>{10111, 10114}));
        QVERIFY(!rig.commands().contains(QStringLiteral("WE")));
        QCOMPARE(d.workingSlots().at(4), QStringLiteral("PO5 PF5 GS+ PN0"));
        QCOMPARE(child<QComboBox>(d, "kind4")->currentIndex(), int(CycleProgram::StepPlus));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[4], QStringLiteral("PO5 PF5 GS+ PN0"));
            a.plc.refuseReleaseAlways = false;
        });
    }

    // A typed target that is no number is sent nowhere.
    void badTargetIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "12a";
        QTest::newRow("sign alone") << "-";
    }
    void badTargetIsRefused() {
        QFETCH(QString, typed);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.plcSlots[2] = QStringLiteral("PO400 PF2000 GA1 PN0"); });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        auto* target = child<QLineEdit>(d, "target2");
        target->clear();
        QTest::keyClicks(target, typed);
        rig.host.clearLog();
        d.testRow(2);
        d.programClicked();
        QCOMPARE(rig.op.shownIds(), (QList<int>{10243, 10243}));
        QVERIFY(rig.commands().isEmpty());
    }

    // Test runs the row's move; the live position follows it to the target.
    void testRunsTheMove() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("PO400 PF4000 GA800 PN3");
            a.setPosition(0);
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        rig.host.clearLog();
        d.testRow(0);
        QCOMPARE(rig.commands().mid(0, 4), (QStringList{"PO400", "PF4000", "PN3", "GA800"}));
        QTRY_VERIFY_WITH_TIMEOUT(!d.timer().isActive(), 10000);
        QCOMPARE(child<QLabel>(d, "position")->text(), QStringLiteral("800"));
    }

    // The handshake by hand: the inputs select program 5, the lamps show them
    // and only row 5 may be tested; READY and ERROR reach the axis.
    void simulationShowsTheInputs() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[5] = QStringLiteral("PO400 PF2000 GA100 PN0");
            a.programNumber = 5;
            a.inputs = 3;
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.simulationClicked();
        QVERIFY(d.simulationRunning());
        d.SimulationTick();
        QCOMPARE(child<StatusLamp>(d, "STROBE")->colour(), StatusLamp::Colour::Green);
        QCOMPARE(child<StatusLamp>(d, "ENABLE")->colour(), StatusLamp::Colour::Green);
        QCOMPARE(child<StatusLamp>(d, "PROG0")->colour(), StatusLamp::Colour::Green);
        QCOMPARE(child<StatusLamp>(d, "PROG1")->colour(), StatusLamp::Colour::Grey);
        QCOMPARE(child<StatusLamp>(d, "PROG2")->colour(), StatusLamp::Colour::Green);
        QCOMPARE(child<QLabel>(d, "programNumber")->text(),
                 QStringLiteral("Programmnummer: 5 / 0x05"));
        for (int r = 0; r < CSPSDialog::RowCount; ++r)
            QCOMPARE(child<QPushButton>(d, QStringLiteral("test%1").arg(r))->isEnabled(), r == 5);
        // A program out of view brings its slot to the first row.
        rig.axis([](sim::SimAxis& a) { a.programNumber = 20; });
        d.SimulationTick();
        QCOMPARE(child<QLabel>(d, "slot0")->text(), QStringLiteral("20"));
        QVERIFY(child<QPushButton>(d, "test0")->isEnabled());

        child<QCheckBox>(d, "ready")->click();
        child<QCheckBox>(d, "error")->click();
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IO?")), QStringLiteral("3"));
        rig.host.clearLog();
        d.simulationClicked();
        QCOMPARE(rig.commands(), QStringList{"IO0"});
        QCOMPARE(child<StatusLamp>(d, "STROBE")->colour(), StatusLamp::Colour::Grey);
    }

    // With the dialog closed and the axis in PLC mode, the stored program that
    // the inputs select runs on the strobe and READY comes back.
    void storedProgramRunsInPlcMode() {
        SimRig rig;
        QVERIFY(rig.open());
        {
            CSPSDialog d(rig.link, rig.op, onlineSetup());
            QVERIFY(d.Initialise());
            for (int r : {0, 5}) {
                auto* kind = child<QComboBox>(d, QStringLiteral("kind%1").arg(r));
                kind->setCurrentIndex(CycleProgram::PositionAbsolute);
                emit kind->activated(CycleProgram::PositionAbsolute);
                auto* target = child<QLineEdit>(d, QStringLiteral("target%1").arg(r));
                target->clear();
                QTest::keyClicks(target, r == 0 ? "40" : "1600");
            }
            d.programClicked();
            QCOMPARE(rig.op.shownIds().last(), 10113);
        }
        rig.link.SendCommand(QStringLiteral("PC0"));
        rig.link.SendCommand(QStringLiteral("PD1"));
        rig.axis([](sim::SimAxis& a) {
            a.programNumber = 5;
            a.inputs = 2;
        });
        QTRY_COMPARE(rig.link.SendCommand(QStringLiteral("IO?")), QStringLiteral("1"));
        rig.axis([](sim::SimAxis& a) { a.inputs = 3; });
        QTRY_COMPARE_WITH_TIMEOUT(rig.link.SendCommand(QStringLiteral("PC?")),
                                  QStringLiteral("1600"), 10000);
        QTRY_COMPARE(rig.link.SendCommand(QStringLiteral("IO?")), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestCSPSDialog)
#include "tst_cspsdialog.moc"
