// Every kormakctl command that talks to an axis against every fault the line and the
// simulator can throw at it. Whatever happens, three promises hold: the exit status says
// failure exactly when the command failed; the command ends within one reply time-out per
// transaction it made, and two seconds more; and a command that fails leaves an existing
// output file as it was.

#include "Referee.h"
#include "SimProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// kormakctl's reply time-out.
constexpr qint64 kReplyTimeoutMs = 1000;
const QByteArray kOldOutput = "; the file written last week\r\n";

// A parameter file for transfer and diff: every parameter, the default table, and a
// cycle program in slot 05.
const QByteArray kParameterFile = "PD0\r\nPA1.2\r\nPR0.8\r\nPS0.3\r\nPF3000\r\nPG200000\r\n"
                                  "PH0\r\nPL1\r\nPM10\r\nPN1\r\nPO400\r\nPP20\r\nPT50\r\n"
                                  "PW7\r\n; [Beschleunigungstabelle]\r\n;\r\n"
                                  "; [Please don't change   ]: 0064012C"
                                  "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n"
                                  ";\r\nEW05PO400 PF2000 GA16000 PN1\r\n";

// What a command does with the axis: whether it reads back what it wrote (so that a lost
// slot is its failure), whether it writes under the write release, and which file it writes.
struct Command {
    QStringList args; // "IN" stands for the input file, "OUT" for the output file
    QByteArray input; // standard input
    QString aimedAt;  // a command sent in the middle of the operation
    bool releases = false;
    bool readsBack = false;
    bool writesOutput = false;
    int doneCode = 0; // the exit status of a command that did its work
    int failedCode = 1;
    // A lost or flooded reply to its one write leaves the axis changed, and
    // the command finds it there and says so: that is its work done.
    bool findsTheAxisAfterALostReply = false;
};

const QMap<QString, Command>& commands() {
    static const QMap<QString, Command> table = {
        {"send", {{"send", "--address", "0", "PF3000", "IF?", "PO?"}, {}, "IF?"}},
        {"probe", {{"probe", "--address", "0"}, {}, "IC?"}},
        {"baud", {{"baud", "--address", "0", "9600"}, {}, "DB", false, false, false, 0, 1, true}},
        {"monitor", {{"monitor", "--address", "0"}, "PF3000\nIF?\nPO?\n", "IF?"}},
        {"status", {{"status", "--address", "0"}, {}, "IS?"}},
        {"reset", {{"reset", "--address", "0", "power"}, {}, "CA"}},
        {"save", {{"save", "--address", "0", "OUT"}, {}, "ER80", false, false, true}},
        // The file differs from the axis: a diff that did its work says so.
        {"diff", {{"diff", "--address", "0", "IN"}, {}, "ER80", false, false, false, 1, 3}},
        {"transfer",
         {{"transfer", "--address", "0", "IN", "--ramps", "no", "--verify"},
          {},
          "EW05",
          true,
          true}},
        {"plc dump", {{"plc", "dump", "--address", "0"}, {}, "ER80"}},
        {"report", {{"report", "--address", "0", "--pdf", "OUT"}, {}, "ER80", false, false, true}},
    };
    return table;
}

// A fault: the simulator's switches, whether the command fails under it whatever it is,
// and whether the simulator is killed once the command has begun.
struct FaultKind {
    QStringList switches;
    bool failsEveryCommand = false;
    bool kill = false;
    bool aimed = false; // --no-reply-to at the command's aimed one
    bool refuseRelease = false;
    bool loseSlot = false;
    bool refuseSlot = false; // a slot write answered "NO"
};

const QMap<QString, FaultKind>& faultKinds() {
    static const QMap<QString, FaultKind> table = {
        {"no reply", {{"--fault", "noreply"}, true}},
        {"late reply", {{"--fault", "late=1500", "--fault-count", "1"}, true}},
        {"pieces", {{"--fault", "pieces", "--fault-count", "5"}}},
        {"garbage", {{"--fault", "garbage"}}},
        {"overflow", {{"--fault", "overflow", "--fault-count", "1"}, true}},
        {"vanish", {{"--fault", "vanish", "--fault-count", "1"}, true}},
        {"no reply mid-operation", {{}, true, false, true}},
        {"refused release", {{"--refuse-release", "0:1"}, false, false, false, true}},
        {"lost slot", {{"--lose-slot", "0:05"}, false, false, false, false, true}},
        {"refused slot", {{"--refuse-slot", "0:05"}, false, false, false, false, false, true}},
        // Each reply waits a moment, so that the kill falls inside the first transaction.
        {"simulator killed", {{"--answer-delay", "300"}, true, true}},
    };
    return table;
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Lines of the simulator's log that are received commands ("0 IF?").
int transactionsIn(const QString& log) {
    int n = 0;
    for (const QByteArray& line : readBytes(log).split('\n'))
        if (line.size() > 2 && line.at(1) == ' ')
            ++n;
    return n;
}

} // namespace

