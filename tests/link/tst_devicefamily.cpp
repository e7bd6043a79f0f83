#include "link/DeviceFamily.h"

#include <QTest>

// The "DO?" reply and what the program concludes from it. Each rule is asked
// of texts where the three rules part ways: a code at the start, inside, or
// alone.
class TestDeviceFamily : public QObject {
    Q_OBJECT
    using Rule = DeviceFamily::Rule;

private slots:
    void rulesPartWhereTheCodeStands_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("beginsWith");
        QTest::addColumn<bool>("contains");
        QTest::addColumn<bool>("exact");
        QTest::newRow("code alone") << "TKV" << true << true << true;
        QTest::newRow("code first") << "TKV 3A/50V" << true << true << false;
        QTest::newRow("code inside") << "SM-TKV 3A" << false << true << false;
        QTest::newRow("leading blank") << " TKV" << false << true << false;
        QTest::newRow("lower case") << "tkv 3A" << false << false << false;
        QTest::newRow("other family") << "SMC 8A" << false << false << false;
        QTest::newRow("empty reply") << "" << false << false << false;
        QTest::newRow("pseudo-reply") << "TIMEOUT\r\n" << false << false << false;
    }
    void rulesPartWhereTheCodeStands() {
        QFETCH(QString, text);
        QFETCH(bool, beginsWith);
        QFETCH(bool, contains);
        QFETCH(bool, exact);
        const DeviceFamily family(text);
        QCOMPARE(family.beginsWith("TKV"), beginsWith);
        QCOMPARE(family.contains("TKV"), contains);
        QCOMPARE(family.isExactly("TKV"), exact);
        QCOMPARE(family.is("TKV", Rule::BeginsWith), beginsWith);
        QCOMPARE(family.is("TKV", Rule::Contains), contains);
        QCOMPARE(family.is("TKV", Rule::Exact), exact);
    }

    // What each caller concludes: the currents under the rule it uses, the
    // slot area, the I/O card and the rate list.
    void whatFollowsFromTheFamily_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("amperesContains");
        QTest::addColumn<int>("amperesBeginsWith");
        QTest::addColumn<int>("amperesExact");
        QTest::addColumn<bool>("eightSlots");
        QTest::addColumn<bool>("reducedIo");
        QTest::addColumn<QString>("code");
        QTest::newRow("TKV drive") << "TKV 6A/80V" << 64 << 64 << 0 << false << true << "TKV";
        QTest::newRow("TMW drive") << "TMW 1A" << 15 << 15 << 0 << false << true << "TMW";
        QTest::newRow("file marker TKV") << "TKV" << 64 << 64 << 64 << false << true << "TKV";
        QTest::newRow("file marker TMW") << "TMW" << 15 << 15 << 15 << false << true << "TMW";
        QTest::newRow("TMW inside") << "SM TMW" << 15 << 0 << 0 << false << false << "SM";
        // Both codes: "TKV" is asked first.
        QTest::newRow("both codes") << "TMW/TKV" << 64 << 15 << 0 << false << true << "TMW";
        QTest::newRow("eight slots") << "RZH 2" << 0 << 0 << 0 << true << false << "RZH";
        QTest::newRow("eight slots inside") << "SM-RZH" << 0 << 0 << 0 << true << false << "SM";
        QTest::newRow("levels family") << "SMC 8A" << 0 << 0 << 0 << false << false << "SMC";
        QTest::newRow("no reply text") << "" << 0 << 0 << 0 << false << false << "";
        QTest::newRow("digits first") << "3TKV" << 64 << 0 << 0 << false << false << "";
    }
    void whatFollowsFromTheFamily() {
        QFETCH(QString, text);
        QFETCH(int, amperesContains);
        QFETCH(int, amperesBeginsWith);
        QFETCH(int, amperesExact);
        QFETCH(bool, eightSlots);
        QFETCH(bool, reducedIo);
        QFETCH(QString, code);
        const DeviceFamily family(text);
        QCOMPARE(family.ampereEntryCount(Rule::Contains), amperesContains);
        QCOMPARE(family.ampereEntryCount(Rule::BeginsWith), amperesBeginsWith);
        QCOMPARE(family.ampereEntryCount(Rule::Exact), amperesExact);
        QCOMPARE(family.ampereFamily(Rule::Contains), amperesContains > 0);
        QCOMPARE(family.eightSlots(), eightSlots);
        QCOMPARE(family.slotCount(), eightSlots ? 8 : 256);
        QCOMPARE(family.reducedIo(), reducedIo);
        QCOMPARE(family.fullRateRange(), reducedIo);
        QCOMPARE(family.code(), code);
    }

    void pseudoRepliesAreNoFamily_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("replied");
        QTest::newRow("timeout") << "TIMEOUT\r\n" << false;
        QTest::newRow("closed port") << "ERROR\r\n" << false;
        QTest::newRow("empty text") << "" << true;
        QTest::newRow("drive") << "TKV 3A" << true;
    }
    void pseudoRepliesAreNoFamily() {
        QFETCH(QString, text);
        QFETCH(bool, replied);
        QCOMPARE(DeviceFamily(text).replied(), replied);
    }
};

QTEST_APPLESS_MAIN(TestDeviceFamily)
#include "tst_devicefamily.moc"
