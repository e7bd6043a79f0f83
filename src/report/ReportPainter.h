#pragma once

// Draws a read report onto any page-oriented device - a printer, the print
// preview's pages, a PDF writer: the page frame with title, date and page
// number, the four parameter blocks on the first page, then the slot blocks
// flowing over as many pages as they need. It never talks to the axis.

#include "report/ReportModel.h"

#include <QList>
#include <QRectF>
#include <QStringList>

class QFont;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

class ReportPainter {
public:
    static constexpr int Margin = 50; // pixels on every side

    explicit ReportPainter(const ReportModel& model) : model_(model) {}

    // Draws every page. False when nothing could be drawn (the device refused
    // the painter); the device's own job is then the caller's to abandon.
    bool paint(QPagedPaintDevice& device);

    // Where the last paint put things, in device pixels.
    struct Placed {
        int page = 0;    // counted from 0
        QRectF text;     // the block's text rectangle
        qreal lineY = 0; // the full-width line below it
    };
    // One piece of a block line: the label is column 0, its value column 1
    // (an extended step's value is a label and value of its own: columns 1, 2).
    struct Cell {
        int page = 0;
        int column = 0;
        QRectF rect;
        QString text;
    };
    struct Layout {
        int width = 0; // HORZRES, VERTRES of the page
        int height = 0;
        int pages = 0;
        qreal bodyBottom = 0;          // blocks and their lines end above the page footer
        QList<Placed> parameterBlocks; // device, general, currents, ramps
        QList<Placed> slotBlocks;
        QList<Cell> cells;
        QRectF title; // as drawn on the last page
        QString titleText;
        QRectF date;
        QList<QRectF> footers; // one per page
        QStringList footerTexts;
    };
    const Layout& layout() const { return layout_; }

    // The layout unit: HORZRES div 196 (VERTRES div 285) times v, truncated.
    static int unit(int extent, int parts, float v);

private:
    int unitH(float v) const { return unit(layout_.width, 196, v); }
    int unitV(float v) const { return unit(layout_.height, 285, v); }
    void measureColumns(const QFont& font, const QPagedPaintDevice& device);
    void drawPageFrame(QPainter& painter);
    QRectF drawText(QPainter& painter, qreal x, qreal y, const QString& text);
    void drawIn(QPainter& painter, const QRectF& rect, const QString& text);
    QRectF measure(const QFont& font, const QPaintDevice& device, qreal x, qreal y,
                   const QString& text) const;
    void line(QPainter& painter, qreal y);

    ReportModel model_;
    Layout layout_;
    QList<qreal> columns_; // x of each column, from the block's left edge
    int page_ = 0;
    bool drawingFrame_ = false; // the header's texts are no block cells
};
