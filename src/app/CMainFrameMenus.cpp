// The main window's menus and tool bars: menu 128 without a panel, menu 129
// with one, the standard and the axis tool bars, and their texts in the
// current language.
#include "app/AxisBar.h"
#include "app/BaudChangeFlow.h"
#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
#include "app/PanelWindows.h"
#include "app/StatusProgress.h"
#include "app/TraceWindow.h"
#include "axis/CKormakView.h"
#include "base/Texts.h"
#include "report/ReportPrintDialog.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

const char AxisDigits[] = "0123456789ABCDEF";

} // namespace

// ---------------------------------------------------------------------------
// Menus and tool bars

void CMainFrame::buildToolBars() {
    mainToolBar_ = addToolBar(QString());
    mainToolBar_->setObjectName(QStringLiteral("mainToolBar"));
    mainToolBar_->setMovable(false);
    tbNew_ = mainToolBar_->addAction(style()->standardIcon(QStyle::SP_FileIcon), QString(), this,
                                     &CMainFrame::FileNew);
    tbOpen_ = mainToolBar_->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), QString(),
                                      this, [this] { documents_->open(); });
    tbSave_ = mainToolBar_->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QString(),
                                      this, [this] { SaveActive(false); });
    mainToolBar_->addSeparator();
    tbPrint_ = mainToolBar_->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                       QString(), this, [this] { reportActive(Report::Print); });
    tbPrint_->setEnabled(false);
    mainToolBar_->addSeparator();
    tbAbout_ = mainToolBar_->addAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion),
                                       QString(), this, &CMainFrame::showAbout);
    tbNew_->setObjectName(QStringLiteral("toolNew"));
    tbOpen_->setObjectName(QStringLiteral("toolOpen"));
    tbSave_->setObjectName(QStringLiteral("toolSave"));
    tbPrint_->setObjectName(QStringLiteral("toolPrint"));
    tbAbout_->setObjectName(QStringLiteral("toolAbout"));

    axisToolBar_ = addToolBar(QString());
    axisToolBar_->setObjectName(QStringLiteral("axisToolBar"));
    axisToolBar_->setMovable(false);
    for (int k = 0; k < 16; ++k) {
        if (k > 0 && k % 4 == 0)
            axisToolBar_->addSeparator();
        QAction* a = axisToolBar_->addAction(QString(QChar(AxisDigits[k])));
        a->setObjectName(QStringLiteral("axisButton%1").arg(QChar(AxisDigits[k])));
        connect(a, &QAction::triggered, this, [this, k] { ConnectToAxis(k); });
        axisActions_[k] = a;
    }
    retranslate();
}

QMenu* CMainFrame::buildFileMenu(bool withPanel) {
    auto* file = new QMenu(Texts::text("menu.file"), this);
    file->addAction(Texts::text("menu.57600"), QKeySequence::New, this, &CMainFrame::FileNew);
    file->addAction(Texts::text("menu.57601"), QKeySequence::Open, this,
                    [this] { documents_->open(); });
    // Close stands in both menus; without a document it has nothing to close.
    QAction* close = file->addAction(Texts::text("menu.57602"), this, [this] {
        if (QMdiSubWindow* w = mdi_->currentSubWindow())
            w->close();
    });
    close->setEnabled(withPanel);
    if (withPanel) {
        file->addAction(Texts::text("menu.57603"), QKeySequence::Save, this,
                        [this] { SaveActive(false); });
        file->addAction(Texts::text("menu.57604"), this, [this] { SaveActive(true); });
        file->addSeparator();
        QAction* print = file->addAction(Texts::text("menu.32817"), QKeySequence::Print, this,
                                         [this] { reportActive(Report::Print); });
        print->setObjectName(QStringLiteral("filePrint"));
        file->addAction(Texts::text("report.menuPreview"), this,
                        [this] { reportActive(Report::Preview); })
            ->setObjectName(QStringLiteral("filePrintPreview"));
        file->addAction(Texts::text("report.menuExport"), this,
                        [this] { reportActive(Report::ExportPdf); })
            ->setObjectName(QStringLiteral("fileExportPdf"));
    }
    file->addSeparator();
    file->addAction(Texts::text("menu.saveAllAxes"), this, &CMainFrame::saveAllAxes)
        ->setObjectName(QStringLiteral("fileSaveAllAxes"));
    file->addAction(Texts::text("menu.restoreMachine"), this, &CMainFrame::restoreMachine)
        ->setObjectName(QStringLiteral("fileRestoreMachine"));
    file->addSeparator();
    // The recent files stand in the file menu itself, above Exit.
    connect(file, &QMenu::aboutToShow, this, [this, file] {
        for (QAction* a : file->actions())
            if (a->property("recent").toBool())
                file->removeAction(a);
        QAction* before = nullptr;
        for (QAction* a : file->actions())
            if (a->property("exit").toBool())
                before = a;
        const QStringList recent = documents_->recentFiles();
        for (int i = 0; i < recent.size(); ++i) {
            auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(recent.at(i)), file);
            a->setProperty("recent", true);
            connect(a, &QAction::triggered, this, [this, i] { documents_->openRecent(i); });
            file->insertAction(before, a);
        }
    });
    QAction* exit = file->addAction(Texts::text("menu.57665"), this, &QWidget::close);
    exit->setProperty("exit", true);
    return file;
}

