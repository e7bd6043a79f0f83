#include "base/FileIo.h"
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "link/SerialLink.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

const QList<CliCommand>& cliCommands() {
    static const QList<CliCommand> commands{
        {"ports", "List the serial ports.", declarePorts, runPorts},
        {"send", "Send commands to one axis and print each reply on a line.", declareSend, runSend},
        {"probe", "Find the rate an axis answers at and print it.", declareProbe, runProbe},
        {"baud", "Change the rate of an axis and print the new rate.", declareBaud, runBaud},
        {"monitor", "Send commands read line by line from standard input; print each reply.",
         declareMonitor, runMonitor},
        {"save", "Read an axis and save its parameter file.", declareSave, runSave},
        {"show", "Print what a panel takes from a parameter file.", declareShow, runShow},
        {"transfer", "Load a parameter file into axes, as the panel's transfer does.",
         declareTransfer, runTransfer},
        {"diff", "Compare a parameter file with an axis, item by item.", declareDiff, runDiff},
        {"ramp-table", "Compute a ramp table without a controller.", declareRampTable,
         runRampTable},
        {"plc", "Print an axis's PLC slots, or program them from a listing.", declarePlc, runPlc},
        {"status", "Print an axis's overall status: its code and every lit lamp.", declareStatus,
         runStatus},
        {"reset", "Reset part of an axis, or the whole axis.", declareReset, runReset},
        {"backup", "Save every answering axis into a folder, with a manifest.", declareBackup,
         runBackup},
        {"restore", "Load a folder written by backup back into its axes.", declareRestore,
         runRestore},
        {"report", "Write the configuration report of an axis or a parameter file as a PDF.",
         declareReport, runReport},
    };
    return commands;
}

namespace {

const char* const kGlobalUsage =
    "kormakctl [--port PORT] [--baud RATE] [--lang de|en|fr] [--yes] [--json]";

void print(const QString& text) {
    printText(text);
}

// Qt's help text with our own first line: the parser only knows the words
// it was given, not that a command is one of them.
QString helpWithUsage(const QCommandLineParser& parser, const QString& usage) {
    QString text = parser.helpText();
    const qsizetype eol = text.indexOf(QLatin1Char('\n'));
    return QStringLiteral("Usage: ") + usage + (eol < 0 ? QString() : text.mid(eol));
}

QString commandUsage(const CliCommand& c, const QCommandLineParser& parser) {
    QString usage = QStringLiteral("%1 %2 [options]").arg(QLatin1String(kGlobalUsage), c.name);
    // The positional arguments, as Qt would write them in its own usage line.
    const QString qtUsage = parser.helpText().section(QLatin1Char('\n'), 0, 0);
    const qsizetype options = qtUsage.indexOf(QLatin1String("[options]"));
    if (options >= 0)
        usage += qtUsage.mid(options + 9);
    return usage;
}

QCommandLineOption helpOption() {
    return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("Show this help."));
}

void printGlobalHelp(const QCommandLineParser& parser) {
    QString text =
        helpWithUsage(parser, QLatin1String(kGlobalUsage) + QStringLiteral(" COMMAND [ARGS]"));
    text += QStringLiteral("\nCommands:\n");
    for (const CliCommand& c : cliCommands())
        text += QStringLiteral("  %1%2\n").arg(QString::fromLatin1(c.name), -12).arg(c.summary);
    text += QStringLiteral(
        "\nRun 'kormakctl COMMAND --help' for the options of a command.\n\n"
        "Exit status: 0 done; 1 a reply was TIMEOUT, ERROR or OFFLINE, or the port could\n"
        "not be opened; 2 usage error.\n");
    print(text);
}

int runCommand(CliContext& ctx, const CliCommand& c, const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(c.summary));
    const QCommandLineOption help = helpOption();
    parser.addOption(help);
    c.declare(parser);
    // The parser skips its first word, the program's name.
    if (!parser.parse(QStringList{QStringLiteral("kormakctl")} + args))
        return usageError(parser.errorText(), c.name);
    if (parser.isSet(help)) {
        print(helpWithUsage(parser, commandUsage(c, parser)));
        return ExitOk;
    }
    return c.run(ctx, parser);
}

} // namespace

