// The ramp curve: step frequency over time from the very words a table holds,
// for the dialog's pane and the command line's CSV.

#include "drive/RampCurve.h"

#include <QTest>

class TestRampCurve : public QObject {
    Q_OBJECT

private slots:
    void stepTicks_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("ticks");
        QTest::newRow("first entry of the 10000 Hz/s ramp") << 0xB26E << 19858;
        QTest::newRow("longest step the word holds") << 0x0001 << 65535;
        QTest::newRow("shortest step") << 0xFFFF << 1;
        QTest::newRow("zero word counts the whole timer round") << 0x0000 << 65536;
    }
    void stepTicks() {
        QFETCH(int, entry);
        QFETCH(int, ticks);
        QCOMPARE(RampStepTicks(quint16(entry)), ticks);
    }

    // Frequency of step i = (clock / 12) / ticks of step i; the time of step i
    // is the sum of the durations before it.
    void fromEntries_data() {
        QTest::addColumn<QList<quint16>>("entries");
        QTest::addColumn<int>("clock");
        QTest::addColumn<QList<double>>("seconds");
        QTest::addColumn<QList<double>>("hz");
        QTest::addColumn<double>("toTop");
        QTest::newRow("B26E at 12 MHz") << QList<quint16>{0xB26E} << 12000000 << QList<double>{0.0}
                                        << QList<double>{1e6 / 19858} << 0.019858;
        QTest::newRow("0001 is a 65535-tick step, not a one-tick one")
            << QList<quint16>{0x0001} << 12000000 << QList<double>{0.0}
            << QList<double>{1e6 / 65535} << 0.065535;
        QTest::newRow("second step starts when the first ends")
            << QList<quint16>{0xB26E, 0xEC78, 0xFF09} << 12000000
            << QList<double>{0.0, 0.019858, 0.024858}
            << QList<double>{1e6 / 19858, 200.0, 1e6 / 247} << 0.025105;
        QTest::newRow("a faster clock ticks faster")
            << QList<quint16>{0xEC78} << 24000000 << QList<double>{0.0} << QList<double>{400.0}
            << 0.0025;
        QTest::newRow("no entries")
            << QList<quint16>{} << 12000000 << QList<double>{} << QList<double>{} << 0.0;
    }
    void fromEntries() {
        QFETCH(QList<quint16>, entries);
        QFETCH(int, clock);
        QFETCH(QList<double>, seconds);
        QFETCH(QList<double>, hz);
        QFETCH(double, toTop);
        const RampCurve curve = RampCurveOfEntries(entries, clock);
        QCOMPARE(curve.status, RampTableStatus::Fits);
        QCOMPARE(curve.points.size(), seconds.size());
        for (qsizetype i = 0; i < seconds.size(); ++i) {
            QVERIFY2(qAbs(curve.points.at(i).seconds - seconds.at(i)) < 1e-9,
                     qPrintable(QString::number(i)));
            QVERIFY2(qAbs(curve.points.at(i).hz - hz.at(i)) < 1e-9, qPrintable(QString::number(i)));
        }
        QVERIFY2(qAbs(curve.secondsToTop - toTop) < 1e-9,
                 qPrintable(QString::number(curve.secondsToTop, 'g', 12)));
    }

    void clockTooSlow_data() {
        QTest::addColumn<int>("clock");
        QTest::newRow("zero") << 0;
        QTest::newRow("below one tick per second") << 11;
        QTest::newRow("negative") << -12000000;
    }
    void clockTooSlow() {
        QFETCH(int, clock);
        const RampCurve curve = RampCurveOfEntries({0xB26E}, clock);
        QCOMPARE(curve.status, RampTableStatus::NoClock);
        QVERIFY(curve.points.isEmpty());
        QVERIFY(!curve.isValid());
    }

    // The curve of a computed ramp is the curve of the table the program writes.
    void computed_data() {
        QTest::addColumn<quint32>("ramp");
        QTest::addColumn<int>("steps");
        QTest::addColumn<double>("firstHz");
        QTest::addColumn<double>("lastHz");
        QTest::addColumn<double>("toTopLow");
        QTest::addColumn<double>("toTopHigh");
        // 4040 Hz at 10000 Hz/s is about 0.40 s; 4040 Hz at 1000 Hz/s about 4 s.
        QTest::newRow("10000 Hz/s") << 10000u << 820 << 1e6 / 19858 << 1e6 / 246 << 0.39 << 0.41;
        QTest::newRow("1000 Hz/s")
            << 1000u << 8195 << 1e6 / (0x10000 - 0x0E79) << 1e6 / 246 << 3.9 << 4.1;
    }
    void computed() {
        QFETCH(quint32, ramp);
        QFETCH(int, steps);
        QFETCH(double, firstHz);
        QFETCH(double, lastHz);
        QFETCH(double, toTopLow);
        QFETCH(double, toTopHigh);
        const RampCurve curve = ComputeRampCurve(12000000, 4000, ramp);
        QVERIFY(curve.isValid());
        QCOMPARE(curve.points.size(), steps);
        QVERIFY(qAbs(curve.points.first().hz - firstHz) < 1e-9);
        QVERIFY(qAbs(curve.points.last().hz - lastHz) < 1e-9);
        QVERIFY2(curve.secondsToTop > toTopLow && curve.secondsToTop < toTopHigh,
                 qPrintable(QString::number(curve.secondsToTop, 'g', 12)));

        // The time to the top is the sum of the durations of the table's own words.
        auto image = RampMemoryImage::create();
        const RampTable table =
            ComputeRampTable(*image, 12000000, 4000, ramp, RampMemoryImage::TableSpace);
        qint64 ticks = 0;
        for (int j = 0; j < table.entries; ++j)
            ticks += 0x10000 - image->word(RampMemoryImage::TableOffset + 2 + 2 * j);
        QCOMPARE(qRound64(curve.secondsToTop * 1e6), ticks);
        // Frequencies climb from start to top.
        for (qsizetype i = 1; i < curve.points.size(); ++i)
            QVERIFY(curve.points.at(i).seconds > curve.points.at(i - 1).seconds);
    }

    void notComputable_data() {
        QTest::addColumn<int>("clock");
        QTest::addColumn<int>("top");
        QTest::addColumn<quint32>("ramp");
        QTest::addColumn<int>("free");
        QTest::addColumn<RampTableStatus>("status");
        QTest::newRow("empty slope") << 12000000 << 4000 << 0u << int(RampMemoryImage::TableSpace)
                                     << RampTableStatus::NoMemory;
        QTest::newRow("no top frequency")
            << 12000000 << 0 << 10000u << int(RampMemoryImage::TableSpace)
            << RampTableStatus::NoTopFrequency;
        QTest::newRow("no clock") << 0 << 4000 << 10000u << int(RampMemoryImage::TableSpace)
                                  << RampTableStatus::NoClock;
        QTest::newRow("does not fit")
            << 12000000 << 4000 << 10000u << 1000 << RampTableStatus::NoMemory;
    }
    void notComputable() {
        QFETCH(int, clock);
        QFETCH(int, top);
        QFETCH(quint32, ramp);
        QFETCH(int, free);
        QFETCH(RampTableStatus, status);
        const RampCurve curve = ComputeRampCurve(clock, top, ramp, free);
        QCOMPARE(curve.status, status);
        QVERIFY(curve.points.isEmpty());
        QCOMPARE(curve.secondsToTop, 0.0);
    }

    void csv() {
        const RampCurve curve = RampCurveOfEntries({0xB26E, 0xEC78, 0x0001}, 12000000);
        QCOMPARE(RampCurveCsv(curve), QStringLiteral("step,time_s,frequency_hz\n"
                                                     "1,0.000000,50.358\n"
                                                     "2,0.019858,200.000\n"
                                                     "3,0.024858,15.259\n"));
        QCOMPARE(RampCurveCsv(RampCurve{}), QStringLiteral("step,time_s,frequency_hz\n"));
    }
};

QTEST_GUILESS_MAIN(TestRampCurve)
#include "tst_rampcurve.moc"
