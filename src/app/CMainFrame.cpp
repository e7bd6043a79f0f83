#include "app/CMainFrame.h"
#include "base/MessageIds.h"

#include "app/AboutDialog.h"
#include "app/AxisBar.h"
#include "app/CChangeBaud.h"
#include "app/CChildFrame.h"
#include "app/CRSMonitor.h"
#include "app/PanelDialogs.h"
#include "app/StatusProgress.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "files/FileCheck.h"
#include "files/ParameterFile.h"
#include "link/BaudChange.h"
#include "link/LinkSettings.h"
#include "link/NetworkPort.h"
#include "link/PortDiscovery.h"
#include "link/ProbeAxis.h"
#ifdef KORMAK_WITH_SIMULATOR
#include "sim/SimHost.h"
#endif

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace {

const char AxisDigits[] = "0123456789ABCDEF";
constexpr int MaxRecentFiles = 4;
constexpr int PortWatchMs = 3000;

QSettings settings() {
    return QSettings(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
}

QString fileFilter() {
    // Upper- and lower-case extensions: the file system here tells them apart.
    return QStringLiteral("Kormak Files (*.OPM *.opm)");
}

} // namespace

CMainFrame::CMainFrame(const Options& options, QWidget* parent)
    : QMainWindow(parent), guiOperator_(this),
      countingOperator_(options.op ? *options.op : static_cast<Operator&>(guiOperator_)),
      operator_(countingOperator_), link_(operator_) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(Texts::text(57344));
    setWindowIcon(QIcon(QStringLiteral(":/kormak.png")));
    setAcceptDrops(true);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);

    status_ = std::make_unique<StatusProgress>(statusBar());

    // The port list: system ports, then ports given by path (this start's and
    // those remembered from earlier starts that still exist), then the simulator.
    QStringList extra = options.ports;
    for (const QString& p : LinkSettings::rememberedPorts())
        if (looksLikeNetworkPort(p) || QFileInfo::exists(p))
            extra << p;
    portCandidates_ = extra;
    QStringList given;
    for (const QString& p : options.ports)
        if (p.startsWith(QLatin1Char('/')) || looksLikeNetworkPort(p))
            given << p;
    if (!given.isEmpty())
        LinkSettings::rememberPorts(given);
    link_.setPorts(DiscoverPorts(extra));
    link_.setBaudIndex(LinkSettings::baud());
    int portIndex = LinkSettings::activeCom();
    if (!options.selectPort.isEmpty()) {
        const int i = int(link_.ports().indexOf(options.selectPort));
        if (i >= 0)
            portIndex = i;
    }
    link_.setPortIndex(portIndex);
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
    connect(axisBar_, &AxisBar::portListAboutToOpen, this, &CMainFrame::refreshPortList);
    connect(axisBar_, &AxisBar::portTyped, this, &CMainFrame::addTypedPort);
    auto* portWatch = new QTimer(this);
    portWatch->setObjectName(QStringLiteral("portWatch"));
    connect(portWatch, &QTimer::timeout, this, &CMainFrame::refreshPortList);
    portWatch->start(PortWatchMs);
    updateAxisActions();

    // F6 / Shift+F6 step through the panels.
    auto* next = new QAction(this);
    next->setShortcut(Qt::Key_F6);
    connect(next, &QAction::triggered, mdi_, &QMdiArea::activateNextSubWindow);
    auto* previous = new QAction(this);
    previous->setShortcut(Qt::SHIFT | Qt::Key_F6);
    connect(previous, &QAction::triggered, mdi_, &QMdiArea::activatePreviousSubWindow);
    addActions({next, previous});

    // A panel brought to the front during a long operation takes over the
    // link once the operation is over.
    BusyState::setOnIdle([this] {
        QTimer::singleShot(0, this, [this] { onSubWindowActivated(mdi_->currentSubWindow()); });
    });

    loadRecentFiles();
    // The menu of an open panel keeps the language of the start.
    buildPanelMenus();
    buildIdleMenus();
    updateMenus();
    axisBar_->portList()->setFocus();
}

CMainFrame::~CMainFrame() {
    BusyState::setOnIdle({});
    // Panels still open talk to the link while they close; close them first.
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* w : mdi_->subWindowList())
        delete w;
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
    QMdiSubWindow* w = mdi_->currentSubWindow();
    return w ? w->windowTitle() : QString();
}

