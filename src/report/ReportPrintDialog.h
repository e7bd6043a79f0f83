#pragma once

// The report of an axis panel on paper, in the print preview and as a PDF
// file. Each reads the axis (or the document) once and then draws the pages;
// while another long operation runs, none of them starts.

class CKormakView;
class QWidget;

namespace ReportPrintDialog {

// The platform print dialog (no selection, no page range, no print to
// file), then the report to the chosen printer as "Kormak Document".
void Print(CKormakView& panel, QWidget* parent);

// The same pages in the print preview; repainting them reads nothing again.
void Preview(CKormakView& panel, QWidget* parent);

// Asks for a file name and writes the same pages as a PDF file. A report
// that cannot be read, or a file that cannot be written, leaves no file.
void ExportPdf(CKormakView& panel, QWidget* parent);

} // namespace ReportPrintDialog
