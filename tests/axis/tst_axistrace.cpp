// The live trace's data: positions the poll read during moves, the speed
// between them, the moves started from the panel, the last minute, the CSV.

#include "axis/AxisTrace.h"

#include <QTest>

namespace {

// Plays a scripted series: "m MS POS" a move started from the panel (POS "-"
// when no position was read), "r MS POS" a read while the motor runs, "s MS
// POS" the read that found it stopped, "d MS" the minute's end moving on,
// "i 0" reads missed (a pause).
void play(AxisTrace& trace, const QStringList& events) {
    for (const QString& e : events) {
        const QStringList f = e.split(' ');
        const qint64 ms = f.at(1).toLongLong();
        const QString pos = f.value(2) == QLatin1String("-") ? QString() : f.value(2);
        if (f.at(0) == QLatin1String("m"))
            trace.addMoveStart(ms, pos);
        else if (f.at(0) == QLatin1String("d"))
            trace.dropBefore(ms);
        else if (f.at(0) == QLatin1String("i"))
            trace.interrupt();
        else
            trace.addPosition(ms, pos, f.at(0) == QLatin1String("r"));
    }
}

// "MS:POS:SPEED" per sample, the speed with one decimal or empty.
QStringList described(const AxisTrace& trace) {
    QStringList list;
    for (const AxisTrace::Sample& s : trace.samples())
        list << QStringLiteral("%1:%2:%3")
                    .arg(s.ms)
                    .arg(s.position)
                    .arg(s.speed ? QString::number(*s.speed, 'f', 1) : QString());
    return list;
}

} // namespace

class TestAxisTrace : public QObject {
    Q_OBJECT

private slots:
    void speeds_data() {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("samples");
        QTest::newRow("a move from the panel, polled every 250 ms")
            << QStringList{"m 0 0", "r 250 1000", "r 500 2000", "s 750 2500"}
            << QStringList{"0:0:", "250:1000:4000.0", "500:2000:4000.0", "750:2500:2000.0"};
        QTest::newRow("backwards")
            << QStringList{"m 1000 100000", "r 1250 97500", "s 1500 95000"}
            << QStringList{"1000:100000:", "1250:97500:-10000.0", "1500:95000:-10000.0"};
        QTest::newRow("uneven ticks: the difference over its own time")
            << QStringList{"r 0 0", "r 100 300", "r 400 1500"}
            << QStringList{"0:0:", "100:300:3000.0", "400:1500:4000.0"};
        QTest::newRow("a move started elsewhere: no speed for its first read")
            << QStringList{"r 2000 500", "r 2250 1500", "s 2500 2000"}
            << QStringList{"2000:500:", "2250:1500:4000.0", "2500:2000:2000.0"};
        QTest::newRow("no speed across the pause between two moves")
            << QStringList{"m 0 0", "s 250 1000", "m 5000 1000", "r 5250 900"}
            << QStringList{"0:0:", "250:1000:4000.0", "5000:1000:", "5250:900:-400.0"};
        QTest::newRow("a read of a stopped motor outside a move is not taken")
            << QStringList{"s 0 700", "s 250 700"} << QStringList{};
        QTest::newRow("a move whose start position was not read")
            << QStringList{"m 0 -", "r 250 1000", "r 500 2000"}
            << QStringList{"250:1000:", "500:2000:4000.0"};
        QTest::newRow("texts that are no position are left out")
            << QStringList{"m 0 0", "r 250 12a", "r 500 ", "r 750 3000"}
            << QStringList{"0:0:", "750:3000:4000.0"};
        QTest::newRow("signs and blanks")
            << QStringList{"r 0 -20", "r 500 +980"} << QStringList{"0:-20:", "500:980:2000.0"};
        QTest::newRow("no speed across reads missed during a pause")
            << QStringList{"m 0 0", "r 250 1000", "i 0", "r 5000 3000", "r 5250 4000"}
            << QStringList{"0:0:", "250:1000:4000.0", "5000:3000:", "5250:4000:4000.0"};
        QTest::newRow("the widest positions a reply can name")
            << QStringList{"r 0 9223372036854775807", "r 1000 -9223372036854775808"}
            << QStringList{"0:9223372036854775807:",
                           "1000:-9223372036854775808:-18446744073709551616.0"};
        QTest::newRow("two reads in the same millisecond: no division by zero")
            << QStringList{"r 100 10", "r 100 20"} << QStringList{"100:10:", "100:20:"};
    }
    void speeds() {
        QFETCH(QStringList, events);
        QFETCH(QStringList, samples);
        AxisTrace trace;
        play(trace, events);
        QCOMPARE(described(trace), samples);
    }

    void marks() {
        AxisTrace trace;
        play(trace, {"m 0 0", "r 250 1000", "s 500 1500", "m 3000 -", "r 3250 1200"});
        QCOMPARE(trace.marks().size(), 2);
        QCOMPARE(trace.marks().at(0).ms, 0);
        QCOMPARE(trace.marks().at(0).position, std::optional<qint64>(0));
        QCOMPARE(trace.marks().at(1).ms, 3000);
        QVERIFY(!trace.marks().at(1).position);
    }

    // The trace keeps the last minute: older reads and marks go.
    void lastMinute() {
        AxisTrace trace;
        play(trace,
             {"m 0 0", "r 250 1000", "r 500 2000", "s 750 2500", "m 59000 2500", "r 59250 3500"});
        QCOMPARE(trace.samples().size(), 6);
        play(trace, {"r 60400 4500"});
        // 60400 - 60000 = 400: the reads at 0 and 250 ms and the first mark are gone.
        QCOMPARE(described(trace).first(), QStringLiteral("500:2000:4000.0"));
        QCOMPARE(trace.marks().size(), 1);
        // Time runs on while nothing moves.
        play(trace, {"d 119300"});
        QCOMPARE(described(trace), QStringList{"60400:4500:869.6"});
        QVERIFY(trace.marks().isEmpty());
        play(trace, {"d 200000"});
        QVERIFY(trace.samples().isEmpty());
    }

    void clearStartsAfresh() {
        AxisTrace trace;
        play(trace, {"m 0 0", "r 250 1000"});
        trace.clear();
        QVERIFY(trace.samples().isEmpty());
        QVERIFY(trace.marks().isEmpty());
        // The next read has nothing to take a speed from.
        play(trace, {"r 500 2000"});
        QCOMPARE(described(trace), QStringList{"500:2000:"});
    }

    void csv() {
        AxisTrace trace;
        play(trace, {"m 1005 0", "r 1255 1000", "r 1505 2000", "s 1755 2500", "m 64000 2500",
                     "r 64250 2000", "s 64500 1999"});
        // The minute ends at 64500: the first move (before 4500 ms) is gone.
        QCOMPARE(trace.toCsv(), QStringLiteral("time_s,position,speed\n"
                                               "64.000,2500,\n"
                                               "64.250,2000,-2000.0\n"
                                               "64.500,1999,-4.0\n"));
        AxisTrace early;
        play(early, {"m 5 0", "r 255 1000", "s 1255 1001"});
        QCOMPARE(early.toCsv(), QStringLiteral("time_s,position,speed\n"
                                               "0.005,0,\n"
                                               "0.255,1000,4000.0\n"
                                               "1.255,1001,1.0\n"));
        QCOMPARE(AxisTrace().toCsv(), QStringLiteral("time_s,position,speed\n"));
    }
};

QTEST_GUILESS_MAIN(TestAxisTrace)
#include "tst_axistrace.moc"
