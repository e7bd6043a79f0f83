// The live trace of a panel in the main window against the simulated bus:
// opened from the View menu as a window of its own, fed by the panel's poll
// alone, saved as CSV and PNG.

#include "ShellRig.h"
#include "app/CMainFrame.h"
#include "app/TraceWindow.h"
#include "axis/CKormakView.h"
#include "base/Texts.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Rig : ShellRig {
    CKormakView* panel = nullptr;

    Rig() : ShellRig(QStringLiteral("0")) {}
    bool start() {
        // A quick axis: 30000 (a position counts eighths of a step) take about a second.
        host.withBus([](sim::SimBus& bus) {
            bus.axis(u'0').params.runFreq = 4000;
            bus.axis(u'0').params.rampIndex = 9;
        });
        if (!ShellRig::start())
            return false;
        frame->ConnectToAxis(0);
        if (frame->panels().size() != 1)
            return false;
        panel = frame->panels().first();
        return true;
    }
    QAction* traceAction() const {
        for (QAction* a : frame->findChildren<QAction*>(QStringLiteral("viewTrace")))
            return a;
        return nullptr;
    }
    TraceWindow* openTrace() {
        QAction* action = traceAction();
        if (!action)
            return nullptr;
        action->trigger();
        return frame->findChild<TraceWindow*>();
    }
    void move(int type, const QString& target) {
        panel->findChild<QComboBox*>(QStringLiteral("moveType"))->setCurrentIndex(type);
        auto* edit = panel->findChild<QLineEdit*>(QStringLiteral("moveTarget"));
        edit->setText(target);
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("startButton")),
                          Qt::LeftButton);
    }
};

constexpr int MoveRelative = 3;

} // namespace

