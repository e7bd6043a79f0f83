// The simulated bus without a port: frames in, bytes out, time injected.
//
// Frames are built here with the test's own framing code and the replies are checked
// byte by byte, so that a framing fault in the bus cannot hide behind the same fault in
// its own helpers.

#include "sim/SimBus.h"
#include "sim/SimStatus.h"

#include <QRegularExpression>
#include <QTest>

using sim::SimBus;

namespace {

constexpr char STX = 0x02;
constexpr char ETX = 0x03;

QByteArray hex2(quint8 v) {
    return QByteArray::number(v, 16).toUpper().rightJustified(2, '0');
}

quint8 xorOf(const QByteArray& bytes) {
    quint8 x = 0;
    for (char c : bytes)
        x ^= quint8(c);
    return x;
}

struct Reply {
    bool valid = false; // a well-formed reply frame with a correct checksum
    QChar address;
    int status = -1;
    QString data;
};

// Checks the reply form on the wire: STX, address, two status digits, blank, data, ":",
// checksum over everything between STX and the checksum, ETX.
Reply parseReply(const QByteArray& bytes) {
    Reply r;
    const qsizetype n = bytes.size();
    if (n < 9 || bytes[0] != STX || bytes[n - 1] != ETX || bytes[n - 4] != ':' || bytes[4] != ' ' ||
        bytes.count(ETX) != 1)
        return r;
    bool ok = false;
    const int sum = bytes.mid(n - 3, 2).toInt(&ok, 16);
    if (!ok || sum != xorOf(bytes.mid(1, n - 4)) || bytes.mid(n - 3, 2) != hex2(quint8(sum)))
        return r;
    r.status = bytes.mid(2, 2).toInt(&ok, 16);
    if (!ok)
        return r;
    r.valid = true;
    r.address = QChar(bytes[1]);
    r.data = QString::fromLatin1(bytes.mid(5, n - 9));
    return r;
}

// A bus with a clock the test moves by hand.
struct Wire {
    explicit Wire(const QString& axes = "0") : bus(axes) {}

    static QByteArray full(QChar a, const QString& command) {
        const QByteArray inner = QByteArray(1, a.toLatin1()) + command.toLatin1() + ':';
        return STX + inner + hex2(xorOf(inner)) + ETX;
    }
    QByteArray send(const QByteArray& bytes) { return bus.receive(bytes, now, rate); }
    Reply ask(QChar a, const QString& command) { return parseReply(send(full(a, command))); }
    QString data(const QString& command, QChar a = u'0') { return ask(a, command).data; }
    int status(QChar a = u'0') { return ask(a, "PC?").status; }
    void release(QChar a = u'0') {
        const QString code = data("IC?", a);
        QCOMPARE(data("FC" + code, a), QStringLiteral("OK"));
    }
    void at(qint64 ms) {
        now = ms;
        bus.advance(now);
    }
    qint64 position(QChar a = u'0') { return data("PC?", a).toLongLong(); }

    SimBus bus;
    qint64 now = 0;
    int rate = 28800;
};

// Second data byte of "IS?", the byte whose bit 5 reports changed parameters.
int statusByte2(Wire& w) {
    return w.data("IS?").mid(2, 2).toInt(nullptr, 16);
}

} // namespace

class TestSimBus : public QObject {
    Q_OBJECT

private slots:
    void replyToKnownFrame();
    void framing_data();
    void framing();
    void framesAcrossReads();
    void logKeepsTheNewestLines();
    void queries_data();
    void queries();
    void settings_data();
    void settings();
    void changedParametersFlag_data();
    void changedParametersFlag();
    void defaultsCommand();
    void writeRelease_data();
    void writeRelease();
    void plcSlots_data();
    void plcSlots();
    void motion_data();
    void motion();
    void positioningProfile();
    void stopBrakesAlongTheRamp();
    void baudChange_data();
    void baudChange();
    void rampMemory();
    void currents_data();
    void currents();
    void statusAndResets();
    void overallStatusReportsWhatItClears_data();
    void overallStatusReportsWhatItClears();
    void refusalsAreRecorded_data();
    void refusalsAreRecorded();
    void inputLines_data();
    void inputLines();
    void sfiCard();
    void ioCard();
};

void TestSimBus::replyToKnownFrame() {
    // Address "0", command "IS?": 02 30 49 53 3F 3A 32 46 03 on the wire.
    Wire w;
    const QByteArray reply = w.send(QByteArray("\x02"
                                               "0IS?:2F"
                                               "\x03"));
    QCOMPARE(reply, QByteArray("\x02"
                               "000 000000:2A"
                               "\x03"));
}

