#include "ShellRig.h"
#include "TransferRig.h"
#include "app/AxisBar.h"
#include "app/CChildFrame.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "files/CCompareDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList PlcLines{"EW00PO400 GA16000", "EW05GA100", "EW06GA200"};

QString writeFile(const QTemporaryDir& dir, const QString& name, const QStringList& lines) {
    const QString path = dir.filePath(name);
    QFile f(path);
    const QByteArray bytes = toWindows1252(lines.join(QString()));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

CChildFrame* childOf(CMainFrame& frame, CKormakView* view) {
    for (QMdiSubWindow* w : frame.mdiArea()->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(w); c && c->view() == view)
            return c;
    return nullptr;
}

QPushButton* button(CKormakView* view, const char* name) {
    return view->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

class TransferWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::German);
    }

    // Whatever the operator tries while the run pumps events - bringing
    // another panel to the front, an axis button, opening a file, a new
    // configuration, closing the panel or the window - the wire sees the same
    // run as without the attempts, and the run's panel stays as it was.
    void attemptsDuringRunChangeNothingOnTheWire() {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, "A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        const QString other =
            writeFile(dir, "B.OPM", fileLines(GermanMarker, DefaultRampValueList, {}));
        ShellRig rig(QStringLiteral("0356"));
        QVERIFY(rig.start());
        CMainFrame& frame = *rig.frame;
        for (int k : {0, 3, 5})
            frame.axisBar()->setAxisPresent(k, true);
        frame.ConnectToAxis(5);
        CKormakView* online = frame.activePanel();
        QVERIFY(online && !online->isOffline());
        QVERIFY(frame.OpenFile(path));
        CKormakView* offline = frame.activePanel();
        QVERIFY(offline && offline->isOffline());
        frame.axisBar()->setAxisPresent(5, false); // a transfer into 0 and 3
        QApplication::processEvents();

        const int portIndex = frame.link().portIndex();
        QVERIFY(frame.axisBar()->portList()->count() > 1);
        QStringList runs[2];
        for (int attempt = 0; attempt < 2; ++attempt) {
            rig.op.clear();
            rig.wire();
            int attempts = 0;
            rig.op.onPump = [&] {
                if (attempt == 0)
                    return;
                ++attempts;
                QVERIFY(BusyState::isBusy());
                QVERIFY(offline->transferBusy());
                for (const char* name :
                     {"transferButton", "closeButton", "currentsButton", "plcButton"})
                    QVERIFY2(!button(offline, name)->isEnabled(), name);
                frame.mdiArea()->setActiveSubWindow(childOf(frame, online));
                emit frame.axisBar()->baudList()->activated(0);
                emit frame.axisBar()->portList()->activated(frame.axisBar()->portList()->count() -
                                                            1);
                frame.ConnectToAxis(6);
                frame.ConnectToAxis(5);
                frame.FileNew();
                QVERIFY(!frame.OpenFile(other));
                childOf(frame, offline)->close();
                frame.close();
                button(offline, "closeButton")->click();
                button(offline, "transferButton")->click();
                QApplication::processEvents();
            };
            button(offline, "transferButton")->click();
            rig.op.onPump = nullptr;
            runs[attempt] = rig.wire();
            if (attempt == 1)
                QVERIFY(attempts > 0);
            QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 0, 3 erfolgreich geladen."));
            QVERIFY(!offline->transferBusy());
            for (const char* name :
                 {"transferButton", "closeButton", "currentsButton", "plcButton"})
                QVERIFY2(button(offline, name)->isEnabled(), name);
            QCOMPARE(frame.panels().size(), 2);
            QVERIFY(frame.isVisible());
            // The run's port and rate are still the ones chosen.
            QCOMPARE(frame.link().baudIndex(), 3);
            QCOMPARE(frame.link().portIndex(), portIndex);
            QCOMPARE(frame.axisBar()->baudList()->currentIndex(), 3);
            QApplication::processEvents();
        }
        QVERIFY(!runs[0].isEmpty());
        QCOMPARE(runs[1], runs[0]);
        for (const QString& line : runs[0])
            QVERIFY2(!line.startsWith(QLatin1String("6 ")), qPrintable(line));
    }

    // Transmit reads the axes back (an Options-menu switch, on unless
    // turned off, kept in the settings): a slot acknowledged but not stored
    // keeps its axis out of the loaded ones. An open panel of a loaded axis
    // shows the new values when the run ends.
    void transmitReadsBackAndRefreshesPanels_data() {
        QTest::addColumn<bool>("readBack");
        QTest::addColumn<QString>("summary");
        QTest::newRow("read-back on") << true
                                      << "Achse(n) 3 erfolgreich geladen.\n\nAchse 0 weicht nach "
                                         "dem Laden ab: slot 05";
        QTest::newRow("read-back off") << false << "Achse(n) 0, 3 erfolgreich geladen.";
    }
    void transmitReadsBackAndRefreshesPanels() {
        QFETCH(bool, readBack);
        QFETCH(QString, summary);
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, "A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        ShellRig rig(QStringLiteral("03"));
        QVERIFY(rig.start());
        CMainFrame& frame = *rig.frame;
        rig.host.withBus([](sim::SimBus& bus) { bus.axis(u'0').unstoredSlots.insert(5); });
        for (int k : {0, 3})
            frame.axisBar()->setAxisPresent(k, true);
        frame.ConnectToAxis(3);
        CKormakView* online = frame.activePanel();
        QVERIFY(online && !online->isOffline());
        QVERIFY(online->parameters().runFreq != QStringLiteral("5000"));
        QVERIFY(frame.OpenFile(path));
        CKormakView* offline = frame.activePanel();
        QVERIFY(frame.readBackAction()->isChecked() || readBack);
        frame.readBackAction()->setChecked(readBack);
        QCOMPARE(frame.transferReadBack(), readBack);
        rig.op.clear();
        button(offline, "transferButton")->click();
        QCOMPARE(lastText(rig.op), summary);
        QCOMPARE(online->parameters().runFreq, QStringLiteral("5000"));
        QCOMPARE(online->parameters().backlash, QStringLiteral("7"));
        frame.readBackAction()->setChecked(true);
    }

    // Opening a damaged file warns once, naming the first bad line; its
    // Transmit sends nothing.
    void damagedFileWarnsOnOpening() {
        QTemporaryDir dir;
        QStringList lines = fileLines(GermanMarker, DefaultRampValueList, PlcLines);
        lines.replace(13, QStringLiteral("PM\r\n"));
        const QString path = writeFile(dir, "CUT.OPM", lines);
        ShellRig rig(QStringLiteral("03"));
        QVERIFY(rig.start());
        CMainFrame& frame = *rig.frame;
        frame.axisBar()->setAxisPresent(3, true);
        rig.op.clear();
        QVERIFY(frame.OpenFile(path));
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text,
                 QStringLiteral("Die Datei ist beschädigt (Zeile 14: „PM“).\nSie kann nicht "
                                "in eine Achse geladen werden."));
        rig.wire();
        button(frame.activePanel(), "transferButton")->click();
        QCOMPARE(rig.op.shown.size(), 2);
        QVERIFY(lastText(rig.op).startsWith(QStringLiteral("Die Datei ist beschädigt")));
        QCOMPARE(rig.wire(), QStringList());
    }

    // The panel menu offers the comparison for an offline panel only; the
    // dialog lists the ticked axes first and marks what differs.
    void comparisonDialogShowsDifferences() {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, "A.OPM", fileLines(GermanMarker, DefaultRampValueList, PlcLines));
        ShellRig rig(QStringLiteral("0356"));
        QVERIFY(rig.start());
        CMainFrame& frame = *rig.frame;
        for (int k : {3, 5})
            frame.axisBar()->setAxisPresent(k, true);
        frame.ConnectToAxis(5);
        QVERIFY(!frame.compareAction()->isEnabled());
        QVERIFY(frame.OpenFile(path));
        CKormakView* offline = frame.activePanel();
        QVERIFY(frame.compareAction()->isEnabled());
        // Axis 3 takes the file; then two things change on it.
        frame.axisBar()->setAxisPresent(5, false);
        button(offline, "transferButton")->click();
        QCOMPARE(lastText(rig.op), QStringLiteral("Achse(n) 3 erfolgreich geladen."));
        frame.axisBar()->setAxisPresent(5, true);
        QApplication::processEvents();
        rig.host.withBus([](sim::SimBus& bus) {
            bus.axis(u'3').params.runFreq = 4000;
            bus.axis(u'3').plcSlots[9] = QStringLiteral("GA1");
        });
        const AxisParameters params = offline->parameters();
        CCompareDialog dialog(frame.link(), rig.op, params, offline->document(), frame.tickedAxes(),
                              &frame);
        auto* choice = dialog.findChild<QComboBox*>("axisChoice");
        QCOMPARE(choice->itemText(0), QStringLiteral("3"));
        QCOMPARE(choice->itemText(1), QStringLiteral("5"));
        QCOMPARE(choice->itemText(2), QStringLiteral("0"));
        QCOMPARE(choice->count(), 16);
        dialog.selectAxis(u'3');
        rig.wire();
        QVERIFY(dialog.compare());
        auto* table = dialog.findChild<QTableWidget*>("comparisonTable");
        QCOMPARE(table->rowCount(), 14);
        QStringList marked;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0)->font().bold())
                marked << table->item(row, 0)->text();
        QCOMPARE(marked.size(), 1);
        // Named as on the panel, with the command beside it.
        QCOMPARE(marked.first(), QStringLiteral("\u2260 Lauffrequenz (PF)"));
        QCOMPARE(table->item(4, 1)->text(), QStringLiteral("5000"));
        QCOMPARE(table->item(4, 2)->text(), QStringLiteral("4000"));
        const QString plc = dialog.findChild<QLabel*>("plcSummary")->text();
        QCOMPARE(plc, Texts::text("transfer.plcDiffer").arg(QStringLiteral("09")));
        // The slot's contents, file beside axis.
        auto* slotTable = dialog.findChild<QTableWidget*>("slotTable");
        QVERIFY(slotTable->isVisibleTo(&dialog));
        QCOMPARE(slotTable->rowCount(), 1);
        QCOMPARE(slotTable->item(0, 0)->text(), QStringLiteral("09"));
        QCOMPARE(slotTable->item(0, 1)->text(), QString());
        QCOMPARE(slotTable->item(0, 2)->text(), QStringLiteral("GA1"));
        QCOMPARE(dialog.findChild<QLabel*>("tableSummary")->text(),
                 Texts::text("transfer.tablesEqual"));
        // Nothing was written, and the panel keeps its offline address.
        for (const QString& line : rig.wire())
            QVERIFY2(!line.contains(QLatin1String(" W")) && !line.contains(QLatin1String(" FC")),
                     qPrintable(line));
        QVERIFY(frame.link().currentAddress().contains(QLatin1String("OFFLINE")));
    }

    // Forty differing slots, in German and French, on a small and a large
    // screen: the summaries stand below the tables, none over another.
    void comparisonWithManyDifferingSlots_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QSize>("screen");
        QTest::newRow("de, 1024x768") << int(Texts::Language::German) << QSize(1024, 768);
        QTest::newRow("fr, 1024x768") << int(Texts::Language::French) << QSize(1024, 768);
        QTest::newRow("de, 1600x1000") << int(Texts::Language::German) << QSize(1600, 1000);
        QTest::newRow("fr, 1600x1000") << int(Texts::Language::French) << QSize(1600, 1000);
    }
    void comparisonWithManyDifferingSlots() {
        QFETCH(int, language);
        QFETCH(QSize, screen);
        Texts::setLanguage(Texts::Language(language));
        QTemporaryDir dir;
        QStringList plc;
        for (int s = 0; s < 40; ++s)
            plc << QStringLiteral("EW%1PO400 PF2000 GA%2 PN1")
                       .arg(s, 2, 16, QLatin1Char('0'))
                       .arg(s * 100)
                       .toUpper();
        const QString path =
            writeFile(dir, "A.OPM", fileLines(GermanMarker, DefaultRampValueList, plc));
        ShellRig rig(QStringLiteral("0"));
        QVERIFY(rig.start());
        CMainFrame& frame = *rig.frame;
        QVERIFY(frame.OpenFile(path));
        CKormakView* offline = frame.activePanel();
        const AxisParameters params = offline->parameters();
        CCompareDialog dialog(frame.link(), rig.op, params, offline->document(), 1, &frame);
        dialog.show();
        dialog.selectAxis(u'0');
        QVERIFY(dialog.compare());
        // As the window manager would size it on that screen.
        dialog.resize(dialog.sizeHint().boundedTo(screen - QSize(40, 80)));
        QApplication::processEvents();
        QVERIFY2(dialog.width() <= screen.width() && dialog.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(dialog.width()).arg(dialog.height())));

        auto* slotTable = dialog.findChild<QTableWidget*>("slotTable");
        QCOMPARE(slotTable->rowCount(), 40);
        QVERIFY(dialog.findChild<QLabel*>("plcSummary")->text().contains(QStringLiteral("40")));
        QList<QWidget*> column{dialog.findChild<QTableWidget*>("comparisonTable"),
                               dialog.findChild<QLabel*>("tableSummary"),
                               dialog.findChild<QLabel*>("plcSummary"), slotTable,
                               dialog.findChild<QLabel*>("summary")};
        for (int i = 0; i < column.size(); ++i) {
            QWidget* w = column.at(i);
            // Each shows its whole text height, and none overlaps another.
            QVERIFY2(w->height() >= w->minimumSizeHint().height(), qPrintable(w->objectName()));
            for (int j = i + 1; j < column.size(); ++j)
                QVERIFY2(!w->geometry().intersects(column.at(j)->geometry()),
                         qPrintable(w->objectName() + " / " + column.at(j)->objectName()));
        }
        Texts::setLanguage(Texts::Language::German);
    }
};

QTEST_MAIN(TransferWindowTest)
#include "tst_transferwindow.moc"
