// The simulated bus on a real pseudo-terminal, opened the way the program opens a port:
// through QSerialPort, at a rate set on the tty. Waiting happens only where a time-out or a
// delay is what the test is about.

#include "sim/SimHost.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QTest>
#include <QThread>

using sim::Fault;
using sim::SimHost;

namespace {

constexpr char ETX = 0x03;
const QByteArray kAsk0 = QByteArray("\x02"
                                    "0IS?:2F"
                                    "\x03");
const QByteArray kReply0 = QByteArray("\x02"
                                      "000 000000:2A"
                                      "\x03");

// What a reader of the port sees within timeoutMs: every chunk as it arrived, until an
// ETX ends the data or the time is up.
struct Received {
    QList<QByteArray> chunks;
    QByteArray all() const {
        QByteArray a;
        for (const QByteArray& c : chunks)
            a += c;
        return a;
    }
};

Received readReply(QSerialPort& port, int timeoutMs) {
    Received r;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs && !r.all().endsWith(ETX)) {
        if (port.waitForReadyRead(int(qMax<qint64>(1, timeoutMs - t.elapsed()))))
            r.chunks << port.readAll();
        else
            port.clearError(); // a wait that finds nothing reports a time-out; go on
    }
    return r;
}

struct Line {
    explicit Line(const QString& axes = "0") : host(axes) {}

    bool open(int rate = 28800) {
        QString error;
        if (!host.start(&error)) {
            qWarning() << error;
            return false;
        }
        port.setPortName(host.slavePath());
        port.setBaudRate(rate);
        return port.open(QIODevice::ReadWrite);
    }
    Received transact(const QByteArray& frame, int timeoutMs = 1000) {
        port.write(frame);
        port.waitForBytesWritten(200);
        return readReply(port, timeoutMs);
    }

    SimHost host;
    QSerialPort port;
};

// A request frame for axis 0 with its checksum.
QByteArray request(const QByteArray& command) {
    const QByteArray body = "0" + command + ":";
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '\x02' + body + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + ETX;
}

} // namespace

class TestSimHost : public QObject {
    Q_OBJECT

private slots:
    void answersThroughThePty();
    void lineRate_data();
    void lineRate();
    void logsEachCommand();
    void surviveReopen();
    void faults_data();
    void faults();
    void lateReplyArrivesAfterTimeout();
    void faultCountAndPersistence();
    void faultForOneCommand();
    void faultFromTheNthReplyOn();
    void logPastItsBound();
    void portVanishes();
    void wireTime_data();
    void wireTime();
};

void TestSimHost::answersThroughThePty() {
    Line line;
    QVERIFY(line.open());
    QCOMPARE(line.host.lineRate(), 28800);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
    // The host answers while tests change the bus under its lock.
    line.host.withBus([](sim::SimBus& bus) { bus.axis(u'0').maxRunFreq = 4000; });
    QCOMPARE(line.transact(QByteArray("\x02"
                                      "0IF?:3A"
                                      "\x03"))
                 .all(),
             QByteArray("\x02"
                        "000 4000:2E"
                        "\x03"));
}

void TestSimHost::lineRate_data() {
    QTest::addColumn<int>("axisRate");
    QTest::addColumn<int>("portRate");
    QTest::addColumn<bool>("answered");

    QTest::newRow("28800 both") << 28800 << 28800 << true;
    QTest::newRow("port at 9600, axis at 28800") << 28800 << 9600 << false;
    QTest::newRow("port at 38400, axis at 28800") << 28800 << 38400 << false;
    QTest::newRow("14400 both (no classic constant)") << 14400 << 14400 << true;
    QTest::newRow("9600 both") << 9600 << 9600 << true;
    QTest::newRow("port at 19200, axis at 14400") << 14400 << 19200 << false;
}

void TestSimHost::lineRate() {
    QFETCH(int, axisRate);
    QFETCH(int, portRate);
    QFETCH(bool, answered);
    Line line;
    line.host.withBus([&](sim::SimBus& bus) { bus.axis(u'0').baud = axisRate; });
    QVERIFY(line.open(portRate));
    QCOMPARE(line.host.lineRate(), portRate);
    // A silent axis is what the time-out is about here: wait a little, not a full second.
    const Received r = line.transact(kAsk0, answered ? 1000 : 150);
    QCOMPARE(r.all(), answered ? kReply0 : QByteArray());
    // The frame was on the wire either way.
    QCOMPARE(line.host.log(), QStringList{"0 IS?"});
}

