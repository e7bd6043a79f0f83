// CChangeBaud: the baud rate change dialog.
// Procedures: link/BaudChange. Tests: tests/app/tst_linkdialogs.
#pragma once

#include <QDialog>
#include <QList>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class SerialLink;

// The baud rate change dialog (layout 172): the rate the link uses now and
// the rates the axis at the link's address can switch to. Asks the axis its
// device type as it opens.
class CChangeBaud : public QDialog {
    Q_OBJECT
public:
    explicit CChangeBaud(SerialLink& link, QWidget* parent = nullptr);

    // The baud list index of the rate chosen, -1 without a choice.
    int newBaudIndex() const;
    QComboBox* newRateList() const { return newRate_; }
    QLineEdit* currentRateField() const { return currentRate_; }
    QList<int> offered() const { return offered_; }

private:
    QGroupBox* currentGroup_;
    QLineEdit* currentRate_;
    QGroupBox* newGroup_;
    QComboBox* newRate_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QList<int> offered_;
};
