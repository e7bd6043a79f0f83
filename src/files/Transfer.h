#pragma once

#include "base/Operator.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class CKormakDoc;
class SerialLink;
struct AxisParameters;

// Loading an offline configuration into real axes: the parameters of the
// panel, the acceleration table of its file (when it differs from the axis's,
// after asking), the file's PLC lines, and the permanent store, axis by axis
// in address order, followed by one summary of what was loaded.

// The parameter commands the panel's values make, in the order they are
// sent: "PD", "PA", "PR", "PS", "PF", "PG", the file's first "PH" line ("PH0"
// without one), "PL", "PM", "PN" (hexadecimal), "PO", "PP", "PT", "PW". A list
// without a selection has no command.
QStringList TransferParameterCommands(const AxisParameters& params, const CKormakDoc& doc);

// The file's PLC lines ("EW..." / "WU..."), in list order, without line ends.
QStringList TransferSequenceLines(const QStringList& lineList);

class TransferToAxes {
public:
    // What to do when the axis's acceleration table differs from the file's.
    enum class Ramps { Ask, Yes, No };

    enum class Outcome {
        NotStarted, // the port could not be opened (10104)
        NoAddress,  // no axis ticked (10193)
        Finished,   // the summary was shown
    };

    struct Result {
        Outcome outcome = Outcome::NotStarted;
        std::array<bool, 16> loaded{};
        // The axis's table is the file's: it was equal, or it was programmed
        // without a fault.
        std::array<bool, 16> tableMatches{};
        bool allLoaded(quint16 ticked) const;
    };

    TransferToAxes(SerialLink& link, Operator& op) : link_(link), op_(op) {}

    Ramps ramps = Ramps::Ask;
    // Told true once the port is open and the run begins, and false when it
    // ends (on every path): the panel's transferBusy and its four buttons.
    std::function<void(bool running)> runningChanged;

    // Runs the transfer of params and doc (the offline panel's) into the axes
    // whose bit is set in ticked (bit a for address a). Holds the busy state
    // for the whole run; currentAddress is restored at the end.
    Result run(const AxisParameters& params, const CKormakDoc& doc, quint16 ticked);

private:
    enum class AxisEnd { Done, Stopped, RunEnds };
    AxisEnd loadAxis(int a, const QStringList& parameters, const QString& fileTable,
                     const QStringList& sequence, qsizetype progressRange, Result& result);
    QString send(const QString& command);
    bool fits(const QString& command) const;
    AxisEnd stopAxis(int a, Result& result);
    void reportLost();
    // The write release for the axis being loaded.
    bool unlock();
    // A write, true when the controller took it.
    bool write(const QString& command);

    SerialLink& link_;
    Operator& op_;
    QString address_;        // the axis this run talks to now
    bool lostShown_ = false; // 10103 has been shown for this axis
};

// The summary text of a run: 10194, the loaded addresses, 10195.
QString TransferSummaryText(const std::array<bool, 16>& loaded);