QList<CKormakView*> CMainFrame::panels() const {
    QList<CKormakView*> list;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(w); c && c->view() && !c->isClosing())
            list << c->view();
    return list;
}

CKormakView* CMainFrame::activePanel() const {
    auto* c = qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
    return c ? c->view() : nullptr;
}

void CMainFrame::closePanelWindow(CKormakView* panel) {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* c = qobject_cast<CChildFrame*>(w); c && c->view() == panel)
            c->close();
}

bool CMainFrame::confirmClose(CChildFrame* child) {
    CKormakView* view = child->view();
    CKormakDoc* doc = child->doc();
    if (!view || !doc || !view->isOffline() || !doc->modified)
        return true;
    const QString name =
        doc->filePath.isEmpty() ? child->windowTitle() : QFileInfo(doc->filePath).fileName();
    const Operator::Answer answer =
        operator_.show({0, Texts::text("file.saveChanges").arg(name), 0,
                        Operator::Icon::Exclamation, Operator::Buttons::YesNoCancel});
    if (answer == Operator::Answer::No)
        return true;
    if (answer == Operator::Answer::Yes)
        return SaveChild(child, false);
    return false;
}

CChildFrame* CMainFrame::childOfFile(const QString& path) const {
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        auto* c = qobject_cast<CChildFrame*>(w);
        if (c && c->view() && !c->isClosing() && c->view()->isOffline() &&
            !c->doc()->filePath.isEmpty() &&
            QFileInfo(c->doc()->filePath).canonicalFilePath() == wanted)
            return c;
    }
    return nullptr;
}

CKormakView* CMainFrame::createPanel(CKormakDoc* doc) {
    auto* view = new CKormakView(*this, *doc);
    PanelDialogs::connect(link_, operator_, this, *view, *doc);
    // Loading an offline configuration into the ticked axes is the main
    // window's own: it knows the axis bar and the other panels.
    connect(view, &CKormakView::transferRequested, this, [this, view] { transferToAxes(view); });
    auto* child = new CChildFrame(view, doc);
    child->mayClose = [this](CChildFrame* c) { return confirmClose(c); };
    mdi_->addSubWindow(child);
    connect(child, &CChildFrame::closed, this, &CMainFrame::onPanelWindowClosed);
    view->InitialisePanel();
    // An offline configuration is a document: what the operator changes in
    // its parameter fields is asked about before the window closes. An
    // online panel has its own question about storing the axis's parameters.
    if (view->isOffline())
        connect(view, &CKormakView::configurationEdited, doc, [doc] { doc->modified = true; });
    child->fitToPanel();
    updateMenus();
    child->show();
    mdi_->setActiveSubWindow(child);
    return view;
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow* window) {
    if (!window && !mdi_->subWindowList().isEmpty())
        return; // the main window as a whole lost the activation
    // A long operation keeps its axis: no other panel becomes the one that talks.
    if (BusyState::isBusy())
        return;
    auto* child = qobject_cast<CChildFrame*>(window);
    CKormakView* next = child ? child->view() : nullptr;
    if (next == activePanel_)
        return;
    if (activePanel_)
        activePanel_->ActivatePanel(false);
    activePanel_ = next;
    if (next)
        next->ActivatePanel(true);
    updateChangeBaud();
}

void CMainFrame::onPanelWindowClosed() {
    if (!activePanel_ || !panels().contains(activePanel_.data()))
        activePanel_ = nullptr;
    if (panels().isEmpty()) {
        // The last panel is gone: nothing polls any more and the port closes.
        activePanel_ = nullptr;
        if (link_.portOpen())
            link_.TogglePort();
    }
    updateMenus();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // Back from a dialog, a message box or another program: the active panel
    // takes its port and rate back and resumes polling, once the event that
    // brought us here is done.
    QTimer::singleShot(0, this, [this] {
        if (BusyState::isBusy() || !activePanel_ || QApplication::activeModalWidget())
            return;
        activePanel_->ActivatePanel(true);
    });
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
    if (BusyState::isBusy()) {
        event->ignore();
        return;
    }
    // Every panel closes through its ClosePanel, the active one first.
    while (!mdi_->subWindowList().isEmpty()) {
        QMdiSubWindow* w = mdi_->currentSubWindow();
        if (!w)
            w = mdi_->subWindowList().first();
        if (!w->close()) {
            event->ignore();
            return;
        }
        delete w;
    }
    activePanel_ = nullptr;
    if (link_.portOpen())
        link_.TogglePort();
    event->accept();
}

