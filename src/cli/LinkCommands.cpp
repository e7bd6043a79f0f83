#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "link/AxisAddress.h"
#include "link/LinkSettings.h"
#include "link/PortDiscovery.h"
#include "link/RsMonitor.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QCommandLineOption addressOption(const QString& description) {
    return QCommandLineOption(QStringLiteral("address"), description, QStringLiteral("A"));
}

} // namespace

bool parseAddress(const QString& text, QString* address) {
    const std::optional<AxisAddress> a = AxisAddress::parse(text.toUpper());
    if (!a || !a->isAxis())
        return false;
    *address = a->text();
    return true;
}

void declarePorts(QCommandLineParser& /*parser*/) {}

int runPorts(CliContext& ctx, const QCommandLineParser& parser) {
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("ports takes no arguments"), "ports");
    QStringList extra = LinkSettings::rememberedPorts();
    if (!ctx.portArg.isEmpty() && ctx.portArg != QLatin1String("sim"))
        extra.prepend(ctx.portArg);
    const QStringList ports = DiscoverPorts(extra);
    if (ctx.json) {
        printJson({{QStringLiteral("ports"), QJsonArray::fromStringList(ports)}});
        return ExitOk;
    }
    for (const QString& p : ports)
        printLine(p);
    return ExitOk;
}

void declareSend(QCommandLineParser& parser) {
    parser.addOption(addressOption(QStringLiteral("Axis 0..9, A..F (default 0).")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("framing"), QStringLiteral("full (default), address, checksum or bare."),
        QStringLiteral("F")));
    parser.addOption(QCommandLineOption(QStringLiteral("whole"),
                                        QStringLiteral("Print the whole reply frame.")));
    parser.addPositionalArgument(
        QStringLiteral("COMMAND"),
        QStringLiteral("Sent in turn; a reply TIMEOUT, ERROR or OFFLINE makes the exit status 1."),
        QStringLiteral("COMMAND..."));
}

int runSend(CliContext& ctx, const QCommandLineParser& parser) {
    QString address = QStringLiteral("0");
    if (parser.isSet(QStringLiteral("address")) &&
        !parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("the address is one of 0..9, A..F"), "send");
    int mode = Full;
    if (parser.isSet(QStringLiteral("framing"))) {
        static const QStringList names{QStringLiteral("full"), QStringLiteral("address"),
                                       QStringLiteral("checksum"), QStringLiteral("bare")};
        mode = int(names.indexOf(parser.value(QStringLiteral("framing")).toLower()));
        if (mode < 0)
            return usageError(QStringLiteral("framing is full, address, checksum or bare"), "send");
    }
    const bool dataOnly = !parser.isSet(QStringLiteral("whole"));
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(QStringLiteral("send needs at least one COMMAND"), "send");
    // The monitor's rule, with the case as given: nothing is sent unless
    // every command can go out as it stands.
    QStringList commands;
    for (const QString& w : words) {
        const RsMonitor::TypedCommand typed =
            RsMonitor::commandFromTyped(w, RsMonitor::Case::AsTyped);
        if (!typed.accepted())
            return usageError(typed.refusal, "send");
        commands << typed.command;
    }
    if (!ctx.connectAxis(address))
        return ExitFailed;
    int status = ExitOk;
    for (const QString& c : commands) {
        QString reply = ctx.link.SendCommand(c, dataOnly, mode);
        if (reply == PseudoReply::Timeout)
            ctx.op.note(ctx.noReplyText());
        if (PseudoReply::is(reply)) {
            status = ExitFailed;
            reply.chop(2);
        }
        printLine(reply);
    }
    return status;
}

void declareProbe(QCommandLineParser& parser) {
    parser.addOption(addressOption(QStringLiteral("Axis 0..9, A..F.")));
}

int runProbe(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parser.positionalArguments().isEmpty() ||
        !parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("probe --address A (A is one of 0..9, A..F)"), "probe");
    if (!ctx.openPort())
        return ExitFailed;
    ctx.link.setCurrentAddress(address);
    const bool answered = ctx.probe();
    const int rate = SerialLink::baudRateOf(ctx.link.baudIndex());
    if (ctx.json) {
        QJsonObject out{{QStringLiteral("address"), address},
                        {QStringLiteral("answered"), answered}};
        if (answered)
            out.insert(QStringLiteral("rate"), rate);
        printJson(out);
    } else if (answered) {
        printLine(QString::number(rate));
    }
    return answered ? ExitOk : ExitFailed;
}
