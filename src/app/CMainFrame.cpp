#include "app/CMainFrame.h"

#include "app/AboutDialog.h"
#include "app/AxisBar.h"
#include "app/BaudChangeFlow.h"
#include "app/CRSMonitor.h"
#include "app/DocumentCommands.h"
#include "app/PanelWindows.h"
#include "app/PortWatcher.h"
#include "app/StatusProgress.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/CGesamtStatus.h"
#include "drive/CRampenDlg.h"
#include "drive/CReset.h"
#include "drive/CSFIDialog.h"
#include "drive/CStrom.h"
#include "files/ParameterFile.h"
#include "link/LinkSettings.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CEADialog.h"
#include "plc/CSPSDialog.h"
#include "plc/ExtendedStep.h"
#ifdef KORMAK_WITH_SIMULATOR
#include "sim/SimHost.h"
#endif

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QMdiArea>
#include <QStatusBar>
#include <QStatusTipEvent>

CMainFrame::CMainFrame(const Options& options, QWidget* parent)
    : QMainWindow(parent), guiOperator_(this),
      countingOperator_(options.op ? *options.op : static_cast<Operator&>(guiOperator_)),
      operator_(countingOperator_), link_(operator_) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(Texts::text(57344));
    setWindowIcon(QIcon(QStringLiteral(":/kormak.png")));

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    windows_ = std::make_unique<PanelWindows>(mdi_, *this, link_, operator_);
    connect(windows_.get(), &PanelWindows::panelMade, this, &CMainFrame::connectPanelDialogs);
    connect(windows_.get(), &PanelWindows::panelsChanged, this, &CMainFrame::updateMenus);
    connect(windows_.get(), &PanelWindows::talkingPanelChanged, this,
            &CMainFrame::updateChangeBaud);
    documents_ = std::make_unique<DocumentCommands>(this, link_, operator_, *windows_);
    windows_->setSaver([this](CChildFrame* child, bool askForName) {
        return documents_->save(child, askForName);
    });
    baudChange_ = std::make_unique<BaudChangeFlow>(link_, operator_, *windows_, this);

    status_ = std::make_unique<StatusProgress>(statusBar());

    // The port list: system ports, then ports given by path (this start's and
    // those remembered from earlier starts that still exist), then the simulator.
    ports_ =
        std::make_unique<PortWatcher>(link_, operator_, options.ports, options.selectPort, [this] {
            for (CKormakView* v : panels())
                if (!v->isOffline())
                    return true;
            return false;
        });
    link_.setBaudIndex(LinkSettings::baud());
    link_.setSimulatorProvider([this] { return startSimulator(); });

    buildToolBars();
    axisBar_ = new AxisBar(link_, this);
    axisDock_ = new QDockWidget(this);
    axisDock_->setObjectName(QStringLiteral("axisDock"));
    axisDock_->setWidget(axisBar_);
    axisDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    axisDock_->setTitleBarWidget(new QWidget(axisDock_));
    addDockWidget(Qt::LeftDockWidgetArea, axisDock_);
    connect(axisBar_, &AxisBar::axisPresenceChanged, this, [this] { updateAxisActions(); });
    // Adapters come and go: the list is taken again when it opens and now and
    // then while it is closed.
    connect(axisBar_, &AxisBar::portListAboutToOpen, ports_.get(), &PortWatcher::refresh);
    connect(axisBar_, &AxisBar::portTyped, ports_.get(), &PortWatcher::addTyped);
    connect(ports_.get(), &PortWatcher::portsChanged, axisBar_, &AxisBar::refreshPorts);
    updateAxisActions();

    // F6 / Shift+F6 step through the panels.
    auto* next = new QAction(this);
    next->setShortcut(Qt::Key_F6);
    connect(next, &QAction::triggered, mdi_, &QMdiArea::activateNextSubWindow);
    auto* previous = new QAction(this);
    previous->setShortcut(Qt::SHIFT | Qt::Key_F6);
    connect(previous, &QAction::triggered, mdi_, &QMdiArea::activatePreviousSubWindow);
    addActions({next, previous});

    // The menu of an open panel keeps the language of the start.
    buildPanelMenus();
    buildIdleMenus();
    updateMenus();
    axisBar_->portList()->setFocus();
}

