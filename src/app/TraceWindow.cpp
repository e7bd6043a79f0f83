#include "app/TraceWindow.h"

#include "axis/CKormakView.h"
#include "base/FileIo.h"
#include "base/Operator.h"
#include "base/Texts.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr int ScrollMs = 1000;

// A value range with a little room around it, never empty.
std::pair<double, double> padded(double low, double high) {
    if (high - low < 1.0) {
        low -= 1.0;
        high += 1.0;
    }
    const double room = (high - low) * 0.08;
    return {low - room, high + room};
}

} // namespace

TraceWindow::TraceWindow(CKormakView& panel, Operator& op, QWidget* owner)
    // A modeless window over the main window: clicking into the panel to start
    // a move must not bury the trace behind it.
    : QWidget(owner, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      panel_(&panel), op_(op) {
    setObjectName(QStringLiteral("TraceWindow"));
    elapsed_.start();
    clock_ = [this] { return elapsed_.elapsed(); };

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("traceNote"));
    note_->setWordWrap(true);

    chart_ = new QChart;
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    timeAxis_ = new QValueAxis(chart_);
    positionAxis_ = new QValueAxis(chart_);
    speedAxis_ = new QValueAxis(chart_);
    timeAxis_->setLabelFormat(QStringLiteral("%.0f"));
    timeAxis_->setTickCount(7);
    positionAxis_->setLabelFormat(QStringLiteral("%.0f"));
    speedAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(positionAxis_, Qt::AlignLeft);
    chart_->addAxis(speedAxis_, Qt::AlignRight);

    position_ = new QLineSeries;
    speed_ = new QLineSeries;
    starts_ = new QScatterSeries;
    chart_->addSeries(position_);
    chart_->addSeries(speed_);
    chart_->addSeries(starts_);
    // After addSeries, which hands out the theme's colours.
    position_->setPen(QPen(QColor(0x1f, 0x77, 0xb4), 2.0));
    speed_->setPen(QPen(QColor(0xd6, 0x27, 0x28), 1.5));
    starts_->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    starts_->setMarkerSize(13);
    starts_->setColor(QColor(0x2c, 0xa0, 0x2c));
    starts_->setBorderColor(QColor(0x1a, 0x60, 0x1a));
    for (QLineSeries* s : {position_, speed_})
        s->attachAxis(timeAxis_);
    starts_->attachAxis(timeAxis_);
    position_->attachAxis(positionAxis_);
    starts_->attachAxis(positionAxis_);
    speed_->attachAxis(speedAxis_);
    positionAxis_->setLinePenColor(position_->pen().color());
    positionAxis_->setLabelsColor(position_->pen().color());
    speedAxis_->setLinePenColor(speed_->pen().color());
    speedAxis_->setLabelsColor(speed_->pen().color());

    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("traceChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    // Small enough to stand beside a panel on a 1024 x 768 screen; it opens
    // larger wherever there is room.
    view_->setMinimumSize(ChartMinimum);

    auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    pauseButton_ = button("pauseButton");
    pauseButton_->setCheckable(true);
    clearButton_ = button("clearButton");
    saveCsvButton_ = button("saveCsvButton");
    savePngButton_ = button("savePngButton");
    closeButton_ = button("closeButton");

    buttonRows_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttonRows_);
    arrangeButtons(QWIDGETSIZE_MAX);

    connect(pauseButton_, &QPushButton::toggled, this, &TraceWindow::setPaused);
    connect(clearButton_, &QPushButton::clicked, this, &TraceWindow::clear);
    connect(saveCsvButton_, &QPushButton::clicked, this, &TraceWindow::askAndSaveCsv);
    connect(savePngButton_, &QPushButton::clicked, this, &TraceWindow::askAndSavePng);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(&panel, &CKormakView::positionPolled, this, &TraceWindow::positionPolled);
    connect(&panel, &CKormakView::moveStarted, this, &TraceWindow::moveStarted);
    // The trace lives as long as its panel.
    connect(&panel, &QObject::destroyed, this, &QObject::deleteLater);
    scroll_.setInterval(ScrollMs);
    connect(&scroll_, &QTimer::timeout, this, &TraceWindow::timeRunsOn);
    scroll_.start();

    retranslate();
    redraw();
}