void TestSimHost::logsEachCommand() {
    Line line("0A");
    QVERIFY(line.open());
    FILE* stream = std::tmpfile();
    line.host.setLogStream(stream);
    line.port.write(QByteArray("\x02"
                               "0IF?:3A"
                               "\x03") +
                    QByteArray("\x02"
                               "APC?:57"
                               "\x03"));
    line.port.waitForBytesWritten(200);
    QVERIFY(line.host.waitForLog(2, 1000));
    QCOMPARE(line.host.log(), (QStringList{"0 IF?", "A PC?"}));
    line.host.setLogStream(nullptr);
    std::rewind(stream);
    char text[64] = {};
    QCOMPARE(std::fread(text, 1, sizeof text - 1, stream), size_t(12));
    QCOMPARE(QByteArray(text), QByteArray("0 IF?\nA PC?\n"));
    std::fclose(stream);
    line.host.clearLog();
    QCOMPARE(line.host.log(), QStringList());
    QVERIFY(!line.host.waitForLog(1, 20));
}

void TestSimHost::surviveReopen() {
    // The program closes and reopens its port often; the line must still be there.
    Line line;
    QVERIFY(line.open());
    for (int i = 0; i < 3; ++i) {
        line.port.close();
        QVERIFY(line.port.open(QIODevice::ReadWrite));
        QCOMPARE(line.transact(kAsk0).all(), kReply0);
    }
}

void TestSimHost::faults_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("param");
    QTest::addColumn<int>("waitMs");

    QTest::newRow("no reply") << int(Fault::NoReply) << 0 << 300;
    QTest::newRow("pieces") << int(Fault::Pieces) << 3 << 1000;
    QTest::newRow("garbage") << int(Fault::Garbage) << 7 << 1000;
    QTest::newRow("overflow") << int(Fault::Overflow) << 600 << 1000;
}

void TestSimHost::faults() {
    QFETCH(int, fault);
    QFETCH(int, param);
    QFETCH(int, waitMs);
    Line line;
    QVERIFY(line.open());
    line.host.setFault(Fault(fault), param);
    if (Fault(fault) == Fault::Overflow) {
        // Let the whole burst reach the queue before looking, as the program's poll would.
        line.port.write(kAsk0);
        QThread::msleep(100);
    }
    const Received r = Fault(fault) == Fault::Overflow ? readReply(line.port, waitMs)
                                                       : line.transact(kAsk0, waitMs);
    switch (Fault(fault)) {
    case Fault::NoReply:
        QCOMPARE(r.all(), QByteArray());
        break;
    case Fault::Pieces:
        QCOMPARE(r.all(), kReply0);
        QVERIFY2(r.chunks.size() >= 2, qPrintable(QString::number(r.chunks.size())));
        QVERIFY(!r.chunks.front().contains(ETX));
        break;
    case Fault::Garbage:
        QCOMPARE(r.all().size(), kReply0.size() + 7);
        QVERIFY(r.all().endsWith(kReply0));
        QVERIFY(!r.all().left(7).contains('\x02') && !r.all().left(7).contains(ETX));
        break;
    case Fault::Overflow:
        QVERIFY(r.all().endsWith(kReply0));
        QVERIFY2(r.chunks.front().size() > 450,
                 qPrintable(QString::number(r.chunks.front().size())));
        break;
    default:
        QFAIL("unexpected row");
    }
    // One reply suffered; the next is plain again.
    QCOMPARE(line.host.fault(), Fault::None);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
}

void TestSimHost::lateReplyArrivesAfterTimeout() {
    Line line;
    QVERIFY(line.open());
    line.host.setFault(Fault::LateReply, 300);
    QElapsedTimer t;
    t.start();
    QCOMPARE(line.transact(kAsk0, 150).all(), QByteArray()); // timed out
    // The late reply is still on its way and arrives by itself.
    const Received late = readReply(line.port, 1000);
    QVERIFY(t.elapsed() >= 280);
    QCOMPARE(late.all(), kReply0);
}

void TestSimHost::faultCountAndPersistence() {
    Line line;
    QVERIFY(line.open());
    // A request that gets no reply anyway does not use up the fault.
    line.host.setFault(Fault::Garbage, 2, 2);
    QCOMPARE(line.transact(QByteArray("\x02"
                                      "5IS?:2A"
                                      "\x03"),
                           100)
                 .all(),
             QByteArray());
    QCOMPARE(line.transact(kAsk0).all(), "#?" + kReply0);
    QCOMPARE(line.transact(kAsk0).all(), "#?" + kReply0);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
    // Until cleared.
    line.host.setFault(Fault::Garbage, 1, -1);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(line.transact(kAsk0).all(), "#" + kReply0);
    line.host.setFault(Fault::None);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
}

