#include "PtyPeer.h"
#include "Referee.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// kormakctl as a user runs it: words in, lines and an exit status out.
class TestKormakctl : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    qint64 simLogSeen_ = 0;
    QString simLog() const { return home_.filePath(QStringLiteral("sim.log")); }

    struct Result {
        int status = -1;
        QString out;
        QString err;
    };

    Result run(const QStringList& args) { return runWithSettings(home_.path(), args); }

    // Runs kormakctl with its settings store in configHome, so that the
    // user's own settings are never read or touched.
    static Result runWithSettings(const QString& configHome, const QStringList& args,
                                  const QByteArray& input = {}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), configHome);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORMAKCTL), args);
        if (!input.isEmpty() && p.waitForStarted(30000))
            p.write(input);
        p.closeWriteChannel();
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

private slots:
    // kormakctl's own simulator logs here, for the referee.
    void initTestCase() { qputenv("KORMAK_SIM_LOG", QFile::encodeName(simLog())); }
    void cleanup() { Referee().judge(refusalsInLog(simLog(), &simLogSeen_), __FILE__, __LINE__); }

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
        QTest::newRow("the message names the port and the reason")
            << QStringList{"--port", "/dev/kormak-no-such-port", "send", "IF?"} << 1 << ""
            << "/dev/kormak-no-such-port: No such file or directory";
        QTest::newRow("a port not in the list opens no other")
            << QStringList{"--port", " ", "send", "IF?"} << 1 << ""
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

    // Every way of getting the command line wrong ends the same way: nothing
    // on standard output, one line saying what is wrong, the help to read
    // (that of the command when there is one), and exit status 2.
    void usageMistakes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("help");
        const QString global = QStringLiteral("kormakctl --help");
        QTest::newRow("no command") << QStringList{} << global;
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << global;
        QTest::newRow("unknown option") << QStringList{"--fast", "ports"} << global;
        QTest::newRow("option of a command before it")
            << QStringList{"--address", "3", "send", "IF?"} << global;
        QTest::newRow("port without value") << QStringList{"--port"} << global;
        QTest::newRow("empty port") << QStringList{"--port", "", "send", "IF?"} << global;
        QTest::newRow("bad rate") << QStringList{"--baud", "1200", "ports"} << global;
        QTest::newRow("rate with unit") << QStringList{"--baud", "9600Bd", "ports"} << global;
        QTest::newRow("bad language") << QStringList{"--lang", "it", "ports"} << global;
        QTest::newRow("unknown option of send")
            << QStringList{"send", "--fast", "IF?"} << "kormakctl send --help";
        QTest::newRow("flag with a value")
            << QStringList{"send", "--whole=yes", "IF?"} << "kormakctl send --help";
        QTest::newRow("address without value")
            << QStringList{"send", "IF?", "--address"} << "kormakctl send --help";
        QTest::newRow("address G")
            << QStringList{"send", "--address", "G", "IF?"} << "kormakctl send --help";
        QTest::newRow("address of two characters")
            << QStringList{"send", "--address", "10", "IF?"} << "kormakctl send --help";
        QTest::newRow("unknown framing")
            << QStringList{"send", "--framing", "none", "IF?"} << "kormakctl send --help";
        QTest::newRow("character without a single-byte form")
            << QStringList{"send", QStringLiteral("EW05\u2713")} << "kormakctl send --help";
        QTest::newRow("send without command")
            << QStringList{"send", "--address", "3"} << "kormakctl send --help";
        QTest::newRow("baud without rate")
            << QStringList{"baud", "--address", "0"} << "kormakctl baud --help";
        QTest::newRow("baud with a rate not in the list")
            << QStringList{"baud", "--address", "0", "1200"} << "kormakctl baud --help";
        QTest::newRow("baud without address")
            << QStringList{"baud", "9600"} << "kormakctl baud --help";
        QTest::newRow("monitor without address")
            << QStringList{"monitor"} << "kormakctl monitor --help";
        QTest::newRow("monitor with an unknown cut")
            << QStringList{"monitor", "--address", "0", "--show", "hex"}
            << "kormakctl monitor --help";
        QTest::newRow("monitor with an unknown framing")
            << QStringList{"monitor", "--address", "0", "--framing", "none"}
            << "kormakctl monitor --help";
        QTest::newRow("probe without address") << QStringList{"probe"} << "kormakctl probe --help";
        QTest::newRow("probe with an empty address")
            << QStringList{"probe", "--address", ""} << "kormakctl probe --help";
        QTest::newRow("probe with an argument")
            << QStringList{"probe", "--address", "3", "IC?"} << "kormakctl probe --help";
        QTest::newRow("save without address")
            << QStringList{"save", "x.OPM"} << "kormakctl save --help";
        QTest::newRow("save without file")
            << QStringList{"save", "--address", "3"} << "kormakctl save --help";
        QTest::newRow("show with an option")
            << QStringList{"show", "--all", "x.OPM"} << "kormakctl show --help";
        QTest::newRow("ports with an argument")
            << QStringList{"ports", "all"} << "kormakctl ports --help";
        QTest::newRow("ramp-table with an argument")
            << QStringList{"ramp-table", "--clock", "1", "--top", "1", "--slope", "1", "fast"}
            << "kormakctl ramp-table --help";
    }
    void usageMistakes() {
        QFETCH(QStringList, args);
        QFETCH(QString, help);
        const Result r = run(args);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines.at(0).startsWith(QLatin1String("kormakctl: ")), qPrintable(r.err));
        QCOMPARE(lines.at(1), QStringLiteral("Try '%1'.").arg(help));
    }

    // The overview names every command, and each command explains itself.
    void helpOfEveryCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("ports") << "ports"
                               << "";
        QTest::newRow("send") << "send"
                              << "--framing";
        QTest::newRow("probe") << "probe"
                               << "--address";
        QTest::newRow("save") << "save"
                              << "FILE";
        QTest::newRow("show") << "show"
                              << "FILE";
        QTest::newRow("ramp-table") << "ramp-table"
                                    << "--slope";
        QTest::newRow("baud") << "baud"
                              << "RATE";
        QTest::newRow("monitor") << "monitor"
                                 << "--log";
    }
    void helpOfEveryCommand() {
        QFETCH(QString, command);
        QFETCH(QString, mentions);
        const Result overview = run({QStringLiteral("--help")});
        QCOMPARE(overview.status, 0);
        QVERIFY2(overview.out.contains(QStringLiteral("\n  %1 ").arg(command)),
                 qPrintable(overview.out));

        const Result own = run({command, QStringLiteral("--help")});
        QCOMPARE(own.status, 0);
        QCOMPARE(own.err, QString());
        QVERIFY2(own.out.startsWith(QLatin1String("Usage: kormakctl ")), qPrintable(own.out));
        QVERIFY2(
            own.out.section(u'\n', 0, 0).contains(QStringLiteral(" %1 [options]").arg(command)),
            qPrintable(own.out));
        QVERIFY2(own.out.contains(mentions), qPrintable(own.out));
    }

    // A port named without a rate: the axis's rate is searched for, whatever
    // the window last used. Without --port, the stored rate is used as it is.
    void rateOfAPortNamedAlone_data() {
        QTest::addColumn<int>("storedBaud");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("38400 stored, the axis at 28800")
            << 4 << QStringList{"--port", "sim", "send", "--address", "3", "IF?"} << 0 << "10000\n"
            << "";
        QTest::newRow("9600 stored, whole frame")
            << 0 << QStringList{"--port", "sim", "send", "--address", "3", "--whole", "II?"} << 0
            << "300 0:"
            << "";
        QTest::newRow("save finds the rate too")
            << 4 << QStringList{"--port", "sim", "save", "--address", "3", "AXIS3.OPM"} << 0 << ""
            << "";
        QTest::newRow("a rate given is used as given")
            << 3 << QStringList{"--port", "sim", "--baud", "38400", "send", "--address", "3", "IF?"}
            << 1 << "TIMEOUT\n"
            << "No reply from axis 3 at 38400 Baud.";
    }
    void rateOfAPortNamedAlone() {
        QFETCH(int, storedBaud);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir config;
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Veltrax GmbH")));
        QFile store(config.filePath(QStringLiteral("Veltrax GmbH/Kormak.conf")));
        QVERIFY(store.open(QIODevice::WriteOnly));
        store.write(QStringLiteral("[Settings]\nBaud=%1\n").arg(storedBaud).toLatin1());
        store.close();
        for (QString& a : args)
            if (a.endsWith(QLatin1String(".OPM")))
                a = config.filePath(a);

        const Result r = runWithSettings(config.path(), QStringList{"--lang", "en"} + args);
        QCOMPARE(r.status, status);
        if (out.endsWith(u':'))
            QVERIFY2(r.out.startsWith(out), qPrintable(r.out));
        else
            QCOMPARE(r.out, out);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        // The store is the program's; kormakctl only reads it.
        QVERIFY(store.open(QIODevice::ReadOnly));
        QCOMPARE(store.readAll(),
                 QStringLiteral("[Settings]\nBaud=%1\n").arg(storedBaud).toLatin1());
    }

    // Every time-out message says at which rate the request went out, in the
    // language of the messages.
    void timeoutNamesTheRate_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QStringList>("err");
        QTest::newRow("send, English")
            << QStringList{"--lang", "en", "--baud", "9600", "send", "--address", "5", "IF?", "PO?"}
            << "TIMEOUT\nTIMEOUT\n"
            << QStringList{"No reply from axis 5 at 9600 Baud.",
                           "No reply from axis 5 at 9600 Baud."};
        QTest::newRow("send, German")
            << QStringList{"--lang", "de", "--baud", "14400", "send", "IF?"} << "TIMEOUT\n"
            << QStringList{"Keine Antwort von Achse 0 bei 14400 Baud."};
        QTest::newRow("send, French")
            << QStringList{"--lang", "fr", "--baud", "38400", "send", "--address", "a", "IF?"}
            << "TIMEOUT\n"
            << QStringList{"Pas de réponse de l'axe A à 38400 bauds."};
        QTest::newRow("save") << QStringList{"--lang", "en",        "--baud", "19200",
                                             "save",   "--address", "2",      "X.OPM"}
                              << ""
                              << QStringList{"Interface timeout!",
                                             "No reply from axis 2 at 19200 Baud."};
        QTest::newRow("probe, every rate")
            << QStringList{"--lang", "en", "probe", "--address", "7"} << ""
            << QStringList{"Interface timeout!",
                           "No reply from axis 7 at 9600, 14400, 19200, 28800, 38400 Baud."};
        QTest::newRow("send, port alone and no rate answers")
            << QStringList{"--lang", "en", "send", "--address", "7", "IF?"} << ""
            << QStringList{"Interface timeout!",
                           "No reply from axis 7 at 9600, 14400, 19200, 28800, 38400 Baud."};
    }
    void timeoutNamesTheRate() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        QFETCH(QStringList, err);
        // A line where no axis ever answers.
        PtyPeer silent;
        QVERIFY(silent.open());
        silent.setResponder([](const QByteArray&) { return QList<PtyPeer::Piece>{}; });
        for (QString& a : args)
            if (a.endsWith(QLatin1String(".OPM")))
                a = home_.filePath(a);

        const Result r = run(QStringList{"--port", silent.slavePath()} + args);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, out);
        QCOMPARE(r.err.split(u'\n', Qt::SkipEmptyParts), err);
        QVERIFY(!QFile::exists(home_.filePath(QStringLiteral("X.OPM"))));
    }

    void baudChange_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("28800 to 9600")
            << QStringList{"--port", "sim", "--baud", "28800", "baud", "--address", "0", "9600"}
            << 0 << "9600\n";
        QTest::newRow("rate found first")
            << QStringList{"--port", "sim", "baud", "--address", "3", "38400"} << 0 << "38400\n";
        QTest::newRow("no answer at the rate given")
            << QStringList{"--port", "sim", "--baud", "9600", "baud", "--address", "0", "19200"}
            << 1 << "";
    }
    void baudChange() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Result r = run(args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, out);
        // The axis at 28800 hears nothing at 9600: no reply, and it answers
        // at neither rate asked.
        if (status != 0)
            QVERIFY2(r.err.contains(QLatin1String("neither at 19200 nor at 9600 Baud")),
                     qPrintable(r.err));
    }

    // A scriptable terminal: one command a line in, one cut reply a line out.
    void monitor_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines"); // a line ending in ":" is a prefix
        QTest::newRow("data, lower case")
            << QStringList{} << QByteArray("po?\nif?\r\n\n") << 0 << QStringList{"400", "10000"};
        QTest::newRow("bare framing, all characters")
            << QStringList{"--framing", "bare", "--show", "all"} << QByteArray("PO?\n") << 0
            << QStringList{"000 400:"};
        QTest::newRow("address framing, short status")
            << QStringList{"--framing", "address", "--show", "status"} << QByteArray("PO?") << 0
            << QStringList{"00 400"};
        QTest::newRow("checksum framing, all characters")
            << QStringList{"--framing", "checksum", "--show", "all"} << QByteArray("PO?\n") << 0
            << QStringList{"000 400:"};
    }
    void monitor() {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QStringList args{"--port", "sim", "monitor"};
        if (!options.contains(QStringLiteral("--address")))
            args << "--address"
                 << "0";
        const Result r = runWithSettings(home_.path(), args + options, input);
        QCOMPARE(r.status, status);
        const QStringList got = r.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(got.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            if (lines.at(i).endsWith(u':'))
                QVERIFY2(got.at(i).startsWith(lines.at(i)), qPrintable(got.at(i)));
            else
                QCOMPARE(got.at(i), lines.at(i));
        }
    }

    // The monitor's rule for typed text as kormakctl applies it: standard input
    // read as UTF-8, each line checked whole; the bytes are looked at on the
    // far end of a pty. "send" keeps the case as given.
    void typedTextOnTheWire_data() {
        QTest::addColumn<QByteArray>("typed");       // UTF-8, as a terminal writes it
        QTest::addColumn<QByteArray>("monitorWire"); // empty: refused
        QTest::addColumn<QByteArray>("sendWire");    // empty: refused
        const auto hex = [](const char* t) {
            return QByteArray::fromHex(QByteArray(t).replace(' ', ""));
        };
        QTest::newRow("ascii") << QByteArray("pc?") << QByteArray("PC?") << QByteArray("pc?");
        QTest::newRow("a umlaut") << hex("78 C3 A4") << hex("58 C4") << hex("78 E4");
        QTest::newRow("y diaeresis") << hex("C3 BF") << hex("9F") << hex("FF");
        QTest::newRow("sharp s") << hex("C3 9F") << hex("DF") << hex("DF");
        QTest::newRow("micro") << hex("C2 B5") << hex("B5") << hex("B5");
        QTest::newRow("euro") << hex("E2 82 AC") << hex("80") << hex("80");
        QTest::newRow("omega") << hex("78 CE A9") << QByteArray() << QByteArray();
        QTest::newRow("han") << hex("E6 BC A2") << QByteArray() << QByteArray();
        QTest::newRow("embedded ETX") << QByteArray("PC?\x03IS?") << QByteArray() << QByteArray();
        QTest::newRow("embedded STX") << QByteArray("\x02PC?") << QByteArray() << QByteArray();
        QTest::newRow("tab") << QByteArray("PC?\tIS?") << QByteArray() << QByteArray();
        QTest::newRow("505 characters")
            << QByteArray(505, 'A') << QByteArray(505, 'A') << QByteArray(505, 'A');
        QTest::newRow("506 characters") << QByteArray(506, 'A') << QByteArray() << QByteArray();
        QTest::newRow("not UTF-8") << hex("78 E4 80") << QByteArray() << QByteArray();
    }
    void typedTextOnTheWire() {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, monitorWire);
        QFETCH(QByteArray, sendWire);
        PtyPeer peer;
        QVERIFY(peer.open());
        peer.setResponder([](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, QByteArray("\x02"
                                                        "000 1:00\x03")}};
        });
        const QStringList base{"--port", peer.slavePath(), "--baud", "28800"};

        Result r = runWithSettings(
            home_.path(), base + QStringList{"monitor", "--address", "0", "--framing", "bare"},
            typed + '\n');
        if (monitorWire.isEmpty()) {
            QCOMPARE(r.status, 1);
            QVERIFY(!r.err.isEmpty());
            QCOMPARE(peer.received(), QByteArray());
        } else {
            QCOMPARE(peer.received(), "\x02" + monitorWire + "\x03");
        }

        // Arguments reach kormakctl as bytes of the locale; "send" is checked
        // only where the typed text is valid UTF-8.
        if (QString::fromUtf8(typed).contains(QChar::ReplacementCharacter))
            return;
        peer.clearReceived();
        r = runWithSettings(home_.path(),
                            base + QStringList{"send", "--address", "0", QString::fromUtf8(typed)});
        if (sendWire.isEmpty()) {
            QCOMPARE(r.status, 2);
            QCOMPARE(peer.received(), QByteArray());
        } else {
            QVERIFY2(peer.received().startsWith("\x02"
                                                "0" +
                                                sendWire + ":"),
                     peer.received().toHex(' ').constData());
        }
    }

    void monitorWritesTheLog() {
        const QString path = home_.filePath(QStringLiteral("monitor.log"));
        QFile::remove(path);
        const Result r = runWithSettings(
            home_.path(), {"--port", "sim", "monitor", "--address", "0", "--log", path}, "po?\n");
        QCOMPARE(r.status, 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray log = f.readAll();
        QVERIFY2(log.contains("-> <STX>0PO?:"), log.constData());
        QVERIFY2(log.contains("<- <STX>000 400:"), log.constData());
        QVERIFY(log.contains("02 30 50 4F 3F 3A"));
    }

    void portsEndWithSimulator() {
        const Result r = run({QStringLiteral("ports")});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.endsWith(QLatin1String("Simulator\n")));
    }
};

QTEST_GUILESS_MAIN(TestKormakctl)
#include "tst_kormakctl.moc"
