// CCompareDialog: the comparison of a file with an axis.
// Procedures: files/AxisComparison. Tests: tests/transfer/tst_transfer.
#pragma once

// The comparison of an offline configuration with an axis: the operator
// picks the axis, the dialog has it read (nothing is written) and shows file
// and axis values side by side, the differences marked, and whether the
// acceleration tables and the PLC areas are equal.

#include "files/AxisComparison.h"

#include <QDialog>

class CKormakDoc;
class Operator;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class SerialLink;
struct AxisParameters;

class CCompareDialog : public QDialog {
    Q_OBJECT
public:
    // ticked: the axes ticked in the axis bar (bit k for address k); they
    // come first in the list of axes.
    CCompareDialog(SerialLink& link, Operator& op, const AxisParameters& params,
                   const CKormakDoc& doc, quint16 ticked, QWidget* parent = nullptr);
    ~CCompareDialog() override;

    // Probes the chosen axis and compares; true when the axis was read.
    bool compare();
    void selectAxis(QChar address);
    const AxisComparison& comparison() const { return comparison_; }

private:
    void showComparison();

    SerialLink& link_;
    Operator& op_;
    const AxisParameters& params_;
    const CKormakDoc& doc_;
    AxisComparison comparison_;
    QComboBox* axisChoice_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QTableWidget* comparisonTable_ = nullptr;
    QTableWidget* slotTable_ = nullptr;
    QLabel* tableSummary_ = nullptr;
    QLabel* plcSummary_ = nullptr;
    QLabel* summary_ = nullptr;
};
