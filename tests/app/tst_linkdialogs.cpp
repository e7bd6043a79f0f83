#include "PtyPeer.h"
#include "ShellRig.h"
#include "app/AxisBar.h"
#include "app/CChangeBaud.h"
#include "app/CMainFrame.h"
#include "app/CRSMonitor.h"
#include "axis/CKormakView.h"
#include "base/Texts.h"
#include "link/SerialLink.h"
#include "sim/SimBus.h"
#include "sim/SimHost.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

// The RS monitor, the baud rate change and the port list, in the main window
// against the simulated bus.
class TestLinkDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    struct Rig : ShellRig {
        CKormakView* connect(int k) {
            frame->ConnectToAxis(k);
            return frame->activePanel();
        }
    };

    // Runs fn on the modal dialog of type T as soon as it is up.
    template <typename T> static void whenModal(std::function<void(T*)> fn) {
        QTimer::singleShot(0, [fn] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog) {
                whenModal<T>(fn);
                return;
            }
            fn(dialog);
        });
    }

    static QSettings store() {
        return QSettings(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
    }

    // The monitor on screen in bare framing, its command field focused; null
    // when the window never appeared.
    static QLineEdit* showBareMonitor(CRSMonitor& monitor) {
        monitor.framingList()->setCurrentIndex(0);
        monitor.show();
        if (!QTest::qWaitForWindowExposed(&monitor))
            return nullptr;
        QLineEdit* field = monitor.commandField()->lineEdit();
        field->setFocus();
        return field;
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::German);
    }

    void init() { QFile::remove(home_.path() + QStringLiteral("/Veltrax GmbH/Kormak.conf")); }

    // The panel button opens the monitor on its axis with the poll stopped;
    // Enter in the command field sends, the field shows the cut reply.
    void panelButtonOpensTheMonitor() {
        Rig rig;
        QVERIFY(rig.start());
        CKormakView* panel = rig.connect(3);
        QVERIFY(panel);
        bool polledWhileOpen = true;
        QString shown, title, framing, display;
        QStringList history, wire;
        bool logShown = true;
        whenModal<CRSMonitor>([&](CRSMonitor* m) {
            polledWhileOpen = panel->isPolling();
            title = m->windowTitle();
            framing = m->framingList()->currentText();
            display = m->displayList()->currentText();
            logShown = m->logVisible();
            rig.wire();
            QTest::keyClicks(m->commandField()->lineEdit(), QStringLiteral("pc?"));
            QTest::keyClick(m->commandField()->lineEdit(), Qt::Key_Return);
            QTest::keyClick(m->commandField()->lineEdit(), Qt::Key_Return);
            shown = m->replyField()->text();
            history.clear();
            for (int i = 0; i < m->commandField()->count(); ++i)
                history << m->commandField()->itemText(i);
            wire = rig.wire();
            m->reject();
        });
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("rsMonitorButton")),
                          Qt::LeftButton);
        QVERIFY(!polledWhileOpen);
        QCOMPARE(title, Texts::text(10000) + QStringLiteral("3") + Texts::text(10144));
        // First opening with an empty settings store.
        QCOMPARE(framing, QStringLiteral("Volles Protokoll"));
        QCOMPARE(display, QStringLiteral("Nur Daten"));
        QVERIFY(!logShown);
        QCOMPARE(wire, (QStringList{"3 PC?", "3 PC?"}));
        QCOMPARE(history, QStringList{"PC?"});
        QCOMPARE(shown, panel->findChild<QLineEdit*>(QStringLiteral("position"))->text());
        QTRY_VERIFY(panel->isPolling());
    }

    // What each framing puts on the line, seen from the simulator's side.
    void framingsOnTheWire_data() {
        QTest::addColumn<int>("framingIndex");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("bare") << 0 << QByteArray("\x02PC?\x03");
        QTest::newRow("checksum") << 1
                                  << QByteArray("\x02PC?:") +
                                         SerialLink::checksumText("PC?:").toLatin1() + "\x03";
        QTest::newRow("address") << 2
                                 << QByteArray("\x02"
                                               "0PC?\x03");
        QTest::newRow("full") << 3
                              << QByteArray("\x02"
                                            "0PC?:") +
                                     SerialLink::checksumText("0PC?:").toLatin1() + "\x03";
    }
    void framingsOnTheWire() {
        QFETCH(int, framingIndex);
        QFETCH(QByteArray, frame);
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        monitor.framingList()->setCurrentIndex(framingIndex);
        monitor.displayList()->setCurrentIndex(2);
        rig.host.withBus([](sim::SimBus& b) { b.clearLog(); });
        monitor.commandField()->setEditText(QStringLiteral("pc?"));
        monitor.sendMonitorCommand();
        QList<QByteArray> frames;
        rig.host.withBus([&frames](sim::SimBus& b) { frames = b.frames(); });
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.first(), frame);
        // The axis answers every framing; shown whole, the reply has its
        // address, status and checksum.
        QVERIFY(monitor.replyField()->text().startsWith(QLatin1Char('0')));
        QVERIFY(monitor.replyField()->text().contains(QLatin1Char(':')));
    }

    void enterElsewhereKeepsTheDialogOpen() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        monitor.show();
        rig.wire();
        monitor.framingList()->setFocus();
        QTest::keyClick(monitor.framingList(), Qt::Key_Return);
        QVERIFY(monitor.isVisible());
        QVERIFY(rig.wire().isEmpty());
        QTest::keyClick(&monitor, Qt::Key_Escape);
        QVERIFY(!monitor.isVisible());
    }

    void choicesSurviveCloseAndReopen() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        {
            CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
            monitor.framingList()->setCurrentIndex(1);
            monitor.displayList()->setCurrentIndex(2);
            monitor.show();
            QTest::keyClick(&monitor, Qt::Key_Escape);
        }
        QCOMPARE(store().value(QStringLiteral("Settings/RSMon_Protokoll")).toInt(), 1);
        QCOMPARE(store().value(QStringLiteral("Settings/RSMon_Anzeige")).toInt(), 2);
        CRSMonitor again(rig.frame->link(), rig.op, rig.frame.get());
        QCOMPARE(again.framingList()->currentIndex(), 1);
        QCOMPARE(again.displayList()->currentIndex(), 2);
        // The history lives only as long as the dialog.
        QCOMPARE(again.commandField()->count(), 0);
    }

    void stopSendsHaltAndShowsNothing() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        monitor.framingList()->setCurrentIndex(0);
        monitor.replyField()->setText(QStringLiteral("before"));
        rig.wire();
        QTest::mouseClick(monitor.findChild<QPushButton*>(QStringLiteral("stop")), Qt::LeftButton);
        QCOMPARE(rig.wire(), QStringList{"0 H"});
        QCOMPARE(monitor.replyField()->text(), QStringLiteral("before"));
    }

    void sessionLogShowsAndSaves() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        monitor.show();
        QVERIFY(!monitor.logView()->isVisible());
        const int closedHeight = monitor.sizeHint().height();
        QTest::mouseClick(monitor.findChild<QPushButton*>(QStringLiteral("logToggle")),
                          Qt::LeftButton);
        QVERIFY(monitor.logView()->isVisible());
        QVERIFY(monitor.sizeHint().height() > closedHeight);
        monitor.commandField()->setEditText(QStringLiteral("is?"));
        monitor.sendMonitorCommand();
        const QString text = monitor.logView()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("-> <STX>0IS?:")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("<- <STX>0")), qPrintable(text));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.txt"));
        QVERIFY(monitor.saveLog(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("-> <STX>0IS?:"));
        QVERIFY(!monitor.saveLog(dir.filePath(QStringLiteral("missing/log.txt"))));
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Exclamation);
    }

    // A long paste is refused whole with a message, never cut to fit.
    void overLongCommandIsRefusedNotCut() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        rig.host.withBus([](sim::SimBus& b) { b.clearLog(); });
        monitor.commandField()->lineEdit()->setText(QString(600, QLatin1Char('A')));
        QCOMPARE(monitor.commandField()->currentText().size(), 600);
        monitor.sendMonitorCommand();
        QList<QByteArray> frames;
        rig.host.withBus([&frames](sim::SimBus& b) { frames = b.frames(); });
        QVERIFY(frames.isEmpty());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Exclamation);
    }

    // Typing a prefix of a history entry sends the prefix, and the text sent
    // stays selected so that typing replaces it.
    // The command field applies the monitor's one rule: what reaches the line
    // is the typed text with cp1252 capitals, or nothing at all.
    void typedTextFromTheField_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("wire"); // between STX and ETX; empty: refused
        const auto hex = [](const char* t) {
            return QByteArray::fromHex(QByteArray(t).replace(' ', ""));
        };
        QTest::newRow("ascii") << "pc?" << QByteArray("PC?");
        QTest::newRow("a umlaut") << QStringLiteral("x\u00e4") << hex("58 C4");
        QTest::newRow("y diaeresis") << QStringLiteral("\u00ff") << hex("9F");
        QTest::newRow("sharp s") << QStringLiteral("\u00df") << hex("DF");
        QTest::newRow("micro") << QStringLiteral("\u00b5") << hex("B5");
        QTest::newRow("euro") << QStringLiteral("\u20ac") << hex("80");
        QTest::newRow("omega") << QStringLiteral("x\u03a9") << QByteArray();
        QTest::newRow("han") << QStringLiteral("\u6f22") << QByteArray();
        QTest::newRow("embedded ETX") << QStringLiteral("PC?\u0003IS?") << QByteArray();
        QTest::newRow("embedded STX") << QStringLiteral("\u0002PC?") << QByteArray();
        QTest::newRow("pasted lines") << QStringLiteral("PC?\nIS?") << QByteArray();
        QTest::newRow("tab") << QStringLiteral("PC?\tIS?") << QByteArray();
        QTest::newRow("505 characters") << QString(505, u'A') << QByteArray(505, 'A');
        QTest::newRow("506 characters") << QString(506, u'A') << QByteArray();
    }
    void typedTextFromTheField() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, wire);
        Rig rig;
        // What the operator types goes out as typed, whatever the axis makes of it.
        rig.referee.expectAny();
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        QLineEdit* field = showBareMonitor(monitor);
        QVERIFY(field);
        rig.host.withBus([](sim::SimBus& b) { b.clearLog(); });
        field->insert(typed); // as a paste puts it there
        QTest::keyClick(field, Qt::Key_Return);
        QList<QByteArray> frames;
        rig.host.withBus([&frames](sim::SimBus& b) { frames = b.frames(); });
        if (wire.isEmpty())
            QCOMPARE(frames, QList<QByteArray>{});
        else
            QCOMPARE(frames, QList<QByteArray>{"\x02" + wire + "\x03"});
    }

    void prefixOfAHistoryEntryIsSentAsTyped() {
        Rig rig;
        // The second move is typed while the first still runs: the axis refuses it.
        rig.referee.expect(QStringLiteral("GA"));
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        CRSMonitor monitor(rig.frame->link(), rig.op, rig.frame.get());
        QLineEdit* field = showBareMonitor(monitor);
        QVERIFY(field);
        QTest::keyClicks(field, QStringLiteral("ga1000"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->selectedText(), QStringLiteral("ga1000"));
        rig.host.withBus([](sim::SimBus& b) { b.clearLog(); });
        QTest::keyClicks(field, QStringLiteral("ga100"));
        QCOMPARE(field->text(), QStringLiteral("ga100"));
        QTest::keyClick(field, Qt::Key_Return);
        QList<QByteArray> frames;
        rig.host.withBus([&frames](sim::SimBus& b) { frames = b.frames(); });
        QCOMPARE(frames, QList<QByteArray>{QByteArray("\x02GA100\x03")});
    }

    // --- baud rate change ---------------------------------------------------

    void ratesOfferedByFamily_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("TKV") << "TKV 3A/50V"
                             << QStringList{"9600 Baud", "14400 Baud", "19200 Baud", "28800 Baud",
                                            "38400 Baud"};
        QTest::newRow("other family") << "RZH 1.5" << QStringList{"9600 Baud", "28800 Baud"};
    }
    void ratesOfferedByFamily() {
        QFETCH(QString, family);
        QFETCH(QStringList, offered);
        Rig rig;
        QVERIFY(rig.start());
        rig.host.withBus([family](sim::SimBus& b) { b.axis(u'0').setFamily(family); });
        QVERIFY(rig.connect(0));
        rig.frame->activePanel()->stopPollTimer();
        rig.wire();
        CChangeBaud dialog(rig.frame->link(), rig.frame.get());
        QCOMPARE(rig.wire(), QStringList{"0 DO?"});
        QStringList items;
        for (int i = 0; i < dialog.newRateList()->count(); ++i)
            items << dialog.newRateList()->itemText(i);
        QCOMPARE(items, offered);
        QCOMPARE(dialog.newRateList()->currentIndex(), 0);
        QCOMPARE(dialog.currentRateField()->text(), QStringLiteral("28800 Baud"));
        QCOMPARE(dialog.windowTitle(),
                 Texts::text(10000) + QStringLiteral("0") + Texts::text(10247));
    }

    // 28800 -> 9600: "DB1" at 28800, the line at 9600 afterwards, stored, and
    // the panel polls at the new rate, also after it was activated again.
    void changeTo9600() {
        Rig rig;
        QVERIFY(rig.start());
        CKormakView* panel = rig.connect(0);
        QVERIFY(panel);
        QCOMPARE(rig.host.lineRate(), 28800);
        int rateWhenSent = 0;
        whenModal<CChangeBaud>([&](CChangeBaud* d) {
            d->newRateList()->setCurrentIndex(0);
            rateWhenSent = rig.host.lineRate();
            rig.wire();
            d->accept();
        });
        rig.frame->changeBaudAction()->trigger();
        QCOMPARE(rateWhenSent, 28800);
        QVERIFY(rig.wire().contains(QStringLiteral("0 DB1")));
        QCOMPARE(rig.host.lineRate(), 9600);
        QCOMPARE(rig.frame->link().baudIndex(), 0);
        QCOMPARE(rig.frame->axisBar()->baudList()->currentText(), QStringLiteral("9600 Baud"));
        QCOMPARE(rig.op.shownIds(), QList<int>{10240});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Information);
        QCOMPARE(store().value(QStringLiteral("Settings/Baud")).toInt(), 0);
        QCOMPARE(panel->baudIndex(), 0);
        QVERIFY(!rig.frame->baudChangePending());
        QVERIFY(panel->isPolling());
        // An activation puts the link on the panel's own rate: the new one.
        panel->ActivatePanel(true);
        QCOMPARE(rig.host.lineRate(), 9600);
        rig.wire();
        QVERIFY(panel->PollStatus());
        QVERIFY(rig.wire().contains(QStringLiteral("0 II?")));
        QVERIFY(rig.op.shownIds() == QList<int>{10240});
        rig.host.withBus([](sim::SimBus& b) { QCOMPARE(b.axis(u'0').baud, 9600); });

        // And back.
        whenModal<CChangeBaud>([&](CChangeBaud* d) {
            d->newRateList()->setCurrentIndex(d->newRateList()->findText("28800 Baud"));
            d->accept();
        });
        rig.frame->changeBaudAction()->trigger();
        QCOMPARE(rig.host.lineRate(), 28800);
        QCOMPARE(panel->baudIndex(), 3);
        QVERIFY(panel->PollStatus());
    }

    // The reply to "DB" is lost: the axis is asked at the new rate, then at
    // the old one, and the operator learns where it answers; the panel
    // polls there.
    void lostReplySaysWhereTheAxisListens_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("baudIndexAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("switched") << "TKV 3A/50V"
                                  << "9600 Baud" << 0
                                  << "Keine Antwort auf DB1, aber die Achse antwortet jetzt mit "
                                     "9600 Baud.";
        // An axis that knows no 19200 stays where it was.
        QTest::newRow("stayed") << "RZH 1.5"
                                << "19200 Baud" << 3
                                << "Keine Antwort auf DB3; die Achse antwortet weiterhin mit "
                                   "28800 Baud.";
    }
    void lostReplySaysWhereTheAxisListens() {
        QFETCH(QString, family);
        QFETCH(QString, rate);
        QFETCH(int, baudIndexAfter);
        QFETCH(QString, message);
        Rig rig;
        QVERIFY(rig.start());
        // The "stayed" row asks an axis for a rate its family does not have.
        rig.referee.expect(QStringLiteral("0 DB"));
        CKormakView* panel = rig.connect(0);
        QVERIFY(panel);
        whenModal<CChangeBaud>([&](CChangeBaud* d) {
            d->newRateList()->setCurrentIndex(d->newRateList()->findText(rate));
            rig.host.withBus([family](sim::SimBus& b) { b.axis(u'0').setFamily(family); });
            rig.host.setFaultFor(QStringLiteral("0 DB"), sim::Fault::NoReply);
            d->accept();
        });
        rig.frame->changeBaudAction()->trigger();
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, message);
        QCOMPARE(rig.frame->link().baudIndex(), baudIndexAfter);
        QCOMPARE(panel->baudIndex(), baudIndexAfter);
        QVERIFY(panel->isPolling());
        rig.wire();
        QVERIFY(panel->PollStatus());
        QVERIFY(rig.wire().contains(QStringLiteral("0 II?")));
    }

    void refusedChangeKeepsPollingAtTheOldRate() {
        Rig rig;
        rig.referee.expect(QStringLiteral("DB"));
        QVERIFY(rig.start());
        CKormakView* panel = rig.connect(0);
        QVERIFY(panel);
        bool seen = false;
        whenModal<CChangeBaud>([&](CChangeBaud* d) {
            seen = true;
            d->newRateList()->setCurrentIndex(d->newRateList()->findText("19200 Baud"));
            // The axis turns out to know only 9600 and 28800: it answers "NO".
            rig.host.withBus(
                [](sim::SimBus& b) { b.axis(u'0').setFamily(QStringLiteral("RZH 1.5")); });
            rig.wire();
            d->accept();
        });
        rig.frame->changeBaudAction()->trigger();
        QVERIFY(rig.wire().contains(QStringLiteral("0 DB3")));
        QVERIFY(seen);
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(rig.frame->link().portOpen());
        QCOMPARE(rig.frame->link().baudIndex(), 3);
        QCOMPARE(rig.host.lineRate(), 28800);
        QVERIFY(!store().contains(QStringLiteral("Settings/Baud")));
        QVERIFY(!rig.frame->baudChangePending());
        QCOMPARE(panel->baudIndex(), 3);
        QVERIFY(panel->isPolling());
        rig.wire();
        QVERIFY(panel->PollStatus());
        QVERIFY(rig.wire().contains(QStringLiteral("0 II?")));
    }

    void cancelSendsNoRateCommand() {
        Rig rig;
        QVERIFY(rig.start());
        CKormakView* panel = rig.connect(0);
        whenModal<CChangeBaud>([](CChangeBaud* d) { d->reject(); });
        rig.wire();
        rig.frame->changeBaudAction()->trigger();
        for (const QString& line : rig.wire())
            QVERIFY(!line.contains(QLatin1String("DB")));
        QVERIFY(!rig.frame->baudChangePending());
        QVERIFY(panel->isPolling());
    }

    void changeBaudIsGreyedForOfflinePanels() {
        Rig rig;
        QVERIFY(rig.start());
        rig.connect(0);
        QVERIFY(rig.frame->changeBaudAction()->isEnabled());
        rig.frame->FileNew();
        QVERIFY(!rig.frame->changeBaudAction()->isEnabled());
        rig.frame->ConnectToAxis(0);
        QVERIFY(rig.frame->changeBaudAction()->isEnabled());
    }

    // --- the port list ------------------------------------------------------

    void portListFollowsTheDevices() {
        Rig rig;
        QVERIFY(rig.start());
        QComboBox* list = rig.frame->axisBar()->portList();
        const QString sim = rig.host.slavePath();
        QCOMPARE(list->currentText(), sim);

        auto peer = std::make_unique<PtyPeer>();
        QVERIFY(peer->open());
        const QString added = peer->slavePath();
        rig.frame->addPortCandidate(added);
        rig.frame->refreshPortList();
        QVERIFY(rig.frame->link().ports().contains(added));
        QVERIFY(list->findText(added) >= 0);
        QCOMPARE(list->currentText(), sim);

        peer.reset(); // the device goes away
        rig.frame->refreshPortList();
        QVERIFY(!rig.frame->link().ports().contains(added));
        QCOMPARE(list->findText(added), -1);
        QCOMPARE(list->currentText(), sim);
        QCOMPARE(rig.frame->link().selectedPort(), sim);
    }

    void portListStaysWhileAPanelIsOnline() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(0));
        PtyPeer peer;
        QVERIFY(peer.open());
        rig.frame->addPortCandidate(peer.slavePath());
        rig.frame->refreshPortList();
        QVERIFY(!rig.frame->link().ports().contains(peer.slavePath()));
        QVERIFY(rig.frame->link().portOpen());
    }

    // A port typed into the list and taken with Enter: a network port is
    // added, selected and remembered; a name that cannot be a port is
    // refused with a message and leaves the list as it was; while a panel is
    // online the list does not change.
    void typedPort_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("message");
        QTest::newRow("rfc2217") << "rfc2217://10.0.4.17:3017" << false << true << "";
        QTest::newRow("raw socket, IPv6") << "socket://[fd00::7]:4001" << false << true << "";
        QTest::newRow("network name without a port")
            << "rfc2217://10.0.4.17" << false << false
            << Texts::text("link.badNetworkName").arg(QStringLiteral("rfc2217://10.0.4.17"));
        QTest::newRow("a device that does not exist")
            << "/dev/kormak-no-such-port" << false << false << Texts::text(10104);
        QTest::newRow("a panel online") << "rfc2217://10.0.4.17:3017" << true << false << "";
    }
    void typedPort() {
        QFETCH(QString, typed);
        QFETCH(bool, online);
        QFETCH(bool, taken);
        QFETCH(QString, message);
        Rig rig;
        QVERIFY(rig.start());
        if (online)
            QVERIFY(rig.connect(0));
        QComboBox* list = rig.frame->axisBar()->portList();
        const QString sim = rig.host.slavePath();
        rig.op.shown.clear();

        list->setFocus();
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), typed);
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);

        const QString selected = taken ? typed : sim;
        QCOMPARE(rig.frame->link().ports().contains(typed), taken);
        QCOMPARE(list->findText(typed) >= 0, taken);
        QCOMPARE(rig.frame->link().selectedPort(), selected);
        QCOMPARE(list->currentText(), selected);
        QCOMPARE(store().value(QStringLiteral("Settings/Ports")).toStringList().contains(typed),
                 taken);
        if (taken)
            QCOMPARE(store().value(QStringLiteral("Settings/ActiveCOM")).toInt(),
                     rig.frame->link().portIndex());
        if (message.isEmpty()) {
            QVERIFY(rig.op.shown.isEmpty());
        } else {
            QCOMPARE(rig.op.shown.size(), 1);
            QVERIFY2(rig.op.shown.at(0).text.contains(message) ||
                         Texts::text(rig.op.shown.at(0).textId).contains(message),
                     qPrintable(rig.op.shown.at(0).text));
        }
    }
};

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
