// The progress window in both modes, on the offscreen platform.

#include "SimRig.h"
#include "drive/CWait.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

class TestCWait : public QObject {
    Q_OBJECT

    static QLabel* label(CWait& w) { return w.findChild<QLabel*>(QStringLiteral("text")); }
    static QProgressBar* bar(CWait& w) {
        return w.findChild<QProgressBar*>(QStringLiteral("progress"));
    }

private slots:
    // Counts its seconds on the bar, waits a moment, closes with 1; a wait of
    // no time is over at once.
    void timedMode_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QList<int>>("waits");
        QTest::newRow("3 s") << 3 << 3 << QList<int>{200};
        QTest::newRow("1 s") << 1 << 1 << QList<int>{200};
        QTest::newRow("0 s") << 0 << 0 << QList<int>{};
        QTest::newRow("-5 s") << -5 << 0 << QList<int>{};
    }
    void timedMode() {
        QFETCH(int, seconds);
        QFETCH(int, ticks);
        QFETCH(QList<int>, waits);
        ScriptedOperator op;
        CWait w(op);
        w.timedMode = true;
        w.caption = QStringLiteral("Anlagen-Reset");
        w.text = QStringLiteral("Bitte warten...");
        w.seconds = seconds;
        w.setSecondMs(5);
        QList<int> barValues;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (barValues.isEmpty() || barValues.last() != bar(w)->value())
                barValues << bar(w)->value();
        });
        watch.start(1);
        QCOMPARE(w.exec(), 1);
        QCOMPARE(w.ticks(), ticks);
        QCOMPARE(op.waits, waits);
        QCOMPARE(w.windowTitle(), QStringLiteral("Anlagen-Reset"));
        QCOMPARE(label(w)->text(), QStringLiteral("Bitte warten..."));
        QCOMPARE(bar(w)->maximum(), qMax(seconds, 0));
        QCOMPARE(bar(w)->value(), ticks);
        // The bar only ever moves forward.
        QVERIFY(std::is_sorted(barValues.begin(), barValues.end()));
    }

    // There are no buttons, and neither closing nor Escape cuts the count short.
    void operatorCannotClose() {
        ScriptedOperator op;
        CWait w(op);
        w.timedMode = true;
        w.seconds = 4;
        w.setSecondMs(20);
        bool stayed = false;
        QTimer::singleShot(30, &w, [&] {
            w.close();
            QTest::keyClick(&w, Qt::Key_Escape);
            w.reject();
            stayed = w.isVisible();
        });
        QCOMPARE(w.exec(), 1);
        QVERIFY(stayed);
        QCOMPARE(w.ticks(), 4);
    }

    // Send mode shows the slot number behind the text and closes with 1 when
    // every slot went out.
    void sendMode_data() {
        QTest::addColumn<bool>("eightSlots");
        QTest::addColumn<QString>("lastLabel");
        QTest::addColumn<int>("lastValue");
        QTest::newRow("256 slots") << false << "Programmnummer:\t255" << 255;
        QTest::newRow("8 slots") << true << "Programmnummer:\t7" << 7;
    }
    void sendMode() {
        QFETCH(bool, eightSlots);
        QFETCH(QString, lastLabel);
        QFETCH(int, lastValue);
        SimRig rig;
        QVERIFY(rig.open());
        if (eightSlots)
            rig.axis([](sim::SimAxis& a) { a.setFamily(QStringLiteral("RZH 2A/24V")); });
        CWait w(rig.op, &rig.link);
        w.timedMode = false;
        w.eightSlots = eightSlots;
        w.caption = QStringLiteral("Sende SPS-Programme");
        w.text = QStringLiteral("Programmnummer:\t");
        w.slotTexts[2] = QStringLiteral("GA200");
        QStringList labels;
        rig.op.onPump = [&] { labels << label(w)->text(); };
        QCOMPARE(w.exec(), 1);
        QCOMPARE(label(w)->text(), lastLabel);
        QCOMPARE(bar(w)->maximum(), 255);
        QCOMPARE(bar(w)->value(), lastValue);
        // Before each slot the label still shows the one before.
        QCOMPARE(labels.at(3), QStringLiteral("Programmnummer:\t2"));
        QVERIFY(rig.commands().contains(eightSlots ? QStringLiteral("WU2GA200")
                                                   : QStringLiteral("EW02GA200")));
        QCOMPARE(w.windowTitle(), QStringLiteral("Sende SPS-Programme"));
    }

    // The PLC dialogs must not report success when anything stayed unwritten.
    void sendModeFailures_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("release refused") << "refuse" << QList<int>{};
        QTest::newRow("time-out at slot 12") << "timeout" << QList<int>{10103};
        QTest::newRow("no link") << "nolink" << QList<int>{};
    }
    void sendModeFailures() {
        QFETCH(QString, fault);
        QFETCH(QList<int>, messages);
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        if (fault == QLatin1String("refuse")) {
            rig.axis([](sim::SimAxis& a) { a.dateCode = QStringLiteral("1904\u20AC3"); });
            rig.referee.expect(QStringLiteral("FC"));
        }
        if (fault == QLatin1String("timeout"))
            rig.op.onPump = [&] {
                if (rig.op.pumps == 13)
                    rig.host.setFault(sim::Fault::NoReply);
            };
        CWait w(rig.op, fault == QLatin1String("nolink") ? nullptr : &rig.link);
        w.timedMode = false;
        for (int i = 0; i < 16; ++i)
            w.slotTexts[i] = QStringLiteral("GA%1").arg(i);
        QCOMPARE(w.exec(), 2);
        QCOMPARE(rig.op.shownIds(), messages);
    }
};

QTEST_MAIN(TestCWait)
#include "tst_cwait.moc"