CMainFrame::~CMainFrame() {
    // Panels still open talk to the link and to this window while they go.
    windows_->discardAll();
}

QString CMainFrame::startSimulator() {
#ifndef KORMAK_WITH_SIMULATOR
    return {};
#else
    if (!simulator_) {
        auto host = std::make_unique<sim::SimHost>();
        host->setWireTime(true); // a new user sees the durations a real line has
        if (!host->start())
            return {};
        simulator_ = std::move(host);
    }
    return simulator_->slavePath();
#endif
}

// ---------------------------------------------------------------------------
// Status bar progress

void CMainFrame::progressShow(const QString& text, int range, int step) {
    status_->show(text, range, step);
}

void CMainFrame::progressStep() {
    status_->step();
}

void CMainFrame::progressHide() {
    status_->hide();
}

QString CMainFrame::statusText() const {
    return status_->text();
}

bool CMainFrame::progressVisible() const {
    return status_->running();
}

// ---------------------------------------------------------------------------
// Panels and their windows

QString CMainFrame::activeChildTitle() const {
    return windows_->activeChildTitle();
}

QList<CKormakView*> CMainFrame::panels() const {
    return windows_->panels();
}

CKormakView* CMainFrame::activePanel() const {
    return windows_->activePanel();
}

void CMainFrame::closePanelWindow(CKormakView* panel) {
    windows_->closePanelWindow(panel);
}

bool CMainFrame::openingFile() const {
    return documents_->openingFile();
}

bool CMainFrame::baudChangePending() const {
    return baudChange_->pending();
}

void CMainFrame::cascadePanels() {
    windows_->cascade();
}

void CMainFrame::tilePanels() {
    windows_->tile();
}