// ---------------------------------------------------------------------------
// Axis selection

void CMainFrame::ConnectToAxis(int k) {
    if (k < 0 || k > 15 || BusyState::isBusy())
        return;
    const QString address = QString(QChar(AxisDigits[k]));
    link_.setCurrentAddress(address);
    if (!link_.portOpen() && !link_.TogglePort()) {
        link_.reportOpenFailure(operator_);
        return;
    }
    // An open panel of the axis comes to the front without any traffic.
    // Offline panels are left out: their titles end with the "E" of OFFLINE.
    QList<QMdiSubWindow*> order = mdi_->subWindowList(QMdiArea::StackingOrder);
    std::reverse(order.begin(), order.end());
    if (QMdiSubWindow* active = mdi_->currentSubWindow()) {
        order.removeAll(active);
        order.prepend(active);
    }
    for (QMdiSubWindow* w : order) {
        const QString title = w->windowTitle();
        if (title.contains(QLatin1String("OFFLINE")))
            continue;
        if (!title.isEmpty() && title.back() == address.front()) {
            // In front already but no longer polling (after a lost reply or a
            // lost port): it takes the link
            // back and polls again, as a newly activated panel does.
            if (w == mdi_->currentSubWindow() && activePanel_ && !activePanel_->isPolling() &&
                !BusyState::isBusy())
                activePanel_->ActivatePanel(true);
            else
                mdi_->setActiveSubWindow(w);
            return;
        }
    }
    if (ProbeAxis(link_))
        createPanel(new CKormakDoc);
}

// ---------------------------------------------------------------------------
// Documents

void CMainFrame::FileNew() {
    if (BusyState::isBusy())
        return;
    link_.setCurrentAddress(QStringLiteral("OFFLINE NEW"));
    createPanel(new CKormakDoc);
}

void CMainFrame::reactivateAfterFailedOpen(const QString& previousAddress) {
    // Nothing was opened: the active panel talks to its axis again.
    link_.setCurrentAddress(previousAddress);
    if (activePanel_)
        activePanel_->ActivatePanel(true);
}

void CMainFrame::FileOpen() {
    if (BusyState::isBusy())
        return;
    const QString previous = link_.currentAddress();
    openingFile_ = true;
    link_.setCurrentAddress(QStringLiteral("OFFLINE"));
    QFileDialog dialog(this);
    prepareOpenDialog(dialog);
    QString path;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        path = dialog.selectedFiles().constFirst();
    // A name typed without a suffix means the parameter file, as Save adds it.
    if (!path.isEmpty() && !QFileInfo::exists(path) && QFileInfo(path).suffix().isEmpty() &&
        QFileInfo::exists(path + QStringLiteral(".OPM")))
        path += QStringLiteral(".OPM");
    bool opened = false;
    if (!path.isEmpty())
        opened = OpenFile(path);
    openingFile_ = false;
    if (!opened)
        reactivateAfterFailedOpen(previous);
}

bool CMainFrame::OpenFile(const QString& path) {
    if (BusyState::isBusy())
        return false;
    const QString previous = link_.currentAddress();
    // A file that is open already comes to the front instead of twice.
    if (CChildFrame* open = childOfFile(path)) {
        link_.setCurrentAddress(previous);
        mdi_->setActiveSubWindow(open);
        return true;
    }
    auto* doc = new CKormakDoc;
    QString readError;
    if (!ReadFileLines(path, *doc, &readError)) {
        delete doc;
        // The name, and what the system said about it ("File too large").
        QString text = Texts::text(61697) + QLatin1Char('\n') + QDir::toNativeSeparators(path);
        if (!readError.isEmpty())
            text += QStringLiteral(" (%1)").arg(readError);
        operator_.show({61697, text, 0, Operator::Icon::Exclamation, Operator::Buttons::Ok});
        reactivateAfterFailedOpen(previous);
        return false;
    }
    link_.setCurrentAddress(QStringLiteral("OFFLINE"));
    doc->filePath = path;
    createPanel(doc);
    addRecentFile(path);
    // The panel shows what could be read; the operator learns at once that
    // this file will not be sent to an axis.
    const FileDamage damage = CheckParameterFileLines(doc->lineList);
    if (damage.damaged())
        operator_.show({0, Texts::text("file.damaged").arg(FileDamageWhere(damage)), 0,
                        Operator::Icon::Warning, Operator::Buttons::Ok});
    return true;
}

