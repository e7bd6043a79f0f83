// CStrom: the motor currents dialog.
// Procedures: drive/Currents. Tests: tests/drive/tst_currents.
#pragma once

#include "drive/Currents.h"

#include <QDialog>

struct AxisConfiguration;
class Operator;
class PanelContext;
class QComboBox;
class QLabel;
class QPushButton;
class SerialLink;

// The current settings dialog (layout 138): stop, run and boost current and
// the boost time of the panel's axis. The panel keeps one object for its whole
// life, so the values stay between openings. Connected, it reads the axis when
// it opens and writes it on OK; offline it edits the configuration's four texts and
// sends nothing.
class CStrom : public QDialog {
    Q_OBJECT
public:
    CStrom(SerialLink& link, Operator& op, QWidget* parent = nullptr);

    // Panel button 1009: the panel's own currents dialog (made on its first
    // opening, kept for the panel's life) with the configuration's four texts;
    // what an offline panel's dialog leaves changed goes into the panel's
    // configuration and marks its document changed. The dialog's result.
    static int run(PanelContext& context);
    // The panel's currents dialog, which keeps its values between openings.
    static CStrom& forPanel(PanelContext& context);

    // The dialog's own values (type text and the four value texts).
    CurrentSettings& fields() { return fields_; }
    const CurrentSettings& fields() const { return fields_; }

    // The configuration's four texts into the fields, the dialog modally, and
    // for an offline panel the fields back into the configuration, whatever
    // closed the dialog. Returns the dialog's result.
    int runFor(AxisConfiguration& configuration);

    // Fills the controls as the dialog opens (reads the axis when connected).
    // exec() and runFor() call it; tests call it directly.
    void InitDialog();
    // The captions in the current language.
    void retranslate();

    const Currents::Display& display() const { return display_; }
    // The commands the last OK sent.
    QStringList lastSent() const { return lastSent_; }

public slots:
    int exec() override;
    void accept() override;

private:
    void fillCurrentList(QComboBox* list, int selection);

    SerialLink& link_;
    Operator& op_;
    CurrentSettings fields_;
    Currents::Display display_;
    QStringList lastSent_;

    QLabel* stopLabel_;
    QLabel* runLabel_;
    QLabel* boostLabel_;
    QLabel* timeLabel_;
    QComboBox* stopCurrent_;
    QComboBox* runCurrent_;
    QComboBox* boostCurrent_;
    QComboBox* boostTime_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};
