#pragma once

#include "cli/TerminalOperator.h"
#include "link/SerialLink.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
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
    int baudIndex = -1; // --baud as an index in the baud list; -1: not given
    bool json = false;  // --json: one JSON document on standard output

    // Selects port and rate and opens the port; on failure prints 10104.
    bool openPort();
    // Opens the port and addresses the axis. A port named without a rate may
    // run at any rate of the list, whatever was last chosen in the window, so
    // the axis's rate is searched for first, as the axis bar does.
    bool connectAxis(const QString& address);
    // The link probe on the addressed axis; its time-out message names the
    // rates it tried.
    bool probe();

    // "No reply from axis A at R Baud" for the rate the link is set to.
    QString noReplyText() const;

    // The command-line words as the program sees them. A word the system's
    // encoding cannot turn into text and back (a file name that is not valid
    // UTF-8) stands in the list as a placeholder; rawWord gives back its
    // bytes, and for every other word the bytes the file system gets for it.
    void setWords(int argc, char** argv);
    QStringList words() const { return words_; }
    QByteArray rawWord(const QString& word) const;

private:
    // Where the port given on the command line stands in the port list; -1
    // when it is not there.
    int portIndexOf(const QString& port) const;
    QString timeoutDetail(const Operator::Message& message) const;

    QStringList words_;
    QHash<QString, QByteArray> undecodable_;
    bool probing_ = false;
#ifdef KORMAK_WITH_SIMULATOR
    // Where the in-process simulator logs, named by $KORMAK_SIM_LOG; declared first, so
    // that it is closed only after the simulator has stopped.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> simulatorLog_{nullptr, std::fclose};
    std::unique_ptr<sim::SimHost> simulator_;
#endif
};

// Exit codes shared by the commands.
enum CliExit { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

// Prints a usage error to standard error, with the help to read (that of the
// command when one is given), and returns ExitUsage.
int usageError(const QString& text, const char* command = nullptr);
// Write text, or a line, to standard output; a failed write is remembered.
void printText(const QString& text);
void printLine(const QString& text);
// The error (an errno value) of the first write to standard output that
// failed, including the flush of what is still buffered; 0 when all went out.
int standardOutputError();
// Writes a JSON document (an object) to standard output, as one line.
void printJson(const QJsonObject& object);
// Writes "kormakctl: NAME: text" to standard error, the name as its bytes.
void printFileError(const QByteArray& name, const QString& text);
// The message of a text id, with the system's reason after it when there is one.
QString fileErrorText(int textId, const QString& reason);
