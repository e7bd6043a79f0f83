#include "ScriptedOperator.h"
#include "SimLine.h"
#include "axis/AxisVocabulary.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "axis/PanelHost.h"
#include "base/Texts.h"
#include "link/LinkTarget.h"
#include "link/SerialLink.h"
#include "widgets/StatusLamp.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>

namespace {

// The main window as the panel sees it: one link on the simulator's line, a
// scripted operator, and whichever panel the test calls active.
class TestHost : public PanelHost {
public:
    ScriptedOperator op_;
    SerialLink link_{op_};
    bool openingFile_ = false;
    bool baudChangePending_ = false;
    CKormakView* active = nullptr;
    QList<CKormakView*> closed;

    SerialLink& link() override { return link_; }
    Operator& op() override { return op_; }
    bool openingFile() const override { return openingFile_; }
    bool baudChangePending() const override { return baudChangePending_; }
    CKormakView* activePanel() const override { return active; }
    void closePanelWindow(CKormakView* panel) override {
        panel->ClosePanel();
        closed << panel;
    }
    QWidget* dialogParent() override { return nullptr; }
    // The link and the panels share the scripted operator.
    int messagesShown() const override { return int(op_.shown.size()); }
};

const QStringList ReadSequence = {"IF?", "PO?", "DO?", "PF?", "PL?", "PD?", "FR0050", "FR0060",
                                  "PN?", "PC?", "PG?", "PW?", "PP?", "PM?", "PI?"};

QStringList onAxis(const QString& axis, const QStringList& commands) {
    QStringList lines;
    for (const QString& c : commands)
        lines << axis + QLatin1Char(' ') + c;
    return lines;
}

// A changed parameter set shows in the overall status: bit 5 of its second byte.
constexpr quint32 ParametersChangedBit = 1u << 21;

} // namespace

class TestAxisPanel : public QObject {
    Q_OBJECT

    std::unique_ptr<SimLine> sim_;
    std::unique_ptr<TestHost> host_;
    std::list<CKormakDoc> docs_;
    std::list<std::unique_ptr<CKormakView>> panels_;

    SerialLink& link() { return host_->link_; }
    ScriptedOperator& op() { return host_->op_; }

    QStringList wire() const { return sim_->log(); }
    // The wire without the status poll's own traffic.
    QStringList wireWithoutPoll() const {
        QStringList lines = sim_->log();
        lines.removeIf([](const QString& l) {
            return l.endsWith(QLatin1String(" II?")) || l.endsWith(QLatin1String(" IO?"));
        });
        return lines;
    }
    void axis(QChar a, const std::function<void(sim::SimAxis&)>& fn) { sim_->axis(a, fn); }

    // Creates and initialises a panel the way the shell does: currentAddress
    // decides its kind, then the panel is shown and becomes the active one.
    CKormakView* openPanel(const QString& address, bool show = true) {
        link().setCurrentAddress(address);
        CKormakDoc& doc = docs_.emplace_back();
        auto& panel = panels_.emplace_back(std::make_unique<CKormakView>(*host_, doc));
        panel->InitialisePanel();
        host_->active = panel.get();
        if (show) {
            panel->show();
            panel->activateWindow();
            if (!QTest::qWaitForWindowActive(panel.get()))
                qWarning("panel window did not become active");
        }
        return panel.get();
    }
    // The next `count` requests (-1: all) go unanswered. Only these tests wait for a
    // time-out, so it is kept short here; every other reply has the whole second a
    // controller is given, however busy the machine running the suite.
    void loseReplies(int count) {
        link().setTimeoutMs(300);
        sim_->host.setFault(sim::Fault::NoReply, 0, count);
    }
    // An online panel with its first read done, quiet on the wire and in the log.
    CKormakView* quietPanel(const QString& address = QStringLiteral("0")) {
        CKormakView* panel = openPanel(address);
        panel->stopPollTimer();
        sim_->host.clearLog();
        op().clear();
        return panel;
    }