void TestSimBus::framing_data() {
    QTest::addColumn<QString>("axes");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("logged"); // empty: nothing logged
    QTest::addColumn<QString>("from");   // answering axis, empty: no reply
    QTest::addColumn<QString>("data");

    const QByteArray full3 = Wire::full(u'3', "IF?");
    QTest::newRow("full frame") << "03A" << full3 << 28800 << "3 IF?"
                                << "3"
                                << "10000";
    QByteArray damaged = full3;
    damaged[damaged.size() - 2] = damaged[damaged.size() - 2] == '0' ? '1' : '0';
    QTest::newRow("wrong checksum: silent") << "03A" << damaged << 28800 << "3 IF?"
                                            << ""
                                            << "";
    QTest::newRow("absent address: silent") << "03A" << Wire::full(u'5', "IF?") << 28800 << "5 IF?"
                                            << ""
                                            << "";
    QTest::newRow("wrong line rate: silent") << "03A" << full3 << 9600 << "3 IF?"
                                             << ""
                                             << "";
    QTest::newRow("address only") << "05"
                                  << QByteArray("\x02"
                                                "5IS?"
                                                "\x03")
                                  << 28800 << "5 IS?"
                                  << "5"
                                  << "000000";
    QTest::newRow("checksum only: lowest axis") << "35"
                                                << QByteArray("\x02"
                                                              "IS?:1F"
                                                              "\x03")
                                                << 28800 << "3 IS?"
                                                << "3"
                                                << "000000";
    QTest::newRow("bare STX/ETX: lowest axis") << "35"
                                               << QByteArray("\x02"
                                                             "IS?"
                                                             "\x03")
                                               << 28800 << "3 IS?"
                                               << "3"
                                               << "000000";
    QTest::newRow("checksum only, wrong sum: silent") << "35"
                                                      << QByteArray("\x02"
                                                                    "IS?:1E"
                                                                    "\x03")
                                                      << 28800 << "3 IS?"
                                                      << ""
                                                      << "";
    // An address letter that also starts a mnemonic ("CI") still addresses axis C.
    QTest::newRow("address C before an I command") << "0C"
                                                   << QByteArray("\x02"
                                                                 "CIF?"
                                                                 "\x03")
                                                   << 28800 << "C IF?"
                                                   << "C"
                                                   << "10000";
    // "EWA0..." is a slot write, not command "WA0..." for axis E.
    QTest::newRow("slot write that looks addressed") << "0E"
                                                     << QByteArray("\x02"
                                                                   "EWA0GA1"
                                                                   "\x03")
                                                     << 28800 << "0 EWA0GA1"
                                                     << "0"
                                                     << "NO";
    QTest::newRow("address before single-letter stop") << "07"
                                                       << QByteArray("\x02"
                                                                     "7H"
                                                                     "\x03")
                                                       << 28800 << "7 H"
                                                       << "7"
                                                       << "";
    QTest::newRow("unknown command is answered")
        << "0" << Wire::full(u'0', "XY?") << 28800 << "0 XY?"
        << "0"
        << "";
    QTest::newRow("unknown command for a letter address")
        << "0A" << Wire::full(u'A', "XY?") << 28800 << "A XY?"
        << "A"
        << "";
    QTest::newRow("command starting with a letter, no address")
        << "3F"
        << QByteArray("\x02"
                      "FR0050"
                      "\x03")
        << 28800 << "3 FR0050"
        << "3"
        << "0032007D00FA017701F4027102EE036B";
    QTest::newRow("empty frame ignored") << "0" << QByteArray("\x02\x03") << 28800 << ""
                                         << ""
                                         << "";
}

void TestSimBus::framing() {
    QFETCH(QString, axes);
    QFETCH(QByteArray, bytes);
    QFETCH(int, rate);
    QFETCH(QString, logged);
    QFETCH(QString, from);
    QFETCH(QString, data);

    Wire w(axes);
    w.rate = rate;
    const QByteArray out = w.send(bytes);
    QCOMPARE(w.bus.log(), logged.isEmpty() ? QStringList() : QStringList{logged});
    if (from.isEmpty()) {
        QCOMPARE(out, QByteArray());
        return;
    }
    const Reply r = parseReply(out);
    QVERIFY2(r.valid, out.toHex(' ').constData());
    QCOMPARE(QString(r.address), from);
    QCOMPARE(r.data, data);
}

void TestSimBus::framesAcrossReads() {
    // A frame that arrives in pieces is answered when its ETX comes; noise between frames
    // and an abandoned frame before a new STX are dropped.
    Wire w;
    const QByteArray frame = Wire::full(u'0', "IF?");
    QCOMPARE(w.send("xx" + frame.left(3)), QByteArray());
    QCOMPARE(w.send(frame.mid(3, 2)), QByteArray());
    QCOMPARE(parseReply(w.send(frame.mid(5))).data, QStringLiteral("10000"));
    QCOMPARE(w.send(QByteArray("\x02"
                               "0PF") +
                    Wire::full(u'0', "PO?"))
                     .size() > 0,
             true);
    QCOMPARE(w.bus.log(), (QStringList{"0 IF?", "0 PO?"}));
    // Two frames in one read give two replies, in order.
    const QByteArray two = w.send(Wire::full(u'0', "PO?") + Wire::full(u'0', "PF?"));
    const qsizetype cut = two.indexOf(ETX) + 1;
    QCOMPARE(parseReply(two.left(cut)).data, QStringLiteral("400"));
    QCOMPARE(parseReply(two.mid(cut)).data, QStringLiteral("2000"));
}

void TestSimBus::logKeepsTheNewestLines() {
    // The log is a ring: past its bound the oldest lines and frames go, while the count of
    // lines goes on, so that a reader of "the lines since n" still finds the new ones.
    Wire w;
    w.bus.setLogBound(3);
    const QStringList commands{"IF?", "PO?", "PF?", "PC?", "IS?"};
    for (const QString& c : commands)
        w.ask(u'0', c);
    QCOMPARE(w.bus.logCount(), qint64(5));
    QCOMPARE(w.bus.log(), (QStringList{"0 PF?", "0 PC?", "0 IS?"}));
    QCOMPARE(w.bus.frames().size(), 3);
    QCOMPARE(w.bus.frames().front(), Wire::full(u'0', "PF?"));
    QCOMPARE(w.bus.frames().back(), Wire::full(u'0', "IS?"));
    QCOMPARE(w.bus.logSince(4), QStringList{"0 IS?"});
    // Lines already dropped are not invented; a mark beyond the count gives nothing.
    QCOMPARE(w.bus.logSince(0), w.bus.log());
    QCOMPARE(w.bus.logSince(5), QStringList());
    // A smaller bound trims at once; clearing starts the count again.
    w.bus.setLogBound(1);
    QCOMPARE(w.bus.log(), QStringList{"0 IS?"});
    w.bus.clearLog();
    QCOMPARE(w.bus.logCount(), qint64(0));
    w.ask(u'0', "IF?");
    QCOMPARE(w.bus.logSince(0), QStringList{"0 IF?"});
    QCOMPARE(w.bus.frames(), QList<QByteArray>{Wire::full(u'0', "IF?")});
}

