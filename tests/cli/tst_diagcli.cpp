// kormakctl status and reset against kormak-sim running as its own process,
// with faults set on its standard input as a person would.

#include "Referee.h"
#include "SimProcess.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestDiagCli : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    SimProcess sim_;
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

private slots:
    void initTestCase() {
        // The referee reads its log after each test.
        const QString failure =
            sim_.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "0,3", "--log"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        port_ = sim_.port();
    }
    void cleanup() { sim_.judge(Referee(), __FILE__, __LINE__); }
    void cleanupTestCase() { QVERIFY(sim_.stop()); }

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
        sim_.tell("3 fault " + fault);
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

    // An error of the line is cleared by the read that reports it: the first status shows
    // it, with the "other error" bit for a refused command, and the next one no more.
    void clearedByTheReadThatShowsIt_data() {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("lamp");
        QTest::addColumn<int>("shortStatus"); // bits the code's last two digits must show
        QTest::newRow("receiving error") << QByteArray("receive") << "Receivig error axis" << 0x20;
        QTest::newRow("bad value")
            << QByteArray("bad-value") << "Parameter value incorrect" << 0x40;
    }
    void clearedByTheReadThatShowsIt() {
        QFETCH(QByteArray, fault);
        QFETCH(QString, lamp);
        QFETCH(int, shortStatus);
        sim_.tell("3 fault " + fault);
        Result r = run({"status", "--address", "3"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.split(u'\n').contains(lamp), qPrintable(r.out));
        const QString code = r.out.section(u'\n', 0, 0).section(u'\t', 1);
        QCOMPARE(code.right(2).toInt(nullptr, 16) & shortStatus, shortStatus);
        r = run({"status", "--address", "3"});
        QCOMPARE(r.status, 0);
        QVERIFY2(!r.out.contains(lamp), qPrintable(r.out));
    }

    // "CR" restarts the axis: the fault and unstored parameters are gone once
    // it answers again.
    void systemReset() {
        sim_.tell("0 fault temperature");
        Result r = run({"send", "--address", "0", "PF3000"});
        QCOMPARE(r.status, 0);
        r = run({"reset", "--address", "0", "system"});
        QCOMPARE(r.status, 0);
        r = run({"status", "--address", "0"});
        QVERIFY2(!r.out.contains(u"temperature"), qPrintable(r.out));
        r = run({"send", "--address", "0", "PF?"});
        QCOMPARE(r.out, QStringLiteral("2000\n"));
    }

    // The probe's first question at the axis's rate gets its answer only after the probe
    // has moved on to the next rate: that answer must not pass for one at the new rate.
    void probeTakesNoReplyMeantForAnotherRate() {
        SimProcess sim;
        const QString failure =
            sim.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "0", "--fault", "late=300",
                                                       "--fault-count", "1", "--ignore-stdin"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QString port = sim.port();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORMAKCTL),
                {"--lang", "en", "--port", port, "--baud", "28800", "probe", "--address", "0"});
        QVERIFY(p.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        // Either the probe finds 28800 again, or it finds nothing; never another rate.
        if (p.exitCode() == 0)
            QCOMPARE(out, QStringLiteral("28800\n"));
        else
            QCOMPARE(out, QString());
        sim.process().terminate();
        QVERIFY(sim.process().waitForFinished(3000));
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
