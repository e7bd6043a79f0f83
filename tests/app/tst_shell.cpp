#include "FileSizeLimit.h"
#include "ShellRig.h"
#include "app/AxisBar.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
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
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>

// The main window against a simulated bus, with the scripted operator in
// place of the message boxes.
class TestShell : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    using Rig = ShellRig;

    // A small offline parameter file.
    static QString writeFile(const QTemporaryDir& dir, const QString& name,
                             const QByteArray& bytes = "PO400\r\nPF2000\r\n") {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QMdiSubWindow* current(Rig& rig) { return rig.frame->mdiArea()->currentSubWindow(); }

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

    // After a lost reply the panel in front stops polling; its axis button
    // brings it back to life.
    void axisButtonRevivesThePanelInFront() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(0);
        CKormakView* panel = rig.frame->panels().first();
        QVERIFY(panel->isPolling());
        rig.host.setFault(sim::Fault::NoReply, 0, 1);
        QVERIFY(!panel->PollStatus());
        QVERIFY(!panel->isPolling());
        rig.frame->ConnectToAxis(0);
        QVERIFY(panel->isPolling());
        QCOMPARE(rig.frame->panels().size(), 1);
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
        // A file of two parameter lines cannot be sent to an axis: opening
        // it says so, once.
        QCOMPARE(rig.op.shown.size(), 1);
        rig.op.clear();
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

    // The window's Save on a full disk: the file on disk stays as it was and
    // the operator is told why.
    void saveOnAFullDiskKeepsTheFile() {
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KEEP.OPM"));
        const QByteArray old("PO2000\r\nPF20000\r\n");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(old);
        f.close();
        QVERIFY(rig.frame->OpenFile(path));
        rig.op.shown.clear(); // opening warns that the file lacks lines
        bool saved = true;
        {
            FileSizeLimit full(16);
            saved = rig.frame->SaveActive(false);
        }
        QVERIFY(!saved);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("KEEP.OPM")});
        QCOMPARE(rig.op.shown.size(), 1);
        QVERIFY2(rig.op.shown.first().text.contains(QStringLiteral("File too large")),
                 qPrintable(rig.op.shown.first().text));
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

    // A changed offline configuration is a document with unsaved changes:
    // closing it asks to save, discard or stay.
    void changedOfflineDocumentAsks_data() {
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("answer"); // Operator::Answer
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("unchanged") << false << int(Operator::Answer::Yes) << false << true << false;
        QTest::newRow("save") << true << int(Operator::Answer::Yes) << true << true << true;
        QTest::newRow("discard") << true << int(Operator::Answer::No) << true << true << false;
        QTest::newRow("cancel") << true << int(Operator::Answer::Cancel) << true << false << false;
    }
    void changedOfflineDocumentAsks() {
        QFETCH(bool, change);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("A.OPM"));
        QVERIFY(rig.frame->OpenFile(path));
        const QByteArray before = contents(path);
        if (change) {
            auto* backlash =
                rig.frame->panels().first()->findChild<QLineEdit*>(QStringLiteral("backlash"));
            QVERIFY(backlash);
            backlash->setFocus();
            QTest::keyClicks(backlash, QStringLiteral("17"));
        }
        rig.op.answers = {Operator::Answer(answer)};
        const bool wasClosed = current(rig)->close();
        QCOMPARE(wasClosed, closed);
        const QString question = Texts::text("file.saveChanges").arg(QStringLiteral("A.OPM"));
        bool questionShown = false;
        for (const Operator::Message& m : rig.op.shown)
            questionShown |= m.text == question && m.buttons == Operator::Buttons::YesNoCancel;
        QCOMPARE(questionShown, asked);
        QCOMPARE(contents(path) != before, saved);
        if (saved)
            QVERIFY(contents(path).contains("PW17\r\n"));
        QCOMPARE(rig.frame->panels().size(), closed ? 0 : 1);
    }

    void quittingAsksForEveryChangedDocumentAndCanStay() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->FileNew();
        auto* backlash =
            rig.frame->panels().first()->findChild<QLineEdit*>(QStringLiteral("backlash"));
        QTest::keyClicks(backlash, QStringLiteral("5"));
        rig.op.answers = {Operator::Answer::Cancel};
        QVERIFY(!rig.frame->close());
        QCOMPARE(rig.frame->panels().size(), 1);
        rig.op.answers = {Operator::Answer::No};
        QVERIFY(rig.frame->close());
    }

    void onlinePanelHasNoDocumentQuestion() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(0);
        auto* backlash =
            rig.frame->panels().first()->findChild<QLineEdit*>(QStringLiteral("backlash"));
        QTest::keyClicks(backlash, QStringLiteral("5"));
        rig.op.clear();
        QVERIFY(current(rig)->close());
        for (const Operator::Message& m : rig.op.shown)
            QVERIFY(m.buttons != Operator::Buttons::YesNoCancel);
    }

    void openingAnOpenFileBringsItToFront() {
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString a = writeFile(dir, QStringLiteral("A.OPM"));
        const QString b = writeFile(dir, QStringLiteral("B.OPM"));
        QVERIFY(rig.frame->OpenFile(a));
        QMdiSubWindow* first = current(rig);
        QVERIFY(rig.frame->OpenFile(b));
        // The same file by another spelling of its path.
        QVERIFY(rig.frame->OpenFile(dir.path() + QStringLiteral("/./A.OPM")));
        QCOMPARE(rig.frame->panels().size(), 2);
        QCOMPARE(current(rig), first);
    }

    void windowMenuListsThePanels() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->ConnectToAxis(0);
        rig.frame->FileNew();
        auto* menu = rig.frame->findChild<QMenu*>(QStringLiteral("windowMenu"));
        QVERIFY(menu);
        emit menu->aboutToShow();
        QStringList listed;
        QAction* axis0 = nullptr;
        for (QAction* a : menu->actions()) {
            if (!a->property("panelWindow").toBool() || a->isSeparator())
                continue;
            listed << a->text();
            if (a->text().endsWith(Texts::text(10000) + QStringLiteral("0")))
                axis0 = a;
        }
        QCOMPARE(listed, (QStringList{QStringLiteral("&1 ") + Texts::text(10000) + u'0',
                                      QStringLiteral("&2 : OFFLINE NEW")}));
        QVERIFY(axis0 && !axis0->isChecked());
        axis0->trigger();
        QCOMPARE(rig.frame->activeChildTitle(), Texts::text(10000) + QStringLiteral("0"));
        // Opened again, the list follows what is open.
        current(rig)->close();
        emit menu->aboutToShow();
        int panelsListed = 0;
        for (QAction* a : menu->actions())
            panelsListed += a->property("panelWindow").toBool() && !a->isSeparator();
        QCOMPARE(panelsListed, 1);
    }

    void arrangingNeverResizesTheMainWindow() {
        Rig rig;
        QVERIFY(rig.start());
        rig.frame->resize(900, 650);
        for (int i = 0; i < 4; ++i)
            rig.frame->FileNew();
        QCoreApplication::processEvents();
        const QSize frame = rig.frame->size();
        QList<QSize> sizes;
        for (QMdiSubWindow* w : rig.frame->mdiArea()->subWindowList())
            sizes << w->size();
        for (int round = 0; round < 2; ++round) {
            if (round == 0)
                rig.frame->tilePanels();
            else
                rig.frame->cascadePanels();
            QCoreApplication::processEvents();
            QCOMPARE(rig.frame->size(), frame);
            QList<QSize> after;
            for (QMdiSubWindow* w : rig.frame->mdiArea()->subWindowList())
                after << w->size();
            QCOMPARE(after, sizes);
        }
        // Tiled windows do not overlap.
        rig.frame->tilePanels();
        const QList<QMdiSubWindow*> windows = rig.frame->mdiArea()->subWindowList();
        for (int i = 0; i < windows.size(); ++i)
            for (int j = i + 1; j < windows.size(); ++j)
                QVERIFY(!windows[i]->geometry().intersects(windows[j]->geometry()));
    }

    void viewToolBarLeavesTheAxisButtons() {
        Rig rig;
        QVERIFY(rig.start());
        auto* toolBar = rig.frame->findChild<QAction*>(QStringLiteral("viewToolBar"));
        auto* axisBar = rig.frame->findChild<QAction*>(QStringLiteral("viewAxisToolBar"));
        QVERIFY(toolBar && axisBar);
        auto* main = rig.frame->findChild<QWidget*>(QStringLiteral("mainToolBar"));
        auto* axes = rig.frame->findChild<QWidget*>(QStringLiteral("axisToolBar"));
        emit qobject_cast<QMenu*>(toolBar->parent())->aboutToShow();
        QVERIFY(toolBar->isChecked());
        toolBar->setChecked(false);
        QVERIFY(!main->isVisible());
        QVERIFY(axes->isVisible());
        QVERIFY(axisBar->isChecked());
        axisBar->setChecked(false);
        QVERIFY(!axes->isVisible());
    }

    void fileMenuWithoutPanelHasClose() {
        Rig rig;
        QVERIFY(rig.start());
        QMenu* file = rig.frame->menuBar()->actions().first()->menu();
        QAction* close = nullptr;
        for (QAction* a : file->actions())
            if (a->text() == Texts::text("menu.57602"))
                close = a;
        QVERIFY(close);
        QVERIFY(!close->isEnabled());
    }

    void statusTipsLeaveTheProgressAlone() {
        Rig rig;
        QVERIFY(rig.start());
        const QString tip = Texts::text("tip.axis") + u'3';
        QStatusTipEvent hover(tip);
        QCoreApplication::sendEvent(rig.frame.get(), &hover);
        QCOMPARE(rig.frame->statusText(), tip);
        rig.frame->progressShow(QStringLiteral("Speichern..."), 10, 1);
        QCOMPARE(rig.frame->statusText(), QStringLiteral("Speichern..."));
        QCoreApplication::sendEvent(rig.frame.get(), &hover);
        QCOMPARE(rig.frame->statusText(), QStringLiteral("Speichern..."));
        QVERIFY(rig.frame->statusBar()->currentMessage().isEmpty());
        rig.frame->progressHide();
        QCOMPARE(rig.frame->statusText(), Texts::text(57345));
        QStatusTipEvent leave{QString()};
        QCoreApplication::sendEvent(rig.frame.get(), &hover);
        QCoreApplication::sendEvent(rig.frame.get(), &leave);
        QCOMPARE(rig.frame->statusText(), Texts::text(57345));
    }

    void openDialogAddsTheSuffix() {
        QTemporaryDir dir;
        QVERIFY(!writeFile(dir, QStringLiteral("MASCHINE1.OPM")).isEmpty());
        QFileDialog dialog;
        DocumentCommands::prepareOpenDialog(dialog);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDirectory(dir.path());
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(QStringLiteral("MASCHINE1"));
        QMetaObject::invokeMethod(&dialog, "accept");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedFiles(),
                 QStringList{QDir(dir.path()).filePath(QStringLiteral("MASCHINE1.OPM"))});
    }

    void unreadableFileShowsTheDocumentText_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/kormak/X.OPM")
                                 << QStringLiteral("No such file or directory");
        QTest::newRow("device") << QStringLiteral("/dev/zero") << QStringLiteral("File too large");
        QTest::newRow("folder") << QStringLiteral("/") << QStringLiteral("Is a directory");
    }
    void unreadableFileShowsTheDocumentText() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(!rig.frame->OpenFile(path));
        QCOMPARE(rig.op.shownIds(), QList<int>{61697});
        QVERIFY(rig.op.shown.first().text.startsWith(Texts::text(61697)));
        QVERIFY2(rig.op.shown.first().text.contains(reason), qPrintable(rig.op.shown.first().text));
        QVERIFY(rig.frame->panels().isEmpty());
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
