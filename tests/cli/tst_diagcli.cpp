// kormakctl status and reset against kormak-sim running as its own process,
// with faults set on its standard input as a person would.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestDiagCli : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QProcess sim_;
    QString port_;

    struct Result {
        int status = -1;
        QString out;
        QString err;
    };

    Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORMAKCTL),
                QStringList{"--lang", "en", "--port", port_, "--baud", "28800"} + args);
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    // A line on the simulator's standard input; it takes effect within its
    // 100 ms polling period.
    void tell(const QByteArray& line) {
        sim_.write(line + '\n');
        sim_.waitForBytesWritten(1000);
        QTest::qWait(300);
    }

private slots:
    void initTestCase() {
        sim_.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "0,3"});
        QVERIFY(sim_.waitForStarted());
        QVERIFY(sim_.waitForReadyRead(3000));
        port_ = QString::fromLocal8Bit(sim_.readLine()).trimmed();
        QVERIFY(port_.startsWith(u"/dev/"));
    }
    void cleanupTestCase() {
        sim_.closeWriteChannel(); // the simulator ends with its input
        QVERIFY(sim_.waitForFinished(3000));
    }

    void faultShownAndReset_data() {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("lamp");
        QTest::addColumn<QString>("done");
        QTest::newRow("power stage") << QByteArray("power-stage") << "power"
                                     << "Error: Power stage"
                                     << "Power stage reset successful";
        QTest::newRow("output driver") << QByteArray("output-driver") << "output"
                                       << "Error: Output driver"
                                       << "Driver reset successful";
        QTest::newRow("initiators") << QByteArray("initiators") << "initiators"
                                    << "Error: Initiators"
                                    << "Initiators reset successful";
        QTest::newRow("sfi") << QByteArray("sfi") << "sfi"
                             << "Error: SFI"
                             << "SFI reset successful";
    }
    void faultShownAndReset() {
        QFETCH(QByteArray, fault);
        QFETCH(QString, what);
        QFETCH(QString, lamp);
        QFETCH(QString, done);
        tell("3 fault " + fault);
        Result r = run({"status", "--address", "3"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.value(0).startsWith(u"Status code:\t"), qPrintable(r.out));
        QCOMPARE(lines.value(0).size(), QStringLiteral("Status code:\t").size() + 8);
        QVERIFY2(lines.contains(lamp), qPrintable(r.out));

        r = run({"reset", "--address", "3", what});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains(done), qPrintable(r.err));
        r = run({"status", "--address", "3"});
        QCOMPARE(r.status, 0);
        QVERIFY2(!r.out.contains(lamp), qPrintable(r.out));
    }

    // "CR" restarts the axis: the fault and unstored parameters are gone once
    // it answers again.
    void systemReset() {
        tell("0 fault temperature");
        Result r = run({"send", "--address", "0", "PF3000"});
        QCOMPARE(r.status, 0);
        r = run({"reset", "--address", "0", "system"});
        QCOMPARE(r.status, 0);
        r = run({"status", "--address", "0"});
        QVERIFY2(!r.out.contains(u"temperature"), qPrintable(r.out));
        r = run({"send", "--address", "0", "PF?"});
        QCOMPARE(r.out, QStringLiteral("2000\n"));
    }

    void noAxisFails_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("status") << QStringList{"status", "--address", "5"};
        QTest::newRow("reset") << QStringList{"reset", "--address", "5", "power"};
        QTest::newRow("system reset") << QStringList{"reset", "--address", "5", "system"};
    }
    void noAxisFails() {
        QFETCH(QStringList, args);
        const Result r = run(args);
        QCOMPARE(r.status, 1);
        QVERIFY(!r.err.contains(u"successful"));
    }

    void usageMistakes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("reset without a part") << QStringList{"reset", "--address", "0"};
        QTest::newRow("reset of an unknown part") << QStringList{"reset", "--address", "0", "all"};
        QTest::newRow("status without an address") << QStringList{"status"};
    }
    void usageMistakes() {
        QFETCH(QStringList, args);
        QCOMPARE(run(args).status, 2);
    }
};

QTEST_MAIN(TestDiagCli)
#include "tst_diagcli.moc"
