// The ramp memory dialog on the offscreen platform, against the simulated
// controller, with the scripted operator in place of message boxes.

#include "SimRig.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "axis/MemoryAreas.h"
#include "axis/PanelHost.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/CRampenDlg.h"
#include "drive/RampCurvePanel.h"
#include "drive/RampMemory.h"
#include "widgets/CWait.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The dialog on one simulated axis; the internal ramps' 80 s are counted in
// milliseconds here.
struct DialogRig : SimRig {
    std::unique_ptr<CRampenDlg> dialog;
    QList<int> waitSeconds;

    bool openDialog() {
        dialog = std::make_unique<CRampenDlg>(link, op);
        dialog->setWaitRunner([this](CWait& wait) {
            waitSeconds << wait.seconds;
            wait.setSecondMs(1);
            return wait.exec();
        });
        dialog->show();
        return dialog->isVisible();
    }
    template <typename W> W* get(const QString& name) const {
        W* w = dialog->findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLabel* label(const QString& name) const { return get<QLabel>(name); }
    QPushButton* button(const QString& name) const { return get<QPushButton>(name); }
    QCheckBox* mark(int i) const { return get<QCheckBox>(QStringLiteral("deleteMark%1").arg(i)); }
    QLineEdit* newRamp() const { return get<QLineEdit>(QStringLiteral("newRamp")); }
    bool shown(const QString& name) const { return !get<QWidget>(name)->isHidden(); }

    // The rows the list shows: "slope/bytes".
    QStringList rows() const {
        QStringList list;
        for (int i = 0; i < CRampenDlg::RowCount; ++i)
            if (shown(QStringLiteral("rowBytes%1").arg(i)))
                list << label(QStringLiteral("rowSlope%1").arg(i))->text() + "/" +
                            label(QStringLiteral("rowBytes%1").arg(i))->text();
        return list;
    }
    // What the controller's directory holds, in the same form.
    QStringList controllerRamps() {
        QStringList list;
        axis([&](sim::SimAxis& a) {
            for (int i = 0; i < a.ramps.rampCount(); ++i)
                list << QString::number(a.ramps.slope(i)) + "/" +
                            QString::number(a.ramps.word(0x10 + 2 * i) * 2 + 4);
        });
        return list;
    }
    void setRamps(qint64 top, const QList<quint16>& slopes100) {
        axis([&](sim::SimAxis& a) {
            a.maxRunFreq = top;
            a.ramps.erase();
            for (quint16 s : slopes100)
                a.ramps.appendRamp(s, a.clockHz, top);
        });
    }
    qint64 usedBytes() {
        qint64 used = 0;
        for (const QString& r : controllerRamps())
            used += r.section('/', 1).toLongLong();
        return used;
    }
    // Programs slope through the dialog as an operator does.
    void programThroughDialog(const QString& slope) {
        newRamp()->clear();
        QTest::keyClicks(newRamp(), slope);
        QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
        QTest::mouseClick(button("programButton"), Qt::LeftButton);
    }
};

// The main window as a panel sees it, on the rig's link.
class RigHost : public PanelHost {
public:
    explicit RigHost(SimRig& rig) : rig_(rig) {}
    SerialLink& link() override { return rig_.link; }
    Operator& op() override { return rig_.op; }
    bool openingFile() const override { return false; }
    bool baudChangePending() const override { return false; }
    CKormakView* activePanel() const override { return nullptr; }
    void closePanelWindow(CKormakView*) override {}
    QWidget* dialogParent() override { return nullptr; }

private:
    SimRig& rig_;
};

} // namespace

class TestRampenDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::English); }
    void cleanup() { QVERIFY(!BusyState::isBusy()); }

    void emptyMemory() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, {});
        rig.host.clearLog();
        QVERIFY(rig.openDialog());
        QCOMPARE(rig.commands(), (QStringList{"IN?", "IF?"}));
        QVERIFY(rig.shown("noRamps"));
        QVERIFY(rig.rows().isEmpty());
        QCOMPARE(rig.label("freeMemory")->text(), QStringLiteral("65168"));
        // 4040^2 / 65164 = 250.46: the next multiple of 100 above it.
        QCOMPARE(rig.newRamp()->text(), QStringLiteral("300"));
        QCOMPARE(rig.label("neededMemory")->text(), QStringLiteral("0"));
        QVERIFY(rig.button("calculateButton")->isEnabled());
        QVERIFY(!rig.button("programButton")->isEnabled());
        QCOMPARE(rig.dialog->windowTitle(), Texts::text(10000) + "0" + Texts::text(10164));
        QCOMPARE(rig.button("closeButton")->text(), Texts::text(10030));
        QCOMPARE(rig.get<QGroupBox>("rampListGroup")->title(), Texts::text(10254));
    }

    void listsProgrammedRamps() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, sim::SimRampMemory::defaultSlopes());
        QVERIFY(rig.openDialog());
        QCOMPARE(rig.rows(), rig.controllerRamps());
        QCOMPARE(rig.rows().first().section('/', 0, 0), QStringLiteral("5000"));
        QCOMPARE(rig.rows().last().section('/', 0, 0), QStringLiteral("120000"));
        QVERIFY(!rig.shown("noRamps"));
        const qint64 used = rig.usedBytes();
        QCOMPARE(rig.label("freeMemory")->text(), QString::number(65168 - used));
        QCOMPARE(rig.newRamp()->text(), QString::number(SuggestedRamp(4000, used)));
        QVERIFY(!rig.shown("rampsFull"));
    }

    void sixteenRampsFillTheDirectory() {
        DialogRig rig;
        QVERIFY(rig.open());
        QList<quint16> slopes;
        for (int i = 0; i < 16; ++i)
            slopes << quint16(1000 + 100 * i);
        rig.setRamps(4000, slopes);
        QVERIFY(rig.openDialog());
        QCOMPARE(rig.rows().size(), 16);
        QVERIFY(!rig.button("calculateButton")->isEnabled());
        for (const char* name : {"newRampLabel", "newRamp", "neededMemoryLabel", "neededMemory"})
            QVERIFY2(!rig.shown(name), name);
        QVERIFY(rig.shown("rampsFull"));
    }

    // A 30000 Hz/s ramp calculated, programmed, and listed in the dialog and
    // in the list the panel reads.
    void programNewRamp() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(10000, sim::SimRampMemory::defaultSlopes());
        QVERIFY(rig.openDialog());
        const QString freeBefore = rig.label("freeMemory")->text();

        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), QStringLiteral("30000"));
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        auto image = RampMemoryImage::create();
        const RampTable expected = ComputeRampTable(*image, 12000000, 10000, 30000, 65168);
        QCOMPARE(rig.label("neededMemory")->text(), QString::number(expected.bytesNeeded));
        QVERIFY(rig.button("programButton")->isEnabled());
        QVERIFY(rig.op.shown.isEmpty());

        QStringList buttonsWhileProgramming;
        bool closedWhileProgramming = false;
        rig.op.onPump = [&] {
            if (rig.op.pumps != 1)
                return;
            for (QPushButton* b : rig.dialog->findChildren<QPushButton*>())
                if (b->isEnabled())
                    buttonsWhileProgramming << b->objectName();
            rig.dialog->reject();
            rig.dialog->close();
            QTest::keyClick(rig.dialog.get(), Qt::Key_Escape);
            closedWhileProgramming = !rig.dialog->isVisible();
            QVERIFY(BusyState::isBusy());
        };
        QTest::mouseClick(rig.button("programButton"), Qt::LeftButton);
        rig.op.onPump = nullptr;
        QVERIFY2(buttonsWhileProgramming.isEmpty(), qPrintable(buttonsWhileProgramming.join(' ')));
        QVERIFY(!closedWhileProgramming);
        QCOMPARE(rig.op.shownIds(), QList<int>{10166});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Information);
        QVERIFY(!rig.button("programButton")->isEnabled());
        QVERIFY(rig.button("calculateButton")->isEnabled());
        QCOMPARE(rig.op.waits, QList<int>{3000});

        QCOMPARE(rig.rows().size(), 11);
        QCOMPARE(rig.rows().last(), QStringLiteral("30000/%1").arg(expected.bytesNeeded));
        QCOMPARE(rig.rows(), rig.controllerRamps());
        QCOMPARE(rig.label("freeMemory")->text(),
                 QString::number(freeBefore.toInt() - expected.bytesNeeded));
        // The typed slope stays in the field; it was the operator's.
        QCOMPARE(rig.newRamp()->text(), QStringLiteral("30000"));
        // What the panel lists after the dialog closes.
        QCOMPARE(RampSlopes(ReadRampValueList(rig.link)).last(), QStringLiteral("30000"));
    }

    void failedProgrammingReports() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(10000, {});
        rig.link.setTimeoutMs(400);
        QVERIFY(rig.openDialog());
        rig.newRamp()->setText(QStringLiteral("100000"));
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        rig.op.onPump = [&] {
            if (rig.op.pumps == 2)
                rig.host.setFault(sim::Fault::NoReply);
        };
        QTest::mouseClick(rig.button("programButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), (QList<int>{10103, 10167}));
        QVERIFY(!rig.button("programButton")->isEnabled());
        QVERIFY(rig.button("calculateButton")->isEnabled());
        QVERIFY(rig.op.progress.endsWith(QStringLiteral("hide")));
    }

    void tableTooLarge() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(10000, sim::SimRampMemory::defaultSlopes());
        QVERIFY(rig.openDialog());
        rig.newRamp()->setText(QStringLiteral("100000"));
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QVERIFY(rig.button("programButton")->isEnabled());
        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), QStringLiteral("1000"));
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), QList<int>{10170});
        QVERIFY(!rig.button("programButton")->isEnabled());
    }

    // A slope beyond what the directory can name is the operator's input
    // error, not a lack of memory, and nothing goes to the controller.
    void slopeTooLarge() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, {});
        QVERIFY(rig.openDialog());
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QVERIFY(rig.button("programButton")->isEnabled());
        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), QStringLiteral("9999999"));
        rig.host.clearLog();
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("ramp.slopeTooLarge"));
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Exclamation);
        QVERIFY(rig.commands().isEmpty());
        QVERIFY(!rig.button("programButton")->isEnabled());
    }

    // A typed slope is never replaced before it is calculated; a field the
    // dialog filled itself follows the free memory.
    void suggestionLeavesTypedSlope() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, {});
        QVERIFY(rig.openDialog());
        QCOMPARE(rig.newRamp()->text(), QStringLiteral("300"));
        rig.setRamps(4000, {100}); // another program changed the memory meanwhile
        rig.dialog->RefreshRampList();
        QCOMPARE(rig.newRamp()->text(), QString::number(SuggestedRamp(4000, rig.usedBytes())));

        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), QStringLiteral("12345"));
        rig.dialog->repaint();
        rig.dialog->UpdateFreeMemory();
        rig.dialog->RefreshRampList();
        QCOMPARE(rig.newRamp()->text(), QStringLiteral("12345"));

        // Typing after a calculation: the table in hand is no longer the one shown.
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QVERIFY(rig.button("programButton")->isEnabled());
        QTest::keyClick(rig.newRamp(), Qt::Key_0);
        QVERIFY(!rig.button("programButton")->isEnabled());

        rig.newRamp()->clear();
        rig.dialog->UpdateFreeMemory();
        QVERIFY(!rig.newRamp()->text().isEmpty());
    }

    void deleteModePreview() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, {50, 125, 250});
        QVERIFY(rig.openDialog());
        const QString free = rig.label("freeMemory")->text();
        QTest::mouseClick(rig.button("deleteModeButton"), Qt::LeftButton);
        QVERIFY(rig.dialog->deleteMode());
        for (int i = 0; i < 16; ++i)
            QCOMPARE(rig.shown(QStringLiteral("deleteMark%1").arg(i)), i < 3);
        for (const char* name :
             {"internalRampsButton", "deleteModeButton", "newRampLabel", "newRamp",
              "neededMemoryLabel", "programButton", "neededMemory", "calculateButton", "rampsFull"})
            QVERIFY2(!rig.shown(name), name);
        for (const char* name : {"deleteButton", "abortDeleteButton", "deleteExplanation",
                                 "deleteGroup", "freeMemory", "closeButton"})
            QVERIFY2(rig.shown(name), name);
        QCOMPARE(rig.label("deleteExplanation")->text(), Texts::text(10249).replace("\r\n", "\n"));

        const int bytes1 = rig.label("rowBytes1")->text().toInt();
        QTest::mouseClick(rig.mark(1), Qt::LeftButton);
        QCOMPARE(rig.label("freeMemory")->text(), QString::number(free.toInt() + bytes1));
        rig.dialog->repaint(); // the preview survives repaints in delete mode
        QCOMPARE(rig.label("freeMemory")->text(), QString::number(free.toInt() + bytes1));
        QTest::mouseClick(rig.mark(1), Qt::LeftButton);
        QCOMPARE(rig.label("freeMemory")->text(), free);

        // Nothing marked: not even a question.
        rig.host.clearLog();
        QTest::mouseClick(rig.button("deleteButton"), Qt::LeftButton);
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(rig.commands().isEmpty());

        // Marked, but the operator says No: delete mode stays, nothing sent.
        QTest::mouseClick(rig.mark(0), Qt::LeftButton);
        rig.op.answers << Operator::Answer::No;
        QTest::mouseClick(rig.button("deleteButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), QList<int>{10171});
        QVERIFY(rig.dialog->deleteMode());
        QVERIFY(rig.commands().isEmpty());

        QTest::mouseClick(rig.button("abortDeleteButton"), Qt::LeftButton);
        QVERIFY(!rig.dialog->deleteMode());
        QVERIFY(!rig.shown("deleteMark0"));
        QVERIFY(rig.shown("calculateButton"));
        QCOMPARE(rig.label("freeMemory")->text(), free);
    }

    // Ramps 0 and 2 of three marked: after "WD" only ramp 1 is programmed
    // again, and becomes ramp 0.
    void deleteMarkedRamps() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, {50, 125, 250});
        QVERIFY(rig.openDialog());
        QTest::mouseClick(rig.button("deleteModeButton"), Qt::LeftButton);
        QTest::mouseClick(rig.mark(0), Qt::LeftButton);
        QTest::mouseClick(rig.mark(2), Qt::LeftButton);
        rig.host.clearLog();
        bool waitCursor = false;
        rig.op.onPump = [&] {
            waitCursor = waitCursor || (QApplication::overrideCursor() &&
                                        QApplication::overrideCursor()->shape() == Qt::WaitCursor);
            QVERIFY(!rig.button("abortDeleteButton")->isEnabled());
            QVERIFY(!rig.mark(1)->isEnabled());
        };
        QTest::mouseClick(rig.button("deleteButton"), Qt::LeftButton);
        rig.op.onPump = nullptr;

        QCOMPARE(rig.op.shownIds(), QList<int>{10171});
        const QStringList commands = rig.commands();
        QCOMPARE(commands.mid(0, 3).last(), QStringLiteral("WD"));
        QCOMPARE(commands.count(QStringLiteral("WX")), 1);
        QCOMPARE(rig.op.waits, (QList<int>{2000, 3000}));
        auto image = RampMemoryImage::create();
        const RampTable table = ComputeRampTable(*image, 12000000, 4000, 12500, 65168);
        QCOMPARE(rig.rows(), QStringList{QStringLiteral("12500/%1").arg(table.bytesNeeded)});
        QCOMPARE(rig.controllerRamps(), rig.rows());
        QVERIFY(!rig.dialog->deleteMode());
        QVERIFY(waitCursor);
        QVERIFY(!QApplication::overrideCursor());
        for (int i = 0; i < 16; ++i)
            QVERIFY(!rig.mark(i)->isChecked());
        QVERIFY(!rig.button("programButton")->isEnabled());
        QVERIFY(rig.button("calculateButton")->isEnabled());
        QCOMPARE(rig.label("freeMemory")->text(), QString::number(65168 - table.bytesNeeded));
        QVERIFY(rig.op.progress.endsWith(QStringLiteral("hide")));
    }

    // A deletion that stops early: the memory is already erased, so the
    // dialog says so, leaves delete mode and shows what is left.
    void deletionStopsEarly() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        rig.setRamps(4000, {50, 125, 250});
        QVERIFY(rig.openDialog());
        QTest::mouseClick(rig.button("deleteModeButton"), Qt::LeftButton);
        QTest::mouseClick(rig.mark(0), Qt::LeftButton);
        rig.op.onPump = [&] {
            if (rig.op.pumps == 3) // during the first survivor's blocks
                rig.host.setFault(sim::Fault::NoReply);
        };
        QTest::mouseClick(rig.button("deleteButton"), Qt::LeftButton);
        rig.op.onPump = nullptr;
        QCOMPARE(rig.op.shownIds(), (QList<int>{10171, 10103, 10167}));
        QVERIFY(!rig.dialog->deleteMode());
        QVERIFY(rig.shown("noRamps"));
        QVERIFY(rig.rows().isEmpty());
        QCOMPARE(rig.label("freeMemory")->text(), QStringLiteral("65168"));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(rig.button("closeButton")->isEnabled());
    }

    // "WD" sent, its reply lost: the memory tells whether the erase happened.
    // Erased, the ramps to keep are programmed again; not erased, the dialog
    // says so and shows what the controller still holds.
    void lostEraseReply_data() {
        QTest::addColumn<bool>("erased");
        QTest::newRow("memory erased") << true;
        QTest::newRow("memory not erased") << false;
    }
    void lostEraseReply() {
        QFETCH(bool, erased);
        DialogRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        rig.setRamps(4000, {50, 125, 250});
        rig.axis([&](sim::SimAxis& a) { a.ignoreErase = !erased; });
        QVERIFY(rig.openDialog());
        const QStringList before = rig.rows();
        QTest::mouseClick(rig.button("deleteModeButton"), Qt::LeftButton);
        QTest::mouseClick(rig.mark(0), Qt::LeftButton);
        QTest::mouseClick(rig.mark(2), Qt::LeftButton);
        rig.host.setFaultFor(QStringLiteral("WD"), sim::Fault::NoReply);
        rig.host.clearLog();
        QTest::mouseClick(rig.button("deleteButton"), Qt::LeftButton);

        QCOMPARE(rig.op.waits.value(0), 2000); // the erase gets its time all the same
        QVERIFY(!rig.dialog->deleteMode());
        QVERIFY(rig.shown("calculateButton"));
        for (int i = 0; i < 16; ++i)
            QVERIFY(!rig.shown(QStringLiteral("deleteMark%1").arg(i)) && !rig.mark(i)->isChecked());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(rig.rows(), rig.controllerRamps());
        // The preview of delete mode is gone: the display is the memory's again.
        QCOMPARE(rig.label("freeMemory")->text(), QString::number(65168 - rig.usedBytes()));
        if (erased) {
            QCOMPARE(rig.op.shownIds(), QList<int>{10171});
            QCOMPARE(rig.rows().size(), 1);
            QVERIFY(rig.rows().first().startsWith(QLatin1String("12500/")));
        } else {
            QCOMPARE(rig.op.shownIds(), (QList<int>{10171, 10103}));
            QCOMPARE(rig.rows(), before);
            QVERIFY(writtenBlocks(rig.commands()).isEmpty());
        }
    }

    // "WA" sent, its reply lost: the controller may be installing its ramps,
    // so they get their 80 s, and the list shows what it holds afterwards.
    void lostInstallReply() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        rig.setRamps(10000, {50});
        QVERIFY(rig.openDialog());
        rig.host.setFaultFor(QStringLiteral("WA"), sim::Fault::NoReply);
        QTest::mouseClick(rig.button("internalRampsButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), (QList<int>{10169, 10103}));
        QCOMPARE(rig.waitSeconds, QList<int>{80});
        QCOMPARE(rig.rows().size(), 10);
        QCOMPARE(rig.rows(), rig.controllerRamps());
        QCOMPARE(rig.label("freeMemory")->text(), QString::number(65168 - rig.usedBytes()));
        QVERIFY(rig.button("internalRampsButton")->isEnabled());
    }

    void refusedReleaseKeepsDeleteMode() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, {50, 125});
        QVERIFY(rig.openDialog());
        QTest::mouseClick(rig.button("deleteModeButton"), Qt::LeftButton);
        QTest::mouseClick(rig.mark(1), Qt::LeftButton);
        rig.axis([](sim::SimAxis& a) { a.dateCode = QStringLiteral("1904\u20AC3"); });
        rig.referee.expect(QStringLiteral("FC"));
        rig.host.clearLog();
        QTest::mouseClick(rig.button("deleteButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), QList<int>{10171});
        QVERIFY(rig.dialog->deleteMode());
        QVERIFY(!rig.commands().contains(QStringLiteral("WD")));
        QCOMPARE(rig.controllerRamps().size(), 2);
        QVERIFY(rig.button("deleteButton")->isEnabled());
    }

    void internalRamps() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(10000, {});
        QVERIFY(rig.openDialog());
        rig.newRamp()->setText(QStringLiteral("100000"));
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        rig.host.clearLog();
        QTest::mouseClick(rig.button("internalRampsButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds(), QList<int>{10169});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Warning);
        QCOMPARE(rig.op.shown.first().buttons, Operator::Buttons::YesNo);
        QCOMPARE(rig.commands().mid(0, 3).last(), QStringLiteral("WA"));
        QCOMPARE(rig.waitSeconds, QList<int>{80});
        QCOMPARE(rig.rows().size(), 10);
        QCOMPARE(rig.rows(), rig.controllerRamps());
        QVERIFY(!rig.button("programButton")->isEnabled());

        // No: nothing happens at all.
        rig.op.clear();
        rig.host.clearLog();
        rig.op.answers << Operator::Answer::No;
        QTest::mouseClick(rig.button("internalRampsButton"), Qt::LeftButton);
        QVERIFY(rig.commands().isEmpty());
        QCOMPARE(rig.waitSeconds.size(), 1);
    }

    // A list that cannot be read leaves the dialog as it was.
    void refreshTimeout() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        rig.setRamps(4000, {50, 125});
        QVERIFY(rig.openDialog());
        const QStringList rows = rig.rows();
        const QString free = rig.label("freeMemory")->text();
        rig.setRamps(4000, {});
        rig.host.setFault(sim::Fault::NoReply);
        rig.dialog->RefreshRampList();
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.rows(), rows);
        QCOMPARE(rig.label("freeMemory")->text(), free);
        QVERIFY(!rig.shown("noRamps"));

        // Nor does delete mode start on a count it could not read.
        rig.host.setFault(sim::Fault::NoReply);
        QTest::mouseClick(rig.button("deleteModeButton"), Qt::LeftButton);
        QVERIFY(!rig.dialog->deleteMode());
    }

    // The pane of curves is hidden as the dialog opens; shown, it reads the
    // clock once and draws every listed ramp, computed for its slope.
    void curvePaneReadsClockOnce() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, sim::SimRampMemory::defaultSlopes());
        QVERIFY(rig.openDialog());
        QVERIFY(!rig.shown("rampCurvePanel"));
        const QSize closedSize = rig.dialog->size();
        rig.host.clearLog();
        QTest::mouseClick(rig.button("curvesButton"), Qt::LeftButton);
        QVERIFY(rig.shown("rampCurvePanel"));
        QCOMPARE(rig.commands(), QStringList{"IQ?"});
        QTRY_VERIFY(rig.dialog->size().width() > closedSize.width());

        const RampCurvePanel* pane = rig.dialog->curvePanel();
        QCOMPARE(pane->entries().size(), 10);
        for (int i = 0; i < 10; ++i) {
            const RampCurvePanel::Entry& e = pane->entries().at(i);
            QCOMPARE(e.number, i);
            QCOMPARE(e.slope, quint32(sim::SimRampMemory::defaultSlopes().at(i)) * 100);
            const RampCurve expected = ComputeRampCurve(12000000, 4000, e.slope);
            QVERIFY(e.curve.isValid());
            QCOMPARE(e.curve.points.size(), expected.points.size());
            QCOMPARE(e.curve.secondsToTop, expected.secondsToTop);
            QVERIFY(pane->series(i));
        }
        // 4040 Hz at 5000 Hz/s: about 0.8 s.
        QVERIFY(qAbs(pane->entries().first().curve.secondsToTop - 0.808) < 0.01);
        const QListWidget* list = rig.get<QListWidget>("curveList");
        QCOMPARE(list->count(), 10);
        QVERIFY2(list->item(0)->text().startsWith("Ramp 0: 5000 Hz/s, computed: 0.8"),
                 qPrintable(list->item(0)->text()));
        QVERIFY(list->item(0)->text().endsWith(" s to 4000 Hz"));

        // Hidden and shown again: the clock is known.
        QTest::mouseClick(rig.button("curvesButton"), Qt::LeftButton);
        QVERIFY(!rig.shown("rampCurvePanel"));
        QTest::mouseClick(rig.button("curvesButton"), Qt::LeftButton);
        QCOMPARE(rig.commands(), QStringList{"IQ?"});
    }

    // The calculated new ramp is drawn from its own table, selected, and
    // stronger than the others; a calculation that read the clock spares the
    // pane its "IQ?".
    void newRampCurve() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, sim::SimRampMemory::defaultSlopes());
        QVERIFY(rig.openDialog());
        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), "30000");
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QVERIFY(rig.button("programButton")->isEnabled());
        rig.host.clearLog();
        rig.dialog->showCurves(true);
        QVERIFY(rig.commands().isEmpty());

        const RampCurvePanel* pane = rig.dialog->curvePanel();
        QCOMPARE(pane->entries().size(), 11);
        const RampCurvePanel::Entry& added = pane->entries().last();
        QCOMPARE(added.number, -1);
        QCOMPARE(added.slope, 30000u);
        const RampCurve expected = ComputeRampCurve(12000000, 4000, 30000);
        QCOMPARE(added.curve.points.size(), expected.points.size());
        QCOMPARE(rig.label("neededMemory")->text(),
                 QString::number(2 * expected.points.size() + 4));
        QCOMPARE(pane->selected(), 10);
        QVERIFY(pane->series(10)->pen().widthF() > 2 * pane->series(0)->pen().widthF());
        QVERIFY(rig.get<QListWidget>("curveList")->item(10)->text().startsWith("New ramp: 30000"));

        // Choosing another ramp in the list makes it the strong one.
        rig.get<QListWidget>("curveList")->setCurrentRow(3);
        QCOMPARE(pane->selected(), 3);
        QVERIFY(pane->series(3)->pen().widthF() > 2 * pane->series(10)->pen().widthF());

        // A slope typed afterwards is not that table: its curve goes.
        QTest::keyClick(rig.newRamp(), Qt::Key_Backspace);
        QCOMPARE(pane->entries().size(), 10);

        // Programmed, it is one of the listed ramps.
        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), "30000");
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        QCOMPARE(pane->entries().size(), 11);
        QTest::mouseClick(rig.button("programButton"), Qt::LeftButton);
        QCOMPARE(rig.op.shownIds().last(), 10166);
        QCOMPARE(pane->entries().size(), 11);
        QCOMPARE(pane->entries().last().number, 10);
        QCOMPARE(pane->entries().last().slope, 30000u);
    }

    // A clock that cannot be read leaves the curves out, says so once, and is
    // asked for again the next time the pane is shown.
    void clockLost() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(400);
        rig.setRamps(4000, {50, 125});
        QVERIFY(rig.openDialog());
        rig.host.setFaultFor(QStringLiteral("IQ?"), sim::Fault::NoReply);
        rig.dialog->showCurves(true);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        const RampCurvePanel* pane = rig.dialog->curvePanel();
        QCOMPARE(pane->entries().size(), 2);
        QVERIFY(!pane->entries().first().curve.isValid());
        QVERIFY(!pane->series(0));
        QVERIFY(rig.get<QListWidget>("curveList")->item(1)->text().endsWith("cannot be computed"));

        rig.dialog->showCurves(false);
        rig.host.clearLog();
        rig.dialog->showCurves(true);
        QCOMPARE(rig.commands(), QStringList{"IQ?"});
        QVERIFY(pane->entries().first().curve.isValid());
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
    }

    // The pane drawn offscreen: the ten internal ramps and a new 30000 Hz/s
    // ramp, in every language; each curve leaves its colour in the picture.
    void curvesRender_data() {
        QTest::addColumn<Texts::Language>("language");
        QTest::newRow("de") << Texts::Language::German;
        QTest::newRow("en") << Texts::Language::English;
        QTest::newRow("fr") << Texts::Language::French;
    }
    void curvesRender() {
        QFETCH(Texts::Language, language);
        Texts::setLanguage(language);
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(4000, sim::SimRampMemory::defaultSlopes());
        QVERIFY(rig.openDialog());
        rig.newRamp()->clear();
        QTest::keyClicks(rig.newRamp(), "30000");
        QTest::mouseClick(rig.button("calculateButton"), Qt::LeftButton);
        rig.dialog->showCurves(true);
        QVERIFY(rig.button("curvesButton")->isChecked());
        QApplication::processEvents();
        const QImage dialogImage = rig.dialog->grab().toImage();
        const QString path = QDir::temp().filePath(
            QStringLiteral("kormak-rampcurves-%1.png").arg(Texts::code(language)));
        QVERIFY(dialogImage.save(path));
        QVERIFY(QImage(path).size() == dialogImage.size());

        // Each curve, selected in turn, leaves its own colour in the picture.
        RampCurvePanel* pane = rig.dialog->curvePanel();
        QCOMPARE(pane->series(10)->color(), QColor(Qt::black));
        for (int i : {0, 9, 10}) {
            pane->select(i);
            const QImage chart = rig.get<QChartView>("curveChart")
                                     ->grab()
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            const QRgb colour = pane->series(i)->color().rgb();
            int found = 0;
            for (int y = 0; y < chart.height(); ++y)
                for (int x = 0; x < chart.width(); ++x)
                    found += chart.pixel(x, y) == colour;
            QVERIFY2(found > 20,
                     qPrintable(QStringLiteral("curve %1: %2 pixels").arg(i).arg(found)));
        }
        Texts::setLanguage(Texts::Language::English);
    }

    // Opened from the panel's "Rampen >>" as the main window connects it: the
    // ramp programmed in the dialog is in the panel's list afterwards.
    void openedFromThePanel() {
        DialogRig rig;
        QVERIFY(rig.open());
        rig.setRamps(10000, sim::SimRampMemory::defaultSlopes());
        RigHost host(rig);
        CKormakDoc doc;
        CKormakView panel(host, doc);
        panel.InitialisePanel();
        panel.stopPollTimer();
        connect(&panel, &CKormakView::rampsRequested, &panel, [&panel] {
            CRampenDlg dialog(panel.host().link(), panel.host().op(), panel.host().dialogParent());
            dialog.exec();
            panel.ReadAxisConfiguration();
        });
        auto* rampList = panel.findChild<QComboBox*>(QStringLiteral("ramp"));
        QVERIFY(rampList);
        QCOMPARE(rampList->count(), 10);

        bool operated = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CRampenDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("newRamp"));
            field->clear();
            QTest::keyClicks(field, QStringLiteral("30000"));
            dialog->findChild<QPushButton*>(QStringLiteral("calculateButton"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("programButton"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
            operated = true;
        });
        panel.findChild<QPushButton*>(QStringLiteral("rampsButton"))->click();
        QVERIFY(operated);
        QVERIFY(rig.op.shownIds().contains(10166));
        QCOMPARE(rampList->count(), 11);
        QCOMPARE(rampList->itemText(10), QStringLiteral("30000"));
    }

    void closeButton() {
        DialogRig rig;
        QVERIFY(rig.open());
        QVERIFY(rig.openDialog());
        QTest::mouseClick(rig.button("closeButton"), Qt::LeftButton);
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.dialog->result(), int(QDialog::Rejected));
        QCOMPARE(rig.op.progress, QStringList{QStringLiteral("hide")});
    }
};

QTEST_MAIN(TestRampenDlg)
#include "tst_rampendlg.moc"
