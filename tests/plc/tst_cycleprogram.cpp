// The slot text of a cycle program and the row that shows it, and the lines
// a parameter file keeps the PLC area in.

#include "plc/CycleProgram.h"
#include "plc/PlcArea.h"
#include "plc/PlcHandshake.h"

#include <QTest>

using CycleProgram::Row;
Q_DECLARE_METATYPE(Row)

namespace {
Row row(int kind, const QString& target, const QString& offset, const QString& run,
        const QString& ramp) {
    return Row{kind, target, offset, run, ramp};
}
QStringList crlf(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        out << l + QStringLiteral("\r\n");
    return out;
}
} // namespace

class TestCycleProgram : public QObject {
    Q_OBJECT

private slots:
    // Test runs a row's program by hand: its frequencies and ramp as the
    // slot holds them, then the move of its kind, the target only where the
    // kind takes one.
    void testCommands_data() {
        QTest::addColumn<QString>("slotText");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("absolute") << "PO400 PF4000 GA800 PN3"
                                  << QStringList{"PO400", "PF4000", "PN3", "GA800"};
        QTest::newRow("relative, negative")
            << "PO50 PF100 GR-20 PN0" << QStringList{"PO50", "PF100", "PN0", "GR-20"};
        QTest::newRow("initialise, target not sent")
            << "PO200 PF1000 GI+ PC5 PNA" << QStringList{"PO200", "PF1000", "PNA", "GI+"};
        QTest::newRow("free run without a ramp")
            << "PO200 PF1000 GF-" << QStringList{"PO200", "PF1000", "GF-"};
        QTest::newRow("single step") << "PO5 PF5 GS+ PN0" << QStringList{"GS+"};
        QTest::newRow("unused") << "" << QStringList{};
    }
    void testCommands() {
        QFETCH(QString, slotText);
        QFETCH(QStringList, commands);
        CycleProgram::Row row;
        QVERIFY(CycleProgram::parse(slotText, &row));
        QCOMPARE(PlcHandshake::testCommands(row), commands);
    }

