#pragma once

// The report of an axis panel on paper, in the print preview and as a PDF
// file. Each reads the axis (or the document) once and then draws the pages;
// while another long operation runs, none of them starts.

#include <QString>

class CKormakView;
class QDate;
class QWidget;

namespace ReportPrintDialog {

// The platform print dialog (no selection, no page range, no print to
// file), then the report to the chosen printer as "Kormak Document".
void Print(CKormakView& panel, QWidget* parent);

// The same pages in the print preview; repainting them reads nothing again.
void Preview(CKormakView& panel, QWidget* parent);

// Asks for a file name and writes the same pages as a PDF file; returns the
// path written, empty when nothing was. A report that cannot be read, or a
// file that cannot be written, leaves no file.
QString ExportPdf(CKormakView& panel, QWidget* parent);

// The name Export as PDF offers: the file's name beside the file, or the
// axis, with the day - "Achse_3_2026-12-10.pdf".
QString SuggestedPdfPath(const CKormakView& panel, const QDate& day);

} // namespace ReportPrintDialog
