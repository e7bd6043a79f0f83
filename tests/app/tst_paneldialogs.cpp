// The panel's dialog buttons in the main window against the simulated bus:
// which dialog opens, and what the panel does after it.

#include "ShellRig.h"
#include "app/CMainFrame.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/Texts.h"
#include "drive/CGesamtStatus.h"
#include "drive/CSFIDialog.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CEADialog.h"
#include "plc/CSPSDialog.h"
#include "report/ReportPrintDialog.h"
#include "sim/SimHost.h"
#include "sim/SimStatus.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct Rig : ShellRig {
    CKormakView* panel = nullptr;

    Rig() : ShellRig(QStringLiteral("0")) {}
    bool start() {
        if (!ShellRig::start())
            return false;
        frame->ConnectToAxis(0);
        if (frame->panels().size() != 1)
            return false;
        panel = frame->panels().first();
        return true;
    }
    void axis(const std::function<void(sim::SimAxis&)>& fn) {
        host.withBus([&](sim::SimBus& bus) { fn(bus.axis(u'0')); });
    }
    QStringList wire() {
        QStringList l = host.log();
        host.clearLog();
        return l;
    }
    // Presses a panel button; whatever is modal afterwards is handed to
    // inDialog (the class name of the widget, and the widget), then closed.
    QString press(const char* button, const std::function<void(QWidget*)>& inDialog = {}) {
        QString seen;
        // Ends the timer with this call when no dialog opened.
        QObject scope;
        QTimer::singleShot(100, &scope, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            seen = QString::fromLatin1(w->metaObject()->className());
            if (inDialog)
                inDialog(w);
            if (QApplication::activeModalWidget() == w)
                w->close();
        });
        QTest::mouseClick(panel->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
        return seen;
    }
};

} // namespace

class TestPanelDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::English);
    }

    // Which dialog each button opens, what it sends first, and whether the
    // panel reads its configuration again once the dialog has closed ("IF?"
    // opens that reading): after the ramps dialog it must, so that its ramp
    // list follows the axis; after the others, closed without acting, it
    // must not.
    void buttonOpensItsDialog_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("firstCommand");
        QTest::addColumn<bool>("rereadsAfter");
        QTest::newRow("status") << QByteArray("statusButton") << "CGesamtStatus"
                                << "0 IS?" << false;
        QTest::newRow("reset") << QByteArray("resetButton") << "CReset"
                               << "" << false;
        QTest::newRow("I/O card") << QByteArray("optionCardButton") << "CEADialog"
                                  << "0 PE?" << false;
        QTest::newRow("SFI") << QByteArray("sfiButton") << "CSFIDialog"
                             << "0 PI?" << false;
        QTest::newRow("extended PLC") << QByteArray("plcExtButton") << "CDlgSPSErweitert"
                                      << "0 DO?" << false;
        QTest::newRow("cycle programs") << QByteArray("plcButton") << "CSPSDialog"
                                        << "0 DO?" << false;
        QTest::newRow("currents") << QByteArray("currentsButton") << "CStrom"
                                  << "0 DO?" << false;
        QTest::newRow("ramps") << QByteArray("rampsButton") << "CRampenDlg"
                               << "0 IN?" << true;
        QTest::newRow("RS monitor") << QByteArray("rsMonitorButton") << "CRSMonitor"
                                    << "" << false;
    }
    void buttonOpensItsDialog() {
        QFETCH(QByteArray, button);
        QFETCH(QString, dialog);
        QFETCH(QString, firstCommand);
        QFETCH(bool, rereadsAfter);
        Rig rig;
        rig.axis([](sim::SimAxis& a) {
            a.ioCard = true;
            a.sfiCard = true;
        });
        QVERIFY(rig.start());
        QVERIFY(rig.panel->isPolling());
        // The SFI button follows what the axis reported.
        rig.panel->findChild<QPushButton*>(QStringLiteral("sfiButton"))->setEnabled(true);
        rig.wire();
        bool pollingInDialog = true;
        QStringList inDialog;
        const QString seen = rig.press(button.constData(), [&](QWidget*) {
            pollingInDialog = rig.panel->isPolling();
            inDialog = rig.wire();
        });
        QCOMPARE(seen, dialog);
        QVERIFY(!pollingInDialog);
        if (!firstCommand.isEmpty())
            QCOMPARE(inDialog.value(0), firstCommand);
        const QStringList after = rig.wire();
        QVERIFY2(after.contains(QStringLiteral("0 IF?")) == rereadsAfter,
                 qPrintable(after.join(u',')));
    }

    // Both PLC buttons put their dialog on screen before it reads the axis:
    // while the slots are read the dialog is already the modal window, and
    // the reading still begins with "DO?" and reads every slot.
    void plcDialogIsUpWhileItReads_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("cycle programs") << QByteArray("plcButton") << "CSPSDialog";
        QTest::newRow("extended sequence") << QByteArray("plcExtButton") << "CDlgSPSErweitert";
    }
    void plcDialogIsUpWhileItReads() {
        QFETCH(QByteArray, button);
        QFETCH(QString, dialog);
        Rig rig;
        QVERIFY(rig.start());
        rig.wire();
        QString upWhileReading;
        int slotsReadThen = -1;
        rig.op.onPump = [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!upWhileReading.isEmpty() || !w || !w->isVisible())
                return;
            upWhileReading = QString::fromLatin1(w->metaObject()->className());
            slotsReadThen = int(rig.host.log().filter(QRegularExpression("^0 ER")).size());
        };
        const QString seen = rig.press(button.constData());
        rig.op.onPump = nullptr;
        QCOMPARE(seen, dialog);
        QCOMPARE(upWhileReading, dialog);
        QCOMPARE(slotsReadThen, 0);
        const QStringList wire = rig.wire();
        QCOMPARE(wire.value(0), QStringLiteral("0 DO?"));
        QCOMPARE(wire.filter(QRegularExpression("^0 ER")).size(), 256);
    }

    // The adapter pulled with three panels open: the operator hears of it
    // once, and closing the panels adds no "cannot be opened" for each.
    void closingPanelsAfterTheAdapterWentAway() {
        ShellRig rig(QStringLiteral("035"));
        QVERIFY(rig.start());
        for (int k : {0, 3, 5})
            rig.frame->ConnectToAxis(k);
        QCOMPARE(rig.frame->panels().size(), 3);
        rig.op.clear();
        rig.host.setFault(sim::Fault::Vanish, 0, -1);
        QTRY_VERIFY(!rig.frame->link().portOpen());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("link.portLost"));
        rig.frame->findChild<QMdiArea*>()->closeAllSubWindows();
        QTRY_COMPARE(rig.frame->panels().size(), 0);
        QCOMPARE(rig.op.shown.size(), 1);
    }

    // The same while nothing polled: the first panel to close finds the port
    // gone and says so; the others add nothing.
    void closingPanelsAfterTheAdapterWentAwayUnnoticed() {
        ShellRig rig(QStringLiteral("035"));
        QVERIFY(rig.start());
        for (int k : {0, 3, 5})
            rig.frame->ConnectToAxis(k);
        QCOMPARE(rig.frame->panels().size(), 3);
        for (CKormakView* panel : rig.frame->panels())
            panel->stopPollTimer();
        rig.op.clear();
        rig.host.setFault(sim::Fault::Vanish, 0, -1);
        rig.frame->findChild<QMdiArea*>()->closeAllSubWindows();
        QTRY_COMPARE(rig.frame->panels().size(), 0);
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("link.portLost"));
    }

    // Export as PDF offers the axis (or the file's name beside the file) and
    // the day, in the language of the moment.
    void pdfNameSaysWhatAndWhen_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        QTest::newRow("de") << int(Texts::Language::German) << "Achse_0_2026-12-10.pdf";
        QTest::newRow("en") << int(Texts::Language::English) << "Axis_0_2026-12-10.pdf";
        QTest::newRow("fr") << int(Texts::Language::French) << "Axe_0_2026-12-10.pdf";
    }
    void pdfNameSaysWhatAndWhen() {
        QFETCH(int, language);
        QFETCH(QString, name);
        Texts::setLanguage(Texts::Language(language));
        Rig rig;
        QVERIFY(rig.start());
        const QDate day(2026, 12, 10);
        QCOMPARE(QFileInfo(ReportPrintDialog::SuggestedPdfPath(*rig.panel, day)).fileName(), name);

        QVERIFY(rig.frame->OpenFile(QStringLiteral(KORMAK_GOLDEN_DIR "/online_tkv_de.OPM")));
        QVERIFY(rig.frame->activePanel()->isOffline());
        const QString suggested =
            ReportPrintDialog::SuggestedPdfPath(*rig.frame->activePanel(), day);
        QCOMPARE(suggested, QStringLiteral(KORMAK_GOLDEN_DIR "/online_tkv_de_2026-12-10.pdf"));
        Texts::setLanguage(Texts::Language::English);
    }

    // An offline file's steps open in the step dialog, are edited, taken
    // over and saved: the step lines stand where they stood, and the file's
    // other lines, cycle programs among them, keep their places.
    void offlineStepsAreSavedInPlace() {
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("SEQ.OPM"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; [TKV]\r\nPO400\r\nPF2000\r\nEW00PO400 PF2000 GA100 PN0\r\nEW01$&PS1.2\r\n"
                "EW03$&T500\r\nEW07PO5 PF5 GS+ PN0\r\n");
        f.close();
        QVERIFY(rig.frame->OpenFile(path));
        rig.panel = rig.frame->activePanel();
        rig.wire();
        const QString seen = rig.press("plcExtButton", [](QWidget* w) {
            auto* d = qobject_cast<CDlgSPSErweitert*>(w);
            QVERIFY(d);
            QCOMPARE(d->workingSlots().mid(0, 4), (QStringList{"", "$&PS1.2", "", "$&T500"}));
            auto* kind = d->findChild<QComboBox*>(QStringLiteral("kind2"));
            kind->setCurrentIndex(ExtendedStep::Jump);
            emit kind->activated(ExtendedStep::Jump);
            auto* edit = d->findChild<QLineEdit*>(QStringLiteral("edit2"));
            edit->setText(QStringLiteral("1"));
            emit edit->textEdited(edit->text());
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("programButton")),
                              Qt::LeftButton);
        });
        QCOMPARE(seen, QStringLiteral("CDlgSPSErweitert"));
        QVERIFY(rig.wire().isEmpty());
        QVERIFY(rig.frame->SaveActive(false));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList slotLines;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("EW") || line.startsWith("WU"))
                slotLines << QString::fromLatin1(line).trimmed();
        QCOMPARE(slotLines, (QStringList{"EW00PO400 PF2000 GA100 PN0", "EW01$&PS1.2", "EW02$&N01",
                                         "EW03$&T500", "EW07PO5 PF5 GS+ PN0"}));
    }

    // An offline panel's currents live in its configuration: what the
    // current dialog accepts is what the next save writes, the values it
    // left alone stay as the file had them, and the document counts as
    // changed.
    void offlineCurrentsReachTheSavedFile() {
        Rig rig;
        QVERIFY(rig.start());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("CURR.OPM"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("; [TKV]\r\nPA1.5\r\nPR2.0\r\nPS0.5\r\nPT20\r\nPO400\r\nPF2000\r\n");
        f.close();
        QVERIFY(rig.frame->OpenFile(path));
        rig.panel = rig.frame->activePanel();
        QVERIFY(!rig.panel->document().modified);
        rig.wire();
        const QString seen = rig.press("currentsButton", [](QWidget* w) {
            auto* run = w->findChild<QComboBox*>(QStringLiteral("runCurrent"));
            QVERIFY(run);
            QCOMPARE(run->currentText(), QStringLiteral("2.0 A"));
            run->setCurrentIndex(30);
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
        });
        QCOMPARE(seen, QStringLiteral("CStrom"));
        QVERIFY(rig.wire().isEmpty());
        QVERIFY(rig.panel->document().modified);
        QVERIFY(rig.frame->SaveActive(false));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList currents;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("PA") || line.startsWith("PR") || line.startsWith("PS") ||
                line.startsWith("PT"))
                currents << QString::fromLatin1(line).trimmed();
        QCOMPARE(currents, (QStringList{"PA1.5", "PR3.0", "PS0.5", "PT20"}));
    }

    void axisWithoutCardGetsNoDialog() {
        Rig rig;
        QVERIFY(rig.start());
        QCOMPARE(rig.press("optionCardButton"), QString());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, QStringLiteral("Not Supported"));
    }

    // The whole-system reset from the reset dialog or the status dialog:
    // "CR", the window while the axis restarts, then the panel reads the axis
    // again.
    void wholeSystemResetRereadsTheAxis_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("action");
        QTest::newRow("reset dialog") << QByteArray("resetButton") << "resetButton";
        QTest::newRow("status dialog") << QByteArray("statusButton") << "actionButton";
    }
    void wholeSystemResetRereadsTheAxis() {
        QFETCH(QByteArray, button);
        QFETCH(QString, action);
        Rig rig;
        QVERIFY(rig.start());
        rig.axis([](sim::SimAxis& a) {
            a.restartMs = 300;
            sim::SimStatus::setFault(a, QStringLiteral("power-stage"));
        });
        rig.wire();
        QElapsedTimer clock;
        clock.start();
        rig.press(button.constData(), [&](QWidget* dialog) {
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("resetSystem"));
            QVERIFY(box);
            box->click();
            QTest::mouseClick(dialog->findChild<QPushButton*>(action), Qt::LeftButton);
        });
        // The progress window counted its five seconds before the reading.
        QVERIFY(clock.elapsed() >= 5000);
        const QStringList wire = rig.wire();
        const qsizetype cr = wire.indexOf(QStringLiteral("0 CR"));
        QVERIFY2(cr >= 0, qPrintable(wire.join(u',')));
        // The configuration is read again: "IF?" opens the reading.
        QVERIFY2(wire.indexOf(QStringLiteral("0 IF?"), cr) > cr, qPrintable(wire.join(u',')));
        QVERIFY(rig.op.shown.isEmpty());
        rig.axis([](sim::SimAxis& a) { QCOMPARE(a.latched, 0u); });
    }
};

QTEST_MAIN(TestPanelDialogs)
#include "tst_paneldialogs.moc"
