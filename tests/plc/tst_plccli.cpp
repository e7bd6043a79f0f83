// kormakctl plc dump and plc load against a simulated bus on a pty.

#include "SimLine.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
    QByteArray outBytes; // standard output as written
};

Result kormakctl(const QString& port, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home;
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KORMAKCTL),
            QStringList{"--port", port, "--baud", "28800", "--yes", "--lang", "en"} + args);
    p.waitForFinished(60000);
    const QByteArray out = p.readAllStandardOutput();
    return {p.exitCode(), QString::fromUtf8(out), QString::fromUtf8(p.readAllStandardError()), out};
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// A slot text as the axis holds it: one byte a character.
QString slotBytes(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

} // namespace

class TestPlcCli : public QObject {
    Q_OBJECT

private slots:
    // What dump prints loads back unchanged into another axis.
    void dumpLoadsBackUnchanged() {
        SimLine line(QStringLiteral("01"));
        QVERIFY(line.start());
        line.host.withBus([](sim::SimBus& bus) {
            bus.axis(u'0').plcSlots[0] = QStringLiteral("PO400 PF2000 GA16000 PN3");
            bus.axis(u'0').plcSlots[0x1A] = QStringLiteral("PO5 PF5 GS- PN0");
            bus.axis(u'0').plcSlots[0xFF] = QStringLiteral("$&GA5");
            bus.axis(u'1').plcSlots[3] = QStringLiteral("old");
        });
        const Result first = kormakctl(line.port(), {"plc", "dump", "--address", "0"});
        QCOMPARE(first.code, 0);
        QCOMPARE(first.out, QStringLiteral("; PLC area of axis 0\n00 PO400 PF2000 GA16000 PN3\n"
                                           "1A PO5 PF5 GS- PN0\nFF $&GA5\n"));
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("area.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(first.out.toLatin1());
        f.close();
        const Result load = kormakctl(line.port(), {"plc", "load", "--address", "1", listing});
        QCOMPARE(load.code, 0);
        const Result again = kormakctl(line.port(), {"plc", "dump", "--address", "1"});
        QCOMPARE(again.out, QString(first.out).replace("axis 0", "axis 1"));
    }

    // A listing is UTF-8 both ways: what the source slot held as code page
    // 1252 bytes reaches the other axis as the same bytes, and its dump is
    // the same text again.
    void dumpLoadDumpKeepsEveryByte() {
        SimLine line(QStringLiteral("01"));
        QVERIFY(line.start());
        const QString held = slotBytes("text with \xFCmlaut, \x80 5 and \xB5s");
        line.host.withBus([&](sim::SimBus& bus) {
            bus.axis(u'0').plcSlots[0x21] = held;
            bus.axis(u'1').plcSlots[3] = QStringLiteral("old");
        });
        const Result first = kormakctl(line.port(), {"plc", "dump", "--address", "0"});
        QCOMPARE(first.code, 0);
        QCOMPARE(first.outBytes, QByteArray("; PLC area of axis 0\n"
                                            "21 text with \xC3\xBCmlaut, \xE2\x82\xAC 5 and "
                                            "\xC2\xB5s\n"));
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("area.txt"));
        QVERIFY(writeFile(listing, first.outBytes));
        QCOMPARE(kormakctl(line.port(), {"plc", "load", "--address", "1", listing}).code, 0);
        line.host.withBus(
            [&](sim::SimBus& bus) { QCOMPARE(bus.axis(u'1').plcSlots, bus.axis(u'0').plcSlots); });
        const Result again = kormakctl(line.port(), {"plc", "dump", "--address", "1"});
        QCOMPARE(again.outBytes, QByteArray(first.outBytes).replace("axis 0", "axis 1"));
    }

