#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "drive/OverallStatus.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QCommandLineOption diagAddressOption() {
    return QCommandLineOption(QStringLiteral("address"), QStringLiteral("Axis 0..9, A..F."),
                              QStringLiteral("A"));
}

// The name on the command line of each reset, in the order of the dialogs.
const char* const kResetNames[OverallStatus::ResetCount] = {"output", "power", "initiators", "sfi",
                                                            "system"};

} // namespace

void declareStatus(QCommandLineParser& parser) {
    parser.addOption(diagAddressOption());
}

// The overall status as the status dialog shows it: the status code, then
// the text of every lit lamp.
int runStatus(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unknown argument %1").arg(parser.positionalArguments().first()),
            "status");
    if (!parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("status needs --address 0..9 or A..F"), "status");
    const bool connected = ctx.connectAxis(address);
    const OverallStatus::Reading status =
        connected ? OverallStatus::read(ctx.link) : OverallStatus::Reading{};
    if (!status.valid) {
        if (connected)
            ctx.op.note(ctx.noReplyText());
        if (ctx.json)
            printJson({{QStringLiteral("address"), address}, {QStringLiteral("answered"), false}});
        return ExitFailed;
    }
    const QList<OverallStatus::Colour> colours = OverallStatus::lampColours(status.value);
    if (ctx.json) {
        QJsonArray lit;
        for (int i = 0; i < OverallStatus::LampCount; ++i)
            if (colours[i] != OverallStatus::Colour::Grey)
                lit.append(QJsonObject{
                    {QStringLiteral("bit"), OverallStatus::lamps()[i].bit},
                    {QStringLiteral("text"), Texts::text(OverallStatus::lamps()[i].labelTextId)}});
        printJson({{QStringLiteral("address"), address},
                   {QStringLiteral("answered"), true},
                   {QStringLiteral("code"), status.codeText},
                   {QStringLiteral("lamps"), lit}});
        return ExitOk;
    }
    printLine(Texts::text(10081) + status.codeText);
    for (int i = 0; i < OverallStatus::LampCount; ++i)
        if (colours[i] != OverallStatus::Colour::Grey)
            printLine(Texts::text(OverallStatus::lamps()[i].labelTextId));
    return ExitOk;
}

void declareReset(QCommandLineParser& parser) {
    parser.addOption(diagAddressOption());
    parser.addPositionalArgument(QStringLiteral("what"),
                                 QStringLiteral("output, power, initiators, sfi or system."));
}

// One reset of the reset dialog. The whole-system reset is done only when the
// axis answers again after its restart time.
int runReset(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("reset needs --address 0..9 or A..F"), "reset");
    const QStringList words = parser.positionalArguments();
    int which = -1;
    for (int i = 0; i < OverallStatus::ResetCount && words.size() == 1; ++i)
        if (words.first() == QLatin1String(kResetNames[i]))
            which = i;
    if (which < 0)
        return usageError(
            QStringLiteral("reset takes one of output, power, initiators, sfi, system"), "reset");
    if (!ctx.connectAxis(address))
        return ExitFailed;
    const auto reset = OverallStatus::Reset(which);
    if (reset != OverallStatus::Reset::System)
        return OverallStatus::runPartReset(ctx.link, ctx.op, reset) ? ExitOk : ExitFailed;
    if (!OverallStatus::sendSystemReset(ctx.link, ctx.op))
        return ExitFailed;
    ctx.op.note(Texts::text(10098));
    ctx.op.wait(OverallStatus::SystemResetSeconds * 1000);
    if (!OverallStatus::read(ctx.link).valid) {
        ctx.op.note(ctx.noReplyText());
        return ExitFailed;
    }
    return ExitOk;
}
