// The progress window in timed mode and in work mode, on the offscreen platform.

#include "ScriptedOperator.h"
#include "widgets/CWait.h"

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

    // Work mode runs the work once shown, shows the item and the bar the work
    // reports, and closes with the work's code; without work it fails.
    void workMode_data() {
        QTest::addColumn<bool>("withWork");
        QTest::addColumn<int>("code");
        QTest::newRow("work") << true << 7;
        QTest::newRow("no work") << false << 2;
    }
    void workMode() {
        QFETCH(bool, withWork);
        QFETCH(int, code);
        ScriptedOperator op;
        CWait w(op);
        w.timedMode = false;
        w.text = QStringLiteral("Nummer: ");
        w.workRange = 10;
        if (withWork)
            w.work = [](CWait& self) {
                self.showItem(4);
                self.setProgress(5);
                return 7;
            };
        QCOMPARE(w.exec(), code);
        QCOMPARE(bar(w)->maximum(), 10);
        if (withWork) {
            QCOMPARE(label(w)->text(), QStringLiteral("Nummer: 4"));
            QCOMPARE(bar(w)->value(), 5);
        }
    }
};

QTEST_MAIN(TestCWait)
#include "tst_cwait.moc"
