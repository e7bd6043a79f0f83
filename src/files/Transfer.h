#pragma once

#include "base/Operator.h"
#include "files/AxisComparison.h"
#include "files/FileCheck.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

class CKormakDoc;
class SerialLink;
struct AxisConfiguration;

// Loading an offline configuration into real axes: the parameters of the
// panel, the acceleration table of its file (when it differs from the axis's,
// after asking), the file's PLC lines, and the permanent store, axis by axis
// in address order, followed by one summary of what was loaded.
//
// Nothing is sent to any axis before the whole file has been checked, every
// ticked axis has been found, its family read ("DO?") and its ramp table read,
// and every question has been answered. An axis counts as loaded only when it
// refused none of its writes (short status bit 6 and a command-error bit of
// "IS?") and, with the read-back, showed the file's values afterwards.

// The parameter commands the panel's values make, in the order they are
// sent: "PD", "PA", "PR", "PS", "PF", "PG", the file's first "PH" line ("PH0"
// without one), "PL", "PM", "PN" (hexadecimal), "PO", "PP", "PT", "PW". A list
// without a selection has no command.
QStringList TransferParameterCommands(const AxisConfiguration& params, const CKormakDoc& doc);

// The file's PLC lines ("EW..." / "WU..."), in list order, without line ends.
QStringList TransferSequenceLines(const QStringList& lineList);

class TransferToAxes {
public:
    // What to do when the axis's acceleration table differs from the file's.
    enum class Ramps { Ask, Yes, No };

    // What to do when an axis is of another family than the file's.
    enum class OtherFamily { Ask, Load, Refuse };

    enum class Outcome {
        NotStarted, // the port could not be opened (10104)
        NoAddress,  // no axis ticked (10193)
        Damaged,    // the file would send a value that is not one: nothing sent
        Declined,   // a question before the first write was answered No (or not at all)
        Finished,   // the summary was shown
    };

    // A write an axis refused: the command ("PA2.0", "EW05GA100") and the
    // text id of the reason (10078, 10079, 10080).
    struct Refusal {
        int axis = 0;
        QString command;
        int reasonTextId = 0;
    };

    struct Result {
        Outcome outcome = Outcome::NotStarted;
        std::array<bool, 16> loaded{};
        // The axis's table is the file's: it was equal, or it was programmed
        // without a fault.
        std::array<bool, 16> tableMatches{};
        // A write went to the axis (loaded or not, it may hold new values).
        std::array<bool, 16> written{};
        FileDamage damage;      // for Damaged
        QList<int> otherFamily; // the axes of another family (for Declined, or loaded anyway)
        QList<Refusal> refusals;
        // With the read-back: the comparison of each axis that was read, and
        // the axes that could not be read.
        QMap<int, AxisComparison> readBack;
        QList<int> unreadable;
        bool allLoaded(quint16 ticked) const;
    };

    TransferToAxes(SerialLink& link, Operator& op) : link_(link), op_(op) {}

    Ramps ramps = Ramps::Ask;
    OtherFamily otherFamily = OtherFamily::Ask;
    // Read each loaded axis back and count one that differs as not loaded.
    bool readBack = false;
    // Told true once the port is open and the run begins, and false when it
    // ends (on every path): the panel's transferBusy and its four buttons.
    std::function<void(bool running)> runningChanged;

    // Runs the transfer of params and doc (the offline panel's) into the axes
    // whose bit is set in ticked (bit a for address a). Holds the busy state
    // for the whole run; currentAddress is restored at the end.
    Result run(const AxisConfiguration& params, const CKormakDoc& doc, quint16 ticked);

private:
    enum class AxisEnd { Done, Stopped, RunEnds };
    // What was found on an axis before the first write.
    struct Found {
        bool present = false;
        int baudIndex = 0;
        QString family; // the first three letters of "DO?" (read only for a file with a family)
        QString table;  // "FR0050" + "FR0060"
        bool programRamps = false;
    };
    // Probes each ticked axis and reads its family and table; an axis that
    // is not found or stops answering is not loaded.
    void survey(quint16 ticked, const QString& fileFamily, std::array<Found, 16>& found,
                Result& result);
    // The questions before the first write; false when the run ends there.
    bool decide(const QString& fileFamily, const QString& fileTable, std::array<Found, 16>& found,
                Result& result);
    void selectAxis(int a, const Found& found);
    AxisEnd loadAxis(int a, const Found& found, const QStringList& parameters,
                     const QString& fileTable, const QStringList& sequence, qsizetype progressRange,
                     Result& result);
    void readBackAxis(int a, const Found& found, const AxisConfiguration& params,
                      const CKormakDoc& doc, Result& result);
    void showSummary(Result& result);
    QString send(const QString& command);
    bool fits(const QString& command) const;
    AxisEnd stopAxis(int a, Result& result);
    void reportLost();
    // The write release for the axis being loaded.
    bool unlock();
    // A write, true when the controller took it; a refusal is noted in
    // result.
    bool write(const QString& command, Result& result);

    SerialLink& link_;
    Operator& op_;
    QString address_; // the axis this run talks to now
    int axis_ = 0;
    bool lostShown_ = false; // 10103 has been shown for this axis
};

// The summary text of a run: 10194, the loaded addresses, 10195.
QString TransferSummaryText(const std::array<bool, 16>& loaded);

// The first fault of a file that is to be sent: a damaged line of the file,
// then a command of the panel's values that is not of its form.
FileDamage CheckTransferInput(const QStringList& parameterCommands, const QStringList& lineList);

// The line of a refusal: the axis, the parameter and why.
QString TransferRefusalText(const TransferToAxes::Refusal& refusal);
