// The cycle-program dialog against the simulated axis, checked on the wire
// through the simulator's log.

#include "SimRig.h"
#include "axis/AxisConfiguration.h"
#include "base/Texts.h"
#include "plc/CSPSDialog.h"
#include "widgets/StatusLamp.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

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

// The keyboard focus arriving at a control, as the dialog sees it.
void focusIn(QWidget* w) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w, &in);
}

// The operator picks a kind from row r's list.
void chooseKind(CSPSDialog& d, int r, int kind) {
    auto* box = child<QComboBox>(d, QStringLiteral("kind%1").arg(r));
    box->setCurrentIndex(kind);
    emit box->activated(kind);
}

void typeInto(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
}

// One wheel message at pos (dialog coordinates).
void wheel(CSPSDialog& d, QPoint pos, int delta) {
    QWheelEvent e(QPointF(pos), QPointF(d.mapToGlobal(pos)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&d, &e);
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

    // Programming that fails: a refused release says that the area was not
    // written; a lost reply has said so where it happened, and nothing more
    // is shown. Either way the close check still warns about the edit.
    void failedProgramming_data() {
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("refused release") << true << QList<int>{10112, 10114};
        QTest::newRow("lost reply to the erase") << false << QList<int>{10112, 10103};
    }
    void failedProgramming() {
        QFETCH(bool, refuse);
        QFETCH(QList<int>, messages);
        SimRig rig;
        rig.link.setTimeoutMs(300);
        QVERIFY(rig.open());
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        chooseKind(d, 2, CycleProgram::StepPlus);
        if (refuse)
            rig.axis([](sim::SimAxis& a) { a.plc.refuseReleaseAlways = true; });
        else
            rig.host.setFaultFor(QStringLiteral("WE"), sim::Fault::NoReply);
        d.programClicked();
        QCOMPARE(rig.op.shownIds(), messages);
        QVERIFY(d.committedSlots() != d.workingSlots());
        rig.host.setFault(sim::Fault::None);
        rig.axis([](sim::SimAxis& a) { a.plc.refuseReleaseAlways = false; });
    }

    // A slot the controller acknowledged but did not store: each written
    // slot is read back right after its write, and the failure names it.
    void slotNotStoredIsNamed() {
        SimRig rig;
        QVERIFY(rig.open());
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        chooseKind(d, 2, CycleProgram::StepPlus);
        chooseKind(d, 5, CycleProgram::StepPlus);
        rig.axis([](sim::SimAxis& a) { a.unstoredSlots.insert(5); });
        rig.host.clearLog();
        d.programClicked();
        QCOMPARE(rig.op.shownIds(), (QList<int>{10112, 0}));
        QCOMPARE(rig.op.shown.last().text,
                 QStringLiteral("FEHLER: Programmieren fehlgeschlagen!\n\nSlot 05 hält nach dem "
                                "Programmieren nicht den gesendeten Text."));
        const QStringList c = rig.commands();
        QCOMPARE(c.at(c.indexOf(QStringLiteral("EW02PO5 PF5 GS+ PN0")) + 1),
                 QStringLiteral("ER02"));
        QCOMPARE(c.at(c.indexOf(QStringLiteral("EW05PO5 PF5 GS+ PN0")) + 1),
                 QStringLiteral("ER05"));
        QVERIFY(d.committedSlots() != d.workingSlots());
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

    // Offline the dialog edits the document's slot lines: nothing is sent, and
    // the take-over puts the edited programs where the former ones stood.
    void offlineTakeOver_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("merged");
        QTest::addColumn<bool>("eightSlots");
        QTest::newRow("EW lines around a step and other lines")
            << QStringList{"PO400\r\n", "EW00PO400 PF2000 GA100 PN1\r\n", "EW05$&GA5\r\n",
                           "EW03PO5 PF5 GS+ PN0\r\n", "PF2000\r\n"}
            << 1 << int(CycleProgram::MoveRelative)
            << QStringList{"PO400\r\n",
                           "EW00PO400 PF2000 GA100 PN1\r\n",
                           "EW01PO400 PF2000 GR-50 PN2\r\n",
                           "EW03PO5 PF5 GS+ PN0\r\n",
                           "EW05$&GA5\r\n",
                           "PF2000\r\n"}
            << false;
        QTest::newRow("WU lines of an eight-slot file")
            << QStringList{"WU2PO200 PF1000 GF+ PN0\r\n", "XX\r\n"} << 4
            << int(CycleProgram::StepMinus)
            << QStringList{"WU2PO200 PF1000 GF+ PN0\r\n", "WU4PO5 PF5 GS- PN0\r\n", "XX\r\n"}
            << true;
    }
    void offlineTakeOver() {
        QFETCH(QStringList, lines);
        QFETCH(int, row);
        QFETCH(int, kind);
        QFETCH(QStringList, merged);
        QFETCH(bool, eightSlots);
        SimRig rig;
        QVERIFY(rig.open());
        {
            CSPSDialog::Setup setup = onlineSetup();
            setup.axis = QStringLiteral("OFFLINE1");
            setup.offline = true;
            setup.rampList = {"100", "200", "300"};
            setup.slotLines = AxisConfiguration::slotLinesOf(lines);
            CSPSDialog d(rig.link, rig.op, setup);
            QVERIFY(d.Initialise());
            QCOMPARE(d.rzhDevice(), eightSlots);
            QCOMPARE(child<QScrollBar>(d, "scroll")->isEnabled(), !eightSlots);
            QCOMPARE(child<QComboBox>(d, "kind8")->isEnabled(), !eightSlots);
            QCOMPARE(child<QPushButton>(d, "programButton")->text(), Texts::text(10174));
            for (int r = 0; r < CSPSDialog::RowCount; ++r)
                QVERIFY(!child<QPushButton>(d, QStringLiteral("test%1").arg(r))->isEnabled());

            chooseKind(d, row, kind);
            if (CycleProgram::hasTarget(kind))
                typeInto(child<QLineEdit>(d, QStringLiteral("target%1").arg(row)), "-50");
            if (CycleProgram::hasFrequencies(kind)) {
                child<QComboBox>(d, QStringLiteral("offset%1").arg(row))->setEditText("400");
                child<QComboBox>(d, QStringLiteral("run%1").arg(row))->setEditText("2000");
                auto* ramp = child<QComboBox>(d, QStringLiteral("ramp%1").arg(row));
                ramp->setCurrentIndex(2);
                emit ramp->activated(2);
            }
            d.programClicked();
            QCOMPARE(d.result(), CSPSDialog::TakeOver);
            QVERIFY(rig.op.shown.isEmpty());
            QStringList lineList = lines;
            PlcArea::MergeIntoLineList(lineList, d.workingSlots(), d.rzhDevice());
            QCOMPARE(lineList, merged);
        }
        QVERIFY(rig.commands().isEmpty()); // not at opening, not at destruction
    }

    // Copy fills every slot from the current one to the last; a current slot
    // out of view is brought into the rows first, and the scroll bar follows.
    void copyToTheFollowingSlots_data() {
        QTest::addColumn<int>("focusTop");
        QTest::addColumn<int>("focusRow");
        QTest::addColumn<int>("viewTop");
        QTest::addColumn<int>("shownTop");
        QTest::newRow("current row in view") << 0 << 2 << 0 << 0;
        QTest::newRow("current row scrolled away") << 0 << 2 << 100 << 2;
        QTest::newRow("slot 250 out of view") << 247 << 3 << 0 << 247;
        QTest::newRow("slot 250 in view") << 244 << 6 << 244 << 244;
    }
    void copyToTheFollowingSlots() {
        QFETCH(int, focusTop);
        QFETCH(int, focusRow);
        QFETCH(int, viewTop);
        QFETCH(int, shownTop);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[1] = QStringLiteral("PO5 PF5 GS- PN0");
            a.plcSlots[2] = QStringLiteral("PO400 PF2000 GA100 PN0");
            a.plcSlots[100] = QStringLiteral("PO5 PF5 GS- PN0");
            a.plcSlots[249] = QStringLiteral("PO5 PF5 GS+ PN0");
            a.plcSlots[250] = QStringLiteral("PO200 PF1000 GF+ PN1");
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.scrollTo(focusTop);
        focusIn(child<QComboBox>(d, QStringLiteral("kind%1").arg(focusRow)));
        const int current = focusTop + focusRow;
        QCOMPARE(d.currentSlot(), current);
        d.scrollTo(viewTop);
        const QStringList before = d.workingSlots();
        rig.host.clearLog();
        d.copyClicked();
        QCOMPARE(rig.op.shownIds(), QList<int>{10127});
        QVERIFY(rig.commands().isEmpty());
        for (int k = 0; k < PlcArea::SlotCount; ++k)
            QCOMPARE(d.workingSlots().at(k), k < current ? before.at(k) : before.at(current));
        QCOMPARE(child<QLabel>(d, "slot0")->text(), QString::number(shownTop));
        QCOMPARE(d.topSlot(), shownTop);
        QCOMPARE(child<QScrollBar>(d, "scroll")->value(), shownTop);
        // The next line down continues from the rows on show.
        child<QScrollBar>(d, "scroll")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(child<QLabel>(d, "slot0")->text(), QString::number(qMin(shownTop + 1, 247)));
    }

    // An "RZH" axis: eight slots read with "FU", written with "WU"; no
    // scrolling, and Copy stops at the last of the eight.
    void eightSlotAxis() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.setFamily(QStringLiteral("RZH 2A/24V"));
            a.plcSlots[1] = QStringLiteral("PO400 PF2000 GA100 PN0");
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        QVERIFY(d.rzhDevice());
        QStringList reads;
        for (const QString& c : rig.commands())
            if (c.startsWith(QLatin1String("FU")) || c.startsWith(QLatin1String("ER")))
                reads << c;
        QCOMPARE(reads, (QStringList{"FU0", "FU1", "FU2", "FU3", "FU4", "FU5", "FU6", "FU7"}));
        QVERIFY(!child<QScrollBar>(d, "scroll")->isEnabled());
        QVERIFY(!child<QComboBox>(d, "kind8")->isEnabled());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        wheel(d, child<QLabel>(d, "slot4")->geometry().center(), -120);
        QCOMPARE(d.topSlot(), 0);

        chooseKind(d, 6, CycleProgram::StepPlus);
        focusIn(child<QComboBox>(d, "kind6"));
        d.copyClicked();
        QCOMPARE(d.workingSlots().at(7), QStringLiteral("PO5 PF5 GS+ PN0"));
        QVERIFY(d.workingSlots().at(8).isEmpty());
        rig.host.clearLog();
        d.programClicked();
        QCOMPARE(rig.op.shownIds().last(), 10113);
        QStringList writes;
        for (const QString& c : rig.commands())
            if (c.startsWith(QLatin1String("WU")) || c.startsWith(QLatin1String("EW")) ||
                c == QLatin1String("WE"))
                writes << c;
        QCOMPARE(writes, (QStringList{"WE", "WU1PO400 PF2000 GA100 PN0", "WU6PO5 PF5 GS+ PN0",
                                      "WU7PO5 PF5 GS+ PN0"}));
        d.hide();
    }

    // The scroll bar and the wheel move the rows; an edit in the rows is kept
    // whichever way they move, and the wheel below the rows leaves them alone.
    void scrolling_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("action"); // a scroll bar action, or -1 for the wheel
        QTest::addColumn<int>("delta");
        QTest::addColumn<bool>("belowRows");
        QTest::addColumn<int>("expected");
        QTest::newRow("line down")
            << 0 << int(QAbstractSlider::SliderSingleStepAdd) << 0 << false << 1;
        QTest::newRow("line up at the top")
            << 0 << int(QAbstractSlider::SliderSingleStepSub) << 0 << false << 0;
        QTest::newRow("page down near the end")
            << 240 << int(QAbstractSlider::SliderPageStepAdd) << 0 << false << 247;
        QTest::newRow("page up") << 20 << int(QAbstractSlider::SliderPageStepSub) << 0 << false
                                 << 12;
        QTest::newRow("to the top")
            << 100 << int(QAbstractSlider::SliderToMinimum) << 0 << false << 0;
        QTest::newRow("wheel down") << 0 << -1 << -120 << false << 1;
        QTest::newRow("wheel up") << 10 << -1 << 120 << false << 9;
        QTest::newRow("wheel up at the top") << 0 << -1 << 120 << false << 0;
        QTest::newRow("wheel down at the end") << 247 << -1 << -120 << false << 247;
        QTest::newRow("wheel below the rows") << 10 << -1 << -120 << true << 10;
    }
    void scrolling() {
        QFETCH(int, start);
        QFETCH(int, action);
        QFETCH(int, delta);
        QFETCH(bool, belowRows);
        QFETCH(int, expected);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            for (int s = 0; s < 256; ++s)
                a.plcSlots[s] = QStringLiteral("PO400 PF2000 GA%1 PN0").arg(s);
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.scrollTo(start);
        typeInto(child<QLineEdit>(d, "target0"), "77");
        auto* scroll = child<QScrollBar>(d, "scroll");
        if (action >= 0) {
            scroll->triggerAction(QAbstractSlider::SliderAction(action));
        } else {
            const QPoint at = belowRows ? child<QGroupBox>(d, "simulation")->geometry().center()
                                        : child<QLabel>(d, "slot4")->geometry().center();
            wheel(d, at, delta);
        }
        QCOMPARE(d.topSlot(), expected);
        QCOMPARE(scroll->value(), expected);
        for (int r = 0; r < CSPSDialog::RowCount; ++r)
            QCOMPARE(child<QLabel>(d, QStringLiteral("slot%1").arg(r))->text(),
                     QString::number(expected + r));
        d.CollectRows();
        QCOMPARE(d.workingSlots().at(start), QStringLiteral("PO400 PF2000 GA77 PN0"));
        QCOMPARE(d.workingSlots().at(start + 1),
                 QStringLiteral("PO400 PF2000 GA%1 PN0").arg(start + 1));
        d.hide();
    }

    // The dialog keeps its size and every control its place whatever kinds the
    // rows show and however far they are scrolled: nothing moves under the
    // pointer.
    void fixedGeometry() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[100] = QStringLiteral("PO400 PF2000 GA5 PN0");
            a.plcSlots[250] = QStringLiteral("GI+");
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QStringList watched{"kind0", "target0", "ramp0", "test0", "kind8", "test8", "scroll"};
        auto places = [&] {
            QApplication::processEvents();
            QStringList p{QStringLiteral("dialog %1x%2").arg(d.width()).arg(d.height())};
            for (const QString& name : watched) {
                const QWidget* w = d.findChild<QWidget*>(name);
                p << QStringLiteral("%1 %2,%3 %4x%5")
                         .arg(name)
                         .arg(w->x())
                         .arg(w->y())
                         .arg(w->width())
                         .arg(w->height());
            }
            return p;
        };
        const QStringList before = places();
        for (int kind = 0; kind <= int(CycleProgram::Unused); ++kind) {
            chooseKind(d, 0, kind);
            QCOMPARE(places(), before);
        }
        for (int top : {9, 95, 247, 0}) {
            d.scrollTo(top);
            QCOMPARE(places(), before);
        }
        d.hide();
    }

    // An axis that stops answering during a tick: one 10103 and the timer
    // stops; the simulation is ended as its button does, without "IO0".
    void timeoutOnATick_data() {
        QTest::addColumn<bool>("simulation");
        QTest::newRow("test run") << false;
        QTest::newRow("simulation") << true;
    }
    void timeoutOnATick() {
        QFETCH(bool, simulation);
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(300);
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[0] = QStringLiteral("PO400 PF1000 GA400000 PN0");
            a.setPosition(0);
            a.inputs = 3;
            a.programNumber = 1;
        });
        CSPSDialog d(rig.link, rig.op, onlineSetup());
        QVERIFY(d.Initialise());
        rig.host.setFaultFor(QStringLiteral("PC?"), sim::Fault::NoReply);
        rig.host.clearLog();
        if (simulation)
            d.simulationClicked();
        else
            d.testRow(0);
        QTRY_VERIFY_WITH_TIMEOUT(!d.timer().isActive(), 5000);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QVERIFY(!d.simulationRunning());
        QVERIFY(!rig.commands().contains(QStringLiteral("IO0")));
        QCOMPARE(child<StatusLamp>(d, "STROBE")->colour(), StatusLamp::Colour::Grey);
        QCOMPARE(child<QLabel>(d, "position")->text(), QStringLiteral("0"));
        for (int r = 0; r < CSPSDialog::RowCount; ++r)
            QVERIFY(child<QPushButton>(d, QStringLiteral("test%1").arg(r))->isEnabled());
        QTest::qWait(300); // no second message from a timer left running
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
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