class TestCliFaults : public QObject {
    Q_OBJECT

private slots:
    void commandUnderFault_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("fails");
        for (auto c = commands().begin(); c != commands().end(); ++c)
            for (auto f = faultKinds().begin(); f != faultKinds().end(); ++f) {
                const bool recovers = c->findsTheAxisAfterALostReply &&
                                      (f->aimed || f.key() == QLatin1String("overflow"));
                const bool fails = (f->failsEveryCommand && !recovers) ||
                                   (f->refuseRelease && c->releases) ||
                                   (f->loseSlot && c->readsBack) || (f->refuseSlot && c->releases);
                QTest::newRow(qPrintable(c.key() + " / " + f.key())) << c.key() << f.key() << fails;
            }
    }

    void commandUnderFault() {
        QFETCH(QString, command);
        QFETCH(QString, fault);
        QFETCH(bool, fails);
        const Command& c = commands()[command];
        const FaultKind& f = faultKinds()[fault];

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString in = dir.filePath(QStringLiteral("AXIS.OPM"));
        const QString out = dir.filePath(QStringLiteral("OUT.OPM"));
        QVERIFY(writeBytes(in, kParameterFile));
        QVERIFY(writeBytes(out, kOldOutput));

        QStringList switches =
            QStringList{"--axes", "0", "--family", "0=TKV 3A/50V", "--log", "--ignore-stdin"} +
            f.switches;
        if (f.aimed)
            switches << "--no-reply-to" << c.aimedAt;
        SimProcess sim;
        const QString failure = sim.start(QStringLiteral(KORMAK_SIM_EXE), switches);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QString port = sim.port();

        QStringList args{"--lang", "en", "--port", port, "--baud", "28800", "--yes"};
        for (const QString& a : c.args)
            args << (a == u"IN" ? in : a == u"OUT" ? out : a);
        QProcess ctl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
        ctl.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        ctl.start(QStringLiteral(KORMAKCTL), args);
        QVERIFY(ctl.waitForStarted());
        ctl.write(c.input);
        ctl.closeWriteChannel();
        if (f.kill) {
            // Killed once the command has begun to talk.
            QElapsedTimer wait;
            wait.start();
            while (transactionsIn(sim.logPath()) < 1 && wait.elapsed() < 5000)
                QTest::qWait(5);
            ::kill(pid_t(sim.process().processId()), SIGKILL);
        }
        const bool ended = ctl.waitForFinished(60000);
        const qint64 tookMs = clock.elapsed();
        if (!ended)
            ctl.kill();
        const QString err = QString::fromLocal8Bit(ctl.readAllStandardError());
        sim.process().kill();
        sim.process().waitForFinished(3000);
        QVERIFY2(ended, "kormakctl did not end");

        QCOMPARE(ctl.exitStatus(), QProcess::NormalExit);
        QVERIFY2(ctl.exitCode() == (fails ? c.failedCode : c.doneCode),
                 qPrintable(QStringLiteral("exit %1: %2").arg(ctl.exitCode()).arg(err)));
        const int transactions = transactionsIn(sim.logPath());
        // The probe asks at each of the five rates, each with its own short time-out; the
        // simulator logs only what reaches it at some rate.
        const qint64 boundMs =
            qMax(transactions, command == u"probe" ? 5 : 1) * kReplyTimeoutMs + 2000;
        QVERIFY2(
            tookMs <= boundMs,
            qPrintable(QStringLiteral("%1 ms for %2 transactions").arg(tookMs).arg(transactions)));
        if (c.writesOutput && fails)
            QCOMPARE(readBytes(out), kOldOutput);
        if (c.writesOutput && !fails)
            QVERIFY(readBytes(out) != kOldOutput);
        // The program sends nothing the controller refuses, faults or not.
        sim.judge(Referee(), __FILE__, __LINE__);
    }
};

QTEST_GUILESS_MAIN(TestCliFaults)
#include "tst_clifaults.moc"