    // Texts that read into a row and are built back byte for byte.
    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Row>("expected");
        QTest::newRow("init +") << "PO400 PF2000 GI+ PC0 PN0" << row(0, "0", "400", "2000", "0");
        QTest::newRow("init -") << "PO400 PF2000 GI- PC-50 PN1"
                                << row(1, "-50", "400", "2000", "1");
        QTest::newRow("absolute") << "PO400 PF2000 GA16000 PN3"
                                  << row(2, "16000", "400", "2000", "3");
        QTest::newRow("relative, ramp 10")
            << "PO400 PF2000 GR3200 PNA" << row(3, "3200", "400", "2000", "A");
        QTest::newRow("relative back")
            << "PO400 PF2000 GR-3200 PN0" << row(3, "-3200", "400", "2000", "0");
        QTest::newRow("free run +") << "PO200 PF1000 GF+ PN2" << row(4, "", "200", "1000", "2");
        QTest::newRow("free run -") << "PO200 PF1000 GF- PNA" << row(5, "", "200", "1000", "A");
        QTest::newRow("step +") << "PO5 PF5 GS+ PN0" << row(6, "", "", "", "");
        QTest::newRow("step -") << "PO5 PF5 GS- PN0" << row(7, "", "", "", "");
        QTest::newRow("free slot") << "" << row(8, "", "", "", "");
        QTest::newRow("no ramp part") << "PO400 PF2000 GA100" << row(2, "100", "400", "2000", "");
        QTest::newRow("ramp beyond the list")
            << "PO400 PF2000 GA100 PNF" << row(2, "100", "400", "2000", "F");
    }
    void roundTrip() {
        QFETCH(QString, text);
        QFETCH(Row, expected);
        Row r;
        QVERIFY(CycleProgram::parse(text, &r));
        QCOMPARE(r, expected);
        QCOMPARE(CycleProgram::text(r), text);
    }

    // What the row's controls hold is built into the text as the table gives it;
    // hidden fields do not leak into kinds that have none.
    void build_data() {
        QTest::addColumn<Row>("values");
        QTest::addColumn<QString>("text");
        QTest::newRow("steps ignore fields") << row(6, "9", "7", "8", "3") << "PO5 PF5 GS+ PN0";
        QTest::newRow("free run drops target")
            << row(5, "99", "200", "1000", "1") << "PO200 PF1000 GF- PN1";
        QTest::newRow("unused ignores fields") << row(8, "9", "7", "8", "3") << "";
        QTest::newRow("no ramp selection") << row(2, "5", "400", "2000", "") << "PO400 PF2000 GA5";
    }
    void build() {
        QFETCH(Row, values);
        QFETCH(QString, text);
        QCOMPARE(CycleProgram::text(values), text);
    }

    // Texts the dialog cannot show as a row: left alone instead of being
    // rebuilt from another row's values.
    void textsWithoutKeyword_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain words") << "HELLO";
        QTest::newRow("frequencies only") << "PO400 PF2000 PN3";
        QTest::newRow("bare position") << "PC100";
    }
    void textsWithoutKeyword() {
        QFETCH(QString, text);
        Row r;
        r.kind = 2;
        QVERIFY(!CycleProgram::parse(text, &r));
        QCOMPARE(r, Row{});
    }

    void rampIndex_data() {
        QTest::addColumn<QString>("ramp");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("A") << "A" << 10;
        QTest::newRow("lower f") << "f" << 15;
        QTest::newRow("10") << "10" << 16;
        QTest::newRow("none") << "" << -1;
        QTest::newRow("not hex") << "3X" << -1;
        QTest::newRow("pseudo-reply") << "TIMEOUT\r\n" << -1;
    }
    void rampIndex() {
        QFETCH(QString, ramp);
        QFETCH(int, index);
        QCOMPARE(CycleProgram::rampIndex(ramp), index);
        if (index >= 0)
            QCOMPARE(CycleProgram::rampIndex(CycleProgram::rampText(index)), index);
    }

    // The file's slot lines as the dialog sees them.
    void fromLineList_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("eight");
        QTest::newRow("EW") << crlf({"PO400", "EW0APO1 PF2 GA3 PN0"}) << 10 << "PO1 PF2 GA3 PN0"
                            << "" << false;
        QTest::newRow("later line wins")
            << crlf({"EW01GS+", "EW01PO5 PF5 GS- PN0"}) << 1 << "PO5 PF5 GS- PN0"
            << "" << false;
        QTest::newRow("WU marks eight") << crlf({"WU7PO5 PF5 GS+ PN0"}) << 7 << "PO5 PF5 GS+ PN0"
                                        << "" << true;
        QTest::newRow("extended step kept apart") << crlf({"EW02$&GA5"}) << 2 << ""
                                                  << "$&GA5" << false;
        QTest::newRow("extended step on WU") << crlf({"WU3$&GA5"}) << 3 << ""
                                             << "$&GA5" << true;
        QTest::newRow("unreadable slot") << crlf({"EWXXPO1 PF2 GA3"}) << 0 << ""
                                         << "" << false;
    }
    void fromLineList() {
        QFETCH(QStringList, lines);
        QFETCH(int, slot);
        QFETCH(QString, program);
        QFETCH(QString, step);
        QFETCH(bool, eight);
        const PlcArea::Slots s = PlcArea::FromLineList(lines);
        QCOMPARE(s.programs.at(slot), program);
        QCOMPARE(s.extendedSteps.at(slot), step);
        QCOMPARE(s.eightSlots, eight);
    }

    // Only the former cycle-program lines are replaced; everything else keeps
    // its place.
    void mergeIntoLineList_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("programs"); // "slot=text"
        QTest::addColumn<bool>("eight");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("interleaved")
            << QStringList{"; head", "EW00old0", "EW01$&GA1", "PO400", "EW05old5", "; tail"}
            << QStringList{"0=GA0", "3=GA3"} << false
            << QStringList{"; head", "EW00GA0", "EW03GA3", "EW01$&GA1", "PO400", "; tail"};
        QTest::newRow("steps first, no cycle lines")
            << QStringList{"PO400", "EW00$&GA1", "EW01$&GA2", "; end"} << QStringList{"4=GA4"}
            << false << QStringList{"PO400", "EW04GA4", "EW00$&GA1", "EW01$&GA2", "; end"};
        QTest::newRow("no slot lines at all")
            << QStringList{"PO400", "; end"} << QStringList{"1=GA1"} << false
            << QStringList{"PO400", "; end", "EW01GA1"};
        QTest::newRow("all programs removed")
            << QStringList{"EW00a", "PO1", "EW01b"} << QStringList{} << false << QStringList{"PO1"};
        QTest::newRow("eight slots")
            << QStringList{"WU0a", "WU1$&x"} << QStringList{"7=GS+", "2=GA2"} << true
            << QStringList{"WU2GA2", "WU7GS+", "WU1$&x"};
        QTest::newRow("eight slots ignore slots beyond 7")
            << QStringList{} << QStringList{"9=GA9"} << true << QStringList{};
    }
    void mergeIntoLineList() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, programs);
        QFETCH(bool, eight);
        QFETCH(QStringList, after);
        QStringList slotTexts(PlcArea::SlotCount);
        for (const QString& p : programs)
            slotTexts[p.section(u'=', 0, 0).toInt()] = p.section(u'=', 1);
        QStringList lines = crlf(before);
        PlcArea::MergeIntoLineList(lines, slotTexts, eight);
        QCOMPARE(lines, crlf(after));
    }

    // Programming writes an extended step back where no program took its slot.
    void textsToProgramKeepExtendedSteps() {
        PlcArea::Slots s;
        s.programs[0] = QStringLiteral("PO5 PF5 GS+ PN0");
        s.extendedSteps[0] = QStringLiteral("$&overwritten");
        s.extendedSteps[9] = QStringLiteral("$&GA5");
        const QStringList texts = PlcArea::TextsToProgram(s);
        QCOMPARE(texts.at(0), QStringLiteral("PO5 PF5 GS+ PN0"));
        QCOMPARE(texts.at(9), QStringLiteral("$&GA5"));
        QCOMPARE(texts.at(1), QString());
    }

    void positionReply_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("status");
        QTest::newRow("framed") << "\x02"
                                   "06 1234:5A\x03"
                                << true << "1234"
                                << "06h";
        QTest::newRow("negative") << "\x02"
                                     "01 -50:00\x03"
                                  << true << "-50"
                                  << "01h";
        QTest::newRow("timeout") << "TIMEOUT\r\n"
                                 << false << ""
                                 << "";
        QTest::newRow("status not hex") << "\x02"
                                           "Z1 5:00\x03"
                                        << false << ""
                                        << "";
        QTest::newRow("too short") << "\x02"
                                      "0"
                                   << false << ""
                                   << "";
    }
    void positionReply() {
        QFETCH(QString, reply);
        QFETCH(bool, ok);
        QFETCH(QString, position);
        QFETCH(QString, status);
        QString p, s;
        int byte = -1;
        QCOMPARE(PlcArea::ParsePositionReply(reply, &p, &s, &byte), ok);
        if (ok) {
            QCOMPARE(p, position);
            QCOMPARE(s, status);
        }
    }

    // The axis's ramp index comes back hexadecimal; unknown when its query failed.
    void restoreRampIndex_data() {
        QTest::addColumn<QStringList>("restore");
        QTest::addColumn<int>("index");
        QTest::newRow("ramp 12") << QStringList{"PO400", "PF2000", "PNC", "PD0"} << 12;
        QTest::newRow("ramp 3") << QStringList{"PO400", "PF2000", "PN3", "PD0"} << 3;
        QTest::newRow("query failed") << QStringList{"PO400", "PF2000", "", "PD0"} << -1;
        QTest::newRow("offline") << QStringList{} << -1;
    }
    void restoreRampIndex() {
        QFETCH(QStringList, restore);
        QFETCH(int, index);
        QCOMPARE(PlcArea::restoreRampIndex(restore), index);
    }
};

QTEST_APPLESS_MAIN(TestCycleProgram)
#include "tst_cycleprogram.moc"
