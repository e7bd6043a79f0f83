#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(CliContext&, const QStringList&);
};

const Command commands[] = {
    {"ports", "ports", runPorts},
    {"send", "send [--address A] [--framing full|address|checksum|bare] [--whole] COMMAND...",
     runSend},
    {"probe", "probe --address A", runProbe},
    {"save", "save --address A FILE", runSave},
    {"show", "show FILE   (prints CODE value lines: PD..PW, TYPE, RAMP, RAMPSEL)", runShow},
    {"ramp-table", "ramp-table --clock HZ --top HZ --slope HZPS [--free BYTES]", runRampTable},
};

void printHelp() {
    std::printf("Usage: kormakctl [--port PORT] [--baud RATE] [--lang de|en|fr] [--yes] COMMAND "
                "[ARGS]\n\n"
                "PORT is a system port name, a device path, or 'sim' (the simulated bus in this\n"
                "process). Without --port, the port and rate chosen in Kormak are used.\n"
                "RATE is one of 9600, 14400, 19200, 28800, 38400.\n\nCommands:\n");
    for (const Command& c : commands)
        std::printf("  kormakctl [options] %s\n", c.usage);
    std::printf(
        "\nExit status: 0 done; 1 a reply was TIMEOUT, ERROR or OFFLINE, or the port could\n"
        "not be opened; 2 usage error.\n");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltrax GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Kormak"));
    Texts::setLanguage(Texts::platformLanguage());

    QStringList args = app.arguments().mid(1);
    CliContext ctx;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--help")) {
            printHelp();
            return ExitOk;
        }
        if (opt == QLatin1String("--yes")) {
            ctx.op.assumeYes = true;
            continue;
        }
        if (opt != QLatin1String("--port") && opt != QLatin1String("--baud") &&
            opt != QLatin1String("--lang"))
            return usageError(QStringLiteral("unknown option %1").arg(opt));
        if (args.isEmpty())
            return usageError(QStringLiteral("%1 needs a value").arg(opt));
        const QString value = args.takeFirst();
        if (opt == QLatin1String("--port")) {
            ctx.portArg = value;
        } else if (opt == QLatin1String("--baud")) {
            ctx.baudIndex = -1;
            for (int i = 0; i < SerialLink::baudEntries().size(); ++i)
                if (QString::number(SerialLink::baudRateOf(i)) == value)
                    ctx.baudIndex = i;
            if (ctx.baudIndex < 0)
                return usageError(
                    QStringLiteral("RATE is one of 9600, 14400, 19200, 28800, 38400"));
        } else {
            Texts::Language language;
            if (!Texts::fromCode(value, &language))
                return usageError(QStringLiteral("--lang is de, en or fr"));
            Texts::setLanguage(language);
        }
    }
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString name = args.takeFirst();
    for (const Command& c : commands)
        if (name == QLatin1String(c.name))
            return c.run(ctx, args);
    return usageError(QStringLiteral("unknown command %1").arg(name));
}
