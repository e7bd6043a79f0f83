#include "Referee.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

// kormakctl save and show, run as a user runs them.
class TestFileCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    qint64 simLogSeen_ = 0;
    QString simLog() const { return dir_.filePath(QStringLiteral("sim.log")); }

    struct Run {
        int exitCode = -1;
        QStringList out;
        QByteArray err;
    };
    Run run(const QStringList& args) { return runProgram(QStringLiteral(KORMAKCTL), args); }
    Run runProgram(const QString& program, const QStringList& args) {
        QProcess p;
        p.setProgram(program);
        p.setArguments(args);
        p.start();
        Run r;
        if (!p.waitForFinished(60000))
            return r;
        r.exitCode = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
        if (!r.out.isEmpty() && r.out.last().isEmpty())
            r.out.removeLast();
        r.err = p.readAllStandardError();
        return r;
    }

    // Runs kormakctl with args and then fileName, whose bytes need not be
    // valid UTF-8: QProcess would re-encode them, so a shell's printf makes
    // the word.
    Run runWithFileName(const QStringList& args, const QByteArray& fileName) {
        QString script = QStringLiteral("exec \"$0\" \"$@\" \"$(printf '");
        for (const char c : fileName)
            script += QStringLiteral("\\%1").arg(uint(uchar(c)), 3, 8, QLatin1Char('0'));
        script += QStringLiteral("')\"");
        return runProgram(QStringLiteral("/bin/sh"),
                          QStringList{QStringLiteral("-c"), script, QStringLiteral(KORMAKCTL)} +
                              args);
    }

    static bool existsByBytes(const QByteArray& name, QByteArray* contents = nullptr) {
        std::FILE* f = std::fopen(name.constData(), "rb");
        if (!f)
            return false;
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            if (contents)
                contents->append(buffer, qsizetype(n));
        std::fclose(f);
        return true;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // kormakctl's own simulator logs here, for the referee.
        qputenv("KORMAK_SIM_LOG", QFile::encodeName(simLog()));
    }
    void cleanup() { Referee().judge(refusalsInLog(simLog(), &simLogSeen_), __FILE__, __LINE__); }

    // A name with a Latin-1 "é" (byte 0xE9 alone) is no UTF-8 text; Qt turns
    // it into "caf\uFFFD.OPM", a different file. kormakctl keeps the bytes.
    void fileNamesAreKeptByteForByte() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray name = QFile::encodeName(dir.path()) + "/caf\xE9.OPM";
        // QTemporaryDir cannot remove a name it cannot read as text.
        const auto removeFile = qScopeGuard([&] { std::remove(name.constData()); });

        const Run saved = runWithFileName(
            {"--port", "sim", "--baud", "28800", "--lang", "en", "save", "--address", "3"}, name);
        QCOMPARE(saved.exitCode, 0);
        QByteArray bytes;
        QVERIFY(existsByBytes(name, &bytes));
        QVERIFY(bytes.startsWith("; Veltrax parameter file from "));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("caf\uFFFD.OPM"))));
        QVERIFY(!existsByBytes(name + ".kormakctl-new"));

        const Run shown = runWithFileName({"show"}, name);
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(shown.out.contains(QStringLiteral("TYPE TKV")));

        // Another name that Qt would read as the same text: not found, even
        // though the file above is there.
        const Run other = runWithFileName({"show"}, QFile::encodeName(dir.path()) + "/caf\xE8.OPM");
        QCOMPARE(other.exitCode, 1);
        QVERIFY(other.out.isEmpty());
        QVERIFY(other.err.contains("/caf\xE8.OPM"));
    }

    // A file Qt would mistake for the one named: "caf\uFFFD.OPM" beside a
    // requested "caf\xE9.OPM" that does not exist.
    void showDoesNotReadALookAlike() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile lookAlike(dir.filePath(QStringLiteral("caf\uFFFD.OPM")));
        QVERIFY(lookAlike.open(QIODevice::WriteOnly));
        lookAlike.write("PF 8000\r\n");
        lookAlike.close();
        const Run r = runWithFileName({"show"}, QFile::encodeName(dir.path()) + "/caf\xE9.OPM");
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.isEmpty());
    }

    void showPrintsWhatThePanelTakes() {
        const Run r = run(
            {QStringLiteral("show"), QStringLiteral(KORMAK_FILES_FIXTURES "/opened_input.OPM")});
        QCOMPARE(r.exitCode, 0);
        const QStringList expected{
            "PD 1",       "PA 1.2",     "PR 0.8",       "PS 0.3",    "PF 8000",    "PG 250000",
            "PL 1",       "PM 40",      "PN 4",         "PO 800",    "PP -25",     "PT 75",
            "PW 16",      "TYPE TMW",   "RAMP 2000",    "RAMP 5000", "RAMP 10000", "RAMP 15000",
            "RAMP 30000", "RAMP 50000", "RAMPSEL 30000"};
        QCOMPARE(r.out, expected);
    }

    void showOfAFileWithoutValues() {
        const QString file = dir_.filePath(QStringLiteral("EMPTY.OPM"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const Run r = run({QStringLiteral("show"), file});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, (QStringList{"PD", "PA", "PR", "PS", "PF", "PG", "PL", "PM", "PN", "PO",
                                     "PP", "PT", "PW", "TYPE", "RAMPSEL"}));
    }

    void showOfAMissingFile() {
        const Run r = run({QStringLiteral("show"), dir_.filePath(QStringLiteral("none.OPM"))});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }

    void saveThenShow() {
        const QString file = dir_.filePath(QStringLiteral("AXIS3.OPM"));
        const Run saved =
            run({QStringLiteral("--port"), QStringLiteral("sim"), QStringLiteral("--baud"),
                 QStringLiteral("28800"), QStringLiteral("--lang"), QStringLiteral("en"),
                 QStringLiteral("save"), QStringLiteral("--address"), QStringLiteral("3"), file});
        QCOMPARE(saved.exitCode, 0);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("; Veltrax parameter file from "));
        QVERIFY(bytes.contains("\r\n; [TKV]\r\n;\r\n; Q"));
        QVERIFY(bytes.endsWith("; [PLC sequences]\r\n;\r\n"));

        const Run shown = run({QStringLiteral("show"), file});
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(shown.out.contains(QStringLiteral("TYPE TKV")));
        QVERIFY(shown.out.contains(QStringLiteral("PF 2000")));
        QCOMPARE(shown.out.count(QStringLiteral("RAMP 5000")), 1);
        QCOMPARE(shown.out.last(), QStringLiteral("RAMPSEL 5000"));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("save without address") << QStringList{"save", "x.OPM"};
        QTest::newRow("save with a bad address") << QStringList{"save", "--address", "G", "x.OPM"};
        QTest::newRow("save without file") << QStringList{"save", "--address", "0"};
        QTest::newRow("show without file") << QStringList{"show"};
        QTest::newRow("show with two files") << QStringList{"show", "a", "b"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QCOMPARE(run(args).exitCode, 2);
    }

    // show prints what can be read of a damaged file and names its first
    // bad line; a whole file has no such line.
    void showSaysAFileIsDamaged_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("damaged");
        const QByteArray head = "; [TKV]\r\nPD0\r\nPA1.2\r\nPR0.8\r\nPS0.3\r\nPF5000\r\nPG80\r\n";
        const QByteArray tail = "PM10\r\nPN2\r\nPO500\r\nPP20\r\nPT50\r\nPW7\r\n";
        QTest::newRow("whole") << head + tail << QString();
        QTest::newRow("cut short after PG80") << head << "DAMAGED \"PM\" is missing";
        QTest::newRow("empty value") << head + "PM\r\n" + tail.mid(6) << "DAMAGED line 8: \"PM\"";
    }
    void showSaysAFileIsDamaged() {
        QFETCH(QByteArray, content);
        QFETCH(QString, damaged);
        const QString path = dir_.filePath(QStringLiteral("D.OPM"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(content), content.size());
        f.close();
        const Run r = run({"--lang", "en", "show", path});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QStringLiteral("PG 80")));
        if (damaged.isEmpty()) {
            for (const QString& line : r.out)
                QVERIFY2(!line.startsWith(QLatin1String("DAMAGED")), qPrintable(line));
        } else {
            QCOMPARE(r.out.last(), damaged);
            QVERIFY2(r.err.contains("The file is damaged"), r.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
