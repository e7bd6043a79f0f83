#pragma once

#include "sim/SimPlc.h"
#include "sim/SimRampMemory.h"

#include <QByteArray>
#include <QChar>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace sim {

// Bits of the 32-bit overall status; bits 0-7 are the short status every reply carries.
namespace StatusBit {
enum : quint32 {
    Running = 1u << 0,
    InitiatorPlus = 1u << 1,
    InitiatorMinus = 1u << 2,
    PowerStage = 1u << 3,
    SfiError = 1u << 4,
    ReceiveError = 1u << 5,
    OtherError = 1u << 6,
    HardwareReset = 1u << 7,
    BadValue = 1u << 9,
    UnknownCommand = 1u << 11,
    NotNow = 1u << 12,
    MemoryOverflow = 1u << 13,
    ChecksumError = 1u << 15,
    InitiatorError = 1u << 17,
    TemperatureWarning = 1u << 18,
    ParametersChanged = 1u << 21,
    NoRamps = 1u << 22,
    NoSystem = 1u << 23,
    Initialising = 1u << 24,
    PulseLock = 1u << 25,
    Initialised = 1u << 26,
    FreeRunning = 1u << 27,
    OutputDriver = 1u << 31,
};
// Errors of a single command and of the line: they stay set until the overall status
// has been read once.
constexpr quint32 ReadClears =
    ReceiveError | BadValue | UnknownCommand | NotNow | MemoryOverflow | ChecksumError;
// The errors by which an axis refuses a command it received.
constexpr quint32 Refusals = BadValue | UnknownCommand | NotNow | MemoryOverflow;
// Everything that lights the "other error" lamp of the short status.
constexpr quint32 OtherErrors = BadValue | UnknownCommand | NotNow | MemoryOverflow |
                                ChecksumError | InitiatorError | OutputDriver;
} // namespace StatusBit

// The parameter set that "PB" restores and "WP" stores permanently.
struct SimParameters {
    qint64 startStopFreq = 400; // PO, Hz
    qint64 runFreq = 2000;      // PF, Hz
    int rampIndex = 0;          // PN
    int systemType = 0;         // PL: 0 rotary, 1 linear
    int operatingMode = 0;      // PD: 0 PC connection, 1 PLC mode
    qint64 axisLimit = 1000000; // PG, eighth steps
    qint64 backlash = 0;        // PW
    qint64 zeroOffsetPlus = 0;  // PP
    qint64 zeroOffsetMinus = 0; // PM
    qint64 ph = 0;              // PH
    // Currents: tenths of an ampere on the ampere families, a level 0..15 otherwise.
    int stopCurrent = 0;   // PS
    int runCurrent = 0;    // PR
    int boostCurrent = 0;  // PA
    qint64 boostTime = 20; // PT, ms

    bool operator==(const SimParameters&) const = default;
};

// One simulated controller axis: its identity, parameters, motion, status, memory areas and
// option cards. The fields are public so that tests and kormak-sim can set up any state.
class SimAxis {
public:
    explicit SimAxis(QChar address = u'0');

    // Identity.
    QChar address;
    int baud = 28800;                // the only line rate it understands
    QString dateCode = "190423";     // "IC?", the key of the write release
    QString biosCode = "BIOS_V2.14"; // "IB?"
    QString systemCode = "PG_3.07";  // "IV?"
    QString deviceId = "SN 0815";    // "ID?"
    qint64 clockHz = 12000000;       // "IQ?"
    qint64 maxRunFreq = 10000;       // "IF?"
    QByteArray currentLevels;        // "FA?": 16 bytes, current of level i in 0.1 A

    // The family text answered to "DO?". Setting it also loads that family's defaults
    // (currents are amperes on "TKV" and "TMW", levels elsewhere; "RZH" has 8 PLC slots).
    QString family() const { return family_; }
    void setFamily(const QString& text);
    bool ampereFamily() const;
    bool eightSlots() const { return family_.contains(u"RZH"); }
    int slotCount() const { return eightSlots() ? 8 : 256; }
    // Baud rates the axis can switch to with "DB": all five on the ampere families,
    // 9600 and 28800 elsewhere.
    bool supportsBaud(int rate) const;
    SimParameters defaults() const;

    SimParameters params; // current values
    SimParameters stored; // permanently stored values ("WP"), reloaded by "CR"

