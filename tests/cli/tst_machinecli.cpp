// kormakctl backup and restore of a whole bus, and the JSON output of its
// commands, against kormak-sim run as its own process: axes 0, 3 (another
// family) and A (at 9600 Baud); its --log shows what reached the wire.

#include "SimProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QJsonObject axisOf(const QJsonObject& root, const QString& address) {
    for (const QJsonValue& v : root.value("axes").toArray())
        if (v.toObject().value("address").toString() == address)
            return v.toObject();
    return {};
}

} // namespace

class TestMachineCli : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QTemporaryDir dir_;
    SimProcess sim_;
    QString port_;

    struct Result {
        int status = -1;
        QByteArray out;
        QString err;
    };

    Result run(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KORMAKCTL), QStringList{"--lang", "en", "--port", port_} + args);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return {p.exitCode(), p.readAllStandardOutput(),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    void startSimulator(const QStringList& extra = {}) {
        stopSimulator();
        const QString failure =
            sim_.start(QStringLiteral(KORMAK_SIM_EXE),
                       QStringList{"--axes", "0,3,A", "--rate", "A=9600", "--family", "3=TMW-2",
                                   "--log", "--slot", "0:00=PO400 GA100"} +
                           extra);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        port_ = sim_.port();
    }
    void stopSimulator() { sim_.stop(); }
    // The commands the simulator received since the last call, one a line
    // ("3 PF3000").
    QStringList wire() {
        QTest::qWait(200);
        return QString::fromLocal8Bit(sim_.freshLog()).split(u'\n', Qt::SkipEmptyParts);
    }
    // The commands that change an axis: everything but queries, reads and
    // the probe.
    static QStringList writes(const QStringList& wire) {
        QStringList list;
        for (const QString& line : wire) {
            const QString c = line.mid(2);
            if (!c.endsWith(u'?') && !c.startsWith(u"ER") && !c.startsWith(u"FR"))
                list << line;
        }
        return list;
    }
    QString folder(const QString& name) const { return dir_.filePath(name); }
    // A fresh backup of 0, 3, 5 (absent) and A into folder name.
    void backup(const QString& name) {
        const Result r = run({"backup", "--address", "0,3,5,A", folder(name)});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        wire();
    }
    QJsonObject manifest(const QString& name) {
        return QJsonDocument::fromJson(readAll(folder(name) + "/machine.json")).object();
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid() && dir_.isValid());
        startSimulator();
    }
    void cleanupTestCase() { stopSimulator(); }

    // Each answering axis is saved at its own rate, byte for byte as "save"
    // writes it; the absent one is listed; the manifest names each file with
    // its hash.
    void backupListsEveryAxis() {
        const Result r = run({"backup", "--address", "0,3,5,A", folder("machine")});
        QCOMPARE(r.status, 0);
        QCOMPARE(QString::fromLocal8Bit(r.out).split(u'\n', Qt::SkipEmptyParts),
                 QStringList({"0 28800 AXIS0.OPM TKV 3A/50V", "3 28800 AXIS3.OPM TMW-2", "5 absent",
                              "A 9600 AXISA.OPM TKV 3A/50V"}));
        const QJsonObject m = manifest("machine");
        QCOMPARE(m.value("port").toString(), port_);
        QVERIFY(QDateTime::fromString(m.value("created").toString(), Qt::ISODate).isValid());
        QCOMPARE(m.value("axes").toArray().size(), 4);
        QCOMPARE(axisOf(m, "5").value("present").toBool(true), false);
        QCOMPARE(axisOf(m, "A").value("rate").toInt(), 9600);
        QCOMPARE(axisOf(m, "3").value("deviceType").toString(), QStringLiteral("TMW-2"));
        for (const QString a : {"0", "3", "A"}) {
            const QJsonObject axis = axisOf(m, a);
            const QByteArray bytes =
                readAll(folder("machine") + "/" + axis.value("file").toString());
            QVERIFY(!bytes.isEmpty());
            QCOMPARE(axis.value("sha256").toString(),
                     QString::fromLatin1(
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
        }
        // The same bytes as a save of the panel.
        QCOMPARE(run({"save", "--address", "A", folder("A.OPM")}).status, 0);
        QCOMPARE(readAll(folder("machine/AXISA.OPM")), readAll(folder("A.OPM")));
        wire();
    }

    // A changed axis is put back: every axis equals its file afterwards.
    void restorePutsTheMachineBack() {
        backup("restore");
        QCOMPARE(run({"send", "--address", "3", "PF3333", "PO444"}).status, 0);
        QCOMPARE(run({"diff", "--address", "3", folder("restore/AXIS3.OPM")}).status, 1);
        wire();

        const Result r = run({"restore", folder("restore")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(
            QString::fromLocal8Bit(r.out).split(u'\n', Qt::SkipEmptyParts),
            QStringList({"0 restored AXIS0.OPM", "3 restored AXIS3.OPM", "A restored AXISA.OPM"}));
        const QStringList sent = wire();
        QVERIFY(sent.contains("3 PF2000"));
        QVERIFY(!sent.filter(QRegularExpression("^A P")).isEmpty()); // at 9600, too
        for (const QString a : {"0", "3", "A"})
            QCOMPARE(run({"diff", "--address", a, folder("restore/AXIS" + a + ".OPM")}).status, 0);
        QCOMPARE(run({"send", "--address", "0", "ER00"}).out, QByteArray("PO400 GA100\n"));
        wire();
    }

    // Nothing goes out, not even a probe, while the folder is not whole.
    void damagedFolderRefusedBeforeSending_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("said");
        QTest::newRow("changed hash") << "hash" << QStringList() << "AXIS3.OPM";
        QTest::newRow("changed file") << "file" << QStringList() << "AXIS3.OPM";
        QTest::newRow("missing file") << "missing" << QStringList() << "AXIS3.OPM";
        QTest::newRow("no manifest") << "manifest" << QStringList() << "machine.json";
        QTest::newRow("manifest not JSON") << "garbage" << QStringList() << "machine.json";
        QTest::newRow("manifest leaves the folder") << "escape" << QStringList() << "machine.json";
        QTest::newRow("an absent axis asked for")
            << "none" << QStringList{"--address", "0,5"} << "axis 5";
    }
    void damagedFolderRefusedBeforeSending() {
        QFETCH(QString, damage);
        QFETCH(QStringList, extra);
        QFETCH(QString, said);
        const QString name = "damaged-" + damage;
        backup(name);
        const QString path = folder(name);
        QByteArray json = readAll(path + "/machine.json");
        if (damage == "hash") {
            const QString sha = axisOf(manifest(name), "3").value("sha256").toString();
            json.replace(sha.toLatin1(), QByteArray(64, '0'));
            QVERIFY(writeAll(path + "/machine.json", json));
        } else if (damage == "file") {
            QVERIFY(writeAll(path + "/AXIS3.OPM", readAll(path + "/AXIS3.OPM") + "PF1\r\n"));
        } else if (damage == "missing") {
            QVERIFY(QFile::remove(path + "/AXIS3.OPM"));
        } else if (damage == "manifest") {
            QVERIFY(QFile::remove(path + "/machine.json"));
        } else if (damage == "garbage") {
            QVERIFY(writeAll(path + "/machine.json", json.left(json.size() / 2)));
        } else if (damage == "escape") {
            json.replace("\"AXIS3.OPM\"", "\"../restore/AXIS3.OPM\"");
            QVERIFY(writeAll(path + "/machine.json", json));
        }
        const Result r = run(QStringList{"restore", path} + extra);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        QCOMPARE(wire(), QStringList());
    }

    // The axis is asked who it is: another text of the same family is a
    // question, which only --yes answers; another family is refused unless
    // allowed. A refusal sends nothing that changes an axis.
    void identityChecked_data() {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::newRow("same family, not answered") << "TMW-1" << QStringList() << 1;
        QTest::newRow("same family, --json asks nothing") << "TMW-1" << QStringList{"--json"} << 1;
        QTest::newRow("same family, --yes") << "TMW-1" << QStringList{"--yes"} << 0;
        QTest::newRow("other family") << "RZH 8" << QStringList{"--yes"} << 1;
        QTest::newRow("other family allowed") << "RZH 8" << QStringList{"any"} << 0;
    }
    void identityChecked() {
        QFETCH(QString, recorded);
        QFETCH(QStringList, options);
        QFETCH(int, status);
        static int row = 0;
        const QString name = "identity-" + QString::number(++row);
        backup(name);
        const QString path = folder(name);
        QByteArray json = readAll(path + "/machine.json");
        json.replace("\"TMW-2\"", "\"" + recorded.toLatin1() + "\"");
        QVERIFY(writeAll(path + "/machine.json", json));
        QStringList args = options;
        args.removeAll("any");
        args << "restore" << path << "--address"
             << "3,0";
        if (options.contains("any"))
            args << "--any-family";
        const Result r = run(args);
        QCOMPARE(r.status, status);
        const QStringList changed = writes(wire());
        if (status == 0) {
            QVERIFY(changed.contains("3 WP"));
            QVERIFY(changed.contains("0 WP"));
        } else {
            QCOMPARE(changed, QStringList());
            QVERIFY2(r.err.contains("TMW-2") && r.err.contains(recorded), qPrintable(r.err));
        }
        if (options.contains("--json")) {
            const QJsonObject o = QJsonDocument::fromJson(r.out).object();
            QCOMPARE(o.value("ok").toBool(true), false);
            QCOMPARE(axisOf(o, "3").value("identity").toString(), QStringLiteral("same-family"));
        }
    }

    // A silent axis of the manifest is named; the others are put back.
    void silentAxisNamedOthersRestored() {
        backup("silent");
        QJsonObject m = manifest("silent");
        QJsonArray axes = m.value("axes").toArray();
        QJsonObject seven = axisOf(m, "0");
        seven.insert("address", "7");
        axes.append(seven);
        m.insert("axes", axes);
        QVERIFY(writeAll(folder("silent/machine.json"), QJsonDocument(m).toJson()));
        const Result r = run({"--json", "restore", folder("silent")});
        QCOMPARE(r.status, 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(axisOf(o, "7").value("identity").toString(), QStringLiteral("silent"));
        QCOMPARE(axisOf(o, "7").value("loaded").toBool(true), false);
        for (const QString a : {"0", "3", "A"})
            QCOMPARE(axisOf(o, a).value("verified").toBool(), true);
        QVERIFY2(r.err.contains("Axis 7"), qPrintable(r.err));
        wire();
    }

    // Every command's --json: one document on standard output, whatever the
    // axis did, with the exit status the command has without it. Each check
    // is "path=value", the path through objects and arrays ("axes/1/rate");
    // "*" as the last step looks through an array, "*" as the value takes
    // any text but the empty one.
    void jsonOutput_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("checks");
        QTest::newRow("ports") << QStringList{"ports"} << 0 << QStringList{"ports/*=%PORT%"};
        QTest::newRow("probe, answering at 9600")
            << QStringList{"probe", "--address", "A"} << 0
            << QStringList{"address=A", "answered=true", "rate=9600"};
        QTest::newRow("probe, silent") << QStringList{"probe", "--address", "5"} << 1
                                       << QStringList{"address=5", "answered=false", "rate="};
        QTest::newRow("status, answering") << QStringList{"status", "--address", "3"} << 0
                                           << QStringList{"address=3", "answered=true", "code=*"};
        QTest::newRow("status, silent") << QStringList{"status", "--address", "5"} << 1
                                        << QStringList{"answered=false", "code="};
        QTest::newRow("show") << QStringList{"show", "%DIR%/AXIS3.OPM"} << 0
                              << QStringList{"parameters/PF=2000", "parameters/PO=400",
                                             "ramps/0=5000", "selectedRamp=5000"};
        QTest::newRow("diff, equal")
            << QStringList{"diff", "--address", "3", "%DIR%/AXIS3.OPM"} << 0
            << QStringList{"equal=true", "readable=true", "parameters/4/code=PF",
                           "parameters/4/axis=2000", "plc/equal=true"};
        QTest::newRow("diff, another axis")
            << QStringList{"diff", "--address", "0", "%DIR%/AXIS3.OPM"} << 1
            << QStringList{"equal=false", "readable=true", "parameters/1/code=PA",
                           "parameters/1/differs=true"};
        QTest::newRow("diff, silent") << QStringList{"diff", "--address", "5", "%DIR%/AXIS3.OPM"}
                                      << 3 << QStringList{"address=5", "readable=false"};
        QTest::newRow("transfer --verify, answering and silent")
            << QStringList{"transfer", "--address",      "3,5", "--ramps", "yes",
                           "--verify", "%DIR%/AXIS3.OPM"}
            << 1 << QStringList{"ok=false",           "axes/0/address=3",
                                "axes/0/loaded=true", "axes/0/verified=true",
                                "axes/1/address=5",   "axes/1/loaded=false"};
        QTest::newRow("backup, answering and silent")
            << QStringList{"backup", "--address", "A,5", "%DIR%-2"} << 0
            << QStringList{"ok=true",          "axes/0/address=5", "axes/0/present=false",
                           "axes/1/address=A", "axes/1/rate=9600", "axes/1/file=AXISA.OPM"};
        QTest::newRow("restore") << QStringList{"restore", "%DIR%", "--address", "3"} << 0
                                 << QStringList{"ok=true", "axes/0/address=3",
                                                "axes/0/identity=same", "axes/0/verified=true"};
    }
    void jsonOutput() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QStringList, checks);
        static bool saved = false;
        if (!saved)
            backup("json");
        saved = true;
        for (QString& a : args)
            a.replace("%DIR%", folder("json"));
        const Result r = run(QStringList{"--json"} + args);
        QCOMPARE(r.status, status);
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(r.out, &error);
        QVERIFY2(document.isObject(), qPrintable(error.errorString() + ": " + r.out));
        QCOMPARE(r.out.count('\n'), 1);
        for (QString check : checks) {
            check.replace("%PORT%", port_);
            const QString path = check.section(u'=', 0, 0);
            const QString want = check.section(u'=', 1);
            QJsonValue v = document.object();
            for (const QString& step : path.split(u'/')) {
                if (step == "*" && v.isArray() && v.toArray().contains(want))
                    v = want;
                else
                    v = v.isArray() ? v.toArray().at(step.toInt()) : v.toObject().value(step);
            }
            const QString got = v.isBool()     ? (v.toBool() ? "true" : "false")
                                : v.isDouble() ? QString::number(v.toDouble())
                                               : v.toString();
            QVERIFY2(got == want || (want == "*" && !got.isEmpty()),
                     qPrintable(check + " got " + got + " in " + r.out));
        }
        wire();
    }

    // Faults of the line: an axis lost in the middle of its backup leaves no
    // file and no manifest; a restore that fails for one axis names it and
    // goes on with the others.
    void faults_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("backup: axis 3 lost in its PLC area")
            << "backup" << QStringList{"--no-reply-to", "3 ER80"}
            << QStringList{"0 28800 AXIS0.OPM TKV 3A/50V", "3 failed",
                           "A 9600 AXISA.OPM TKV 3A/50V"};
        QTest::newRow("backup: axis 3 lost at its first query")
            << "backup" << QStringList{"--no-reply-to", "3 IF?"}
            << QStringList{"0 28800 AXIS0.OPM TKV 3A/50V", "3 failed",
                           "A 9600 AXISA.OPM TKV 3A/50V"};
        QTest::newRow("restore: axis 3 refuses its release")
            << "restore" << QStringList{"--refuse-release", "3:1"}
            << QStringList{"0 restored AXIS0.OPM", "3 failed: not loaded", "A restored AXISA.OPM"};
        QTest::newRow("restore: axis 3 lost in its parameters")
            << "restore" << QStringList{"--no-reply-to", "3 PF"}
            << QStringList{"0 restored AXIS0.OPM", "3 failed: not loaded", "A restored AXISA.OPM"};
        QTest::newRow("restore: axis 3 does not keep a slot")
            << "restore" << QStringList{"--lose-slot", "3:00"}
            << QStringList{"0 restored AXIS0.OPM", "3 failed: differs: slot 00",
                           "A restored AXISA.OPM"};
    }
    void faults() {
        QFETCH(QString, operation);
        QFETCH(QStringList, fault);
        QFETCH(QStringList, lines);
        static int row = 0;
        const QString name = "fault-" + QString::number(++row);
        if (operation == "restore") {
            // A backup whose axis 3 has a slot to put back.
            startSimulator({"--slot", "3:00=GA500"});
            backup(name);
            startSimulator(fault + QStringList{"--slot", "3:00=GA500"});
        } else {
            startSimulator(fault);
        }
        const Result r =
            run(QStringList{operation, folder(name)} +
                (operation == "backup" ? QStringList{"--address", "0,3,A"} : QStringList()));
        QCOMPARE(r.status, 1);
        QCOMPARE(QString::fromLocal8Bit(r.out).split(u'\n', Qt::SkipEmptyParts), lines);
        QVERIFY2(r.err.contains("xis 3"), qPrintable(r.err));
        if (operation == "backup") {
            // Not even a temporary file of axis 3 is left.
            QCOMPARE(QDir(folder(name)).entryList(QDir::Files | QDir::Hidden),
                     QStringList({"AXIS0.OPM", "AXISA.OPM"}));
        }
        startSimulator();
    }
};

QTEST_MAIN(TestMachineCli)
#include "tst_machinecli.moc"
