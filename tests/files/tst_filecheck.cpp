#include "files/FileCheck.h"

#include <QtTest>

// Which parameter files may be sent as they are: a file cut short or edited by
// hand must be caught before any axis is touched.

namespace {

const QString Table =
    QStringLiteral("0032007D00FA017701F4027102EE036B03E804B0FFFFFFFFFFFFFFFFFFFFFFFF");

// A whole file as the writer makes it, with its lines replaced as given.
QStringList file(const QString& device, const QStringList& params, const QString& table) {
    QStringList lines{"; Kormak 01.01.2026", device, ";", "; [Parameter]"};
    lines << params;
    lines << ";"
          << "; [Beschleunigungstabelle]"
          << ";" << QStringLiteral("; [bitte nicht \u00e4ndern   ]: ") + table << ";"
          << "EW00GA100";
    for (QString& l : lines)
        l += QStringLiteral("\r\n");
    return lines;
}

const QStringList Params{"PD0", "PA1.2", "PR0.8", "PS0.3", "PF5000", "PG200000", "PH3",
                         "PL1", "PM10",  "PN2",   "PO500", "PP20",   "PT50",     "PW7"};

QStringList with(int at, const QString& line) {
    QStringList p = Params;
    p.replace(at, line);
    return p;
}

} // namespace

class FileCheckTest : public QObject {
    Q_OBJECT
private slots:
    void fileLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        using R = FileDamage::Reason;
        QTest::newRow("whole file") << file("; [TKV]", Params, Table) << int(R::None) << 0 << "";
        QTest::newRow("no selection is no damage")
            << file("; [TKV]", with(0, "PD-1"), Table) << int(R::None) << 0 << "";
        QTest::newRow("cut short after PG80")
            << file("; [TKV]", Params.mid(0, 5) << "PG80", {}).mid(0, 10) << int(R::Missing) << 0
            << "PM";
        QTest::newRow("empty value")
            << file("; [TKV]", with(8, "PM"), Table) << int(R::Empty) << 13 << "PM";
        QTest::newRow("not a number")
            << file("; [TKV]", with(4, "PF50o0"), Table) << int(R::NotNumber) << 9 << "PF50o0";
        QTest::newRow("level in an ampere file")
            << file("; [TKV]", with(1, "PAA"), Table) << int(R::NotCurrent) << 6 << "PAA";
        QTest::newRow("amperes in a level file")
            << file("; [RZH]", with(1, "PA1.2"), Table) << int(R::NotCurrent) << 6 << "PA1.2";
        QTest::newRow("either form without a device line")
            << file(";", with(1, "PAA"), Table) << int(R::None) << 0 << "";
        QTest::newRow("PT takes any text")
            << file("; [TKV]", with(12, "PTfifty"), Table) << int(R::None) << 0 << "";
        QTest::newRow("table cut inside a group")
            << file("; [TKV]", Params, Table.left(38)) << int(R::Table) << 22
            << QStringLiteral("; [bitte nicht \u00e4ndern   ]: ") + Table.left(38);
        QTest::newRow("zero group")
            << file("; [TKV]", Params, QStringLiteral("00320000FFFF")) << int(R::Table) << 22
            << QStringLiteral("; [bitte nicht \u00e4ndern   ]: 00320000FFFF");
        QTest::newRow("empty table") << file("; [TKV]", Params, QString()) << int(R::Table) << 22
                                     << QStringLiteral("; [bitte nicht \u00e4ndern   ]: ");
    }
    void fileLines() {
        QFETCH(QStringList, lines);
        QFETCH(int, reason);
        QFETCH(int, line);
        QFETCH(QString, text);
        const FileDamage damage = CheckParameterFileLines(lines);
        QCOMPARE(int(damage.reason), reason);
        QCOMPARE(damage.line, line);
        QCOMPARE(damage.text, text);
    }

    void deviceFamily_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("family");
        QTest::newRow("online save") << "; [TMW]"
                                     << "TMW";
        QTest::newRow("offline save of a new configuration") << "; [] Offline Speicherung!"
                                                             << "";
        QTest::newRow("older file") << ";"
                                    << "";
    }
    void deviceFamily() {
        QFETCH(QString, device);
        QFETCH(QString, family);
        QCOMPARE(FileDeviceFamily(file(device, Params, Table)), family);
    }

    // What the panel would send: an empty field names its command.
    void commands() {
        QCOMPARE(int(CheckParameterCommands(Params, QStringLiteral("TKV")).reason),
                 int(FileDamage::Reason::None));
        const FileDamage d = CheckParameterCommands(with(10, "PO"), QStringLiteral("TKV"));
        QCOMPARE(int(d.reason), int(FileDamage::Reason::Empty));
        QCOMPARE(d.text, QStringLiteral("PO"));
    }
};

QTEST_MAIN(FileCheckTest)
#include "tst_filecheck.moc"
