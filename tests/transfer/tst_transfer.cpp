#include "TransferRig.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "files/AxisComparison.h"
#include "files/Transfer.h"
#include "sim/SimStatus.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QStringList PlcLines{"EW00PO400 GA16000", "EW05GA100"};

const QStringList Parameters{"PD0", "PA1.2", "PR0.8", "PS0.3", "PF5000", "PG200000", "PH3",
                             "PL1", "PM10",  "PN2",   "PO500", "PP20",   "PT50",     "PW7"};

quint16 bits(const QString& addresses) {
    quint16 mask = 0;
    for (QChar c : addresses)
        mask |= quint16(1u << QStringLiteral("0123456789ABCDEF").indexOf(c));
    return mask;
}

// What an axis whose table equals the file's receives: the probe, the family
// and the table read before any axis is written, the overall status that
// clears an old error bit, the parameters, the erase behind its release, each
// line behind its own release, the store behind its release.
QStringList equalTableWire() {
    QStringList wire{"IC?", "DO?", "FR0050", "FR0060", "IS?"};
    wire << Parameters << "IC?"
         << "FC190423"
         << "WE";
    for (const QString& line : PlcLines)
        wire << "IC?"
             << "FC190423" << line;
    wire << "IC?"
         << "FC190423"
         << "WP";
    return wire;
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // --- what the panel's values become -------------------------------------

    void parameterCommands_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("every parameter") << Parameters << Parameters;
        // A list without a selection sends nothing rather than "PD-1".
        QStringList noSelections = Parameters;
        noSelections.replace(0, "PD7");
        noSelections.replace(7, "PL9");
        noSelections.replace(9, "PNZ");
        QStringList without = Parameters;
        without.removeAt(9);
        without.removeAt(7);
        without.removeAt(0);
        QTest::newRow("lists without a selection") << noSelections << without;
        QStringList noPh = Parameters;
        noPh.removeAt(6);
        QStringList ph0 = Parameters;
        ph0.replace(6, "PH0");
        QTest::newRow("no PH line sends PH0") << noPh << ph0;
        QStringList rampB = Parameters;
        rampB.replace(9, "PNB");
        QTest::newRow("ramp index in hexadecimal") << rampB << rampB;
    }
    void parameterCommands() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        // Enough ramps for a selection of B.
        const QString table = QStringLiteral("0032").repeated(12) + QStringLiteral("FFFF");
        CKormakDoc doc;
        AxisParameters params;
        const QStringList file = fileLines(GermanMarker, table, {}, lines);
        doc.lineList = file;
        ApplyFileLines(file, params, doc);
        QCOMPARE(TransferParameterCommands(params, doc), expected);
    }

    void fileTable_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German marker") << fileLines(GermanMarker, FileTable, {}) << FileTable;
        QTest::newRow("English marker")
            << fileLines(QStringLiteral("[Acceleration table]"), FileTable, {}) << FileTable;
        QTest::newRow("French marker")
            << fileLines(QStringLiteral("[Tableau d'acc\u00e9l\u00e9ration]"), FileTable, {})
            << FileTable;
        QTest::newRow("short marker")
            << fileLines(QStringLiteral("[accelerations]"), FileTable, {}) << FileTable;
        QTest::newRow("no marker")
            << QStringList{"PF5000\r\n", "EW00GA1\r\n"} << DefaultRampValueList;
        QTest::newRow("marker in the last line")
            << QStringList{"PF5000\r\n", "; [Beschleunigungstabelle]\r\n"} << DefaultRampValueList;
        QTest::newRow("marker in the line before the last")
            << QStringList{"; [Beschleunigungstabelle]\r\n", ";\r\n"} << DefaultRampValueList;
        QTest::newRow("table line without its label")
            << QStringList{"; [Beschleunigungstabelle]\r\n", ";\r\n", "; 0032FFFF\r\n"}
            << QStringLiteral("0032FFFF");
    }
    void fileTable() {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        QCOMPARE(FileRampTable(lines), expected);
    }

    // --- runs against the bus ---------------------------------------------------

    void loadsTickedAxesInAddressOrder() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        TransferToAxes transfer(rig.link, rig.op);
        QList<bool> running;
        transfer.runningChanged = [&](bool r) {
            running << r;
            QVERIFY(BusyState::isBusy());
        };
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));

        QCOMPARE(running, (QList<bool>{true, false}));
        QVERIFY(!BusyState::isBusy());
        QCOMPARE(rig.op.shownIds(), QList<int>{0});
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 0, 3 erfolgreich geladen."));
        QCOMPARE(rig.op.shown.last().icon, Operator::Icon::Information);
        QCOMPARE(rig.addressesTalkedTo(), (QStringList{"0", "3"}));
        QCOMPARE(rig.commandsOf(u'0'), equalTableWire());
        QCOMPARE(rig.commandsOf(u'3'), equalTableWire());
        QVERIFY(result.allLoaded(bits("03")));
        QCOMPARE(rig.link.currentAddress(), QStringLiteral("OFFLINE"));
        rig.axis(u'3', [](sim::SimAxis& a) {
            QCOMPARE(a.stored.runFreq, 5000);
            QCOMPARE(a.stored.backlash, 7);
            QCOMPARE(a.stored.ph, 3);
            QCOMPARE(a.plcSlots.at(0), QStringLiteral("PO400 GA16000"));
            QCOMPARE(a.plcSlots.at(5), QStringLiteral("GA100"));
        });
    }

    // What goes into the PLC area is the configuration's slot lines, as the
    // PLC dialogs left them, not the lines the file had when it was opened.
    void sendsTheConfigurationsSlotLines() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        rig.params.slotLines = {QStringLiteral("EW02GA7\r\n")};
        TransferToAxes transfer(rig.link, rig.op);
        QVERIFY(transfer.run(rig.params, rig.doc, bits("0")).allLoaded(bits("0")));
        QCOMPARE(rig.commandsOf(u'0').filter(QRegularExpression(QStringLiteral("^EW"))),
                 QStringList{QStringLiteral("EW02GA7")});
        rig.axis(u'0', [](sim::SimAxis& a) {
            QVERIFY(a.plcSlots.at(0).isEmpty());
            QCOMPARE(a.plcSlots.at(2), QStringLiteral("GA7"));
        });
    }

    void silentAxisIsNamedOnceAndLeftOut() {
        TransferRig rig(QStringLiteral("0"));
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        QCOMPARE(rig.op.shownIds(), (QList<int>{10103, 0}));
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 0 erfolgreich geladen."));
        QVERIFY(!result.loaded[3]);
        // Only the probe went to axis 3.
        for (const QString& c : rig.commandsOf(u'3'))
            QCOMPARE(c, QStringLiteral("IC?"));
    }

    void noAxisTickedSendsNothing() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        TransferToAxes transfer(rig.link, rig.op);
        bool told = false;
        transfer.runningChanged = [&](bool) { told = true; };
        const auto result = transfer.run(rig.params, rig.doc, 0);
        QCOMPARE(result.outcome, TransferToAxes::Outcome::NoAddress);
        QCOMPARE(rig.op.shownIds(), QList<int>{10193});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Warning);
        QVERIFY(rig.host.log().isEmpty());
        QVERIFY(told); // the buttons came back
        QCOMPARE(rig.link.currentAddress(), QStringLiteral("OFFLINE"));
    }

    // Whether the ramps are programmed: the file's own table, in whichever
    // language the file was saved, against the controller's defaults.
    void rampTables_data() {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<QString>("tableAfter");
        QTest::newRow("equal tables: no question, no erase")
            << GermanMarker << DefaultRampValueList << -1 << DefaultRampValueList;
        QTest::newRow("German file, Yes")
            << GermanMarker << FileTable << int(Operator::Answer::Yes) << FileTable;
        QTest::newRow("English file, Yes") << QStringLiteral("[Acceleration table]") << FileTable
                                           << int(Operator::Answer::Yes) << FileTable;
        QTest::newRow("French file, Yes") << QStringLiteral("[Tableau d'acc\u00e9l\u00e9ration]")
                                          << FileTable << int(Operator::Answer::Yes) << FileTable;
        QTest::newRow("No keeps the ramps")
            << GermanMarker << FileTable << int(Operator::Answer::No) << DefaultRampValueList;
    }
    void rampTables() {
        QFETCH(QString, marker);
        QFETCH(QString, table);
        QFETCH(int, answer);
        QFETCH(QString, tableAfter);
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(marker, table, PlcLines));
        if (answer >= 0)
            rig.op.answers << Operator::Answer(answer);
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("0"));

        QList<int> expectedIds;
        if (answer >= 0)
            expectedIds << 10192;
        expectedIds << 0;
        QCOMPARE(rig.op.shownIds(), expectedIds);
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 0 erfolgreich geladen."));
        QVERIFY(result.loaded[0]);
        const QStringList wire = rig.commandsOf(u'0');
        const bool programmed = answer == int(Operator::Answer::Yes);
        QCOMPARE(wire.contains("WD"), programmed);
        QCOMPARE(rig.op.waits.contains(2000), programmed);
        // The rest is sent whatever the answer.
        for (const QString& c : PlcLines + QStringList{"WE", "WP"})
            QVERIFY2(wire.contains(c), qPrintable(c));
        QCOMPARE(wire.last(), QStringLiteral("WP"));
        if (programmed) {
            // "IF?" and the erase come before any block; each group of the
            // table becomes a ramp, 04B0 one of 120000 Hz/s.
            QVERIFY(wire.indexOf("IF?") < wire.indexOf("WD"));
            QVERIFY(wire.indexOf("WD") < wire.indexOf("WE"));
            QCOMPARE(wire.count("WX"), 10);
            rig.axis(u'0', [](sim::SimAxis& a) {
                QCOMPARE(a.ramps.rampCount(), 10);
                QCOMPARE(a.ramps.slope(9), 120000u);
            });
        }
        rig.link.setCurrentAddress(QStringLiteral("0"));
        QCOMPARE(ReadRampValueList(rig.link), tableAfter);
    }

    // A release the axis refuses before "WE", before a line or before "WP":
    // the rest of the wire is as usual, but the axis is not loaded.
    void refusedReleaseMarksAxisNotLoaded_data() {
        QTest::addColumn<int>("nth");
        QTest::addColumn<QString>("notSent");
        QTest::newRow("before WE") << 1 << "WE";
        QTest::newRow("before the first line") << 2 << PlcLines.first();
        QTest::newRow("before WP") << 4 << "WP";
    }
    void refusedReleaseMarksAxisNotLoaded() {
        QFETCH(int, nth);
        QFETCH(QString, notSent);
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        rig.axis(u'0', [nth](sim::SimAxis& a) { a.plc.refuseReleaseNth = nth; });
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        QVERIFY(!result.loaded[0]);
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 3 erfolgreich geladen."));
        QStringList expected = equalTableWire();
        expected.removeOne(notSent);
        QCOMPARE(rig.commandsOf(u'0'), expected);
    }

    void refusedReleaseAloneIsNoSuccess() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        rig.axis(u'0', [](sim::SimAxis& a) { a.plc.refuseReleaseNth = 4; });
        TransferToAxes transfer(rig.link, rig.op);
        transfer.run(rig.params, rig.doc, bits("0"));
        QCOMPARE(rig.op.shownIds(), QList<int>{10196});
    }

    // A lost reply to a parameter or table command leaves the axis alone from
    // there on; the run goes on with the next axis.
    void lostReplyStopsThatAxis_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("table");
        QTest::newRow("PF") << "PF" << DefaultRampValueList;
        QTest::newRow("PD") << "PD" << DefaultRampValueList;
        QTest::newRow("PW") << "PW" << DefaultRampValueList;
        QTest::newRow("FR0050") << "FR0050" << DefaultRampValueList;
        QTest::newRow("FR0060") << "FR0060" << DefaultRampValueList;
        QTest::newRow("IF?") << "IF?" << FileTable;
    }
    void lostReplyStopsThatAxis() {
        QFETCH(QString, command);
        QFETCH(QString, table);
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, table, PlcLines));
        rig.host.setFaultFor(QStringLiteral("0 ") + command, sim::Fault::NoReply);
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        QVERIFY(!result.loaded[0]);
        QVERIFY(result.loaded[3]);
        const QList<int> ids = rig.op.shownIds();
        QCOMPARE(ids.count(10103), 1);
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 3 erfolgreich geladen."));
        const QStringList wire = rig.commandsOf(u'0');
        QVERIFY(wire.last().startsWith(command));
        for (const QString& c : QStringList{"WD", "WE", "WP", PlcLines.first()})
            QVERIFY2(!wire.contains(c), qPrintable(c));
        QVERIFY(rig.commandsOf(u'3').contains("WP"));
    }

    // The release before the ramps is refused at axis 0: the run ends there,
    // axis 3 is never talked to, and the summary names no axis as loaded.
    void refusedReleaseBeforeRampsEndsRun() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, FileTable, PlcLines));
        rig.axis(u'0', [](sim::SimAxis& a) { a.plc.refuseReleaseNth = 1; });
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        // Both axes were asked about before anything was written.
        QCOMPARE(rig.op.shownIds(), (QList<int>{10192, 10192, 10196}));
        QCOMPARE(rig.commandsOf(u'3'), (QStringList{"IC?", "DO?", "FR0050", "FR0060"}));
        QVERIFY(!rig.commandsOf(u'0').contains("WD"));
        QVERIFY(!result.loaded[0] && !result.loaded[3]);
        QCOMPARE(rig.link.currentAddress(), QStringLiteral("OFFLINE"));
    }

    void refusedReleaseBeforeRampsNamesEarlierAxes() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, FileTable, PlcLines));
        rig.axis(u'3', [](sim::SimAxis& a) { a.plc.refuseReleaseNth = 1; });
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("035"));
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 0 erfolgreich geladen."));
        QCOMPARE(rig.commandsOf(u'5'), (QStringList{"IC?", "DO?", "FR0050", "FR0060"}));
        QVERIFY(!result.loaded[5]);
    }

    void lostDateCodeBeforeLineStillStores() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        // The probe's "IC?", the one before "WE", then the one before the first line.
        rig.host.setFault(sim::Fault::NoReply, 0, 1, 22);
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("0"));
        QVERIFY(!result.loaded[0]);
        QCOMPARE(rig.op.shownIds(), (QList<int>{10103, 10196}));
        const QStringList wire = rig.commandsOf(u'0');
        QVERIFY(!wire.contains(PlcLines.first()));
        QCOMPARE(wire.last(), QStringLiteral("WP"));
    }

    void overlongLineIsNotSent() {
        TransferRig rig;
        QVERIFY(rig.open());
        const QString longLine = QStringLiteral("EW07") + QString(520, u'A');
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines + QStringList{longLine}));
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("0"));
        QVERIFY(!result.loaded[0]);
        QCOMPARE(rig.op.shownIds(), QList<int>{10196});
        const QStringList wire = rig.commandsOf(u'0');
        QVERIFY(wire.contains(PlcLines.last()));
        QCOMPARE(wire.filter(QStringLiteral("EW07")), QStringList());
        QCOMPARE(wire.last(), QStringLiteral("WP"));
    }

    // --- what the axes took --------------------------------------------------

    // A value the axis refuses (bit 6 of the reply, a command-error bit of
    // "IS?") leaves that axis not loaded and is named in the summary; the
    // rest of its wire is as usual. A standing fault sets bit 6 too, but
    // refuses nothing.
    void refusalsAreNamed_data() {
        QTest::addColumn<QString>("family5");
        QTest::addColumn<QString>("fault5");
        QTest::addColumn<bool>("loaded5");
        QTest::addColumn<QString>("summary");
        QTest::newRow("boost current beyond a TMW-2")
            << "TMW-2"
            << "" << false
            << "Achse(n) 3 erfolgreich geladen.\n\nAchse 5 hat Booststrom (PA) 2.0 abgelehnt: "
               "Parameterwert unzulässig";
        QTest::newRow("standing initiator fault")
            << "TKV 3A/50V"
            << "initiators" << true << "Achse(n) 3, 5 erfolgreich geladen.";
        QTest::newRow("old command error before the first write")
            << "TKV 3A/50V"
            << "bad-value" << true << "Achse(n) 3, 5 erfolgreich geladen.";
    }
    void refusalsAreNamed() {
        QFETCH(QString, family5);
        QFETCH(QString, fault5);
        QFETCH(bool, loaded5);
        QFETCH(QString, summary);
        TransferRig rig(QStringLiteral("35"));
        QVERIFY(rig.open());
        // A TMW-2 axis refuses 2.0 A, which is what this shows.
        rig.referee.expect(QStringLiteral("5 PA"));
        QStringList params = Parameters;
        params.replace(1, QStringLiteral("PA2.0"));
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines, params));
        rig.axis(u'5', [&](sim::SimAxis& a) {
            a.setFamily(family5);
            if (!fault5.isEmpty())
                QVERIFY(sim::SimStatus::setFault(a, fault5));
        });
        TransferToAxes transfer(rig.link, rig.op);
        transfer.otherFamily = TransferToAxes::OtherFamily::Load;
        const auto result = transfer.run(rig.params, rig.doc, bits("35"));
        QVERIFY(result.loaded[3]);
        QCOMPARE(result.loaded[5], loaded5);
        QCOMPARE(lastText(rig.op), summary);
        QCOMPARE(result.refusals.size(), loaded5 ? 0 : 1);
        // Leaving out the overall-status reads, the wire is as usual.
        QStringList wire = rig.commandsOf(u'5');
        wire.removeAll(QStringLiteral("IS?"));
        QCOMPARE(wire.last(), QStringLiteral("WP"));
        for (const QString& c : Parameters.mid(2) + PlcLines)
            QVERIFY2(wire.contains(c), qPrintable(c));
        const QStringList all = rig.commandsOf(u'5');
        if (!loaded5)
            QCOMPARE(all.at(all.indexOf("PA2.0") + 1), QStringLiteral("IS?"));
    }

    // An axis of another family is named before anything is written; a
    // file without a device line is not checked, and "DO?" is not asked.
    void otherFamilyIsNamedFirst_data() {
        QTest::addColumn<int>("choice"); // TransferToAxes::OtherFamily
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("withDeviceLine");
        QTest::addColumn<bool>("written");
        QTest::newRow("asked, Yes")
            << int(TransferToAxes::OtherFamily::Ask) << int(Operator::Answer::Yes) << true << true;
        QTest::newRow("asked, No")
            << int(TransferToAxes::OtherFamily::Ask) << int(Operator::Answer::No) << true << false;
        QTest::newRow("refused") << int(TransferToAxes::OtherFamily::Refuse) << -1 << true << false;
        QTest::newRow("no device line")
            << int(TransferToAxes::OtherFamily::Refuse) << -1 << false << true;
    }
    void otherFamilyIsNamedFirst() {
        QFETCH(int, choice);
        QFETCH(int, answer);
        QFETCH(bool, withDeviceLine);
        QFETCH(bool, written);
        TransferRig rig(QStringLiteral("35"));
        QVERIFY(rig.open());
        QStringList lines = fileLines(GermanMarker, DefaultRampValueList, PlcLines);
        if (!withDeviceLine)
            lines.removeAt(1);
        rig.load(lines);
        rig.axis(u'5', [](sim::SimAxis& a) { a.setFamily(QStringLiteral("TMW-2")); });
        if (answer >= 0)
            rig.op.answers << Operator::Answer(answer);
        TransferToAxes transfer(rig.link, rig.op);
        transfer.otherFamily = TransferToAxes::OtherFamily(choice);
        const auto result = transfer.run(rig.params, rig.doc, bits("35"));

        QCOMPARE(result.outcome,
                 written ? TransferToAxes::Outcome::Finished : TransferToAxes::Outcome::Declined);
        QCOMPARE(result.loaded[3], written);
        QCOMPARE(rig.commandsOf(u'5').contains("DO?"), withDeviceLine);
        if (withDeviceLine) {
            QCOMPARE(result.otherFamily, QList<int>{5});
            QVERIFY2(rig.op.shown.first().text.contains(u"5 (TMW)"),
                     qPrintable(rig.op.shown.first().text));
        }
        const QStringList reads{"IC?", "DO?", "FR0050", "FR0060"};
        if (!written)
            for (QChar a : {u'3', u'5'})
                QCOMPARE(rig.commandsOf(a), reads);
    }

    // A file that would send an empty value, a value not of its form or a
    // ramp of 0 Hz/s is refused, naming the line, before anything is sent.
    void damagedFileSendsNothing_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("where");
        QStringList cut = fileLines(GermanMarker, DefaultRampValueList, PlcLines);
        cut = cut.mid(0, 11); // ends after "PG200000"
        QTest::newRow("cut short after PG") << cut << "\"PM\" is missing";
        QStringList emptyValue = Parameters;
        emptyValue.replace(8, QStringLiteral("PM"));
        QTest::newRow("empty value")
            << fileLines(GermanMarker, DefaultRampValueList, PlcLines, emptyValue)
            << "line 14: \"PM\"";
        QStringList notNumber = Parameters;
        notNumber.replace(4, QStringLiteral("PF5O00"));
        QTest::newRow("letter in a number")
            << fileLines(GermanMarker, DefaultRampValueList, PlcLines, notNumber)
            << "line 10: \"PF5O00\"";
        QTest::newRow("table line cut in a group")
            << fileLines(GermanMarker, QStringLiteral("0064012C01F4028"), PlcLines)
            << "line 23: \"; [bitte nicht \u00e4ndern   ]: 0064012C01F4028\"";
        QTest::newRow("zero ramp")
            << fileLines(GermanMarker, QStringLiteral("0064000001F4FFFF"), PlcLines)
            << "line 23: \"; [bitte nicht \u00e4ndern   ]: 0064000001F4FFFF\"";
    }
    void damagedFileSendsNothing() {
        QFETCH(QStringList, lines);
        QFETCH(QString, where);
        Texts::setLanguage(Texts::Language::English);
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(lines);
        TransferToAxes transfer(rig.link, rig.op);
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        Texts::setLanguage(Texts::Language::German);
        QCOMPARE(result.outcome, TransferToAxes::Outcome::Damaged);
        QVERIFY(rig.host.log().isEmpty());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text,
                 QStringLiteral("The file is damaged (%1).\nNothing was sent.").arg(where));
        QVERIFY(!BusyState::isBusy());
    }

    // Every listed axis's table is read before the first write, so the
    // question comes before anything changes, names its axis, and is put
    // only for an axis whose ramps differ.
    void rampsQuestionNamesItsAxisBeforeAnyWrite() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, FileTable, PlcLines));
        {
            // Axis 3 already holds the file's ramps.
            TransferToAxes first(rig.link, rig.op);
            first.ramps = TransferToAxes::Ramps::Yes;
            QVERIFY(first.run(rig.params, rig.doc, bits("3")).tableMatches[3]);
        }
        rig.host.clearLog();
        rig.op.clear();
        // What had reached the bus when the question was put.
        struct Watching : ScriptedOperator {
            sim::SimHost* host = nullptr;
            QStringList logAtQuestion;
            Answer show(const Message& m) override {
                if (m.buttons == Buttons::YesNo)
                    logAtQuestion = host->log();
                return ScriptedOperator::show(m);
            }
        } watching;
        watching.host = &rig.host;
        watching.answers << Operator::Answer::No;
        TransferToAxes transfer(rig.link, watching);
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        QVERIFY(result.loaded[0] && result.loaded[3]);
        QCOMPARE(watching.shownIds().count(10192), 1);
        QVERIFY2(watching.shown.first().text.startsWith(QStringLiteral("Achse 0:")),
                 qPrintable(watching.shown.first().text));
        const QStringList reads{"IC?", "DO?", "FR0050", "FR0060"};
        QStringList expected;
        for (const QString& c : reads)
            expected << QStringLiteral("0 ") + c;
        for (const QString& c : reads)
            expected << QStringLiteral("3 ") + c;
        QCOMPARE(watching.logAtQuestion, expected);
    }

    // With the read-back, an axis that acknowledged a slot it did not store
    // is not loaded, and the summary names the slot.
    void readBackFindsALostSlot() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        rig.axis(u'3', [](sim::SimAxis& a) { a.unstoredSlots.insert(5); });
        TransferToAxes transfer(rig.link, rig.op);
        transfer.readBack = true;
        const auto result = transfer.run(rig.params, rig.doc, bits("03"));
        QVERIFY(result.loaded[0]);
        QVERIFY(!result.loaded[3]);
        QCOMPARE(result.readBack.value(3).differences(), QStringList{"slot 05"});
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 0 erfolgreich geladen.\n\nAchse 3 "
                                                  "weicht nach dem Laden ab: slot 05"));
        QCOMPARE(rig.op.shown.last().icon, Operator::Icon::Warning);
    }

    // Axes at different rates: each is loaded and read back at its own.
    void readBackAtEachAxisRate() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        rig.axis(u'6', [](sim::SimAxis& a) { a.baud = 9600; });
        TransferToAxes transfer(rig.link, rig.op);
        transfer.readBack = true;
        const auto result = transfer.run(rig.params, rig.doc, bits("36"));
        QVERIFY(result.allLoaded(bits("36")));
        QCOMPARE(result.readBack.size(), 2);
        QVERIFY(result.unreadable.isEmpty());
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 3, 6 erfolgreich geladen."));
    }

    // --- the comparison with an axis -----------------------------------------

    void sameParameterValue_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("axis");
        QTest::addColumn<bool>("same");
        QTest::newRow("same text") << "PF"
                                   << "5000"
                                   << "5000" << true;
        QTest::newRow("same number") << "PA"
                                     << "1.2"
                                     << "1.20" << true;
        QTest::newRow("other number") << "PF"
                                      << "5000"
                                      << "4000" << false;
        QTest::newRow("ramp index is hexadecimal") << "PN"
                                                   << "A"
                                                   << "0A" << true;
        QTest::newRow("ramp index 10 is not A") << "PN"
                                                << "10"
                                                << "A" << false;
        QTest::newRow("no value from the axis") << "PF"
                                                << "0"
                                                << "" << false;
        QTest::newRow("text against a number") << "PF"
                                               << "5000"
                                               << "TIMEOUT" << false;
    }
    void sameParameterValue() {
        QFETCH(QString, code);
        QFETCH(QString, file);
        QFETCH(QString, axis);
        QFETCH(bool, same);
        QCOMPARE(SameParameterValue(code, file, axis), same);
    }

    // After a transfer the axis equals the file; each change made on the
    // axis afterwards is named, and nothing else.
    void comparisonNamesWhatDiffers_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<QStringList>("differences");
        QTest::newRow("nothing changed") << 0 << QStringList{};
        QTest::newRow("run frequency") << 1 << QStringList{"PF"};
        QTest::newRow("a slot the file leaves empty") << 2 << QStringList{"slot 07"};
        QTest::newRow("a slot of the file emptied") << 3 << QStringList{"slot 05"};
        QTest::newRow("other ramps") << 4 << QStringList{"table"};
    }
    void comparisonNamesWhatDiffers() {
        QFETCH(int, change);
        QFETCH(QStringList, differences);
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        TransferToAxes transfer(rig.link, rig.op);
        QVERIFY(transfer.run(rig.params, rig.doc, bits("0")).loaded[0]);
        rig.axis(u'0', [change](sim::SimAxis& a) {
            if (change == 1)
                a.params.runFreq = 4000;
            else if (change == 2)
                a.plcSlots[7] = QStringLiteral("GA1");
            else if (change == 3)
                a.plcSlots[5].clear();
            else if (change == 4)
                a.ramps.erase();
        });
        rig.host.clearLog();
        rig.op.clear();
        rig.link.setCurrentAddress(QStringLiteral("0"));
        AxisComparison c;
        QVERIFY(CompareWithAxis(rig.link, rig.op, rig.params, rig.doc, &c));
        QCOMPARE(c.differences(), differences);
        QCOMPARE(c.equal(), differences.isEmpty());
        QVERIFY(rig.op.shownIds().isEmpty());
        // Read only: queries, table reads and slot reads.
        for (const QString& command : rig.commandsOf(u'0'))
            QVERIFY2(command.endsWith(u'?') || command.startsWith(QLatin1String("FR")) ||
                         command.startsWith(QLatin1String("ER")),
                     qPrintable(command));
        QVERIFY(!BusyState::isBusy());
    }

    void comparisonStopsAtALostReply() {
        TransferRig rig;
        QVERIFY(rig.open());
        rig.load(fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        rig.link.setCurrentAddress(QStringLiteral("0"));
        rig.host.setFaultFor(QStringLiteral("ER05"), sim::Fault::NoReply);
        AxisComparison c;
        QVERIFY(!CompareWithAxis(rig.link, rig.op, rig.params, rig.doc, &c));
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.commandsOf(u'0').last(), QStringLiteral("ER05"));
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
        QVERIFY(!BusyState::isBusy());
    }

    void closedPortThatWillNotOpenStartsNothing() {
        ScriptedOperator op;
        SerialLink link(op);
        link.setPorts({QStringLiteral("/dev/kormak-no-such-port")});
        link.setCurrentAddress(QStringLiteral("OFFLINE"));
        CKormakDoc doc;
        AxisParameters params;
        doc.lineList = fileLines(GermanMarker, DefaultRampValueList, PlcLines);
        ApplyFileLines(doc.lineList, params, doc);
        TransferToAxes transfer(link, op);
        bool told = false;
        transfer.runningChanged = [&](bool) { told = true; };
        const auto result = transfer.run(params, doc, bits("0"));
        QCOMPARE(result.outcome, TransferToAxes::Outcome::NotStarted);
        QCOMPARE(op.shownIds(), QList<int>{10104});
        QVERIFY(!told);
        QVERIFY(!BusyState::isBusy());
    }
};

QTEST_MAIN(TransferTest)
#include "tst_transfer.moc"