int runKormakctl(int argc, char** argv) {
    // The report draws text, which needs fonts and so a GUI application; it
    // draws off screen, so it needs no display.
    bool drawsPages = false;
    for (int i = 1; i < argc; ++i)
        drawsPages = drawsPages || qstrcmp(argv[i], "report") == 0;
    if (drawsPages && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = drawsPages
                                                ? std::make_unique<QGuiApplication>(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Veltrax GmbH"));
    QCoreApplication::setApplicationName(QStringLiteral("Kormak"));
    Texts::setLanguage(Texts::platformLanguage());

    CliContext ctx;
    ctx.setWords(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Talks to stepper-motor controller axes on a serial bus.\n\n"
                       "PORT is a system port name, a device path, a network port\n"
                       "(rfc2217://HOST:PORT, or socket://HOST:PORT at the server's rate)"
#ifdef KORMAK_WITH_SIMULATOR
                       ",\nor 'sim' (the simulated bus in this process)"
#endif
                       ".\nGiven without --baud, the rate is searched for as the axis bar does;\n"
                       "without --port and --baud, the port and rate chosen in Kormak are used."));
    // Options after the command are the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = helpOption();
    const QCommandLineOption portOpt(QStringLiteral("port"), QStringLiteral("Serial port."),
                                     QStringLiteral("PORT"));
    const QCommandLineOption baudOpt(QStringLiteral("baud"),
                                     QStringLiteral("9600, 14400, 19200, 28800 or 38400."),
                                     QStringLiteral("RATE"));
    const QCommandLineOption langOpt(QStringLiteral("lang"),
                                     QStringLiteral("Language of messages: de, en or fr."),
                                     QStringLiteral("LANG"));
    const QCommandLineOption yesOpt(QStringLiteral("yes"),
                                    QStringLiteral("Answer Yes / OK to every question."));
    const QCommandLineOption jsonOpt(
        QStringLiteral("json"),
        QStringLiteral("ports, probe, status, show, diff, transfer --verify, backup and restore "
                       "print one JSON document; messages stay on standard error."));
    parser.addOptions({help, portOpt, baudOpt, langOpt, yesOpt, jsonOpt});
    if (!parser.parse(QStringList{QStringLiteral("kormakctl")} + ctx.words()))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        printGlobalHelp(parser);
        return ExitOk;
    }
    ctx.op.assumeYes = parser.isSet(yesOpt);
    ctx.json = parser.isSet(jsonOpt);
    if (parser.isSet(portOpt)) {
        ctx.portArg = parser.value(portOpt);
        // An empty name would fall back to the remembered or the first system
        // port: a command meant for one line must never go out on another.
        if (ctx.portArg.isEmpty())
            return usageError(QStringLiteral("--port needs a port name"));
    }
    if (parser.isSet(baudOpt)) {
        const QString value = parser.value(baudOpt);
        for (int i = 0; i < SerialLink::baudEntries().size(); ++i)
            if (QString::number(SerialLink::baudRateOf(i)) == value)
                ctx.baudIndex = i;
        if (ctx.baudIndex < 0)
            return usageError(QStringLiteral("RATE is one of 9600, 14400, 19200, 28800, 38400"));
    }
    if (parser.isSet(langOpt)) {
        Texts::Language language;
        if (!Texts::fromCode(parser.value(langOpt), &language))
            return usageError(QStringLiteral("--lang is de, en or fr"));
        Texts::setLanguage(language);
    }

    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));
    const QString name = args.takeFirst();
    for (const CliCommand& c : cliCommands())
        if (name == QLatin1String(c.name))
            return runCommand(ctx, c, args);
    return usageError(QStringLiteral("unknown command %1").arg(name));
}

int main(int argc, char** argv) {
    // Before Qt opens anything: a closed standard input would otherwise be
    // the first file Qt opens, and its bytes read as commands.
    FileIo::reopenClosedStandardDescriptors(true);
    int status = runKormakctl(argc, argv);
    // Output a script cannot read is no success: report what did not get out.
    if (const int error = standardOutputError()) {
        std::fprintf(stderr, "kormakctl: write error: %s\n", std::strerror(error));
        if (status == ExitOk)
            status = ExitFailed;
    }
    return status;
}
