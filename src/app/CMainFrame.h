#pragma once

#include "app/GuiOperator.h"
#include "link/SerialLink.h"

#include <QMainWindow>
#include <memory>

class AxisBar;
class QDockWidget;
class QLabel;
class QMdiArea;
class QProgressBar;
namespace sim {
class SimHost;
}

// The main window: owns the serial link, the axis bar, the MDI area with one
// child window per axis panel, and the status bar with its progress display.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QStringList ports;     // ports named on the command line
        QString selectPort;    // entry to select at start instead of the stored one
    };
    explicit CMainFrame(const Options& options, QWidget* parent = nullptr);
    ~CMainFrame() override;

    SerialLink& link() { return link_; }
    Operator& op() { return operator_; }
    AxisBar* axisBar() const { return axisBar_; }
    QMdiArea* mdiArea() const { return mdi_; }
    sim::SimHost* simulator() const { return simulator_.get(); }

    // StatusProgress: text in pane 0, a bar over pane 1, wait cursor.
    void progressShow(const QString& text, int range, int step);
    void progressStep();
    void progressHide();
    QString statusText() const;

    void retranslate();

private:
    QString startSimulator();

    GuiOperator operator_;
    SerialLink link_;
    std::unique_ptr<sim::SimHost> simulator_;
    AxisBar* axisBar_ = nullptr;
    QDockWidget* axisDock_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QLabel* progressPane_ = nullptr;
    QProgressBar* progress_ = nullptr;
    int progressStep_ = 1;
    int cursorDepth_ = 0;
};
