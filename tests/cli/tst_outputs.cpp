// kormakctl's files and streams as a shell hands them over: a full disk, a
// FIFO or a device as the target, endless inputs, closed and full standard
// streams, names that are not UTF-8. Against kormak-sim run as its own
// process, whose --log shows what reached the wire.

#include "FifoReader.h"
#include "FileSizeLimit.h"
#include "Referee.h"
#include "SimProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

QByteArray contents(const QByteArray& name) {
    QByteArray bytes;
    const int fd = ::open(name.constData(), O_RDONLY);
    char buffer[4096];
    ssize_t n = 0;
    while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, qsizetype(n));
    if (fd >= 0)
        ::close(fd);
    return fd >= 0 ? bytes : QByteArray("<missing>");
}

mode_t modeOf(const QByteArray& name) {
    struct stat st {};
    return ::lstat(name.constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

class TestOutputs : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QTemporaryDir dir_;
    SimProcess sim_;
    QString port_;

    struct Result {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };

    enum class Child { AsIs, FullDisk, StdinClosed };

    // Runs kormakctl with words given as bytes (a shell makes them, so that a
    // name need not be valid UTF-8).
    Result run(const QList<QByteArray>& words, Child child = Child::AsIs,
               const QString& stdoutFile = {}, const QByteArray& input = {}) {
        QString script = QStringLiteral("exec \"$0\"");
        for (const QByteArray& word : words) {
            script += QStringLiteral(" \"$(printf '");
            for (const char c : word)
                script += QStringLiteral("\\%1").arg(uint(uchar(c)), 3, 8, QLatin1Char('0'));
            script += QStringLiteral("')\"");
        }
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        p.setProcessEnvironment(env);
        if (!stdoutFile.isEmpty())
            p.setStandardOutputFile(stdoutFile);
        p.setChildProcessModifier([child] {
            if (child == Child::FullDisk) {
                // Room for the port's lock file, not for the output.
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = 512;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            } else if (child == Child::StdinClosed) {
                ::close(STDIN_FILENO);
            }
        });
        p.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), script, QStringLiteral(KORMAKCTL)});
        if (!input.isEmpty() && p.waitForStarted())
            p.write(input);
        p.closeWriteChannel();
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }
    QList<QByteArray> onAxis(const QList<QByteArray>& words) const {
        return QList<QByteArray>{"--lang", "en", "--port", port_.toLocal8Bit(), "--baud", "28800"} +
               words;
    }
    // The commands the simulator received since the last call.
    QByteArray wire() {
        QTest::qWait(200);
        return sim_.freshLog();
    }
    QByteArray path(const QByteArray& name) const {
        return QFile::encodeName(dir_.path()) + '/' + name;
    }
    void startSimulator(const QStringList& extra = {}) {
        stopSimulator();
        const QString failure =
            sim_.start(QStringLiteral(KORMAK_SIM_EXE),
                       QStringList{"--axes", "0,3", "--log", "--slot", "0:00=PO400"} + extra);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        port_ = sim_.port();
    }
    void stopSimulator() {
        // What it refused is judged before its log goes with it.
        sim_.judge(Referee(), __FILE__, __LINE__);
        sim_.stop();
    }
    QByteArray parameterFile() {
        const QByteArray name = path("axis0.OPM");
        if (::access(name.constData(), R_OK) != 0) {
            const Result r = run(onAxis({"save", "--address", "0", name}));
            if (r.status != 0)
                qWarning() << r.err;
        }
        return name;
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        QVERIFY(dir_.isValid());
        std::signal(SIGPIPE, SIG_IGN);
        startSimulator();
    }
    void cleanupTestCase() { stopSimulator(); }
    void cleanup() {
        QTest::qWait(200);
        sim_.judge(Referee(), __FILE__, __LINE__);
    }

    // On a full disk the old file stays byte for byte, nothing is left
    // beside it, and the command fails saying why.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<QList<QByteArray>>("words"); // OUT stands for the target
        QTest::newRow("save") << QList<QByteArray>{"save", "--address", "0", "OUT"};
        QTest::newRow("report") << QList<QByteArray>{"report", "--address", "0", "--pdf", "OUT"};
        QTest::newRow("session log")
            << QList<QByteArray>{"monitor", "--address", "0", "--log", "OUT"};
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(QList<QByteArray>, words);
        QTemporaryDir full;
        const QByteArray target = QFile::encodeName(full.filePath(QStringLiteral("old")));
        QFile old(QFile::decodeName(target));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("good backup\n");
        old.close();
        words.replace(words.indexOf("OUT"), target);
        // Enough commands for a log larger than the disk.
        const Result r = run(onAxis(words), Child::FullDisk, {}, QByteArray("po?\n").repeated(40));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("File too large"), r.err.constData());
        QCOMPARE(contents(target), QByteArray("good backup\n"));
        QCOMPARE(
            QDir(full.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("old")});
    }

    // A FIFO (or a device node, when the test may make one) gets the bytes
    // and stays what it is.
    void targetThatIsNoFile_data() {
        QTest::addColumn<QList<QByteArray>>("words");
        QTest::addColumn<QByteArray>("begins");
        QTest::addColumn<bool>("device");
        const QList<QByteArray> save{"save", "--address", "0", "OUT"};
        const QList<QByteArray> report{"report", "--address", "0", "--pdf", "OUT"};
        const QList<QByteArray> log{"monitor", "--address", "0", "--log", "OUT"};
        QTest::newRow("save into a fifo") << save << QByteArray("; ") << false;
        QTest::newRow("report into a fifo") << report << QByteArray("%PDF") << false;
        QTest::newRow("log into a fifo") << log << QByteArray() << false;
        QTest::newRow("save into a device") << save << QByteArray() << true;
        QTest::newRow("report into a device") << report << QByteArray() << true;
        QTest::newRow("log into a device") << log << QByteArray() << true;
    }
    void targetThatIsNoFile() {
        QFETCH(QList<QByteArray>, words);
        QFETCH(QByteArray, begins);
        QFETCH(bool, device);
        QTemporaryDir here;
        const QByteArray target = QFile::encodeName(here.filePath(QStringLiteral("target")));
        words.replace(words.indexOf("OUT"), target);
        if (device) {
            if (::geteuid() != 0)
                QSKIP("making a device node needs root");
            // The device of /dev/null, made in the temporary folder.
            QVERIFY(::mknod(target.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
            const Result r = run(onAxis(words));
            QCOMPARE(r.status, 0);
            QVERIFY(S_ISCHR(modeOf(target)));
            return;
        }
        QVERIFY(::mkfifo(target.constData(), 0600) == 0);
        FifoReader reader(target);
        const Result r = run(onAxis(words));
        QCOMPARE(r.status, 0);
        QVERIFY(reader.finish().startsWith(begins));
        QVERIFY(S_ISFIFO(modeOf(target)));
    }

    // Whatever way a name comes in, an input without end is refused at once:
    // /dev/zero (also behind a name that is not UTF-8), a FIFO nobody writes
    // to, a file of 2 MB.
    void endlessInputIsRefused_data() {
        QTest::addColumn<QList<QByteArray>>("words"); // IN stands for the input
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("source");
        const struct {
            const char* name;
            QList<QByteArray> words;
            int status;
        } commands[] = {
            {"plc load", {"plc", "--address", "0", "load", "IN"}, 1},
            {"show", {"show", "IN"}, 1},
            {"diff", {"diff", "--address", "0", "IN"}, 3},
            {"transfer", {"transfer", "--address", "0", "--ramps", "no", "IN"}, 1},
            {"report", {"report", "--file", "IN", "--pdf", "OUT"}, 1},
        };
        for (const auto& c : commands)
            for (const char* source : {"zero", "zero\xE9", "fifo", "big"})
                QTest::addRow("%s %s", c.name, source) << c.words << c.status << QByteArray(source);
    }
    void endlessInputIsRefused() {
        QFETCH(QList<QByteArray>, words);
        QFETCH(int, status);
        QFETCH(QByteArray, source);
        QTemporaryDir here;
        const QByteArray input = QFile::encodeName(here.path()) + '/' + source;
        if (source.startsWith("zero"))
            QVERIFY(::symlink("/dev/zero", input.constData()) == 0);
        else if (source == "fifo")
            QVERIFY(::mkfifo(input.constData(), 0600) == 0);
        if (source == "big") {
            QFile big(QFile::decodeName(input));
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.write(QByteArray(2 * 1024 * 1024, ';')) == 2 * 1024 * 1024);
        }
        const QByteArray out = QFile::encodeName(here.filePath(QStringLiteral("out.pdf")));
        words.replace(words.indexOf("IN"), input);
        if (words.contains("OUT"))
            words.replace(words.indexOf("OUT"), out);
        wire();
        const Result r = run(onAxis(words));
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(source), r.err.constData());
        QVERIFY(::access(out.constData(), F_OK) != 0);
        ::unlink(input.constData());
    }

    // With standard input closed, Qt's first descriptor would be read as
    // commands; the monitor sends nothing.
    void closedInputSendsNothing() {
        wire();
        const Result r = run(onAxis({"monitor", "--address", "0"}), Child::StdinClosed);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(wire(), QByteArray());
    }

    // Output a script cannot read fails the command.
    void fullOutputFails_data() {
        QTest::addColumn<QList<QByteArray>>("words");
        QTest::addColumn<bool>("onAxis");
        QTest::newRow("send") << QList<QByteArray>{"send", "--address", "0", "IF?"} << true;
        QTest::newRow("status") << QList<QByteArray>{"status", "--address", "0"} << true;
        QTest::newRow("probe") << QList<QByteArray>{"probe", "--address", "0"} << true;
        QTest::newRow("plc dump") << QList<QByteArray>{"plc", "--address", "0", "dump"} << true;
        QTest::newRow("show") << QList<QByteArray>{"show", "FILE"} << false;
        QTest::newRow("ramp-table")
            << QList<QByteArray>{"ramp-table", "--clock", "12000000", "--top",
                                 "4000",       "--slope", "10000"}
            << false;
        QTest::newRow("help") << QList<QByteArray>{"--help"} << false;
    }
    void fullOutputFails() {
        QFETCH(QList<QByteArray>, words);
        QFETCH(bool, onAxis);
        if (words.contains("FILE"))
            words.replace(words.indexOf("FILE"), parameterFile());
        const Result r =
            run(onAxis ? this->onAxis(words) : words, Child::AsIs, QStringLiteral("/dev/full"));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("write error: No space left on device"), r.err.constData());
    }

    // An answer lost while the report reads the axis is no value to print:
    // no file, exit 1.
    void reportWithALostAnswer_data() {
        QTest::addColumn<QString>("lost");
        for (const char* command : {"0 IV?", "0 IC?", "0 PO?", "0 PT?"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void reportWithALostAnswer() {
        QFETCH(QString, lost);
        startSimulator({"--no-reply-to", lost});
        const QByteArray out = path("lost.pdf");
        const Result r = run(onAxis({"report", "--address", "0", "--pdf", out}));
        startSimulator();
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("Interface timeout!"), r.err.constData());
        QVERIFY(::access(out.constData(), F_OK) != 0);
    }

    // Names that are not valid UTF-8 are used as their bytes.
    void namesByteForByte() {
        const QByteArray log = path("log\xE9.txt");
        const QByteArray pdf = path("report\xE9.pdf");
        const QByteArray file = path("axis\xE9.OPM");
        QCOMPARE(run(onAxis({"save", "--address", "0", file})).status, 0);
        QCOMPARE(run(onAxis({"monitor", "--address", "0", "--log", log})).status, 0);
        const Result r = run({"--lang", "en", "report", "--file", file, "--pdf", pdf});
        QVERIFY2(r.status == 0, r.err.constData());
        QVERIFY(contents(pdf).startsWith("%PDF"));
        QVERIFY(contents(log) != "<missing>");
        for (const QByteArray& name : {log, pdf, file})
            QVERIFY(::unlink(name.constData()) == 0);
    }
};

QTEST_GUILESS_MAIN(TestOutputs)
#include "tst_outputs.moc"
