// CRSMonitor: the RS monitor.
// Procedures: link/RsMonitor. Tests: tests/link/tst_rsmonitor, tests/app/tst_linkdialogs.
#pragma once

#include "link/RsMonitor.h"

#include <QDialog>

class Operator;
class PanelContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SerialLink;

// The RS monitor (layout 157): a terminal for the axis at the link's address.
// The operator types any command, picks a framing and a way to show the
// reply, and sends it; a log of the session with the raw bytes of every
// exchange can be shown and saved.
class CRSMonitor : public QDialog {
    Q_OBJECT
public:
    CRSMonitor(SerialLink& link, Operator& op, QWidget* parent = nullptr);

    // The panel's RS monitor button: the monitor modally, for the axis at
    // the link's address. The dialog's result.
    static int run(PanelContext& context);

    QComboBox* commandField() const { return command_; }
    QComboBox* framingList() const { return framing_; }
    QComboBox* displayList() const { return display_; }
    QLineEdit* replyField() const { return reply_; }
    QPlainTextEdit* logView() const { return logView_; }
    const RsMonitor::Session& session() const { return session_; }

    void sendMonitorCommand();
    void stopAxis();
    // Shows or hides the session log below the dialog's own controls.
    void setLogVisible(bool visible);
    bool logVisible() const;
    // Saves the log to path; tells the operator when that fails.
    bool saveLog(const QString& path);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();
    void appendLastEntry();
    void askAndSaveLog();

    SerialLink& link_;
    Operator& op_;
    RsMonitor::Session session_;

    QLabel* commandLabel_;
    QComboBox* command_;
    QLabel* framingLabel_;
    QComboBox* framing_;
    QLabel* displayLabel_;
    QComboBox* display_;
    QLabel* replyLabel_;
    QLineEdit* reply_;
    QPushButton* send_;
    QPushButton* stop_;
    QPushButton* close_;
    QPushButton* logToggle_;
    QPushButton* saveLog_;
    QPlainTextEdit* logView_;
};
