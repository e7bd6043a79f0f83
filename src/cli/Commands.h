#pragma once

#include <QStringList>

class CliContext;
class QCommandLineParser;

// One kormakctl command: its name, what `kormakctl --help` says of it, the
// options and arguments it takes (declared on its own parser, which also
// writes `kormakctl COMMAND --help`), and what it does with the parsed words.
struct CliCommand {
    const char* name;
    const char* summary;
    void (*declare)(QCommandLineParser& parser);
    int (*run)(CliContext& ctx, const QCommandLineParser& parser);
};

// Every command, in the order `kormakctl --help` lists them.
const QList<CliCommand>& cliCommands();

void declarePorts(QCommandLineParser& parser);
int runPorts(CliContext& ctx, const QCommandLineParser& parser);
void declareSend(QCommandLineParser& parser);
int runSend(CliContext& ctx, const QCommandLineParser& parser);
void declareProbe(QCommandLineParser& parser);
int runProbe(CliContext& ctx, const QCommandLineParser& parser);
void declareSave(QCommandLineParser& parser);
int runSave(CliContext& ctx, const QCommandLineParser& parser);
void declareShow(QCommandLineParser& parser);
int runShow(CliContext& ctx, const QCommandLineParser& parser);
void declareTransfer(QCommandLineParser& parser);
int runTransfer(CliContext& ctx, const QCommandLineParser& parser);
void declareDiff(QCommandLineParser& parser);
int runDiff(CliContext& ctx, const QCommandLineParser& parser);
void declareBaud(QCommandLineParser& parser);
int runBaud(CliContext& ctx, const QCommandLineParser& parser);
void declareMonitor(QCommandLineParser& parser);
int runMonitor(CliContext& ctx, const QCommandLineParser& parser);
void declareRampTable(QCommandLineParser& parser);
int runRampTable(CliContext& ctx, const QCommandLineParser& parser);
void declarePlc(QCommandLineParser& parser);
int runPlc(CliContext& ctx, const QCommandLineParser& parser);
void declareStatus(QCommandLineParser& parser);
int runStatus(CliContext& ctx, const QCommandLineParser& parser);
void declareReset(QCommandLineParser& parser);
int runReset(CliContext& ctx, const QCommandLineParser& parser);
void declareBackup(QCommandLineParser& parser);
int runBackup(CliContext& ctx, const QCommandLineParser& parser);
void declareRestore(QCommandLineParser& parser);
int runRestore(CliContext& ctx, const QCommandLineParser& parser);
void declareReport(QCommandLineParser& parser);
int runReport(CliContext& ctx, const QCommandLineParser& parser);

// Shared option rules.
// "--address A": one of 0..9, A..F, either case; false (and *address
// untouched) for anything else.
bool parseAddress(const QString& text, QString* address);