QRect TraceWindow::placeBeside(const QRect& panel, const QList<QRect>& keepFree,
                               const QRect& screen, const QSize& preferred, const QSize& minimum) {
    // A window in the part of the screen given, as large as it allows up to
    // the preferred size, pushed towards `towards` along the free axis.
    auto fit = [&](const QRect& room, const QPoint& towards) -> QRect {
        const QRect free = room.intersected(screen);
        if (free.width() < minimum.width() || free.height() < minimum.height())
            return {};
        QRect r(QPoint(), preferred.boundedTo(free.size()));
        r.moveTopLeft(QPoint(qBound(free.left(), towards.x(), free.right() - r.width() + 1),
                             qBound(free.top(), towards.y(), free.bottom() - r.height() + 1)));
        return r;
    };
    auto best = [](const QList<QRect>& candidates) {
        QRect chosen;
        qint64 area = 0;
        for (const QRect& r : candidates) {
            const qint64 a = qint64(r.width()) * r.height();
            if (r.isValid() && a > area) {
                chosen = r;
                area = a;
            }
        }
        return chosen;
    };
    const int w = screen.width();
    const int h = screen.height();
    const QRect right(panel.right() + 1, screen.top(), w, h);
    const QRect left(screen.left(), screen.top(), panel.left() - screen.left(), h);
    const QRect below(screen.left(), panel.bottom() + 1, w, h);
    const QRect above(screen.left(), screen.top(), w, panel.top() - screen.top());
    QRect chosen = best({fit(right, QPoint(right.left(), panel.top())),
                         fit(left, QPoint(left.right(), panel.top())),
                         fit(below, QPoint(panel.left(), below.top())),
                         fit(above, QPoint(panel.left(), above.bottom()))});
    if (chosen.isValid())
        return chosen;
    // No side has room: over the panel, but clear of its controls.
    for (const QRect& aside : keepFree) {
        if (!aside.isValid())
            continue;
        chosen = best({fit(QRect(aside.right() + 1, screen.top(), w, h), aside.topRight()),
                       fit(QRect(screen.left(), screen.top(), aside.left() - screen.left(), h),
                           QPoint(screen.left(), aside.top())),
                       fit(QRect(screen.left(), aside.bottom() + 1, w, h), aside.bottomLeft()),
                       fit(QRect(screen.left(), screen.top(), w, aside.top() - screen.top()),
                           screen.topLeft())});
        if (chosen.isValid())
            return chosen;
    }
    QRect r(screen.topLeft(), preferred.boundedTo(screen.size()));
    return r;
}

void TraceWindow::arrangeButtons(int width) {
    const QList<QPushButton*> buttons{pauseButton_, clearButton_, saveCsvButton_, savePngButton_,
                                      closeButton_};
    const int spacing = qMax(0, style()->layoutSpacing(QSizePolicy::PushButton,
                                                       QSizePolicy::PushButton, Qt::Horizontal));
    const QMargins margins = layout() ? layout()->contentsMargins() : QMargins(9, 9, 9, 9);
    const int room = width == QWIDGETSIZE_MAX ? width : width - margins.left() - margins.right();
    // Rows filled from the left, as many buttons to a row as the width holds.
    QList<int> rowOf;
    int row = 0;
    int used = 0;
    for (QPushButton* b : buttons) {
        const int w = b->sizeHint().width();
        if (used > 0 && used + spacing + w > room) {
            ++row;
            used = 0;
        }
        used += (used > 0 ? spacing : 0) + w;
        rowOf << row;
    }
    // The window may be as narrow as its widest button, whatever the rows
    // are now: it is the narrow width that puts the buttons on more rows.
    int narrowest = qMax(view_->minimumWidth(), note_->minimumSizeHint().width());
    for (QPushButton* b : buttons)
        narrowest = qMax(narrowest, b->sizeHint().width());
    setMinimumWidth(narrowest + margins.left() + margins.right());
    if (rowOf == buttonRowOf_)
        return;
    buttonRowOf_ = rowOf;
    while (QLayoutItem* item = buttonRows_->takeAt(0)) {
        // The buttons stay; only the rows that held them go.
        if (QLayout* rowLayout = item->layout())
            while (QLayoutItem* inner = rowLayout->takeAt(0))
                delete inner;
        delete item;
    }
    const bool oneRow = rowOf.back() == 0;
    QHBoxLayout* current = nullptr;
    for (int i = 0; i < buttons.size(); ++i) {
        if (i == 0 || rowOf[i] != rowOf[i - 1]) {
            if (current && !oneRow)
                current->addStretch(1);
            current = new QHBoxLayout;
            buttonRows_->addLayout(current);
        }
        // On one row the file buttons and Exit stand apart on the right.
        if (oneRow && buttons[i] == saveCsvButton_)
            current->addStretch(1);
        if (oneRow && buttons[i] == closeButton_)
            current->addSpacing(12);
        current->addWidget(buttons[i]);
    }
    if (current && !oneRow)
        current->addStretch(1);
}

void TraceWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrangeButtons(event->size().width());
}

void TraceWindow::placeBesidePanel() {
    if (!panel_)
        return;
    QWidget* frame = panel_->window();
    // The panel's own window in the panel area, or the panel itself.
    QWidget* outer = panel_;
    for (QWidget* p = panel_; p && p != frame; p = p->parentWidget())
        if (p->isWindow() || p->inherits("QMdiSubWindow"))
            outer = p;
    const QRect panelRect(outer->mapToGlobal(QPoint(0, 0)), outer->size());
    // Everything the operator works with on the panel: in a maximised panel
    // window, the room beside its controls is free.
    QRect controls;
    for (QWidget* w : panel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            controls |= QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    // Where even that leaves no room, at least Start and Stop stay free.
    QRect startStop;
    for (const char* name : {"startButton", "stopButton"})
        if (auto* b = panel_->findChild<QWidget*>(QString::fromLatin1(name)))
            startStop |= QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
    QScreen* screen = outer->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // The window's frame: what the title bar and border add around its
    // contents - known once it was shown; until then, a generous guess from
    // the style's title bar, so that the frame stays inside the place. The
    // contents are placed, which means the same on every window manager.
    const QRect framed = frameGeometry();
    const QRect inner = geometry();
    QMargins border(inner.left() - framed.left(), inner.top() - framed.top(),
                    framed.right() - inner.right(), framed.bottom() - inner.bottom());
    if (border.top() <= 0)
        border = QMargins(6, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 12, 6, 6);
    const QSize extra(border.left() + border.right(), border.top() + border.bottom());
    // The smallest the window can be is with its buttons one to a row.
    arrangeButtons(0);
    layout()->activate();
    const QSize smallest = minimumSize();
    const QRect place =
        placeBeside(panelRect, {controls, startStop}, available,
                    sizeHint().expandedTo(QSize(660, 480)) + extra, smallest + extra);
    const QRect inside = place.marginsRemoved(border);
    arrangeButtons(inside.width());
    layout()->activate();
    setGeometry(inside);
}

TraceWindow* TraceWindow::forPanel(CKormakView& panel, Operator& op, QWidget* owner) {
    for (TraceWindow* w : owner->findChildren<TraceWindow*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->panel() == &panel)
            return w;
    return new TraceWindow(panel, op, owner);
}

void TraceWindow::retranslate() {
    setWindowTitle(Texts::text("trace.title").arg(panel_ ? panel_->title() : QString()));
    note_->setText(Texts::text("trace.note"));
    timeAxis_->setTitleText(Texts::text("trace.axisTime"));
    positionAxis_->setTitleText(Texts::text("trace.axisPosition"));
    speedAxis_->setTitleText(Texts::text("trace.axisSpeed"));
    position_->setName(Texts::text("trace.position"));
    speed_->setName(Texts::text("trace.speed"));
    starts_->setName(Texts::text("trace.moveStarted"));
    // The legend keeps the labels it was made with unless told.
    for (QLegendMarker* marker : chart_->legend()->markers())
        marker->setLabel(marker->series()->name());
    pauseButton_->setText(Texts::text("trace.pause"));
    clearButton_->setText(Texts::text("trace.clear"));
    saveCsvButton_->setText(Texts::text("trace.saveCsv"));
    savePngButton_->setText(Texts::text("trace.savePng"));
    closeButton_->setText(Texts::text(10030));
    // Other words, other widths: the rows may change.
    arrangeButtons(isVisible() ? width() : QWIDGETSIZE_MAX);
}

void TraceWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void TraceWindow::showEvent(QShowEvent* event) {
    // Beside its panel the first time; afterwards where the operator put it.
    if (!placed_ && !event->spontaneous()) {
        placed_ = true;
        placeBesidePanel();
        // Once mapped, again: a window manager may place a new dialog on its
        // own (centred over the main window); a move of a mapped window it
        // honours, and the frame is known by then.
        QTimer::singleShot(0, this, &TraceWindow::placeBesidePanel);
    }
    QWidget::showEvent(event);
    retranslate(); // the panel's title may have changed meanwhile
    redraw();
}

// --- recording -------------------------------------------------------------------

void TraceWindow::positionPolled(const QString& position, bool running) {
    if (paused_)
        return;
    if (trace_.addPosition(now(), position, running))
        redraw();
}

void TraceWindow::moveStarted(const QString& position) {
    if (paused_)
        return;
    trace_.addMoveStart(now(), position);
    redraw();
}

void TraceWindow::setPaused(bool paused) {
    if (pauseButton_->isChecked() != paused) {
        pauseButton_->setChecked(paused); // comes back here through toggled
        return;
    }
    if (paused_ == paused)
        return;
    paused_ = paused;
    if (!paused) {
        // What the poll read meanwhile is missing: no speed across the gap.
        trace_.interrupt();
        trace_.dropBefore(now());
    }
    redraw();
}

void TraceWindow::clear() {
    trace_.clear();
    redraw();
}

void TraceWindow::timeRunsOn() {
    if (paused_ || !isVisible())
        return;
    trace_.dropBefore(now());
    redraw();
}

// --- drawing ---------------------------------------------------------------------

void TraceWindow::redraw() {
    if (!paused_)
        shownUntil_ = now();
    const double right =
        std::max<double>(double(shownUntil_) / 1000.0, double(AxisTrace::WindowMs) / 1000.0);
    timeAxis_->setRange(right - double(AxisTrace::WindowMs) / 1000.0, right);
    if (!isVisible())
        return;

    QList<QPointF> positions;
    QList<QPointF> speeds;
    QList<QPointF> starts;
    double posLow = 0, posHigh = 0, speedLow = 0, speedHigh = 0;
    bool any = false;
    for (const AxisTrace::Sample& s : trace_.samples()) {
        const double t = double(s.ms) / 1000.0;
        const double p = double(s.position);
        positions.append({t, p});
        posLow = any ? std::min(posLow, p) : p;
        posHigh = any ? std::max(posHigh, p) : p;
        any = true;
        // A move begins and ends at rest.
        const double v = s.speed.value_or(0.0);
        speeds.append({t, v});
        if (s.endsMove && s.speed)
            speeds.append({t, 0.0});
        speedLow = std::min(speedLow, v);
        speedHigh = std::max(speedHigh, v);
    }
    for (const AxisTrace::Mark& m : trace_.marks()) {
        // A start without a position read sits on the position last seen.
        std::optional<qint64> at = m.position;
        if (!at) {
            for (const AxisTrace::Sample& s : trace_.samples())
                if (s.ms <= m.ms)
                    at = s.position;
        }
        if (at)
            starts.append({double(m.ms) / 1000.0, double(*at)});
    }
    position_->replace(positions);
    speed_->replace(speeds);
    starts_->replace(starts);
    const auto [pl, ph] = padded(posLow, posHigh);
    positionAxis_->setRange(pl, ph);
    positionAxis_->applyNiceNumbers();
    const auto [sl, sh] = padded(speedLow, speedHigh);
    speedAxis_->setRange(sl, sh);
    speedAxis_->applyNiceNumbers();
}

// --- saving ----------------------------------------------------------------------

void TraceWindow::saveFailed(const QString& error) {
    op_.show({0, Texts::text("file.saveFailed").arg(error), 0, Operator::Icon::Exclamation,
              Operator::Buttons::Ok});
}

bool TraceWindow::saveCsv(const QString& path) {
    QString error;
    if (!FileIo::writeFile(path, trace_.toCsv().toLatin1(), &error)) {
        saveFailed(error);
        return false;
    }
    return true;
}

bool TraceWindow::savePng(const QString& path) {
    redraw();
    const QImage image = view_->grab().toImage();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        saveFailed(writer.errorString());
        return false;
    }
    QString error;
    if (!FileIo::writeFile(path, png, &error)) {
        saveFailed(error);
        return false;
    }
    return true;
}

void TraceWindow::askAndSaveCsv() {
    QString path =
        QFileDialog::getSaveFileName(this, Texts::text("trace.saveCsv").remove(QLatin1Char('&')),
                                     QString(), QStringLiteral("*.csv"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    saveCsv(path);
}

void TraceWindow::askAndSavePng() {
    QString path =
        QFileDialog::getSaveFileName(this, Texts::text("trace.savePng").remove(QLatin1Char('&')),
                                     QString(), QStringLiteral("*.png"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    savePng(path);
}
