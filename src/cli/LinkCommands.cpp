#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "link/LinkSettings.h"
#include "link/PortDiscovery.h"
#include "link/ProbeAxis.h"

int runPorts(CliContext& ctx, const QStringList& args) {
    if (!args.isEmpty())
        return usageError(QStringLiteral("ports takes no arguments"));
    QStringList extra = LinkSettings::rememberedPorts();
    if (!ctx.portArg.isEmpty() && ctx.portArg != QLatin1String("sim"))
        extra.prepend(ctx.portArg);
    for (const QString& p : DiscoverPorts(extra))
        printLine(p);
    return ExitOk;
}

int runSend(CliContext& ctx, const QStringList& args) {
    QString address = QStringLiteral("0");
    int mode = Full;
    bool dataOnly = true;
    QStringList commands;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--address") || a == QLatin1String("--framing")) {
            if (i + 1 >= args.size())
                return usageError(QStringLiteral("%1 needs a value").arg(a));
            const QString v = args.at(++i);
            if (a == QLatin1String("--address")) {
                if (v.size() != 1 || !QStringLiteral("0123456789ABCDEF").contains(v.toUpper()))
                    return usageError(QStringLiteral("the address is one of 0..9, A..F"));
                address = v.toUpper();
            } else {
                static const QStringList names{QStringLiteral("full"), QStringLiteral("address"),
                                               QStringLiteral("checksum"), QStringLiteral("bare")};
                mode = int(names.indexOf(v.toLower()));
                if (mode < 0)
                    return usageError(QStringLiteral("framing is full, address, checksum or bare"));
            }
        } else if (a == QLatin1String("--whole")) {
            dataOnly = false;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        } else {
            commands << a;
        }
    }
    if (commands.isEmpty())
        return usageError(QStringLiteral("send needs at least one COMMAND"));
    for (const QString& c : commands) {
        // Commands travel as single-byte text; refuse what cannot.
        for (QChar ch : c)
            if (ch.unicode() > 0xFF || ch.unicode() == 0x02 || ch.unicode() == 0x03)
                return usageError(QStringLiteral("COMMAND holds a character that cannot be sent"));
    }
    if (!ctx.openPort())
        return ExitFailed;
    ctx.link.setCurrentAddress(address);
    int status = ExitOk;
    for (const QString& c : commands) {
        QString reply = ctx.link.SendCommand(c, dataOnly, mode);
        if (PseudoReply::is(reply)) {
            status = ExitFailed;
            reply.chop(2);
        }
        printLine(reply);
    }
    return status;
}

int runProbe(CliContext& ctx, const QStringList& args) {
    QString address;
    if (args.size() == 2 && args.at(0) == QLatin1String("--address"))
        address = args.at(1).toUpper();
    if (address.size() != 1 || !QStringLiteral("0123456789ABCDEF").contains(address))
        return usageError(QStringLiteral("probe --address A (A is one of 0..9, A..F)"));
    if (!ctx.openPort())
        return ExitFailed;
    ctx.link.setCurrentAddress(address);
    if (!ProbeAxis(ctx.link))
        return ExitFailed;
    printLine(QString::number(SerialLink::baudRateOf(ctx.link.baudIndex())));
    return ExitOk;
}
