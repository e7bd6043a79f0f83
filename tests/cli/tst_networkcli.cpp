// kormakctl on network serial ports, against a real ser2net in front of
// kormak-sim: the rate travels through "rfc2217://", a raw "socket://" runs
// at the far side's rate, a server that goes away is a lost port, and a host
// that does not answer is given up after the connect time-out.

#include "Ser2netRig.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

class TestNetworkCli : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    Ser2netRig rig_; // axis 0 at 28800, axis 3 at 9600

    struct Result {
        int status = -1;
        QString out;
        QString err;
    };

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        return env;
    }
    Result run(const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral(KORMAKCTL), QStringList{"--lang", "en"} + args);
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QByteArray readFile(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString port(const QString& which) const {
        if (which == QLatin1String("pty"))
            return rig_.device();
        if (which == QLatin1String("rfc2217"))
            return rig_.rfc2217();
        if (which == QLatin1String("socket"))
            return rig_.raw();
        return rig_.raw9600();
    }

private slots:
    void initTestCase() {
        const QString failure =
            rig_.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "0,3", "--rate", "3=9600"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    // The probe starts at a rate no axis listens at and moves the far side's
    // line through the list until the axis answers.
    void probeFindsTheRate_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("rate");
        QTest::newRow("axis at 28800") << "0"
                                       << "28800\n";
        QTest::newRow("axis at 9600") << "3"
                                      << "9600\n";
    }
    void probeFindsTheRate() {
        QFETCH(QString, address);
        QFETCH(QString, rate);
        const Result r =
            run({"--port", rig_.rfc2217(), "--baud", "38400", "probe", "--address", address});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, rate);
        QCOMPARE(r.status, 0);
    }

    // The rate set here is the rate on the far side's line: an axis answers
    // at its own rate only, and a raw socket is at the far side's rate
    // whatever is chosen here.
    void rateTravels_data() {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("rfc2217, axis 0 at its rate") << "rfc2217"
                                                     << "28800"
                                                     << "0" << 0 << "10000\n";
        QTest::newRow("rfc2217, axis 0 at 9600") << "rfc2217"
                                                 << "9600"
                                                 << "0" << 1 << "TIMEOUT\n";
        QTest::newRow("rfc2217, axis 3 at its rate") << "rfc2217"
                                                     << "9600"
                                                     << "3" << 0 << "10000\n";
        QTest::newRow("socket at 28800, 9600 chosen here") << "socket"
                                                           << "9600"
                                                           << "0" << 0 << "10000\n";
        QTest::newRow("socket at 9600 reaches axis 3") << "socket9600"
                                                       << "28800"
                                                       << "3" << 0 << "10000\n";
        QTest::newRow("socket at 9600 misses axis 0") << "socket9600"
                                                      << "28800"
                                                      << "0" << 1 << "TIMEOUT\n";
    }
    void rateTravels() {
        QFETCH(QString, via);
        QFETCH(QString, rate);
        QFETCH(QString, address);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Result r =
            run({"--port", port(via), "--baud", rate, "send", "--address", address, "IF?"});
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, status);
    }

    // A parameter file saved over the network is the one saved over the pty;
    // a raw socket needs no rate of its own (the probe asks once, at the far
    // side's rate).
    void saveAsOverThePty_data() {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("address");
        QTest::newRow("rfc2217, axis 0") << "rfc2217"
                                         << "0";
        QTest::newRow("rfc2217, axis 3 at 9600") << "rfc2217"
                                                 << "3";
        QTest::newRow("socket, axis 0") << "socket"
                                        << "0";
        QTest::newRow("socket at 9600, axis 3") << "socket9600"
                                                << "3";
    }
    void saveAsOverThePty() {
        QFETCH(QString, via);
        QFETCH(QString, address);
        const QString local = home_.filePath(QStringLiteral("pty%1.OPM").arg(address));
        const QString remote = home_.filePath(QStringLiteral("%1%2.OPM").arg(via, address));
        Result r = run({"--port", rig_.device(), "save", "--address", address, local});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        r = run({"--port", port(via), "save", "--address", address, remote});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray expected = readFile(local);
        QVERIFY(expected.contains("\r\n"));
        QCOMPARE(readFile(remote), expected);
    }

    // The baud change reconnects at the new rate; the axis follows there and
    // back.
    void baudChangeThereAndBack() {
        const QString url = rig_.rfc2217();
        Result r = run({"--port", url, "--baud", "28800", "baud", "--address", "0", "9600"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("9600\n"));
        r = run({"--port", url, "--baud", "9600", "send", "--address", "0", "IF?"});
        QCOMPARE(r.out, QStringLiteral("10000\n"));
        r = run({"--port", url, "--baud", "9600", "baud", "--address", "0", "28800"});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("28800\n"));
        r = run({"--port", url, "--baud", "28800", "send", "--address", "0", "IF?"});
        QCOMPARE(r.out, QStringLiteral("10000\n"));
    }

    // The server goes away in the middle of a save: the unplugged adapter's
    // message, a failure, and the file as it was.
    void serverStoppedMidSave() {
        Ser2netRig rig;
        const QString failure = rig.start(QStringLiteral(KORMAK_SIM_EXE),
                                          {"--axes", "0", "--answer-delay", "30", "--log"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QString path = home_.filePath(QStringLiteral("KEPT.OPM"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the old file\r\n");
        }
        QProcess save;
        save.setProcessEnvironment(environment());
        save.start(QStringLiteral(KORMAKCTL), {"--lang", "en", "--port", rig.rfc2217(), "--baud",
                                               "28800", "save", "--address", "0", path});
        // A few requests into the save, as the simulator's log (on its
        // standard error) shows.
        QByteArray log;
        QElapsedTimer clock;
        clock.start();
        while (log.count('\n') < 6 && save.state() != QProcess::NotRunning &&
               clock.elapsed() < 10000) {
            QTest::qWait(50);
            log += rig.sim().freshLog();
        }
        QVERIFY2(log.count('\n') >= 6, save.readAllStandardError().constData());
        rig.stopServer();
        QVERIFY(save.waitForFinished(10000));
        const QString err = QString::fromLocal8Bit(save.readAllStandardError());
        QVERIFY2(err.contains(QLatin1String("Connection to the interface lost!")), qPrintable(err));
        QCOMPARE(save.exitCode(), 1);
        QCOMPARE(readFile(path), QByteArray("the old file\r\n"));
    }

    // Ports that cannot be opened say why, naming host and port. A listener
    // that takes the connection and never speaks is given up after the
    // connect time-out (3 s), not after a reply time-out per rate.
    void openFailures_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("atLeastMs");
        QTest::addColumn<int>("atMostMs");
        QTest::newRow("host that does not answer")
            << "silent"
            << "No connection to 127.0.0.1 port %1: no answer within 3 s." << 2900 << 5500;
        QTest::newRow("nobody listening") << "closed"
                                          << "Interface can not be opened!\n127.0.0.1:%1 refuses "
                                             "the connection"
                                          << 0 << 2500;
        QTest::newRow("Telnet without the COM-port option")
            << "telnet"
            << "Interface can not be opened!\n127.0.0.1:%1 cannot set the baud rate" << 0 << 2500;
        QTest::newRow("malformed name")
            << "malformed"
            << "\"rfc2217://127.0.0.1\" is not a network port" << 0 << 2500;
    }
    void openFailures() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(int, atLeastMs);
        QFETCH(int, atMostMs);
        QTcpServer silent; // listens, never accepts, never says a word
        QProcess telnet;
        QTemporaryDir dir;
        quint16 number = Ser2netRig::freePort();
        QString url = QStringLiteral("rfc2217://127.0.0.1:%1").arg(number);
        if (kind == QLatin1String("silent")) {
            QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
            number = silent.serverPort();
            url = QStringLiteral("rfc2217://127.0.0.1:%1").arg(number);
        } else if (kind == QLatin1String("telnet")) {
            // Plain Telnet in front of the pty: no rate can be set through it.
            const QString line = QStringLiteral("connection: &t\n  accepter: telnet,tcp,127.0.0.1,"
                                                "%1\n  connector: serialdev,%2,28800n81,local\n")
                                     .arg(number)
                                     .arg(rig_.device());
            QFile config(dir.filePath(QStringLiteral("t.yaml")));
            QVERIFY(config.open(QIODevice::WriteOnly));
            config.write(line.toUtf8());
            config.close();
            telnet.start(QLatin1String(Ser2netRig::Ser2net),
                         {"-n", "-u", "-c", config.fileName(), "-P", dir.filePath("pid")});
            QVERIFY(telnet.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    QTcpSocket s;
                    s.connectToHost(QStringLiteral("127.0.0.1"), number);
                    return s.waitForConnected(200);
                }(),
                5000);
            QTest::qWait(100);
        } else if (kind == QLatin1String("malformed")) {
            url = QStringLiteral("rfc2217://127.0.0.1");
        }
        QElapsedTimer clock;
        clock.start();
        const Result r = run({"--port", url, "--baud", "28800", "send", "IF?"});
        const qint64 took = clock.elapsed();
        if (telnet.state() != QProcess::NotRunning) {
            telnet.terminate();
            telnet.waitForFinished(3000);
        }
        QCOMPARE(r.status, 1);
        const QString expected =
            message.contains(QLatin1String("%1")) ? message.arg(number) : message;
        QVERIFY2(r.err.contains(expected), qPrintable(r.err));
        QVERIFY2(took >= atLeastMs && took <= atMostMs, qPrintable(QString::number(took)));
    }
};

QTEST_GUILESS_MAIN(TestNetworkCli)
#include "tst_networkcli.moc"
