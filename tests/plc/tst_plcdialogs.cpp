// What both PLC dialogs share, checked over both as rows of one table: the
// window of nine rows, the wheel, scrolling, delete-all and every redraw
// keep or drop the operator's edits as they should; typed values are
// checked before they become slot text; a refused slot write is a failure.

#include "SimRig.h"
#include "base/MessageIds.h"
#include "base/Texts.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CSPSDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <memory>

namespace {

enum class Which { Cycle, Steps };

PlcArea::DialogSetup onlineSetup() {
    PlcArea::DialogSetup s;
    s.axis = QStringLiteral("0");
    s.startStopList = {"200", "400"};
    s.runFreqList = {"1000", "2000", "4000"};
    s.rampList = {"5000", "10000", "20000", "40000"};
    return s;
}

// One of the two dialogs on the simulated axis, asked through one face.
class PlcDialog {
public:
    PlcDialog(Which which, SimRig& rig, const PlcArea::DialogSetup& setup = onlineSetup())
        : which_(which) {
        if (which == Which::Cycle)
            cycle_ = std::make_unique<CSPSDialog>(rig.link, rig.op, setup);
        else
            steps_ = std::make_unique<CDlgSPSErweitert>(rig.link, rig.op, setup);
    }

    // A position row's stored text with the target `value`.
    static QString position(Which which, const QString& value) {
        return which == Which::Cycle ? QStringLiteral("PO400 PF2000 GA%1 PN0").arg(value)
                                     : QStringLiteral("$&GA%1").arg(value);
    }
    QString position(const QString& value) const { return position(which_, value); }

