#include "app/CMainFrame.h"

#include "app/AboutDialog.h"
#include "app/AxisBar.h"
#include "app/BaudChangeFlow.h"
#include "app/CRSMonitor.h"
#include "app/DocumentCommands.h"
#include "app/PanelDialogs.h"
#include "app/PanelWindows.h"
#include "app/PortWatcher.h"
#include "app/StatusProgress.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "files/ParameterFile.h"
#include "link/LinkSettings.h"
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
    PanelDialogs::connect(link_, operator_, this, *view, *doc);
    // Loading an offline configuration into the ticked axes is the main
    // window's own: it knows the axis bar and the other panels.
    connect(view, &CKormakView::transferRequested, this, [this, view] { transferToAxes(view); });
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
// The port list

void CMainFrame::refreshPortList() {
    ports_->refresh();
}

void CMainFrame::addPortCandidate(const QString& path) {
    ports_->addCandidate(path);
}