void CMainFrame::openRecent(int n) {
    if (BusyState::isBusy() || n < 0 || n >= recentFiles_.size())
        return;
    const QString previous = link_.currentAddress();
    link_.setCurrentAddress(QStringLiteral("OFFLINE"));
    const QString path = recentFiles_.at(n);
    if (!OpenFile(path)) {
        // A file that is gone leaves the list.
        if (!QFileInfo::exists(path)) {
            recentFiles_.removeAt(n);
            saveRecentFiles();
        }
        reactivateAfterFailedOpen(previous);
    }
}

void CMainFrame::prepareOpenDialog(QFileDialog& dialog) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(fileFilter());
    dialog.setDefaultSuffix(QStringLiteral("OPM"));
}

bool CMainFrame::SaveActive(bool askForName) {
    return SaveChild(qobject_cast<CChildFrame*>(mdi_->currentSubWindow()), askForName);
}

bool CMainFrame::SaveChild(CChildFrame* child, bool askForName) {
    if (BusyState::isBusy())
        return false;
    if (!child || !child->view())
        return false;
    CKormakDoc* doc = child->doc();
    QString path = doc->filePath;
    if (askForName || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(this, QString(), path, fileFilter());
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".OPM");
    }
    QString fileError;
    if (!WriteParameterFile(path, link_, operator_, child->view()->parameters(), *doc,
                            &fileError)) {
        if (!fileError.isEmpty())
            operator_.show({0, Texts::text("file.saveFailed").arg(fileError), 0,
                            Operator::Icon::Exclamation, Operator::Buttons::Ok});
        return false;
    }
    doc->filePath = path;
    doc->setTitle(QFileInfo(path).fileName(), link_.currentAddress(), Texts::text(10000));
    addRecentFile(path);
    return true;
}

// ---------------------------------------------------------------------------
// Recent files

void CMainFrame::loadRecentFiles() {
    QSettings s = settings();
    recentFiles_.clear();
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString f = s.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty())
            recentFiles_ << f;
    }
}

void CMainFrame::saveRecentFiles() {
    QSettings s = settings();
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString key = QStringLiteral("Recent File List/File%1").arg(i);
        if (i <= recentFiles_.size())
            s.setValue(key, recentFiles_.at(i - 1));
        else
            s.remove(key);
    }
}

void CMainFrame::addRecentFile(const QString& path) {
    const QString abs = QFileInfo(path).absoluteFilePath();
    recentFiles_.removeAll(abs);
    recentFiles_.prepend(abs);
    while (recentFiles_.size() > MaxRecentFiles)
        recentFiles_.removeLast();
    saveRecentFiles();
}

// ---------------------------------------------------------------------------
// Drops, language, about

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (BusyState::isBusy())
        return;
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            OpenFile(url.toLocalFile());
}

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
// RS monitor and baud rate change

void CMainFrame::openRsMonitor() {
    // The panel has stopped its poll; it resumes when the main window is
    // active again.
    CRSMonitor monitor(link_, operator_, this);
    monitor.exec();
}

