#include "base/Texts.h"
#include "base/Windows1252.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "link/LinkSettings.h"
#include "link/PortDiscovery.h"

#include <QCommandLineParser>

namespace {

QCommandLineOption addressOption(const QString& description) {
    return QCommandLineOption(QStringLiteral("address"), description, QStringLiteral("A"));
}

} // namespace

bool parseAddress(const QString& text, QString* address) {
    const QString a = text.toUpper();
    if (a.size() != 1 || !QStringLiteral("0123456789ABCDEF").contains(a))
        return false;
    *address = a;
    return true;
}

void declarePorts(QCommandLineParser& /*parser*/) {}

int runPorts(CliContext& ctx, const QCommandLineParser& parser) {
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("ports takes no arguments"), "ports");
    QStringList extra = LinkSettings::rememberedPorts();
    if (!ctx.portArg.isEmpty() && ctx.portArg != QLatin1String("sim"))
        extra.prepend(ctx.portArg);
    for (const QString& p : DiscoverPorts(extra))
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
    const QStringList commands = parser.positionalArguments();
    if (commands.isEmpty())
        return usageError(QStringLiteral("send needs at least one COMMAND"), "send");
    for (const QString& c : commands) {
        // Commands travel as single-byte text; refuse what cannot.
        for (QChar ch : c)
            if (fromWindows1252(toWindows1252(QString(ch))) != QString(ch) ||
                ch.unicode() == 0x02 || ch.unicode() == 0x03)
                return usageError(QStringLiteral("COMMAND holds a character that cannot be sent"),
                                  "send");
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
    if (!ctx.probe())
        return ExitFailed;
    printLine(QString::number(SerialLink::baudRateOf(ctx.link.baudIndex())));
    return ExitOk;
}
