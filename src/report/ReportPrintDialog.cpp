#include "report/ReportPrintDialog.h"
#include "base/MessageIds.h"

#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "axis/PanelHost.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/LinkTarget.h"
#include "link/SerialLink.h"
#include "report/ReportPainter.h"
#include "report/ReportPdf.h"
#include "report/ReportReader.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <memory>
#include <optional>

namespace ReportPrintDialog {

namespace {

// Reads the panel's report: an online panel from its own axis, an offline
// one from its document, whatever axis the link was talking to before.
bool readReport(CKormakView& panel, ReportModel* model) {
    if (BusyState::isBusy())
        return false;
    panel.stopPollTimer();
    SerialLink& link = panel.host().link();
    Operator& op = panel.host().op();
    const AxisParameters params = panel.parameters();
    std::optional<AxisTarget> target;
    const QString previous = link.currentAddress();
    if (panel.isOffline())
        link.setAxisAddress(AxisAddress::offline());
    else
        target.emplace(link, panel.address(), params.portIndex, params.baudIndex);
    const bool done =
        ReportReader::Read(link, op, params, panel.document(), model) == ReportReader::Result::Done;
    if (panel.isOffline())
        link.setCurrentAddress(previous);
    return done;
}

} // namespace

void Print(CKormakView& panel, QWidget* parent) {
    if (BusyState::isBusy())
        return;
    QPrinter printer(QPrinter::HighResolution);
    ReportPdf::setUpPage(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReportModel model;
    if (!readReport(panel, &model))
        return;
    printer.setDocName(ReportPdf::documentName());
    ReportPainter painter(model);
    if (!painter.paint(printer))
        panel.host().op().error(MessageId::PrintFailed);
}

void Preview(CKormakView& panel, QWidget* parent) {
    ReportModel model;
    if (!readReport(panel, &model))
        return;
    QPrinter printer(QPrinter::HighResolution);
    ReportPdf::setUpPage(printer);
    printer.setDocName(ReportPdf::documentName());
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("reportPreview"));
    ReportPainter painter(model);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&painter](QPrinter* p) { painter.paint(*p); });
    preview.exec();
}

QString SuggestedPdfPath(const CKormakView& panel, const QDate& day) {
    const QString date = day.toString(Qt::ISODate);
    const CKormakDoc& doc = panel.document();
    if (panel.isOffline() && !doc.filePath.isEmpty()) {
        const QFileInfo file(doc.filePath);
        return file.dir().filePath(file.completeBaseName() + QLatin1Char('_') + date +
                                   QStringLiteral(".pdf"));
    }
    const QString name = panel.isOffline()
                             ? QStringLiteral("Kormak")
                             : Texts::text("report.pdfAxisName").arg(panel.axisAddress());
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::homePath();
    return QDir(dir).filePath(name + QLatin1Char('_') + date + QStringLiteral(".pdf"));
}

QString ExportPdf(CKormakView& panel, QWidget* parent) {
    if (BusyState::isBusy())
        return {};
    QString path = QFileDialog::getSaveFileName(parent, Texts::text("report.exportCaption"),
                                                SuggestedPdfPath(panel, QDate::currentDate()),
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    ReportModel model;
    if (!readReport(panel, &model))
        return {};
    QString error;
    if (!ReportPdf::Write(model, path, &error)) {
        panel.host().op().show({0, Texts::text("report.writeFailed").arg(path, error), 0,
                                Operator::Icon::Error, Operator::Buttons::Ok});
        return {};
    }
    return path;
}

} // namespace ReportPrintDialog