class TestTraceWindow : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::English);
    }

    // A window of its own for each panel, never a child in the panel area.
    void opensFromTheViewMenu() {
        Rig rig;
        QVERIFY(rig.start());
        TraceWindow* trace = rig.openTrace();
        QVERIFY(trace);
        QVERIFY(trace->isWindow());
        QVERIFY(trace->isVisible());
        QCOMPARE(trace->panel(), rig.panel);
        QCOMPARE(rig.frame->findChild<QMdiArea*>()->subWindowList().size(), 1);
        QCOMPARE(trace->windowTitle(), QStringLiteral("Live trace: ") + rig.panel->title());
        // A second request shows the same window.
        QCOMPARE(rig.openTrace(), trace);
        QCOMPARE(rig.frame->findChildren<TraceWindow*>().size(), 1);
        // Its panel keeps polling while the trace is in front.
        QVERIFY(rig.panel->isPolling());
        // The trace goes with its panel.
        const QPointer<TraceWindow> guard(trace);
        rig.frame->findChild<QMdiArea*>()->closeAllSubWindows();
        QTRY_VERIFY(!guard);
    }

    // Beside the panel where the screen has room; where it has none, clear of
    // Start and Stop; always on the screen (1024 x 768, a task bar below).
    void placedBesideItsPanel_data() {
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QRect>("controls");
        QTest::addColumn<bool>("roomBeside");
        const QRect start(40, 300, 180, 60); // Start and Stop, as one rectangle
        QTest::newRow("panel on the left, room right") << QRect(0, 60, 560, 640) << start << true;
        QTest::newRow("panel on the right, room left")
            << QRect(480, 60, 544, 640) << start.translated(480, 0) << true;
        QTest::newRow("panel high up, room below")
            << QRect(0, 0, 1024, 380) << QRect(40, 300, 180, 60) << true;
        QTest::newRow("maximised panel: no room beside")
            << QRect(0, 60, 1024, 680) << QRect(20, 520, 260, 50) << false;
        QTest::newRow("maximised panel, controls on the right")
            << QRect(0, 60, 1024, 680) << QRect(760, 200, 240, 50) << false;
        // A panel where a new one opens, in the main window beside the axis bar:
        // its right is 320 pixels from the screen's edge.
        QTest::newRow("panel beside the axis bar, narrow room right")
            << QRect(122, 78, 582, 566) << QRect(134, 110, 558, 522) << true;
        QTest::newRow("maximised panel: beside its contents")
            << QRect(122, 78, 902, 668) << QRect(134, 110, 558, 522) << false;
    }
    void placedBesideItsPanel() {
        QFETCH(QRect, panel);
        QFETCH(QRect, controls);
        QFETCH(bool, roomBeside);
        const QRect screen(0, 0, 1024, 740);
        const QSize minimum(300, 240);
        const QRect r =
            TraceWindow::placeBeside(panel, {controls}, screen, QSize(640, 420), minimum);
        QVERIFY2(screen.contains(r), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                    .arg(r.x())
                                                    .arg(r.y())
                                                    .arg(r.width())
                                                    .arg(r.height())));
        QVERIFY(r.width() >= minimum.width() && r.height() >= minimum.height());
        QVERIFY(!r.intersects(controls));
        if (roomBeside)
            QVERIFY(!r.intersects(panel));
    }

    // The real window: on the screen and never over its panel's Start and Stop.
    void openedWindowLeavesStartAndStopFree() {
        Rig rig;
        QVERIFY(rig.start());
        TraceWindow* trace = rig.openTrace();
        QVERIFY(trace);
        const QRect screen = trace->screen()->availableGeometry();
        QVERIFY(screen.contains(trace->frameGeometry()));
        for (const char* name : {"startButton", "stopButton"}) {
            auto* b = rig.panel->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY(b);
            QVERIFY2(
                !trace->frameGeometry().intersects(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())),
                name);
        }
    }

    // Without an online panel there is nothing to trace: no window opens.
    void noTraceWithoutOnlinePanel() {
        ShellRig rig(QStringLiteral("0"));
        QVERIFY(rig.start());
        rig.frame->openTrace();
        QVERIFY(!rig.frame->findChild<TraceWindow*>());
        rig.frame->FileNew();
        QCOMPARE(rig.frame->panels().size(), 1);
        QVERIFY(rig.frame->panels().first()->isOffline());
        rig.frame->openTrace();
        QVERIFY(!rig.frame->findChild<TraceWindow*>());
        QVERIFY(rig.wire().isEmpty());
    }

    // A relative move and back: the trace holds the positions the poll read,
    // the speed between them and the two starts; the wire sees nothing beyond
    // the poll's own commands and the moves.
    void followsAMoveWithoutCommandsOfItsOwn() {
        Rig rig;
        QVERIFY(rig.start());
        TraceWindow* trace = rig.openTrace();
        QVERIFY(trace);
        // Back in the main window (which reads the position once, as after any
        // other window): from here on only the poll and the moves talk.
        rig.frame->activateWindow();
        QTRY_VERIFY(rig.frame->isActiveWindow());
        QApplication::processEvents(); // the activation's deferred position read
        rig.wire();
        trace->clear();
        rig.move(MoveRelative, QStringLiteral("30000"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->motorRunning(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->motorRunning(), 10000);
        rig.move(MoveRelative, QStringLiteral("-30000"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->motorRunning(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.panel->motorRunning(), 10000);

        const QStringList wire = rig.wire();
        int positionReads = 0;
        for (const QString& line : wire) {
            const QString command = line.mid(2);
            QVERIFY2(command == "II?" || command == "PC?" || command == "IO?" ||
                         command == "GR30000" || command == "GR-30000",
                     qPrintable(command));
            positionReads += command == "PC?";
        }
        const AxisTrace& t = trace->trace();
        // Every position read during the moves is in the trace, and only those.
        QCOMPARE(t.samples().size(), positionReads);
        QCOMPARE(t.marks().size(), 2);
        // Read right after the start: the axis may have left 0 by a few eighths.
        QVERIFY(t.samples().first().position >= 0 && t.samples().first().position < 3000);
        QVERIFY(!t.samples().first().speed);
        int ends = 0;
        bool forward = false, backward = false;
        for (const AxisTrace::Sample& s : t.samples()) {
            ends += s.endsMove;
            forward = forward || (s.speed && *s.speed > 1000);
            backward = backward || (s.speed && *s.speed < -1000);
        }
        QCOMPARE(ends, 2);
        QVERIFY(forward && backward);
        QCOMPARE(t.samples().last().position, 0);
        QVERIFY(t.samples().at(t.samples().size() / 2).position > 0);
    }

    // Paused, it records nothing; cleared, it is empty; saved, the CSV holds
    // what the trace holds and the PNG is a picture of it.
    void pauseClearSave() {
        Rig rig;
        QVERIFY(rig.start());
        TraceWindow* trace = rig.openTrace();
        QVERIFY(trace);
        qint64 ms = 1000;
        trace->setClock([&ms] { return ms; });

        QTest::mouseClick(trace->findChild<QPushButton*>(QStringLiteral("pauseButton")),
                          Qt::LeftButton);
        QVERIFY(trace->paused());
        emit rig.panel->moveStarted(QStringLiteral("0"));
        emit rig.panel->positionPolled(QStringLiteral("500"), true);
        QVERIFY(trace->trace().samples().isEmpty());
        QTest::mouseClick(trace->findChild<QPushButton*>(QStringLiteral("pauseButton")),
                          Qt::LeftButton);
        QVERIFY(!trace->paused());

        // A read after the pause has nothing to take a speed from.
        ms = 1250;
        emit rig.panel->positionPolled(QStringLiteral("1000"), true);
        ms = 1500;
        emit rig.panel->positionPolled(QStringLiteral("2000"), true);
        ms = 1750;
        emit rig.panel->positionPolled(QStringLiteral("2500"), false);
        ms = 2000;
        emit rig.panel->positionPolled(QStringLiteral("2500"), false); // at rest: not taken

        QTemporaryDir dir;
        const QString csvPath = dir.filePath(QStringLiteral("trace.csv"));
        QVERIFY(trace->saveCsv(csvPath));
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), QByteArray("time_s,position,speed\n"
                                           "1.250,1000,\n"
                                           "1.500,2000,4000.0\n"
                                           "1.750,2500,2000.0\n"));

        const QString pngPath = dir.filePath(QStringLiteral("trace.png"));
        QVERIFY(trace->savePng(pngPath));
        const QImage png(pngPath);
        QVERIFY(!png.isNull());
        QCOMPARE(png.size(), trace->chartView()->size() * trace->devicePixelRatio());

        // A file that cannot be written is said so, and nothing is claimed.
        QVERIFY(!trace->saveCsv(dir.filePath(QStringLiteral("no/such/dir/trace.csv"))));
        QVERIFY(rig.op.shown.last().text.startsWith("The file could not be saved:"));

        QTest::mouseClick(trace->findChild<QPushButton*>(QStringLiteral("clearButton")),
                          Qt::LeftButton);
        QVERIFY(trace->trace().samples().isEmpty());
        QVERIFY(trace->saveCsv(csvPath));
        QFile empty(csvPath);
        QVERIFY(empty.open(QIODevice::ReadOnly));
        QCOMPARE(empty.readAll(), QByteArray("time_s,position,speed\n"));
    }

    // Beside a panel on a small screen the window is narrow: its buttons go
    // onto more rows, every one whole and none over another, in every language.
    void narrowWindowKeepsEveryButton_data() { renders_data(); }
    void narrowWindowKeepsEveryButton() {
        QFETCH(Texts::Language, language);
        Rig rig;
        QVERIFY(rig.start());
        Texts::setLanguage(language);
        TraceWindow* trace = rig.openTrace();
        QVERIFY(trace);
        QApplication::processEvents();
        const auto buttons = trace->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 5);
        const auto check = [&](int width) {
            trace->resize(width, 520);
            QApplication::processEvents();
            QCOMPARE(trace->width(), width);
            for (QPushButton* b : buttons) {
                QVERIFY2(trace->rect().contains(b->geometry()), qPrintable(b->text()));
                QVERIFY2(b->width() >= b->minimumSizeHint().width(), qPrintable(b->text()));
                for (QPushButton* other : buttons)
                    QVERIFY(b == other || !b->geometry().intersects(other->geometry()));
            }
        };
        check(300);
        check(900);
        // Wide again: one row, the buttons back at the foot.
        const int top = buttons.first()->y();
        for (QPushButton* b : buttons)
            QCOMPARE(b->y(), top);
        Texts::setLanguage(Texts::Language::English);
    }

    // Offscreen pictures of the trace in every language.
    void renders_data() {
        QTest::addColumn<Texts::Language>("language");
        QTest::newRow("de") << Texts::Language::German;
        QTest::newRow("en") << Texts::Language::English;
        QTest::newRow("fr") << Texts::Language::French;
    }
    void renders() {
        QFETCH(Texts::Language, language);
        Rig rig;
        QVERIFY(rig.start());
        TraceWindow* trace = rig.openTrace();
        QVERIFY(trace);
        Texts::setLanguage(language);
        QApplication::processEvents();
        qint64 ms = 0;
        trace->setClock([&ms] { return ms; });
        emit rig.panel->moveStarted(QStringLiteral("0"));
        for (int i = 1; i <= 8; ++i) {
            ms = 250 * i;
            emit rig.panel->positionPolled(QString::number(i * i * 100), i < 8);
        }
        const QString path =
            QDir::temp().filePath(QStringLiteral("kormak-trace-%1.png").arg(Texts::code(language)));
        QApplication::processEvents(); // the layout follows the new texts
        QVERIFY(trace->grab().save(path));
        QCOMPARE(trace->findChild<QPushButton*>(QStringLiteral("clearButton"))->text(),
                 Texts::text("trace.clear"));
        Texts::setLanguage(Texts::Language::English);
    }
};

QTEST_MAIN(TestTraceWindow)
#include "tst_tracewindow.moc"
