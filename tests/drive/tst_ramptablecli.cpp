// kormakctl ramp-table: a table computed without a controller, in the form
// other tools read.

#include <QProcess>
#include <QTest>

class TestRampTableCli : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QStringList lines;
        QString errors;
    };
    static Run run(const QStringList& args, QByteArray* rawOutput = nullptr) {
        QProcess p;
        p.start(QStringLiteral(KORMAKCTL), QStringList{"--lang", "en", "ramp-table"} + args);
        Run r;
        if (!p.waitForFinished(10000))
            return r;
        r.exitCode = p.exitCode();
        const QByteArray out = p.readAllStandardOutput();
        if (rawOutput)
            *rawOutput = out;
        r.lines = QString::fromLocal8Bit(out).split('\n', Qt::SkipEmptyParts);
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

private slots:
    void table_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("tail");
        QTest::newRow("10000 Hz/s")
            << QStringList{"--clock", "12000000", "--top", "4000", "--slope", "10000"} << "820 1644"
            << "B26E EC78 F254 F323 F462 F544"
            << "FF09 FF09 FF0A";
        QTest::newRow("1000 Hz/s, free given")
            << QStringList{"--slope", "1000",     "--top",  "4000",
                           "--clock", "12000000", "--free", "16394"}
            << "8195 16394"
            << "0E79 C23D D4C5"
            << "";
    }
    void table() {
        QFETCH(QStringList, args);
        QFETCH(QString, header);
        QFETCH(QString, head);
        QFETCH(QString, tail);
        const Run r = run(args);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.size(), 2);
        QCOMPARE(r.lines.at(0), header);
        const QStringList words = r.lines.at(1).split(' ');
        QCOMPARE(words.size(), header.section(' ', 0, 0).toInt());
        QVERIFY(r.lines.at(1).startsWith(head + ' '));
        QVERIFY(r.lines.at(1).endsWith(tail));
        for (const QString& w : words)
            QVERIFY2(w.size() == 4 && w == w.toUpper(), qPrintable(w));
    }

    // The curve of the very words above: step, start time in s, frequency in
    // Hz, where frequency = (clock / 12) / (65536 - word).
    void csv_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("12 MHz, 400 Hz top, 10000 Hz/s")
            << QStringList{"--clock", "12000000", "--top", "400", "--slope", "10000", "--csv"}
            << QByteArray("step,time_s,frequency_hz\n"
                          "1,0.000000,50.358\n"
                          "2,0.019858,200.000\n"
                          "3,0.024858,285.714\n"
                          "4,0.028358,303.674\n"
                          "5,0.031651,336.247\n"
                          "6,0.034625,363.901\n"
                          "7,0.037373,390.016\n"
                          "8,0.039937,414.594\n");
        QTest::newRow("24 MHz, 100 Hz top, 40000 Hz/s: words B227 EC78")
            << QStringList{"--csv", "--clock", "24000000", "--top", "100", "--slope", "40000"}
            << QByteArray("step,time_s,frequency_hz\n"
                          "1,0.000000,100.356\n"
                          "2,0.009964,400.000\n");
    }
    void csv() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, expected);
        QByteArray out;
        const Run r = run(args, &out);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(out, expected);
    }

    // The whole curve of the 10000 Hz/s ramp: one line per word, up to the top.
    void csvWholeTable() {
        const Run r = run({"--clock", "12000000", "--top", "4000", "--slope", "10000", "--csv"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.lines.size(), 1 + 820);
        QCOMPARE(r.lines.at(1), QStringLiteral("1,0.000000,50.358"));
        // The last step, 246 ticks, starts 0.404411 s after the first.
        QCOMPARE(r.lines.last(), QStringLiteral("820,0.404411,4065.041"));
    }

    void doesNotFit_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString noRoom = QStringLiteral("Not enough free ramp memory in device!");
        QTest::newRow("free 1000") << QStringList{"--clock", "12000000", "--top",  "4000",
                                                  "--slope", "10000",    "--free", "1000"}
                                   << noRoom;
        QTest::newRow("slope 0") << QStringList{"--clock", "12000000", "--top",
                                                "4000",    "--slope",  "0"}
                                 << noRoom;
        // Not a memory question: the directory cannot name such a slope.
        QTest::newRow("slope beyond the directory word")
            << QStringList{"--clock", "12000000", "--top", "4000", "--slope", "6553600"}
            << QStringLiteral("It must be below 6553500 Hz/s");
        QTest::newRow("no curve of a table that does not fit")
            << QStringList{"--clock", "12000000", "--top", "4000", "--slope",
                           "10000",   "--free",   "1000",  "--csv"}
            << noRoom;
    }
    void doesNotFit() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run r = run(args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.lines.isEmpty());
        QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
    }

    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("slope missing") << QStringList{"--clock", "12000000", "--top", "4000"};
        QTest::newRow("not a number")
            << QStringList{"--clock", "12MHz", "--top", "4000", "--slope", "1000"};
        QTest::newRow("value missing")
            << QStringList{"--clock", "12000000", "--top", "4000", "--slope"};
        QTest::newRow("unknown") << QStringList{"--clock", "1", "--top", "1",
                                                "--slope", "1", "--fast"};
        // Values no controller reports: nothing to compute towards or with.
        QTest::newRow("top 0") << QStringList{"--clock", "12000000", "--top",
                                              "0",       "--slope",  "10000"};
        QTest::newRow("clock below 12 Hz")
            << QStringList{"--clock", "11", "--top", "4000", "--slope", "10000"};
    }
    void usage() {
        QFETCH(QStringList, args);
        QCOMPARE(run(args).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestRampTableCli)
#include "tst_ramptablecli.moc"
