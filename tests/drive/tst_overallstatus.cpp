// The overall status and the resets: the decoding of "IS?" as tables, the two
// dialogs on the offscreen platform against the simulated axis.

#include "SimRig.h"
#include "widgets/StatusLamp.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/CGesamtStatus.h"
#include "drive/CReset.h"
#include "widgets/CWait.h"
#include "drive/OverallStatus.h"
#include "sim/SimStatus.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// The lit lamps as "1200g 1207r ...": number and colour initial.
QString litLamps(const QList<OverallStatus::Colour>& colours) {
    QStringList lit;
    for (int i = 0; i < colours.size(); ++i) {
        static const char initials[] = {'-', 'g', 'r', 'y'};
        if (colours[i] != OverallStatus::Colour::Grey)
            lit << QString::number(1200 + i) + QLatin1Char(initials[int(colours[i])]);
    }
    return lit.join(u' ');
}

QString litLamps(const QList<StatusLamp*>& lamps) {
    QList<OverallStatus::Colour> colours;
    for (StatusLamp* l : lamps) {
        switch (l->colour()) {
        case StatusLamp::Colour::Green:
            colours << OverallStatus::Colour::Green;
            break;
        case StatusLamp::Colour::Red:
            colours << OverallStatus::Colour::Red;
            break;
        case StatusLamp::Colour::Yellow:
            colours << OverallStatus::Colour::Yellow;
            break;
        default:
            colours << OverallStatus::Colour::Grey;
        }
    }
    return litLamps(colours);
}

// A dialog on the rig, its progress window counting milliseconds.
template <typename D> struct DialogRig : SimRig {
    std::unique_ptr<D> dialog;
    QList<int> waitSeconds;
    bool busyDuringWait = false;

    WaitRunner runner() {
        return [this](CWait& wait) {
            waitSeconds << wait.seconds;
            busyDuringWait = BusyState::isBusy();
            wait.setSecondMs(1);
            return wait.exec();
        };
    }
    template <typename W> W* get(const QString& name) const {
        W* w = dialog->template findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void check(const QStringList& boxes) {
        // On the box itself: a short caption leaves the middle of a wide
        // check box empty.
        for (const QString& b : boxes) {
            QCheckBox* box = get<QCheckBox>(b);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        }
    }
    QList<StatusLamp*> lamps() const {
        QList<StatusLamp*> list;
        for (int i = 0; i < OverallStatus::LampCount; ++i)
            list << get<StatusLamp>(QStringLiteral("lamp%1").arg(1200 + i));
        return list;
    }
    quint32 latched() {
        quint32 v = 0;
        axis([&](sim::SimAxis& a) { v = a.latched; });
        return v;
    }
};

} // namespace

