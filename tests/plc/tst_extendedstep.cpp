// The slot text of an extended-sequence step and the row that shows it, the
// current lists of the rows, what the test run makes of a stored step, and
// the step lines of a parameter file.

#include "base/Texts.h"
#include "plc/ExtendedStep.h"
#include "plc/PlcArea.h"

#include <QTest>

using ExtendedStep::Row;
Q_DECLARE_METATYPE(Row)

namespace {
QStringList crlf(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        out << l + QStringLiteral("\r\n");
    return out;
}
} // namespace

class TestExtendedStep : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::German); }

    // Every kind: the text reads into the row, and the row builds the same
    // text back byte for byte.
    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("amperes");
        QTest::addColumn<Row>("expected");
        using namespace ExtendedStep;
        QTest::newRow("free slot") << "" << true << Row{Unused, "", -1};
        QTest::newRow("initiator +") << "$&GI+" << true << Row{InitialisePlus, "", -1};
        QTest::newRow("initiator -") << "$&GI-" << true << Row{InitialiseMinus, "", -1};
        QTest::newRow("absolute") << "$&GA16000" << true << Row{PositionAbsolute, "16000", -1};
        QTest::newRow("relative back") << "$&GR-3200" << true << Row{MoveRelative, "-3200", -1};
        QTest::newRow("pause") << "$&T500" << true << Row{Pause, "500", -1};
        QTest::newRow("jump 12") << "$&N0C" << true << Row{Jump, "12", -1};
        QTest::newRow("jump 31") << "$&N1F" << true << Row{Jump, "31", -1};
        QTest::newRow("jump 255") << "$&NFF" << true << Row{Jump, "255", -1};
        QTest::newRow("stop current, amperes") << "$&PS1.2" << true << Row{StopCurrent, "1.2", 12};
        QTest::newRow("run current, amperes") << "$&PR6.3" << true << Row{RunCurrent, "6.3", 63};
        QTest::newRow("boost current, amperes") << "$&PA0.0" << true << Row{BoostCurrent, "0.0", 0};
        QTest::newRow("stop current, level") << "$&PS7" << false << Row{StopCurrent, "7", 7};
        QTest::newRow("run current, level F") << "$&PRF" << false << Row{RunCurrent, "F", 15};
        QTest::newRow("boost time") << "$&PT20" << true << Row{BoostTime, "20", -1};
        QTest::newRow("actual position") << "$&PC-200" << true << Row{ActualPosition, "-200", -1};
        QTest::newRow("start/stop frequency")
            << "$&PO400" << true << Row{StartStopFrequency, "400", -1};
        QTest::newRow("run frequency") << "$&PF2000" << true << Row{RunFrequency, "2000", -1};
        QTest::newRow("ramp") << "$&PN3" << true << Row{Ramp, "", 3};
        QTest::newRow("ramp 10") << "$&PNA" << true << Row{Ramp, "", 10};
        QTest::newRow("reset power stage") << "$&CA" << true << Row{ResetPowerStage, "", -1};
        QTest::newRow("reset initiators") << "$&CI" << true << Row{ResetInitiators, "", -1};
        QTest::newRow("reset output driver") << "$&CO" << true << Row{ResetOutputDriver, "", -1};
        QTest::newRow("reset system") << "$&CR" << true << Row{ResetSystem, "", -1};
        QTest::newRow("reset SFI") << "$&CS" << true << Row{ResetSfi, "", -1};
    }
    void roundTrip() {
        QFETCH(QString, text);
        QFETCH(bool, amperes);
        QFETCH(Row, expected);
        Row r;
        QVERIFY(ExtendedStep::parse(text, amperes, &r));
        QCOMPARE(r, expected);
        QString back;
        QCOMPARE(ExtendedStep::text(r, amperes, &back), ExtendedStep::Build::Done);
        QCOMPARE(back, text);
    }

    // Texts that are no step of any kind: they are shown as such and stay
    // in their slot.
    void noKind_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("cycle program") << "PO400 PF2000 GA100 PN0";
        QTest::newRow("prefix alone") << "$&";
        QTest::newRow("unknown command") << "$&XY12";
        QTest::newRow("free run is no step") << "$&GF+";
        QTest::newRow("lower case") << "$&ga100";
    }
    void noKind() {
        QFETCH(QString, text);
        Row r;
        QVERIFY(!ExtendedStep::parse(text, true, &r));
    }

    // A row with an empty control builds its kind's default; the list
    // kinds take what the list shows.
    void build_data() {
        QTest::addColumn<Row>("row");
        QTest::addColumn<bool>("amperes");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        using namespace ExtendedStep;
        const int done = int(Build::Done);
        QTest::newRow("absolute, empty")
            << Row{PositionAbsolute, "", -1} << true << done << "$&GA0";
        QTest::newRow("pause, empty") << Row{Pause, "", -1} << true << done << "$&T0";
        QTest::newRow("boost time, empty") << Row{BoostTime, "", -1} << true << done << "$&PT20";
        QTest::newRow("start/stop, empty")
            << Row{StartStopFrequency, "", -1} << true << done << "$&PO50";
        QTest::newRow("run frequency, empty")
            << Row{RunFrequency, "", -1} << true << done << "$&PF100";
        QTest::newRow("jump 0, empty") << Row{Jump, "", -1} << true << done << "$&N00";
        QTest::newRow("jump 200") << Row{Jump, "200", -1} << true << done << "$&NC8";
        QTest::newRow("current list text, amperes")
            << Row{RunCurrent, "1.2 A", 12} << true << done << "$&PR1.2";
        QTest::newRow("current, amperes, empty")
            << Row{StopCurrent, "", -1} << true << done << "$&PS0.0";
        QTest::newRow("current level 10")
            << Row{BoostCurrent, "Stufe A", 10} << false << done << "$&PAA";
        QTest::newRow("ramp 11") << Row{Ramp, "12000", 11} << true << done << "$&PNB";
        QTest::newRow("reset ignores its controls")
            << Row{ResetSystem, "123", 4} << true << done << "$&CR";
        QTest::newRow("unused") << Row{Unused, "5", 2} << true << done << "";
        // No "-1" turned into a step.
        QTest::newRow("level without entry")
            << Row{StopCurrent, "", -1} << false << int(Build::NoValue) << "";
        QTest::newRow("ramp without entry")
            << Row{Ramp, "", -1} << true << int(Build::NoValue) << "";
        QTest::newRow("jump 256") << Row{Jump, "256", -1} << true << int(Build::BadJumpTarget)
                                  << "";
        QTest::newRow("jump negative")
            << Row{Jump, "-1", -1} << true << int(Build::BadJumpTarget) << "";
        QTest::newRow("jump in hexadecimal")
            << Row{Jump, "1F", -1} << true << int(Build::BadJumpTarget) << "";
        // A typed word never joins a step's text.
        const int bad = int(Build::BadValue);
        QTest::newRow("pause in letters") << Row{Pause, "abc", -1} << true << bad << "";
        QTest::newRow("position with letters")
            << Row{PositionAbsolute, "12a", -1} << true << bad << "";
        QTest::newRow("sign alone") << Row{ActualPosition, "-", -1} << true << bad << "";
        QTest::newRow("negative boost time") << Row{BoostTime, "-20", -1} << true << bad << "";
        QTest::newRow("frequency with a move")
            << Row{RunFrequency, "2000 GA5", -1} << true << bad << "";
        QTest::newRow("signed relative move")
            << Row{MoveRelative, "-40", -1} << true << done << "$&GR-40";
    }
    void build() {
        QFETCH(Row, row);
        QFETCH(bool, amperes);
        QFETCH(int, result);
        QFETCH(QString, text);
        QString built = QStringLiteral("left over");
        QCOMPARE(int(ExtendedStep::text(row, amperes, &built)), result);
        QCOMPARE(built, text);
    }

    // A stored value that the row's list cannot show reads as no entry, so
    // that an untouched row is never rewritten to the list's first value.
    void valueWithoutEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("amperes");
        QTest::newRow("amperes on a level device") << "$&PS2.0" << false;
        QTest::newRow("level on an ampere device") << "$&PSF" << true;
        QTest::newRow("two level digits") << "$&PS10" << false;
        QTest::newRow("ramp no number") << "$&PNX" << true;
        QTest::newRow("ampere no number") << "$&PR1.x" << true;
    }
    void valueWithoutEntry() {
        QFETCH(QString, text);
        QFETCH(bool, amperes);
        Row r;
        QVERIFY(ExtendedStep::parse(text, amperes, &r));
        QCOMPARE(r.index, -1);
    }

    // What the test run does with a stored step.
    void runActions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("jump");
        QTest::addColumn<qint64>("pause");
        QTest::addColumn<QString>("command");
        using A = ExtendedStep::Action;
        QTest::newRow("empty") << "" << int(A::Nothing) << -1 << qint64(0) << "";
        QTest::newRow("jump 1F") << "$&N1F" << int(A::Jump) << 31 << qint64(0) << "N1F";
        QTest::newRow("jump 00") << "$&N00" << int(A::Jump) << 0 << qint64(0) << "N00";
        QTest::newRow("jump beyond") << "$&N100" << int(A::Jump) << 256 << qint64(0) << "N100";
        QTest::newRow("jump ZZ") << "$&NZZ" << int(A::Jump) << -1 << qint64(0) << "NZZ";
        QTest::newRow("jump nothing") << "$&N" << int(A::Jump) << -1 << qint64(0) << "N";
        QTest::newRow("pause") << "$&T500" << int(A::Pause) << -1 << qint64(500) << "T500";
        QTest::newRow("pause no number") << "$&Tx" << int(A::Pause) << -1 << qint64(0) << "Tx";
        QTest::newRow("move") << "$&GA0" << int(A::Send) << -1 << qint64(0) << "GA0";
        QTest::newRow("unknown is sent") << "$&XY" << int(A::Send) << -1 << qint64(0) << "XY";
    }
    void runActions() {
        QFETCH(QString, text);
        QFETCH(int, action);
        QFETCH(int, jump);
        QFETCH(qint64, pause);
        QFETCH(QString, command);
        QCOMPARE(int(ExtendedStep::action(text)), action);
        if (action == int(ExtendedStep::Action::Jump))
            QCOMPARE(ExtendedStep::jumpTarget(text), jump);
        if (action == int(ExtendedStep::Action::Pause))
            QCOMPARE(ExtendedStep::pauseMs(text), pause);
        QCOMPARE(ExtendedStep::command(text), command);
    }

    void currentLists_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<QString>("levels");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("TKV") << "TKV 3A/50V" << false << "" << 64 << "0.0 A"
                             << "6.3 A";
        QTest::newRow("TMW offline") << "TMW" << true << "" << 15 << "0.0 A"
                                     << "1.4 A";
        QTest::newRow("offline without marker") << "" << true << "" << 16 << "Stufe 0"
                                                << "Stufe F";
        QTest::newRow("level device")
            << "RZH 2A" << false << "05010A0F14191E23282D32373C41464B" << 16 << "0.5 A"
            << "7.5 A";
        QTest::newRow("level reply cut short") << "SMC" << false << "0501X" << 2 << "0.5 A"
                                               << "0.1 A";
        QTest::newRow("level reply lost") << "SMC" << false << "TIMEOUT\r\n"
                                          << 0 << ""
                                          << "";
    }
    void currentLists() {
        QFETCH(QString, type);
        QFETCH(bool, offline);
        QFETCH(QString, levels);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QStringList list = ExtendedStep::currentValueList(type, offline, levels);
        QCOMPARE(list.size(), count);
        QCOMPARE(list.value(0), first);
        QCOMPARE(list.value(count - 1), last);
    }

    // The step lines of a file come back into the list in "EW" form where the
    // former step lines stood; cycle programs and other lines stay in place.
    void mergeSteps_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("steps"); // "NN text"
        QTest::addColumn<QStringList>("merged");
        QTest::newRow("replaces former steps in place")
            << crlf({"; [TKV]", "EW00PO400 PF2000 GA100 PN0", "EW01$&GA5", "EW03$&T100",
                     "EW02PO5 PF5 GS+ PN0", "PN0"})
            << QStringList{"01 $&GA7", "05 $&N01"}
            << crlf({"; [TKV]", "EW00PO400 PF2000 GA100 PN0", "EW01$&GA7", "EW05$&N01",
                     "EW02PO5 PF5 GS+ PN0", "PN0"});
        QTest::newRow("none before: after the last slot line")
            << crlf({"PF2000", "EW00PO400 PF2000 GA100 PN0", "PN0"}) << QStringList{"02 $&CA"}
            << crlf({"PF2000", "EW00PO400 PF2000 GA100 PN0", "EW02$&CA", "PN0"});
        QTest::newRow("no slot line at all: at the end")
            << crlf({"PF2000", "PN0"}) << QStringList{"FF $&GI+"}
            << crlf({"PF2000", "PN0", "EWFF$&GI+"});
        QTest::newRow("all steps deleted") << crlf({"EW00$&GA5", "EW00PO5 PF5 GS- PN0", "WU1$&CA"})
                                           << QStringList{} << crlf({"EW00PO5 PF5 GS- PN0"});
    }
    void mergeSteps() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, merged);
        QStringList wanted(PlcArea::SlotCount);
        for (const QString& s : steps)
            wanted[s.left(2).toInt(nullptr, 16)] = s.mid(3);
        PlcArea::MergeStepsIntoLineList(lines, wanted);
        QCOMPARE(lines, merged);
        // And the file reads back into the same steps.
        QCOMPARE(PlcArea::FromLineList(lines).extendedSteps, wanted);
    }

    // Programming from the step dialog writes each slot's step, and the
    // cycle program the axis held where a slot has no step.
    void textsToProgram() {
        PlcArea::Slots area;
        area.programs[0] = QStringLiteral("PO400 PF2000 GA100 PN0");
        area.programs[1] = QStringLiteral("PO5 PF5 GS+ PN0");
        area.extendedSteps[1] = QStringLiteral("$&T5");
        area.extendedSteps[7] = QStringLiteral("$&CA");
        const QStringList t = PlcArea::StepTextsToProgram(area);
        QCOMPARE(t.size(), PlcArea::SlotCount);
        QCOMPARE(t.mid(0, 8),
                 (QStringList{"PO400 PF2000 GA100 PN0", "$&T5", "", "", "", "", "", "$&CA"}));
    }

    void deviceTypeOfFile() {
        QCOMPARE(ExtendedStep::deviceTypeFromLines(crlf({"PF100", "; [TMW]", "PN0"})),
                 QStringLiteral("TMW"));
        QCOMPARE(ExtendedStep::deviceTypeFromLines(crlf({"PF100", "; [SMC]"})), QString());
    }
};

QTEST_GUILESS_MAIN(TestExtendedStep)
#include "tst_extendedstep.moc"