    // Motion. Positions are eighth steps; the axis travels between two initiators at
    // physical 0 (initiator -) and travel (initiator +).
    qint64 travel = 400000;
    qint64 position() const;        // the position register ("PC?")
    void setPosition(qint64 value); // sets the register without moving
    double physicalPosition() const { return physical_; }
    void setPhysicalPosition(double eighths); // moves the carriage by hand (register follows)
    bool moving() const { return motion_ != Motion::None; }
    double speed() const { return speed_; } // full steps per second

    // I/O.
    int inputs = 0;        // E0-E3 / STROBE, ENABLE, CLEAR, RESET ("II?")
    int outputs = 0;       // A0, A1 / READY, ERROR ("IO")
    int programNumber = 0; // PROG0..PROG7 ("EI?")
    bool ioCard = false;   // optional I/O extension ("PE?", "EO")
    int ioCardOutputs = 0;

    // SFI option card.
    bool sfiCard = false;
    bool sfiActive = false;
    int sfiConfig = 0xFF; // 0xFF: never configured
    QString sfiVariant = "2";
    QMap<int, QByteArray> sfiProgram; // stored records by address

    // PLC slot area (256 slots; the "RZH" family uses the first 8).
    QStringList plcSlots;
    // Slots whose writes are answered "OK" but never reach the memory.
    QSet<int> unstoredSlots;
    // Slots whose writes use up their release and are answered "NO", as a
    // controller does that cannot store them.
    QSet<int> refusedSlots;
    // "WE" uses up its release and is answered "NO"; nothing is erased.
    bool refuseErase = false;

    SimRampMemory ramps;
    // PLC mode and the switches that refuse the write release.
    SimPlc plc;
    // "WD" is acknowledged but leaves ramp memory and PLC area as they are, as when the
    // erase never reached the controller's memory.
    bool ignoreErase = false;

    // Status bits that stay set until something clears them (errors, warnings, the
    // parameter-change flag). Tests may set any bit here.
    quint32 latched = 0;
    quint32 overallStatus() const;
    quint8 shortStatus() const { return quint8(overallStatus() & 0xFF); }
    // The short status of the reply to the command just carried out: a read of the overall
    // status reports what was set before it cleared it.
    quint8 replyStatus() const;

    // After "CR" the axis restarts: it answers nothing for this long, then
    // comes back with its stored parameters.
    int restartMs = 1500;
    bool restarting(qint64 nowMs) const { return nowMs < restartEndMs_; }

    // Whether a write release is open, and for which sequence.
    enum class Grant { None, Open, Ramp, Sfi };
    Grant grant() const { return grant_; }

    // Carries out one command and returns the data field of its reply. A line-rate change
    // ("DB") takes effect after the reply; takePendingBaud() hands it to the bus.
    QString execute(const QString& command, qint64 nowMs);
    // The refusal errors (StatusBit::Refusals) the last execute() raised; 0 when it was
    // carried out or answered.
    quint32 lastRefusal() const { return lastRefusal_; }
    int takePendingBaud();
    void advance(qint64 nowMs);
    // One command of a running cycle program: a move, or a parameter set,
    // carried out in PLC mode as the PC could only in mode 0.
    void runFromPlc(const QString& command);

private:
    enum class Motion { None, Target, FreeRun, Initiator, Stopping };

    QString carryOut(const QString& command, qint64 nowMs);
    QString setParameter(const QString& mnemonic, const QString& arg);
    QString query(const QString& mnemonic, const QString& arg);
    QString current(int value, bool amperes) const;
    bool parseCurrent(const QString& text, int* value) const;
    QString startMotion(const QString& mnemonic, const QString& arg);
    QString write(const QString& mnemonic, const QString& arg);
    bool takeGrant(Grant sequence);
    void dropGrant();
    void resetDrive();
    void finishMotion();
    double rampSlope() const;
    void step(double seconds);

    QString family_;
    quint32 shelved_ = 0;     // refusal errors latched before the command being carried out
    quint32 lastRefusal_ = 0; // see lastRefusal()
    quint32 readCleared_ = 0; // what the command being answered cleared by reading it
    Grant grant_ = Grant::None;
    int pendingBaud_ = 0;
    qint64 restartEndMs_ = -1;
    int sfiConfigStaged_ = -1;
    QMap<int, QByteArray> sfiStaged_;

    double physical_ = 200000;
    double offset_ = -200000; // register = physical + offset
    Motion motion_ = Motion::None;
    Motion beforeStop_ = Motion::None;
    int direction_ = 1;
    double target_ = 0;
    double speed_ = 0;
    qint64 lastMs_ = -1;
    bool plcDriven_ = false;
};

} // namespace sim
