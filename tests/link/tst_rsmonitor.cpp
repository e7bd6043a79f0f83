#include "PeerRig.h"
#include "PtyPeer.h"
#include "ScriptedOperator.h"
#include "base/Texts.h"
#include "link/BaudChange.h"
#include "link/PortAccess.h"
#include "link/PortAccessHint.h"
#include "link/PortDiscovery.h"
#include "link/RsMonitor.h"
#include "link/SerialLink.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// A controller reply frame: STX, address, status, blank, data, ":", checksum, ETX.
QByteArray replyFrame(const QByteArray& data) {
    const QByteArray body = "000 " + data + ":";
    return '\x02' + body + SerialLink::checksumText(body).toLatin1() + '\x03';
}

} // namespace

// The RS monitor's core: reply cuts, framing list, history, the byte log, and
// the rules of the baud change and the port list that need no window.
class TestRsMonitor : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    struct Rig : PeerRig {
        void answerWith(const QByteArray& reply) {
            peer.setResponder([reply](const QByteArray&) {
                return QList<PtyPeer::Piece>{{0, reply}};
            });
        }
    };

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        QVERIFY(Texts::setLanguage(Texts::Language::German));
    }

    void replyCuts_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("display");
        QTest::addColumn<QString>("shown");
        const QString full = QStringLiteral("000 12345:7A");
        QTest::newRow("data only") << full << 0 << "12345";
        QTest::newRow("status and data") << full << 1 << "00 12345";
        QTest::newRow("all characters") << full << 2 << full;
        QTest::newRow("no display chosen") << full << -1 << full;
        QTest::newRow("time-out, data only") << PseudoReply::Timeout << 0 << "OU";
        QTest::newRow("time-out, status and data") << PseudoReply::Timeout << 1 << "IMEOU";
        QTest::newRow("time-out, all characters")
            << PseudoReply::Timeout << 2 << PseudoReply::Timeout;
        QTest::newRow("seven characters, data only") << "000 :7A" << 0 << "";
        QTest::newRow("six characters, data only") << "00 :7A" << 0 << "";
        QTest::newRow("three characters, status and data") << "0:7" << 1 << "";
        QTest::newRow("four characters, status and data") << "00:7" << 1 << "";
        QTest::newRow("five characters, status and data") << "000:7" << 1 << "0";
        QTest::newRow("empty, data only") << "" << 0 << "";
        QTest::newRow("empty, status and data") << "" << 1 << "";
        QTest::newRow("empty, all characters") << "" << 2 << "";
    }
    void replyCuts() {
        QFETCH(QString, reply);
        QFETCH(int, display);
        QFETCH(QString, shown);
        QCOMPARE(RsMonitor::cutReply(reply, display), shown);
    }

    void framingList_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("mode");
        QTest::newRow("bare") << 0 << int(BareStxEtx);
        QTest::newRow("checksum") << 1 << int(ChecksumOnly);
        QTest::newRow("address") << 2 << int(AddressOnly);
        QTest::newRow("full") << 3 << int(Full);
        QTest::newRow("no selection") << -1 << -1;
        QTest::newRow("beyond the list") << 4 << -1;
    }
    void framingList() {
        QFETCH(int, index);
        QFETCH(int, mode);
        QCOMPARE(RsMonitor::framingOfIndex(index), mode);
    }

    void history_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first") << QStringList{} << "PC?" << QStringList{"PC?"};
        QTest::newRow("newest in front")
            << QStringList{"PC?"} << "IS?" << QStringList{"IS?", "PC?"};
        QTest::newRow("sent again")
            << QStringList{"IS?", "PC?"} << "PC?" << QStringList{"IS?", "PC?"};
        QTest::newRow("typed in lower case before")
            << QStringList{"pc?"} << "PC?" << QStringList{"pc?"};
    }
    void history() {
        QFETCH(QStringList, before);
        QFETCH(QString, sent);
        QFETCH(QStringList, after);
        RsMonitor::addToHistory(before, sent);
        QCOMPARE(before, after);
    }

    void visibleBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hex");
        QTest::newRow("frame") << QByteArray("\x02"
                                             "0PC?\x03")
                               << "<STX>0PC?<ETX>"
                               << "02 30 50 43 3F 03";
        QTest::newRow("pseudo-reply line end") << QByteArray("OK\r\n") << "OK<CR><LF>"
                                               << "4F 4B 0D 0A";
        QTest::newRow("zero and escape") << QByteArray("\x00\x1b\x7f", 3) << "<NUL><1B><7F>"
                                         << "00 1B 7F";
        QTest::newRow("code page 1252")
            << QByteArray("\x80\xe4") << QString::fromUtf8("€ä") << "80 E4";
        QTest::newRow("nothing") << QByteArray() << ""
                                 << "";
    }
    void visibleBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QString, hex);
        QCOMPARE(RsMonitor::visibleText(bytes), text);
        QCOMPARE(RsMonitor::hexText(bytes), hex);
    }

    // Lower-case input goes out in upper case, framed as the list says.
    void commandOnTheWire_data() {
        QTest::addColumn<int>("framingIndex");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("bare") << 0 << hex("02 50 43 3F 03");
        QTest::newRow("checksum") << 1
                                  << QByteArray("\x02PC?:") +
                                         SerialLink::checksumText("PC?:").toLatin1() + "\x03";
        QTest::newRow("address") << 2 << hex("02 30 50 43 3F 03");
        QTest::newRow("full") << 3
                              << QByteArray("\x02"
                                            "0PC?:") +
                                     SerialLink::checksumText("0PC?:").toLatin1() + "\x03";
    }
    void commandOnTheWire() {
        QFETCH(int, framingIndex);
        QFETCH(QByteArray, wire);
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("4711"));
        RsMonitor::Session session(rig.link);
        QCOMPARE(session.send(QStringLiteral("pc?"), framingIndex, RsMonitor::DataOnly),
                 QStringLiteral("4711"));
        QCOMPARE(rig.peer.received(), wire);
        QCOMPARE(session.history(), QStringList{"PC?"});
    }

    // The one rule for typed text, checked as the bytes that reach the far end
    // of the line (bare framing): what a character becomes, or that nothing
    // goes out at all.
    void typedTextOnTheWire_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("wire"); // between STX and ETX; empty: refused
        QTest::newRow("ascii upper-cased") << "pc?" << QByteArray("PC?");
        QTest::newRow("a umlaut") << QStringLiteral("x\u00e4") << hex("58 C4");
        QTest::newRow("y diaeresis") << QStringLiteral("\u00ff") << hex("9F");
        QTest::newRow("sharp s as typed") << QStringLiteral("\u00df") << hex("DF");
        QTest::newRow("micro as typed") << QStringLiteral("\u00b5") << hex("B5");
        QTest::newRow("euro") << QStringLiteral("\u20ac") << hex("80");
        QTest::newRow("omega refused") << QStringLiteral("x\u03a9") << QByteArray();
        QTest::newRow("han refused") << QStringLiteral("\u6f22") << QByteArray();
        QTest::newRow("embedded ETX") << QStringLiteral("PC?\u0003IS?") << QByteArray();
        QTest::newRow("embedded STX") << QStringLiteral("\u0002PC?") << QByteArray();
        QTest::newRow("line feed") << QStringLiteral("PC?\nIS?") << QByteArray();
        QTest::newRow("tab") << QStringLiteral("PC?\tIS?") << QByteArray();
        QTest::newRow("505 characters") << QString(RsMonitor::MaxCommandLength, 'A')
                                        << QByteArray(RsMonitor::MaxCommandLength, 'A');
        QTest::newRow("506 characters")
            << QString(RsMonitor::MaxCommandLength + 1, 'A') << QByteArray();
    }
    void typedTextOnTheWire() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, wire);
        const RsMonitor::TypedCommand rule = RsMonitor::commandFromTyped(typed);
        QCOMPARE(rule.accepted(), !wire.isEmpty());
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("1"));
        RsMonitor::Session session(rig.link);
        session.send(typed, 0, RsMonitor::DataOnly);
        if (wire.isEmpty()) {
            QVERIFY(!rule.refusal.isEmpty());
            QThread::msleep(30);
            QCOMPARE(rig.peer.received(), QByteArray());
            return;
        }
        QVERIFY(rig.peer.waitReceived(wire.size() + 2, 1000));
        QCOMPARE(rig.peer.received(), "\x02" + wire + "\x03");
    }

    // Standard input of kormakctl monitor: UTF-8, never decoded with
    // replacement characters.
    void inputLineDecoding_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("po?") << true << "po?";
        QTest::newRow("umlaut and euro")
            << hex("78 C3 A4 E2 82 AC") << true << QStringLiteral("x\u00e4\u20ac");
        QTest::newRow("code page byte") << hex("78 E4 80") << false << QString();
        QTest::newRow("cut sequence") << hex("78 E2 82") << false << QString();
        QTest::newRow("overlong slash") << hex("C0 AF") << false << QString();
        QTest::newRow("surrogate") << hex("ED A0 80") << false << QString();
    }
    void inputLineDecoding() {
        QFETCH(QByteArray, line);
        QFETCH(bool, valid);
        QFETCH(QString, text);
        QString decoded, refusal;
        QCOMPARE(RsMonitor::decodeInputLine(line, &decoded, &refusal), valid);
        if (valid)
            QCOMPARE(decoded, text);
        else
            QVERIFY(!refusal.isEmpty());
    }

    void sendingTwiceKeepsOneHistoryEntry() {
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("1"));
        RsMonitor::Session session(rig.link);
        session.send(QStringLiteral("pc?"), 3, 0);
        session.send(QStringLiteral("PC?"), 3, 0);
        QCOMPARE(session.history(), QStringList{"PC?"});
        QCOMPARE(session.log().size(), 2);
    }

    void nothingIsSent_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("framingIndex");
        QTest::newRow("no framing chosen") << "PC?" << -1;
        QTest::newRow("longer than the field")
            << QString(RsMonitor::MaxCommandLength + 1, 'A') << 3;
    }
    void nothingIsSent() {
        QFETCH(QString, command);
        QFETCH(int, framingIndex);
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("1"));
        RsMonitor::Session session(rig.link);
        QCOMPARE(session.send(command, framingIndex, 2), QString());
        QThread::msleep(30);
        QCOMPARE(rig.peer.received(), QByteArray());
        QVERIFY(session.log().isEmpty());
    }

    void longestCommandFitsTheFrame() {
        // The field's limit is the longest command whose Full frame still goes out.
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("1"));
        RsMonitor::Session session(rig.link);
        session.send(QString(RsMonitor::MaxCommandLength, 'A'), 3, 0);
        QVERIFY(rig.peer.waitReceived(RsMonitor::MaxCommandLength + 6, 1000));
        QCOMPARE(rig.peer.received().size(), SerialLink::SendBufferSize - 1);
    }

    void stopSendsHaltInFullFraming() {
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame(""));
        RsMonitor::Session session(rig.link);
        session.stop();
        QCOMPARE(rig.peer.received(), QByteArray("\x02"
                                                 "0H:") +
                                          SerialLink::checksumText("0H:").toLatin1() + "\x03");
        QVERIFY(session.history().isEmpty());
    }

    // The log holds every byte of an exchange: input that waited unread before
    // the request and noise ahead of the reply's STX included.
    void logHoldsEveryByte() {
        Rig rig;
        QVERIFY(rig.open());
        const QByteArray reply = replyFrame("4711");
        rig.peer.setResponder([reply](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, "#~" + reply}};
        });
        rig.peer.queue("stale\r");
        QThread::msleep(50); // the stale bytes reach the port's queue
        RsMonitor::Session session(rig.link);
        QCOMPARE(session.send(QStringLiteral("pc?"), 2, 0), QStringLiteral("4711"));
        QCOMPARE(session.log().size(), 1);
        const RsMonitor::LogEntry& e = session.log().first();
        QCOMPARE(e.mode, int(AddressOnly));
        QCOMPARE(e.sent, hex("02 30 50 43 3F 03"));
        QCOMPARE(e.discarded, QByteArray("stale\r"));
        QCOMPARE(e.received, "#~" + reply);
        const QString text = RsMonitor::formatEntry(e);
        QVERIFY2(text.contains(QStringLiteral("-> <STX>0PC?<ETX>")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("<- #~<STX>000 4711:")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("x  stale<CR>")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("02 30 50 43 3F 03")), qPrintable(text));
        QVERIFY(text.contains(Texts::text(10139)));
        QVERIFY(QRegularExpression(
                    QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}"))
                    .match(text)
                    .hasMatch());
    }

    void logOfATimeOut() {
        Rig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(100); // the time-out is the subject
        rig.peer.setResponder([](const QByteArray&) {
            return QList<PtyPeer::Piece>{{0, "noise"}};
        });
        RsMonitor::Session session(rig.link);
        QCOMPARE(session.send(QStringLiteral("PC?"), 3, 2), PseudoReply::Timeout);
        const RsMonitor::LogEntry& e = session.log().first();
        QCOMPARE(e.received, QByteArray("noise"));
        QVERIFY(RsMonitor::formatEntry(e).endsWith(QStringLiteral("= TIMEOUT")));
    }

    void closedPortIsLoggedWithNothingSent() {
        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(QStringLiteral("0"));
        RsMonitor::Session session(link);
        QCOMPARE(session.send(QStringLiteral("PC?"), 3, 2), PseudoReply::Error);
        QCOMPARE(session.log().size(), 1);
        QVERIFY(session.log().first().sent.isEmpty());
    }

    void observerEndsWithTheSession() {
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("1"));
        int seen = 0;
        rig.link.setExchangeObserver([&seen](const SerialLink::Exchange&) { ++seen; });
        rig.link.SendCommand(QStringLiteral("PC?"));
        QCOMPARE(seen, 1);
        { RsMonitor::Session session(rig.link); }
        rig.link.SendCommand(QStringLiteral("PC?"));
        QCOMPARE(seen, 1);
    }

    void logIsSavedAsText() {
        Rig rig;
        QVERIFY(rig.open());
        rig.answerWith(replyFrame("4711"));
        RsMonitor::Session session(rig.link);
        session.send(QStringLiteral("pc?"), 3, 0);
        session.send(QStringLiteral("is?"), 0, 0);
        session.send(QStringLiteral("po?"), 1, 0);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("session.txt"));
        QString error;
        QVERIFY(session.saveLog(path, &error));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("-> <STX>0PC?:"));
        QVERIFY(bytes.contains("-> <STX>IS?<ETX>\r\n"));
        // Read by any editor here: the framing's German name in UTF-8.
        QVERIFY(bytes.contains(QStringLiteral("Prüfsumme").toUtf8()));
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(!bytes.contains("\n\n"));
        QVERIFY(!QByteArray(bytes).replace("\r\n", "").contains('\n'));
    }

    void logThatCannotBeWrittenSaysWhy() {
        ScriptedOperator op;
        SerialLink link(op);
        RsMonitor::Session session(link);
        QString error;
        QVERIFY(!session.saveLog(QStringLiteral("/nonexistent-dir/x/session.txt"), &error));
        QVERIFY(!error.isEmpty());
    }

    void storedChoices_data() {
        QTest::addColumn<QVariant>("framing");
        QTest::addColumn<QVariant>("display");
        QTest::addColumn<int>("framingIndex");
        QTest::addColumn<int>("displayIndex");
        QTest::newRow("absent") << QVariant() << QVariant() << 3 << 0;
        QTest::newRow("stored") << QVariant(1) << QVariant(2) << 1 << 2;
        QTest::newRow("outside the lists") << QVariant(7) << QVariant(-1) << 3 << 0;
        QTest::newRow("not a number") << QVariant("x") << QVariant("y") << 3 << 0;
    }
    void storedChoices() {
        QFETCH(QVariant, framing);
        QFETCH(QVariant, display);
        QFETCH(int, framingIndex);
        QFETCH(int, displayIndex);
        QSettings s(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
        s.remove(QStringLiteral("Settings/RSMon_Protokoll"));
        s.remove(QStringLiteral("Settings/RSMon_Anzeige"));
        if (framing.isValid())
            s.setValue(QStringLiteral("Settings/RSMon_Protokoll"), framing);
        if (display.isValid())
            s.setValue(QStringLiteral("Settings/RSMon_Anzeige"), display);
        s.sync();
        const RsMonitor::Choices c = RsMonitor::loadChoices();
        QCOMPARE(c.framingIndex, framingIndex);
        QCOMPARE(c.displayIndex, displayIndex);
    }

    void rateCommands_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("command");
        QTest::newRow("9600") << 0 << "DB1";
        QTest::newRow("14400") << 1 << "DB2";
        QTest::newRow("19200") << 2 << "DB3";
        QTest::newRow("28800") << 3 << "DB0";
        QTest::newRow("38400") << 4 << "DB4";
        QTest::newRow("no selection") << -1 << "";
        QTest::newRow("beyond the list") << 5 << "";
    }
    void rateCommands() {
        QFETCH(int, index);
        QFETCH(QString, command);
        QCOMPARE(BaudChange::commandOf(index), command);
    }

    void ratesOffered_data() {
        QTest::addColumn<QString>("deviceType");
        QTest::addColumn<QList<int>>("offered");
        QTest::newRow("TKV") << "TKV 3A/50V" << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("TMW") << "TMW 1A" << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("other family") << "RZH 1.5" << QList<int>{0, 3};
        QTest::newRow("lower case is another family") << "tkv" << QList<int>{0, 3};
        QTest::newRow("no answer") << PseudoReply::Timeout << QList<int>{0, 3};
    }
    void ratesOffered() {
        QFETCH(QString, deviceType);
        QFETCH(QList<int>, offered);
        QCOMPARE(BaudChange::offeredIndexes(deviceType), offered);
    }

    void openFailures_data() {
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<unsigned>("userUid");
        QTest::addColumn<QList<unsigned>>("userGids");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("group"); // the device's group
        using F = PortAccess::Failure;
        // The device belongs to root and to group 20.
        QTest::newRow("not in the group")
            << 0660u << 1000u << QList<unsigned>{1000} << true << int(F::AccessDenied) << "dialout";
        QTest::newRow("in the group, port held")
            << 0660u << 1000u << QList<unsigned>{1000, 20} << true << int(F::InUse) << "dialout";
        QTest::newRow("group may only read")
            << 0640u << 1000u << QList<unsigned>{20} << true << int(F::AccessDenied) << "dialout";
        QTest::newRow("owner only, group root")
            << 0600u << 1000u << QList<unsigned>{1000} << true << int(F::AccessDenied) << "root";
        QTest::newRow("open to all, port held")
            << 0666u << 1000u << QList<unsigned>{1000} << true << int(F::InUse) << "dialout";
        QTest::newRow("superuser, port held")
            << 0600u << 0u << QList<unsigned>{0} << true << int(F::InUse) << "root";
        QTest::newRow("allowed, other failure")
            << 0666u << 1000u << QList<unsigned>{1000} << false << int(F::Other) << "dialout";
    }
    void openFailures() {
        QFETCH(unsigned, mode);
        QFETCH(unsigned, userUid);
        QFETCH(QList<unsigned>, userGids);
        QFETCH(bool, refused);
        QFETCH(int, failure);
        QFETCH(QString, group);
        PortAccess::DeviceRights r;
        r.exists = true;
        r.mode = mode;
        r.ownerUid = 0;
        r.ownerGid = 20;
        r.groupName = group;
        r.userUid = userUid;
        r.userGids = userGids;
        QCOMPARE(int(PortAccess::classify(r, refused)), failure);
        // Joining the group is advice only where the group may read and write
        // the device; else the hint names no group at all.
        const QString hint = PortAccess::accessHint(r, QStringLiteral("/dev/ttyS9"));
        QVERIFY(hint.contains("/dev/ttyS9"));
        if ((mode & 060) == 060)
            QCOMPARE(hint, Texts::text("link.accessDenied").arg("/dev/ttyS9", group));
        else
            QVERIFY2(!hint.contains(group) &&
                         hint == Texts::text("link.ownerOnly").arg("/dev/ttyS9"),
                     qPrintable(hint));
        r.exists = false;
        QCOMPARE(int(PortAccess::classify(r, refused)), int(PortAccess::Failure::Other));
    }

    void portHeldByAnotherProgramSaysSo() {
        PtyPeer peer;
        QVERIFY(peer.open());
        ScriptedOperator op;
        SerialLink first(op), second(op);
        first.setPorts({peer.slavePath()});
        second.setPorts({peer.slavePath()});
        QVERIFY(first.TogglePort());
        QVERIFY(!second.TogglePort());
        QCOMPARE(int(second.lastOpenFailure()), int(PortAccess::Failure::InUse));
        second.reportOpenFailure(op);
        QCOMPARE(op.shownIds(), QList<int>{10104});
        QCOMPARE(op.shown.first().text, Texts::text(10104) + QLatin1Char('\n') +
                                            Texts::text("link.portInUse").arg(peer.slavePath()));

        // A later failure of another kind does not repeat that reason.
        op.clear();
        second.setPorts({SerialLink::simulatorEntry()});
        QVERIFY(!second.TogglePort());
        second.reportOpenFailure(op);
        QCOMPARE(op.shown.first().text, Texts::text(10104));
    }

    void selectionAfterRefresh_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("fresh");
        QTest::addColumn<int>("index");
        QTest::newRow("adapter added in front")
            << QStringList{"ttyUSB1", "Simulator"} << 0
            << QStringList{"ttyUSB0", "ttyUSB1", "Simulator"} << 1;
        QTest::newRow("other adapter pulled") << QStringList{"ttyUSB0", "ttyUSB1", "Simulator"} << 1
                                              << QStringList{"ttyUSB1", "Simulator"} << 0;
        QTest::newRow("selected adapter pulled") << QStringList{"ttyUSB0", "ttyUSB1", "Simulator"}
                                                 << 1 << QStringList{"ttyUSB0", "Simulator"} << 0;
        QTest::newRow("no selection") << QStringList{} << 0 << QStringList{"ttyUSB0"} << 0;
    }
    void selectionAfterRefresh() {
        QFETCH(QStringList, before);
        QFETCH(int, selected);
        QFETCH(QStringList, fresh);
        QFETCH(int, index);
        QCOMPARE(portIndexAfterRefresh(before, selected, fresh), index);
    }
};

QTEST_GUILESS_MAIN(TestRsMonitor)
#include "tst_rsmonitor.moc"
