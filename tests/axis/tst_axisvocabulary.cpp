#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "axis/StatusPolling.h"

#include <QTest>

using namespace AxisVocabulary;

namespace {

// "a..b/s" expands to a, a+s, ..., b; pieces are separated by commas.
QStringList expand(const QString& pattern) {
    QStringList out;
    for (const QString& piece : pattern.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int dots = piece.indexOf(QLatin1String(".."));
        if (dots < 0) {
            out << piece;
            continue;
        }
        const int slash = piece.indexOf(QLatin1Char('/'));
        const int from = piece.left(dots).toInt();
        const int to = piece.mid(dots + 2, slash - dots - 2).toInt();
        const int step = piece.mid(slash + 1).toInt();
        for (int v = from; v <= to; v += step)
            out << QString::number(v);
    }
    return out;
}

} // namespace

class TestAxisVocabulary : public QObject {
    Q_OBJECT

private slots:
    // The lists a read of "IF?" leaves in the two frequency boxes.
    void frequencyLists_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("runList");
        QTest::addColumn<QStringList>("startStopList");

        const QStringList defaultRun = expand("50..500/50,600..1000/100,1250..5000/250,"
                                              "5500..10000/500");
        const QStringList defaultStartStop = expand("50..500/50,600..1100/100,1250");
        QTest::newRow("10000: both default") << "10000" << defaultRun << defaultStartStop;
        QTest::newRow("4000: bound 500 reached exactly")
            << "4000" << expand("50..500/50,600..1000/100,1250..4000/250") << expand("50..500/50");
        QTest::newRow("3300: both bounds appended")
            << "3300" << expand("50..500/50,600..1000/100,1250..3250/250,3300")
            << expand("50..400/50,412");
        QTest::newRow("3000") << "3000" << expand("50..500/50,600..1000/100,1250..3000/250")
                              << expand("50..350/50,375");
        QTest::newRow("no digits: both empty") << "ERROR\r\n" << QStringList() << QStringList();
        QTest::newRow("trailing text ignored")
            << "3000 Hz" << expand("50..500/50,600..1000/100,1250..3000/250")
            << expand("50..350/50,375");
        QTest::newRow("12000: steps go on past the default end")
            << "12000" << expand("50..500/50,600..1000/100,1250..5000/250,5500..12000/500")
            << expand("50..500/50,600..1500/100");
    }
    void frequencyLists() {
        QFETCH(QString, reply);
        QFETCH(QStringList, runList);
        QFETCH(QStringList, startStopList);
        const quint32 maxRun = leadingUnsigned(reply);
        QCOMPARE(runFreqListFor(maxRun), runList);
        QCOMPARE(startStopListFor(maxStartStopFreqOf(maxRun)), startStopList);
    }

    // A garbled "IF?" read as a huge bound must not freeze the panel filling a
    // list with millions of entries.
    void hugeBoundStaysUsable() {
        const quint32 bound = leadingUnsigned(QStringLiteral("99999999999999999999"));
        QCOMPARE(bound, 4294967295u);
        const QStringList run = runFreqListFor(bound);
        QVERIFY(run.size() < 1000);
        QCOMPARE(run.last(), QStringLiteral("4294967295"));
        QCOMPARE(startStopListFor(maxStartStopFreqOf(bound)).last(), QStringLiteral("536870911"));
    }

    void rampSlopes_data() {
        QTest::addColumn<QString>("valueList");
        QTest::addColumn<QStringList>("slopes");
        QTest::newRow("ends at FFFF, the word after it unread")
            << "0032007D00FAFFFF0000" << QStringList{"5000", "12500", "25000"};
        QTest::newRow("two replies with FFFF") << "0032007D00FA"
                                                  "FFFF"
                                               << QStringList{"5000", "12500", "25000"};
        QTest::newRow("default list")
            << DefaultRampValueList << QStringList{"5000",  "12500", "25000", "37500",  "50000",
                                                   "62500", "75000", "87500", "100000", "120000"};
        QTest::newRow("64 digits without FFFF: sixteen")
            << QString("0001").repeated(16) << QStringList(16, QStringLiteral("100"));
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("short last group read as it is") << "0032007" << QStringList{"5000", "700"};
        QTest::newRow("lower case digits") << "00fa" << QStringList{"25000"};
        QTest::newRow("largest word") << "FFFE" << QStringList{"6553400"};
        QTest::newRow("a lost reply is no ramp") << "TIMEOUT\r\n" << QStringList();
        QTest::newRow("first half good, second lost")
            << "0032007D00FA017701F4027102EE036B"
               "TIMEOUT\r\n"
            << QStringList{"5000", "12500", "25000", "37500", "50000", "62500", "75000", "87500"};
        QTest::newRow("group with a sign stops") << "0032-001" << QStringList{"5000"};
        QTest::newRow("group with a blank stops") << "0032 0FA" << QStringList{"5000"};
        QTest::newRow("non-hex letter stops") << "003200G1" << QStringList{"5000"};
    }
    void rampSlopes() {
        QFETCH(QString, valueList);
        QFETCH(QStringList, slopes);
        QCOMPARE(RampSlopes(valueList), slopes);
    }

    void newOfflineRampList() {
        // 5000, then +7500 below 12500, +12500 below 100000, +20000 below 120000.
        QStringList expected{"5000"};
        for (int v = 5000; v < 120000;) {
            v += v < 12500 ? 7500 : v < 100000 ? 12500 : 20000;
            expected << QString::number(v);
        }
        QCOMPARE(offlineRampList(), expected);
    }

    void validateSignedNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        for (const char* t : {"", "0", "123", "+", "-", "+5", "-5", "007", "-2147483649"})
            QTest::newRow(qPrintable(QStringLiteral("accept '%1'").arg(t))) << t << true;
        for (const char* t :
             {"12a", "a1", " 1", "1 ", "1-", "--1", "+-", "1.5", "1,5", "0x10", "1e3"})
            QTest::newRow(qPrintable(QStringLiteral("reject '%1'").arg(t))) << t << false;
        // Digits of other scripts are no digits on this wire.
        QTest::newRow("reject arabic-indic digit") << QString(QChar(0x0663)) << false;
        QTest::newRow("reject fullwidth digit") << QStringLiteral("1") + QChar(0xFF12) << false;
    }
    void validateSignedNumber() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(ValidateSignedNumber(text), accepted);
    }

    // What the frequency boxes send after the bound check.
    void boundedFrequency_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<uint>("bound");
        QTest::addColumn<QString>("sent");
        QTest::newRow("above") << "2500" << 1250u << "1250";
        QTest::newRow("at the bound") << "1250" << 1250u << "1250";
        QTest::newRow("below") << "800" << 1250u << "800";
        QTest::newRow("negative is above every bound") << "-5" << 1250u << "1250";
        QTest::newRow("minus zero is zero") << "-0" << 1250u << "-0";
        QTest::newRow("plus sign kept") << "+300" << 1250u << "+300";
        QTest::newRow("twenty digits saturate above") << "99999999999999999999" << 1250u << "1250";
        QTest::newRow("just above 32 bits") << "4294967296" << 10000u << "10000";
        QTest::newRow("empty stays empty") << "" << 1250u << "";
        QTest::newRow("bound 0 replaces everything but 0") << "50" << 0u << "0";
    }
    void boundedFrequency() {
        QFETCH(QString, entry);
        QFETCH(uint, bound);
        QFETCH(QString, sent);
        QCOMPARE(AxisVocabulary::boundedFrequency(entry, bound), sent);
    }

    void commands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ramp 0") << rampCommand(0) << "PN0";
        QTest::newRow("ramp 11 in hex") << rampCommand(11) << "PNB";
        QTest::newRow("ramp 16") << rampCommand(16) << "PN10";
        QTest::newRow("no ramp selected: nothing") << rampCommand(-1) << "";
        QTest::newRow("linear") << systemTypeCommand(1) << "PL1";
        QTest::newRow("no system type") << systemTypeCommand(-1) << "";
        QTest::newRow("PLC mode") << operatingModeCommand(1) << "PD1";
        QTest::newRow("outputs off") << outputCommand(false, false) << "IO0";
        QTest::newRow("A0") << outputCommand(true, false) << "IO1";
        QTest::newRow("A1") << outputCommand(false, true) << "IO2";
        QTest::newRow("A0 and A1") << outputCommand(true, true) << "IO3";
        QTest::newRow("slot 10 read") << plcSlotReadCommand(10, false) << "ER0A";
        QTest::newRow("slot 255 read") << plcSlotReadCommand(255, false) << "ERFF";
        QTest::newRow("slot 256 does not exist") << plcSlotReadCommand(256, false) << "";
        QTest::newRow("slot 10 write")
            << plcSlotWriteCommand(10, "PO400 GA16000", false) << "EW0APO400 GA16000";
        QTest::newRow("eight slots: slot 7 read") << plcSlotReadCommand(7, true) << "FU7";
        QTest::newRow("eight slots: slot 7 write")
            << plcSlotWriteCommand(7, "GA100", true) << "WU7GA100";
        QTest::newRow("eight slots: slot 8 does not exist")
            << plcSlotWriteCommand(8, "X", true) << "";
        QTest::newRow("negative slot") << plcSlotReadCommand(-1, false) << "";
    }
    void commands() {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        QCOMPARE(command, expected);
    }

    void moves_data() {
        QTest::addColumn<int>("moveType");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("readsPosition");
        QTest::addColumn<bool>("targetAccepted");
        QTest::newRow("initialise +") << 0 << ""
                                      << "GI+" << false << true;
        QTest::newRow("initialise -") << 1 << ""
                                      << "GI-" << false << true;
        QTest::newRow("absolute") << 2 << "16000"
                                  << "GA16000" << true << true;
        QTest::newRow("relative, negative") << 3 << "-150"
                                            << "GR-150" << true << true;
        QTest::newRow("free run +") << 4 << ""
                                    << "GF+" << false << true;
        QTest::newRow("free run -") << 5 << ""
                                    << "GF-" << false << true;
        QTest::newRow("step +") << 6 << ""
                                << "GS+" << true << true;
        QTest::newRow("step -") << 7 << ""
                                << "GS-" << true << true;
        QTest::newRow("no selection") << -1 << ""
                                      << "" << false << true;
        // A typo must not become a move to position 0.
        QTest::newRow("absolute, empty target") << 2 << ""
                                                << "GA" << true << false;
        QTest::newRow("absolute, sign only") << 2 << "-"
                                             << "GA-" << true << false;
        QTest::newRow("relative, letter") << 3 << "15o"
                                          << "GR15o" << true << false;
    }
    void moves() {
        QFETCH(int, moveType);
        QFETCH(QString, target);
        QFETCH(QString, command);
        QFETCH(bool, readsPosition);
        QFETCH(bool, targetAccepted);
        QCOMPARE(moveCommand(moveType, target), command);
        QCOMPARE(moveReadsPosition(moveType), readsPosition);
        if (moveNeedsTarget(moveType))
            QCOMPARE(validMoveTarget(target), targetAccepted);
    }

    void replyIndexes_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::newRow("PN? B of 16") << "B" << 16 << 16 << 11;
        QTest::newRow("PN? B of 10: outside the list") << "B" << 16 << 10 << -1;
        QTest::newRow("PN? empty") << "" << 16 << 10 << -1;
        QTest::newRow("PL? 1") << "1" << 10 << 2 << 1;
        QTest::newRow("PL? 2: outside") << "2" << 10 << 2 << -1;
        QTest::newRow("PD? garbage") << "x" << 10 << 2 << -1;
        QTest::newRow("PD? -1") << "-1" << 10 << 2 << -1;
    }
    void replyIndexes() {
        QFETCH(QString, reply);
        QFETCH(int, base);
        QFETCH(int, count);
        QFETCH(int, index);
        QCOMPARE(replyIndex(reply, base, count), index);
    }

    // Status, inputs and the changed-parameters bit from their fixed positions.
    void statusPositions_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("inputs");
        QTest::newRow("running, bit 5") << "021 0" << 0x21 << 0;
        QTest::newRow("status 06, inputs 9") << "006 9" << 0x06 << 9;
        QTest::newRow("lower case") << "0ff a" << 0xFF << 10;
        QTest::newRow("no input digit") << "080 " << 0x80 << 0;
        QTest::newRow("too short for anything") << "0" << 0 << 0;
        QTest::newRow("one status digit") << "08" << 0x08 << 0;
    }
    void statusPositions() {
        QFETCH(QString, reply);
        QFETCH(int, status);
        QFETCH(int, inputs);
        QCOMPARE(ShortStatus::of(reply), status);
        QCOMPARE(ShortStatus::inputsOf(reply), inputs);
    }

    void parametersChangedBit_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("changed");
        QTest::newRow("bit 5 of the second byte") << "002000" << true;
        QTest::newRow("every other bit") << "FFDFFF" << false;
        QTest::newRow("bit 5 of the first byte only") << "200000" << false;
        QTest::newRow("clear") << "000000" << false;
        QTest::newRow("too short") << "00" << false;
        QTest::newRow("lost reply") << "TIMEOUT\r\n" << false;
    }
    void parametersChangedBit() {
        QFETCH(QString, reply);
        QFETCH(bool, changed);
        QCOMPARE(parametersChanged(reply), changed);
    }
};

QTEST_APPLESS_MAIN(TestAxisVocabulary)
#include "tst_axisvocabulary.moc"
