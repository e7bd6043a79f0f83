#include "report/ReportPdf.h"

#include "base/FileIo.h"
#include "report/ReportPainter.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

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

bool Write(const ReportModel& model, const QByteArray& name, QString* error) {
    const QByteArray pdf = Render(model);
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("the report could not be drawn");
        return false;
    }
    QString reason;
    if (!FileIo::writeFile(name, pdf, &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

bool Write(const ReportModel& model, const QString& path, QString* error) {
    return Write(model, QFile::encodeName(path), error);
}

} // namespace ReportPdf
