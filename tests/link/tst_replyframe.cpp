#include "base/Windows1252.h"
#include "link/ReplyFrame.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <QTest>

using ReplyFrame::Cut;

namespace {

QByteArray checksum(const QByteArray& body) {
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return QByteArray::number(sum, 16).rightJustified(2, '0').toUpper();
}

// A controller reply frame: STX, address, status, blank, data, ":", checksum, ETX.
QByteArray frame(const QByteArray& data, const QByteArray& status = "00") {
    const QByteArray body = "0" + status + " " + data + ":";
    return '\x02' + body + checksum(body) + '\x03';
}

// What the frame gives with dataOnly = false.
QString whole(const QByteArray& data, const QByteArray& status = "00") {
    const QByteArray f = frame(data, status);
    return QString::fromLatin1(f.mid(1, f.size() - 2));
}

} // namespace

class TestReplyFrame : public QObject {
    Q_OBJECT

private slots:
    void cut_data() {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<bool>("dataOnly");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        const int waiting = int(Cut::State::Waiting);
        const int complete = int(Cut::State::Complete);
        const int overflow = int(Cut::State::Overflow);

        // The frame alone.
        QTest::newRow("data field") << frame("10000") << true << complete << "10000";
        QTest::newRow("whole frame")
            << frame("10000", "21") << false << complete << whole("10000", "21");
        QTest::newRow("empty data field, 9 bytes") << frame("") << true << complete << "";
        QTest::newRow("9 bytes whole") << frame("") << false << complete << whole("");
        QTest::newRow("one data character, 10 bytes") << frame("7") << true << complete << "7";
        QTest::newRow("STX ETX alone, whole") << QByteArray("\x02\x03") << false << complete << "";
        QTest::newRow("STX ETX alone, data") << QByteArray("\x02\x03") << true << complete << "";
        QTest::newRow("short frame, data") << QByteArray("\x02"
                                                         "0ab\x03")
                                           << true << complete << "";
        QTest::newRow("checksum is not verified") << QByteArray("\x02"
                                                                "000 42:ZZ\x03")
                                                  << true << complete << "42";

        // Bytes before the frame's STX are not part of the reply.
        QTest::newRow("five noise bytes, data")
            << "#?~%&" + frame("10000") << true << complete << "10000";
        QTest::newRow("one noise byte, data")
            << "#" + frame("10000") << true << complete << "10000";
        QTest::newRow("one noise byte, whole")
            << "#" + frame("10000") << false << complete << whole("10000");
        QTest::newRow("tail of an earlier reply")
            << QByteArray("10000:1B\x03") + frame("400") << true << complete << "400";
        QTest::newRow("a whole earlier reply")
            << frame("10000") + frame("400") << true << complete << "400";
        QTest::newRow("stray STX bytes")
            << "\x02\x02" + frame("400") << false << complete << whole("400");
        QTest::newRow("zero bytes in the noise")
            << QByteArray("\0\0#", 3) + frame("400") << true << complete << "400";

        // Not a reply (yet): the wait goes on.
        QTest::newRow("nothing") << QByteArray() << true << waiting << "";
        QTest::newRow("ETX alone") << QByteArray("\x03") << true << waiting << "";
        QTest::newRow("no ETX yet") << frame("400").chopped(1) << true << waiting << "";
        QTest::newRow("bytes after the ETX") << frame("1") + "\x02"
                                                             "0"
                                             << false << waiting << "";
        QTest::newRow("ETX without an STX") << QByteArray("000 1:31\x03") << true << waiting << "";
        QTest::newRow("tail of an earlier reply alone")
            << QByteArray("10000:1B\x03") << true << waiting << "";
        QTest::newRow("zero byte inside the frame") << QByteArray("\x02"
                                                                  "000 12\0"
                                                                  "34:00\x03",
                                                                  13)
                                                    << true << waiting << "";
        QTest::newRow("second ETX inside the frame") << QByteArray("\x02"
                                                                   "000 1:31\x03xy\x03")
                                                     << false << waiting << "";

        // The line floods: more than 450 bytes in one exchange.
        const QByteArray head = frame("").left(5);
        const QByteArray tail = ":00\x03";
        const QByteArray data450(450 - head.size() - tail.size(), 'D');
        QTest::newRow("450 bytes are a reply")
            << head + data450 + tail << true << complete << QString::fromLatin1(data450);
        QTest::newRow("451 bytes overflow")
            << head + data450 + "D" + tail << true << overflow << "ERROR\r\n";
        QTest::newRow("noise and reply above 450 overflow")
            << QByteArray(448, 'X') + frame("1") << true << overflow << "ERROR\r\n";
        QTest::newRow("451 bytes of noise overflow")
            << QByteArray(451, 'X') << true << overflow << "ERROR\r\n";

        // Replies are code page 1252, as the files are.
        QTest::newRow("code page 1252")
            << frame("\x80 \xe4 \x9f") << true << complete << QString::fromUtf8("€ ä Ÿ");
        QTest::newRow("undefined byte kept")
            << frame("\x81") << true << complete << QString(QChar(0x81));
    }
    void cut() {
        QFETCH(QByteArray, received);
        QFETCH(bool, dataOnly);
        QFETCH(int, state);
        QFETCH(QString, text);
        const Cut got = ReplyFrame::cut(received, dataOnly);
        QCOMPARE(int(got.state), state);
        QCOMPARE(got.text, text);
    }

    void everyPrefixOfAFrameWaits() {
        // However the reply is split into reads, nothing is taken before its ETX.
        const QByteArray bytes = "#?" + frame("12345");
        for (qsizetype n = 0; n < bytes.size(); ++n)
            QCOMPARE(int(ReplyFrame::cut(bytes.left(n), true).state), int(Cut::State::Waiting));
        QCOMPARE(ReplyFrame::cut(bytes, true).text, QStringLiteral("12345"));
    }

    void codePageAgreesWithQt() {
        // Commands, replies and files share one hand-kept table; Qt's own
        // windows-1252 codec is the reference for every byte it defines.
        QStringDecoder decoder("windows-1252");
        QVERIFY(decoder.isValid());
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            const QString reference = decoder.decode(byte);
            const QString ours = fromWindows1252(byte);
            if (reference != QString(QChar::ReplacementCharacter))
                QCOMPARE(ours, reference);
            QStringEncoder encoder("windows-1252");
            if (reference != QString(QChar::ReplacementCharacter) && !reference.isEmpty())
                QCOMPARE(toWindows1252(ours), QByteArray(encoder.encode(reference)));
            // Every byte comes back as it was, the five undefined ones included.
            QCOMPARE(toWindows1252(ours), byte);
        }
        QCOMPARE(toWindows1252(QStringLiteral("\u03a9")), QByteArray("?"));
    }
};

QTEST_GUILESS_MAIN(TestReplyFrame)
#include "tst_replyframe.moc"