QMenu* CMainFrame::buildViewMenu() {
    auto* view = new QMenu(Texts::text("menu.view"), this);
    // The standard tool bar and the axis tool bar each have their own item:
    // hiding the first must not take away the buttons that connect the axes.
    QAction* tb = view->addAction(Texts::text("menu.59392"));
    tb->setObjectName(QStringLiteral("viewToolBar"));
    tb->setCheckable(true);
    connect(tb, &QAction::toggled, mainToolBar_, &QWidget::setVisible);
    QAction* axes = view->addAction(Texts::text("menu.axisToolBar"));
    axes->setObjectName(QStringLiteral("viewAxisToolBar"));
    axes->setCheckable(true);
    connect(axes, &QAction::toggled, axisToolBar_, &QWidget::setVisible);
    QAction* sb = view->addAction(Texts::text("menu.59393"));
    sb->setObjectName(QStringLiteral("viewStatusBar"));
    sb->setCheckable(true);
    connect(sb, &QAction::toggled, statusBar(), &QWidget::setVisible);
    // The live trace of the active online panel, in a window of its own.
    view->addSeparator();
    QAction* trace = view->addAction(Texts::text("menu.trace"), this, &CMainFrame::openTrace);
    trace->setObjectName(QStringLiteral("viewTrace"));
    connect(view, &QMenu::aboutToShow, this, [this, trace] {
        const CKormakView* panel = windows_->talkingPanel();
        trace->setEnabled(panel && !panel->isOffline());
    });
    // Both menus show the bars as they are when opened.
    connect(view, &QMenu::aboutToShow, this, [this, tb, axes, sb] {
        const QSignalBlocker blockTb(tb), blockAxes(axes), blockSb(sb);
        tb->setChecked(mainToolBar_->isVisible());
        axes->setChecked(axisToolBar_->isVisible());
        sb->setChecked(statusBar()->isVisible());
    });
    return view;
}

void CMainFrame::buildIdleMenus() {
    // The old menus go later: the language switch runs from one of their actions.
    for (QMenu* m : std::as_const(idleMenus_))
        m->deleteLater();
    idleMenus_.clear();
    idleMenus_ << buildFileMenu(false);

    idleMenus_ << buildViewMenu();

    auto* options = new QMenu(Texts::text("menu.options"), this);
    QMenu* language = options->addMenu(Texts::text("menu.language"));
    language->setObjectName(QStringLiteral("languageMenu"));
    language->addAction(Texts::text("menu.32829"), this, [this] { SetLanguage(German); });
    language->addAction(Texts::text("menu.32830"), this, [this] { SetLanguage(English); });
    language->addAction(Texts::text("menu.32834"), this, [this] { SetLanguage(French); });
    idleMenus_ << options;

    auto* help = new QMenu(Texts::text("menu.help"), this);
    help->addAction(Texts::text("menu.57664"), this, &CMainFrame::showAbout);
    idleMenus_ << help;
}