    template <typename T> static T* child(CKormakView* panel, const char* name) {
        T* w = panel->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    // Leaves the control that has the focus the way an operator tabs on: to
    // the move-type list, which sends nothing itself.
    static void leave(CKormakView* panel) {
        child<QComboBox>(panel, "moveType")->setFocus(Qt::TabFocusReason);
    }
    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static QString lamp(CKormakView* panel, const char* name) {
        return StatusLamp::name(child<StatusLamp>(panel, name)->colour());
    }

private slots:
    void init() {
        sim_ = std::make_unique<SimLine>(QStringLiteral("01"));
        QVERIFY(sim_->start());
        host_ = std::make_unique<TestHost>();
        link().setPorts({sim_->port()});
        link().setPortIndex(0);
        link().setBaudIndex(3); // 28800, the axes' rate
    }
    void cleanup() {
        panels_.clear();
        docs_.clear();
        host_.reset();
        sim_.reset();
    }

    // ---- reading -------------------------------------------------------------------

    void initialiseReadsInOrder_data() {
        QTest::addColumn<int>("maxRunFreq");
        QTest::addColumn<bool>("sfiCard");
        QTest::addColumn<QString>("lastRun");
        QTest::addColumn<QString>("lastStartStop");
        QTest::newRow("standard axis") << 10000 << false << "10000"
                                       << "1250";
        QTest::newRow("slower axis with SFI card") << 4000 << true << "4000"
                                                   << "500";
    }
    void initialiseReadsInOrder() {
        QFETCH(int, maxRunFreq);
        QFETCH(bool, sfiCard);
        QFETCH(QString, lastRun);
        QFETCH(QString, lastStartStop);
        axis('0', [&](sim::SimAxis& a) {
            a.maxRunFreq = maxRunFreq;
            a.sfiCard = sfiCard;
            a.params.runFreq = 1500;
            a.params.systemType = 1;
            a.params.rampIndex = 3;
            a.setPosition(-1200);
        });
        CKormakView* panel = openPanel(QStringLiteral("0"), false);

        // The read, then the first poll.
        QCOMPARE(wire(), onAxis("0", ReadSequence + QStringList{"II?", "IO?"}));
        QVERIFY(op().shown.isEmpty());
        QVERIFY(panel->isPolling());
        QCOMPARE(panel->title().right(1), QStringLiteral("0"));
        QCOMPARE(panel->document().title(), panel->title());
        QVERIFY(!child<QPushButton>(panel, "transferButton")->isVisibleTo(panel));

        auto* runFreq = child<QComboBox>(panel, "runFreq");
        auto* startStop = child<QComboBox>(panel, "startStopFreq");
        QCOMPARE(runFreq->currentText(), QStringLiteral("1500"));
        QCOMPARE(runFreq->itemText(runFreq->count() - 1), lastRun);
        QCOMPARE(startStop->currentText(), QStringLiteral("400"));
        QCOMPARE(startStop->itemText(startStop->count() - 1), lastStartStop);
        auto* ramp = child<QComboBox>(panel, "ramp");
        QCOMPARE(ramp->count(), 10);
        QCOMPARE(ramp->currentText(), QStringLiteral("37500"));
        QCOMPARE(child<QComboBox>(panel, "systemType")->currentIndex(), 1);
        QCOMPARE(child<QComboBox>(panel, "operatingMode")->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(panel, "position")->text(), QStringLiteral("-1200"));
        QCOMPARE(child<QLineEdit>(panel, "axisLimit")->text(), QStringLiteral("1000000"));
        QCOMPARE(child<QPushButton>(panel, "sfiButton")->isEnabled(), sfiCard);
        QVERIFY(child<QPushButton>(panel, "startButton")->isEnabled());
        QCOMPARE(panel->deviceType(), QStringLiteral("TKV 3A/50V"));
    }

    void lostReplyLocksPanel() {
        loseReplies(1);
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        QCOMPARE(wire(), QStringList{"0 IF?"});
        QCOMPARE(op().shownIds(), QList<int>{10103});
        QVERIFY(!panel->isPolling());
        for (const char* name : {"startStopFreq", "runFreq", "ramp", "systemType", "operatingMode",
                                 "axisLimit", "storeButton", "startButton"})
            QVERIFY2(!child<QWidget>(panel, name)->isEnabled(), name);
        // Stop and the close button stay usable.
        QVERIFY(child<QPushButton>(panel, "stopButton")->isEnabled());
        QVERIFY(child<QPushButton>(panel, "closeButton")->isEnabled());
    }

    void portThatCannotOpen() {
        link().setPorts({QStringLiteral("/nonexistent/tty")});
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        QCOMPARE(op().shownIds(), QList<int>{10104});
        QVERIFY(!panel->isPolling());
        QVERIFY(!child<QComboBox>(panel, "runFreq")->isEnabled());
    }

    void newOfflineConfiguration() {
        CKormakView* panel = openPanel(QStringLiteral("OFFLINE NEW"), false);
        QVERIFY(wire().isEmpty());
        QVERIFY(panel->isOffline());
        QVERIFY(!panel->isPolling());
        QCOMPARE(panel->title(), QStringLiteral(": OFFLINE NEW"));
        QVERIFY(child<QPushButton>(panel, "transferButton")->isVisibleTo(panel));
        QCOMPARE(child<QComboBox>(panel, "startStopFreq")->currentText(), QStringLiteral("400"));
        QCOMPARE(child<QComboBox>(panel, "runFreq")->currentText(), QStringLiteral("2000"));
        QCOMPARE(child<QComboBox>(panel, "ramp")->currentText(), QStringLiteral("5000"));
        QCOMPARE(child<QComboBox>(panel, "ramp")->count(), 10);
        QCOMPARE(child<QLineEdit>(panel, "axisLimit")->text(), QStringLiteral("1000000"));
        const AxisParameters kept = panel->parameters();
        QCOMPARE(
            (QStringList{kept.boostCurrent, kept.runCurrent, kept.stopCurrent, kept.boostTime}),
            (QStringList{"0", "4", "2", "20"}));
        for (const char* name : {"startButton", "stopButton", "defaultButton", "position",
                                 "statusButton", "resetButton", "rampsButton", "storeButton",
                                 "optionCardButton", "rsMonitorButton", "sfiButton"})
            QVERIFY2(!child<QWidget>(panel, name)->isEnabled(), name);
        for (const char* name : {"runFreq", "currentsButton", "plcButton", "plcExtButton",
                                 "closeButton", "transferButton", "outputA0"})
            QVERIFY2(child<QWidget>(panel, name)->isEnabled(), name);
    }

    void openedFileHandsOverItsLines() {
        link().setCurrentAddress(QStringLiteral("OFFLINE"));
        CKormakDoc& doc = docs_.emplace_back();
        doc.typeTag = QStringLiteral("DREH.OPM");
        doc.lineList = QStringList{QStringLiteral("PF2000\r\n")};
        auto& panel = panels_.emplace_back(std::make_unique<CKormakView>(*host_, doc));
        QSignalSpy apply(panel.get(), &CKormakView::applyFileLinesRequested);
        panel->InitialisePanel();
        QCOMPARE(apply.count(), 1);
        QCOMPARE(panel->title(), QStringLiteral("DREH.OPM: OFFLINE"));
        // Lists are there, the fields and the ramp list wait for the file.
        QCOMPARE(child<QComboBox>(panel.get(), "runFreq")->count(), 41);
        QCOMPARE(child<QComboBox>(panel.get(), "ramp")->count(), 0);
        QVERIFY(wire().isEmpty());
    }

    void loadDefaults_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void loadDefaults() {
        QFETCH(bool, confirmed);
        axis('0', [](sim::SimAxis& a) { a.params.runFreq = 3000; });
        CKormakView* panel = quietPanel();
        op().answers << (confirmed ? Operator::Answer::Ok : Operator::Answer::Cancel);
        QTest::mouseClick(child<QPushButton>(panel, "defaultButton"), Qt::LeftButton);
        QCOMPARE(op().shownIds(), QList<int>{10105});
        QCOMPARE(op().shown.first().buttons, Operator::Buttons::OkCancel);
        if (!confirmed) {
            QVERIFY(wire().isEmpty());
            return;
        }
        QCOMPARE(wire(), onAxis("0", QStringList{"PB"} + ReadSequence));
        QCOMPARE(child<QComboBox>(panel, "runFreq")->currentText(), QStringLiteral("2000"));
        QVERIFY(panel->isPolling());
    }

    // ---- status poll and activation ----------------------------------------------------

    void lamps_data() {
        QTest::addColumn<uint>("status");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<QStringList>("lit"); // "lamp:colour"
        QTest::addColumn<bool>("running");
        QTest::newRow("0x21: motor runs, bit 5 has no lamp")
            << 0x21u << 0 << QStringList{"lamp1016:green"} << true;
        QTest::newRow("0x80: watchdog") << 0x80u << 0 << QStringList{"lamp1022:yellow"} << false;
        QTest::newRow("06 with inputs 9")
            << 0x06u << 9
            << QStringList{"lamp1017:red", "lamp1018:red", "input0:green", "input3:green"} << false;
        QTest::newRow("all errors")
            << 0x58u << 0 << QStringList{"lamp1019:red", "lamp1020:red", "lamp1021:red"} << false;
    }
    void lamps() {
        QFETCH(uint, status);
        QFETCH(int, inputs);
        QFETCH(QStringList, lit);
        QFETCH(bool, running);
        CKormakView* panel = quietPanel();
        axis('0', [&](sim::SimAxis& a) {
            a.latched = status;
            a.inputs = inputs;
        });
        QVERIFY(panel->PollStatus());
        for (const char* name : {"lamp1016", "lamp1017", "lamp1018", "lamp1019", "lamp1020",
                                 "lamp1021", "lamp1022", "input0", "input1", "input2", "input3"}) {
            QString expected = QStringLiteral("grey");
            for (const QString& l : lit)
                if (l.section(':', 0, 0) == QLatin1String(name))
                    expected = l.section(':', 1);
            QCOMPARE(lamp(panel, name), expected);
        }
        QCOMPARE(wire(), onAxis("0", running ? QStringList{"II?", "PC?", "IO?"}
                                             : QStringList{"II?", "IO?"}));
        QCOMPARE(panel->motorRunning(), running);
        QCOMPARE(child<QComboBox>(panel, "runFreq")->isEnabled(), !running);
    }

    void moveLocksPanelUntilItStops() {
        // A quick axis: the 1000 full steps take about a quarter of a second.
        axis('0', [](sim::SimAxis& a) {
            a.params.runFreq = 4000;
            a.params.rampIndex = 9;
        });
        CKormakView* panel = openPanel(QStringLiteral("0"));
        auto* runFreq = child<QComboBox>(panel, "runFreq");
        auto* stop = child<QPushButton>(panel, "stopButton");
        auto* position = child<QLineEdit>(panel, "position");
        child<QComboBox>(panel, "moveType")->setCurrentIndex(2);
        auto* target = child<QLineEdit>(panel, "moveTarget");
        QVERIFY(target->isVisibleTo(panel));
        typeInto(target, QStringLiteral("8000"));
        sim_->host.clearLog();
        QTest::mouseClick(child<QPushButton>(panel, "startButton"), Qt::LeftButton);
        QCOMPARE(wire(), onAxis("0", {"GA8000", "PC?"}));
        QCOMPARE(QApplication::focusWidget(), stop);

        // The next tick sees the motor running and locks the panel.
        QVERIFY(panel->PollStatus());
        QVERIFY(panel->motorRunning());
        QVERIFY(!runFreq->isEnabled());
        QVERIFY(!child<QPushButton>(panel, "startButton")->isEnabled());
        QVERIFY(!child<QPushButton>(panel, "storeButton")->isEnabled());
        // What an operator needs during a move stays usable.
        QVERIFY(stop->isEnabled());
        QVERIFY(position->isEnabled());
        QVERIFY(child<QComboBox>(panel, "moveType")->isEnabled());

        // The timer's polls follow the move to its end.
        QVERIFY(panel->isPolling());
        QTRY_VERIFY_WITH_TIMEOUT(!panel->motorRunning(), 5000);
        QVERIFY(runFreq->isEnabled());
        QVERIFY(child<QPushButton>(panel, "startButton")->isEnabled());
        QCOMPARE(position->text(), QStringLiteral("8000"));
    }

    void moveTargetMustBeANumber_data() {
        QTest::addColumn<int>("moveType");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("letter O for zero") << 2 << "1O00" << QStringList();
        QTest::newRow("empty") << 2 << "" << QStringList();
        QTest::newRow("sign only") << 3 << "-" << QStringList();
        QTest::newRow("relative, negative") << 3 << "-150" << QStringList{"GR-150", "PC?"};
        QTest::newRow("single step") << 6 << "junk" << QStringList{"GS+", "PC?"};
    }
    void moveTargetMustBeANumber() {
        QFETCH(int, moveType);
        QFETCH(QString, target);
        QFETCH(QStringList, sent);
        CKormakView* panel = quietPanel();
        child<QComboBox>(panel, "moveType")->setCurrentIndex(moveType);
        auto* edit = child<QLineEdit>(panel, "moveTarget");
        edit->setText(target);
        QTest::mouseClick(child<QPushButton>(panel, "startButton"), Qt::LeftButton);
        QCOMPARE(wire(), onAxis("0", sent));
        if (sent.isEmpty()) {
            QCOMPARE(op().shownIds(), QList<int>{10243});
            QCOMPARE(op().shown.first().captionId, 10244);
            QCOMPARE(op().shown.first().icon, Operator::Icon::Exclamation);
            QCOMPARE(QApplication::focusWidget(), edit);
        } else {
            QVERIFY(op().shown.isEmpty());
            QCOMPARE(QApplication::focusWidget(), child<QPushButton>(panel, "stopButton"));
        }
    }

    void pollTimeoutStopsPolling() {
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        sim_->host.clearLog();
        op().clear();
        loseReplies(1);
        QVERIFY(!panel->PollStatus());
        QVERIFY(!panel->isPolling());
        QCOMPARE(op().shownIds(), QList<int>{10103});
        // Until the next activation the poll stays silent.
        sim_->host.clearLog();
        QVERIFY(!panel->PollStatus());
        QVERIFY(wire().isEmpty());
        QCOMPARE(op().shown.size(), 1);
    }

    void activation() {
        CKormakView* panel = quietPanel();
        QSignalSpy portOpen(&link(), &SerialLink::portOpenChanged);
        link().setCurrentAddress(QStringLiteral("1"));
        axis('0', [](sim::SimAxis& a) { a.setPosition(777); });

        panel->ActivatePanel(true);
        QCOMPARE(link().currentAddress(), QStringLiteral("0"));
        QCOMPARE(wire(), QStringList{"0 PC?"});
        QCOMPARE(child<QLineEdit>(panel, "position")->text(), QStringLiteral("777"));
        QVERIFY(panel->isPolling());
        // The port is closed and opened again even though nothing changed.
        QCOMPARE(portOpen.count(), 2);
        QVERIFY(link().portOpen());

        panel->ActivatePanel(false);
        QVERIFY(!panel->isPolling());

        // While a file is being opened nothing happens.
        host_->openingFile_ = true;
        sim_->host.clearLog();
        panel->ActivatePanel(true);
        QVERIFY(wire().isEmpty());
        QVERIFY(!panel->isPolling());
        host_->openingFile_ = false;

        // The last window gone: the port closes.
        host_->active = nullptr;
        panel->ActivatePanel(false);
        QVERIFY(!link().portOpen());
    }

    void activationLosesAxis() {
        CKormakView* panel = quietPanel();
        loseReplies(1);
        panel->ActivatePanel(true);
        QVERIFY(link().lastTimedOut());
        QVERIFY(!panel->isPolling());
        QVERIFY(!child<QComboBox>(panel, "runFreq")->isEnabled());
        QVERIFY(op().shown.isEmpty());
    }

    void activatingOfflinePanel() {
        CKormakView* panel = openPanel(QStringLiteral("OFFLINE NEW"), false);
        link().setCurrentAddress(QStringLiteral("0"));
        panel->ActivatePanel(true);
        QCOMPARE(link().currentAddress(), QStringLiteral("OFFLINE"));
        QVERIFY(wire().isEmpty());
        QVERIFY(!child<QPushButton>(panel, "startButton")->isEnabled());
    }

    // ---- the link belongs to the active panel -------------------------------------------

    // The operator picks another bus or rate in the bar while the panel of
    // axis 0 on the first bus is active: that choice waits for the next
    // connection. The panel's commands and its poll stay on its own port and
    // rate; the second bus, whose axis 0 has A1 on, never hears a word.
    void barSelectionWaitsForTheNextConnection_data() {
        QTest::addColumn<int>("barPort");
        QTest::addColumn<int>("barBaud");
        QTest::newRow("second bus picked") << 1 << 3;
        QTest::newRow("9600 Baud picked") << 0 << 0;
    }
    void barSelectionWaitsForTheNextConnection() {
        QFETCH(int, barPort);
        QFETCH(int, barBaud);
        SimLine second(QStringLiteral("0"));
        QVERIFY(second.start());
        second.host.withBus([](sim::SimBus& bus) { bus.axis(u'0').outputs = 2; });
        link().setPorts({sim_->port(), second.port()});
        CKormakView* panel = quietPanel();
        auto* a0 = child<QCheckBox>(panel, "outputA0");
        auto* a1 = child<QCheckBox>(panel, "outputA1");

        link().setPortIndex(barPort);
        link().setBaudIndex(barBaud);
        QTest::mouseClick(a0, Qt::LeftButton);
        QVERIFY(panel->PollStatus());
        QVERIFY(a0->isChecked());
        QVERIFY(!a1->isChecked());
        QTest::mouseClick(a0, Qt::LeftButton);
        QVERIFY(panel->PollStatus());

        QCOMPARE(wire(), onAxis("0", {"IO1", "II?", "IO?", "IO0", "II?", "IO?"}));
        QVERIFY(second.log().isEmpty());
        QVERIFY(op().shown.isEmpty());
        QVERIFY(!a0->isChecked());
        QVERIFY(!a1->isChecked());
        // The bar still shows the operator's choice.
        QCOMPARE(link().portIndex(), barPort);
        QCOMPARE(link().baudIndex(), barBaud);
    }

    // A panel that talks while another one is active (closing at shutdown)
    // uses its own bus and then leaves the port where the active panel has it.
    void inactivePanelGivesThePortBack() {
        SimLine second(QStringLiteral("1"));
        QVERIFY(second.start());
        link().setPorts({sim_->port(), second.port()});
        CKormakView* first = quietPanel(QStringLiteral("0"));
        link().TogglePort();
        link().setPortIndex(1);
        CKormakView* active = quietPanel(QStringLiteral("1"));
        second.host.clearLog();
        QCOMPARE(host_->active, active);
        // The bar shows the first bus again; the port is still on the second.
        link().setPortIndex(0);

        first->ClosePanel();
        QVERIFY(active->PollStatus());
        QCOMPARE(wire(), QStringList{"0 IS?"});
        QCOMPARE(second.log(), onAxis("1", {"II?", "IO?"}));
        QVERIFY(op().shown.isEmpty());
        QCOMPARE(link().portIndex(), 0);
    }

    // Two panels may carry the same title (axis 0 on two buses): the link
    // still belongs to the active one alone, and the other borrows the port.
    void samePanelTitleOnTwoBusesBorrows() {
        SimLine second(QStringLiteral("0"));
        QVERIFY(second.start());
        link().setPorts({sim_->port(), second.port()});
        CKormakView* first = quietPanel(QStringLiteral("0"));
        link().TogglePort();
        link().setPortIndex(1);
        CKormakView* active = quietPanel(QStringLiteral("0"));
        QCOMPARE(first->title(), active->title());
        second.host.clearLog();

        first->ClosePanel();
        QCOMPARE(wire(), QStringList{"0 IS?"});
        QVERIFY(LinkPlace::of(link()).isAt(1, link().baudIndex()));
        QVERIFY(active->PollStatus());
        QCOMPARE(second.log(), onAxis("0", {"II?", "IO?"}));
        QCOMPARE(wire(), QStringList{"0 IS?"});
        QVERIFY(op().shown.isEmpty());
    }

    // The controller lost in the middle of a free run. The operator hears of it
    // once, from the link (a lost port and the overflow have messages of their
    // own there), the poll stops,
    // the lamps and the position no longer pass for the axis's state, and Stop
    // on the closed port says so instead of doing nothing.
    void lostControllerDuringAMove_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("text");
        QTest::newRow("port vanishes")
            << int(sim::Fault::Vanish) << 0 << Texts::text("link.portLost");
        QTest::newRow("receive overflow")
            << int(sim::Fault::Overflow) << 10260 << Texts::text(10260);
    }
    void lostControllerDuringAMove() {
        QFETCH(int, fault);
        QFETCH(int, message);
        QFETCH(QString, text);
        CKormakView* panel = openPanel(QStringLiteral("0"));
        op().clear();
        child<QComboBox>(panel, "moveType")->setCurrentIndex(AxisVocabulary::FreeRunPlus);
        QTest::mouseClick(child<QPushButton>(panel, "startButton"), Qt::LeftButton);
        QVERIFY(panel->PollStatus());
        QCOMPARE(lamp(panel, "lamp1016"), QStringLiteral("green"));
        auto* position = child<QLineEdit>(panel, "position");
        QVERIFY(position->toolTip().isEmpty());

        sim_->host.setFault(sim::Fault(fault), 0, 1);
        QVERIFY(!panel->PollStatus());
        QVERIFY(!panel->isPolling());
        QVERIFY(!link().portOpen());
        QCOMPARE(op().shownIds(), QList<int>{message});
        QCOMPARE(op().shown.first().text.isEmpty() ? Texts::text(message) : op().shown.first().text,
                 text);
        for (const char* name : {"lamp1016", "lamp1017", "lamp1022", "input0", "input3"})
            QCOMPARE(lamp(panel, name), QStringLiteral("unknown"));
        QCOMPARE(position->toolTip(), Texts::text("axis.notCurrent"));
        QVERIFY(position->palette().color(QPalette::Text) !=
                QApplication::palette().color(QPalette::Text));

        // A later tick adds no second box.
        QVERIFY(!panel->PollStatus());
        QCOMPARE(op().shownIds(), QList<int>{message});
        QTest::mouseClick(child<QPushButton>(panel, "stopButton"), Qt::LeftButton);
        QCOMPARE(op().shown.size(), 2);
        QCOMPARE(op().shown.last().text, Texts::text("link.gone"));
        QCOMPARE(op().shown.last().icon, Operator::Icon::Error);
    }

