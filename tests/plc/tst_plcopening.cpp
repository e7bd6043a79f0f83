// Both PLC dialogs opened the way the main window opens them: on screen at
// once, reading the axis's slots with a progress of their own while every
// control but Close is locked; stopped midway or cut off by a fault, they
// close cleanly and send nothing more.

#include "SimRig.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CSPSDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

Q_DECLARE_METATYPE(sim::Fault)

namespace {

PlcArea::DialogSetup onlineSetup() {
    PlcArea::DialogSetup s;
    s.axis = QStringLiteral("0");
    s.startStopList = {"200", "400"};
    s.runFreqList = {"1000", "2000", "4000"};
    s.rampList = {"5000", "10000"};
    return s;
}

// One of the two dialogs behind the calls the test makes on it.
struct PlcDialog {
    std::unique_ptr<CSPSDialog> cycle;
    std::unique_ptr<CDlgSPSErweitert> sequence;

    PlcDialog(bool steps, SerialLink& link, Operator& op) {
        if (steps)
            sequence = std::make_unique<CDlgSPSErweitert>(link, op, onlineSetup());
        else
            cycle = std::make_unique<CSPSDialog>(link, op, onlineSetup());
    }
    QDialog* get() const { return cycle ? static_cast<QDialog*>(cycle.get()) : sequence.get(); }
    bool initialise() { return cycle ? cycle->Initialise() : sequence->Initialise(); }
    int showAndRun() { return cycle ? cycle->showAndRun() : sequence->showAndRun(); }
    bool reading() const { return cycle ? cycle->reading() : sequence->reading(); }
    void closeClicked() { cycle ? cycle->closeClicked() : sequence->closeClicked(); }
    void programClicked() { cycle ? cycle->programClicked() : sequence->programClicked(); }
    void destroy() {
        cycle.reset();
        sequence.reset();
    }
};

int slotReads(const QStringList& commands) {
    return int(commands.filter(QRegularExpression(QStringLiteral("^ER[0-9A-F]{2}$"))).size());
}

// The operator's controls of a dialog, Close apart.
QList<QWidget*> controls(QDialog* d) {
    QList<QWidget*> list;
    for (QWidget* w : d->findChildren<QWidget*>()) {
        if (w->objectName() == QLatin1String("closeButton"))
            continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QScrollBar*>(w) ||
            (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())))
            list << w;
    }
    return list;
}

QStringList enabledOf(const QList<QWidget*>& list) {
    QStringList names;
    for (QWidget* w : list)
        if (w->isEnabled())
            names << w->objectName();
    return names;
}

// Runs fn once the opening's reading is over and the dialog's own event
// loop turns.
void whenRead(PlcDialog& d, std::function<void()> fn) {
    QTimer::singleShot(0, d.get(), [&d, fn] {
        if (d.reading())
            whenRead(d, fn);
        else
            fn();
    });
}

} // namespace

class TestPlcOpening : public QObject {
    Q_OBJECT

