#include "drive/RampCurvePanel.h"

#include "base/Texts.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// A table has up to some 32000 steps; a few hundred points per curve draw the
// same picture at a fraction of the cost.
constexpr qsizetype MaxDrawnPoints = 400;

constexpr qreal NormalWidth = 1.2;
constexpr qreal SelectedWidth = 3.5;

QColor curveColour(int index) {
    static const QColor colours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e),
                                     QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                     QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                     QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                     QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};
    return colours[index % int(std::size(colours))];
}

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, 5, 12, 4), colour);
    return QIcon(pixmap);
}

QString seconds(double s) {
    return QString::number(s, 'f', s < 1.0 ? 3 : 2);
}

} // namespace

RampCurvePanel::RampCurvePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("rampCurvePanel"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("curveNote"));
    note_->setWordWrap(true);

    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setMargins(QMargins(4, 4, 4, 4));
    timeAxis_ = new QValueAxis(chart_);
    frequencyAxis_ = new QValueAxis(chart_);
    timeAxis_->setLabelFormat(QStringLiteral("%.2f"));
    frequencyAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(frequencyAxis_, Qt::AlignLeft);

    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("curveChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(520, 380);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("curveList"));
    list_->setMaximumHeight(150);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        selected_ = row;
        applySelection();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note_);
    layout->addWidget(view_, 1);
    layout->addWidget(list_);
    retranslate();
}

QLineSeries* RampCurvePanel::series(int index) const {
    return index >= 0 && index < series_.size() ? series_.at(index) : nullptr;
}

void RampCurvePanel::setCurves(const QList<Entry>& entries, qint32 topFrequency, int selected) {
    chart_->removeAllSeries();
    series_.clear();
    entries_ = entries;
    topFrequency_ = topFrequency;

    double maxSeconds = 0;
    double maxHz = 0;
    for (int i = 0; i < entries_.size(); ++i) {
        const RampCurve& curve = entries_.at(i).curve;
        if (!curve.isValid()) {
            series_.append(nullptr);
            continue;
        }
        auto* line = new QLineSeries;
        QList<QPointF> points;
        const qsizetype n = curve.points.size();
        const qsizetype stride = std::max<qsizetype>(1, (n + MaxDrawnPoints - 1) / MaxDrawnPoints);
        points.reserve(n / stride + 3);
        for (qsizetype j = 0; j < n; j += stride)
            points.append({curve.points.at(j).seconds, curve.points.at(j).hz});
        if ((n - 1) % stride)
            points.append({curve.points.last().seconds, curve.points.last().hz});
        // The last step ends at the time to the top frequency.
        points.append({curve.secondsToTop, curve.points.last().hz});
        line->replace(points);
        chart_->addSeries(line);
        // After addSeries, which gives every series the theme's colour: the new
        // ramp, the one being chosen, keeps a colour of its own.
        line->setColor(entries_.at(i).number < 0 ? QColor(Qt::black) : curveColour(i));
        line->attachAxis(timeAxis_);
        line->attachAxis(frequencyAxis_);
        series_.append(line);
        maxSeconds = std::max(maxSeconds, curve.secondsToTop);
        for (const RampCurvePoint& p : curve.points)
            maxHz = std::max(maxHz, p.hz);
    }
    timeAxis_->setRange(0, maxSeconds > 0 ? maxSeconds * 1.02 : 1.0);
    frequencyAxis_->setRange(0, maxHz > 0 ? maxHz * 1.05 : std::max(1, topFrequency));
    timeAxis_->applyNiceNumbers();
    frequencyAxis_->applyNiceNumbers();

    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (int i = 0; i < entries_.size(); ++i) {
            auto* item = new QListWidgetItem(entryText(entries_.at(i)), list_);
            if (series_.at(i))
                item->setIcon(swatch(series_.at(i)->color()));
        }
        selected_ = selected >= 0 && selected < entries_.size() ? selected : -1;
        list_->setCurrentRow(selected_);
    }
    applySelection();
}

void RampCurvePanel::select(int index) {
    list_->setCurrentRow(index >= 0 && index < entries_.size() ? index : -1);
}

void RampCurvePanel::applySelection() {
    for (int i = 0; i < series_.size(); ++i) {
        QLineSeries* line = series_.at(i);
        if (!line)
            continue;
        QPen pen = line->pen();
        pen.setWidthF(i == selected_ ? SelectedWidth : NormalWidth);
        line->setPen(pen);
        // The selected curve is drawn over the others.
        line->setOpacity(selected_ < 0 || i == selected_ ? 1.0 : 0.6);
    }
}

QString RampCurvePanel::entryText(const Entry& e) const {
    if (!e.curve.isValid())
        return Texts::text("ramp.curveNotComputable")
            .arg(e.number < 0 ? Texts::text("ramp.curveNewName")
                              : Texts::text("ramp.curveName").arg(e.number))
            .arg(e.slope);
    const QString name = e.number < 0 ? Texts::text("ramp.curveNewName")
                                      : Texts::text("ramp.curveName").arg(e.number);
    return Texts::text("ramp.curveEntry")
        .arg(name)
        .arg(e.slope)
        .arg(seconds(e.curve.secondsToTop))
        .arg(topFrequency_);
}

void RampCurvePanel::retranslate() {
    note_->setText(Texts::text("ramp.curvesNote"));
    chart_->setTitle(Texts::text("ramp.curvesTitle"));
    timeAxis_->setTitleText(Texts::text("ramp.axisTime"));
    frequencyAxis_->setTitleText(Texts::text("ramp.axisFrequency"));
    for (int i = 0; i < entries_.size() && i < list_->count(); ++i)
        list_->item(i)->setText(entryText(entries_.at(i)));
}
