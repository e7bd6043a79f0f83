#include "report/ReportPdf.h"

#include "report/ReportPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace ReportPdf {

namespace {

// What a printer cannot reach at the paper's edges; the report's own 50-pixel
// margin lies inside it, as on paper.
constexpr qreal PrinterMarginMm = 5.0;

} // namespace

QPageLayout pageLayout() {
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(PrinterMarginMm, PrinterMarginMm, PrinterMarginMm, PrinterMarginMm),
        QPageLayout::Millimeter);
}

QByteArray Render(const ReportModel& model) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        setUpPage(writer);
        writer.setTitle(documentName());
        writer.setCreator(QStringLiteral("Kormak"));
        ReportPainter painter(model);
        if (!painter.paint(writer))
            return {};
    }
    buffer.close();
    return bytes;
}

bool Write(const ReportModel& model, const QString& path, QString* error) {
    const QByteArray pdf = Render(model);
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("the report could not be drawn");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ReportPdf