class TestOverallStatus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::English); }
    void cleanup() { QVERIFY(!BusyState::isBusy()); }

    void decode_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("lit");
        QTest::newRow("bytes most significant first")
            << "x01y123456" << true << "56341201"
            << "1200g 1207r 1209r 1213y 1214g 1218y 1219g";
        QTest::newRow("whole frame, nothing set") << "000 000000:30" << true << "00000000"
                                                  << "";
        QTest::newRow("power stage and other error") << "048 000000:30" << true << "00000048"
                                                     << "1203r";
        QTest::newRow("top byte") << "000 000080:30" << true << "80000000"
                                  << "1221r";
        QTest::newRow("short reply: missing digits are none") << "008 00" << true << "0008"
                                                              << "1203r";
        QTest::newRow("address only") << "0" << true << ""
                                      << "";
        QTest::newRow("not hexadecimal reads as no digit") << "0zz QQ2000:30" << true << "0020QQzz"
                                                           << "1214g";
        QTest::newRow("time-out is no status") << "TIMEOUT\r\n"
                                               << false << "TIMEOUT"
                                               << "";
        QTest::newRow("closed port is no status") << "ERROR\r\n"
                                                  << false << "ERROR"
                                                  << "";
        QTest::newRow("offline is no status") << "OFFLINE\r\n"
                                              << false << "OFFLINE"
                                              << "";
    }
    void decode() {
        QFETCH(QString, reply);
        QFETCH(bool, valid);
        QFETCH(QString, code);
        QFETCH(QString, lit);
        const OverallStatus::Reading r = OverallStatus::decode(reply);
        QCOMPARE(r.valid, valid);
        QCOMPARE(r.codeText, code);
        if (valid)
            QCOMPARE(litLamps(OverallStatus::lampColours(r.value)), lit);
    }

    // Each bit alone lights the lamp the status table gives it, or none.
    void bitWalk_data() {
        QTest::addColumn<int>("bit");
        QTest::addColumn<QString>("lit");
        const QMap<int, QString> lamps{{0, "1200g"},  {1, "1201r"},  {2, "1202r"},  {3, "1203r"},
                                       {4, "1204r"},  {5, "1205r"},  {7, "1206y"},  {9, "1207r"},
                                       {11, "1208r"}, {12, "1209r"}, {13, "1210r"}, {15, "1211r"},
                                       {17, "1212r"}, {18, "1213y"}, {21, "1214g"}, {22, "1215r"},
                                       {23, "1216r"}, {24, "1217g"}, {25, "1218y"}, {26, "1219g"},
                                       {27, "1220g"}, {31, "1221r"}};
        for (int bit = 0; bit < 32; ++bit)
            QTest::addRow("bit %d", bit) << bit << lamps.value(bit);
    }
    void bitWalk() {
        QFETCH(int, bit);
        QFETCH(QString, lit);
        QCOMPARE(litLamps(OverallStatus::lampColours(1u << bit)), lit);
    }

    void allBitsLightAllButParity() {
        const QList<OverallStatus::Colour> c = OverallStatus::lampColours(0xFFFFFFFFu);
        QCOMPARE(c.size(), OverallStatus::LampCount);
        for (int i = 0; i < OverallStatus::LampCount - 1; ++i)
            QVERIFY2(c[i] != OverallStatus::Colour::Grey, qPrintable(QString::number(1200 + i)));
        QCOMPARE(c.last(), OverallStatus::Colour::Grey);
    }

    // The status dialog shows the simulated fault, and its reset sends the
    // command, reports success and the lamp goes out.
    // Reading the status clears only the errors of single commands and of
    // the line; a standing fault stays until its own reset.
    void clearReported_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("unknown command") << "unknown-command" << true;
        QTest::newRow("bad value") << "bad-value" << true;
        QTest::newRow("checksum") << "checksum" << true;
        QTest::newRow("power stage") << "power-stage" << false;
        QTest::newRow("initiators") << "initiators" << false;
    }
    void clearReported() {
        QFETCH(QString, fault);
        QFETCH(bool, cleared);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) { QVERIFY(sim::SimStatus::setFault(a, fault)); });
        rig.host.clearLog();
        OverallStatus::clearReported(rig.link);
        QCOMPARE(rig.commands(), QStringList{"IS?"});
        const OverallStatus::Reading after = OverallStatus::read(rig.link);
        QVERIFY(after.valid);
        QCOMPARE((after.value & sim::SimStatus::faultBit(fault)) == 0, cleared);
    }

    // The three codes as the axis answers them; a lost reply shows as what
    // the link returned in its place, and the others are still read.
    void readCodes() {
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.axis([](sim::SimAxis& a) {
            a.biosCode = QStringLiteral("BIOS_V3.01");
            a.systemCode = QStringLiteral("PG_4.00");
            a.dateCode = QStringLiteral("201231");
        });
        rig.host.clearLog();
        OverallStatus::Codes codes = OverallStatus::readCodes(rig.link);
        QCOMPARE(rig.commands(), (QStringList{"IB?", "IV?", "IC?"}));
        QCOMPARE(QStringList({codes.bios, codes.system, codes.date}),
                 (QStringList{"BIOS_V3.01", "PG_4.00", "201231"}));
        rig.host.setFaultFor(QStringLiteral("0 IV?"), sim::Fault::NoReply);
        codes = OverallStatus::readCodes(rig.link);
        QCOMPARE(QStringList({codes.bios, codes.system, codes.date}),
                 (QStringList{"BIOS_V3.01", "TIMEOUT", "201231"}));
    }

    void statusDialogShowsAndResets_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("lamp");
        QTest::addColumn<int>("doneText");
        QTest::newRow("output driver") << "output-driver"
                                       << "resetOutputDriver"
                                       << "CO"
                                       << "1221r" << 10106;
        QTest::newRow("power stage") << "power-stage"
                                     << "resetPowerStage"
                                     << "CA"
                                     << "1203r" << 10107;
        QTest::newRow("initiators") << "initiators"
                                    << "resetInitiators"
                                    << "CI"
                                    << "1212r" << 10108;
        QTest::newRow("sfi") << "sfi"
                             << "resetSfi"
                             << "CS"
                             << "1204r" << 10109;
    }
    void statusDialogShowsAndResets() {
        QFETCH(QString, fault);
        QFETCH(QString, box);
        QFETCH(QString, command);
        QFETCH(QString, lamp);
        QFETCH(int, doneText);
        DialogRig<CGesamtStatus> rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) { QVERIFY(sim::SimStatus::setFault(a, fault)); });
        rig.host.clearLog();
        rig.dialog = std::make_unique<CGesamtStatus>(rig.link, rig.op);
        rig.dialog->show();
        QCOMPARE(rig.commands(), (QStringList{"IS?", "IB?", "IV?", "IC?"}));
        QVERIFY2(litLamps(rig.lamps()).contains(lamp), qPrintable(litLamps(rig.lamps())));
        QCOMPARE(rig.dialog->windowTitle(), Texts::text(10000) + "0" + Texts::text(10061));
        // Caption and value stand in a grid of their own columns.
        QCOMPARE(rig.get<QLabel>("codeCaption1224")->text(), Texts::text(10082).remove('\t'));
        QCOMPARE(rig.get<QLabel>("codeLine1224")->text(), QStringLiteral("BIOS_V2.14"));
        for (int line : {1224, 1225, 1226})
            QCOMPARE(rig.get<QLabel>(QStringLiteral("codeLine%1").arg(line))->x(),
                     rig.get<QLabel>("codeLine1223")->x());

        auto* action = rig.get<QPushButton>("actionButton");
        QCOMPARE(action->text(), Texts::text(10096));
        rig.check({box});
        QCOMPARE(action->text(), Texts::text(10095));
        rig.host.clearLog();
        QTest::mouseClick(action, Qt::LeftButton);
        QCOMPARE(rig.commands().value(0), command);
        QCOMPARE(rig.commands().mid(1), (QStringList{"IS?", "IB?", "IV?", "IC?"}));
        QCOMPARE(rig.op.shownIds(), QList<int>{doneText});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Information);
        QCOMPARE(rig.latched() & sim::SimStatus::faultBit(fault), 0u);
        QVERIFY(!litLamps(rig.lamps()).contains(lamp));
        // The box stays checked; unchecking the last one brings "Update" back.
        rig.check({box});
        QCOMPARE(action->text(), Texts::text(10096));
        QVERIFY(!rig.dialog->systemResetDone);
    }

    // A reset that never reached the axis says so, and the lamps that showed
    // the fault stay lit instead of turning grey.
    void silentAxisIsNoSuccess() {
        DialogRig<CGesamtStatus> rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.axis([](sim::SimAxis& a) { sim::SimStatus::setFault(a, "power-stage"); });
        rig.dialog = std::make_unique<CGesamtStatus>(rig.link, rig.op);
        rig.dialog->show();
        QCOMPARE(litLamps(rig.lamps()), QStringLiteral("1203r"));
        const QString codeBefore = rig.get<QLabel>("codeLine1224")->text();
        rig.check({"resetPowerStage", "resetInitiators"});
        rig.host.setFault(sim::Fault::NoReply, 0, -1);
        rig.host.clearLog();
        QTest::mouseClick(rig.get<QPushButton>("actionButton"), Qt::LeftButton);
        // The first reset failed: nothing more is sent, one message.
        QCOMPARE(rig.commands(), QStringList{"CA"});
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);

        // A refresh against the silent axis keeps the lamps as they were.
        rig.check({"resetPowerStage", "resetInitiators"});
        rig.op.clear();
        QTest::mouseClick(rig.get<QPushButton>("actionButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(litLamps(rig.lamps()), QStringLiteral("1203r"));
        QCOMPARE(rig.get<QLabel>("codeLine1223")->text(), QStringLiteral("TIMEOUT"));
        QCOMPARE(rig.get<QLabel>("codeLine1224")->text(), codeBefore);
    }

    // After the port is gone the lamps show nothing current (hatched, not the
    // grey of "no fault"), the dialog says why, and Reset says that nothing
    // can reach the axis instead of doing nothing.
    void lostPortShowsNothingCurrent() {
        DialogRig<CGesamtStatus> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) { sim::SimStatus::setFault(a, "power-stage"); });
        rig.dialog = std::make_unique<CGesamtStatus>(rig.link, rig.op);
        rig.dialog->show();
        QCOMPARE(litLamps(rig.lamps()), QStringLiteral("1203r"));
        QVERIFY(!rig.get<QLabel>("linkState")->isVisible());

        rig.host.setFault(sim::Fault::Vanish, 0, -1);
        QTest::mouseClick(rig.get<QPushButton>("actionButton"), Qt::LeftButton);
        QVERIFY(!rig.link.portOpen());
        for (const StatusLamp* lamp : rig.lamps())
            QCOMPARE(int(lamp->colour()), int(StatusLamp::Colour::Unknown));
        QVERIFY(rig.get<QLabel>("linkState")->isVisible());
        QCOMPARE(rig.get<QLabel>("linkState")->text(), Texts::text("axis.notCurrent"));

        rig.op.clear();
        rig.check({"resetPowerStage"});
        QTest::mouseClick(rig.get<QPushButton>("actionButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("link.gone"));
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
    }

    // "CA" first, then "CR" with the five-second window under the busy
    // state; the axis restarts with its stored parameters.
    void systemResetFromStatusDialog() {
        DialogRig<CGesamtStatus> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.restartMs = 0;
            sim::SimStatus::setFault(a, "power-stage");
            sim::SimStatus::setFault(a, "temperature");
            a.params.runFreq = 3333;
        });
        rig.dialog = std::make_unique<CGesamtStatus>(rig.link, rig.op);
        rig.dialog->setWaitRunner(rig.runner());
        rig.dialog->show();
        rig.check({"resetPowerStage", "resetSystem"});
        rig.host.clearLog();
        QTest::mouseClick(rig.get<QPushButton>("actionButton"), Qt::LeftButton);
        QCOMPARE(rig.commands(), (QStringList{"CA", "CR", "IS?", "IB?", "IV?", "IC?"}));
        QCOMPARE(rig.op.shownIds(), QList<int>{10107});
        QCOMPARE(rig.waitSeconds, QList<int>{5});
        QVERIFY(rig.busyDuringWait);
        QVERIFY(rig.dialog->systemResetDone);
        QCOMPARE(litLamps(rig.lamps()), QString());
        rig.axis([](sim::SimAxis& a) { QCOMPARE(a.params, a.stored); });
    }

    void resetDialog_data() {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QList<int>>("messages");
        QTest::addColumn<int>("code");
        QTest::newRow("nothing checked")
            << QStringList{} << QStringList{"IS?"} << QList<int>{} << 1;
        QTest::newRow("power stage")
            << QStringList{"resetPowerStage"} << QStringList{"CA", "IS?"} << QList<int>{10107} << 1;
        QTest::newRow("all four in box order")
            << QStringList{"resetSfi", "resetOutputDriver", "resetInitiators", "resetPowerStage"}
            << QStringList{"CO", "CA", "CI", "CS", "IS?"} << QList<int>{10106, 10107, 10108, 10109}
            << 1;
        QTest::newRow("power stage and whole system: the panel sends CR")
            << QStringList{"resetPowerStage", "resetSystem"} << QStringList{"CA"}
            << QList<int>{10107} << CReset::SystemResetCode;
    }
    void resetDialog() {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, commands);
        QFETCH(QList<int>, messages);
        QFETCH(int, code);
        DialogRig<CReset> rig;
        QVERIFY(rig.open());
        rig.dialog = std::make_unique<CReset>(rig.link, rig.op);
        rig.dialog->show();
        rig.check(boxes);
        rig.host.clearLog();
        QTest::mouseClick(rig.get<QPushButton>("resetButton"), Qt::LeftButton);
        QCOMPARE(rig.commands(), commands);
        QCOMPARE(rig.op.shownIds(), messages);
        QCOMPARE(rig.dialog->result(), code);
        QVERIFY(!rig.dialog->isVisible());
    }

    void resetDialogOnSilentAxisStaysOpen() {
        DialogRig<CReset> rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.dialog = std::make_unique<CReset>(rig.link, rig.op);
        rig.dialog->show();
        rig.check({"resetOutputDriver", "resetPowerStage"});
        rig.host.setFault(sim::Fault::NoReply, 0, -1);
        rig.host.clearLog();
        QTest::mouseClick(rig.get<QPushButton>("resetButton"), Qt::LeftButton);
        QCOMPARE(rig.commands(), QStringList{"CO"});
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QVERIFY(rig.dialog->isVisible());
    }

    // The panel's part of the reset dialog's code 3: "CR", the window, and
    // the axis answers again once it has restarted.
    void systemResetWaitsForTheRestart() {
        DialogRig<CReset> rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.axis([](sim::SimAxis& a) { a.restartMs = 400; });
        rig.host.clearLog();
        QVERIFY(RunSystemReset(rig.link, rig.op, nullptr, rig.runner()));
        QCOMPARE(rig.waitSeconds, QList<int>{5});
        QVERIFY(rig.busyDuringWait);
        QCOMPARE(rig.commands(), QStringList{"CR"});
        // Still restarting: silent.
        QVERIFY(!OverallStatus::read(rig.link).valid);
        QTest::qWait(400);
        QVERIFY(OverallStatus::read(rig.link).valid);
    }

    void systemResetOnClosedPort() {
        DialogRig<CReset> rig;
        QVERIFY(rig.open());
        QVERIFY(rig.link.TogglePort()); // closes it
        rig.op.clear();
        QVERIFY(!RunSystemReset(rig.link, rig.op, nullptr, rig.runner()));
        QVERIFY(rig.waitSeconds.isEmpty());
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
    }
};

QTEST_MAIN(TestOverallStatus)
#include "tst_overallstatus.moc"
