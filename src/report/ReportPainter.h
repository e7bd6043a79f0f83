#pragma once

// Draws a read report onto any page-oriented device - a printer, the print
// preview's pages, a PDF writer: the page frame with title and date, the four
// parameter blocks on the first page, then the slot blocks flowing over as
// many pages as they need. It never talks to the axis.

#include "report/ReportModel.h"

#include <QList>
#include <QRectF>

class QPagedPaintDevice;
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
    struct Layout {
        int width = 0; // HORZRES, VERTRES of the page
        int height = 0;
        int pages = 0;
        QList<Placed> parameterBlocks; // device, general, currents, ramps
        QList<Placed> slotBlocks;
        QRectF title;
        QRectF date;
    };
    const Layout& layout() const { return layout_; }

    // The layout unit: HORZRES div 196 (VERTRES div 285) times v, truncated.
    static int unit(int extent, int parts, float v);

private:
    int unitH(float v) const { return unit(layout_.width, 196, v); }
    int unitV(float v) const { return unit(layout_.height, 285, v); }
    void drawPageFrame(QPainter& painter);
    QRectF drawText(QPainter& painter, qreal x, qreal y, const QString& text);
    void drawIn(QPainter& painter, const QRectF& rect, const QString& text);
    QRectF measure(QPainter& painter, qreal x, qreal y, const QString& text) const;
    qreal printBlock(QPainter& painter, QPagedPaintDevice& device, qreal y, const QString& text);
    void line(QPainter& painter, qreal y);

    ReportModel model_;
    Layout layout_;
    int page_ = 0;
};
