#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "link/BaudChange.h"
#include "link/RsMonitor.h"

#include <QCommandLineParser>
#include <QFile>
#include <cstdio>

namespace {

QCommandLineOption addressOption() {
    return QCommandLineOption(QStringLiteral("address"), QStringLiteral("Axis 0..9, A..F."),
                              QStringLiteral("A"));
}

} // namespace

void declareBaud(QCommandLineParser& parser) {
    parser.addOption(addressOption());
    parser.addPositionalArgument(QStringLiteral("RATE"),
                                 QStringLiteral("9600, 14400, 19200, 28800 or 38400."));
}

int runBaud(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("baud --address A RATE (A is one of 0..9, A..F)"), "baud");
    const QStringList args = parser.positionalArguments();
    int newIndex = -1;
    if (args.size() == 1)
        for (int i = 0; i < SerialLink::baudEntries().size(); ++i)
            if (QString::number(SerialLink::baudRateOf(i)) == args.first())
                newIndex = i;
    if (newIndex < 0)
        return usageError(QStringLiteral("RATE is one of 9600, 14400, 19200, 28800, 38400"),
                          "baud");
    if (!ctx.connectAxis(address))
        return ExitFailed;
    switch (BaudChange::ChangeBaudRate(ctx.link, newIndex)) {
    case BaudChange::Result::Changed:
        printLine(QString::number(SerialLink::baudRateOf(newIndex)));
        return ExitOk;
    case BaudChange::Result::ReopenFailed:
        ctx.link.reportOpenFailure(ctx.op);
        return ExitFailed;
    case BaudChange::Result::LostAtNew:
        ctx.op.note(QStringLiteral("No reply to %1, but the axis now answers at %2 Baud.")
                        .arg(BaudChange::commandOf(newIndex))
                        .arg(SerialLink::baudRateOf(newIndex)));
        printLine(QString::number(SerialLink::baudRateOf(newIndex)));
        return ExitOk;
    case BaudChange::Result::LostAtOld:
        ctx.op.note(QStringLiteral("No reply to %1; the axis still answers at %2 Baud.")
                        .arg(BaudChange::commandOf(newIndex))
                        .arg(SerialLink::baudRateOf(ctx.link.baudIndex())));
        return ExitFailed;
    case BaudChange::Result::LostNowhere:
        ctx.op.note(QStringLiteral("No reply to %1, and the axis answers neither at %2 nor at %3 "
                                   "Baud.")
                        .arg(BaudChange::commandOf(newIndex))
                        .arg(SerialLink::baudRateOf(newIndex))
                        .arg(SerialLink::baudRateOf(ctx.link.baudIndex())));
        return ExitFailed;
    case BaudChange::Result::Refused:
        break;
    }
    if (ctx.link.lastTimedOut())
        ctx.op.note(ctx.noReplyText());
    ctx.op.note(QStringLiteral("The axis did not accept %1: the rate stays at %2 Baud.")
                    .arg(BaudChange::commandOf(newIndex))
                    .arg(SerialLink::baudRateOf(ctx.link.baudIndex())));
    return ExitFailed;
}

void declareMonitor(QCommandLineParser& parser) {
    parser.addOption(addressOption());
    parser.addOption(QCommandLineOption(
        QStringLiteral("framing"), QStringLiteral("full (default), address, checksum or bare."),
        QStringLiteral("F")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("show"),
                           QStringLiteral("data (default), status (short status and data) or all."),
                           QStringLiteral("CUT")));
    parser.addOption(QCommandLineOption(QStringLiteral("log"),
                                        QStringLiteral("Write the session log to FILE at the end."),
                                        QStringLiteral("FILE")));
}

int runMonitor(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parser.positionalArguments().isEmpty() ||
        !parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("monitor --address A (A is one of 0..9, A..F)"),
                          "monitor");
    // The framing list runs from bare to full; the names name the modes.
    int framingIndex = 3;
    if (parser.isSet(QStringLiteral("framing"))) {
        static const QStringList names{QStringLiteral("bare"), QStringLiteral("checksum"),
                                       QStringLiteral("address"), QStringLiteral("full")};
        framingIndex = int(names.indexOf(parser.value(QStringLiteral("framing")).toLower()));
        if (framingIndex < 0)
            return usageError(QStringLiteral("framing is full, address, checksum or bare"),
                              "monitor");
    }
    int displayIndex = RsMonitor::DataOnly;
    if (parser.isSet(QStringLiteral("show"))) {
        static const QStringList names{QStringLiteral("data"), QStringLiteral("status"),
                                       QStringLiteral("all")};
        displayIndex = int(names.indexOf(parser.value(QStringLiteral("show")).toLower()));
        if (displayIndex < 0)
            return usageError(QStringLiteral("show is data, status or all"), "monitor");
    }
    if (!ctx.connectAxis(address))
        return ExitFailed;

    RsMonitor::Session session(ctx.link);
    int status = ExitOk;
    QByteArray line;
    while (RsMonitor::readInputLine(stdin, &line)) {
        // The terminal speaks UTF-8; the same rule as in the window then makes
        // the command, or says why it is not sent.
        QString text;
        QString refusal;
        RsMonitor::TypedCommand typed;
        if (!RsMonitor::decodeInputLine(line, &text, &refusal))
            typed.refusal = refusal;
        else if (text.isEmpty())
            continue;
        else
            typed = RsMonitor::commandFromTyped(text);
        if (!typed.accepted()) {
            ctx.op.note(typed.refusal);
            status = ExitFailed;
            continue;
        }
        QString shown = session.send(typed.command, framingIndex, displayIndex);
        const QString reply = session.log().isEmpty() ? QString() : session.log().back().result;
        if (reply == PseudoReply::Timeout)
            ctx.op.note(ctx.noReplyText());
        if (PseudoReply::is(reply))
            status = ExitFailed;
        // Line ends inside a cut (of a pseudo-reply) would break the one line
        // per reply that scripts read.
        shown.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QString());
        printLine(shown);
        std::fflush(stdout);
    }
    if (parser.isSet(QStringLiteral("log"))) {
        const QByteArray path = ctx.rawWord(parser.value(QStringLiteral("log")));
        QString error;
        if (!session.saveLog(path, &error)) {
            ctx.op.note(QStringLiteral("The log could not be written: %1").arg(error));
            return ExitFailed;
        }
    }
    return status;
}
