#pragma once

#include "cli/TerminalOperator.h"
#include "link/SerialLink.h"

#include <QStringList>
#include <memory>

namespace sim {
class SimHost;
}

// What every kormakctl command works with: the operator on the terminal, the
// serial link on the chosen port and rate, and, for "--port sim", the
// simulated bus in this process.
class CliContext {
public:
    CliContext();
    ~CliContext();

    TerminalOperator op;
    SerialLink link;
    QString portArg;    // --port as given; empty: the port stored by the program
    int baudIndex = -1; // --baud as an index in the baud list; -1: the stored one

    // Selects port and rate and opens the port; on failure prints 10104.
    bool openPort();

private:
#ifdef KORMAK_WITH_SIMULATOR
    std::unique_ptr<sim::SimHost> simulator_;
#endif
};

// Exit codes shared by the commands.
enum CliExit { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Prints a usage error to standard error and returns ExitUsage.
int usageError(const QString& text);
// Writes a line to standard output.
void printLine(const QString& text);
