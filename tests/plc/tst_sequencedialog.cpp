// The extended-sequence dialog and its test run against the simulated axis,
// checked on the wire through the simulator's log.

#include "SimRig.h"
#include "axis/AxisConfiguration.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/ExtendedStep.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

CDlgSPSErweitert::Setup onlineSetup() {
    CDlgSPSErweitert::Setup s;
    s.axis = QStringLiteral("0");
    s.startStopList = {"200", "400", "", "800"};
    s.runFreqList = {"1000", "2000", "4000"};
    s.rampList = {"5000", "10000", "20000", "40000"};
    return s;
}

template <typename T> T* child(QWidget& d, const QString& name) {
    T* w = d.findChild<T*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

void chooseKind(CDlgSPSErweitert& d, int r, int kind) {
    auto* box = child<QComboBox>(d, QStringLiteral("kind%1").arg(r));
    box->setCurrentIndex(kind);
    emit box->activated(kind);
}

void typeInto(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
}

QStringList writesIn(const QStringList& commands) {
    QStringList w;
    for (const QString& c : commands)
        if (c.startsWith(QLatin1String("EW")) || c == QLatin1String("WE"))
            w << c;
    return w;
}

// The log with each run of "PC?" polls folded into one.
QStringList folded(const QStringList& commands) {
    QStringList out;
    for (const QString& c : commands)
        if (c != QLatin1String("PC?") || out.isEmpty() || out.last() != c)
            out << c;
    return out;
}

// The test run's pauses count the waits asked for, not the wall clock.
qint64 waited(const ScriptedOperator& op) {
    qint64 sum = 0;
    for (int ms : op.waits)
        sum += ms;
    return sum;
}

void pressTest(CDlgSPSErweitert& d) {
    auto* test = child<QPushButton>(d, "testButton");
    test->setChecked(true);
    d.testClicked();
}

} // namespace

class TestSequenceDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // Opening online: the family, the 256 slots with the progress, the
    // position, the nine restore queries, "PD0" only where the axis is not in
    // mode 0, and the level currents of a device that counts in levels.
    void openingReadsTheAxis_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("after");
        const QStringList amps{"PS??", "PR??", "PA??", "PT?", "PC?", "PO?", "PF?", "PN?", "PD?"};
        const QStringList levels{"PS?", "PR?", "PA?", "PT?", "PC?", "PO?", "PF?", "PN?", "PD?"};
        QTest::newRow("TKV in mode 0") << "TKV 3A/50V" << 0 << QStringList{"PC?"} + amps;
        QTest::newRow("TMW in PLC mode")
            << "TMW 1A" << 1 << QStringList{"PC?"} + amps + QStringList{"PD0"};
        QTest::newRow("level device")
            << "SMC 2A" << 0 << QStringList{"PC?"} + levels + QStringList{"FA?"};
    }
    void openingReadsTheAxis() {
        QFETCH(QString, family);
        QFETCH(int, mode);
        QFETCH(QStringList, after);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.params.operatingMode = mode;
            a.plcSlots[3] = QStringLiteral("$&GA16000");
            a.plcSlots[4] = QStringLiteral("PO400 PF2000 GA100 PN0");
        });
        rig.host.clearLog();
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        const QStringList c = rig.commands();
        QCOMPARE(c.value(0), QStringLiteral("DO?"));
        for (int i = 0; i < 256; ++i)
            QCOMPARE(c.value(1 + i), QStringLiteral("ER%1").arg(i, 2, 16, QChar(u'0')).toUpper());
        QCOMPARE(c.mid(257), after);
        QCOMPARE(rig.op.progress.size(), 258); // show, 256 steps, hide
        QCOMPARE(rig.op.progress.first(), QStringLiteral("show:%1:255:1").arg(Texts::text(10172)));
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
        QCOMPARE(d.workingSlots().at(3), QStringLiteral("$&GA16000"));
        QVERIFY(d.workingSlots().at(4).isEmpty()); // a cycle program is no step
        QCOMPARE(child<QLabel>(d, "position")->text(), QStringLiteral("0"));
        QVERIFY(!BusyState::isBusy());
    }

    // Closing gives back what the axis had at opening, also the position
    // counter a step changed and the mode the dialog left it in.
    void closingRestoresTheAxis() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.params.operatingMode = 1;
            a.params.stopCurrent = 12;
            a.params.runFreq = 3000;
            a.setPosition(-55);
        });
        {
            CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
            QVERIFY(d.Initialise());
            rig.link.SendCommand(QStringLiteral("PC700"));
            rig.link.SendCommand(QStringLiteral("PS2.5"));
            rig.host.clearLog();
        }
        QCOMPARE(rig.commands(), (QStringList{"PS1.2", "PR1.0", "PA1.5", "PT20", "PC-55", "PO400",
                                              "PF3000", "PN0", "PD1"}));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.position(), qint64(-55));
            QCOMPARE(a.params.stopCurrent, 12);
            QCOMPARE(a.params.operatingMode, 1);
        });
    }

    // A slot read without a reply ends the opening with the link's message;
    // nothing is sent back at closing. A restore query without a reply is
    // left out of the restore.
    void lostRepliesAtOpening() {
        {
            TamperedSim t;
            QVERIFY(t.open());
            t.tamper(QStringLiteral("ER10"), 0, true);
            {
                CDlgSPSErweitert d(t.link, t.op, onlineSetup());
                QVERIFY(!d.Initialise());
                QCOMPARE(t.op.shownIds(), QList<int>{10103});
                QCOMPARE(t.op.progress.last(), QStringLiteral("hide"));
                t.clearCommands();
            }
            QVERIFY(t.commands().isEmpty());
            t.link.setLastTimedOut(false);
        }
        TamperedSim t;
        QVERIFY(t.open());
        t.tamper(QStringLiteral("PT?"), 0, true);
        {
            CDlgSPSErweitert d(t.link, t.op, onlineSetup());
            QVERIFY(d.Initialise());
            t.link.setLastTimedOut(false);
            t.clearCommands();
        }
        QCOMPARE(t.commands(),
                 (QStringList{"PS0.5", "PR1.0", "PA1.5", "PC0", "PO400", "PF2000", "PN0", "PD0"}));
    }

    // What the rows show for stored steps, on both current families.
    void rowsShowTheSteps_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("edit");     // "" when the edit is hidden
        QTest::addColumn<QString>("listText"); // "" when the list is hidden
        QTest::newRow("absolute") << "TKV 3A"
                                  << "$&GA16000" << 3 << "16000"
                                  << "";
        QTest::newRow("jump in decimal") << "TKV 3A"
                                         << "$&N0C" << 6 << "12"
                                         << "";
        QTest::newRow("TKV current") << "TKV 3A"
                                     << "$&PS1.2" << 7 << ""
                                     << "1.2 A";
        QTest::newRow("level current from FA?") << "SMC 2A"
                                                << "$&PS7" << 7 << ""
                                                << "4.0 A";
        QTest::newRow("run frequency not in the list") << "TKV 3A"
                                                       << "$&PF2500" << 13 << ""
                                                       << "2500";
        QTest::newRow("ramp") << "TKV 3A"
                              << "$&PN2" << 14 << ""
                              << "20000";
        QTest::newRow("reset") << "TKV 3A"
                               << "$&CA" << 15 << ""
                               << "";
    }
    void rowsShowTheSteps() {
        QFETCH(QString, family);
        QFETCH(QString, step);
        QFETCH(int, kind);
        QFETCH(QString, edit);
        QFETCH(QString, listText);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.plcSlots[1] = step;
        });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.show();
        QCOMPARE(child<QComboBox>(d, "kind1")->currentIndex(), kind);
        QCOMPARE(child<QLineEdit>(d, "edit1")->isVisible(), !edit.isEmpty());
        QCOMPARE(child<QComboBox>(d, "list1")->isVisible(), !listText.isEmpty());
        if (!edit.isEmpty())
            QCOMPARE(child<QLineEdit>(d, "edit1")->text(), edit);
        if (!listText.isEmpty())
            QCOMPARE(child<QComboBox>(d, "list1")->currentText(), listText);
        QCOMPARE(child<QComboBox>(d, "kind0")->currentIndex(), 0);
        QVERIFY(!child<QLineEdit>(d, "edit0")->isVisible());
    }

    // A value the row's list has no entry for, and a text that is no step,
    // go back to the axis as they were, after scrolling and programming.
    void untouchedRowsKeepTheirText_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("current");
        QTest::newRow("amperes on a level device") << "SMC 2A"
                                                   << "$&PS2.0";
        QTest::newRow("beyond the TKV list") << "TKV 3A"
                                             << "$&PS9.9";
        QTest::newRow("two decimals on a TMW") << "TMW 1A"
                                               << "$&PS1.25";
    }
    void untouchedRowsKeepTheirText() {
        QFETCH(QString, family);
        QFETCH(QString, current);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.plcSlots[0] = current;
            a.plcSlots[1] = QStringLiteral("$&PN9");
            a.plcSlots[2] = QStringLiteral("$&XY1");
        });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        QCOMPARE(child<QComboBox>(d, "kind2")->currentIndex(), -1);
        d.scrollTo(20);
        d.scrollTo(0);
        chooseKind(d, 3, ExtendedStep::ResetInitiators);
        rig.host.clearLog();
        d.programClicked();
        QCOMPARE(rig.op.shownIds(), (QList<int>{10112, 10113}));
        QCOMPARE(writesIn(rig.commands()),
                 (QStringList{"WE", "EW00" + current, "EW01$&PN9", "EW02$&XY1", "EW03$&CI"}));
    }

    // Scrolling through the whole area and back, and the wheel over the
    // rows' lists, change no step: lists refilled on the way must not pick
    // another value for a row, and a wheel must not pick another kind.
    void scrollingChangesNoStep() {
        SimRig rig;
        QVERIFY(rig.open());
        const QStringList steps = {"$&PS1.2", "$&PS9.9", "$&PF2500",  "$&PO400",
                                   "$&PN2",   "$&PN9",   "$&GA16000", "$&N1F",
                                   "$&T500",  "$&XY",    "$&PR0.5",   "$&CA"};
        rig.axis([&](sim::SimAxis& a) {
            for (int s = 0; s < 256; ++s)
                a.plcSlots[s] = steps.at((s * 7) % steps.size());
        });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.show();
        for (int top = 1; top <= CDlgSPSErweitert::TopMax; ++top)
            d.scrollTo(top);
        for (int top = CDlgSPSErweitert::TopMax; top >= 0; top -= 8)
            d.scrollTo(top);
        d.scrollTo(0);
        for (const char* name : {"kind0", "list0", "kind3", "list3"}) {
            auto* box = child<QComboBox>(d, QLatin1String(name));
            QWheelEvent e(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &e);
        }
        QVERIFY(d.CollectRows());
        QCOMPARE(d.workingSlots(), d.committedSlots());
        rig.op.clear();
        d.closeClicked();
        QVERIFY(rig.op.shown.isEmpty());
    }

    // A new row takes its kind's default into its control, and collects it.
    void newRowsTakeDefaults_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("step");
        QTest::newRow("pause") << int(ExtendedStep::Pause) << "0"
                               << "$&T0";
        QTest::newRow("boost time") << int(ExtendedStep::BoostTime) << "20"
                                    << "$&PT20";
        QTest::newRow("start/stop") << int(ExtendedStep::StartStopFrequency) << "50"
                                    << "$&PO50";
        QTest::newRow("run frequency") << int(ExtendedStep::RunFrequency) << "100"
                                       << "$&PF100";
        QTest::newRow("current") << int(ExtendedStep::BoostCurrent) << "0.0 A"
                                 << "$&PA0.0";
        QTest::newRow("ramp") << int(ExtendedStep::Ramp) << "5000"
                              << "$&PN0";
        QTest::newRow("jump") << int(ExtendedStep::Jump) << "0"
                              << "$&N00";
    }
    void newRowsTakeDefaults() {
        QFETCH(int, kind);
        QFETCH(QString, shown);
        QFETCH(QString, step);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.plcSlots[4] = QStringLiteral("$&GA777"); });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        chooseKind(d, 4, kind);
        QCOMPARE(d.workingSlots().at(4), step);
        const bool edit = ExtendedStep::control(kind) == ExtendedStep::Control::Edit;
        QCOMPARE(edit ? child<QLineEdit>(d, "edit4")->text()
                      : child<QComboBox>(d, "list4")->currentText(),
                 shown);
    }

    // Another kind keeps the row's value where it is one of the same sort
    // and valid for the new kind; otherwise the new kind takes its default.
    void otherKindKeepsTheValue_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("step");
        QTest::newRow("absolute to relative")
            << "$&GA16000" << int(ExtendedStep::MoveRelative) << "$&GR16000";
        QTest::newRow("position to actual position")
            << "$&GR-40" << int(ExtendedStep::ActualPosition) << "$&PC-40";
        QTest::newRow("position never a jump target")
            << "$&GA16000" << int(ExtendedStep::Jump) << "$&N00";
        QTest::newRow("jump target never a position")
            << "$&N03" << int(ExtendedStep::PositionAbsolute) << "$&GA0";
        QTest::newRow("pause to boost time")
            << "$&T500" << int(ExtendedStep::BoostTime) << "$&PT500";
        QTest::newRow("negative position no pause")
            << "$&GA-5" << int(ExtendedStep::Pause) << "$&T0";
        QTest::newRow("start/stop to run frequency")
            << "$&PO400" << int(ExtendedStep::RunFrequency) << "$&PF400";
        QTest::newRow("ramp to frequency")
            << "$&PN2" << int(ExtendedStep::StartStopFrequency) << "$&PO50";
    }
    void otherKindKeepsTheValue() {
        QFETCH(QString, stored);
        QFETCH(int, kind);
        QFETCH(QString, step);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) { a.plcSlots[3] = stored; });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        chooseKind(d, 3, kind);
        QCOMPARE(d.workingSlots().at(3), step);
        QVERIFY(rig.op.shown.isEmpty());
    }

    // The position counter goes back to its value at the opening only when
    // no step moved the motor meanwhile: after a move it tells where the
    // motor stands.
    void closingKeepsTheCounterAfterAMove_data() {
        QTest::addColumn<QString>("firstStep");
        QTest::addColumn<bool>("restored");
        QTest::newRow("a relative move ran") << "$&GR10" << false;
        QTest::newRow("only a reset ran") << "$&CA" << true;
    }
    void closingKeepsTheCounterAfterAMove() {
        QFETCH(QString, firstStep);
        QFETCH(bool, restored);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.setPosition(-55);
            a.plcSlots[0] = firstStep;
            a.plcSlots[1] = QStringLiteral("$&N100"); // beyond the area: the run ends
        });
        {
            CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
            QVERIFY(d.Initialise());
            pressTest(d);
            QVERIFY(!d.testRunning());
            rig.host.clearLog();
        }
        QCOMPARE(rig.commands().contains(QStringLiteral("PC-55")), restored);
        QVERIFY(rig.commands().contains(QStringLiteral("PO400")));
        rig.axis([&](sim::SimAxis& a) { QCOMPARE(a.position(), qint64(restored ? -55 : -45)); });
    }

    // A typed jump target outside the area is refused with a message and
    // never reaches the axis; the rows stay where they are.
    void jumpTargetOutOfRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("256") << "256";
        QTest::newRow("negative") << "-3";
        QTest::newRow("letters") << "1F";
    }
    void jumpTargetOutOfRange() {
        QFETCH(QString, typed);
        SimRig rig;
        QVERIFY(rig.open());
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        chooseKind(d, 2, ExtendedStep::Jump);
        typeInto(child<QLineEdit>(d, "edit2"), typed);
        rig.host.clearLog();
        rig.op.clear();
        d.programClicked();
        d.scrollTo(9);
        QCOMPARE(rig.op.shown.size(), 2);
        QCOMPARE(rig.op.shown.at(0).text, Texts::text("plcext.jumpRange"));
        QVERIFY(rig.commands().isEmpty());
        QCOMPARE(d.topSlot(), 0);
        QCOMPARE(d.workingSlots().at(2), QStringLiteral("$&N00"));
        typeInto(child<QLineEdit>(d, "edit2"), QStringLiteral("255"));
        QVERIFY(d.CollectRows());
        QCOMPARE(d.workingSlots().at(2), QStringLiteral("$&NFF"));
    }

    // The run over a four-step loop: the move steps go out and are waited
    // for on "PC?", the pause takes 500 ms in 10 ms slices, the jump goes
    // back to slot 0; Stop (or Test pressed again) ends it at the next check.
    void testRunLoopsUntilStopped_data() {
        QTest::addColumn<bool>("stopButton");
        QTest::addColumn<QString>("last");
        QTest::newRow("Stop") << true << "H";
        QTest::newRow("Test pressed again") << false << "PC?";
    }
    void testRunLoopsUntilStopped() {
        QFETCH(bool, stopButton);
        QFETCH(QString, last);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("$&PF2000");
            a.plcSlots[1] = QStringLiteral("$&GA0");
            a.plcSlots[2] = QStringLiteral("$&T500");
            a.plcSlots[3] = QStringLiteral("$&N00");
            a.setPosition(1600);
        });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.setClock([&rig] { return waited(rig.op); });
        rig.host.clearLog();
        rig.op.clear();
        bool busyThroughout = true;
        bool pauseOnRedRow = false;
        bool scrollLocked = true;
        rig.op.onPump = [&] {
            busyThroughout = busyThroughout && BusyState::isBusy();
            scrollLocked = scrollLocked && !child<QScrollBar>(d, "scroll")->isEnabled();
            if (!rig.op.waits.isEmpty() && rig.op.waits.last() == 10 && d.executingRow() == 2 &&
                child<QComboBox>(d, "kind2")->styleSheet().contains(QLatin1String("255, 0, 0")))
                pauseOnRedRow = true;
            if (rig.commands().count(QStringLiteral("PF2000")) == 2 &&
                child<QPushButton>(d, "testButton")->isChecked()) {
                if (stopButton)
                    d.stopClicked();
                else
                    child<QPushButton>(d, "testButton")->click();
            }
        };
        pressTest(d);
        rig.op.onPump = nullptr;
        QCOMPARE(folded(rig.commands()),
                 (QStringList{"PF2000", "PC?", "GA0", "PC?", "PF2000", "PC?"} +
                  (last == QLatin1String("H") ? QStringList{"H"} : QStringList{})));
        // The move took polls until the axis stood still at 0.
        QVERIFY(rig.commands().count(QStringLiteral("PC?")) > 3);
        QCOMPARE(child<QLabel>(d, "position")->text(), QStringLiteral("0"));
        QCOMPARE(rig.op.waits.count(10), 50);
        QVERIFY(pauseOnRedRow);
        QVERIFY(busyThroughout);
        QVERIFY(scrollLocked);
        QVERIFY(!child<QPushButton>(d, "testButton")->isChecked());
        QVERIFY(child<QScrollBar>(d, "scroll")->isEnabled());
        QVERIFY(child<QComboBox>(d, "kind2")->styleSheet().isEmpty());
        QVERIFY(!BusyState::isBusy());
        QVERIFY(rig.op.shown.isEmpty());
    }

    // Runs that end by themselves: past slot 255, at a jump beyond the
    // area, or at a jump target that is no number (with a message naming
    // the slot, and nothing sent).
    void testRunEnds_data() {
        QTest::addColumn<QStringList>("steps"); // "NN text"
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("top");
        QTest::newRow("empty area") << QStringList{} << QStringList{} << "" << 247;
        QTest::newRow("jump beyond the area") << QStringList{"00 $&N1F", "1F $&CA", "20 $&N100"}
                                              << QStringList{"CA", "PC?"} << "" << 31;
        QTest::newRow("jump target no number")
            << QStringList{"05 $&NZZ", "06 $&CA"} << QStringList{} << "5" << 0;
        QTest::newRow("jump to the last slot")
            << QStringList{"00 $&NFF", "FF $&CI"} << QStringList{"CI", "PC?"} << "" << 247;
    }
    void testRunEnds() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, sent);
        QFETCH(QString, message);
        QFETCH(int, top);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            for (const QString& s : steps)
                a.plcSlots[s.left(2).toInt(nullptr, 16)] = s.mid(3);
        });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        rig.host.clearLog();
        rig.op.clear();
        pressTest(d);
        QCOMPARE(folded(rig.commands()), sent);
        QCOMPARE(rig.op.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(rig.op.shown.first().text, Texts::text("plcext.badJump").arg(message));
        QVERIFY(!child<QPushButton>(d, "testButton")->isChecked());
        QCOMPARE(d.topSlot(), top);
        QCOMPARE(child<QScrollBar>(d, "scroll")->value(), top);
    }

    // An axis that stops answering while the run waits for it ends the run
    // with the time-out message.
    void testRunTimeOut() {
        TamperedSim t;
        QVERIFY(t.open());
        t.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("$&GA0");
            a.plcSlots[1] = QStringLiteral("$&CA");
        });
        CDlgSPSErweitert d(t.link, t.op, onlineSetup());
        QVERIFY(d.Initialise());
        t.clearCommands();
        t.tamper(QStringLiteral("PC?"), 0, true);
        pressTest(d);
        QCOMPARE(t.op.shownIds(), QList<int>{10103});
        QCOMPARE(t.commands(), (QStringList{"GA0", "PC?"}));
        QVERIFY(!child<QPushButton>(d, "testButton")->isChecked());
        t.link.setLastTimedOut(false);
    }

    // A programmed sequence survives closing and opening again, and the
    // cycle programs stored beside it survive too; after a delete-all they
    // are gone for good.
    void programmedSequenceSurvives_data() {
        QTest::addColumn<bool>("deleteFirst");
        QTest::newRow("programmed beside cycle programs") << false;
        QTest::newRow("after delete-all") << true;
    }
    void programmedSequenceSurvives() {
        QFETCH(bool, deleteFirst);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("PO400 PF2000 GA100 PN0");
            a.plcSlots[9] = QStringLiteral("PO5 PF5 GS+ PN0");
            a.plcSlots[1] = QStringLiteral("$&T5");
        });
        QStringList programmed;
        {
            CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
            QVERIFY(d.Initialise());
            if (deleteFirst)
                d.deleteAllClicked();
            chooseKind(d, 2, ExtendedStep::PositionAbsolute);
            typeInto(child<QLineEdit>(d, "edit2"), QStringLiteral("-4000"));
            chooseKind(d, 3, ExtendedStep::RunCurrent);
            auto* list = child<QComboBox>(d, "list3");
            list->setCurrentIndex(25);
            emit list->activated(25);
            chooseKind(d, 4, ExtendedStep::Jump);
            typeInto(child<QLineEdit>(d, "edit4"), QStringLiteral("2"));
            d.programClicked();
            programmed = d.workingSlots();
            rig.op.clear();
            d.closeClicked();
            QVERIFY(rig.op.shown.isEmpty());
        }
        QCOMPARE(programmed.mid(1, 4),
                 (QStringList{deleteFirst ? "" : "$&T5", "$&GA-4000", "$&PR2.5", "$&N02"}));
        CDlgSPSErweitert again(rig.link, rig.op, onlineSetup());
        QVERIFY(again.Initialise());
        QCOMPARE(again.workingSlots(), programmed);
        rig.axis([&](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[0], deleteFirst ? QString() : "PO400 PF2000 GA100 PN0");
            QCOMPARE(a.plcSlots[9], deleteFirst ? QString() : "PO5 PF5 GS+ PN0");
        });
    }

    // A refused release at delete-all leaves the axis and the dialog as they
    // were, and says that nothing was deleted.
    void refusedDeleteAllKeepsEverything() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.plcSlots[4] = QStringLiteral("$&T500"); });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        rig.axis([](sim::SimAxis& a) { a.plc.refuseReleaseAlways = true; });
        rig.host.clearLog();
        d.deleteAllClicked();
        QCOMPARE(rig.op.shownIds(), (QList<int>{10111, 10114}));
        QVERIFY(!rig.commands().contains(QStringLiteral("WE")));
        QCOMPARE(d.workingSlots().at(4), QStringLiteral("$&T500"));
        QCOMPARE(child<QComboBox>(d, "kind4")->currentIndex(), int(ExtendedStep::Pause));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[4], QStringLiteral("$&T500"));
            a.plc.refuseReleaseAlways = false;
        });
    }

    // Unprogrammed edits ask before closing; Enter neither closes the dialog
    // nor hands anything over.
    void closeCheckAndEnter() {
        SimRig rig;
        QVERIFY(rig.open());
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.show();
        chooseKind(d, 0, ExtendedStep::ResetPowerStage);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&d, &enter);
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), 0);
        rig.op.answers = {Operator::Answer::No};
        d.closeClicked();
        QCOMPARE(rig.op.shownIds(), QList<int>{10239});
        QVERIFY(d.isVisible());
        d.closeClicked();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    // Copy fills the following slots with the current slot's step.
    void copyFillsTheFollowingSlots() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { a.plcSlots[250] = QStringLiteral("$&PS1.2"); });
        CDlgSPSErweitert d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.scrollTo(247);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(child<QComboBox>(d, "kind3"), &in);
        QCOMPARE(d.currentSlot(), 250);
        d.copyClicked();
        for (int s = 250; s < 256; ++s)
            QCOMPARE(d.workingSlots().at(s), QStringLiteral("$&PS1.2"));
        QVERIFY(d.workingSlots().at(249).isEmpty());
        QCOMPARE(child<QComboBox>(d, "list8")->currentText(), QStringLiteral("1.2 A"));
    }

    // Offline: nothing is sent, the file's steps open with its family's
    // currents, and the take-over puts the edited steps where the file's
    // former steps stood.
    void offlineTakeOver_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("firstCurrent");
        QTest::addColumn<QStringList>("merged");
        QTest::newRow("TKV file")
            << QStringList{"; [TKV]\r\n",     "PO400\r\n",      "EW00PO400 PF2000 GA100 PN1\r\n",
                           "EW01$&PS1.2\r\n", "EW04$&T100\r\n", "PF2000\r\n"}
            << "0.0 A"
            << QStringList{"; [TKV]\r\n",     "PO400\r\n",     "EW00PO400 PF2000 GA100 PN1\r\n",
                           "EW01$&PS1.2\r\n", "EW02$&N01\r\n", "EW04$&T100\r\n",
                           "PF2000\r\n"};
        QTest::newRow("file without marker")
            << QStringList{"PO400\r\n", "EW01$&PS2.0\r\n", "PF2000\r\n"} << "Stufe 0"
            << QStringList{"PO400\r\n", "EW01$&PS2.0\r\n", "EW02$&N01\r\n", "PF2000\r\n"};
    }
    void offlineTakeOver() {
        QFETCH(QStringList, lines);
        QFETCH(QString, firstCurrent);
        QFETCH(QStringList, merged);
        SimRig rig;
        QVERIFY(rig.open());
        rig.host.clearLog();
        CDlgSPSErweitert::Setup setup = onlineSetup();
        setup.axis = QStringLiteral("OFFLINE");
        setup.offline = true;
        setup.slotLines = AxisConfiguration::slotLinesOf(lines);
        setup.fileDeviceType = ExtendedStep::deviceTypeFromLines(lines);
        int result = 0;
        QStringList steps;
        {
            CDlgSPSErweitert d(rig.link, rig.op, setup);
            QVERIFY(d.Initialise());
            QCOMPARE(child<QLabel>(d, "position")->text(), QStringLiteral("----"));
            QCOMPARE(child<QLabel>(d, "status")->text(), QStringLiteral("--h"));
            QVERIFY(!child<QPushButton>(d, "testButton")->isEnabled());
            QVERIFY(!child<QPushButton>(d, "stopButton")->isEnabled());
            QCOMPARE(child<QPushButton>(d, "programButton")->text(), Texts::text(10174));
            QCOMPARE(d.currentValueList().value(0), firstCurrent);
            QCOMPARE(d.currentValueList().size(), firstCurrent.startsWith(u'S') ? 16 : 64);
            QCOMPARE(child<QComboBox>(d, "kind1")->currentIndex(), int(ExtendedStep::StopCurrent));
            chooseKind(d, 2, ExtendedStep::Jump);
            typeInto(child<QLineEdit>(d, "edit2"), QStringLiteral("1"));
            d.programClicked();
            result = d.result();
            steps = d.workingSlots();
        }
        QCOMPARE(result, CDlgSPSErweitert::TakeOver);
        QVERIFY(rig.commands().isEmpty());
        PlcArea::MergeStepsIntoLineList(lines, steps);
        QCOMPARE(lines, merged);
    }

    // The lists of a row are as long as the panel's: a fast axis has more
    // start/stop and run frequencies than the dialog's tables ever held.
    void longFrequencyLists() {
        SimRig rig;
        QVERIFY(rig.open());
        CDlgSPSErweitert::Setup setup = onlineSetup();
        setup.startStopList.clear();
        setup.runFreqList.clear();
        for (int i = 1; i <= 40; ++i)
            setup.startStopList << QString::number(50 * i);
        for (int i = 1; i <= 90; ++i)
            setup.runFreqList << QString::number(500 * i);
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("$&PO2000");
            a.plcSlots[1] = QStringLiteral("$&PF45000");
        });
        CDlgSPSErweitert d(rig.link, rig.op, setup);
        QVERIFY(d.Initialise());
        QCOMPARE(child<QComboBox>(d, "list0")->count(), 40);
        QCOMPARE(child<QComboBox>(d, "list0")->currentIndex(), 39);
        QCOMPARE(child<QComboBox>(d, "list1")->count(), 90);
        QCOMPARE(child<QComboBox>(d, "list1")->currentIndex(), 89);
    }
};

QTEST_MAIN(TestSequenceDialog)
#include "tst_sequencedialog.moc"
