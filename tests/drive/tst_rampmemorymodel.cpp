// The ramp memory dialog's model: free memory, delete marks and the suggested
// slope as numbers, and a listing read from the simulated controller.

#include "SimRig.h"
#include "drive/RampMemory.h"
#include "drive/RampMemoryModel.h"

#include <QTest>

namespace {

RampListing listingOf(const QList<int>& sizes, qint32 top) {
    RampListing listing;
    listing.count = int(sizes.size());
    listing.topFrequency = top;
    for (int bytes : sizes) {
        listing.slopes << 1000;
        listing.sizes << bytes;
    }
    return listing;
}

} // namespace

class TestRampMemoryModel : public QObject {
    Q_OBJECT

private slots:
    void freeMemoryAndSuggestion_data() {
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<bool>("erased");
        QTest::addColumn<qint64>("free");
        QTest::addColumn<quint32>("suggestion");
        // 4040^2 / 65164 = 250.46 -> 300; 4040^2 / 47126 = 346.3 -> 400.
        QTest::newRow("no ramps") << QList<int>{} << QList<int>{} << false << qint64(65168) << 300u;
        QTest::newRow("two ramps")
            << QList<int>{1644, 16394} << QList<int>{} << false << qint64(47130) << 400u;
        // Marks give back what a deletion would; the suggestion stays with
        // what is still in use.
        QTest::newRow("second marked")
            << QList<int>{1644, 16394} << QList<int>{1} << false << qint64(47130 + 16394) << 400u;
        QTest::newRow("both marked")
            << QList<int>{1644, 16394} << QList<int>{0, 1} << false << qint64(65168) << 400u;
        QTest::newRow("a mark past the rows counts nothing")
            << QList<int>{1644, 16394} << QList<int>{5} << false << qint64(47130) << 400u;
        QTest::newRow("erased memory is all free")
            << QList<int>{1644, 16394} << QList<int>{1} << true << qint64(65168) << 400u;
        QTest::newRow("644 bytes free: nothing suggested")
            << QList<int>{64524} << QList<int>{} << false << qint64(644) << 0u;
        // 4040^2 / 641 = 25462.7 -> 25500.
        QTest::newRow("645 bytes free")
            << QList<int>{64523} << QList<int>{} << false << qint64(645) << 25500u;
    }
    void freeMemoryAndSuggestion() {
        QFETCH(QList<int>, sizes);
        QFETCH(QList<int>, marked);
        QFETCH(bool, erased);
        QFETCH(qint64, free);
        QFETCH(quint32, suggestion);
        RampMemoryModel model;
        model.setListing(listingOf(sizes, 4000));
        model.setMarkable(int(sizes.size()));
        for (int row : marked)
            model.setMarked(row, true);
        if (erased)
            model.setErased();
        QCOMPARE(model.freeMemory(), free);
        QCOMPARE(model.suggestion(), suggestion);
        // Leaving delete mode takes the marks back.
        model.clearMarks();
        QVERIFY(!model.anyMarked());
        if (!erased)
            QCOMPARE(model.freeMemory(), qint64(RampFreeMemory(model.usedBytes())));
    }

    // The rows are the controller's ramps as it lists them; cleared rows
    // count nothing, and the next listing is shown again.
    void listingFromTheController() {
        SimRig rig;
        QVERIFY(rig.open());
        qint64 used = 0;
        QList<quint32> slopes;
        QList<qint32> sizes;
        rig.axis([&](sim::SimAxis& a) {
            a.maxRunFreq = 4000;
            a.ramps.erase();
            for (quint16 s : {50, 125, 250})
                QVERIFY(a.ramps.appendRamp(s, a.clockHz, 4000));
            for (int i = 0; i < a.ramps.rampCount(); ++i) {
                slopes << quint32(a.ramps.slope(i));
                sizes << qint32(a.ramps.word(0x10 + 2 * i) * 2 + 4);
                used += sizes.last();
            }
        });
        QCOMPARE(slopes, (QList<quint32>{5000, 12500, 25000}));

        RampListing listing;
        QVERIFY(ReadRampListing(rig.link, rig.op, &listing));
        RampMemoryModel model;
        model.setListing(listing);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.topFrequency(), 4000);
        for (int row = 0; row < 3; ++row) {
            quint32 slope = 0;
            qint32 bytes = 0;
            QVERIFY(model.slope(row, &slope) && model.tableBytes(row, &bytes));
            QCOMPARE(slope, slopes.at(row));
            QCOMPARE(bytes, sizes.at(row));
        }
        quint32 none = 0;
        QVERIFY(!model.slope(3, &none));
        QCOMPARE(model.usedBytes(), used);
        QCOMPARE(model.freeMemory(), 65168 - used);

        model.setMarkable(3);
        model.setMarked(2, true);
        QCOMPARE(model.freeMemory(), 65168 - used + sizes.at(2));

        model.clearRows();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.freeMemory(), qint64(65168) + sizes.at(2));
        QCOMPARE(model.topFrequency(), 4000);
        model.setListing(listing);
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(rig.op.shown.isEmpty());
    }
};

QTEST_MAIN(TestRampMemoryModel)
#include "tst_rampmemorymodel.moc"