    QDialog& dialog() {
        return cycle_ ? static_cast<QDialog&>(*cycle_) : static_cast<QDialog&>(*steps_);
    }
    template <typename T> T* child(const QString& name) {
        T* w = dialog().findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    bool initialise() { return cycle_ ? cycle_->Initialise() : steps_->Initialise(); }
    QStringList working() const { return cycle_ ? cycle_->workingSlots() : steps_->workingSlots(); }
    QStringList committed() const {
        return cycle_ ? cycle_->committedSlots() : steps_->committedSlots();
    }
    int top() const { return cycle_ ? cycle_->topSlot() : steps_->topSlot(); }
    void scrollTo(int top) { cycle_ ? cycle_->scrollTo(top) : steps_->scrollTo(top); }
    bool collect() { return cycle_ ? cycle_->CollectRows() : steps_->CollectRows(); }
    void deleteAll() { cycle_ ? cycle_->deleteAllClicked() : steps_->deleteAllClicked(); }
    void program() { cycle_ ? cycle_->programClicked() : steps_->programClicked(); }
    void close() { cycle_ ? cycle_->closeClicked() : steps_->closeClicked(); }
    void mergeInto(QStringList& lines) const {
        cycle_ ? cycle_->mergeInto(lines) : steps_->mergeInto(lines);
    }
    void setWaitRunner(std::function<int(CWait&)> run) {
        cycle_ ? cycle_->setWaitRunner(std::move(run)) : steps_->setWaitRunner(std::move(run));
    }
    // The field that holds row r's position.
    QLineEdit* valueField(int r) {
        return child<QLineEdit>(
            (cycle_ ? QStringLiteral("target%1") : QStringLiteral("edit%1")).arg(r));
    }
    void chooseKind(int r, int kind) {
        auto* box = child<QComboBox>(QStringLiteral("kind%1").arg(r));
        box->setCurrentIndex(kind);
        emit box->activated(kind);
    }

    CSPSDialog* cycle() { return cycle_.get(); }
    CDlgSPSErweitert* steps() { return steps_.get(); }

private:
    Which which_;
    std::unique_ptr<CSPSDialog> cycle_;
    std::unique_ptr<CDlgSPSErweitert> steps_;
};

// Every slot holds a move to its own number.
void fillWithPositions(SimRig& rig, Which which) {
    rig.axis([which](sim::SimAxis& a) {
        for (int s = 0; s < 256; ++s)
            a.plcSlots[s] = PlcDialog::position(which, QString::number(s));
    });
}

void typeInto(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
}

// One wheel message over a control.
void wheelOver(QWidget* w, int delta) {
    QWheelEvent e(QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

QStringList writesIn(const QStringList& commands) {
    QStringList w;
    for (const QString& c : commands)
        if (c.startsWith(QLatin1String("EW")) || c == QLatin1String("WE"))
            w << c;
    return w;
}

} // namespace

Q_DECLARE_METATYPE(Which)

class TestPlcDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // The wheel over any control of a row scrolls one line per message and
    // never picks another kind, value or ramp.
    void wheelOverARowScrolls_data() {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("control");
        for (const char* c : {"kind4", "target4", "offset4", "run4", "ramp4", "test4"})
            QTest::newRow(qPrintable(QStringLiteral("cycle programs / ") + c)) << Which::Cycle << c;
        for (const char* c : {"kind4", "list5", "edit4"})
            QTest::newRow(qPrintable(QStringLiteral("steps / ") + c)) << Which::Steps << c;
    }
    void wheelOverARowScrolls() {
        QFETCH(Which, which);
        QFETCH(QString, control);
        SimRig rig;
        QVERIFY(rig.open());
        fillWithPositions(rig, which);
        // A step row with a list: the ramp of slot 15 (row 5 at top 10).
        if (which == Which::Steps)
            rig.axis([](sim::SimAxis& a) { a.plcSlots[15] = QStringLiteral("$&PN2"); });
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        d.scrollTo(10);
        QWidget* w = d.child<QWidget>(control);
        wheelOver(w, -120);
        QCOMPARE(d.top(), 11);
        wheelOver(w, -120);
        wheelOver(w, 120);
        QCOMPARE(d.top(), 11);
        QCOMPARE(d.child<QScrollBar>("scroll")->value(), 11);
        QVERIFY(d.collect());
        QCOMPARE(d.working(), d.committed());
        rig.op.clear();
        d.close();
        QVERIFY(rig.op.shown.isEmpty());
    }

    // Every way of scrolling keeps what was typed into the rows on show,
    // also the ways that end at slot 0.
    void everyScrollKeepsTheEdits_data() {
        QTest::addColumn<Which>("which");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("action"); // a scroll bar action; -1 the thumb, -2 the wheel
        QTest::addColumn<int>("expected");
        struct Route {
            const char* name;
            int start;
            int action;
            int expected;
        };
        const Route routes[] = {
            {"line up from 1", 1, QAbstractSlider::SliderSingleStepSub, 0},
            {"page up from 5", 5, QAbstractSlider::SliderPageStepSub, 0},
            {"thumb dragged to the top", 100, -1, 0},
            {"wheel up from 1", 1, -2, 0},
            {"line down", 20, QAbstractSlider::SliderSingleStepAdd, 21},
            {"page down", 20, QAbstractSlider::SliderPageStepAdd, 28},
        };
        for (const Route& r : routes) {
            QTest::newRow(qPrintable(QStringLiteral("cycle programs / ") + r.name))
                << Which::Cycle << r.start << r.action << r.expected;
            QTest::newRow(qPrintable(QStringLiteral("steps / ") + r.name))
                << Which::Steps << r.start << r.action << r.expected;
        }
    }
    void everyScrollKeepsTheEdits() {
        QFETCH(Which, which);
        QFETCH(int, start);
        QFETCH(int, action);
        QFETCH(int, expected);
        SimRig rig;
        QVERIFY(rig.open());
        fillWithPositions(rig, which);
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        d.scrollTo(start);
        typeInto(d.valueField(1), "777");
        auto* scroll = d.child<QScrollBar>("scroll");
        if (action == -1) {
            scroll->setSliderDown(true);
            scroll->setSliderPosition(0);
            scroll->setSliderDown(false);
        } else if (action == -2) {
            wheelOver(d.child<QWidget>("kind3"), 120);
        } else {
            scroll->triggerAction(QAbstractSlider::SliderAction(action));
        }
        QCOMPARE(d.top(), expected);
        QCOMPARE(d.working().at(start + 1), d.position("777"));
        // The close check knows of the edit.
        rig.op.answers = {Operator::Answer::No};
        d.close();
        QCOMPARE(rig.op.shownIds(), QList<int>{MessageId::ChangedQuestion});
    }

    // Delete all throws away what was typed into the rows: nothing comes
    // back, and there is nothing left to ask about at closing.
    void deleteAllDropsTheEdits_data() {
        QTest::addColumn<Which>("which");
        QTest::newRow("cycle programs") << Which::Cycle;
        QTest::newRow("steps") << Which::Steps;
    }
    void deleteAllDropsTheEdits() {
        QFETCH(Which, which);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([which](sim::SimAxis& a) { a.plcSlots[0] = PlcDialog::position(which, "5"); });
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        typeInto(d.valueField(0), "777");
        d.deleteAll();
        QCOMPARE(rig.op.shownIds(), QList<int>{MessageId::DeletePlcQuestion});
        QCOMPARE(d.working(), QStringList(PlcArea::SlotCount));
        QCOMPARE(d.valueField(0)->text(), QString());
        QVERIFY(d.collect());
        QCOMPARE(d.working(), QStringList(PlcArea::SlotCount));
        rig.op.clear();
        d.close();
        QVERIFY(rig.op.shown.isEmpty());
        rig.axis([](sim::SimAxis& a) { QVERIFY(a.plcSlots[0].isEmpty()); });
    }

    // The redraws the operator does not ask for (the simulation's tick and
    // its end; the test run following its steps) collect first and show no
    // message; an edit that cannot be collected stays on screen.
    void redrawsKeepTheEdits_data() {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("slot0");
        QTest::newRow("cycle programs / target") << Which::Cycle << "target0"
                                                 << "777"
                                                 << "PO400 PF2000 GA777 PN0";
        QTest::newRow("cycle programs / offset that cannot be stored") << Which::Cycle << "offset0"
                                                                       << "40 GR5"
                                                                       << "PO400 PF2000 GA5 PN0";
        QTest::newRow("steps / position") << Which::Steps << "edit0"
                                          << "777"
                                          << "$&GA777";
    }
    void redrawsKeepTheEdits() {
        QFETCH(Which, which);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, slot0);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([which](sim::SimAxis& a) {
            a.plcSlots[0] = PlcDialog::position(which, "5");
            a.setPosition(0);
            if (which == Which::Steps) {
                // A jump out of view and then beyond the area ends the run.
                a.plcSlots[1] = QStringLiteral("$&N1F");
                a.plcSlots[0x1F] = QStringLiteral("$&N100");
            } else {
                a.plcSlots[20] = PlcDialog::position(which, "20");
                a.programNumber = 20;
                a.inputs = 3;
            }
        });
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        QLineEdit* edit = which == Which::Cycle && field != "target0"
                              ? d.child<QComboBox>(field)->lineEdit()
                              : d.child<QLineEdit>(field);
        typeInto(edit, typed);
        rig.op.clear();
        if (which == Which::Cycle) {
            d.cycle()->simulationClicked();
            d.cycle()->SimulationTick();
            d.cycle()->simulationClicked();
        } else {
            auto* test = d.child<QPushButton>("testButton");
            test->setChecked(true);
            d.steps()->testClicked();
            QCOMPARE(d.top(), 0x1F);
            d.scrollTo(0);
        }
        QVERIFY(rig.op.shown.isEmpty());
        QCOMPARE(d.working().at(0), slot0);
        QCOMPARE(edit->text(), typed);
    }

