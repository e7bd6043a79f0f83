// The controls and captions of the extended-sequence dialog; its behaviour
// is in CDlgSPSErweitert.cpp.

#include "base/MessageIds.h"
#include "base/Texts.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/SlotPager.h"
#include "plc/SlotReading.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {
constexpr int CaptionId = 10265;
// A typed value fits a frame with room to spare.
constexpr int ValueLength = 11;
} // namespace

void CDlgSPSErweitert::buildControls() {
    auto* grid = new QGridLayout(this);
    slotHeading_ = new QLabel(QStringLiteral("Prog.:"), this);
    slotHeading_->setObjectName(QStringLiteral("slotHeading"));
    kindHeading_ = new QLabel(this);
    kindHeading_->setObjectName(QStringLiteral("kindHeading"));
    grid->addWidget(slotHeading_, 0, 0);
    grid->addWidget(kindHeading_, 0, 1);
    for (int r = 0; r < RowCount; ++r) {
        Row& row = rows_[r];
        const QString n = QString::number(r);
        row.slot = new QLabel(this);
        row.slot->setObjectName(QStringLiteral("slot") + n);
        row.slot->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        row.kind = new QComboBox(this);
        row.kind->setObjectName(QStringLiteral("kind") + n);
        row.kind->setMaxVisibleItems(ExtendedStep::KindCount);
        row.list = new QComboBox(this);
        row.list->setObjectName(QStringLiteral("list") + n);
        row.list->hide();
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(QStringLiteral("edit") + n);
        row.edit->setMaxLength(ValueLength);
        row.edit->hide();
        grid->addWidget(row.slot, r + 1, 0);
        grid->addWidget(row.kind, r + 1, 1);
        grid->addWidget(row.list, r + 1, 2);
        grid->addWidget(row.edit, r + 1, 2);

        const auto touched = [this, r] {
            if (!filling_)
                rows_[r].changed = true;
        };
        connect(row.kind, &QComboBox::activated, this, [this, r](int k) { kindChosen(r, k); });
        connect(row.edit, &QLineEdit::textEdited, this, touched);
        connect(row.list, &QComboBox::activated, this, touched);
        connect(row.list, &QComboBox::editTextChanged, this, touched);
        for (QWidget* w : {static_cast<QWidget*>(row.kind), static_cast<QWidget*>(row.list),
                           static_cast<QWidget*>(row.edit)})
            w->installEventFilter(this);
    }
    // The value column keeps its width while its controls come and go.
    grid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("0000000000 A")) +
                                       fontMetrics().height() * 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    scroll_ = SlotPager::makeScrollBar(this);
    grid->addWidget(scroll_, 1, 3, RowCount, 1);
    SlotPager::Rows paged;
    paged.collect = [this](bool quiet) { return CollectRows(quiet); };
    paged.show = [this](int top) { ShowRows(top); };
    paged.forget = [this] {
        for (Row& row : rows_)
            row.changed = false;
    };
    pager_ = new SlotPager(scroll_, working_.extendedSteps, std::move(paged), this);
    for (const Row& row : rows_)
        for (QWidget* w : {static_cast<QWidget*>(row.kind), static_cast<QWidget*>(row.list),
                           static_cast<QWidget*>(row.edit)})
            pager_->watch(w);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (v != pager_->top())
            scrollTo(v);
    });

    auto* live = new QHBoxLayout;
    positionHeading_ = new QLabel(this);
    positionHeading_->setObjectName(QStringLiteral("positionHeading"));
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("position"));
    position_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0000000000")));
    status_ = new QLabel(QStringLiteral("88h"), this);
    status_->setObjectName(QStringLiteral("status"));
    live->addWidget(positionHeading_);
    live->addWidget(position_);
    live->addWidget(status_);
    live->addStretch();
    grid->addLayout(live, RowCount + 1, 0, 1, 4);

    const auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    copyButton_ = button("copyButton");
    deleteButton_ = button("deleteButton");
    programButton_ = button("programButton");
    testButton_ = button("testButton");
    testButton_->setCheckable(true);
    stopButton_ = button("stopButton");
    closeButton_ = button("closeButton");
    auto* buttons = new QGridLayout;
    buttons->addWidget(copyButton_, 0, 0);
    buttons->addWidget(deleteButton_, 0, 1);
    buttons->addWidget(programButton_, 0, 2);
    buttons->addWidget(testButton_, 1, 0);
    buttons->addWidget(stopButton_, 1, 1);
    buttons->addWidget(closeButton_, 1, 2);
    grid->addLayout(buttons, RowCount + 2, 0, 1, 4);
    reading_ = new SlotReading(this, closeButton_);
    grid->addWidget(reading_, RowCount + 3, 0, 1, 4);
    connect(copyButton_, &QPushButton::clicked, this, &CDlgSPSErweitert::copyClicked);
    connect(deleteButton_, &QPushButton::clicked, this, &CDlgSPSErweitert::deleteAllClicked);
    connect(programButton_, &QPushButton::clicked, this, &CDlgSPSErweitert::programClicked);
    connect(testButton_, &QPushButton::clicked, this, &CDlgSPSErweitert::testClicked);
    connect(stopButton_, &QPushButton::clicked, this, &CDlgSPSErweitert::stopClicked);
    connect(closeButton_, &QPushButton::clicked, this, &CDlgSPSErweitert::closeClicked);
}

void CDlgSPSErweitert::setTexts() {
    setWindowTitle(Texts::text(MessageId::AxisWord) + setup_.axis + Texts::text(CaptionId));
    kindHeading_->setText(Texts::text(10116));
    programButton_->setText(Texts::text(setup_.offline ? 10174 : 10122));
    deleteButton_->setText(Texts::text(10123));
    closeButton_->setText(Texts::text(10030));
    copyButton_->setText(Texts::text(10121));
    stopButton_->setText(Texts::text(10124));
    testButton_->setText(QStringLiteral("&Test"));
    positionHeading_->setText(Texts::text(10262));
    for (Row& row : rows_) {
        const int index = row.kind->currentIndex();
        row.kind->clear();
        for (int k = 0; k < ExtendedStep::KindCount; ++k)
            row.kind->addItem(Texts::text(ExtendedStep::kindTextId(k)));
        row.kind->setCurrentIndex(index);
    }
}
