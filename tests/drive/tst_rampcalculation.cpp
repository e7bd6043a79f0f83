#include "drive/RampCalculation.h"
#include "drive/RampMemory.h"
#include "drive/RampMemoryImage.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {

// The stored entries of a table as the 4-digit words kormakctl prints.
QStringList entryWords(const RampMemoryImage& image, int first, int count) {
    QStringList words;
    for (int j = first; j < first + count; ++j)
        words << QStringLiteral("%1")
                     .arg(image.word(0x72 + 2 * j), 4, 16, QLatin1Char('0'))
                     .toUpper();
    return words;
}

} // namespace

class TestRampCalculation : public QObject {
    Q_OBJECT

private slots:
    // The tables a controller has always been given for these inputs.
    void table_data() {
        QTest::addColumn<int>("clock");
        QTest::addColumn<int>("top");
        QTest::addColumn<uint>("slope");
        QTest::addColumn<int>("free");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("tail");
        const int fits = int(RampTableStatus::Fits);
        const int noMemory = int(RampTableStatus::NoMemory);

        QTest::newRow("10000 Hz/s") << 12000000 << 4000 << 10000u << 65168 << fits << 820 << 1644
                                    << "B26E EC78 F254 F323 F462 F544"
                                    << "FF09 FF09 FF0A";
        QTest::newRow("1000 Hz/s")
            << 12000000 << 4000 << 1000u << 65168 << fits << 8195 << 16394 << "0E79 C23D D4C5"
            << "";
        // Steps of 65536 ticks or more get the longest step the word holds
        // (65535 ticks, "0001"), not their low 16 bits ("4F5C", 45,000 ticks
        // where 110,756 are due); the entries after them are untouched.
        QTest::newRow("300 Hz/s: first step longer than a word")
            << 12000000 << 4000 << 300u << 65168 << fits << 26990 << 53984
            << "0001 8F3D B111 B5B7 BCEA"
            << "FF07 FF07 FF0A";
        QTest::newRow("48 MHz clock: first step longer than a word")
            << 48000000 << 4000 << 10000u << 65168 << fits << 816 << 1636
            << "0001 B1E0 C950 CC89 D186"
            << "FC21 FC22 FC23";
        // The check follows every entry: 2j + 2 >= free after entry j.
        QTest::newRow("free 1000 fails after entry 499")
            << 12000000 << 4000 << 10000u << 1000 << noMemory << 499 << 0
            << "B26E EC78 F254 F323 F462 F544"
            << "";
        QTest::newRow("free just enough")
            << 12000000 << 4000 << 10000u << 1644 << fits << 820 << 1644 << "B26E"
            << "FF0A";
        QTest::newRow("free one entry short")
            << 12000000 << 4000 << 10000u << 1642 << noMemory << 820 << 0 << "B26E"
            << "";
        // An empty slope field: no finite entry, only the memory check ends it.
        QTest::newRow("slope 0") << 12000000 << 4000 << 0u << 65168 << noMemory << 32583 << 0
                                 << "0000 0000 0000"
                                 << "";
        // Free memory beyond the image is clamped to it; below zero, to nothing.
        QTest::newRow("free above the image")
            << 12000000 << 4000 << 0u << 1000000 << noMemory << 32583 << 0 << "0000"
            << "";
        QTest::newRow("free negative")
            << 12000000 << 4000 << 10000u << -5 << noMemory << 1 << 0 << "B26E"
            << "";
        // The steepest slope the directory can name: two steps reach the top.
        QTest::newRow("largest slope")
            << 12000000 << 4000 << 6553499u << 65168 << fits << 2 << 8 << "FCF3 FF3D"
            << "FCF3 FF3D";
        QTest::newRow("slope word would be FFFF")
            << 12000000 << 4000 << 6553500u << 65168 << int(RampTableStatus::SlopeTooLarge) << 0
            << 0 << ""
            << "";
        QTest::newRow("slope word would overflow")
            << 12000000 << 4000 << 6553600u << 65168 << int(RampTableStatus::SlopeTooLarge) << 0
            << 0 << ""
            << "";
        QTest::newRow("no top frequency") << 12000000 << 0 << 10000u << 65168
                                          << int(RampTableStatus::NoTopFrequency) << 0 << 0 << ""
                                          << "";
        QTest::newRow("no clock") << 11 << 4000 << 10000u << 65168 << int(RampTableStatus::NoClock)
                                  << 0 << 0 << ""
                                  << "";
    }
    void table() {
        QFETCH(int, clock);
        QFETCH(int, top);
        QFETCH(uint, slope);
        QFETCH(int, free);
        QFETCH(int, status);
        QFETCH(int, entries);
        QFETCH(int, bytes);
        QFETCH(QString, head);
        QFETCH(QString, tail);

        auto image = RampMemoryImage::create();
        QVERIFY(image);
        const RampTable table = ComputeRampTable(*image, clock, top, slope, free);
        QCOMPARE(int(table.status), status);
        QCOMPARE(table.entries, entries);
        QCOMPARE(table.bytesNeeded, bytes);
        const QStringList headWords = head.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(entryWords(*image, 0, int(headWords.size())), headWords);
        if (table.status == RampTableStatus::Fits) {
            const QStringList tailWords = tail.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QCOMPARE(entryWords(*image, entries - int(tailWords.size()), int(tailWords.size())),
                     tailWords);
            QCOMPARE(int(image->word(0x70)), entries);         // count in front
            QCOMPARE(int(image->word(0x72 + 2 * entries)), 0); // end mark behind
            QCOMPARE(int(image->at(0x72 + 2 * entries + 2)), 0xFF);
        }
        if (slope == 0) {
            // Every stored entry is zero, right up to the end of the room.
            for (int j = 0; j < entries; ++j)
                QCOMPARE(int(image->word(0x72 + 2 * j)), 0);
        }
        // The directory part of the image is never touched by the computation.
        for (int offset = 0; offset < 0x70; ++offset)
            QCOMPARE(int(image->at(offset)), 0xFF);
    }

