#pragma once

#include <QStringList>

class CliContext;

// One function per kormakctl command; args are the words after the command's name.
int runPorts(CliContext& ctx, const QStringList& args);
int runSend(CliContext& ctx, const QStringList& args);
int runProbe(CliContext& ctx, const QStringList& args);
int runSave(CliContext& ctx, const QStringList& args);
int runShow(CliContext& ctx, const QStringList& args);
int runRampTable(CliContext& ctx, const QStringList& args);