    static void dialogs() {
        QTest::addColumn<bool>("steps");
        QTest::newRow("cycle programs") << false;
        QTest::newRow("extended sequence") << true;
    }

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // The dialog is on screen before its first slot is read, shows how far
    // the reading is and takes no command before it is done; the axis sees
    // exactly what the opening sent before the dialog was shown first.
    void showsAtOnceAndLocks_data() { dialogs(); }
    void showsAtOnceAndLocks() {
        QFETCH(bool, steps);
        SimRig rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.plcSlots[3] = QStringLiteral("PO400 PF2000 GA100 PN1");
            a.plcSlots[9] = QStringLiteral("$&GA5");
        });
        QStringList readFirst;
        rig.host.clearLog();
        {
            PlcDialog d(steps, rig.link, rig.op);
            QVERIFY(d.initialise());
            readFirst = rig.commands();
        }
        rig.host.clearLog();
        rig.op.clear();

        PlcDialog d(steps, rig.link, rig.op);
        const QList<QWidget*> all = controls(d.get());
        QVERIFY(all.size() > 10);
        auto* close = d.get()->findChild<QAbstractButton*>(QStringLiteral("closeButton"));
        auto* bar = d.get()->findChild<QProgressBar*>(QStringLiteral("readingProgress"));
        QVERIFY(close && bar);

        bool visibleEarly = false, closeUsable = false, barShown = false;
        int readsWhenSeen = -1, barValue = -1;
        QStringList enabledWhileReading;
        rig.op.onPump = [&] {
            if (rig.op.pumps != 3)
                return;
            visibleEarly = d.get()->isVisible() && d.reading();
            readsWhenSeen = slotReads(rig.commands());
            enabledWhileReading = enabledOf(all);
            closeUsable = close->isEnabled();
            barShown = bar->isVisible();
            barValue = bar->value();
        };
        QStringList readThen, enabledAfter;
        bool barAfter = true;
        whenRead(d, [&] {
            readThen = rig.commands();
            enabledAfter = enabledOf(all);
            barAfter = bar->isVisible();
            d.closeClicked();
        });
        QCOMPARE(d.showAndRun(), int(QDialog::Rejected));
        rig.op.onPump = nullptr;

        QVERIFY(visibleEarly);
        QCOMPARE(readsWhenSeen, 2); // the first pump comes before any command
        QVERIFY2(enabledWhileReading.isEmpty(), qPrintable(enabledWhileReading.join(u' ')));
        QVERIFY(closeUsable);
        QVERIFY(barShown);
        QCOMPARE(barValue, 1); // a slot is counted once its events have run
        QVERIFY(!barAfter);
        for (const char* name :
             {"programButton", "copyButton", "deleteButton", "stopButton", "kind0", "scroll"})
            QVERIFY2(enabledAfter.contains(QLatin1String(name)), name);
        QCOMPARE(readThen, readFirst);
        QCOMPARE(slotReads(readThen), PlcArea::SlotCount);
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Close, Escape or the window's own close button midway stop the
    // reading after the slot in hand (before "DO?" when the dialog has only
    // just appeared): the dialog closes without a word and nothing more
    // reaches the axis, neither then nor when it goes.
    void stoppedMidway_data() {
        QTest::addColumn<bool>("steps");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("atPump");
        QTest::addColumn<QString>("lastSent"); // "": nothing at all
        for (const bool steps : {false, true}) {
            const char* dialog = steps ? "extended sequence" : "cycle programs";
            for (const char* how : {"Close", "Escape", "window"})
                QTest::addRow("%s, %s", dialog, how)
                    << steps << QString::fromLatin1(how) << 5 << QStringLiteral("ER03");
            QTest::addRow("%s, Close before the first command", dialog)
                << steps << QStringLiteral("Close") << 1 << QString();
        }
    }
    void stoppedMidway() {
        QFETCH(bool, steps);
        QFETCH(QString, how);
        QFETCH(int, atPump);
        QFETCH(QString, lastSent);
        SimRig rig;
        QVERIFY(rig.open());
        rig.host.clearLog();
        PlcDialog d(steps, rig.link, rig.op);
        rig.op.onPump = [&] {
            if (rig.op.pumps != atPump)
                return;
            if (how == u"Close")
                QTest::mouseClick(
                    d.get()->findChild<QAbstractButton*>(QStringLiteral("closeButton")),
                    Qt::LeftButton);
            else if (how == u"Escape")
                QTest::keyClick(d.get(), Qt::Key_Escape);
            else
                d.get()->close();
        };
        QCOMPARE(d.showAndRun(), int(QDialog::Rejected));
        rig.op.onPump = nullptr;
        QVERIFY(!d.get()->isVisible());
        QVERIFY(!d.reading());
        QVERIFY(rig.op.shown.isEmpty());
        const QStringList sent = rig.commands();
        QCOMPARE(sent.value(sent.size() - 1), lastSent);
        QCOMPARE(slotReads(sent), qMax(atPump - 1, 0));
        d.destroy();
        QCOMPARE(rig.commands(), sent);
        QVERIFY(!rig.link.lastTimedOut());
        QVERIFY(!BusyState::isBusy());
        QVERIFY(!QApplication::overrideCursor());
    }

    // A slot read cut off by a lost reply or a vanished port: its message
    // once, then the dialog closes, unlocked and without sending anything back.
    void faultWhileReading_data() {
        QTest::addColumn<bool>("steps");
        QTest::addColumn<sim::Fault>("fault");
        QTest::addColumn<int>("message"); // 0: the link's own message for a lost port
        for (const bool steps : {false, true}) {
            const char* dialog = steps ? "extended sequence" : "cycle programs";
            QTest::addRow("%s, lost reply", dialog) << steps << sim::Fault::NoReply << 10103;
            QTest::addRow("%s, port vanishes", dialog) << steps << sim::Fault::Vanish << 0;
        }
    }
    void faultWhileReading() {
        QFETCH(bool, steps);
        QFETCH(sim::Fault, fault);
        QFETCH(int, message);
        SimRig rig;
        rig.link.setTimeoutMs(300);
        QVERIFY(rig.open());
        rig.host.clearLog();
        rig.host.setFaultFor(QStringLiteral("ER05"), fault);
        PlcDialog d(steps, rig.link, rig.op);
        QCOMPARE(d.showAndRun(), int(QDialog::Rejected));
        QCOMPARE(rig.op.shown.size(), 1);
        if (message)
            QCOMPARE(rig.op.shownIds().first(), message);
        QVERIFY(!d.get()->isVisible());
        QVERIFY(!d.reading());
        const QStringList sent = rig.commands();
        QCOMPARE(sent.last(), QStringLiteral("ER05"));
        d.destroy();
        QCOMPARE(rig.commands(), sent);
        QVERIFY(!BusyState::isBusy());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Program after the port went away says that the link is gone instead
    // of asking and then doing nothing; nothing is sent.
    void programAfterLostPortSaysSo_data() { dialogs(); }
    void programAfterLostPortSaysSo() {
        QFETCH(bool, steps);
        SimRig rig;
        QVERIFY(rig.open());
        PlcDialog d(steps, rig.link, rig.op);
        QVERIFY(d.initialise());
        rig.host.setFault(sim::Fault::Vanish, 0, -1);
        rig.link.SendCommand(QStringLiteral("IS?"));
        QVERIFY(!rig.link.portOpen());
        rig.op.clear();
        rig.host.clearLog();
        d.programClicked();
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("link.gone"));
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
        QVERIFY(rig.commands().isEmpty());
    }
};

QTEST_MAIN(TestPlcOpening)
#include "tst_plcopening.moc"