    // The table ends with the first step shorter than one step at 1.01 x top:
    // every entry before the last one is at least that long.
    void tableEndsAtTheLimit() {
        auto image = RampMemoryImage::create();
        const RampTable table = ComputeRampTable(*image, 12000000, 4000, 10000, 65168);
        QCOMPARE(table.status, RampTableStatus::Fits);
        const int limitTicks = 247; // 10^6 / 4040, truncated
        for (int j = 0; j < table.entries - 1; ++j)
            QVERIFY2(65536 - image->word(0x72 + 2 * j) >= limitTicks,
                     qPrintable(QString::number(j)));
        QCOMPARE(65536 - image->word(0x72 + 2 * (table.entries - 1)), 246);
    }

    void truncation_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<uint>("low32");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("negative ticks") << -19858.1 << 0xFFFFB26Eu;
        QTest::newRow("toward zero, negative") << -0.9 << 0u;
        QTest::newRow("toward zero, positive") << 246.99 << 246u;
        QTest::newRow("beyond 32 bits") << 1e10 << 1410065408u;
        QTest::newRow("2^32 wraps to 0") << 4294967296.5 << 0u;
        QTest::newRow("the limit of 4000 Hz") << -247.52475247524754 << 0xFFFFFF09u;
        QTest::newRow("+infinity") << inf << 0u;
        QTest::newRow("-infinity") << -inf << 0u;
        QTest::newRow("NaN") << std::nan("") << 0u;
        QTest::newRow("2^63") << 9223372036854775808.0 << 0u;
        QTest::newRow("-2^63") << -9223372036854775808.0 << 0u;
        QTest::newRow("beyond 2^63") << 1e30 << 0u;
    }
    void truncation() {
        QFETCH(double, value);
        QFETCH(uint, low32);
        QCOMPARE(TruncateToLow32(value), quint32(low32));
    }

    void imageHex_data() {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("block");
        QTest::newRow("full block") << "000102030405060708090A0B0C0D0E0F"
                                    << "000102030405060708090A0B0C0D0E0F";
        QTest::newRow("lower case") << "abcdef"
                                    << "ABCDEFFFFFFFFFFFFFFFFFFFFFFFFFFF";
        // Bytes the reply does not cover stay erased.
        QTest::newRow("short reply") << "0102"
                                     << "0102FFFFFFFFFFFFFFFFFFFFFFFFFFFF";
        QTest::newRow("odd digit count") << "01020"
                                         << "0102FFFFFFFFFFFFFFFFFFFFFFFFFFFF";
        QTest::newRow("not hexadecimal") << "01G203"
                                         << "01FF03FFFFFFFFFFFFFFFFFFFFFFFFFF";
        QTest::newRow("empty") << ""
                               << "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";
    }
    void imageHex() {
        QFETCH(QString, digits);
        QFETCH(QString, block);
        auto image = RampMemoryImage::create();
        image->storeHex(0x30, digits, 16);
        QCOMPARE(image->blockHex(0x30), block);
    }

    void imageBounds() {
        auto image = RampMemoryImage::create();
        image->set(RampMemoryImage::Size - 1, 0x12);
        image->set(RampMemoryImage::Size, 0x34); // past the end: ignored
        image->set(-1, 0x56);
        QCOMPARE(int(image->at(RampMemoryImage::Size - 1)), 0x12);
        // A block that starts inside and runs past the end reads erased bytes there.
        QCOMPARE(image->blockHex(RampMemoryImage::Size - 1),
                 QStringLiteral("12") + QString(30, 'F'));
        QCOMPARE(image->blockHex(RampMemoryImage::Size), QString(32, 'F'));
    }

    // The slope suggested for the free memory: the smallest multiple of
    // 100 Hz/s above the slope whose table just fills it.
    void suggestion_data() {
        QTest::addColumn<int>("top");
        QTest::addColumn<qint64>("used");
        QTest::addColumn<uint>("suggestion");
        QTest::newRow("empty memory") << 4000 << qint64(0) << 300u;
        QTest::newRow("1644 + 16394 bytes used") << 4000 << qint64(18038) << 400u;
        QTest::newRow("645 bytes free") << 4000 << qint64(65168 - 645) << 25500u;
        QTest::newRow("644 bytes free: none") << 4000 << qint64(65168 - 644) << 0u;
        QTest::newRow("memory over-full: none") << 4000 << qint64(70000) << 0u;
        QTest::newRow("top still unknown") << 0 << qint64(0) << 100u;
        QTest::newRow("10000 Hz") << 10000 << qint64(0) << 1600u;
    }
    void suggestion() {
        QFETCH(int, top);
        QFETCH(qint64, used);
        QFETCH(uint, suggestion);
        QCOMPARE(SuggestedRamp(top, used), quint32(suggestion));
    }

    void leadingDecimal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("digits");
        QTest::newRow("plain") << "65168" << qint64(65168) << true;
        QTest::newRow("blanks and sign") << "  -12x" << qint64(-12) << true;
        QTest::newRow("plus") << "+7" << qint64(7) << true;
        QTest::newRow("no digits") << "abc" << qint64(0) << false;
        QTest::newRow("empty") << "" << qint64(0) << false;
        QTest::newRow("pseudo-reply") << "TIMEOUT\r\n" << qint64(0) << false;
        QTest::newRow("saturates")
            << "99999999999999999999999" << std::numeric_limits<qint64>::max() << true;
    }
    void leadingDecimal() {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QFETCH(bool, digits);
        bool hasDigits = !digits;
        QCOMPARE(LeadingDecimal(text, &hasDigits), value);
        QCOMPARE(hasDigits, digits);
    }
};

QTEST_APPLESS_MAIN(TestRampCalculation)
#include "tst_rampcalculation.moc"
