#include "files/CCompareDialog.h"

#include "axis/AxisParameters.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char AxisDigits[] = "0123456789ABCDEF";

QString slotName(int slot, bool eightSlots) {
    return QStringLiteral("%1").arg(slot, eightSlots ? 1 : 2, 16, QLatin1Char('0')).toUpper();
}

// How many differing slots the summary line names before it cuts short.
constexpr int SlotsNamed = 8;

} // namespace

CCompareDialog::CCompareDialog(SerialLink& link, Operator& op, const AxisParameters& params,
                               const CKormakDoc& doc, quint16 ticked, QWidget* parent)
    : QDialog(parent), link_(link), op_(op), params_(params), doc_(doc) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(Texts::text("transfer.compareTitle"));

    axisChoice_ = new QComboBox(this);
    axisChoice_->setObjectName(QStringLiteral("axisChoice"));
    // The ticked axes first: those are the ones a transfer would load.
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 0; k < 16; ++k)
            if (bool(ticked & (1u << k)) == (pass == 0))
                axisChoice_->addItem(QString(QChar(AxisDigits[k])));
    auto* axisLabel = new QLabel(Texts::text("transfer.compareAxis"), this);
    axisLabel->setBuddy(axisChoice_);
    compareButton_ = new QPushButton(Texts::text("transfer.compareButton"), this);
    compareButton_->setObjectName(QStringLiteral("compareButton"));
    compareButton_->setDefault(true);

    comparisonTable_ = new QTableWidget(0, 3, this);
    comparisonTable_->setObjectName(QStringLiteral("comparisonTable"));
    comparisonTable_->setHorizontalHeaderLabels({Texts::text("transfer.parameter"),
                                                 Texts::text("transfer.fileValue"),
                                                 Texts::text("transfer.axisValue")});
    comparisonTable_->verticalHeader()->setVisible(false);
    comparisonTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    comparisonTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    comparisonTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // All fourteen parameters in view at once: the differences are what the
    // operator looks for, and none may hide below the fold.
    const int rowHeight = fontMetrics().height() + 8;
    comparisonTable_->verticalHeader()->setDefaultSectionSize(rowHeight);
    comparisonTable_->setMinimumSize(
        560, 15 * rowHeight + comparisonTable_->horizontalHeader()->sizeHint().height());

    // The differing PLC slots, file and axis side by side; hidden while the
    // areas are equal.
    slotTable_ = new QTableWidget(0, 3, this);
    slotTable_->setObjectName(QStringLiteral("slotTable"));
    slotTable_->setHorizontalHeaderLabels({Texts::text("transfer.slot"),
                                           Texts::text("transfer.fileValue"),
                                           Texts::text("transfer.axisValue")});
    slotTable_->verticalHeader()->setVisible(false);
    slotTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    slotTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    slotTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    slotTable_->verticalHeader()->setDefaultSectionSize(rowHeight);
    slotTable_->setMinimumHeight(3 * rowHeight +
                                 slotTable_->horizontalHeader()->sizeHint().height());
    slotTable_->hide();

    tableSummary_ = new QLabel(this);
    tableSummary_->setObjectName(QStringLiteral("tableSummary"));
    plcSummary_ = new QLabel(this);
    plcSummary_->setObjectName(QStringLiteral("plcSummary"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    closeButton_ = new QPushButton(Texts::text(10030), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(axisLabel);
    top->addWidget(axisChoice_);
    top->addWidget(compareButton_);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_, 1);
    bottom->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(comparisonTable_);
    layout->addWidget(tableSummary_);
    layout->addWidget(plcSummary_);
    layout->addWidget(slotTable_);
    layout->addLayout(bottom);

    connect(compareButton_, &QPushButton::clicked, this, &CCompareDialog::compare);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

CCompareDialog::~CCompareDialog() = default;

void CCompareDialog::selectAxis(QChar address) {
    const int index = axisChoice_->findText(QString(address));
    if (index >= 0)
        axisChoice_->setCurrentIndex(index);
}

bool CCompareDialog::compare() {
    if (BusyState::isBusy())
        return false;
    // Nothing else may talk meanwhile, and the buttons rest until the read ends.
    BusyGuard busy;
    compareButton_->setEnabled(false);
    closeButton_->setEnabled(false);
    comparisonTable_->setRowCount(0);
    slotTable_->setRowCount(0);
    slotTable_->hide();
    tableSummary_->clear();
    plcSummary_->clear();
    summary_->clear();
    bool read = false;
    {
        AddressRestore restore(link_);
        link_.setCurrentAddress(axisChoice_->currentText());
        const bool open = link_.portOpen() || link_.TogglePort();
        if (!open)
            link_.reportOpenFailure(op_);
        else if (ProbeAxis(link_))
            read = CompareWithAxis(link_, op_, params_, doc_, &comparison_);
    }
    compareButton_->setEnabled(true);
    closeButton_->setEnabled(true);
    if (read)
        showComparison();
    else
        summary_->setText(Texts::text("transfer.unread"));
    return read;
}

void CCompareDialog::showComparison() {
    const AxisComparison& c = comparison_;
    comparisonTable_->setRowCount(int(c.parameters.size()));
    QFont marked = comparisonTable_->font();
    marked.setBold(true);
    for (int row = 0; row < c.parameters.size(); ++row) {
        const AxisComparison::Parameter& p = c.parameters.at(row);
        const QString fileText = p.sent ? p.fileValue : Texts::text("transfer.notSent");
        const QString mark = p.differs ? QStringLiteral("\u2260 ") : QString();
        const QStringList cells{mark + ParameterName(p.code), fileText, p.axisValue};
        for (int col = 0; col < 3; ++col) {
            auto* item = new QTableWidgetItem(cells.at(col));
            if (p.differs) {
                item->setFont(marked);
                item->setBackground(QColor(255, 210, 200));
            }
            comparisonTable_->setItem(row, col, item);
        }
    }
    tableSummary_->setText(
        Texts::text(c.tablesEqual() ? "transfer.tablesEqual" : "transfer.tablesDiffer"));
    if (c.plcEqual()) {
        plcSummary_->setText(Texts::text("transfer.plcEqual"));
    } else {
        QStringList slotList;
        for (int slot : c.differingSlots)
            slotList << slotName(slot, c.eightSlots);
        slotList << c.foreignLines;
        // One line, never wrapped over the table below: a long list is cut
        // short here and shown whole in the slot table.
        if (slotList.size() <= SlotsNamed)
            plcSummary_->setText(
                Texts::text("transfer.plcDiffer").arg(slotList.join(QStringLiteral(", "))));
        else
            plcSummary_->setText(Texts::text("transfer.plcDifferMore")
                                     .arg(slotList.size())
                                     .arg(slotList.mid(0, SlotsNamed).join(QStringLiteral(", "))));
        slotTable_->setRowCount(int(c.differingSlots.size() + c.foreignLines.size()));
        int row = 0;
        auto add = [this, &row](const QString& slot, const QString& file, const QString& axis) {
            const QStringList cells{slot, file, axis};
            for (int col = 0; col < 3; ++col)
                slotTable_->setItem(row, col, new QTableWidgetItem(cells.at(col)));
            ++row;
        };
        for (int slot : c.differingSlots) {
            const AxisComparison::SlotTexts t = c.differingSlotTexts.value(slot);
            add(slotName(slot, c.eightSlots), t.file, t.axis);
        }
        for (const QString& line : c.foreignLines)
            add(QString(), line, QString());
        slotTable_->show();
    }
    const qsizetype count = c.differences().size();
    summary_->setText(count == 0 ? Texts::text("transfer.noDifferences")
                                 : Texts::text("transfer.differences").arg(count));
}