    // A typed value that is no number never becomes slot text: programming
    // stops at it with 10243, and nothing is written.
    void valuesAreChecked_data() {
        QTest::addColumn<Which>("which");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("cycle programs / offset with a move")
            << Which::Cycle << int(CycleProgram::PositionAbsolute) << "offset2"
            << "40 GR5";
        QTest::newRow("cycle programs / run frequency with letters")
            << Which::Cycle << int(CycleProgram::FreeRunPlus) << "run2"
            << "20x0";
        QTest::newRow("cycle programs / empty offset")
            << Which::Cycle << int(CycleProgram::MoveRelative) << "offset2"
            << "";
        QTest::newRow("steps / pause") << Which::Steps << int(ExtendedStep::Pause) << "edit2"
                                       << "abc";
        QTest::newRow("steps / boost time")
            << Which::Steps << int(ExtendedStep::BoostTime) << "edit2"
            << "-20";
        QTest::newRow("steps / position")
            << Which::Steps << int(ExtendedStep::PositionAbsolute) << "edit2"
            << "12a";
        QTest::newRow("steps / actual position")
            << Which::Steps << int(ExtendedStep::ActualPosition) << "edit2"
            << "+";
        QTest::newRow("steps / run frequency")
            << Which::Steps << int(ExtendedStep::RunFrequency) << "list2"
            << "2000 GA5";
    }
    void valuesAreChecked() {
        QFETCH(Which, which);
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        SimRig rig;
        QVERIFY(rig.open());
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        d.chooseKind(2, kind);
        const QString before = d.working().at(2);
        QLineEdit* edit = field.startsWith(u'e') || field.startsWith(u't')
                              ? d.child<QLineEdit>(field)
                              : d.child<QComboBox>(field)->lineEdit();
        typeInto(edit, typed);
        rig.host.clearLog();
        rig.op.clear();
        d.program();
        QCOMPARE(rig.op.shownIds(), QList<int>{MessageId::DigitsOnly});
        QVERIFY(writesIn(rig.commands()).isEmpty());
        QCOMPARE(d.working().at(2), before);
        QCOMPARE(edit->text(), typed);
    }

