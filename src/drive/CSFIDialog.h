// CSFIDialog: the SFI card dialog.
// Procedures: drive/SfiCard. Tests: tests/drive/tst_sficard.
#pragma once

// The SFI card dialog: its configuration and activation, programming from the
// card's program file, and its reset.

#include "drive/CReset.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class Operator;
class PanelContext;
class QButtonGroup;
class QPushButton;
class QRadioButton;
class SerialLink;

class CSFIDialog : public QDialog {
    Q_OBJECT
public:
    CSFIDialog(SerialLink& link, Operator& op, QWidget* parent = nullptr);

    // The panel's SFI button: reads the card and, when it answered, runs the
    // dialog modally. The dialog's result, Rejected when it did not open.
    static int run(PanelContext& context);

    // Reads activation and configuration. False (after 10103) when the card
    // did not answer: the dialog must then not open.
    bool start();

    void setSearchDirectories(const QStringList& dirs) { dirs_ = dirs; }
    void setWaitRunner(WaitRunner runner) { waitRunner_ = std::move(runner); }

    // The progress window's time after "WX", in seconds.
    static constexpr int ProgrammingSeconds = 30;

private:
    void programClicked();
    void resetClicked();
    static void clearChoice(QButtonGroup* group);
    bool configurationChosen() const;

    SerialLink& link_;
    Operator& op_;
    QStringList dirs_;
    WaitRunner waitRunner_;
    QRadioButton* plus_ = nullptr;
    QRadioButton* minus_ = nullptr;
    QRadioButton* steps200_ = nullptr;
    QRadioButton* steps500_ = nullptr;
    QRadioButton* encoder_[4] = {}; // by encoder index: 50, 500, 1000, 200
    QRadioButton* active_ = nullptr;
    QRadioButton* inactive_ = nullptr;
    QPushButton* programButton_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QList<QButtonGroup*> configuration_; // direction, steps, encoder
};