    // The dump of an empty area is a listing too: loading it erases.
    void emptyAreaDumpLoadsAsErase() {
        SimLine line(QStringLiteral("01"));
        QVERIFY(line.start());
        line.host.withBus(
            [](sim::SimBus& bus) { bus.axis(u'1').plcSlots[3] = QStringLiteral("old"); });
        const Result dump = kormakctl(line.port(), {"plc", "dump", "--address", "0"});
        QCOMPARE(dump.code, 0);
        QCOMPARE(dump.out, QStringLiteral("; PLC area of axis 0\n"));
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("empty-area.txt"));
        QVERIFY(writeFile(listing, dump.outBytes));
        const Result load = kormakctl(line.port(), {"plc", "load", "--address", "1", listing});
        QCOMPARE(load.code, 0);
        QVERIFY(line.log().contains(QStringLiteral("1 WE")));
        line.host.withBus(
            [](sim::SimBus& bus) { QCOMPARE(bus.axis(u'1').plcSlots[3], QString()); });
    }

    // What reaches a slot from the lines a file may hold.
    void loadsWhatTheFileHolds_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("comments and empty lines around a slot")
            << QByteArray("; my notes\n\n   \n05 PO5 PF5 GS+ PN0\r\n;\n") << 5
            << QByteArray("PO5 PF5 GS+ PN0");
        QTest::newRow("lower-case slot number")
            << QByteArray("1a PO5\n") << 0x1A << QByteArray("PO5");
        QTest::newRow("euro sign of a listing")
            << QByteArray("07 GA5 \xE2\x82\xAC\n") << 7 << QByteArray("GA5 \x80");
        QTest::newRow("byte order mark in front") << QByteArray("\xEF\xBB\xBF"
                                                                "02 PO5\n")
                                                  << 2 << QByteArray("PO5");
        QTest::newRow("parameter file lines stay code page 1252")
            << QByteArray("; [Param\xE8tres]\r\nPO400\r\nPA1.2\r\nEW09Gr\xFC\xDF\r\n") << 9
            << QByteArray("Gr\xFC\xDF");
        QTest::newRow("eight-slot line of a parameter file")
            << QByteArray("PD1\r\nWU6$&GA5\r\n") << 6 << QByteArray("$&GA5");
        QTest::newRow("longest text one frame carries")
            << QByteArray("00 ") + QByteArray(501, 'G') + "\n"
            << 0 << QByteArray(501, 'G');
    }
    void loadsWhatTheFileHolds() {
        QFETCH(QByteArray, file);
        QFETCH(int, slot);
        QFETCH(QByteArray, stored);
        SimLine line(QStringLiteral("0"));
        QVERIFY(line.start());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("area.txt"));
        QVERIFY(writeFile(path, file));
        const Result r = kormakctl(line.port(), {"plc", "load", "--address", "0", path});
        QCOMPARE(r.code, 0);
        line.host.withBus([&](sim::SimBus& bus) {
            QCOMPARE(bus.axis(u'0').plcSlots[slot].toLatin1(), stored);
            for (int i = 0; i < bus.axis(u'0').slotCount(); ++i)
                QVERIFY2(i == slot || bus.axis(u'0').plcSlots[i].isEmpty(),
                         qPrintable(QString::number(i)));
        });
    }

    // A file that is no listing, or that the wire cannot carry, is refused
    // before the port is even used: the axis keeps every program.
    void refusedFileSendsNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("prose") << QByteArray("Two lines of prose,\nnot a listing at all.\n")
                               << QStringList{"Line 1", "Two lines of prose"};
        QTest::newRow("empty file") << QByteArray() << QStringList{"no slot line"};
        QTest::newRow("comments only") << QByteArray("; notes\n;\n") << QStringList{"no slot line"};
        QTest::newRow("dump header of a bad address")
            << QByteArray("; PLC area of axis G\n") << QStringList{"no slot line"};
        QTest::newRow("parameter file without slot lines")
            << QByteArray("; [Parameter]\r\nPO400\r\nPF2000\r\n") << QStringList{"no slot line"};
        QTest::newRow("letter in the slot number")
            << QByteArray("00 PO5 PF5 GS+ PN0\n0G x\n") << QStringList{"Line 2", "0G x"};
        QTest::newRow("no hexadecimal slot number")
            << QByteArray("zz x\n") << QStringList{"Line 1"};
        QTest::newRow("one-digit slot number")
            << QByteArray("01 PO5\n\n5 PO400 PF2000 PN0\n") << QStringList{"Line 3"};
        QTest::newRow("slot number without text") << QByteArray("01\n") << QStringList{"Line 1"};
        QTest::newRow("slot line of a parameter file without its number")
            << QByteArray("EWxyPO5\r\n") << QStringList{"Line 1", "EWxyPO5"};
        QTest::newRow("slot named twice")
            << QByteArray("01 PO5\n02 PO6\n01 PO7\n") << QStringList{"Line 3", "slot 01", "line 1"};
        QTest::newRow("slot named twice in both forms")
            << QByteArray("1F PO5\r\nEW1FPO6\r\n") << QStringList{"Line 2", "slot 1F", "line 1"};
        QTest::newRow("text one frame cannot carry")
            << QByteArray("00 PO400 PF2000 GA") + QByteArray(600, '1') + " PN0\n"
            << QStringList{"Line 1", "slot 00", "619 characters", "at most 501"};
        QTest::newRow("text one character too long")
            << QByteArray("00 ok\n") + "3C " + QByteArray(502, 'G') + "\n"
            << QStringList{"Line 2", "slot 3C", "502 characters"};
        QTest::newRow("character the wire cannot carry")
            << QByteArray("01 PO5\n02 GA5 \xCE\xA9\n") << QStringList{"Line 2", "U+03A9"};
        QTest::newRow("listing in code page 1252")
            << QByteArray("01 text with \xFCmlaut\n") << QStringList{"Line 1", "UTF-8", "0xFC"};
        QTest::newRow("control character")
            << QByteArray("01 PO5\tPF5\n") << QStringList{"Line 1", "<TAB>"};
    }
    void refusedFileSendsNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, told);
        SimLine line(QStringLiteral("0"));
        QVERIFY(line.start());
        line.host.withBus(
            [](sim::SimBus& bus) { bus.axis(u'0').plcSlots[1] = QStringLiteral("kept"); });
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("area.txt"));
        QVERIFY(writeFile(path, file));
        const Result r = kormakctl(line.port(), {"plc", "load", "--address", "0", path});
        QCOMPARE(r.code, 2);
        for (const QString& t : told)
            QVERIFY2(r.err.contains(t), qPrintable(r.err));
        QCOMPARE(line.log(), QStringList());
        line.host.withBus(
            [](sim::SimBus& bus) { QCOMPARE(bus.axis(u'0').plcSlots[1], QStringLiteral("kept")); });
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
        SimLine line(QStringLiteral("01"));
        QVERIFY(line.start());
        line.host.withBus([&](sim::SimBus& bus) {
            for (QChar a : {u'0', u'1'})
                bus.axis(a).setFamily(family);
            for (int i = 0; i < steps.size(); ++i)
                bus.axis(u'0').plcSlots[i * 13] = steps.at(i);
            bus.axis(u'0').plcSlots[1] = QStringLiteral("PO400 PF2000 GA100 PN0");
        });
        const Result dump = kormakctl(line.port(), {"plc", "dump", "--address", "0"});
        QCOMPARE(dump.code, 0);
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("sequence.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(dump.out.toLatin1());
        f.close();
        QCOMPARE(kormakctl(line.port(), {"plc", "load", "--address", "1", listing}).code, 0);
        line.host.withBus([&](sim::SimBus& bus) {
            QCOMPARE(bus.axis(u'1').plcSlots, bus.axis(u'0').plcSlots);
            QCOMPARE(bus.axis(u'1').plcSlots[5 * 13], QStringLiteral("$&N1F"));
        });
    }

    // The slot lines of a parameter file load as they stand.
    void loadsParameterFileLines() {
        SimLine line(QStringLiteral("0"));
        QVERIFY(line.start());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("AXIS.OPM"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; [Parameter]\r\nPO400\r\n; [SPS-Sequenzen]\r\nEW02PO5 PF5 GS+ PN0\r\n"
                "EW03$&GA5\r\n");
        f.close();
        QCOMPARE(kormakctl(line.port(), {"plc", "load", "--address", "0", file}).code, 0);
        line.host.withBus([](sim::SimBus& bus) {
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
        SimLine line(QStringLiteral("0"));
        QVERIFY(line.start());
        line.host.withBus([](sim::SimBus& bus) { bus.axis(u'0').unstoredSlots.insert(5); });
        QTemporaryDir dir;
        const QString listing = dir.filePath(QStringLiteral("area.txt"));
        QFile f(listing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("01 PO5 PF5 GS+ PN0\n05 PO5 PF5 GS- PN0\n");
        f.close();
        QStringList args{"--lang", "en", "plc", "load", "--address", "0", listing};
        if (verify)
            args << "--verify";
        const Result r = kormakctl(line.port(), args);
        QCOMPARE(r.code, code);
        QCOMPARE(r.err.contains(QStringLiteral("Slot 05 does not hold the text sent.")), verify);
        QCOMPARE(line.log().contains(QStringLiteral("0 ER01")), verify);
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
        SimLine line(QStringLiteral("0"));
        QVERIFY(line.start());
        line.host.withBus([&](sim::SimBus& bus) {
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
        const Result r = kormakctl(line.port(), {"plc", "load", "--address", "0", listing});
        QCOMPARE(r.code, code);
        QVERIFY(!r.err.isEmpty());
        for (const QString& c : line.log())
            QVERIFY2(!c.mid(2).startsWith(QLatin1String("EW")) &&
                         !c.mid(2).startsWith(QLatin1String("WU")) && c.mid(2) != "WE",
                     qPrintable(c));
        line.host.withBus(
            [](sim::SimBus& bus) { QCOMPARE(bus.axis(u'0').plcSlots[1], QStringLiteral("kept")); });
    }
};

QTEST_GUILESS_MAIN(TestPlcCli)
#include "tst_plccli.moc"
