#pragma once

// A whole machine at once: every axis of the bus saved into one folder with a
// manifest (machine.json) that says which file belongs to which axis, and the
// folder put back into the axes after checking that it is whole and that each
// axis is the device it was taken from.

#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "files/AxisComparison.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Operator;
class SerialLink;

namespace MachineBackup {

inline QString manifestName() {
    return QStringLiteral("machine.json");
}
// "AXIS3.OPM": the file of one axis inside the folder.
QString axisFileName(QChar address);
// The family of a device type text: its leading letters ("TKV 3A/50V" and
// "TKV 6A/80V" are both "TKV"). Empty when the text starts with none.
QString deviceFamily(const QString& deviceType);
// The SHA-256 of bytes as 64 lower-case hexadecimal digits.
QString sha256Hex(const QByteArray& bytes);

struct AxisEntry {
    QChar address;
    bool present = false; // the axis answered and was saved
    int rate = 0;         // the rate it answered at
    QString deviceType;   // its reply to "DO?"
    QString file;         // the file's name inside the folder
    QString sha256;
};

struct Manifest {
    QDateTime created;
    QString port;
    QList<AxisEntry> axes;
};

// The manifest as it is written (a JSON object, indented), and read back.
// Reading refuses what is not such a document: no object, an address that is
// no axis or appears twice, a present axis without file or hash, a file name
// that leaves the folder.
QByteArray manifestJson(const Manifest& manifest);
bool parseManifest(const QByteArray& bytes, Manifest* manifest, QString* error);

// ---- Backup ----

struct BackupResult {
    bool ok = false;
    Manifest manifest; // the axes saved and the absent ones
    // The axes that answered and could not be saved, in address order.
    QList<QChar> failed;
    // Why a file could not be written, "NAME: reason" each; a silent axis
    // has said so through the operator.
    QStringList errors;
};

// Saves every axis whose bit is set in addresses (bit a for address a) that
// answers, each at its own rate, into folder as axisFileName() with the same
// bytes as a save of its panel; the axes that do not answer are listed as
// absent. An axis that answered and then could not be saved is named in
// failed and the others are still saved. The manifest is written last, and
// only when every answering axis was saved; an old manifest in the folder is removed before the
// first file is replaced, so that it never describes files it was not written for. Holds the busy
// state.
struct BackupHooks {
    // Told each axis before it is looked for.
    std::function<void(QChar address)> axisStarted;
    // Finds the rate of the axis at link.currentAddress(); when empty,
    // ProbeAxisQuietly: an absent axis is listed, not reported.
    std::function<bool()> probe;
};
BackupResult backupMachine(SerialLink& link, Operator& op, const QByteArray& folder,
                           quint16 addresses, const BackupHooks& hooks = {});

// ---- Restore ----

// One axis's file, read and checked, ready to be loaded.
struct RestoreItem {
    AxisEntry entry;
    AxisParameters params;
    std::shared_ptr<CKormakDoc> doc; // a document is a QObject: shared, never copied
};

// What is wrong with the folder before anything is sent: the manifest cannot
// be read, a file is missing or unreadable, or its SHA-256 differs from the
// recorded one. Each problem is a line naming the file.
struct RestorePlan {
    Manifest manifest;
    QList<RestoreItem> items;
    QStringList problems;
    bool ok() const { return problems.isEmpty(); }
};

// Reads the manifest and every file of a present axis whose bit is set in
// only (all present axes when only is 0); sends nothing. An address of only
// that the manifest holds no file for is a problem.
RestorePlan planRestore(const QByteArray& folder, quint16 only);

// How an axis compares with the one its file was taken from.
enum class Identity {
    Same,        // "DO?" gives the recorded text
    SameFamily,  // the same family, another text: ask
    OtherFamily, // refused unless allowed
    Silent       // no rate got an answer
};

// Probes the axis at its own rate (through probe, ProbeAxisQuietly when
// empty: the caller names a silent axis) and
// compares its "DO?" with the record. deviceType gets the reply (empty when
// silent).
Identity identifyAxis(SerialLink& link, const AxisEntry& entry, QString* deviceType,
                      const std::function<bool()>& probe = {});

struct RestoreAxisResult {
    QChar address;
    bool loaded = false;
    bool verified = false; // read back and equal to the file
    bool readBack = false; // the read-back was complete
    QStringList differences;
};

// Loads one axis's file as the transfer does, its ramps programmed where
// they differ, then reads the axis back at its own rate. Leaves
// currentAddress as it found it.
RestoreAxisResult restoreAxis(SerialLink& link, Operator& op, const RestoreItem& item,
                              const std::function<bool()>& probe = {});

} // namespace MachineBackup
