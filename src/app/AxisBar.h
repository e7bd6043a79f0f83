#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class SerialLink;

// The bar docked at the left of the main window: the port and baud lists of
// the link and the sixteen boxes with which the operator marks the axes that
// exist on the bus.
class AxisBar : public QWidget {
    Q_OBJECT
public:
    explicit AxisBar(SerialLink& link, QWidget* parent = nullptr);

    // Sets the captions from the string table in the current language.
    void retranslate();

    bool axisPresent(int k) const;
    void setAxisPresent(int k, bool present);
    QComboBox* portList() const { return portList_; }
    QComboBox* baudList() const { return baudList_; }

    // Fills the port list from the link and selects its entries.
    void refreshPorts();

signals:
    void axisPresenceChanged(int k, bool present);
    // The operator is opening the port list.
    void portListAboutToOpen();
    // The operator typed a port that is not in the list and pressed Enter.
    void portTyped(const QString& name);

private:
    SerialLink& link_;
    QLabel* portLabel_;
    QComboBox* portList_;
    QComboBox* baudList_;
    QGroupBox* axesGroup_;
    QLabel* existingLabel_;
    QCheckBox* boxes_[16];
};
