#include "report/ReportPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <cmath>

namespace {

constexpr int BorderPenWidth = 5;
constexpr int HeaderLinePenWidth = 2;
constexpr int BodyPenWidth = 4;

// A font whose character cell (ascent + descent) is the given height, as a
// font height is meant in the report's measures; Qt's pixel size is the em.
QFont reportFont(int cellHeight, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    constexpr int Reference = 1000;
    font.setPixelSize(Reference);
    const qreal cell = QFontMetricsF(font).height();
    font.setPixelSize(qMax(1, qRound(cellHeight * Reference / (cell > 0 ? cell : Reference))));
    return font;
}

// The lines of a block: CR LF and LF both end a line; a final line end
// adds no empty line.
QStringList blockLines(const QString& text) {
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.remove(QLatin1Char('\r'));
    QStringList lines = s.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Tab stops every eight average characters of the font. The
// tabs are expanded here, piece by piece: the text engine's own expansion
// loses the text after a tab on a high-resolution device.
// The average character width is Arial's own (904/2048 em): a substitute
// face may count its average over more glyphs, which would move every column.
qreal tabDistance(const QFont& font) {
    return qMax<qreal>(1, 8 * font.pixelSize() * 904.0 / 2048.0);
}

// Calls piece(x, text) for every tab-free piece of a line; returns the width.
template <typename Piece>
qreal layOutLine(const QString& line, const QFont& font, const QFontMetricsF& metrics,
                 Piece piece) {
    const qreal tab = tabDistance(font);
    qreal x = 0;
    const QStringList pieces = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            x = (std::floor(x / tab) + 1) * tab;
        piece(x, pieces.at(i));
        x += metrics.horizontalAdvance(pieces.at(i));
    }
    return x;
}

} // namespace

int ReportPainter::unit(int extent, int parts, float v) {
    return int(float(extent / parts) * v);
}

void ReportPainter::line(QPainter& painter, qreal y) {
    painter.drawLine(QPointF(Margin, y), QPointF(layout_.width - Margin, y));
}

QRectF ReportPainter::measure(QPainter& painter, qreal x, qreal y, const QString& text) const {
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal width = 0;
    const QStringList lines = blockLines(text);
    for (const QString& l : lines)
        width = qMax(width, layOutLine(l, painter.font(), metrics, [](qreal, const QString&) {}));
    return QRectF(x, y, width, lines.size() * metrics.height());
}

QRectF ReportPainter::drawText(QPainter& painter, qreal x, qreal y, const QString& text) {
    const QRectF r = measure(painter, x, y, text);
    drawIn(painter, r, text);
    return r;
}

void ReportPainter::drawIn(QPainter& painter, const QRectF& r, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal baseline = r.top() + metrics.ascent();
    for (const QString& l : blockLines(text)) {
        layOutLine(l, painter.font(), metrics, [&](qreal at, const QString& piece) {
            if (!piece.isEmpty())
                painter.drawText(QPointF(r.left() + at, baseline), piece);
        });
        baseline += metrics.height();
    }
}

void ReportPainter::drawPageFrame(QPainter& painter) {
    const int w = layout_.width;
    const int h = layout_.height;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, BorderPenWidth, Qt::SolidLine));
    painter.setFont(reportFont(unitV(4.0f), true));
    painter.drawRect(QRectF(QPointF(Margin, Margin), QPointF(w - Margin, h - Margin)));

    painter.setPen(QPen(Qt::black, HeaderLinePenWidth, Qt::SolidLine));
    line(painter, unitV(7.0f) + Margin);
    line(painter, unitV(7.5f) + Margin);

    const qreal y = unitV(2) + Margin;
    layout_.title = drawText(painter, unitH(2) + Margin, y, model_.title);
    layout_.date = drawText(painter, unitH(177) + Margin, y,
                            model_.date.toString(QStringLiteral("dd.MM.yyyy")));

    painter.setFont(reportFont(unitV(3.5f), false));
    painter.setPen(QPen(Qt::black, BodyPenWidth, Qt::SolidLine));
}

qreal ReportPainter::printBlock(QPainter& painter, QPagedPaintDevice& device, qreal y,
                                const QString& text) {
    const qreal x = unitH(2) + Margin;
    QRectF r = measure(painter, x, y + unitV(2), text);
    if (r.bottom() > layout_.height - Margin) {
        device.newPage();
        ++page_;
        drawPageFrame(painter);
        r = measure(painter, x, unitV(7) + unitV(2) + Margin + unitV(2), text);
    }
    drawIn(painter, r, text);
    const qreal below = r.bottom() + unitV(2);
    line(painter, below);
    layout_.slotBlocks << Placed{page_, r, below};
    return below;
}

bool ReportPainter::paint(QPagedPaintDevice& device) {
    layout_ = Layout();
    page_ = 0;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    layout_.width = device.width();
    layout_.height = device.height();

    drawPageFrame(painter);

    // The parameter blocks stand at fixed places: a block taller than its
    // place overlaps the next one rather than moving it.
    const struct {
        const QString* text;
        int top;
        int lineBelow; // 0: none
    } blocks[] = {{&model_.deviceBlock, 9, 31},
                  {&model_.generalBlock, 33, 76},
                  {&model_.currentsBlock, 78, 100},
                  {&model_.rampsBlock, 102, 0}};
    const qreal x = unitH(2) + Margin;
    for (const auto& b : blocks) {
        const QRectF r = drawText(painter, x, unitV(b.top) + Margin, *b.text);
        qreal lineY = 0;
        if (b.lineBelow > 0) {
            lineY = unitV(b.lineBelow) + Margin;
            line(painter, lineY);
        }
        layout_.parameterBlocks << Placed{0, r, lineY};
    }
    // The ramp block grows with the ramp list: its line stands unit(2) below
    // its text, as below every flowing block.
    const qreal rampHeight = layout_.parameterBlocks.last().text.height();
    qreal y = unitV(104) + rampHeight + Margin;
    line(painter, y);
    layout_.parameterBlocks.last().lineY = y;

    for (const QString& block : std::as_const(model_.slotBlocks))
        y = printBlock(painter, device, y, block);

    painter.end();
    layout_.pages = page_ + 1;
    return true;
}
