#include "app/CChangeBaud.h"

#include "base/Texts.h"
#include "link/BaudChange.h"
#include "link/SerialLink.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CChangeBaud::CChangeBaud(SerialLink& link, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("changeBaudDialog"));
    const QString deviceType = BaudChange::readDeviceType(link);

    auto* outer = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    currentGroup_ = new QGroupBox(this);
    currentRate_ = new QLineEdit(currentGroup_);
    currentRate_->setObjectName(QStringLiteral("currentRate"));
    currentRate_->setReadOnly(true);
    (new QVBoxLayout(currentGroup_))->addWidget(currentRate_);
    newGroup_ = new QGroupBox(this);
    newRate_ = new QComboBox(newGroup_);
    newRate_->setObjectName(QStringLiteral("newRate"));
    (new QVBoxLayout(newGroup_))->addWidget(newRate_);
    row->addWidget(currentGroup_);
    row->addWidget(new QLabel(QStringLiteral(" -->"), this));
    row->addWidget(newGroup_);
    outer->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(Texts::text(10060), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    outer->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    const int current = link.baudIndex();
    currentRate_->setText(SerialLink::baudEntries().value(current));
    currentGroup_->setTitle(Texts::text(10245));
    newGroup_->setTitle(Texts::text(10246));
    setWindowTitle(Texts::text(10000) + link.currentAddress() + Texts::text(10247));

    offered_ = BaudChange::offeredIndexes(deviceType);
    for (int index : offered_)
        newRate_->addItem(SerialLink::baudEntries().value(index));
    newRate_->setCurrentIndex(0);
}

int CChangeBaud::newBaudIndex() const {
    const int i = newRate_->currentIndex();
    return i >= 0 && i < offered_.size() ? offered_.at(i) : -1;
}
