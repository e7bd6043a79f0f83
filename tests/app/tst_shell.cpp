#include "ScriptedOperator.h"
#include "app/AxisBar.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"
#include "sim/SimBus.h"
#include "sim/SimHost.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

// The main window against a simulated bus, with the scripted operator in
// place of the message boxes.
class TestShell : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    struct Rig {
        ScriptedOperator op;
        sim::SimHost host;
        std::unique_ptr<CMainFrame> frame;
        explicit Rig(const QString& axes = QStringLiteral("0123456789ABCDEF")) : host(axes) {}
        bool start() {
            if (!host.start())
                return false;
            CMainFrame::Options o;
            o.ports = {host.slavePath()};
            o.selectPort = host.slavePath();
            o.op = &op;
            frame = std::make_unique<CMainFrame>(o);
            frame->show();
            return true;
        }
        QStringList wire() {
            QStringList l = host.log();
            host.clearLog();
            return l;
        }
        int countOf(const QStringList& log, const QString& line) { return int(log.count(line)); }
    };

private slots:
    void initTestCase() {
        // Settings of the tests stay away from the user's own.
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::German);
    }

    void init() { QFile::remove(home_.path() + QStringLiteral("/Veltrax GmbH/Kormak.conf")); }

    void axisButtonsFollowTheBoxes() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->axisBar()->setAxisPresent(5, true);
        for (int k = 0; k < 16; ++k)
            QCOMPARE(rig.frame->axisAction(k)->isEnabled(), k == 5);
        rig.frame->axisBar()->setAxisPresent(5, false);
        QVERIFY(!rig.frame->axisAction(5)->isEnabled());
    }

    void startUpShowsNoDocument() {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.frame->mdiArea()->subWindowList().isEmpty());
        QVERIFY(!rig.frame->panelMenuShown());
        QVERIFY(!rig.frame->link().portOpen());
        QCOMPARE(rig.frame->link().baudIndex(), 3);
    }

    void connectOpensPanelAndSecondPressSendsNothing() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(0);
        QCOMPARE(rig.frame->panels().size(), 1);
        QCOMPARE(rig.frame->activeChildTitle(), Texts::text(10000) + QStringLiteral("0"));
        QVERIFY(rig.frame->panelMenuShown());
        QVERIFY(rig.op.shown.isEmpty());
        rig.frame->ConnectToAxis(3);
        QCOMPARE(rig.frame->panels().size(), 2);
        rig.wire();
        // Axis 0's panel exists: it comes to the front without an "IC?".
        rig.frame->ConnectToAxis(0);
        QCOMPARE(rig.frame->panels().size(), 2);
        QCOMPARE(rig.frame->activeChildTitle(), Texts::text(10000) + QStringLiteral("0"));
        QCOMPARE(rig.frame->link().currentAddress(), QStringLiteral("0"));
        QVERIFY(!rig.wire().contains(QStringLiteral("0 IC?")));
    }

    void baudSearchWraps() {
        Rig rig;
        QVERIFY(rig.start());
        rig.host.withBus([](sim::SimBus& bus) { bus.axis(u'4').baud = 9600; });
        rig.frame->ConnectToAxis(4);
        QCOMPARE(rig.frame->panels().size(), 1);
        QCOMPARE(rig.frame->link().baudIndex(), 0); // "9600 Baud" stays selected
        QCOMPARE(rig.frame->axisBar()->baudList()->currentText(), QStringLiteral("9600 Baud"));
        QVERIFY(rig.op.shown.isEmpty());
    }

    void noAnswerAtAnyRate() {
        Rig rig(QStringLiteral("0"));
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(7);
        QVERIFY(rig.frame->panels().isEmpty());
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.frame->link().baudIndex(), 3);
        QCOMPARE(rig.frame->link().timeoutMs(), 1000u);
    }

    void probeOnClosedPortIsNotAnAnswer() {
        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(QStringLiteral("0"));
        QVERIFY(!ProbeAxis(link));
        QCOMPARE(op.shownIds(), QList<int>{10104});
        QCOMPARE(link.timeoutMs(), 1000u);
    }

    void portThatCannotOpen() {
        ScriptedOperator op;
        CMainFrame::Options o;
        o.ports = {QStringLiteral("/dev/kormak-no-such-port")};
        o.selectPort = o.ports.first();
        o.op = &op;
        CMainFrame frame(o);
        frame.ConnectToAxis(0);
        QCOMPARE(op.shownIds(), QList<int>{10104});
        QVERIFY(frame.panels().isEmpty());
    }

    void newWhileOnlinePanelIsActive() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(3);
        rig.frame->FileNew();
        QCOMPARE(rig.frame->panels().size(), 2);
        QCOMPARE(rig.frame->activeChildTitle(), QStringLiteral(": OFFLINE NEW"));
        QCOMPARE(rig.frame->link().currentAddress(), QStringLiteral("OFFLINE"));
        // Back to the axis-3 panel: it talks to its axis again.
        for (QMdiSubWindow* w : rig.frame->mdiArea()->subWindowList())
            if (w->windowTitle().endsWith(u'3'))
                rig.frame->mdiArea()->setActiveSubWindow(w);
        QCOMPARE(rig.frame->link().currentAddress(), QStringLiteral("3"));
    }

    void axisEDoesNotPickAnOpenedFile() {
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("DREH.OPM"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PF2000\r\n");
        f.close();
        QVERIFY(rig.frame->OpenFile(path));
        QVERIFY(rig.frame->activeChildTitle().endsWith(QLatin1String("OFFLINE")));
        rig.wire();
        rig.frame->ConnectToAxis(14); // axis E
        QCOMPARE(rig.frame->panels().size(), 2);
        QCOMPARE(rig.frame->activeChildTitle(), Texts::text(10000) + QStringLiteral("E"));
        QVERIFY(rig.wire().contains(QStringLiteral("E IC?")));
    }

    // A file from an axis faster than the default lists: tabbing through its
    // frequencies and saving writes them back unchanged.
    void offlineFrequenciesSurviveTabbingAndSaving() {
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("FAST.OPM"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PO2000\r\nPF20000\r\n");
        f.close();
        QVERIFY(rig.frame->OpenFile(path));
        CKormakView* panel = rig.frame->activePanel();
        QVERIFY(panel);
        rig.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.frame.get()));
        auto* moveType = panel->findChild<QComboBox*>(QStringLiteral("moveType"));
        for (const char* name : {"startStopFreq", "runFreq"}) {
            auto* box = panel->findChild<QComboBox*>(QLatin1String(name));
            box->lineEdit()->setFocus(Qt::TabFocusReason);
            QVERIFY(box->lineEdit()->hasFocus());
            moveType->setFocus(Qt::TabFocusReason);
        }
        QVERIFY(rig.frame->SaveActive(false));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QVERIFY(lines.contains("PO2000\r"));
        QVERIFY(lines.contains("PF20000\r"));
        QVERIFY(rig.op.shown.isEmpty());
    }

    void failedOpenRestoresTheAxis() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(3);
        QCOMPARE(rig.frame->link().currentAddress(), QStringLiteral("3"));
        QVERIFY(!rig.frame->OpenFile(QStringLiteral("/nonexistent/kormak/X.OPM")));
        QCOMPARE(rig.frame->link().currentAddress(), QStringLiteral("3"));
        QCOMPARE(rig.frame->panels().size(), 1);
        QCOMPARE(rig.op.shown.size(), 1);
    }

    void languageSwitch() {
        Rig rig;
        QVERIFY(rig.start());
        AxisBar* bar = rig.frame->axisBar();
        auto caption = [bar](const char* name) {
            if (auto* l = bar->findChild<QLabel*>(QLatin1String(name)))
                return l->text();
            return bar->findChild<QGroupBox*>(QLatin1String(name))->title();
        };
        // Through the menu, as the operator does it: the menu that holds the
        // command is rebuilt in the new language while its command runs.
        auto languageAction = [&rig](int index) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            auto* menu = rig.frame->findChild<QMenu*>(QStringLiteral("languageMenu"));
            return menu->actions().at(index);
        };
        languageAction(2)->trigger();
        QCOMPARE(caption("portLabel"), QStringLiteral("&Interface"));
        languageAction(0)->trigger();
        QCOMPARE(caption("portLabel"), QStringLiteral("&Schnittstelle"));
        rig.frame->SetLanguage(CMainFrame::French);
        rig.frame->SetLanguage(CMainFrame::German);
        QCOMPARE(caption("portLabel"), QStringLiteral("&Schnittstelle"));
        QCOMPARE(caption("axesGroup"), QStringLiteral("Achsen"));
        QCOMPARE(caption("existingLabel"), QStringLiteral("[vohandene]"));

        rig.frame->SetLanguage(CMainFrame::English);
        QCOMPARE(rig.frame->menuBar()->actions().first()->text(), Texts::text("menu.file"));
        rig.frame->ConnectToAxis(0);
        auto* moveType =
            rig.frame->panels().first()->findChild<QComboBox*>(QStringLiteral("moveType"));
        QVERIFY(moveType);
        QCOMPARE(moveType->itemText(0), QStringLiteral("Initialize via initiator +"));
        rig.frame->SetLanguage(CMainFrame::German);
    }

    void busyStateHoldsTheAxis() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(0);
        rig.frame->ConnectToAxis(3);
        QMdiSubWindow* axis0 = nullptr;
        for (QMdiSubWindow* w : rig.frame->mdiArea()->subWindowList())
            if (w->windowTitle().endsWith(u'0'))
                axis0 = w;
        QVERIFY(axis0);
        {
            BusyGuard busy;
            // Nothing else may start talking while a long operation runs.
            rig.frame->mdiArea()->setActiveSubWindow(axis0);
            QCOMPARE(rig.frame->link().currentAddress(), QStringLiteral("3"));
            rig.frame->ConnectToAxis(5);
            rig.frame->FileNew();
            QCOMPARE(rig.frame->panels().size(), 2);
            QVERIFY(!axis0->close());
            rig.frame->SetLanguage(CMainFrame::French);
            QCOMPARE(Texts::language(), Texts::Language::German);
        }
        // Afterwards the panel in front takes over the link.
        QTRY_COMPARE(rig.frame->link().currentAddress(), QStringLiteral("0"));
    }

    void closingTheLastPanelClosesThePort() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(0);
        QVERIFY(rig.frame->link().portOpen());
        rig.frame->mdiArea()->currentSubWindow()->close();
        QTRY_VERIFY(rig.frame->mdiArea()->subWindowList().isEmpty());
        QTRY_VERIFY(!rig.frame->link().portOpen());
        QVERIFY(!rig.frame->panelMenuShown());
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
