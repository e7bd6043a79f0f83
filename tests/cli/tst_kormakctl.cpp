#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// kormakctl as a user runs it: words in, lines and an exit status out.
class TestKormakctl : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    struct Result {
        int status = -1;
        QString out;
        QString err;
    };

    Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORMAKCTL), args);
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

private slots:
    void commands_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("one reply per command")
            << QStringList{"--port", "sim", "send", "--address", "0", "IF?", "PO?"} << 0
            << "10000\n400\n"
            << "";
        QTest::newRow("whole frame")
            << QStringList{"--port", "sim", "send", "--whole", "PO?"} << 0 << "000 400:"
            << "";
        QTest::newRow("wrong rate times out")
            << QStringList{"--port", "sim", "--baud", "9600", "send", "IF?"} << 1 << "TIMEOUT\n"
            << "";
        QTest::newRow("probe finds the rate")
            << QStringList{"--port", "sim", "--baud", "38400", "probe", "--address", "A"} << 0
            << "28800\n"
            << "";
        QTest::newRow("port that cannot be opened")
            << QStringList{"--port", "/dev/kormak-no-such-port", "send", "IF?"} << 1 << ""
            << "Interface can not be opened!";
        QTest::newRow("german message")
            << QStringList{"--lang", "de", "--port", "/dev/kormak-no-such-port", "send", "IF?"} << 1
            << ""
            << "Schnittstelle kann nicht geöffnet werden!";
        QTest::newRow("no command") << QStringList{"send"} << 2 << ""
                                    << "COMMAND";
        QTest::newRow("bad address") << QStringList{"send", "--address", "G", "IF?"} << 2 << ""
                                     << "address";
        QTest::newRow("bad rate") << QStringList{"--baud", "1200", "ports"} << 2 << ""
                                  << "RATE";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << ""
                                         << "unknown";
    }
    void commands() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Result r = run(args);
        QCOMPARE(r.status, status);
        if (out.endsWith(u':'))
            QVERIFY2(r.out.startsWith(out), qPrintable(r.out));
        else
            QCOMPARE(r.out, out);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
    }

    void portsEndWithSimulator() {
        const Result r = run({QStringLiteral("ports")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.endsWith(QLatin1String("Simulator\n")));
    }
};

QTEST_GUILESS_MAIN(TestKormakctl)
#include "tst_kormakctl.moc"
