#include "ScriptedOperator.h"
#include "link/AxisAddress.h"
#include "link/SerialLink.h"

#include <QTest>

Q_DECLARE_METATYPE(AxisAddress::Kind)

class TestAxisAddress : public QObject {
    Q_OBJECT

private slots:
    // Every text an address is written as comes back as the same address, and
    // the same bytes; anything else is refused rather than taken for an axis.
    void parseAndFormat_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<AxisAddress::Kind>("kind");
        QTest::addColumn<int>("number");
        using K = AxisAddress::Kind;
        QTest::newRow("no address yet") << "" << true << K::None << -1;
        QTest::newRow("first axis") << "0" << true << K::Axis << 0;
        QTest::newRow("last decimal digit") << "9" << true << K::Axis << 9;
        QTest::newRow("first letter") << "A" << true << K::Axis << 10;
        QTest::newRow("last axis") << "F" << true << K::Axis << 15;
        QTest::newRow("opened file") << "OFFLINE" << true << K::Offline << -1;
        QTest::newRow("new configuration") << "OFFLINE NEW" << true << K::NewConfiguration << -1;
        QTest::newRow("lower-case letter") << "a" << false << K::None << -1;
        QTest::newRow("beyond F") << "G" << false << K::None << -1;
        QTest::newRow("two digits") << "10" << false << K::None << -1;
        QTest::newRow("leading blank") << " 0" << false << K::None << -1;
        QTest::newRow("trailing blank") << "0 " << false << K::None << -1;
        QTest::newRow("digit after OFFLINE") << "OFFLINE1" << false << K::None << -1;
        QTest::newRow("lower-case offline") << "offline" << false << K::None << -1;
        QTest::newRow("two blanks before NEW") << "OFFLINE  NEW" << false << K::None << -1;
        QTest::newRow("NEW alone") << "NEW" << false << K::None << -1;
        QTest::newRow("wide digit") << QString(QChar(0xFF10)) << false << K::None << -1;
    }
    void parseAndFormat() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(AxisAddress::Kind, kind);
        QFETCH(int, number);
        const std::optional<AxisAddress> address = AxisAddress::parse(text);
        QCOMPARE(address.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(address->kind(), kind);
        QCOMPARE(address->number(), number);
        QCOMPARE(address->text(), text);
        QCOMPARE(address->digit(), number >= 0 ? text.front() : QChar());
        QCOMPARE(AxisAddress::parse(address->text()), address);
        if (kind == AxisAddress::Kind::Axis) {
            QCOMPARE(AxisAddress::axis(number), *address);
            QCOMPARE(AxisAddress::ofDigit(text.front()), address);
        }
    }

    // Whatever text the link holds, the program decides offline or not the
    // way it always has: any text naming OFFLINE sends nothing.
    void linkText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("newConfiguration");
        QTest::addColumn<QString>("axis");
        QTest::newRow("axis") << "7" << false << false << "7";
        QTest::newRow("opened file") << "OFFLINE" << true << false << "";
        QTest::newRow("new configuration") << "OFFLINE NEW" << true << true << "";
        QTest::newRow("OFFLINE with a digit") << "OFFLINE1" << true << false << "";
        QTest::newRow("NEW inside a longer text") << "X OFFLINE NEW" << true << true << "";
        QTest::newRow("unknown text") << "G" << false << false << "";
        QTest::newRow("empty") << "" << false << false << "";
    }
    void linkText() {
        QFETCH(QString, text);
        QFETCH(bool, offline);
        QFETCH(bool, newConfiguration);
        QFETCH(QString, axis);
        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(text);
        const AxisAddress address = link.axisAddress();
        QCOMPARE(address.isOffline(), offline);
        QCOMPARE(address.isNewConfiguration(), newConfiguration);
        QCOMPARE(address.digit(), axis.isEmpty() ? QChar() : axis.front());
        // The frames keep carrying the text as it was set.
        QCOMPARE(link.currentAddress(), text);
        // An offline text never reaches the port, open or not.
        if (offline) {
            QCOMPARE(link.SendCommand(QStringLiteral("PC?")), PseudoReply::Offline);
            QCOMPARE(link.lastFailure(), SerialLink::Failure::Offline);
        }
        link.setAxisAddress(address);
        QCOMPARE(link.axisAddress(), address);
    }

    void numbersOutsideTheBus_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("below") << -1;
        QTest::newRow("above") << 16;
    }
    void numbersOutsideTheBus() {
        QFETCH(int, number);
        const AxisAddress address = AxisAddress::axis(number);
        QVERIFY(address.isNone());
        QVERIFY(!address.isOffline());
        QCOMPARE(address.text(), QString());
    }
};

QTEST_GUILESS_MAIN(TestAxisAddress)
#include "tst_axisaddress.moc"