void CMainFrame::connectPanelDialogs(CKormakView* view, CKormakDoc* doc) {
    // The currents dialog lives as long as its panel, so its values stay
    // between openings; an offline panel's file fills it as the panel opens.
    auto* strom = new CStrom(link_, operator_, this);
    connect(view, &QObject::destroyed, strom, &QObject::deleteLater);
    connect(view, &CKormakView::currentsRequested, this, [strom, view, doc] {
        AxisConfiguration c = view->parameters();
        const QStringList before{c.boostCurrent, c.runCurrent, c.stopCurrent, c.boostTime};
        strom->runFor(c);
        if (before != QStringList{c.boostCurrent, c.runCurrent, c.stopCurrent, c.boostTime}) {
            view->setCurrents(c);
            doc->modified = true;
        }
    });
    connect(view, &CKormakView::applyFileLinesRequested, this, [view, doc, strom] {
        AxisParameters p = view->parameters();
        const ApplyResult r = ApplyFileLines(doc->lineList, p, *doc, strom->fields());
        strom->fields() = r.currents;
        view->setParameters(p);
    });
    connect(view, &CKormakView::rsMonitorRequested, this, &CMainFrame::openRsMonitor);
    connect(view, &CKormakView::rampsRequested, this, [this, view] {
        {
            CRampenDlg dialog(link_, operator_, this);
            dialog.exec();
        }
        // The ramp list of the panel follows what is now programmed.
        view->ReadAxisConfiguration();
    });
    // What both PLC dialogs take from the panel and its document.
    const auto plcSetup = [view, doc] {
        const AxisParameters p = view->parameters();
        PlcArea::DialogSetup setup;
        setup.axis = view->axisAddress();
        setup.offline = view->isOffline();
        setup.startStopList = p.startStopList;
        setup.runFreqList = p.runFreqList;
        setup.rampList = p.rampList;
        setup.slotLines = p.slotLines;
        setup.fileDeviceType = ExtendedStep::deviceTypeFromLines(doc->lineList);
        return setup;
    };
    // An offline take-over changes the configuration's PLC area.
    const auto takeOver = [view, doc](const auto& dialog) {
        QStringList slotLines = view->parameters().slotLines;
        dialog.mergeInto(slotLines);
        view->setSlotLines(slotLines);
        doc->modified = true;
    };
    connect(view, &CKormakView::plcRequested, this, [this, plcSetup, takeOver] {
        CSPSDialog dialog(link_, operator_, plcSetup(), this);
        if (dialog.showAndRun() == CSPSDialog::TakeOver)
            takeOver(dialog);
    });
    connect(view, &CKormakView::plcExtRequested, this, [this, plcSetup, takeOver] {
        CDlgSPSErweitert dialog(link_, operator_, plcSetup(), this);
        if (dialog.showAndRun() == CDlgSPSErweitert::TakeOver)
            takeOver(dialog);
    });
    connect(view, &CKormakView::statusRequested, this, [this, view] {
        bool restarted = false;
        {
            CGesamtStatus dialog(link_, operator_, this);
            dialog.exec();
            restarted = dialog.systemResetDone;
        }
        if (restarted)
            view->ReadAxisConfiguration();
    });
    connect(view, &CKormakView::resetRequested, this, [this, view] {
        int code = 0;
        {
            CReset dialog(link_, operator_, this);
            code = dialog.exec();
        }
        if (code != CReset::SystemResetCode)
            return;
        view->stopPollTimer();
        if (RunSystemReset(link_, operator_, this))
            view->ReadAxisConfiguration();
    });
    connect(view, &CKormakView::optionCardRequested, this,
            [this] { CEADialog::run(link_, operator_, this); });
    connect(view, &CKormakView::transferRequested, this, [this, view] { transferToAxes(view); });
    connect(view, &CKormakView::sfiRequested, this, [this] {
        CSFIDialog dialog(link_, operator_, this);
        if (dialog.start())
            dialog.exec();
    });
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    windows_->mainWindowActivated();
}

bool CMainFrame::event(QEvent* event) {
    // Status tips go into the message pane, as its own text; the progress
    // text of a running operation is never covered, and when the pointer
    // leaves the tool the pane says "Bereit" again.
    if (event->type() == QEvent::StatusTip) {
        status_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (windows_->closeAll())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------
// Axis selection

void CMainFrame::ConnectToAxis(int k) {
    windows_->showAxis(k);
}

// ---------------------------------------------------------------------------
// Documents

void CMainFrame::FileNew() {
    documents_->newDocument();
}

bool CMainFrame::OpenFile(const QString& path) {
    return documents_->openFile(path);
}

bool CMainFrame::SaveActive(bool askForName) {
    return documents_->saveActive(askForName);
}

// ---------------------------------------------------------------------------
// Language, about

void CMainFrame::SetLanguage(int identifier) {
    if (BusyState::isBusy())
        return;
    Texts::Language language = Texts::Language::English;
    if (identifier == German)
        language = Texts::Language::German;
    else if (identifier == French)
        language = Texts::Language::French;
    Texts::setLanguage(language);
    retranslate();
    buildIdleMenus();
    updateMenus();
}

void CMainFrame::showAbout() {
    AboutDialog dialog(this);
    dialog.exec();
}

// ---------------------------------------------------------------------------
// RS monitor

void CMainFrame::openRsMonitor() {
    // The panel has stopped its poll; it resumes when the main window is
    // active again.
    CRSMonitor monitor(link_, operator_, this);
    monitor.exec();
}

// ---------------------------------------------------------------------------
// The port list

void CMainFrame::refreshPortList() {
    ports_->refresh();
}

void CMainFrame::addPortCandidate(const QString& path) {
    ports_->addCandidate(path);
}