void CMainFrame::buildPanelMenus() {
    panelMenus_ << buildFileMenu(true);

    panelMenus_ << buildViewMenu();

    auto* options = new QMenu(Texts::text("menu.options"), this);
    changeBaud_ =
        options->addAction(Texts::text("menu.32814"), this, [this] { baudChange_->run(); });
    changeBaud_->setObjectName(QStringLiteral("changeBaud"));
    changeBaud_->setEnabled(false);
    compareAxis_ =
        options->addAction(Texts::text("transfer.compareMenu"), this, &CMainFrame::compareWithAxis);
    compareAxis_->setObjectName(QStringLiteral("compareWithAxis"));
    compareAxis_->setEnabled(false);
    readBack_ = options->addAction(Texts::text("menu.readBack"));
    readBack_->setObjectName(QStringLiteral("readBackAfterTransfer"));
    readBack_->setCheckable(true);
    readBack_->setChecked(transferReadBack());
    connect(readBack_, &QAction::toggled, this, &CMainFrame::setTransferReadBack);
    panelMenus_ << options;

    auto* window = new QMenu(Texts::text("menu.window"), this);
    window->setObjectName(QStringLiteral("windowMenu"));
    // The arrangement commands keep the language the menu was built in.
    window->addAction(Texts::text("menu.57650"), this, &CMainFrame::cascadePanels);
    window->addAction(Texts::text("menu.57651"), this, &CMainFrame::tilePanels);
    window->addAction(Texts::text("menu.57649"), this, [this] { windows_->arrangeMinimised(); });
    connect(window, &QMenu::aboutToShow, this, [this, window] { fillWindowMenu(window); });
    panelMenus_ << window;

    auto* help = new QMenu(Texts::text("menu.help"), this);
    help->addAction(Texts::text("menu.57664"), this, &CMainFrame::showAbout);
    panelMenus_ << help;
    // Whichever menu opens, the rate change follows the panel in front.
    for (QMenu* m : std::as_const(panelMenus_))
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::updateChangeBaud);
}

void CMainFrame::fillWindowMenu(QMenu* window) {
    // The open windows below the arrangement commands, numbered, the active
    // one ticked; rebuilt each time the menu opens.
    for (QAction* a : window->actions())
        if (a->property("panelWindow").toBool())
            delete a;
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    if (!windows.isEmpty()) {
        QAction* separator = window->addSeparator();
        separator->setProperty("panelWindow", true);
    }
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows.at(i);
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        QAction* a = window->addAction(number + QLatin1Char(' ') + w->windowTitle());
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        a->setProperty("panelWindow", true);
        connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(w)] {
            if (w)
                mdi_->setActiveSubWindow(w);
        });
    }
}

void CMainFrame::updateMenus() {
    const bool withPanel = !panels().isEmpty();
    menuBar()->clear();
    for (QMenu* m : withPanel ? panelMenus_ : idleMenus_)
        menuBar()->addMenu(m);
    panelMenuShown_ = withPanel;
    tbSave_->setEnabled(withPanel);
    tbPrint_->setEnabled(withPanel);
    updateChangeBaud();
}

void CMainFrame::reportActive(Report what) {
    CKormakView* panel = activePanel();
    if (!panel)
        return;
    switch (what) {
    case Report::Print:
        ReportPrintDialog::Print(*panel, this);
        break;
    case Report::Preview:
        ReportPrintDialog::Preview(*panel, this);
        break;
    case Report::ExportPdf: {
        const QString written = ReportPrintDialog::ExportPdf(*panel, this);
        if (!written.isEmpty())
            status_->showMessage(
                Texts::text("report.pdfWritten").arg(QDir::toNativeSeparators(written)));
        break;
    }
    }
}

void CMainFrame::updateChangeBaud() {
    if (changeBaud_)
        changeBaud_->setEnabled(baudChange_->possible());
    // Only an offline configuration has something to compare with an axis.
    if (compareAxis_) {
        const CKormakView* panel = activePanel();
        compareAxis_->setEnabled(panel && panel->isOffline());
    }
}

void CMainFrame::retranslate() {
    setWindowTitle(Texts::text(57344));
    mainToolBar_->setWindowTitle(Texts::text("toolbar.main"));
    axisToolBar_->setWindowTitle(Texts::text("toolbar.axes"));
    tbNew_->setText(Texts::text("menu.57600"));
    tbOpen_->setText(Texts::text("menu.57601"));
    tbSave_->setText(Texts::text("menu.57603"));
    tbPrint_->setText(Texts::text("menu.32817"));
    tbAbout_->setText(Texts::text("menu.57664"));
    for (int k = 0; k < 16; ++k) {
        const QString tip = Texts::text("tip.axis") + QChar(AxisDigits[k]);
        axisActions_[k]->setToolTip(tip);
        axisActions_[k]->setStatusTip(tip);
    }
    if (axisBar_)
        axisBar_->retranslate();
    status_->retranslate();
}

void CMainFrame::updateAxisActions() {
    for (int k = 0; k < 16; ++k)
        axisActions_[k]->setEnabled(axisBar_->axisPresent(k));
}

void CMainFrame::openTrace() {
    CKormakView* panel = windows_->talkingPanel();
    if (!panel || panel->isOffline())
        return;
    TraceWindow* trace = TraceWindow::forPanel(*panel, operator_, this);
    trace->show();
    trace->raise();
}
