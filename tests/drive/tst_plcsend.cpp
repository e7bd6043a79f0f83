// The PLC area sent from the progress window, against the simulated axis.

#include "SimRig.h"
#include "drive/PlcSend.h"
#include "widgets/CWait.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

class TestPlcSend : public QObject {
    Q_OBJECT

    static QLabel* label(CWait& w) { return w.findChild<QLabel*>(QStringLiteral("text")); }
    static QProgressBar* bar(CWait& w) {
        return w.findChild<QProgressBar*>(QStringLiteral("progress"));
    }

private slots:
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
        CWait w(rig.op);
        PlcSend send;
        send.prepare(w, &rig.link, rig.op);
        send.eightSlots = eightSlots;
        w.caption = QStringLiteral("Sende SPS-Programme");
        w.text = QStringLiteral("Programmnummer:\t");
        send.slotTexts[2] = QStringLiteral("GA200");
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
        CWait w(rig.op);
        PlcSend send;
        send.prepare(w, fault == QLatin1String("nolink") ? nullptr : &rig.link, rig.op);
        for (int i = 0; i < 16; ++i)
            send.slotTexts[i] = QStringLiteral("GA%1").arg(i);
        QCOMPARE(w.exec(), 2);
        QCOMPARE(rig.op.shownIds(), messages);
    }
};

QTEST_MAIN(TestPlcSend)
#include "tst_plcsend.moc"
