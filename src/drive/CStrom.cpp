#include "drive/CStrom.h"

#include "axis/AxisConfiguration.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "axis/PanelContext.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CStrom::CStrom(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op) {
    setObjectName(QStringLiteral("CStrom"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto makeList = [this](const char* name) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setMinimumContentsLength(8);
        return list;
    };
    stopCurrent_ = makeList("stopCurrent");   // 1112
    runCurrent_ = makeList("runCurrent");     // 1110
    boostCurrent_ = makeList("boostCurrent"); // 1111
    boostTime_ = makeList("boostTime");       // 1064
    boostTime_->setEditable(true);
    boostTime_->setInsertPolicy(QComboBox::NoInsert);
    boostTime_->lineEdit()->setMaxLength(Currents::BoostTimeMaxLength);

    stopLabel_ = new QLabel(this);
    runLabel_ = new QLabel(this);
    boostLabel_ = new QLabel(this);
    timeLabel_ = new QLabel(this);
    stopLabel_->setBuddy(stopCurrent_);
    runLabel_->setBuddy(runCurrent_);
    boostLabel_->setBuddy(boostCurrent_);
    timeLabel_->setBuddy(boostTime_);

    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    connect(okButton_, &QPushButton::clicked, this, &CStrom::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &CStrom::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(stopLabel_, 0, 0);
    grid->addWidget(stopCurrent_, 0, 1);
    grid->addWidget(runLabel_, 1, 0);
    grid->addWidget(runCurrent_, 1, 1);
    grid->addWidget(boostLabel_, 2, 0);
    grid->addWidget(boostCurrent_, 2, 1);
    grid->addWidget(timeLabel_, 3, 0);
    grid->addWidget(boostTime_, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("ms"), this), 3, 2);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    retranslate();
}

void CStrom::retranslate() {
    stopLabel_->setText(Texts::text(10056));
    runLabel_->setText(Texts::text(10057));
    boostLabel_->setText(Texts::text(10058));
    timeLabel_->setText(Texts::text(10059));
    cancelButton_->setText(Texts::text(10060));
}

void CStrom::fillCurrentList(QComboBox* list, int selection) {
    list->clear();
    list->addItems(display_.entries);
    // No selection stays no selection: OK then sends nothing for this current.
    list->setCurrentIndex(selection);
}

void CStrom::InitDialog() {
    retranslate();
    lastSent_.clear();
    display_ = Currents::Open(link_, op_, fields_);
    setWindowTitle(display_.title);
    fillCurrentList(stopCurrent_, display_.stopIndex);
    fillCurrentList(runCurrent_, display_.runIndex);
    fillCurrentList(boostCurrent_, display_.boostIndex);
    boostTime_->clear();
    boostTime_->addItems(display_.boostTimeList);
    boostTime_->setCurrentIndex(-1);
    boostTime_->setEditText(display_.boostTimeText);
}

int CStrom::exec() {
    InitDialog();
    return QDialog::exec();
}

void CStrom::accept() {
    Currents::Choice choice;
    choice.stopIndex = stopCurrent_->currentIndex();
    choice.runIndex = runCurrent_->currentIndex();
    choice.boostIndex = boostCurrent_->currentIndex();
    choice.boostTimeText = boostTime_->currentText();
    lastSent_ = Currents::Accept(link_, op_, fields_, display_, choice);
    QDialog::accept();
}

CStrom& CStrom::forPanel(PanelContext& context) {
    return context.kept<CStrom>(
        [&context] { return new CStrom(context.link, context.op, context.parent); });
}

int CStrom::run(PanelContext& context) {
    AxisConfiguration c = context.view.parameters();
    const auto texts = [&c] {
        return QStringList{c.boostCurrent, c.runCurrent, c.stopCurrent, c.boostTime};
    };
    const QStringList before = texts();
    const int result = forPanel(context).runFor(c);
    if (texts() != before) {
        context.view.setCurrents(c);
        context.doc.modified = true;
    }
    return result;
}

int CStrom::runFor(AxisConfiguration& c) {
    fields_.boostCurrent = c.boostCurrent;
    fields_.runCurrent = c.runCurrent;
    fields_.stopCurrent = c.stopCurrent;
    fields_.boostTime = c.boostTime;
    const int result = exec();
    if (link_.axisAddress().isOffline()) {
        c.boostCurrent = fields_.boostCurrent;
        c.runCurrent = fields_.runCurrent;
        c.stopCurrent = fields_.stopCurrent;
        c.boostTime = fields_.boostTime;
    }
    return result;
}
