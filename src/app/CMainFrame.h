// CMainFrame: the main window's frame: menus, tool bars, status bar, language.
// Parts: PanelWindows, DocumentCommands, PortWatcher, BaudChangeFlow. Tests: tests/app/tst_shell.
#pragma once

#include <functional>

#include "app/GuiOperator.h"
#include "axis/CountingOperator.h"
#include "axis/PanelHost.h"
#include "link/SerialLink.h"

#include <QMainWindow>
#include <memory>

class AxisBar;
class BaudChangeFlow;
class DocumentCommands;
class PanelWindows;
class PortWatcher;
class CKormakDoc;
class CKormakView;
class QAction;
class QDockWidget;
class QMdiArea;
class QMenu;
class StatusProgress;
class QToolBar;
namespace sim {
class SimHost;
}

// The main window: owns the serial link, the axis bar, the work area with one
// child window per axis panel (PanelWindows), the menus and tool bars, and the
// status bar with its progress display. The commands behind the menus live in
// their parts: documents and recent files (DocumentCommands), the port list
// (PortWatcher) and the baud rate change (BaudChangeFlow).
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
    bool openingFile() const override;
    bool baudChangePending() const override;
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
    PanelWindows& panelWindows() const {
        return *windows_;
    }
    DocumentCommands& documents() const {
        return *documents_;
    }
    PortWatcher& portWatcher() const {
        return *ports_;
    }
    QList<CKormakView*> panels() const;
    CKormakView* activePanel() const override;

    // The status bar's progress (see StatusProgress).
    void progressShow(const QString& text, int range, int step);
    void progressStep();
    void progressHide();
    QString statusText() const;
    bool progressVisible() const;

    // Commands (forwarded to the parts).
    void ConnectToAxis(int k);
    void FileNew();
    bool OpenFile(const QString& path); // open an offline panel for a file
    bool SaveActive(bool askForName);
    void cascadePanels();
    void tilePanels();
    void SetLanguage(int identifier); // 0x0407, 0x0809, 0x040C
    // Menu command 32814 (see BaudChangeFlow).
    QAction* changeBaudAction() const {
        return changeBaud_;
    }
    // View menu: the live trace of the active online panel (made on first use).
    void openTrace();
    // See PortWatcher.
    void refreshPortList();
    void addPortCandidate(const QString& path);
    void showAbout();

    // The menu bar shows menu 129 while a panel is open, else menu 128.
    bool panelMenuShown() const {
        return panelMenuShown_;
    }

    static constexpr int German = 0x0407;
    static constexpr int English = 0x0809;
    static constexpr int French = 0x040C;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

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
    void updateAxisActions();
    void retranslate();
    // A new panel's dialogs and its transfer.
    void connectPanelDialogs(CKormakView* view, CKormakDoc* doc);
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
    std::unique_ptr<PanelWindows> windows_;
    std::unique_ptr<DocumentCommands> documents_;
    std::unique_ptr<PortWatcher> ports_;
    std::unique_ptr<BaudChangeFlow> baudChange_;

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
    QAction* changeBaud_ = nullptr;
    QAction* compareAxis_ = nullptr;
    QAction* readBack_ = nullptr;
};