    // A slot the other dialog's program or step holds is shown as taken, and
    // the operator is asked before it is replaced; online and offline alike.
    void takenRowIsAskedAbout_data() {
        QTest::addColumn<Which>("which");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("replace");
        for (Which which : {Which::Cycle, Which::Steps})
            for (bool offline : {false, true})
                for (bool replace : {true, false})
                    QTest::newRow(qPrintable(
                        QStringLiteral("%1 / %2 / %3")
                            .arg(which == Which::Cycle ? "cycle programs" : "steps",
                                 offline ? "offline" : "online", replace ? "replaced" : "kept")))
                        << which << offline << replace;
    }
    void takenRowIsAskedAbout() {
        QFETCH(Which, which);
        QFETCH(bool, offline);
        QFETCH(bool, replace);
        const bool cycle = which == Which::Cycle;
        const QString other =
            cycle ? QStringLiteral("$&GA100") : QStringLiteral("PO300 PF1500 GA5000 PN0");
        const QString mine = cycle ? QStringLiteral("PO5 PF5 GS+ PN0") : QStringLiteral("$&T0");
        SimRig rig;
        QVERIFY(rig.open());
        PlcArea::DialogSetup setup = onlineSetup();
        if (offline) {
            setup.offline = true;
            setup.slotLines = {"EW00" + other + "\r\n", "EW01" + mine + "\r\n"};
        } else {
            rig.axis([&](sim::SimAxis& a) {
                a.plcSlots[0] = other;
                a.plcSlots[1] = mine;
            });
        }
        PlcDialog d(which, rig, setup);
        QVERIFY(d.initialise());
        auto* kind = d.child<QComboBox>("kind0");
        QCOMPARE(kind->currentIndex(), -1);
        QCOMPARE(kind->placeholderText(),
                 Texts::text(cycle ? "plc.takenByStep" : "plc.takenByProgram"));
        QCOMPARE(kind->toolTip(), other);
        rig.op.answers = {replace ? Operator::Answer::Yes : Operator::Answer::No};
        d.chooseKind(0, cycle ? int(CycleProgram::StepPlus) : int(ExtendedStep::Pause));
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text,
                 Texts::text(cycle ? "plc.replaceStep" : "plc.replaceProgram").arg(0));
        QCOMPARE(d.working().at(0), replace ? mine : QString());
        QCOMPARE(kind->currentIndex() >= 0, replace);
        rig.op.clear();
        rig.host.clearLog();
        d.program();
        if (offline) {
            QStringList lines = setup.slotLines;
            d.mergeInto(lines);
            QCOMPARE(lines, replace ? (QStringList{"EW00" + mine + "\r\n", "EW01" + mine + "\r\n"})
                                    : setup.slotLines);
        } else {
            QCOMPARE(writesIn(rig.commands()),
                     (QStringList{"WE", "EW00" + (replace ? mine : other), "EW01" + mine}));
        }
    }

    // A slot write the controller answers "NO" is not a written slot: the
    // programming stops there and the message names the slot.
    void refusedSlotWriteStops_data() {
        QTest::addColumn<Which>("which");
        QTest::newRow("cycle programs") << Which::Cycle;
        QTest::newRow("steps") << Which::Steps;
    }
    void refusedSlotWriteStops() {
        QFETCH(Which, which);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([which](sim::SimAxis& a) {
            for (int s : {2, 5, 7})
                a.plcSlots[s] = PlcDialog::position(which, QString::number(s));
            a.refusedSlots.insert(5);
        });
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        typeInto(d.valueField(2), "222");
        rig.host.clearLog();
        d.program();
        QCOMPARE(rig.op.shownIds(), (QList<int>{MessageId::ProgramPlcQuestion, 0}));
        QCOMPARE(rig.op.shown.last().text,
                 Texts::text(MessageId::ProgramFailed) + QStringLiteral("\n\n") +
                     Texts::text("plc.slotAnsweredNo").arg(QStringLiteral("05")));
        QCOMPARE(writesIn(rig.commands()),
                 (QStringList{"WE", "EW02" + d.position("222"), "EW05" + d.position("5")}));
        QVERIFY(d.committed() != d.working());
    }

    // An erase the controller answers "NO" leaves the old slots in place:
    // writing the new ones over them would mix two areas, so nothing follows.
    void refusedEraseStops_data() { refusedSlotWriteStops_data(); }
    void refusedEraseStops() {
        QFETCH(Which, which);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([which](sim::SimAxis& a) {
            a.plcSlots[2] = PlcDialog::position(which, QStringLiteral("2"));
            a.refuseErase = true;
        });
        PlcDialog d(which, rig);
        QVERIFY(d.initialise());
        typeInto(d.valueField(2), "222");
        rig.host.clearLog();
        d.program();
        QCOMPARE(rig.op.shownIds(), (QList<int>{MessageId::ProgramPlcQuestion, 0}));
        QCOMPARE(rig.op.shown.last().text, Texts::text(MessageId::ProgramFailed) +
                                               QStringLiteral("\n\n") +
                                               Texts::text("plc.eraseAnsweredNo"));
        QCOMPARE(writesIn(rig.commands()), QStringList{"WE"});
        rig.axis([which](sim::SimAxis& a) {
            QCOMPARE(a.plcSlots[2], PlcDialog::position(which, QStringLiteral("2")));
        });
        QVERIFY(d.committed() != d.working());
    }
};

QTEST_MAIN(TestPlcDialogs)
#include "tst_plcdialogs.moc"
