#pragma once

// The report as a PDF file: the same pages as on paper.

#include "report/ReportModel.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

namespace ReportPdf {

// The print job's document name, also the PDF's title.
inline QString documentName() {
    return QStringLiteral("Kormak Document");
}

// The one page geometry of the report's pages - the PDF, the print preview
// and the printer's default - so that all three break the pages alike: A4,
// 600 dpi, the margins a printer keeps.
constexpr int Resolution = 600;
QPageLayout pageLayout();

// Gives a PDF writer or a printer that geometry.
template <typename Device> void setUpPage(Device& device) {
    device.setResolution(Resolution);
    device.setPageLayout(pageLayout());
}

// The PDF pages of a read report (A4, 600 dpi, the margins a printer keeps).
// Empty when nothing could be drawn.
QByteArray Render(const ReportModel& model);

// Writes the PDF as FileIo::writeFile writes: the file appears whole or not
// at all, and an existing file is replaced only by a complete one. On
// failure *error gets the reason.
bool Write(const ReportModel& model, const QString& path, QString* error = nullptr);
// The same for a name given as the bytes the file system holds.
bool Write(const ReportModel& model, const QByteArray& name, QString* error = nullptr);

} // namespace ReportPdf
