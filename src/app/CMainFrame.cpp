#include "app/CMainFrame.h"

#include "app/Texts.h"
#include "link/AxisBar.h"
#include "link/LinkSettings.h"
#include "link/PortDiscovery.h"
#include "sim/SimHost.h"

#include <QApplication>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QProgressBar>
#include <QStatusBar>

CMainFrame::CMainFrame(const Options& options, QWidget* parent)
    : QMainWindow(parent), operator_(this), link_(operator_) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(Texts::text(57344));

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);

    messagePane_ = new QLabel(this);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setFixedWidth(300);
    progressPane_ = new QLabel(this);
    progressPane_->setObjectName(QStringLiteral("progressPane"));
    progressPane_->setFixedWidth(197);
    statusBar()->addWidget(messagePane_);
    statusBar()->addWidget(progressPane_);
    statusBar()->addWidget(new QLabel(this), 1);
    messagePane_->setText(Texts::text(57345));

    // The port list: system ports, then ports given by path (this start's and
    // those remembered from earlier starts that still exist), then the simulator.
    QStringList extra = options.ports;
    for (const QString& p : LinkSettings::rememberedPorts())
        if (QFileInfo::exists(p))
            extra << p;
    QStringList given;
    for (const QString& p : options.ports)
        if (p.startsWith(QLatin1Char('/')))
            given << p;
    if (!given.isEmpty())
        LinkSettings::rememberPorts(given);
    link_.setPorts(DiscoverPorts(extra));
    link_.setBaudIndex(LinkSettings::baud());
    int portIndex = LinkSettings::activeCom();
    if (!options.selectPort.isEmpty()) {
        const int i = link_.ports().indexOf(options.selectPort);
        if (i >= 0)
            portIndex = i;
    }
    link_.setPortIndex(portIndex);
    link_.setSimulatorProvider([this] { return startSimulator(); });

    axisBar_ = new AxisBar(link_, this);
    axisDock_ = new QDockWidget(this);
    axisDock_->setObjectName(QStringLiteral("axisDock"));
    axisDock_->setWidget(axisBar_);
    axisDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    axisDock_->setTitleBarWidget(new QWidget(axisDock_));
    addDockWidget(Qt::LeftDockWidgetArea, axisDock_);
    axisBar_->portList()->setFocus();
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::startSimulator() {
    if (!simulator_) {
        auto host = std::make_unique<sim::SimHost>();
        if (!host->start())
            return {};
        simulator_ = std::move(host);
    }
    return simulator_->slavePath();
}

void CMainFrame::progressShow(const QString& text, int range, int step) {
    messagePane_->setText(text);
    if (!progress_) {
        progress_ = new QProgressBar(statusBar());
        progress_->setObjectName(QStringLiteral("statusProgress"));
        progress_->setTextVisible(false);
    }
    progress_->setRange(0, qMax(range, 0));
    progress_->setValue(0);
    progressStep_ = step;
    progress_->setGeometry(progressPane_->geometry());
    progress_->show();
    if (cursorDepth_++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMainFrame::progressStep() {
    if (progress_)
        progress_->setValue(qMin(progress_->value() + progressStep_, progress_->maximum()));
}

void CMainFrame::progressHide() {
    delete progress_;
    progress_ = nullptr;
    messagePane_->setText(Texts::text(57345));
    while (cursorDepth_ > 0) {
        --cursorDepth_;
        QApplication::restoreOverrideCursor();
    }
}

QString CMainFrame::statusText() const {
    return messagePane_->text();
}

void CMainFrame::retranslate() {
    axisBar_->retranslate();
    if (!progress_)
        messagePane_->setText(Texts::text(57345));
}