void TestSimBus::queries_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("form"); // the whole data field must match

    // The default axis as the program first meets it.
    QTest::newRow("max run frequency") << "IF?"
                                       << "10000";
    QTest::newRow("family") << "DO?"
                            << "TKV 3A/50V";
    QTest::newRow("no SFI card") << "PI?"
                                 << "-1";
    QTest::newRow("ramp list, first half") << "FR0050"
                                           << "0032007D00FA017701F4027102EE036B";
    QTest::newRow("ramp list, second half") << "FR0060"
                                            << "03E804B0FFFFFFFFFFFFFFFFFFFFFFFF";
    QTest::newRow("inputs: one hex digit") << "II?"
                                           << "[0-9A-F]";
    QTest::newRow("outputs") << "IO?"
                             << "0";
    QTest::newRow("date code") << "IC?"
                               << "190423";
    QTest::newRow("start/stop frequency") << "PO?"
                                          << "400";
    QTest::newRow("run frequency") << "PF?"
                                   << "2000";
    QTest::newRow("ramp index") << "PN?"
                                << "0";
    QTest::newRow("system type") << "PL?"
                                 << "0";
    QTest::newRow("operating mode") << "PD?"
                                    << "0";
    QTest::newRow("position") << "PC?"
                              << "0";
    QTest::newRow("axis limit") << "PG?"
                                << "1000000";
    QTest::newRow("backlash") << "PW?"
                              << "0";
    QTest::newRow("zero offset +") << "PP?"
                                   << "0";
    QTest::newRow("zero offset -") << "PM?"
                                   << "0";
    QTest::newRow("PH") << "PH?"
                        << "0";
    QTest::newRow("overall status") << "IS?"
                                    << "[0-9A-F]{6}";
    QTest::newRow("clock") << "IQ?"
                           << "12000000";
    QTest::newRow("ramp count") << "IN?"
                                << "10";
    QTest::newRow("free address") << "IA?"
                                  << "[0-9A-F]{4}";
    QTest::newRow("bios code") << "IB?"
                               << "BIOS_\\S+";
    QTest::newRow("system code") << "IV?"
                                 << "PG\\S+";
    QTest::newRow("device id") << "ID?"
                               << ".+";
    QTest::newRow("boost current, amperes") << "PA??"
                                            << "1\\.5";
    QTest::newRow("boost time") << "PT?"
                                << "20";
    QTest::newRow("current table") << "FA?"
                                   << "[0-9A-F]{32}";
    QTest::newRow("no I/O card") << "PE?"
                                 << "(?!POEA).*";
    QTest::newRow("program number") << "EI?"
                                    << "[0-9A-F]{2}";
    QTest::newRow("free PLC slot") << "ER00"
                                   << "";
    QTest::newRow("ramp directory read") << "FR0010"
                                         << "[0-9A-F]{32}";
}

void TestSimBus::queries() {
    QFETCH(QString, command);
    QFETCH(QString, form);
    Wire w;
    const Reply r = w.ask(u'0', command);
    QVERIFY(r.valid);
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(form)).match(r.data).hasMatch(),
             qPrintable(r.data));
    QCOMPARE(r.status & 0x40, 0); // no "other error"
}

void TestSimBus::settings_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("refused");

    QTest::newRow("run frequency") << "PF3000"
                                   << "PF?"
                                   << "3000" << false;
    QTest::newRow("run frequency at the maximum") << "PF10000"
                                                  << "PF?"
                                                  << "10000" << false;
    QTest::newRow("run frequency above the maximum") << "PF10001"
                                                     << "PF?"
                                                     << "2000" << true;
    QTest::newRow("start/stop above max/8") << "PO1251"
                                            << "PO?"
                                            << "400" << true;
    QTest::newRow("bare mnemonic") << "PO"
                                   << "PO?"
                                   << "400" << true;
    QTest::newRow("ramp index in hex") << "PNB"
                                       << "PN?"
                                       << "B" << false;
    QTest::newRow("system type") << "PL1"
                                 << "PL?"
                                 << "1" << false;
    QTest::newRow("system type out of range") << "PL2"
                                              << "PL?"
                                              << "0" << true;
    QTest::newRow("operating mode") << "PD1"
                                    << "PD?"
                                    << "1" << false;
    QTest::newRow("negative position") << "PC-1234"
                                       << "PC?"
                                       << "-1234" << false;
    QTest::newRow("position with plus sign") << "PC+77"
                                             << "PC?"
                                             << "77" << false;
    QTest::newRow("position with a letter") << "PC12a"
                                            << "PC?"
                                            << "0" << true;
    QTest::newRow("axis limit") << "PG500000"
                                << "PG?"
                                << "500000" << false;
    QTest::newRow("negative axis limit") << "PG-5"
                                         << "PG?"
                                         << "1000000" << true;
    QTest::newRow("backlash") << "PW-5"
                              << "PW?"
                              << "-5" << false;
    QTest::newRow("zero offset +") << "PP100"
                                   << "PP?"
                                   << "100" << false;
    QTest::newRow("zero offset -") << "PM200"
                                   << "PM?"
                                   << "200" << false;
    QTest::newRow("PH") << "PH5"
                        << "PH?"
                        << "5" << false;
    QTest::newRow("run current in amperes") << "PR1.5"
                                            << "PR??"
                                            << "1.5" << false;
    QTest::newRow("current above 6.3 A") << "PA6.4"
                                         << "PA??"
                                         << "1.5" << true;
    QTest::newRow("boost time") << "PT100"
                                << "PT?"
                                << "100" << false;
    QTest::newRow("outputs, decimal 3") << "IO3"
                                        << "IO?"
                                        << "3" << false;
    QTest::newRow("outputs out of range") << "IO4"
                                          << "IO?"
                                          << "0" << true;
}

