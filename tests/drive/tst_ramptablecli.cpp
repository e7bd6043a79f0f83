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
    static Run run(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(KORMAKCTL), QStringList{"--lang", "en", "ramp-table"} + args);
        Run r;
        if (!p.waitForFinished(10000))
            return r;
        r.exitCode = p.exitCode();
        r.lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
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

    void doesNotFit_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("free 1000") << QStringList{"--clock", "12000000", "--top",  "4000",
                                                  "--slope", "10000",    "--free", "1000"};
        QTest::newRow("slope 0") << QStringList{"--clock", "12000000", "--top",
                                                "4000",    "--slope",  "0"};
        QTest::newRow("slope beyond the directory word")
            << QStringList{"--clock", "12000000", "--top", "4000", "--slope", "6553600"};
    }
    void doesNotFit() {
        QFETCH(QStringList, args);
        const Run r = run(args);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.lines.isEmpty());
        QVERIFY2(r.errors.contains(QStringLiteral("Not enough free ramp memory in device!")),
                 qPrintable(r.errors));
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
    }
    void usage() {
        QFETCH(QStringList, args);
        QCOMPARE(run(args).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestRampTableCli)
#include "tst_ramptablecli.moc"
