// kormakctl transfer and diff against kormak-sim run as its own process, its
// faults set by its switches.

#include "SimProcess.h"
#include "TransferRig.h"
#include "base/Windows1252.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList PlcLines{"EW00PO400 GA16000", "EW05GA100"};
// Two ramps: kormakctl waits for real after storing each one.
const QString ShortTable = QStringLiteral("0064012C") + QStringLiteral("FFFF").repeated(14);

} // namespace

class TransferCliTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    SimProcess sim_;
    QString port_;
    Referee referee_;

    struct Result {
        int status = -1;
        QString out;
        QString err;
    };

    bool startSim(const QStringList& switches) {
        const QString failure = sim_.start(QStringLiteral(KORMAK_SIM_EXE),
                                           QStringList{"--axes", "0,3,5", "--log"} + switches);
        if (!failure.isEmpty())
            qWarning("%s", qPrintable(failure));
        port_ = sim_.port();
        return failure.isEmpty();
    }
    // The commands the simulator has logged since the last look.
    QStringList simLog() {
        QTest::qWait(50);
        const QByteArray fresh = sim_.freshLog();
        return QString::fromLocal8Bit(fresh).split(u'\n', Qt::SkipEmptyParts);
    }
    Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORMAKCTL),
                QStringList{"--lang", "de", "--port", port_, "--baud", "28800"} + args);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QString writeFile(const QString& name, const QStringList& lines) {
        const QString path = home_.filePath(name);
        QFile f(path);
        const QByteArray bytes = toWindows1252(lines.join(QString()));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(home_.isValid()); }
    void cleanup() {
        sim_.stop();
        sim_.judge(referee_, __FILE__, __LINE__);
        referee_.clearExpected();
    }

    // Loaded and read back: every item equals the file, and diff agrees.
    void transferThenVerifyEqualsFile() {
        QVERIFY(startSim({}));
        const QString file = writeFile("A.OPM", fileLines(GermanMarker, ShortTable, PlcLines));
        Result r = run({"transfer", "--address", "3,5", file, "--ramps", "yes", "--verify"});
        QVERIFY2(r.status == 0, qPrintable(r.out + r.err));
        QVERIFY2(r.err.contains(QStringLiteral("Achse(n) 3, 5 erfolgreich geladen.")),
                 qPrintable(r.err));
        for (const char* axis : {"3", "5"}) {
            r = run({"diff", "--address", axis, file});
            QVERIFY2(r.status == 0, qPrintable(r.out + r.err));
            QVERIFY(!r.out.contains(u'*'));
        }
    }

    // A slot write acknowledged but never stored: the transfer cannot see
    // it, the read-back can, and names that slot alone.
    void verifyNamesSlotThatWasNotStored() {
        QVERIFY(startSim({"--lose-slot", "3:05"}));
        const QString file =
            writeFile("A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        const Result r = run({"transfer", "--address", "3", file, "--ramps", "no", "--verify"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral("3 slot 05\n"));
    }

    void verifyNamesEveryDifference() {
        QVERIFY(startSim({"--lose-slot", "0:00", "--lose-slot", "0:05"}));
        const QString file =
            writeFile("A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        const Result r = run({"transfer", "--address", "0,3", file, "--ramps", "no", "--verify"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral("0 slot 00\n0 slot 05\n"));
    }

    // Without a terminal nobody can answer the ramps question: refused
    // after the tables were read and before the first write; with equal
    // tables there is no question to answer.
    void askWithoutTerminal_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("status");
        QTest::newRow("ramps differ: refused") << FileTable << 2;
        QTest::newRow("ramps equal: loaded") << DefaultRampValueList << 0;
    }
    void askWithoutTerminal() {
        QFETCH(QString, table);
        QFETCH(int, status);
        QVERIFY(startSim({}));
        const QString file = writeFile("A.OPM", fileLines(GermanMarker, table, PlcLines));
        simLog();
        const Result r = run({"transfer", "--address", "0", file});
        QCOMPARE(r.status, status);
        const QStringList log = simLog();
        if (status == 2) {
            QVERIFY2(r.err.contains(u"terminal"), qPrintable(r.err));
            QVERIFY2(r.err.contains(u"Achse 0:"), qPrintable(r.err));
            QCOMPARE(log, (QStringList{"0 IC?", "0 DO?", "0 FR0050", "0 FR0060"}));
        } else {
            QVERIFY(log.contains(QStringLiteral("0 WP")));
        }
    }

    // A boost current a TMW-2 axis cannot take: named, and that axis alone
    // is not loaded. Without --any-family the other family is refused
    // before anything is written.
    void otherFamilyAndRefusedValue_data() {
        QTest::addColumn<bool>("anyFamily");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused before the first write")
            << false << "Achse(n) einer anderen Familie: 5 (TMW)";
        QTest::newRow("loaded anyway, PA refused")
            << true << "Achse 5 hat Booststrom (PA) 2.0 abgelehnt: Parameterwert unzulässig";
    }
    void otherFamilyAndRefusedValue() {
        QFETCH(bool, anyFamily);
        QFETCH(QString, message);
        QVERIFY(startSim({"--family", "5=TMW-2"}));
        referee_.expect(QStringLiteral("5 PA"));
        QStringList params{"PD0", "PA2.0", "PR0.8", "PS0.3", "PF5000", "PG200000", "PH3",
                           "PL1", "PM10",  "PN2",   "PO500", "PP20",   "PT50",     "PW7"};
        const QString file =
            writeFile("A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines, params));
        simLog();
        QStringList args{"transfer", "--address", "3,5", file, "--ramps", "no"};
        if (anyFamily)
            args << "--any-family";
        const Result r = run(args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        const QStringList log = simLog();
        if (anyFamily) {
            QVERIFY(r.err.contains(QStringLiteral("Achse(n) 3 erfolgreich geladen.")));
            QVERIFY(log.contains(QStringLiteral("5 PA2.0")));
            QVERIFY(log.contains(QStringLiteral("5 WP")));
        } else {
            for (const QString& line : log)
                QVERIFY2(QStringList({"IC?", "DO?", "FR0050", "FR0060"}).contains(line.mid(2)),
                         qPrintable(line));
        }
    }

    // A file cut short, or with a table line cut in a group: refused, and
    // nothing reaches the wire.
    void damagedFileSendsNothing_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("cut after PG80")
            << QStringList{"; [TKV]\r\n", "PD0\r\n",    "PA1.2\r\n", "PR0.8\r\n",
                           "PS0.3\r\n",   "PF5000\r\n", "PG80\r\n"};
        QTest::newRow("table line cut")
            << fileLines(GermanMarker, QStringLiteral("0064012C01F"), PlcLines);
    }
    void damagedFileSendsNothing() {
        QFETCH(QStringList, lines);
        QVERIFY(startSim({}));
        const QString file = writeFile("A.OPM", lines);
        simLog();
        const Result r = run({"transfer", "--address", "0,3", file, "--ramps", "yes"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(u"beschädigt"), qPrintable(r.err));
        QCOMPARE(simLog(), QStringList());
    }

    // Axes at 28800 and 9600 Baud: each is read back at its own rate.
    void verifyAtEachAxisRate() {
        QVERIFY(startSim({"--rate", "5=9600"}));
        const QString file =
            writeFile("A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        const Result r = run({"transfer", "--address", "3,5", file, "--ramps", "no", "--verify"});
        QVERIFY2(r.status == 0, qPrintable(r.out + r.err));
        QCOMPARE(r.out, QString());
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no address") << QStringList{"transfer", "F.OPM", "--ramps", "no"};
        QTest::newRow("bad address") << QStringList{"transfer", "--address", "0,G", "F.OPM"};
        QTest::newRow("empty entry") << QStringList{"transfer", "--address", "0,", "F.OPM"};
        QTest::newRow("bad ramps")
            << QStringList{"transfer", "--address", "0", "F.OPM", "--ramps", "maybe"};
        QTest::newRow("no file") << QStringList{"transfer", "--address", "0", "--ramps", "no"};
        QTest::newRow("diff without address") << QStringList{"diff", "F.OPM"};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QVERIFY(startSim({}));
        simLog();
        QCOMPARE(run(args).status, 2);
        QCOMPARE(simLog(), QStringList());
    }

    // Only every listed axis loaded is a success.
    void faultsFailTheTransfer_data() {
        QTest::addColumn<QStringList>("switches");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("no reply to PF of axis 0")
            << QStringList{"--no-reply-to", "0 PF"} << DefaultRampValueList
            << "Achse(n) 3 erfolgreich geladen.";
        QTest::newRow("release before the ramps refused at axis 0")
            << QStringList{"--refuse-release", "0:1"} << FileTable
            << "Achse(n) konnten nicht geladen werden!";
        QTest::newRow("release before WP refused at axis 3")
            << QStringList{"--refuse-release", "3:4"} << DefaultRampValueList
            << "Achse(n) 0 erfolgreich geladen.";
    }
    void faultsFailTheTransfer() {
        QFETCH(QStringList, switches);
        QFETCH(QString, table);
        QFETCH(QString, message);
        QVERIFY(startSim(switches));
        const QString file = writeFile("A.OPM", fileLines(GermanMarker, table, PlcLines));
        const Result r = run({"transfer", "--address", "0,3", file, "--ramps", "yes"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    // An axis against its own saved file is equal; one parameter changed on
    // the axis is named, and nothing else.
    void diffOfSavedFileNamesTheChangedParameter() {
        QVERIFY(startSim({}));
        const QString file = home_.filePath("SAVED.OPM");
        Result r = run({"save", "--address", "0", file});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        r = run({"diff", "--address", "0", file});
        QVERIFY2(r.status == 0, qPrintable(r.out + r.err));
        QCOMPARE(r.out.count(u'*'), 0);
        QVERIFY(r.out.contains(QStringLiteral("table equal\n")));
        QVERIFY(r.out.contains(QStringLiteral("plc equal\n")));

        QCOMPARE(run({"send", "--address", "0", "PW12"}).status, 0);
        r = run({"diff", "--address", "0", file});
        QCOMPARE(r.status, 1);
        QStringList marked;
        for (const QString& line : r.out.split(u'\n'))
            if (line.endsWith(u'*'))
                marked << line;
        QCOMPARE(marked, QStringList{"PW 0 12 *"});
    }

    void diffOfAnAxisThatDoesNotAnswer() {
        QVERIFY(startSim({}));
        const QString file =
            writeFile("A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        QCOMPARE(run({"diff", "--address", "6", file}).status, 3);
    }

    // A file that cannot be read cannot be compared, and says so apart from
    // "differs" (1).
    void diffOfAFileThatCannotBeRead() {
        QVERIFY(startSim({}));
        QCOMPARE(
            run({"diff", "--address", "0", home_.filePath(QStringLiteral("MISSING.OPM"))}).status,
            3);
    }

    void diffNamesSlotsAndTable() {
        QVERIFY(startSim({"--slot", "0:07=GA1"}));
        const QString file = writeFile("A.OPM", fileLines(GermanMarker, FileTable, PlcLines));
        const Result r = run({"diff", "--address", "0", file});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.out.contains(QStringLiteral("plc differs: 00, 05, 07 *")), qPrintable(r.out));
        // The contents side by side, file first; "" where a side is empty.
        for (const char* line :
             {"slot 00 file \"PO400 GA16000\" axis \"\"", "slot 05 file \"GA100\" axis \"\"",
              "slot 07 file \"\" axis \"GA1\""})
            QVERIFY2(r.out.contains(QLatin1String(line)), qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("table file ") + FileTable), qPrintable(r.out));
    }
};

QTEST_MAIN(TransferCliTest)
#include "tst_transfercli.moc"