void TestSimBus::settings() {
    QFETCH(QString, set);
    QFETCH(QString, query);
    QFETCH(QString, expected);
    QFETCH(bool, refused);
    Wire w;
    const Reply r = w.ask(u'0', set);
    QVERIFY(r.valid);
    QCOMPARE(r.data, QString()); // settings answer with an empty data field
    QCOMPARE(bool(r.status & 0x40), refused);
    QCOMPARE(w.data(query), expected);
}

void TestSimBus::changedParametersFlag_data() {
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("changed");

    QTest::newRow("fresh axis") << QStringList{} << false;
    QTest::newRow("run frequency set") << QStringList{"PF3000"} << true;
    QTest::newRow("position is no parameter") << QStringList{"PC5"} << false;
    QTest::newRow("outputs are no parameter") << QStringList{"IO1"} << false;
    QTest::newRow("refused value changes nothing") << QStringList{"PL7"} << false;
    QTest::newRow("internal defaults loaded") << QStringList{"PB"} << true;
    QTest::newRow("stored permanently") << QStringList{"PF3000", "IC?", "FC190423", "WP"} << false;
    QTest::newRow("store refused without release") << QStringList{"PF3000", "WP"} << true;
    QTest::newRow("changed again after storing")
        << QStringList{"PF3000", "IC?", "FC190423", "WP", "PO300"} << true;
}

void TestSimBus::changedParametersFlag() {
    QFETCH(QStringList, commands);
    QFETCH(bool, changed);
    Wire w;
    for (const QString& c : commands)
        QVERIFY(w.ask(u'0', c).valid);
    QCOMPARE(bool(statusByte2(w) & 0x20), changed);
    // Reading the status does not clear the flag; only storing does.
    QCOMPARE(bool(statusByte2(w) & 0x20), changed);
}

void TestSimBus::defaultsCommand() {
    Wire w;
    for (const char* c : {"PF3000", "PO300", "PN3", "PL1", "PG500", "PW-7", "PR2.0", "PC4711"})
        w.ask(u'0', c);
    w.ask(u'0', "PB");
    QCOMPARE(w.data("PF?"), QStringLiteral("2000"));
    QCOMPARE(w.data("PO?"), QStringLiteral("400"));
    QCOMPARE(w.data("PN?"), QStringLiteral("0"));
    QCOMPARE(w.data("PL?"), QStringLiteral("0"));
    QCOMPARE(w.data("PG?"), QStringLiteral("1000000"));
    QCOMPARE(w.data("PW?"), QStringLiteral("0"));
    QCOMPARE(w.data("PR??"), QStringLiteral("1.0"));
    // The position is where the axis stands, not a parameter.
    QCOMPARE(w.data("PC?"), QStringLiteral("4711"));
}

void TestSimBus::writeRelease_data() {
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("replies");

    const QString block = "WR0500" + QString(32, u'0');
    QTest::newRow("granted, then used up")
        << QStringList{"IC?", "FC190423", "WP", "WP"} << QStringList{"190423", "OK", "OK", "NO"};
    QTest::newRow("no release") << QStringList{"WP", "WE", "EW00x", "WA", "WD"}
                                << QStringList{"NO", "NO", "NO", "NO", "NO"};
    QTest::newRow("wrong date code") << QStringList{"FC190424", "WP"} << QStringList{"NO", "NO"};
    QTest::newRow("empty date code") << QStringList{"FC", "WP"} << QStringList{"NO", "NO"};
    QTest::newRow("queries between release and write")
        << QStringList{"FC190423", "IA?", "PC?", "WE"} << QStringList{"OK", "*", "*", "OK"};
    QTest::newRow("one release, one slot write")
        << QStringList{"FC190423", "EW01a", "EW02b"} << QStringList{"OK", "OK", "NO"};
    QTest::newRow("ramp blocks then store, one release")
        << QStringList{"FC190423", block, block, "WX", block}
        << QStringList{"OK", "OK", "OK", "OK", "NO"};
    QTest::newRow("another write ends the ramp sequence")
        << QStringList{"FC190423", block, "WP", "WX"} << QStringList{"OK", "OK", "NO", "NO"};
    QTest::newRow("store without release") << QStringList{"WX"} << QStringList{"NO"};
    QTest::newRow("baud change needs no release") << QStringList{"DB0"} << QStringList{"OK"};
}

void TestSimBus::writeRelease() {
    QFETCH(QStringList, commands);
    QFETCH(QStringList, replies);
    Wire w;
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const Reply r = w.ask(u'0', commands[i]);
        QVERIFY(r.valid);
        if (replies[i] != u"*")
            QCOMPARE(r.data, replies[i]);
    }
}

void TestSimBus::plcSlots_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("writeReply");

    QTest::newRow("256 slots: slot 0A") << "TKV 3A/50V"
                                        << "EW0APO400 PF2000 GA16000 PN3"
                                        << "ER0A"
                                        << "PO400 PF2000 GA16000 PN3"
                                        << "OK";
    QTest::newRow("256 slots: slot FF") << "TMW 1A"
                                        << "EWFF$&x"
                                        << "ERFF"
                                        << "$&x"
                                        << "OK";
    QTest::newRow("8 slots: slot 7") << "RZH 2.0"
                                     << "WU7GA100"
                                     << "FU7"
                                     << "GA100"
                                     << "OK";
    QTest::newRow("8 slots refuse the 256-slot write") << "RZH 2.0"
                                                       << "EW07GA100"
                                                       << "FU7"
                                                       << ""
                                                       << "NO";
    QTest::newRow("256 slots refuse the 8-slot write") << "TKV 3A/50V"
                                                       << "WU1GA100"
                                                       << "ER01"
                                                       << ""
                                                       << "NO";
    QTest::newRow("8 slots: no slot 8") << "RZH 2.0"
                                        << "WU8GA1"
                                        << "FU0"
                                        << ""
                                        << "NO";
}

