#include "app/AxisBar.h"

#include "base/BusyState.h"
#include "base/Texts.h"
#include "link/LinkSettings.h"
#include "link/SerialLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
// The port list, which says when it is about to drop down so that it can be
// brought up to date first.
class PortList : public QComboBox {
public:
    PortList(AxisBar* bar, QWidget* parent) : QComboBox(parent), bar_(bar) {}
    void showPopup() override {
        emit bar_->portListAboutToOpen();
        QComboBox::showPopup();
    }

private:
    AxisBar* bar_;
};
} // namespace

AxisBar::AxisBar(SerialLink& link, QWidget* parent) : QWidget(parent), link_(link) {
    setObjectName(QStringLiteral("axisBar"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    portLabel_ = new QLabel(this);
    portLabel_->setObjectName(QStringLiteral("portLabel"));
    portList_ = new PortList(this, this);
    portList_->setObjectName(QStringLiteral("portList"));
    // A port the system does not list (a network port, a pty) can be typed
    // in; Enter offers it to the window, which decides whether it is taken.
    portList_->setEditable(true);
    portList_->setInsertPolicy(QComboBox::NoInsert);
    // A network name added later widens the bar rather than being cut off.
    portList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(portList_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const QString text = portList_->lineEdit()->text().trimmed();
        if (!text.isEmpty() && !link_.ports().contains(text))
            emit portTyped(text);
    });
    portLabel_->setBuddy(portList_);
    baudList_ = new QComboBox(this);
    baudList_->setObjectName(QStringLiteral("baudList"));
    baudList_->addItems(SerialLink::baudEntries());
    layout->addWidget(portLabel_);
    layout->addWidget(portList_);
    layout->addWidget(baudList_);

    axesGroup_ = new QGroupBox(this);
    axesGroup_->setObjectName(QStringLiteral("axesGroup"));
    auto* grid = new QGridLayout(axesGroup_);
    existingLabel_ = new QLabel(axesGroup_);
    existingLabel_->setObjectName(QStringLiteral("existingLabel"));
    grid->addWidget(existingLabel_, 0, 0, 1, 2);
    static const char digits[] = "0123456789ABCDEF";
    for (int k = 0; k < 16; ++k) {
        // The first eight carry a mnemonic, as on the original layout.
        const QString caption =
            k < 8 ? QStringLiteral("&%1").arg(QChar(digits[k])) : QString(QChar(digits[k]));
        boxes_[k] = new QCheckBox(caption, axesGroup_);
        boxes_[k]->setObjectName(QStringLiteral("axisPresent%1").arg(QChar(digits[k])));
        grid->addWidget(boxes_[k], 1 + k % 8, k / 8);
        connect(boxes_[k], &QCheckBox::toggled, this,
                [this, k](bool on) { emit axisPresenceChanged(k, on); });
    }
    layout->addWidget(axesGroup_);
    layout->addStretch(1);

    refreshPorts();
    {
        const QSignalBlocker block(baudList_);
        baudList_->setCurrentIndex(link_.baudIndex());
    }

    // The operator's choice is stored; a selection made by the program (the
    // baud search, panel activation) is only shown.
    // A long operation keeps its port and rate: a choice made meanwhile would
    // be opened by its next probe, in the middle of its run. It is undone.
    connect(portList_, &QComboBox::activated, this, [this](int index) {
        if (BusyState::isBusy()) {
            const QSignalBlocker block(portList_);
            portList_->setCurrentIndex(link_.portIndex());
            return;
        }
        link_.setPortIndex(index);
        LinkSettings::setActiveCom(index);
    });
    connect(baudList_, &QComboBox::activated, this, [this](int index) {
        if (BusyState::isBusy()) {
            const QSignalBlocker block(baudList_);
            baudList_->setCurrentIndex(link_.baudIndex());
            return;
        }
        link_.setBaudIndex(index);
        LinkSettings::setBaud(index);
    });
    connect(&link_, &SerialLink::portIndexChanged, this, [this](int index) {
        const QSignalBlocker block(portList_);
        portList_->setCurrentIndex(index);
    });
    connect(&link_, &SerialLink::baudIndexChanged, this, [this](int index) {
        const QSignalBlocker block(baudList_);
        baudList_->setCurrentIndex(index);
    });
    retranslate();
}

void AxisBar::refreshPorts() {
    const QSignalBlocker block(portList_);
    portList_->clear();
    portList_->addItems(link_.ports());
    portList_->setCurrentIndex(link_.portIndex());
}

void AxisBar::retranslate() {
    portLabel_->setText(Texts::text(10052));
    axesGroup_->setTitle(Texts::text(10053));
    existingLabel_->setText(Texts::text(10054));
}

bool AxisBar::axisPresent(int k) const {
    return k >= 0 && k < 16 && boxes_[k]->isChecked();
}

void AxisBar::setAxisPresent(int k, bool present) {
    if (k >= 0 && k < 16)
        boxes_[k]->setChecked(present);
}