void TestSimHost::portVanishes() {
    Line line;
    QVERIFY(line.open());
    const QString path = line.host.slavePath();
    line.host.setFault(Fault::Vanish);
    line.port.write(kAsk0);
    line.port.waitForBytesWritten(200);
    QTRY_VERIFY_WITH_TIMEOUT(line.host.vanished(), 1000);
    // The reader sees the line fail rather than a reply.
    const Received r = readReply(line.port, 200);
    QCOMPARE(r.all(), QByteArray());
    line.port.close();
    QVERIFY(!QFile::exists(path) || !line.port.open(QIODevice::ReadWrite));
    // Stopping a host whose port has gone is quiet and prompt.
    QElapsedTimer t;
    t.start();
    line.host.stop();
    QVERIFY(t.elapsed() < 500);
}

// Only the reply to the named command is lost; the command itself takes effect, and
// replies before and after it are plain.
void TestSimHost::faultForOneCommand() {
    Line line;
    QVERIFY(line.open());
    line.host.setFaultFor(QStringLiteral("PF"), Fault::NoReply);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
    QCOMPARE(line.transact(request("PF1234"), 300).all(), QByteArray());
    qint64 runFreq = 0;
    line.host.withBus([&](sim::SimBus& bus) { runFreq = bus.axis(u'0').params.runFreq; });
    QCOMPARE(runFreq, qint64(1234));
    QVERIFY(line.transact(request("PF?")).all().contains("1234"));
}

void TestSimHost::logPastItsBound() {
    // Once the log's ring is full, the lines a command adds must still be seen: by the
    // waiter, by the printed stream and by a fault aimed at that command.
    Line line;
    QVERIFY(line.open());
    line.host.withBus([](sim::SimBus& bus) { bus.setLogBound(2); });
    FILE* stream = std::tmpfile();
    line.host.setLogStream(stream);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(line.transact(kAsk0).all(), kReply0);
    line.host.setFaultFor(QStringLiteral("PF"), Fault::NoReply);
    QCOMPARE(line.transact(request("PF1234"), 300).all(), QByteArray());
    QVERIFY(line.host.waitForLog(4, 1000));
    QCOMPARE(line.host.logCount(), qint64(4));
    QCOMPARE(line.host.log(), (QStringList{"0 IS?", "0 PF1234"}));
    line.host.setLogStream(nullptr);
    std::rewind(stream);
    char text[64] = {};
    std::fread(text, 1, sizeof text - 1, stream);
    QCOMPARE(QByteArray(text), QByteArray("0 IS?\n0 IS?\n0 IS?\n0 PF1234\n"));
    std::fclose(stream);
}

QTEST_GUILESS_MAIN(TestSimHost)
#include "tst_simhost.moc"

// "No reply from the third command on": two replies go out plainly, then none.
void TestSimHost::faultFromTheNthReplyOn() {
    Line line;
    QVERIFY(line.open());
    line.host.setFault(Fault::NoReply, 0, -1, 2);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(line.transact(kAsk0, 150).all(), QByteArray());
    QCOMPARE(line.host.log().size(), 4);
    line.host.setFault(Fault::None);
    QCOMPARE(line.transact(kAsk0).all(), kReply0);
}

// With wire time a transaction lasts at least as long as its bytes take on the line at the
// program's rate, 10 bits a byte both ways, plus the answer delay when one is set. The
// time is the subject here; only lower bounds are asserted.
void TestSimHost::wireTime_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("answerDelayMs");

    QTest::newRow("9600") << 9600 << 0;
    QTest::newRow("38400") << 38400 << 0;
    QTest::newRow("9600 with an answer delay") << 9600 << 40;
}

void TestSimHost::wireTime() {
    QFETCH(int, rate);
    QFETCH(int, answerDelayMs);
    QVERIFY(!SimHost().wireTime()); // tests and scripts get the pty's own speed
    Line line;
    line.host.setWireTime(true);
    line.host.setAnswerDelay(answerDelayMs);
    line.host.withBus([&](sim::SimBus& bus) { bus.axis(u'0').baud = rate; });
    QVERIFY(line.open(rate));
    // Four requests in one write: the last reply can only be complete after all of them
    // were received and every reply before it has left.
    QByteArray requests;
    for (int i = 0; i < 4; ++i)
        requests += kAsk0;
    const qint64 bytes = requests.size() + 4 * kReply0.size();
    const qint64 floorUs = bytes * 10 * 1000000 / rate + answerDelayMs * 1000;

    QElapsedTimer clock;
    clock.start();
    line.port.write(requests);
    line.port.waitForBytesWritten(200);
    QByteArray all;
    while (all.count(ETX) < 4 && clock.elapsed() < 5000) {
        if (line.port.waitForReadyRead(100))
            all += line.port.readAll();
        else
            line.port.clearError();
    }
    const qint64 elapsedUs = clock.nsecsElapsed() / 1000;
    QCOMPARE(all, kReply0 + kReply0 + kReply0 + kReply0);
    QVERIFY2(elapsedUs >= floorUs,
             qPrintable(QStringLiteral("%1 us, line time %2 us").arg(elapsedUs).arg(floorUs)));
}