void TestSimBus::plcSlots() {
    QFETCH(QString, family);
    QFETCH(QString, write);
    QFETCH(QString, read);
    QFETCH(QString, expected);
    QFETCH(QString, writeReply);
    Wire w;
    w.bus.axis(u'0').setFamily(family);
    w.release();
    QCOMPARE(w.data(write), writeReply);
    QCOMPARE(w.data(read), expected);
}

void TestSimBus::motion_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("move");
    QTest::addColumn<int>("atMs");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("status"); // bits 0 (running), 1, 2 (initiators), 6 (error)

    // The axis starts in the middle of 400000 eighth steps of travel, at position 0.
    QTest::newRow("absolute") << QStringList{} << "GA16000" << 3000 << qint64(16000) << 0x00;
    QTest::newRow("relative, negative") << QStringList{} << "GR-50" << 500 << qint64(-50) << 0x00;
    QTest::newRow("absolute from a set position")
        << QStringList{"PC1000"} << "GA0" << 1000 << qint64(0) << 0x00;
    QTest::newRow("one step +") << QStringList{} << "GS+" << 100 << qint64(8) << 0x00;
    QTest::newRow("one step -") << QStringList{} << "GS-" << 100 << qint64(-8) << 0x00;
    QTest::newRow("initialise via initiator -")
        << QStringList{"PM777"} << "GI-" << 20000 << qint64(777) << 0x04;
    QTest::newRow("initialise via initiator +")
        << QStringList{"PP55"} << "GI+" << 20000 << qint64(55) << 0x02;
    QTest::newRow("free run - ends at the initiator")
        << QStringList{} << "GF-" << 20000 << qint64(-200000) << 0x04;
    QTest::newRow("free run + ends at the initiator")
        << QStringList{} << "GF+" << 20000 << qint64(200000) << 0x02;
    QTest::newRow("positioning past the end stops at the switch")
        << QStringList{} << "GA300000" << 30000 << qint64(200000) << 0x42;
    QTest::newRow("no moves in PLC mode")
        << QStringList{"PD1"} << "GA100" << 1000 << qint64(0) << 0x40;
    QTest::newRow("still running (any position)")
        << QStringList{} << "GF+" << 1000 << qint64(-1) << 0x01;
}

void TestSimBus::motion() {
    QFETCH(QStringList, setup);
    QFETCH(QString, move);
    QFETCH(int, atMs);
    QFETCH(qint64, position);
    QFETCH(int, status);
    Wire w;
    for (const QString& c : setup)
        w.ask(u'0', c);
    QVERIFY(w.ask(u'0', move).valid);
    w.at(atMs);
    const Reply r = w.ask(u'0', "PC?");
    if (position != -1)
        QCOMPARE(r.data.toLongLong(), position);
    QCOMPARE(r.status & 0x47, status);
}

void TestSimBus::positioningProfile() {
    // PF2000, PO400, ramp 0 (5000 Hz/s): 0.32 s up, 0.62 s at speed, 0.32 s down for 2000
    // full steps; a slow ramp makes the same move longer.
    Wire w;
    QVERIFY(w.ask(u'0', "GA16000").status & 0x01);
    qint64 last = 0;
    for (int t = 100; t <= 1150; t += 150) {
        w.at(t);
        const Reply r = w.ask(u'0', "PC?");
        QVERIFY2(r.status & 0x01, qPrintable(QString::number(t)));
        const qint64 p = r.data.toLongLong();
        QVERIFY(p > last && p < 16000);
        last = p;
    }
    w.at(1350);
    QCOMPARE(w.position(), qint64(16000));
    QCOMPARE(w.status() & 0x01, 0);

    Wire slow;
    slow.ask(u'0', "PN9"); // 120000 Hz/s: almost no ramp at all
    slow.ask(u'0', "GA16000");
    slow.at(1050);
    QCOMPARE(slow.position(), qint64(16000));
}

void TestSimBus::stopBrakesAlongTheRamp() {
    Wire w;
    w.ask(u'0', "GF+");
    w.at(1000);
    QCOMPARE(w.data("H"), QString());
    w.at(1100);
    QVERIFY(w.status() & 0x01); // braking from 2000 Hz at 5000 Hz/s takes 0.32 s
    w.at(1400);
    QCOMPARE(w.status() & 0x01, 0);
    const qint64 stoppedAt = w.position();
    w.at(3000);
    QCOMPARE(w.position(), stoppedAt);
    // A move while another runs is refused; a stop with nothing running does nothing.
    w.ask(u'0', "GF+");
    QCOMPARE(w.ask(u'0', "GA0").status & 0x40, 0x40);
    w.ask(u'0', "H");
    w.at(4000);
    QCOMPARE(w.status() & 0x01, 0);
    QCOMPARE(w.data("H"), QString());
}

void TestSimBus::baudChange_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("newRate"); // 0: refused

    QTest::newRow("DB0 is 28800") << "TKV 3A/50V"
                                  << "DB0" << 28800;
    QTest::newRow("DB1 is 9600") << "TKV 3A/50V"
                                 << "DB1" << 9600;
    QTest::newRow("DB2 is 14400") << "TMW 1A"
                                  << "DB2" << 14400;
    QTest::newRow("DB3 is 19200") << "TKV 3A/50V"
                                  << "DB3" << 19200;
    QTest::newRow("DB4 is 38400") << "TKV 3A/50V"
                                  << "DB4" << 38400;
    QTest::newRow("other family: 9600") << "RZH 2.0"
                                        << "DB1" << 9600;
    QTest::newRow("other family: no 19200") << "RZH 2.0"
                                            << "DB3" << 0;
}

