// CMainFrame: the main window: menus, tool bars, panels, status bar.
// Procedures: app/CMainFrame*.cpp. Tests: tests/app/tst_shell, tst_machinewindow.
#pragma once

#include <functional>

#include "app/GuiOperator.h"
#include "axis/CountingOperator.h"
#include "axis/PanelHost.h"
#include "link/SerialLink.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class AxisBar;
class CChildFrame;
class CKormakDoc;
class CKormakView;
class QAction;
class QDockWidget;
class QFileDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class StatusProgress;
class QToolBar;
namespace sim {
class SimHost;
}

// The main window: owns the serial link, the axis bar, the MDI area with one
// child window per axis panel, the menus and tool bars, and the status bar
// with its progress display.
class CMainFrame : public QMainWindow, public PanelHost {
    Q_OBJECT
public:
    struct Options {
        QStringList ports;      // ports named on the command line
        QString selectPort;     // entry to select at start instead of the stored one
        Operator* op = nullptr; // stands in for the message boxes (tests)
    };
    explicit CMainFrame(const Options& options, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // PanelHost
    SerialLink& link() override { return link_; }
    Operator& op() override { return operator_; }
    GuiOperator& guiOperator() { return guiOperator_; }
    bool openingFile() const override { return openingFile_; }
    bool baudChangePending() const override { return baudChangePending_; }
    QString activeChildTitle() const;
    void closePanelWindow(CKormakView* panel) override;
    QWidget* dialogParent() override { return this; }
    int messagesShown() const override { return countingOperator_.shown(); }

    AxisBar* axisBar() const { return axisBar_; }
    QMdiArea* mdiArea() const { return mdi_; }
#ifdef KORMAK_WITH_SIMULATOR
    sim::SimHost* simulator() const {
        return simulator_.get();
    }
#endif
    QAction* axisAction(int k) const {
        return axisActions_[k];
    }
    QList<CKormakView*> panels() const;
    CKormakView* activePanel() const override;

    // The status bar's progress (see StatusProgress).
    void progressShow(const QString& text, int range, int step);
    void progressStep();
    void progressHide();
    QString statusText() const;
    bool progressVisible() const;

    // Commands.
    void ConnectToAxis(int k);
    void FileNew();
    void FileOpen();
    bool OpenFile(const QString& path); // open an offline panel for a file
    bool SaveActive(bool askForName);
    // Saves the document of child; asks for a name when it has none or askForName.
    bool SaveChild(CChildFrame* child, bool askForName);
    // Window arrangement that keeps every panel at its own size and never
    // makes the main window larger.
    void cascadePanels();
    void tilePanels();
    // The file-open dialog: the document filter, and the default suffix
    // added to a name typed without one.
    static void prepareOpenDialog(QFileDialog& dialog);
    void SetLanguage(int identifier); // 0x0407, 0x0809, 0x040C
    // Menu command 32814: moves the active panel's axis and the link to
    // another rate.
    void ChangeBaudRate();
    QAction* changeBaudAction() const {
        return changeBaud_;
    }
    // View menu: the live trace of the active online panel (made on first use).
    void openTrace();
    // Takes the port list from the system again (adapters plugged in or
    // pulled out) while nothing holds an index into it; keeps the selection
    // on the same port name.
    void refreshPortList();
    // Ports by path that the list offers when they exist (those named at
    // start and remembered; tests add theirs here).
    void addPortCandidate(const QString& path);
    // A port typed into the port list: taken, remembered and selected when it
    // is a network port or an existing device.
    void addTypedPort(const QString& name);
    void showAbout();

    // The menu bar shows menu 129 while a panel is open, else menu 128.
    bool panelMenuShown() const {
        return panelMenuShown_;
    }
    QStringList recentFiles() const {
        return recentFiles_;
    }

    static constexpr int German = 0x0407;
    static constexpr int English = 0x0809;
    static constexpr int French = 0x040C;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString startSimulator();
    QMenu* buildFileMenu(bool withPanel);
    QMenu* buildViewMenu();
    // The menu bar while no panel is open (File, View, Options, Help), and the
    // one of an open panel.
    void buildIdleMenus();
    void buildPanelMenus();
    void buildToolBars();
    void updateMenus();
    void updateChangeBaud();
    // The active panel's report: printed, previewed or exported as a PDF.
    enum class Report { Print, Preview, ExportPdf };
    void reportActive(Report what);
    void openRsMonitor();
    bool portListMayChange() const;
    QStringList existingPortCandidates() const;
    void updateRecentMenus();
    void addRecentFile(const QString& path);
    void loadRecentFiles();
    void saveRecentFiles();
    void updateAxisActions();
    void retranslate();
    CKormakView* createPanel(CKormakDoc* doc);
    // Button 1384 of an offline panel: its configuration into the ticked axes.
    void transferToAxes(CKormakView* view);

public:
    // The ticked axes of the axis bar, bit k for address k.
    quint16 tickedAxes() const;
    // Panel menu command of an offline panel: what a transfer would change
    // in an axis the operator picks.
    void compareWithAxis();
    QAction* compareAction() const {
        return compareAxis_;
    }
    // Options menu switch: Transmit reads each loaded axis back (kept in the
    // settings, on unless turned off).
    QAction* readBackAction() const {
        return readBack_;
    }
    bool transferReadBack() const;
    void setTransferReadBack(bool on);

    // File menu: every axis into a folder with its manifest, and such a
    // folder back into the axes after the checks and a question.
    void saveAllAxes();
    void restoreMachine();
    // Stands in for the folder dialog (tests); restore tells which command asks.
    void setFolderChooser(std::function<QString(bool restore)> chooser) {
        folderChooser_ = std::move(chooser);
    }

private:
    QString chooseMachineFolder(bool restore);
    bool openLinkForMachine();
    std::function<QString(bool restore)> folderChooser_;
    void onSubWindowActivated(QMdiSubWindow* window);
    void onPanelWindowClosed();
    void reactivateAfterFailedOpen(const QString& previousAddress);
    void openRecent(int n);
    bool confirmClose(CChildFrame* child);
    CChildFrame* childOfFile(const QString& path) const;
    void fillWindowMenu(QMenu* window);

    GuiOperator guiOperator_;
    CountingOperator countingOperator_;
    Operator& operator_;
    SerialLink link_;
#ifdef KORMAK_WITH_SIMULATOR
    std::unique_ptr<sim::SimHost> simulator_;
#endif
    AxisBar* axisBar_ = nullptr;
    QDockWidget* axisDock_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    std::unique_ptr<StatusProgress> status_;

    QList<QMenu*> idleMenus_;
    QList<QMenu*> panelMenus_;
    bool panelMenuShown_ = false;
    QToolBar* mainToolBar_ = nullptr;
    QToolBar* axisToolBar_ = nullptr;
    QAction* axisActions_[16] = {};
    QAction* tbNew_ = nullptr;
    QAction* tbOpen_ = nullptr;
    QAction* tbSave_ = nullptr;
    QAction* tbPrint_ = nullptr;
    QAction* tbAbout_ = nullptr;
    QStringList recentFiles_;
    QAction* changeBaud_ = nullptr;
    QAction* compareAxis_ = nullptr;
    QAction* readBack_ = nullptr;
    QStringList portCandidates_;

    bool openingFile_ = false;
    bool baudChangePending_ = false;
    QPointer<CKormakView> activePanel_;
};
