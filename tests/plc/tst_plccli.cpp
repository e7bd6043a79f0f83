// kormakctl plc dump and plc load against a simulated bus on a pty.

#include "sim/SimHost.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result kormakctl(const QString& port, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home;
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KORMAKCTL),
            QStringList{"--port", port, "--baud", "28800", "--yes"} + args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class TestPlcCli : public QObject {
    Q_OBJECT

private slots:
    // What dump prints loads back unchanged into another axis.
    void dumpLoadsBackUnchanged() {
        sim::SimHost host(QStringLiteral("01"));
        QVERIFY(host.start());
        host.withBus([](sim::SimBus& bus) {
            bus.axis(u'0').plcSlots[0] = QStringLiteral("PO400 PF2000 GA16000 PN3");
            bus.axis(u'0').plcSlots[0x1A] = QStringLiteral("PO5 PF5 GS- PN0");
            bus.axis(u'0').plcSlots[0xFF] = QStringLiteral("$&GA5");
            bus.axis(u'1').plcSlots[3] = QStringLiteral("old");
        });
        const Result first = kormakctl(host.slavePath(), {"plc", "dump", "--address", "0"});
        QCOMPARE(first.code, 0);
        QCOMPARE(first.out, QStringLiteral("00 PO400 PF2000 GA16000 PN3\n1A PO5 PF5 GS- PN0\n"
                                           "FF $&GA5\n"));
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("area.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(first.out.toLatin1());
        f.close();
        const Result load = kormakctl(host.slavePath(), {"plc", "load", "--address", "1", listing});
        QCOMPARE(load.code, 0);
        const Result again = kormakctl(host.slavePath(), {"plc", "dump", "--address", "1"});
        QCOMPARE(again.out, first.out);
    }

    // A whole extended sequence, every kind of step, goes through dump and
    // load byte for byte, on both current families.
    void extendedStepsTravelUnchanged_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("currents");
        QTest::newRow("amperes") << "TKV 3A/50V" << QStringList{"$&PS1.2", "$&PR6.3", "$&PA0.0"};
        QTest::newRow("levels") << "SMC 2A" << QStringList{"$&PS7", "$&PRF", "$&PA0"};
    }
    void extendedStepsTravelUnchanged() {
        QFETCH(QString, family);
        QFETCH(QStringList, currents);
        const QStringList steps =
            QStringList{"$&GI+",  "$&GI-",    "$&GA16000", "$&GR-3200", "$&T500", "$&N1F",
                        "$&PT20", "$&PC-200", "$&PO50",    "$&PF2000",  "$&PNA",  "$&CA",
                        "$&CI",   "$&CO",     "$&CR",      "$&CS"} +
            currents;
        sim::SimHost host(QStringLiteral("01"));
        QVERIFY(host.start());
        host.withBus([&](sim::SimBus& bus) {
            for (QChar a : {u'0', u'1'})
                bus.axis(a).setFamily(family);
            for (int i = 0; i < steps.size(); ++i)
                bus.axis(u'0').plcSlots[i * 13] = steps.at(i);
            bus.axis(u'0').plcSlots[1] = QStringLiteral("PO400 PF2000 GA100 PN0");
        });
        const Result dump = kormakctl(host.slavePath(), {"plc", "dump", "--address", "0"});
        QCOMPARE(dump.code, 0);
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("sequence.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(dump.out.toLatin1());
        f.close();
        QCOMPARE(kormakctl(host.slavePath(), {"plc", "load", "--address", "1", listing}).code, 0);
        host.withBus([&](sim::SimBus& bus) {
            QCOMPARE(bus.axis(u'1').plcSlots, bus.axis(u'0').plcSlots);
            QCOMPARE(bus.axis(u'1').plcSlots[5 * 13], QStringLiteral("$&N1F"));
        });
    }

    // The slot lines of a parameter file load as they stand.
    void loadsParameterFileLines() {
        sim::SimHost host(QStringLiteral("0"));
        QVERIFY(host.start());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("AXIS.OPM"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; [Parameter]\r\nPO400\r\n; [SPS-Sequenzen]\r\nEW02PO5 PF5 GS+ PN0\r\n"
                "EW03$&GA5\r\n");
        f.close();
        QCOMPARE(kormakctl(host.slavePath(), {"plc", "load", "--address", "0", file}).code, 0);
        host.withBus([](sim::SimBus& bus) {
            QCOMPARE(bus.axis(u'0').plcSlots[2], QStringLiteral("PO5 PF5 GS+ PN0"));
            QCOMPARE(bus.axis(u'0').plcSlots[3], QStringLiteral("$&GA5"));
        });
    }

    // --verify reads each written slot back: one acknowledged but not
    // stored fails the load and is named; without --verify the load cannot
    // see it.
    void verifyNamesASlotNotStored_data() {
        QTest::addColumn<bool>("verify");
        QTest::addColumn<int>("code");
        QTest::newRow("with --verify") << true << 1;
        QTest::newRow("without") << false << 0;
    }
    void verifyNamesASlotNotStored() {
        QFETCH(bool, verify);
        QFETCH(int, code);
        sim::SimHost host(QStringLiteral("0"));
        QVERIFY(host.start());
        host.withBus([](sim::SimBus& bus) { bus.axis(u'0').unstoredSlots.insert(5); });
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("area.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("01 PO5 PF5 GS+ PN0\n05 PO5 PF5 GS- PN0\n");
        f.close();
        QStringList args{"--lang", "en", "plc", "load", "--address", "0", listing};
        if (verify)
            args << "--verify";
        const Result r = kormakctl(host.slavePath(), args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.err.contains(QStringLiteral("Slot 05 does not hold the text sent.")), verify);
        QCOMPARE(host.log().contains(QStringLiteral("0 ER01")), verify);
    }

    // Failures of load: the exit code and what reached the axis.
    void loadFailures_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("code");
        QTest::newRow("slot beyond eight") << "RZH 2A" << false << 2;
        QTest::newRow("refused release") << "TKV 3A/50V" << true << 1;
    }
    void loadFailures() {
        QFETCH(QString, family);
        QFETCH(bool, refuse);
        QFETCH(int, code);
        sim::SimHost host(QStringLiteral("0"));
        QVERIFY(host.start());
        host.withBus([&](sim::SimBus& bus) {
            bus.axis(u'0').setFamily(family);
            bus.axis(u'0').plc.refuseReleaseAlways = refuse;
            bus.axis(u'0').plcSlots[1] = QStringLiteral("kept");
        });
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("area.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("01 PO5 PF5 GS+ PN0\n09 PO5 PF5 GS- PN0\n");
        f.close();
        const Result r = kormakctl(host.slavePath(), {"plc", "load", "--address", "0", listing});
        QCOMPARE(r.code, code);
        QVERIFY(!r.err.isEmpty());
        for (const QString& c : host.log())
            QVERIFY2(!c.mid(2).startsWith(QLatin1String("EW")) &&
                         !c.mid(2).startsWith(QLatin1String("WU")) && c.mid(2) != "WE",
                     qPrintable(c));
        host.withBus(
            [](sim::SimBus& bus) { QCOMPARE(bus.axis(u'0').plcSlots[1], QStringLiteral("kept")); });
    }
};

QTEST_GUILESS_MAIN(TestPlcCli)
#include "tst_plccli.moc"