void TestSimBus::baudChange() {
    QFETCH(QString, family);
    QFETCH(QString, command);
    QFETCH(int, newRate);
    Wire w;
    w.bus.axis(u'0').setFamily(family);
    QCOMPARE(w.data(command), newRate ? QStringLiteral("OK") : QStringLiteral("NO"));
    const int rate = newRate ? newRate : 28800;
    for (int r : {9600, 14400, 19200, 28800, 38400}) {
        w.rate = r;
        QCOMPARE(w.ask(u'0', "IC?").valid, r == rate);
    }
}

void TestSimBus::rampMemory() {
    Wire w;
    // Delete all ramps (and the PLC area with them).
    w.bus.axis(u'0').plcSlots[3] = "GA1";
    w.release();
    QCOMPARE(w.data("WD"), QStringLiteral("OK"));
    QCOMPARE(w.data("IN?"), QStringLiteral("0"));
    QCOMPARE(w.data("IA?"), QStringLiteral("0070"));
    QCOMPARE(w.data("FR0050"), QString(32, u'F'));
    QCOMPARE(w.data("ER03"), QString());
    QCOMPARE(statusByte2(w) & 0x40, 0x40); // "no ramps"

    // Program one ramp of 2 entries at 0x0070: directory blocks, then the table.
    const QString counts = "0002" + QString(28, u'F');
    const QString starts = "0070" + QString(28, u'F');
    const QString slopes = "0064" + QString(28, u'F'); // 10000 Hz/s
    const QString table = "0002B26EEC780000" + QString(16, u'F');
    w.release();
    QCOMPARE(w.data("WR0010" + counts), QStringLiteral("OK"));
    QCOMPARE(w.data("WR0030" + starts), QStringLiteral("OK"));
    QCOMPARE(w.data("WR0050" + slopes), QStringLiteral("OK"));
    QCOMPARE(w.data("WR0070" + table), QStringLiteral("OK"));
    // Nothing shows before the store command.
    QCOMPARE(w.data("IN?"), QStringLiteral("0"));
    QCOMPARE(w.data("WX"), QStringLiteral("OK"));
    QCOMPARE(w.data("IN?"), QStringLiteral("1"));
    QCOMPARE(w.data("IA?"), QStringLiteral("0078"));
    QCOMPARE(w.data("FR0050"), slopes);
    QCOMPARE(w.data("FR0070"), table);

    // A block past the end of the ramp memory is refused.
    w.release();
    QCOMPARE(w.data("WRFF00" + QString(32, u'0')), QStringLiteral("NO"));

    // A release that is not finished with "WX" leaves the memory as it was.
    w.release();
    QCOMPARE(w.data("WR0050" + QString(32, u'0')), QStringLiteral("OK"));
    w.release();
    w.data("WX");
    QCOMPARE(w.data("FR0050"), slopes);

    // The internal default ramps come back with "WA".
    w.release();
    QCOMPARE(w.data("WA"), QStringLiteral("OK"));
    QCOMPARE(w.data("IN?"), QStringLiteral("10"));
    QCOMPARE(w.data("FR0050") + w.data("FR0060"),
             QStringLiteral("0032007D00FA017701F4027102EE036B03E804B0FFFFFFFFFFFFFFFFFFFFFFFF"));
    // Each default table starts where the one before ends and ends with a zero word.
    const QString dir = w.data("FR0010") + w.data("FR0020") + w.data("FR0030") + w.data("FR0040");
    int expectedStart = 0x70;
    for (int i = 0; i < 10; ++i) {
        const int k = dir.mid(4 * i, 4).toInt(nullptr, 16);
        const int start = dir.mid(64 + 4 * i, 4).toInt(nullptr, 16);
        QCOMPARE(start, expectedStart);
        QVERIFY(k > 0);
        const QString head =
            w.data("FR" + QString::number(start, 16).toUpper().rightJustified(4, u'0'));
        QCOMPARE(head.left(4).toInt(nullptr, 16), k);
        const int end = start + 2 + 2 * k;
        const QString tail =
            w.data("FR" + QString::number(end, 16).toUpper().rightJustified(4, u'0'));
        QCOMPARE(tail.left(4), QStringLiteral("0000"));
        expectedStart = end + 2;
    }
    QCOMPARE(w.data("IA?").toInt(nullptr, 16), expectedStart);
    // Steeper ramps need shorter tables.
    QVERIFY(dir.mid(0, 4).toInt(nullptr, 16) > dir.mid(36, 4).toInt(nullptr, 16));
}

void TestSimBus::currents_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("expected");

    QTest::newRow("TKV: amperes both ways") << "TKV 3A/50V"
                                            << "PR2.5"
                                            << "PR??"
                                            << "2.5";
    QTest::newRow("TKV: 6.3 A") << "TKV 3A/50V"
                                << "PA6.3"
                                << "PA??"
                                << "6.3";
    QTest::newRow("TMW: up to 1.4 A") << "TMW 1A"
                                      << "PS1.4"
                                      << "PS??"
                                      << "1.4";
    QTest::newRow("TMW: 1.5 A refused") << "TMW 1A"
                                        << "PS1.5"
                                        << "PS??"
                                        << "0.3";
    QTest::newRow("levels: hex digit") << "RZH 2.0"
                                       << "PR7"
                                       << "PR?"
                                       << "7";
    QTest::newRow("levels: F") << "RZH 2.0"
                               << "PAF"
                               << "PA?"
                               << "F";
    QTest::newRow("levels: amperes from the level table") << "RZH 2.0"
                                                          << "PR2"
                                                          << "PR??"
                                                          << "1.5";
    QTest::newRow("levels: amperes refused") << "RZH 2.0"
                                             << "PR1.5"
                                             << "PR?"
                                             << "4";
}

