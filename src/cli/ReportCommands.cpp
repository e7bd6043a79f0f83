// kormakctl report: the configuration report of an axis or of a parameter
// file, written as a PDF with the same pages the window prints.
#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "files/ParameterFile.h"
#include "report/ReportPdf.h"
#include "report/ReportReader.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

void declareReport(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringLiteral("address"),
                                        QStringLiteral("The axis to report on: 0..9, A..F."),
                                        QStringLiteral("A")));
    parser.addOption(QCommandLineOption(QStringLiteral("file"),
                                        QStringLiteral("The parameter file (.OPM) to report on."),
                                        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(QStringLiteral("pdf"),
                                        QStringLiteral("The PDF file to write."),
                                        QStringLiteral("OUT.pdf")));
}

int runReport(CliContext& ctx, const QCommandLineParser& parser) {
    const char* usage = "report (--address A | --file FILE) --pdf OUT.pdf";
    const bool byAddress = parser.isSet(QStringLiteral("address"));
    const bool byFile = parser.isSet(QStringLiteral("file"));
    const QString out = parser.value(QStringLiteral("pdf"));
    if (byAddress == byFile || out.isEmpty() || !parser.positionalArguments().isEmpty())
        return usageError(QString::fromLatin1(usage), "report");

    AxisParameters params;
    CKormakDoc doc;
    if (byAddress) {
        QString address;
        if (!parseAddress(parser.value(QStringLiteral("address")), &address))
            return usageError(
                QString::fromLatin1(usage) + QStringLiteral(" (A is one of 0..9, A..F)"), "report");
        if (!ctx.connectAxis(address))
            return ExitFailed;
        // What a panel reads when it opens: the lists, the ramps, the type.
        if (!ReadAxisConfiguration(ctx.link, ctx.op, params))
            return ExitFailed;
    } else {
        // An offline panel opened from the file.
        const QByteArray name = ctx.rawWord(parser.value(QStringLiteral("file")));
        QString error;
        if (!ReadFileLines(name, doc, &error)) {
            printFileError(name, fileErrorText(61697, error));
            return ExitFailed;
        }
        doc.filePath = QFileInfo(QFile::decodeName(name)).absoluteFilePath();
        ctx.link.setAxisAddress(AxisAddress::offline());
        ReadAxisConfiguration(ctx.link, ctx.op, params);
        if (!doc.lineList.isEmpty())
            ApplyFileLines(doc.lineList, params, doc);
    }

    ReportModel model;
    if (ReportReader::Read(ctx.link, ctx.op, params, doc, &model) != ReportReader::Result::Done)
        return ExitFailed;
    QString error;
    const QByteArray outName = ctx.rawWord(out);
    if (!ReportPdf::Write(model, outName, &error)) {
        printFileError(outName, error);
        return ExitFailed;
    }
    return ExitOk;
}
