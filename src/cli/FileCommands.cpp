#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "axis/ParameterTable.h"
#include "base/FileIo.h"
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "files/FileCheck.h"
#include "files/ParameterFile.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPair>

#include <cstdio>

namespace {

void printValue(const char* code, const QString& value) {
    const QString c = QString::fromLatin1(code);
    printLine(value.isEmpty() ? c : c + QLatin1Char(' ') + value);
}

} // namespace

void declareSave(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringLiteral("address"),
                                        QStringLiteral("Axis 0..9, A..F."), QStringLiteral("A")));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The parameter file (.OPM) to write."));
}

int runSave(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("save --address A FILE (A is one of 0..9, A..F)"), "save");
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(QStringLiteral("save needs a FILE"), "save");
    if (files.size() > 1)
        return usageError(QStringLiteral("save takes one FILE"), "save");
    const QByteArray file = ctx.rawWord(files.first());
    if (!ctx.connectAxis(address))
        return ExitFailed;

    // The file lists the ramps as a panel of this axis shows them, so read the
    // axis as the panel does before saving it.
    AxisParameters params;
    CKormakDoc doc;
    if (!ReadAxisConfiguration(ctx.link, ctx.op, params))
        return ExitFailed;
    QByteArray bytes;
    if (ComposeParameterFile(ctx.link, ctx.op, params, doc, &bytes) != ComposeStatus::Complete)
        return ExitFailed;
    QString fileError;
    if (!FileIo::writeFile(file, bytes, &fileError)) {
        printFileError(file, fileError);
        return ExitFailed;
    }
    return ExitOk;
}

void declareShow(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral(
            "The parameter file; prints CODE value lines: PD..PW, TYPE, RAMP, RAMPSEL, and DAMAGED "
            "with the first bad line of a damaged file."));
}

int runShow(CliContext& ctx, const QCommandLineParser& parser) {
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("show takes one FILE"), "show");
    const QByteArray file = ctx.rawWord(parser.positionalArguments().first());
    CKormakDoc doc;
    QString error;
    if (!ReadFileLines(file, doc, &error)) {
        printFileError(file, fileErrorText(61697, error));
        return ExitFailed;
    }
    // What an offline panel opened from this file shows.
    AxisParameters params;
    if (!doc.lineList.isEmpty())
        ApplyFileLines(doc.lineList, params, doc);

    // A list without a selection shows an empty value.
    QList<QPair<const char*, QString>> values;
    for (const ParameterTable::Row& row : ParameterTable::rows())
        if (row.shownByCli)
            values.append({row.code, ParameterTable::value(row, params).value_or(QString())});
    const QString selected = params.rampIndex >= 0 && params.rampIndex < params.rampList.size()
                                 ? params.rampList.at(params.rampIndex)
                                 : QString();
    // A damaged file is shown as far as it goes, and said to be damaged.
    const FileDamage damage = CheckParameterFileLines(doc.lineList);
    if (damage.damaged())
        std::fprintf(
            stderr, "%s\n",
            Texts::text("file.damaged").arg(FileDamageWhere(damage)).toLocal8Bit().constData());
    if (ctx.json) {
        QJsonObject parameters;
        for (const auto& [code, value] : values)
            parameters.insert(QString::fromLatin1(code), value);
        printJson({{QStringLiteral("parameters"), parameters},
                   {QStringLiteral("deviceType"), params.deviceType},
                   {QStringLiteral("ramps"), QJsonArray::fromStringList(params.rampList)},
                   {QStringLiteral("selectedRamp"), selected},
                   {QStringLiteral("damaged"),
                    damage.damaged() ? QJsonValue(FileDamageWhere(damage)) : QJsonValue()}});
        return ExitOk;
    }
    for (const auto& [code, value] : values)
        printValue(code, value);
    printValue("TYPE", params.deviceType);
    for (const QString& ramp : params.rampList)
        printValue("RAMP", ramp);
    printValue("RAMPSEL", selected);
    if (damage.damaged())
        printValue("DAMAGED", FileDamageWhere(damage));
    return ExitOk;
}