void TestSimBus::currents() {
    QFETCH(QString, family);
    QFETCH(QString, set);
    QFETCH(QString, query);
    QFETCH(QString, expected);
    Wire w;
    w.bus.axis(u'0').setFamily(family);
    w.ask(u'0', set);
    QCOMPARE(w.data(query), expected);
    QCOMPARE(w.data("FA?").left(8), QStringLiteral("050A0F14"));
}

void TestSimBus::statusAndResets() {
    Wire w;
    sim::SimAxis& a = w.bus.axis(u'0');
    // An unknown command is reported until the overall status has been read once.
    QCOMPARE(w.ask(u'0', "ZZ").status & 0x40, 0x40);
    QCOMPARE(w.data("IS?").left(2).toInt(nullptr, 16) & 0x08, 0x08); // bit 11
    QCOMPARE(w.status() & 0x40, 0);

    // A damaged frame gets no reply but is reported like any other line error.
    QByteArray damaged = Wire::full(u'0', "PF?");
    damaged[damaged.size() - 2] = damaged[damaged.size() - 2] == '0' ? '1' : '0';
    QCOMPARE(w.send(damaged), QByteArray());
    QCOMPARE(w.status() & 0x40, 0x40);
    QCOMPARE(w.data("IS?").left(2).toInt(nullptr, 16) & 0x80, 0x80); // bit 15
    QCOMPARE(w.status() & 0x40, 0);

    // Drive faults stay until their reset.
    a.latched |= sim::StatusBit::PowerStage | sim::StatusBit::OutputDriver |
                 sim::StatusBit::InitiatorError | sim::StatusBit::SfiError;
    QCOMPARE(w.status() & 0x18, 0x18);
    w.data("IS?");
    QCOMPARE(w.status() & 0x18, 0x18);
    w.ask(u'0', "CA");
    QCOMPARE(w.status() & 0x08, 0);
    w.ask(u'0', "CS");
    QCOMPARE(w.status() & 0x10, 0);
    QCOMPARE(w.data("IS?").right(2), QStringLiteral("80")); // bit 31
    w.ask(u'0', "CO");
    QCOMPARE(w.data("IS?").right(2).toInt(nullptr, 16) & 0x80, 0);
    QCOMPARE(w.data("IS?").mid(2, 2).toInt(nullptr, 16) & 0x02, 0x02); // bit 17
    w.ask(u'0', "CI");
    QCOMPARE(w.data("IS?").mid(2, 2).toInt(nullptr, 16) & 0x02, 0);

    // The whole-system reset stops the motor and reloads the stored parameters.
    w.ask(u'0', "PF3000");
    w.ask(u'0', "GF+");
    w.ask(u'0', "CR");
    // The axis restarts: silent for a moment, then back.
    QCOMPARE(w.send(Wire::full(u'0', "PF?")), QByteArray());
    w.now += a.restartMs;
    QCOMPARE(w.status() & 0x01, 0);
    QCOMPARE(w.data("PF?"), QStringLiteral("2000"));
    QCOMPARE(statusByte2(w) & 0x20, 0);
}

// Lines on kormak-sim's standard input: what they change, and what is refused.
void TestSimBus::inputLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<quint32>("latched");
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("programs");
    QTest::newRow("fault") << "3 fault power-stage" << true << quint32(sim::StatusBit::PowerStage)
                           << 0 << 0;
    QTest::newRow("fault, address in lower case")
        << "a fault temperature" << true << quint32(0) << 0 << 0;
    QTest::newRow("clear") << "3 clear sfi" << true << quint32(0) << 0 << 0;
    QTest::newRow("inputs") << "3 inputs 5" << true << quint32(0) << 5 << 0;
    QTest::newRow("program inputs") << "3 prog 81" << true << quint32(0) << 0 << 0x81;
    QTest::newRow("empty line") << "  " << true << quint32(0) << 0 << 0;
    QTest::newRow("unknown fault") << "3 fault smoke" << false << quint32(0) << 0 << 0;
    QTest::newRow("axis not on the bus") << "5 fault sfi" << false << quint32(0) << 0 << 0;
    QTest::newRow("inputs out of range") << "3 inputs 10" << false << quint32(0) << 0 << 0;
    QTest::newRow("not hexadecimal") << "3 prog xy" << false << quint32(0) << 0 << 0;
    QTest::newRow("missing value") << "3 fault" << false << quint32(0) << 0 << 0;
}

void TestSimBus::inputLines() {
    QFETCH(QString, line);
    QFETCH(bool, accepted);
    QFETCH(quint32, latched);
    QFETCH(int, inputs);
    QFETCH(int, programs);
    sim::SimBus bus(QStringLiteral("3A"));
    bus.axis(u'3').latched = sim::StatusBit::SfiError;
    const QString problem = sim::SimStatus::applyLine(bus, line);
    QCOMPARE(problem.isEmpty(), accepted);
    const sim::SimAxis& a = bus.axis(u'3');
    if (accepted && line.contains(u"fault") && line.startsWith(u'3'))
        QCOMPARE(a.latched, latched | sim::StatusBit::SfiError);
    else if (line.contains(u"clear"))
        QCOMPARE(a.latched, latched);
    else
        QCOMPARE(a.latched, quint32(sim::StatusBit::SfiError));
    QCOMPARE(a.inputs, inputs);
    QCOMPARE(a.programNumber, programs);
    if (line.startsWith(u'a'))
        QVERIFY(bus.axis(u'A').latched & sim::StatusBit::TemperatureWarning);
}

