// The panel's status, reset, option-card and SFI buttons in the main window
// against the simulated bus: which dialog opens, and what the panel does
// after it.

#include "ShellRig.h"
#include "app/CMainFrame.h"
#include "axis/CKormakView.h"
#include "base/Texts.h"
#include "drive/CGesamtStatus.h"
#include "drive/CSFIDialog.h"
#include "plc/CEADialog.h"
#include "sim/SimHost.h"
#include "sim/SimStatus.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
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

    void buttonOpensItsDialog_data() {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("firstCommand");
        QTest::newRow("status") << QByteArray("statusButton") << "CGesamtStatus"
                                << "0 IS?";
        QTest::newRow("reset") << QByteArray("resetButton") << "CReset"
                               << "";
        QTest::newRow("I/O card") << QByteArray("optionCardButton") << "CEADialog"
                                  << "0 PE?";
        QTest::newRow("SFI") << QByteArray("sfiButton") << "CSFIDialog"
                             << "0 PI?";
    }
    void buttonOpensItsDialog() {
        QFETCH(QByteArray, button);
        QFETCH(QString, dialog);
        QFETCH(QString, firstCommand);
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
        const QString seen = rig.press(button.constData(),
                                       [&](QWidget*) { pollingInDialog = rig.panel->isPolling(); });
        QCOMPARE(seen, dialog);
        QVERIFY(!pollingInDialog);
        if (!firstCommand.isEmpty())
            QCOMPARE(rig.wire().value(0), firstCommand);
    }

    void axisWithoutCardGetsNoDialog() {
        Rig rig;
        QVERIFY(rig.start());
        QCOMPARE(rig.press("optionCardButton"), QString());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, QStringLiteral("Not Supported"));
    }

    // The whole-system reset from the reset dialog: "CR", the window while
    // the axis restarts, then the panel reads the axis again.
    void wholeSystemResetRereadsTheAxis() {
        Rig rig;
        QVERIFY(rig.start());
        rig.axis([](sim::SimAxis& a) {
            a.restartMs = 300;
            sim::SimStatus::setFault(a, QStringLiteral("power-stage"));
        });
        rig.wire();
        QElapsedTimer clock;
        clock.start();
        rig.press("resetButton", [&](QWidget* dialog) {
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("resetSystem"));
            QVERIFY(box);
            box->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("resetButton")),
                              Qt::LeftButton);
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