void CMainFrame::ChangeBaudRate() {
    CKormakView* panel = activePanel();
    if (!panel || panel->isOffline() || BusyState::isBusy())
        return;
    int newIndex = -1;
    {
        CChangeBaud dialog(link_, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        newIndex = dialog.newBaudIndex();
    }
    if (newIndex < 0)
        return;
    baudChangePending_ = true;
    panel->stopPollTimer();
    const BaudChange::Result result = BaudChange::ChangeBaudRate(link_, newIndex);
    // The flag never outlives the change: left set, every later activation
    // would hand the bar's port and rate to whichever panel comes to the front.
    baudChangePending_ = false;
    if (result == BaudChange::Result::Refused) {
        // The axis stays where it was, and so do the link and the panel.
        panel->startPollTimer();
        return;
    }
    if (result == BaudChange::Result::LostAtOld || result == BaudChange::Result::LostNowhere) {
        // The reply to the rate command was lost; the link is back at the
        // panel's rate, and the operator learns where the axis answers.
        panel->startPollTimer();
        const bool atOld = result == BaudChange::Result::LostAtOld;
        operator_.show({0,
                        atOld ? Texts::text("baud.lostAtOld")
                                    .arg(BaudChange::commandOf(newIndex))
                                    .arg(SerialLink::baudRateOf(link_.baudIndex()))
                              : Texts::text("baud.lostNowhere")
                                    .arg(BaudChange::commandOf(newIndex))
                                    .arg(SerialLink::baudRateOf(newIndex))
                                    .arg(SerialLink::baudRateOf(link_.baudIndex())),
                        0, Operator::Icon::Warning, Operator::Buttons::Ok});
        return;
    }
    // The activation that follows the message box runs after this handler and
    // restores the panel's own rate: that is the new one from now on.
    panel->setPortIndex(link_.portIndex());
    panel->setBaudIndex(newIndex);
    if (result == BaudChange::Result::ReopenFailed) {
        operator_.error(MessageId::PortNotOpened);
        return;
    }
    panel->startPollTimer();
    if (result == BaudChange::Result::LostAtNew)
        operator_.show({0,
                        Texts::text("baud.lostAtNew")
                            .arg(BaudChange::commandOf(newIndex))
                            .arg(SerialLink::baudRateOf(newIndex)),
                        0, Operator::Icon::Information, Operator::Buttons::Ok});
    else
        operator_.inform(10240);
}

// ---------------------------------------------------------------------------
// The port list

void CMainFrame::addPortCandidate(const QString& path) {
    if (!portCandidates_.contains(path))
        portCandidates_ << path;
}

void CMainFrame::addTypedPort(const QString& name) {
    // Online panels hold indexes into the list: it stays as it is while they do.
    const bool network = looksLikeNetworkPort(name);
    if (!portListMayChange()) {
        axisBar_->refreshPorts();
        return;
    }
    if (network && !parseNetworkPort(name)) {
        axisBar_->refreshPorts();
        operator_.show({0, Texts::text("link.badNetworkName").arg(name), 0, Operator::Icon::Error,
                        Operator::Buttons::Ok});
        return;
    }
    if (!network && !(name.startsWith(QLatin1Char('/')) && QFileInfo::exists(name))) {
        axisBar_->refreshPorts();
        operator_.error(MessageId::PortNotOpened);
        return;
    }
    addPortCandidate(name);
    LinkSettings::rememberPorts({name});
    const QStringList fresh = DiscoverPorts(existingPortCandidates());
    const int index = int(fresh.indexOf(name));
    link_.setPorts(fresh);
    link_.setPortIndex(index);
    axisBar_->refreshPorts();
    LinkSettings::setActiveCom(link_.portIndex());
}

QStringList CMainFrame::existingPortCandidates() const {
    QStringList list;
    for (const QString& p : portCandidates_)
        if (!p.startsWith(QLatin1Char('/')) || QFileInfo::exists(p))
            list << p;
    return list;
}

bool CMainFrame::portListMayChange() const {
    // Online panels and the stored "ActiveCOM" hold indexes into the list.
    if (link_.portOpen() || BusyState::isBusy())
        return false;
    for (CKormakView* v : panels())
        if (!v->isOffline())
            return false;
    return true;
}

void CMainFrame::refreshPortList() {
    if (!portListMayChange())
        return;
    const QStringList fresh = DiscoverPorts(existingPortCandidates());
    if (fresh == link_.ports())
        return;
    const int index = portIndexAfterRefresh(link_.ports(), link_.portIndex(), fresh);
    // The stored choice follows its port when the port changed places; a
    // port that went away leaves it alone for when it comes back.
    const bool moved = fresh.contains(link_.selectedPort()) && index != link_.portIndex();
    link_.setPorts(fresh);
    link_.setPortIndex(index);
    axisBar_->refreshPorts();
    if (moved)
        LinkSettings::setActiveCom(index);
}