void TestSimBus::sfiCard() {
    Wire w;
    sim::SimAxis& a = w.bus.axis(u'0');
    QCOMPARE(w.data("PI?"), QStringLiteral("-1"));
    a.sfiCard = true;
    QCOMPARE(w.data("PI?"), QStringLiteral("0"));
    w.ask(u'0', "PI1");
    QCOMPARE(w.data("PI?"), QStringLiteral("1"));
    QCOMPARE(w.data("IM?"), QStringLiteral("FF"));
    QCOMPARE(w.data("IL?"), QStringLiteral("2"));

    // Configuration and records under one release, stored by "WX".
    const QString record = "0010" + QString("00112233445566778899AABBCCDDEEFF");
    QCOMPARE(w.data("IM92"), QStringLiteral("NO"));
    w.release();
    QCOMPARE(w.data("IM92"), QStringLiteral("OK"));
    QCOMPARE(w.data("WI" + record), QStringLiteral("OK"));
    QCOMPARE(w.data("IM?"), QStringLiteral("FF"));
    QCOMPARE(w.data("WX"), QStringLiteral("OK"));
    QCOMPARE(w.data("IM?"), QStringLiteral("92"));
    QCOMPARE(a.sfiProgram.value(0x10).toHex().toUpper(),
             QByteArray("00112233445566778899AABBCCDDEEFF"));
    QCOMPARE(w.data("WI" + record), QStringLiteral("NO"));
}

void TestSimBus::ioCard() {
    Wire w;
    sim::SimAxis& a = w.bus.axis(u'0');
    QCOMPARE(w.ask(u'0', "EO?").status & 0x40, 0x40);
    a.ioCard = true;
    a.inputs = 0x5;
    a.programNumber = 0x81;
    QVERIFY(w.data("PE?").startsWith(u"POEA"));
    QCOMPARE(w.data("II?"), QStringLiteral("5"));
    QCOMPARE(w.data("EI?"), QStringLiteral("81"));
    w.ask(u'0', "EOC");
    QCOMPARE(w.data("EO?"), QStringLiteral("C"));
    w.ask(u'0', "IO2");
    QCOMPARE(w.data("IO?"), QStringLiteral("2"));
}

// The reply to "IS?" carries the short status as it was before the read cleared the
// errors of single commands and of the line: the lamps and the "other error" bit show them
// once; a second read finds them gone, while standing faults stay.
void TestSimBus::overallStatusReportsWhatItClears_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("first");   // short status of the first "IS?" reply
    QTest::addColumn<int>("second");  // and of the one after it
    QTest::addColumn<int>("dataBit"); // bit of the overall status in the first data, -1: none
    QTest::newRow("receiving error") << "receive" << 0x20 << 0x00 << -1;
    QTest::newRow("bad value") << "bad-value" << 0x40 << 0x00 << 9;
    QTest::newRow("unknown command") << "unknown-command" << 0x40 << 0x00 << 11;
    QTest::newRow("checksum") << "checksum" << 0x40 << 0x00 << 15;
    QTest::newRow("power stage stays") << "power-stage" << 0x08 << 0x08 << -1;
    QTest::newRow("initiator error stays") << "initiators" << 0x40 << 0x40 << 17;
}

void TestSimBus::overallStatusReportsWhatItClears() {
    QFETCH(QString, fault);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, dataBit);
    Wire w;
    QVERIFY(sim::SimStatus::applyLine(w.bus, "0 fault " + fault).isEmpty());
    const Reply r = w.ask(u'0', "IS?");
    QVERIFY(r.valid);
    QCOMPARE(r.status, first);
    if (dataBit >= 0) {
        // Bits 8-15, 16-23, 24-31, two digits each.
        quint32 overall = 0;
        for (int i = 0; i < 3; ++i)
            overall |= r.data.mid(2 * i, 2).toUInt(nullptr, 16) << (8 * (i + 1));
        QVERIFY2(overall & (1u << dataBit), qPrintable(r.data));
    }
    QCOMPARE(w.ask(u'0', "IS?").status, second);
}

// The record of refused commands: each one the axis answered with a refusal (address,
// command, cause), none for a command carried out, also right after a refused one whose
// error still stands.
void TestSimBus::refusalsAreRecorded_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("refused");
    const QString tkv = QStringLiteral("TKV 1.0");
    QTest::newRow("slot number with one digit")
        << tkv << QStringList{"EW5GA1"} << QStringList{"0 EW5GA1: bad value"};
    QTest::newRow("unknown command")
        << tkv << QStringList{"XY?"} << QStringList{"0 XY?: unknown command"};
    QTest::newRow("lower case") << tkv << QStringList{"ew00x"}
                                << QStringList{"0 ew00x: unknown command"};
    QTest::newRow("short slot query on a 256-slot axis")
        << tkv << QStringList{"FU0"} << QStringList{"0 FU0: not now"};
    QTest::newRow("long slot query on an eight-slot axis")
        << "RZH 2.0" << QStringList{"ER08"} << QStringList{"0 ER08: not now"};
    QTest::newRow("good commands")
        << tkv << QStringList{"IF?", "PF3000", "ER05", "IS?"} << QStringList{};
    QTest::newRow("good command while a refusal stands")
        << tkv << QStringList{"XY?", "PF3000", "PO?"} << QStringList{"0 XY?: unknown command"};
    QTest::newRow("the same refusal twice")
        << tkv << QStringList{"XY?", "XY?"}
        << QStringList{"0 XY?: unknown command", "0 XY?: unknown command"};
    QTest::newRow("a release without the key")
        << tkv << QStringList{"WP"} << QStringList{"0 WP: not now"};
}

void TestSimBus::refusalsAreRecorded() {
    QFETCH(QString, family);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, refused);
    Wire w;
    w.bus.axis(u'0').setFamily(family);
    for (const QString& c : commands)
        QVERIFY(w.ask(u'0', c).valid);
    // The log is the program's record; the refusals are kept apart from it.
    w.bus.clearLog();
    QStringList texts;
    for (const sim::Refusal& r : w.bus.refusals())
        texts << r.text();
    QCOMPARE(texts, refused);
}

QTEST_APPLESS_MAIN(TestSimBus)
#include "tst_simbus.moc"
