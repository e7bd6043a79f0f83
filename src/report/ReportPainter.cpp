#include "report/ReportPainter.h"

#include "base/Texts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRegularExpression>

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

// The pieces of a line: a run of tabs ends a label and starts its value. The
// report lays the pieces out in measured columns rather than at tab stops, so
// that the values stand in one column whatever a language's label lengths and
// tab counts.
QStringList lineCells(const QString& line) {
    static const QRegularExpression tabs(QStringLiteral("\t+"));
    return line.split(tabs);
}

} // namespace

int ReportPainter::unit(int extent, int parts, float v) {
    return int(float(extent / parts) * v);
}

void ReportPainter::line(QPainter& painter, qreal y) {
    painter.drawLine(QPointF(Margin, y), QPointF(layout_.width - Margin, y));
}

void ReportPainter::measureColumns(const QFont& font, const QPagedPaintDevice& device) {
    const QFontMetricsF metrics(font, &device);
    QList<QStringList> rows;
    auto collect = [&rows](const QString& block) {
        for (const QString& l : blockLines(block))
            rows << lineCells(l);
    };
    for (const QString* block :
         {&model_.deviceBlock, &model_.generalBlock, &model_.currentsBlock, &model_.rampsBlock})
        collect(*block);
    for (const QString& block : std::as_const(model_.slotBlocks))
        collect(block);

    // Each column starts a gap to the right of the widest piece before it in
    // any line of the report.
    const qreal gap = unitH(4);
    columns_ = {0};
    for (int k = 1;; ++k) {
        qreal x = -1;
        for (const QStringList& cells : std::as_const(rows))
            if (cells.size() > k)
                x = qMax(x, columns_.at(k - 1) + metrics.horizontalAdvance(cells.at(k - 1)) + gap);
        if (x < 0)
            break;
        columns_ << x;
    }
}

QRectF ReportPainter::measure(const QFont& font, const QPaintDevice& device, qreal x, qreal y,
                              const QString& text) const {
    const QFontMetricsF metrics(font, &device);
    qreal width = 0;
    const QStringList lines = blockLines(text);
    for (const QString& l : lines) {
        const QStringList cells = lineCells(l);
        const qsizetype last = cells.size() - 1;
        width = qMax(width, columns_.value(last) + metrics.horizontalAdvance(cells.at(last)));
    }
    return QRectF(x, y, width, lines.size() * metrics.height());
}

QRectF ReportPainter::drawText(QPainter& painter, qreal x, qreal y, const QString& text) {
    const QRectF r = measure(painter.font(), *painter.device(), x, y, text);
    drawIn(painter, r, text);
    return r;
}

void ReportPainter::drawIn(QPainter& painter, const QRectF& r, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal top = r.top();
    for (const QString& l : blockLines(text)) {
        const QStringList cells = lineCells(l);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (cells.at(i).isEmpty())
                continue;
            const QPointF at(r.left() + columns_.value(i), top + metrics.ascent());
            painter.drawText(at, cells.at(i));
            if (!drawingFrame_)
                layout_.cells << Cell{
                    page_, int(i),
                    QRectF(at.x(), top, metrics.horizontalAdvance(cells.at(i)), metrics.height()),
                    cells.at(i)};
        }
        top += metrics.height();
    }
}

void ReportPainter::drawPageFrame(QPainter& painter) {
    const int w = layout_.width;
    const int h = layout_.height;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, BorderPenWidth, Qt::SolidLine));
    const QFont header = reportFont(unitV(4.0f), true);
    painter.setFont(header);
    painter.drawRect(QRectF(QPointF(Margin, Margin), QPointF(w - Margin, h - Margin)));

    painter.setPen(QPen(Qt::black, HeaderLinePenWidth, Qt::SolidLine));
    line(painter, unitV(7.0f) + Margin);
    line(painter, unitV(7.5f) + Margin);

    // The date stands right-aligned inside the frame; the title takes the
    // room left of it, a long path elided in its middle so that both ends of
    // it - where it lies and the file's name - stay readable.
    const QFontMetricsF metrics(header, painter.device());
    const qreal y = unitV(2) + Margin;
    drawingFrame_ = true;
    const QString date = model_.date.toString(QStringLiteral("dd.MM.yyyy"));
    const qreal dateX = w - Margin - unitH(2) - metrics.horizontalAdvance(date);
    const qreal titleX = unitH(2) + Margin;
    const QString title = metrics.elidedText(model_.title, Qt::ElideMiddle,
                                             qMax<qreal>(0, dateX - unitH(4) - titleX));
    layout_.title = drawText(painter, titleX, y, title);
    layout_.titleText = title;
    layout_.date = drawText(painter, dateX, y, date);
    drawingFrame_ = false;

    const QFont body = reportFont(unitV(3.5f), false);
    painter.setFont(body);
    painter.setPen(QPen(Qt::black, BodyPenWidth, Qt::SolidLine));

    // The page number, centred in the strip below the body.
    const QString pattern =
        model_.pageNumber.isEmpty() ? Texts::text("report.pageOf") : model_.pageNumber;
    const QString pageText = pattern.arg(page_ + 1).arg(layout_.pages);
    const QFontMetricsF bodyMetrics(body, painter.device());
    const qreal footerWidth = bodyMetrics.horizontalAdvance(pageText);
    const QRectF footer((w - footerWidth) / 2,
                        layout_.bodyBottom +
                            (h - Margin - layout_.bodyBottom - bodyMetrics.height()) / 2,
                        footerWidth, bodyMetrics.height());
    painter.drawText(QPointF(footer.left(), footer.top() + bodyMetrics.ascent()), pageText);
    layout_.footers << footer;
    layout_.footerTexts << pageText;
}

bool ReportPainter::paint(QPagedPaintDevice& device) {
    layout_ = Layout();
    page_ = 0;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    layout_.width = device.width();
    layout_.height = device.height();
    layout_.bodyBottom = layout_.height - Margin - unitV(6);
    const QFont body = reportFont(unitV(3.5f), false);
    measureColumns(body, device);

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

    // The pages are planned before the first is drawn: each page's footer
    // names the number of pages. A slot block goes onto the next page when
    // its line would reach into the footer.
    const qreal rampHeight =
        measure(body, device, x, unitV(102) + Margin, model_.rampsBlock).height();
    const qreal rampLine = unitV(104) + rampHeight + Margin;
    QList<Placed> planned;
    {
        int page = 0;
        qreal y = rampLine;
        for (const QString& block : std::as_const(model_.slotBlocks)) {
            QRectF r = measure(body, device, x, y + unitV(2), block);
            if (r.bottom() + unitV(2) > layout_.bodyBottom) {
                ++page;
                r = measure(body, device, x, unitV(7) + unitV(2) + Margin + unitV(2), block);
            }
            y = r.bottom() + unitV(2);
            planned << Placed{page, r, y};
        }
        layout_.pages = page + 1;
    }

    drawPageFrame(painter);
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
    line(painter, rampLine);
    layout_.parameterBlocks.last().lineY = rampLine;

    for (qsizetype i = 0; i < planned.size(); ++i) {
        const Placed& p = planned.at(i);
        if (p.page != page_) {
            device.newPage();
            page_ = p.page;
            drawPageFrame(painter);
        }
        drawIn(painter, p.text, model_.slotBlocks.at(i));
        line(painter, p.lineY);
        layout_.slotBlocks << p;
    }

    painter.end();
    return true;
}