    // The next status that comes in makes lamps and position current again.
    void statusAfterLossIsCurrentAgain() {
        CKormakView* panel = quietPanel();
        loseReplies(1);
        QVERIFY(!panel->PollStatus());
        QCOMPARE(lamp(panel, "lamp1016"), QStringLiteral("unknown"));
        panel->ActivatePanel(true);
        QVERIFY(panel->PollStatus());
        QCOMPARE(lamp(panel, "lamp1016"), QStringLiteral("grey"));
        QVERIFY(child<QLineEdit>(panel, "position")->toolTip().isEmpty());
    }

    // ---- parameter entries -------------------------------------------------------------

    void frequencyEntries_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("start/stop above the bound") << "startStopFreq"
                                                    << "2500"
                                                    << "1250" << QStringList{"PO1250"};
        QTest::newRow("start/stop minus five") << "startStopFreq"
                                               << "-5"
                                               << "1250" << QStringList{"PO1250"};
        QTest::newRow("start/stop twenty digits") << "startStopFreq"
                                                  << "99999999999999999999"
                                                  << "1250" << QStringList{"PO1250"};
        QTest::newRow("start/stop within") << "startStopFreq"
                                           << "800"
                                           << "800" << QStringList{"PO800"};
        QTest::newRow("start/stop empty") << "startStopFreq"
                                          << ""
                                          << "" << QStringList{"PO"};
        QTest::newRow("start/stop letter") << "startStopFreq"
                                           << "12x"
                                           << "12x" << QStringList();
        QTest::newRow("run above the bound") << "runFreq"
                                             << "12000"
                                             << "10000" << QStringList{"PF10000"};
        QTest::newRow("run within") << "runFreq"
                                    << "2250"
                                    << "2250" << QStringList{"PF2250"};
    }
    void frequencyEntries() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QStringList, sent);
        CKormakView* panel = quietPanel();
        // An empty field sends the bare mnemonic, which the axis refuses.
        if (typed.isEmpty())
            sim_->referee.expect(sent.value(0));
        auto* list = child<QComboBox>(panel, qPrintable(box));
        typeInto(list->lineEdit(), typed);
        leave(panel);
        QCOMPARE(wire(), onAxis("0", sent));
        QCOMPARE(list->currentText(), shown);
        if (sent.isEmpty()) {
            QCOMPARE(op().shownIds(), QList<int>{10243});
            QVERIFY(list->hasFocus());
        } else {
            QVERIFY(op().shown.isEmpty());
        }
    }

    // Offline nothing bounds a frequency: a configuration may be meant for an
    // axis faster than any default list.
    void frequencyOnOfflinePanel_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("start/stop above the default list") << "startStopFreq"
                                                           << "2500" << QList<int>();
        QTest::newRow("run above the default list") << "runFreq"
                                                    << "20000" << QList<int>();
        QTest::newRow("not a number") << "runFreq"
                                      << "20k" << QList<int>{10243};
    }
    void frequencyOnOfflinePanel() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QList<int>, messages);
        CKormakView* panel = openPanel(QStringLiteral("OFFLINE NEW"));
        auto* list = child<QComboBox>(panel, qPrintable(box));
        typeInto(list->lineEdit(), typed);
        leave(panel);
        QCOMPARE(list->currentText(), typed);
        QCOMPARE(op().shownIds(), messages);
        QVERIFY(wire().isEmpty());
        if (messages.isEmpty())
            QCOMPARE(box == QLatin1String("runFreq") ? panel->parameters().runFreq
                                                     : panel->parameters().startStopFreq,
                     typed);
    }

    void editEntries_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("position") << "position"
                                  << "1234" << QStringList{"PC1234"};
        QTest::newRow("position negative") << "position"
                                           << "-20" << QStringList{"PC-20"};
        QTest::newRow("position with letters") << "position"
                                               << "12a4" << QStringList();
        QTest::newRow("axis limit") << "axisLimit"
                                    << "5000" << QStringList{"PG5000"};
        QTest::newRow("axis limit takes digits only") << "axisLimit"
                                                      << "1a2" << QStringList{"PG12"};
        QTest::newRow("backlash") << "backlash"
                                  << "-3" << QStringList{"PW-3"};
        QTest::newRow("backlash, sign behind") << "backlash"
                                               << "3-" << QStringList();
        QTest::newRow("zero offset +") << "zeroOffsetPlus"
                                       << "7" << QStringList{"PP7"};
        QTest::newRow("zero offset -") << "zeroOffsetMinus"
                                       << "8" << QStringList{"PM8"};
    }
    void editEntries() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QStringList, sent);
        CKormakView* panel = quietPanel();
        auto* field = child<QLineEdit>(panel, qPrintable(edit));
        typeInto(field, typed);
        leave(panel);
        QCOMPARE(wire(), onAxis("0", sent));
        if (sent.isEmpty()) {
            QCOMPARE(op().shownIds(), QList<int>{10243});
            QCOMPARE(op().shown.first().captionId, 10244);
            QVERIFY(field->hasFocus());
        }
    }

    // A click into the position edit during a move, then Stop: the value the
    // poll wrote is not sent back as the new position.
    void positionRewrittenByPollIsNotSent() {
        CKormakView* panel = quietPanel();
        axis('0', [](sim::SimAxis& a) { a.latched = 0x01; });
        QVERIFY(panel->PollStatus());
        auto* position = child<QLineEdit>(panel, "position");
        position->setFocus(Qt::MouseFocusReason);
        axis('0', [](sim::SimAxis& a) { a.latched = 0; });
        sim_->host.clearLog();
        QTest::mouseClick(child<QPushButton>(panel, "stopButton"), Qt::LeftButton);
        QCOMPARE(wire(), QStringList{"0 H"});
    }

    void listEntries() {
        CKormakView* panel = quietPanel();
        auto* ramp = child<QComboBox>(panel, "ramp");
        ramp->setFocus(Qt::MouseFocusReason);
        ramp->setCurrentIndex(9);
        leave(panel);
        QCOMPARE(wire(), QStringList{"0 PN9"});

        // A wheel turned over a list the operator is not working in changes nothing.
        sim_->host.clearLog();
        auto* systemType = child<QComboBox>(panel, "systemType");
        QWheelEvent wheel(QPointF(5, 5), systemType->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(systemType, &wheel);
        QCOMPARE(systemType->currentIndex(), 0);
        QVERIFY(wire().isEmpty());

        // The system type goes out when chosen and again when left.
        systemType->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(systemType, Qt::Key_Down);
        QCOMPARE(wire(), QStringList{"0 PL1"});
        leave(panel);
        QCOMPARE(wire(), (QStringList{"0 PL1", "0 PL1"}));
    }

    void plcMode_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("online") << "0";
        QTest::newRow("offline") << "OFFLINE NEW";
    }
    void plcMode() {
        QFETCH(QString, address);
        const bool online = address == QLatin1String("0");
        CKormakView* panel = online ? quietPanel() : openPanel(address);
        auto* mode = child<QComboBox>(panel, "operatingMode");
        auto* start = child<QPushButton>(panel, "startButton");
        const bool startBefore = start->isEnabled();
        mode->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(mode, Qt::Key_Down);
        QCOMPARE(mode->currentIndex(), 1);
        if (online) {
            QCOMPARE(wire(), QStringList{"0 PD1"});
            QVERIFY(!start->isEnabled());
            QVERIFY(!child<QCheckBox>(panel, "outputA0")->isEnabled());
            QVERIFY(!child<QCheckBox>(panel, "outputA1")->isEnabled());
            QTest::keyClick(mode, Qt::Key_Up);
            QCOMPARE(wire(), (QStringList{"0 PD1", "0 PD0"}));
            QVERIFY(start->isEnabled());
            QVERIFY(child<QCheckBox>(panel, "outputA0")->isEnabled());
        } else {
            QVERIFY(wire().isEmpty());
            QCOMPARE(start->isEnabled(), startBefore);
            QVERIFY(child<QCheckBox>(panel, "outputA0")->isEnabled());
        }
    }

    void plcModeReadLocksStart() {
        axis('0', [](sim::SimAxis& a) { a.params.operatingMode = 1; });
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        QVERIFY(!child<QPushButton>(panel, "startButton")->isEnabled());
        QVERIFY(!child<QCheckBox>(panel, "outputA0")->isEnabled());
        QVERIFY(!child<QCheckBox>(panel, "outputA1")->isEnabled());
    }

    void outputs() {
        CKormakView* panel = quietPanel();
        QTest::mouseClick(child<QCheckBox>(panel, "outputA0"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(panel, "outputA1"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(panel, "outputA0"), Qt::LeftButton);
        QCOMPARE(wire(), (QStringList{"0 IO1", "0 IO3", "0 IO2"}));
        // The poll shows what the axis holds.
        axis('0', [](sim::SimAxis& a) { a.outputs = 1; });
        QVERIFY(panel->PollStatus());
        QVERIFY(child<QCheckBox>(panel, "outputA0")->isChecked());
        QVERIFY(!child<QCheckBox>(panel, "outputA1")->isChecked());
    }

    // ---- storing and closing -----------------------------------------------------------

    void storeParameters_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("stored") << true << false << QStringList{"IC?", "FC190423", "WP"};
        QTest::newRow("declined") << false << false << QStringList();
        QTest::newRow("release refused: no WP") << true << true << QStringList{"IC?", "FC19?423"};
    }
    void storeParameters() {
        QFETCH(bool, confirmed);
        QFETCH(bool, refused);
        QFETCH(QStringList, sent);
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        sim_->host.clearLog();
        op().clear();
        if (refused) {
            // A date code the single-byte line cannot carry comes back changed:
            // the axis refuses the release.
            axis('0', [](sim::SimAxis& a) { a.dateCode = QStringLiteral("19\u20AC423"); });
            sim_->referee.expect(QStringLiteral("FC"));
        }
        op().answers << (confirmed ? Operator::Answer::Yes : Operator::Answer::No);
        QTest::mouseClick(child<QPushButton>(panel, "storeButton"), Qt::LeftButton);
        QVERIFY(!panel->isPolling());
        QCOMPARE(op().shownIds(), QList<int>{10110});
        QCOMPARE(op().shown.first().buttons, Operator::Buttons::YesNo);
        QCOMPARE(wire(), onAxis("0", sent));
    }

    void storeLosesReply() {
        CKormakView* panel = quietPanel();
        loseReplies(-1);
        QTest::mouseClick(child<QPushButton>(panel, "storeButton"), Qt::LeftButton);
        sim_->host.setFault(sim::Fault::None);
        QCOMPARE(op().shownIds(), (QList<int>{10110, 10103}));
        QCOMPARE(wire(), QStringList{"0 IC?"});
    }

    void closeQuestion_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("unchanged: no question")
            << false << true << false << QStringList{"IS?"} << QList<int>();
        QTest::newRow("changed, Yes")
            << true << true << false << QStringList{"IS?", "IC?", "FC190423", "WP"}
            << QList<int>{10261};
        QTest::newRow("changed, No")
            << true << false << false << QStringList{"IS?"} << QList<int>{10261};
        QTest::newRow("changed, release refused")
            << true << true << true << QStringList{"IS?", "IC?", "FC19?423"} << QList<int>{10261};
    }
    void closeQuestion() {
        QFETCH(bool, changed);
        QFETCH(bool, answerYes);
        QFETCH(bool, refused);
        QFETCH(QStringList, sent);
        QFETCH(QList<int>, messages);
        CKormakView* panel = quietPanel();
        axis('0', [&](sim::SimAxis& a) {
            if (changed)
                a.latched |= ParametersChangedBit;
            if (refused)
                a.dateCode = QStringLiteral("19\u20AC423");
        });
        if (refused)
            sim_->referee.expect(QStringLiteral("FC"));
        op().answers << (answerYes ? Operator::Answer::Yes : Operator::Answer::No);
        QTest::mouseClick(child<QPushButton>(panel, "closeButton"), Qt::LeftButton);
        QCOMPARE(host_->closed, QList<CKormakView*>{panel});
        QCOMPARE(wire(), onAxis("0", sent));
        QCOMPARE(op().shownIds(), messages);
        if (!messages.isEmpty())
            QCOMPARE(op().shown.first().icon, Operator::Icon::Question);
        bool stillChanged = false;
        axis('0', [&](sim::SimAxis& a) { stillChanged = a.latched & ParametersChangedBit; });
        QCOMPARE(stillChanged, changed && !(answerYes && !refused));
    }

    // At shutdown every panel closes in turn while another one is active: each
    // asks and stores its own axis.
    void closingInactivePanelAsksItsOwnAxis() {
        CKormakView* first = quietPanel(QStringLiteral("0"));
        CKormakView* second = quietPanel(QStringLiteral("1"));
        QCOMPARE(host_->active, second);
        QCOMPARE(link().currentAddress(), QStringLiteral("1"));
        axis('0', [](sim::SimAxis& a) { a.latched |= ParametersChangedBit; });
        sim_->host.clearLog();

        first->ClosePanel();
        QCOMPARE(wire(), onAxis("0", {"IS?", "IC?", "FC190423", "WP"}));
        QCOMPARE(op().shownIds(), QList<int>{10261});
        QCOMPARE(link().currentAddress(), QStringLiteral("1"));
        QCOMPARE(first->axisAddress(), QStringLiteral("0"));
    }

    void closeLosesReply() {
        CKormakView* panel = quietPanel();
        loseReplies(1);
        panel->ClosePanel();
        QCOMPARE(wire(), QStringList{"0 IS?"});
        QCOMPARE(op().shownIds(), QList<int>{10103});
    }

    // The operator said Yes to storing, then the release got no reply: the
    // question on the way is no message of the link's, so the lost reply is
    // still told.
    void closeStoreLosesReplyAfterYes() {
        CKormakView* panel = quietPanel();
        axis('0', [](sim::SimAxis& a) { a.latched |= ParametersChangedBit; });
        link().setTimeoutMs(300);
        sim_->host.setFaultFor(QStringLiteral("IC"), sim::Fault::NoReply);
        op().answers << Operator::Answer::Yes;
        panel->ClosePanel();
        QCOMPARE(wire(), onAxis("0", {"IS?", "IC?"}));
        QCOMPARE(op().shownIds(), (QList<int>{10261, 10103}));
    }

    void closingOfflinePanelSendsNothing() {
        quietPanel(QStringLiteral("0"));
        CKormakView* offline = openPanel(QStringLiteral("OFFLINE NEW"), false);
        // Even with an axis current, an offline panel has nothing to ask.
        link().setCurrentAddress(QStringLiteral("0"));
        offline->ClosePanel();
        QVERIFY(wire().isEmpty());
        QVERIFY(op().shown.isEmpty());
    }

    // ---- buttons of the dialogs ----------------------------------------------------

    void dialogButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("address");
        const auto& signals_ = dialogSignals();
        for (int i = 0; i < signals_.size(); ++i)
            QTest::newRow(signals_.at(i).first)
                << QString::fromLatin1(signals_.at(i).first) << i
                << (signals_.at(i).second == &CKormakView::transferRequested ? "OFFLINE NEW" : "0");
    }
    void dialogButtons() {
        QFETCH(QString, button);
        QFETCH(int, signal);
        QFETCH(QString, address);
        axis('0', [](sim::SimAxis& a) { a.sfiCard = true; });
        CKormakView* panel = openPanel(address, false);
        sim_->host.clearLog();
        QCOMPARE(panel->isPolling(), !panel->isOffline());
        int emitted = 0;
        bool pollingWhenEmitted = true;
        connect(panel, dialogSignals().at(signal).second, this, [&] {
            ++emitted;
            pollingWhenEmitted = panel->isPolling();
        });
        auto* b = child<QPushButton>(panel, qPrintable(button));
        QVERIFY(b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(emitted, 1);
        QVERIFY(!pollingWhenEmitted);
        QVERIFY(wire().isEmpty());
        QVERIFY(op().shown.isEmpty());
    }

    // Buttons whose dialogs nobody has connected open nothing: they must not
    // stop the poll, which nothing would start again.
    void buttonWithoutDialogKeepsPolling_data() {
        QTest::addColumn<QString>("button");
        for (const char* name : {"statusButton", "resetButton", "plcButton", "plcExtButton",
                                 "optionCardButton", "rsMonitorButton", "sfiButton"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void buttonWithoutDialogKeepsPolling() {
        QFETCH(QString, button);
        axis(u'0', [&](sim::SimAxis& a) { a.sfiCard = button == QLatin1String("sfiButton"); });
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        sim_->host.clearLog();
        auto* b = child<QPushButton>(panel, qPrintable(button));
        QVERIFY(b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(panel->isPolling());
        QVERIFY(wire().isEmpty());
        QVERIFY(op().shown.isEmpty());
    }

    // The programming group is walked row by row.
    void programButtonsTabByRows() {
        CKormakView* panel = openPanel(QStringLiteral("0"), false);
        QList<QWidget*> order;
        auto* start = child<QPushButton>(panel, "rampsButton");
        QWidget* w = start;
        do {
            if (qobject_cast<QPushButton*>(w) && w->parentWidget() == start->parentWidget())
                order << w;
            w = w->nextInFocusChain();
        } while (w != start);
        QStringList names;
        for (QWidget* b : order)
            names << b->objectName();
        QCOMPARE(names, (QStringList{"rampsButton", "storeButton", "plcButton", "plcExtButton",
                                     "optionCardButton", "rsMonitorButton", "sfiButton"}));
    }

private:
    using PanelSignal = void (CKormakView::*)();
    static const QList<QPair<const char*, PanelSignal>>& dialogSignals() {
        static const QList<QPair<const char*, PanelSignal>> list = {
            {"currentsButton", &CKormakView::currentsRequested},
            {"statusButton", &CKormakView::statusRequested},
            {"resetButton", &CKormakView::resetRequested},
            {"rampsButton", &CKormakView::rampsRequested},
            {"plcButton", &CKormakView::plcRequested},
            {"plcExtButton", &CKormakView::plcExtRequested},
            {"optionCardButton", &CKormakView::optionCardRequested},
            {"rsMonitorButton", &CKormakView::rsMonitorRequested},
            {"sfiButton", &CKormakView::sfiRequested},
            {"transferButton", &CKormakView::transferRequested}};
        return list;
    }
};

QTEST_MAIN(TestAxisPanel)
#include "tst_axispanel.moc"
