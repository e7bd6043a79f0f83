// Every long operation against every fault the line can throw at it: no
// reply from some command on, a late reply, noise before a reply, a reply in
// pieces, an overflow burst, the port vanishing. Each row says how the
// operation must end: whether it reports success, which messages the operator
// saw, and what must still hold (a file left as it was, a dialog that lists
// what the controller holds, a link that answers the next command with its
// own reply). A new operation adds itself to operations() and its rows.

#include "ScriptedOperator.h"
#include "SimRig.h"
#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "axis/StatusPolling.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/CRampenDlg.h"
#include "drive/CReset.h"
#include "drive/CSFIDialog.h"
#include "drive/Currents.h"
#include "drive/OverallStatus.h"
#include "drive/ProgramPlcArea.h"
#include "drive/RampCalculation.h"
#include "drive/RampMemory.h"
#include "files/AxisComparison.h"
#include "files/MachineBackup.h"
#include "files/ParameterFile.h"
#include "files/Transfer.h"
#include "link/BaudChange.h"
#include "link/ProbeAxis.h"
#include "link/RsMonitor.h"
#include "link/SerialLink.h"
#include "plc/IoCard.h"
#include "plc/PlcArea.h"
#include "plc/SequenceArea.h"
#include "report/ReportReader.h"
#include "widgets/CWait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using sim::Fault;

namespace {

// Short, so that the rows where the time-out is the subject stay quick.
constexpr int kTimeoutMs = 300;
// Set while a row sends replies after their time-out (see the ramp deletion).
bool repliesMayBeMisplaced = false;
constexpr qint64 kTopFrequency = 4000;

const QString kPortLost = QStringLiteral("link.portLost");
// A programming run stopped before the store: the card must be programmed again.
const QString kSfiNotStored = QStringLiteral("sfi.notStored");

// The SFI program the card gets: three 16-byte records, a shorter one the
// card is not sent, and the end record.
const QString kSfiProgram = QStringLiteral(":10000000000102030405060708090A0B0C0D0E0F78\r\n"
                                           ":10001000101112131415161718191A1B1C1D1E1F68\r\n"
                                           ":10002000A0A1A2A3A4A5A6A7A8A9AAABACADAEAF58\r\n"
                                           ":04003000DEADBEEF94\r\n"
                                           ":00000001FF\r\n");
const QMap<int, QByteArray> kSfiRecords = {
    {0x0000, QByteArray::fromHex("000102030405060708090A0B0C0D0E0F")},
    {0x0010, QByteArray::fromHex("101112131415161718191A1B1C1D1E1F")},
    {0x0020, QByteArray::fromHex("A0A1A2A3A4A5A6A7A8A9AAABACADAEAF")}};

// One simulated axis "0" with a few ramps and PLC slots, on a real pty,
// opened through the program's link.
struct FaultRig : SimRig {
    CKormakDoc doc;
    AxisParameters params;
    QTemporaryDir dir;
    std::unique_ptr<CRampenDlg> dialog;
    std::unique_ptr<CSFIDialog> sfiDialog;
    PlcArea::Opening opening;
    SequenceArea::Opening sequenceOpening;

    bool open() {
        axis([](sim::SimAxis& a) {
            a.maxRunFreq = kTopFrequency;
            a.ramps.erase();
            for (quint16 slope : {50, 125, 250})
                a.ramps.appendRamp(slope, a.clockHz, kTopFrequency);
            a.plcSlots[0x00] = QStringLiteral("PO400 PF2000 GA16000 PN3");
            a.plcSlots[0x21] = QStringLiteral("GA1000");
        });
        link.setTimeoutMs(kTimeoutMs);
        return dir.isValid() && SimRig::open();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    // What the controller's directory holds: "slope/bytes" per ramp.
    QStringList controllerRamps() {
        QStringList list;
        axis([&](sim::SimAxis& a) {
            for (int i = 0; i < a.ramps.rampCount(); ++i)
                list << QString::number(a.ramps.slope(i)) + "/" +
                            QString::number(a.ramps.word(0x10 + 2 * i) * 2 + 4);
        });
        return list;
    }
    // The rows the ramp dialog lists, in the same form.
    QStringList dialogRamps() const {
        QStringList list;
        for (int i = 0; i < CRampenDlg::RowCount; ++i) {
            auto* bytes = dialog->findChild<QLabel*>(QStringLiteral("rowBytes%1").arg(i));
            auto* slope = dialog->findChild<QLabel*>(QStringLiteral("rowSlope%1").arg(i));
            if (bytes && slope && !bytes->isHidden())
                list << slope->text() + "/" + bytes->text();
        }
        return list;
    }
    void click(const char* name) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
};

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// How an operation ended: the success it reported, and the first broken
// promise among the things that must hold whatever the outcome (empty: none).
struct Outcome {
    bool ok = false;
    QString broken;
};

// A long operation: prepare sets the rig up before the fault is armed, run
// carries the operation out once and checks what it left behind.
// asked: what the operator is asked before the operation starts; told: what
// a success adds. everyFault: the operation sends enough commands for every
// row of the common table to strike inside it.
struct Operation {
    std::function<bool(FaultRig&)> prepare;
    std::function<Outcome(FaultRig&)> run;
    QStringList asked = {};
    QStringList told = {};
    bool everyFault = true;
    // What a failure adds after the link's own message (a summary).
    QStringList failed = {};
    // The operation gets one reply: the faults that close the port strike on it.
    bool single = false;
};

// What the transfer left in the axis.
struct SimParametersCheck {
    qint64 runFreq = 0;
    QStringList plc;
    int ramps = 0;
    quint32 lastSlope = 0;
};

// A pseudo-reply inside a text: "TIMEOUT" kept as a slot text, or "PO" +
// "TIMEOUT" kept as a value to give back.
bool holdsPseudoReply(const QString& text) {
    for (const QString& p : {PseudoReply::Timeout, PseudoReply::Error, PseudoReply::Offline})
        if (text.contains(p.trimmed()))
            return true;
    return false;
}

// The commands the simulated bus received, without the address.
QStringList sentCommands(FaultRig& rig) {
    QStringList commands;
    for (const QString& line : rig.host.log())
        commands << line.mid(2);
    return commands;
}

// Programs the PLC area and gives the axis its values back, as a PLC dialog
// does: success only with every slot held as sent and the operating mode back.
Outcome programAndRestore(FaultRig& rig, const QStringList& texts, bool eightSlots,
                          const QStringList& restoreCommands) {
    Outcome o;
    o.ok = ProgramPlcArea(rig.link, rig.op, texts, eightSlots) == PlcAreaDone;
    if (!rig.link.lastTimedOut())
        PlcArea::SendRestoreCommands(rig.link, restoreCommands);
    QStringList held;
    int mode = -1;
    rig.axis([&](sim::SimAxis& a) {
        held = a.plcSlots.mid(0, 0x22);
        mode = a.params.operatingMode;
    });
    for (const QString& c : sentCommands(rig))
        if (holdsPseudoReply(c))
            o.broken = "a pseudo-reply went out: " + c;
    if (o.broken.isEmpty() && o.ok && held != texts.mid(0, 0x22))
        o.broken = "the controller does not hold the slots sent";
    else if (o.broken.isEmpty() && o.ok && mode != 1)
        o.broken = "the axis did not get its operating mode back";
    return o;
}

void shortWait(CWait& wait, int ms) {
    wait.setSecondMs(ms);
    wait.exec();
}

const QStringList kPlcTexts = {QStringLiteral("PO400 PF2000"), QString(),
                               QStringLiteral("GA1000 PN3"), QStringLiteral("GR-800")};

// The parameter file loaded into the axis: two ramps other than the axis's,
// two PLC slots.
QStringList transferFile() {
    QStringList lines{"PD0",
                      "PA1.2",
                      "PR0.8",
                      "PS0.3",
                      "PF3000",
                      "PG200000",
                      "PH0",
                      "PL1",
                      "PM10",
                      "PN1",
                      "PO400",
                      "PP20",
                      "PT50",
                      "PW7",
                      "; [Acceleration table]",
                      ";",
                      "; [Please don't change   ]: 0064012C" + QStringLiteral("FFFF").repeated(14),
                      ";",
                      "EW00PO400 GA100",
                      "EW21GA1000"};
    for (QString& l : lines)
        l += QStringLiteral("\r\n");
    return lines;
}

// The axis's file of a machine folder, checked before the fault is armed.
MachineBackup::RestoreItem& restoreItem() {
    static MachineBackup::RestoreItem item;
    return item;
}

// The differences a comparison finds on a clean line.
QStringList& cleanDifferences() {
    static QStringList list;
    return list;
}

// A part reset of a standing fault: its one command, and the message that says it was done.
Operation partReset(OverallStatus::Reset reset, quint32 fault) {
    Operation o;
    o.prepare = [fault](FaultRig& rig) {
        rig.axis([fault](sim::SimAxis& a) { a.latched |= fault; });
        return true;
    };
    o.run = [reset, fault](FaultRig& rig) {
        Outcome out;
        out.ok = OverallStatus::runPartReset(rig.link, rig.op, reset);
        bool standing = true;
        rig.axis([&](sim::SimAxis& a) { standing = a.latched & fault; });
        if (out.ok && standing)
            out.broken = "success, but the fault stands";
        return out;
    };
    o.told = {QString::number(OverallStatus::resetDoneTextId(reset))};
    o.everyFault = false;
    o.single = true;
    return o;
}

bool prepareTransfer(FaultRig& rig) {
    rig.link.setCurrentAddress(QStringLiteral("OFFLINE"));
    rig.doc.lineList = transferFile();
    ApplyFileLines(rig.doc.lineList, rig.params, rig.doc);
    return true;
}

Outcome runTransfer(FaultRig& rig, bool readBack) {
    TransferToAxes transfer(rig.link, rig.op);
    transfer.ramps = TransferToAxes::Ramps::Yes;
    transfer.readBack = readBack;
    Outcome o;
    o.ok = transfer.run(rig.params, rig.doc, 0x0001).allLoaded(0x0001);
    for (const QString& c : sentCommands(rig))
        if (holdsPseudoReply(c))
            o.broken = "a pseudo-reply went out: " + c;
    SimParametersCheck held;
    rig.axis([&](sim::SimAxis& a) {
        held.runFreq = a.stored.runFreq;
        held.plc = a.plcSlots;
        held.ramps = a.ramps.rampCount();
        held.lastSlope = a.ramps.rampCount() ? a.ramps.slope(a.ramps.rampCount() - 1) : 0;
    });
    QStringList slotsWanted(held.plc.size());
    slotsWanted[0x00] = QStringLiteral("PO400 GA100");
    slotsWanted[0x21] = QStringLiteral("GA1000");
    if (o.broken.isEmpty() && o.ok &&
        (held.runFreq != 3000 || held.plc != slotsWanted || held.ramps != 2 ||
         held.lastSlope != 30000))
        o.broken = "the axis does not hold the file";
    if (!rig.link.currentAddress().contains(QLatin1String("OFFLINE")))
        o.broken = "the panel's address was not restored";
    rig.link.setCurrentAddress(QStringLiteral("0"));
    return o;
}

const QMap<QString, Operation>& operations() {
    static const QMap<QString, Operation> table = {
        // The axis saved into a machine folder that holds an earlier backup:
        // success only with the axis's file and a manifest that names it;
        // otherwise neither the file nor the old manifest is left.
        {QStringLiteral("machine backup"),
         {[](FaultRig& rig) {
              CKormakDoc cleanDoc;
              AxisParameters cleanParams;
              QDir().mkpath(rig.path("clean"));
              QDir().mkpath(rig.path("machine"));
              return ReadAxisConfiguration(rig.link, rig.op, cleanParams) &&
                     WriteParameterFile(rig.path("clean/AXIS0.OPM"), rig.link, rig.op, cleanParams,
                                        cleanDoc) &&
                     writeBytes(rig.path("machine/machine.json"), "{\"axes\": []}");
          },
          [](FaultRig& rig) {
              Outcome o;
              const MachineBackup::BackupResult result = MachineBackup::backupMachine(
                  rig.link, rig.op, QFile::encodeName(rig.path("machine")), 0x0001);
              o.ok = result.ok;
              const QByteArray file = readBytes(rig.path("machine/AXIS0.OPM"));
              const QByteArray manifest = readBytes(rig.path("machine/machine.json"));
              if (!o.ok && (file != "<missing>" || manifest != "<missing>"))
                  o.broken = "a failed backup left a file or a manifest";
              else if (o.ok && file != readBytes(rig.path("clean/AXIS0.OPM")))
                  o.broken = "the file differs from a save on a clean line";
              else if (o.ok && !manifest.contains(MachineBackup::sha256Hex(file).toLatin1()))
                  o.broken = "the manifest does not name the file";
              return o;
          }}},
        // A machine folder put back into the axis after its run frequency
        // changed: success only with the axis read back equal to its file.
        {QStringLiteral("machine restore"),
         {[](FaultRig& rig) {
              if (!QDir().mkpath(rig.path("machine")) ||
                  !MachineBackup::backupMachine(rig.link, rig.op,
                                                QFile::encodeName(rig.path("machine")), 0x0001)
                       .ok)
                  return false;
              rig.axis([](sim::SimAxis& a) { a.params.runFreq = 3333; });
              const MachineBackup::RestorePlan plan =
                  MachineBackup::planRestore(QFile::encodeName(rig.path("machine")), 0);
              QString type;
              if (!plan.ok() || plan.items.size() != 1 ||
                  MachineBackup::identifyAxis(rig.link, plan.items.first().entry, &type) !=
                      MachineBackup::Identity::Same)
                  return false;
              restoreItem() = plan.items.first();
              return true;
          },
          [](FaultRig& rig) {
              Outcome o;
              const MachineBackup::RestoreAxisResult r =
                  MachineBackup::restoreAxis(rig.link, rig.op, restoreItem());
              o.ok = r.verified;
              for (const QString& c : sentCommands(rig))
                  if (holdsPseudoReply(c))
                      o.broken = "a pseudo-reply went out: " + c;
              qint64 runFreq = 0;
              rig.axis([&](sim::SimAxis& a) { runFreq = a.params.runFreq; });
              if (o.broken.isEmpty() && o.ok && runFreq != 2000)
                  o.broken = "the axis does not hold its file";
              rig.link.setCurrentAddress(QStringLiteral("0"));
              return o;
          },
          {},
          {},
          true,
          {QStringLiteral("10196")}}},
        // The online save: an existing file is replaced only by a complete one,
        // the same one a save on a clean line writes.
        {QStringLiteral("save"),
         {[](FaultRig& rig) {
              // A panel of its own writes the save of the clean line.
              CKormakDoc cleanDoc;
              AxisParameters cleanParams;
              if (!ReadAxisConfiguration(rig.link, rig.op, cleanParams) ||
                  !WriteParameterFile(rig.path("clean.OPM"), rig.link, rig.op, cleanParams,
                                      cleanDoc) ||
                  !ReadAxisConfiguration(rig.link, rig.op, rig.params))
                  return false;
              return writeBytes(rig.path("axis.OPM"), "; the file saved last week\r\n");
          },
          [](FaultRig& rig) {
              const QString file = rig.path("axis.OPM");
              const QByteArray before = readBytes(file);
              Outcome o;
              o.ok = WriteParameterFile(file, rig.link, rig.op, rig.params, rig.doc);
              const QByteArray after = readBytes(file);
              if (!o.ok && after != before)
                  o.broken = "the existing file changed";
              if (o.ok && after != readBytes(rig.path("clean.OPM")))
                  o.broken = "the file differs from a save on a clean line";
              return o;
          }}},
        // A new ramp, calculated and programmed as the ramp dialog's core does.
        {QStringLiteral("ramp programming"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              const QStringList before = rig.controllerRamps();
              RampCalculation c(rig.link, rig.op);
              c.topFrequency = qint32(kTopFrequency);
              c.ramp = 37500;
              rig.axis([&](sim::SimAxis& a) {
                  c.freeMemory = RampFreeMemory(a.ramps.nextFreeAddress() - 0x70);
              });
              Outcome o;
              o.ok = CalculateRamp(c) && ProgramRamp(c, true);
              const QStringList after = rig.controllerRamps();
              if (o.ok && (after.size() != before.size() + 1 || !after.last().startsWith("37500/")))
                  o.broken = "the controller does not hold the new ramp";
              return o;
          }}},
        // Ramps 0 and 2 deleted through the ramp dialog: "WD", then ramp 1
        // programmed again. Whatever happens, the list shows what the
        // controller holds afterwards.
        {QStringLiteral("ramp deletion"),
         {[](FaultRig& rig) {
              rig.dialog = std::make_unique<CRampenDlg>(rig.link, rig.op);
              rig.dialog->setWaitRunner([](CWait& wait) {
                  wait.setSecondMs(1);
                  return wait.exec();
              });
              rig.dialog->show();
              rig.click("deleteModeButton");
              for (int i : {0, 2})
                  QTest::mouseClick(
                      rig.dialog->findChild<QCheckBox*>(QStringLiteral("deleteMark%1").arg(i)),
                      Qt::LeftButton);
              return rig.dialog->deleteMode() && rig.op.shown.isEmpty();
          },
          [](FaultRig& rig) {
              rig.click("deleteButton");
              Outcome o;
              // The dialog reports success by leaving delete mode without a word
              // beyond its question.
              o.ok = !rig.dialog->deleteMode() && rig.op.shownIds() == QList<int>{10171};
              if (rig.dialog->deleteMode() && rig.controllerRamps().size() != 3)
                  o.broken = "delete mode stayed, but ramps were deleted";
              // A controller answers in order: a reply that comes after its
              // time-out holds back the answers behind it, and one of them may
              // land in a later command's wait, where nobody can tell it from
              // that command's reply. The list read then is not trusted.
              else if (rig.link.portOpen() && !repliesMayBeMisplaced &&
                       rig.dialogRamps() != rig.controllerRamps())
                  o.broken = "the list is not what the controller holds";
              else if (o.ok && (rig.controllerRamps().size() != 1 ||
                                !rig.controllerRamps().first().startsWith("12500/")))
                  o.broken = "the controller does not hold the kept ramp alone";
              else if (QApplication::overrideCursor())
                  o.broken = "the wait cursor stayed";
              return o;
          },
          {QStringLiteral("10171")}}},
        {QStringLiteral("internal ramps"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              Outcome o;
              o.ok = InstallInternalRamps(rig.link, rig.op) == RampCommandResult::Done;
              if (o.ok && rig.controllerRamps().size() != 10)
                  o.broken = "the controller does not hold the ten internal ramps";
              return o;
          }}},
        {QStringLiteral("PLC area"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              Outcome o;
              o.ok = ProgramPlcArea(rig.link, rig.op, kPlcTexts, false) == PlcAreaDone;
              QStringList held;
              rig.axis([&](sim::SimAxis& a) { held = a.plcSlots.mid(0, kPlcTexts.size()); });
              if (o.ok && held != kPlcTexts)
                  o.broken = "the controller does not hold the slots sent";
              return o;
          }}},
        // The same, each written slot read back as the dialogs do: a lost
        // read is a failure, never a slot taken as stored.
        {QStringLiteral("PLC area read-back"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              Outcome o;
              PlcAreaCheck check;
              check.readBack = true;
              o.ok = ProgramPlcArea(rig.link, rig.op, kPlcTexts, false, {}, &check) == PlcAreaDone;
              QStringList held;
              rig.axis([&](sim::SimAxis& a) { held = a.plcSlots.mid(0, kPlcTexts.size()); });
              if (o.ok && (held != kPlcTexts || !check.clean()))
                  o.broken = "the controller does not hold the slots sent";
              if (!o.ok && check.differing.size() > 0)
                  o.broken = "a slot was counted as differing after a lost read";
              return o;
          }}},
        // The cycle-program dialog's opening: every slot, the slopes, the
        // values given back at closing, the position. No pseudo-reply may be
        // kept as a slot text or as a value to give back.
        {QStringLiteral("PLC opening"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              PlcArea::Opening opening;
              Outcome o;
              o.ok = PlcArea::ReadOpening(rig.link, rig.op, opening) == PlcArea::ReadResult::Done;
              const QStringList kept = opening.area.programs + opening.area.extendedSteps +
                                       opening.restoreCommands + opening.rampSlopes +
                                       QStringList{opening.position, opening.shortStatus};
              for (const QString& text : kept)
                  if (holdsPseudoReply(text))
                      o.broken = "a pseudo-reply was kept: " + text;
              if (o.broken.isEmpty() && o.ok &&
                  (opening.area.programs.at(0) != QLatin1String("PO400 PF2000 GA16000 PN3") ||
                   opening.area.programs.at(0x21) != QLatin1String("GA1000")))
                  o.broken = "the slots read are not what the controller holds";
              return o;
          }}},
        // Programming as the cycle-program dialog does: the area read at
        // opening with one slot changed, then, when the dialog closes on a line
        // that did not go silent, the values read at opening given back.
        {QStringLiteral("PLC programming"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) { a.params.operatingMode = 1; });
              return PlcArea::ReadOpening(rig.link, rig.op, rig.opening) ==
                         PlcArea::ReadResult::Done &&
                     rig.op.shown.isEmpty();
          },
          [](FaultRig& rig) {
              PlcArea::Slots area = rig.opening.area;
              area.programs[3] = QStringLiteral("GA1000 PN3");
              const QStringList texts = PlcArea::TextsToProgram(area);
              return programAndRestore(rig, texts, area.eightSlots, rig.opening.restoreCommands);
          }}},
        // The step dialog's opening: every slot, the position, the nine
        // values given back at closing. No pseudo-reply may be kept as a
        // step, a cycle program kept for programming, or a value to give back.
        {QStringLiteral("sequence opening"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) { a.plcSlots[0x10] = QStringLiteral("$&T500"); });
              return true;
          },
          [](FaultRig& rig) {
              SequenceArea::Opening opening;
              Outcome o;
              o.ok =
                  SequenceArea::ReadOpening(rig.link, rig.op, opening) == PlcArea::ReadResult::Done;
              const QStringList kept = opening.area.programs + opening.area.extendedSteps +
                                       opening.restoreCommands +
                                       QStringList{opening.position, opening.shortStatus,
                                                   opening.deviceType, opening.levelReply};
              for (const QString& text : kept)
                  if (holdsPseudoReply(text))
                      o.broken = "a pseudo-reply was kept: " + text;
              if (o.broken.isEmpty() && o.ok &&
                  (opening.area.extendedSteps.at(0x10) != QLatin1String("$&T500") ||
                   opening.area.programs.at(0x21) != QLatin1String("GA1000")))
                  o.broken = "the slots read are not what the controller holds";
              return o;
          }}},
        // Programming as the step dialog does: one step changed, the cycle
        // programs read at opening written back beside the steps, then the
        // nine values given back when the line did not go silent.
        {QStringLiteral("sequence programming"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) {
                  a.params.operatingMode = 1;
                  a.plcSlots[0x10] = QStringLiteral("$&T500");
              });
              return SequenceArea::ReadOpening(rig.link, rig.op, rig.sequenceOpening) ==
                         PlcArea::ReadResult::Done &&
                     rig.op.shown.isEmpty();
          },
          [](FaultRig& rig) {
              PlcArea::Slots area = rig.sequenceOpening.area;
              area.extendedSteps[3] = QStringLiteral("$&GA1000");
              const QStringList texts = PlcArea::StepTextsToProgram(area);
              return programAndRestore(rig, texts, false, rig.sequenceOpening.restoreCommands);
          }}},
        // A test run over a move, a current and a reset: each step sent and
        // waited for on "PC?" until the axis stands still. A step or a poll
        // without a reply ends the run.
        {QStringLiteral("sequence test run"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) { a.setPosition(0); });
              return true;
          },
          [](FaultRig& rig) {
              QStringList steps(PlcArea::SlotCount);
              steps[0] = QStringLiteral("$&PF4000");
              steps[1] = QStringLiteral("$&GA800");
              steps[2] = QStringLiteral("$&PS0.5");
              steps[3] = QStringLiteral("$&CA");
              Outcome o;
              o.ok = SequenceArea::TestRun(rig.link, rig.op, steps, {}) ==
                     SequenceArea::RunEnd::Finished;
              qint64 position = -1;
              rig.axis([&](sim::SimAxis& a) { position = a.position(); });
              if (o.ok && position != 800)
                  o.broken = "the run ended before the move did";
              for (const QString& c : sentCommands(rig))
                  if (holdsPseudoReply(c))
                      o.broken = "a pseudo-reply went out: " + c;
              return o;
          }}},
        // The SFI card programmed through its dialog: the file's records,
        // "WX", the timed window, and the card read again.
        {QStringLiteral("SFI card"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) {
                  a.sfiCard = true;
                  a.sfiConfig = 0x92; // 500 steps, minus, 1000 lines: "500N1000.S2"
              });
              if (!writeBytes(rig.path("500N1000.S2"), kSfiProgram.toLatin1()))
                  return false;
              rig.sfiDialog = std::make_unique<CSFIDialog>(rig.link, rig.op);
              rig.sfiDialog->setSearchDirectories({rig.dir.path()});
              rig.sfiDialog->setWaitRunner([](CWait& wait) {
                  wait.setSecondMs(1);
                  return wait.exec();
              });
              if (!rig.sfiDialog->start())
                  return false;
              rig.sfiDialog->show();
              return rig.op.shown.isEmpty();
          },
          [](FaultRig& rig) {
              QTest::mouseClick(
                  rig.sfiDialog->findChild<QPushButton*>(QStringLiteral("programButton")),
                  Qt::LeftButton);
              Outcome o;
              o.ok = !rig.op.shown.isEmpty() && rig.op.shown.last().textId == 10161;
              QMap<int, QByteArray> held;
              rig.axis([&](sim::SimAxis& a) { held = a.sfiProgram; });
              if (o.ok && held != kSfiRecords)
                  o.broken = "the card does not hold the program";
              else if (!held.isEmpty() && held != kSfiRecords)
                  o.broken = "the card holds part of the program";
              for (auto* b : rig.sfiDialog->findChildren<QAbstractButton*>())
                  if (!b->isEnabled())
                      o.broken = "a control stayed disabled: " + b->objectName();
              if (QApplication::overrideCursor())
                  o.broken = "the wait cursor stayed";
              return o;
          },
          {QStringLiteral("10157")},
          {QStringLiteral("10161")}}},
        // The online report read for printing: the parameter blocks' queries
        // and every slot. A report that ends is all there; no lost reply
        // stands in it as a slot.
        {QStringLiteral("report"),
         {[](FaultRig& rig) { return ReadAxisConfiguration(rig.link, rig.op, rig.params); },
          [](FaultRig& rig) {
              ReportModel model;
              Outcome o;
              o.ok = ReportReader::Read(rig.link, rig.op, rig.params, rig.doc, &model) ==
                     ReportReader::Result::Done;
              for (const QString& block : model.slotBlocks)
                  if (holdsPseudoReply(block))
                      o.broken = "a pseudo-reply printed as a slot: " + block;
              if (o.broken.isEmpty() && o.ok &&
                  (model.slotBlocks.size() != 2 || !model.slotBlocks.at(0).contains("16000") ||
                   !model.slotBlocks.at(1).contains("1000")))
                  o.broken = "the report's slots are not what the controller holds";
              return o;
          }}},
        // The file loaded into the axis, its ramps programmed without asking.
        // Success only with everything in the axis; otherwise the summary
        // says the axis was not loaded.
        {QStringLiteral("transfer"),
         {prepareTransfer,
          [](FaultRig& rig) { return runTransfer(rig, false); },
          {},
          {QStringLiteral("Ax(i)(e)s0 successful loaded")},
          true,
          {QStringLiteral("10196")}}},
        // The same, read back afterwards as the window's Transmit does.
        {QStringLiteral("transfer read-back"),
         {prepareTransfer,
          [](FaultRig& rig) { return runTransfer(rig, true); },
          {},
          {QStringLiteral("Ax(i)(e)s0 successful loaded")},
          true,
          {QStringLiteral("10196")}}},
        // The comparison with an axis reads it all; a complete comparison
        // finds what it finds on a clean line.
        {QStringLiteral("comparison"),
         {[](FaultRig& rig) {
              rig.doc.lineList = transferFile();
              ApplyFileLines(rig.doc.lineList, rig.params, rig.doc);
              AxisComparison c;
              if (!CompareWithAxis(rig.link, rig.op, rig.params, rig.doc, &c))
                  return false;
              cleanDifferences() = c.differences();
              return !cleanDifferences().isEmpty();
          },
          [](FaultRig& rig) {
              AxisComparison c;
              Outcome o;
              o.ok = CompareWithAxis(rig.link, rig.op, rig.params, rig.doc, &c);
              if (o.ok && c.differences() != cleanDifferences())
                  o.broken = "the comparison differs from the one on a clean line: " +
                             c.differences().join(", ");
              return o;
          }}},
        // The panel's first reading of an axis: what it read on a clean line, or a failure.
        {QStringLiteral("axis reading"),
         {[](FaultRig& rig) { return ReadAxisConfiguration(rig.link, rig.op, rig.params); },
          [](FaultRig& rig) {
              const AxisParameters clean = rig.params;
              AxisParameters read;
              CKormakDoc doc;
              Outcome o;
              o.ok = ReadAxisConfiguration(rig.link, rig.op, read);
              const QStringList kept = {read.startStopFreq,  read.runFreq,  read.position,
                                        read.axisLimit,      read.backlash, read.zeroOffsetPlus,
                                        read.zeroOffsetMinus};
              for (const QString& text : kept)
                  if (holdsPseudoReply(text))
                      o.broken = "a pseudo-reply was kept: " + text;
              if (o.broken.isEmpty() && o.ok &&
                  (read.runFreq != clean.runFreq || read.axisLimit != clean.axisLimit ||
                   read.rampIndex != clean.rampIndex))
                  o.broken = "the values read are not the axis's";
              return o;
          }}},
        // The axis and the link move to 9600 Baud together, or neither moves.
        {QStringLiteral("baud change"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              Outcome o;
              o.ok = BaudChange::ChangeBaudRate(rig.link, 0) == BaudChange::Result::Changed;
              int axisRate = 0;
              rig.axis([&](sim::SimAxis& a) { axisRate = a.baud; });
              if (rig.link.portOpen() && axisRate != SerialLink::baudRateOf(rig.link.baudIndex()))
                  o.broken = QStringLiteral("the axis listens at %1, the link at %2")
                                 .arg(axisRate)
                                 .arg(SerialLink::baudRateOf(rig.link.baudIndex()));
              else if (o.ok && axisRate != 9600)
                  o.broken = "success, but the axis did not move";
              return o;
          },
          {},
          {},
          false,
          {},
          true}},
        // The probe, started one rate below the axis's: only the axis's own answer at its
        // own rate counts.
        {QStringLiteral("probe"),
         {[](FaultRig& rig) {
              rig.link.setBaudIndex(2); // 19200
              return rig.link.TogglePort() && rig.link.TogglePort();
          },
          [](FaultRig& rig) {
              Outcome o;
              o.ok = ProbeAxis(rig.link);
              if (o.ok && rig.link.baudIndex() != 3)
                  o.broken = QStringLiteral("the probe settled at %1 Baud")
                                 .arg(SerialLink::baudRateOf(rig.link.baudIndex()));
              // The link goes on at the axis's rate, whatever the probe found.
              if (rig.link.portOpen() && rig.link.baudIndex() != 3) {
                  rig.link.TogglePort();
                  rig.link.setBaudIndex(3);
                  rig.link.TogglePort();
              }
              return o;
          },
          {},
          {},
          false,
          {},
          true}},
        // The status dialog's read: a standing power-stage fault is shown, a lost reply is
        // no reading at all.
        {QStringLiteral("overall status"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) { a.latched |= sim::StatusBit::PowerStage; });
              return true;
          },
          [](FaultRig& rig) {
              const OverallStatus::Reading r = OverallStatus::read(rig.link);
              Outcome o;
              o.ok = r.valid;
              if (r.valid && !(r.value & sim::StatusBit::PowerStage))
                  o.broken = "the reading lost the power-stage fault: " + r.codeText;
              return o;
          },
          {},
          {},
          false,
          {},
          true}},
        // The part resets: success only with the reply that says it was done.
        {QStringLiteral("output driver reset"),
         partReset(OverallStatus::Reset::OutputDriver, sim::StatusBit::OutputDriver)},
        {QStringLiteral("power stage reset"),
         partReset(OverallStatus::Reset::PowerStage, sim::StatusBit::PowerStage)},
        {QStringLiteral("initiator reset"),
         partReset(OverallStatus::Reset::Initiators, sim::StatusBit::InitiatorError)},
        {QStringLiteral("SFI reset"),
         partReset(OverallStatus::Reset::Sfi, sim::StatusBit::SfiError)},
        // The currents dialog opened on a level axis and closed with new values: the
        // values shown are the axis's, and the ones sent reach it.
        {QStringLiteral("currents"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) {
                  a.setFamily(QStringLiteral("SMC 2A"));
                  a.params.stopCurrent = 2;
                  a.params.runCurrent = 5;
              });
              return true;
          },
          [](FaultRig& rig) {
              CurrentSettings fields;
              const Currents::Display shown = Currents::Open(rig.link, rig.op, fields);
              Outcome o;
              if (shown.linkFailed) {
                  o.ok = false;
                  if (holdsPseudoReply(fields.stopCurrent + fields.runCurrent +
                                       fields.boostCurrent + fields.boostTime))
                      o.broken = "a pseudo-reply was kept as a current";
                  return o;
              }
              if (shown.stopIndex != 2 || shown.runIndex != 5)
                  o.broken = "the dialog does not show the axis's currents";
              Currents::Choice choice;
              choice.stopIndex = 3;
              choice.runIndex = 7;
              choice.boostIndex = shown.boostIndex;
              choice.boostTimeText = shown.boostTimeText;
              const int before = int(rig.op.shown.size());
              Currents::Accept(rig.link, rig.op, fields, shown, choice);
              o.ok = rig.op.shown.size() == before;
              int stop = -1, run = -1;
              rig.axis([&](sim::SimAxis& a) {
                  stop = a.params.stopCurrent;
                  run = a.params.runCurrent;
              });
              if (o.broken.isEmpty() && o.ok && (stop != 3 || run != 7))
                  o.broken = "the axis does not hold the currents sent";
              return o;
          }}},
        // The I/O card dialog: presence, the registers, and two outputs switched.
        {QStringLiteral("I/O card"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) {
                  a.ioCard = true;
                  a.inputs = 0x5;
                  a.programNumber = 0x21;
                  a.outputs = 1;
              });
              return true;
          },
          [](FaultRig& rig) {
              Outcome o;
              if (IoCard::checkPresent(rig.link) != IoCard::Presence::Present)
                  return o;
              IoCard::Outputs out;
              quint32 inputs = 0, program = 0;
              if (!IoCard::readOutputs(rig.link, &out) ||
                  IoCard::readRegister(rig.link, QStringLiteral("II?"), &inputs) !=
                      IoCard::Read::Ok ||
                  IoCard::readRegister(rig.link, QStringLiteral("EI?"), &program) !=
                      IoCard::Read::Ok)
                  return o;
              if (out.io != 1 || inputs != 0x5 || program != 0x21)
                  o.broken = "the registers read are not the axis's";
              out.io = 2;
              out.eo = 0xC;
              o.ok = IoCard::writeOutputs(rig.link, out);
              int io = -1, eo = -1;
              rig.axis([&](sim::SimAxis& a) {
                  io = a.outputs;
                  eo = a.ioCardOutputs;
              });
              if (o.broken.isEmpty() && o.ok && (io != 2 || eo != 0xC))
                  o.broken = "the outputs were not switched";
              return o;
          }}},
        // One tick of the panel's status poll while the motor runs: no pseudo-reply is
        // ever shown as the position or an output.
        {QStringLiteral("short-status poll"),
         {[](FaultRig& rig) {
              rig.axis([](sim::SimAxis& a) {
                  a.outputs = 2;
                  a.execute(QStringLiteral("GA100000"), 0);
              });
              return true;
          },
          [](FaultRig& rig) {
              const StatusPoll poll = PollShortStatus(rig.link, true);
              Outcome o;
              o.ok = poll.result == StatusPoll::Result::Done;
              // The panel says "time-out" for a lost reply and stops quietly for a lost port.
              if (rig.link.portOpen() && rig.link.lastTimedOut() &&
                  poll.result != StatusPoll::Result::TimedOut)
                  o.broken = "a lost reply that the poll does not report";
              else if (poll.positionRead && holdsPseudoReply(poll.position))
                  o.broken = "a pseudo-reply shown as the position: " + poll.position;
              else if (o.ok && (!poll.statusRead || !poll.positionRead || !poll.outputsRead ||
                                poll.outputA0 || !poll.outputA1))
                  o.broken = "a complete poll without every value";
              return o;
          }}},
        // A command sent from the RS monitor: the reply shown is the axis's own.
        {QStringLiteral("RS monitor send"),
         {[](FaultRig&) { return true; },
          [](FaultRig& rig) {
              RsMonitor::Session session(rig.link);
              const QString shown = session.send(QStringLiteral("if?"), 3, 0);
              const QString result =
                  session.log().isEmpty() ? QString() : session.log().back().result;
              Outcome o;
              // A lost reply is shown cut like any other; what matters is that the
              // exchange did not end with a reply.
              o.ok = !PseudoReply::is(result);
              if (o.ok && shown != QString::number(kTopFrequency))
                  o.broken = "the monitor shows a reply that is not the axis's: " + shown;
              return o;
          },
          {},
          {},
          false,
          {},
          true}},
        // The whole-system reset: "CR", which an axis that restarts at once
        // may leave unanswered, then the timed window while it restarts.
        {QStringLiteral("system reset"),
         {[](FaultRig& rig) {
              // Shorter than the window the test runs, as the real restart is
              // shorter than the real window.
              rig.axis([](sim::SimAxis& a) { a.restartMs = 20; });
              return true;
          },
          [](FaultRig& rig) {
              Outcome o;
              o.ok = RunSystemReset(rig.link, rig.op, nullptr, [](CWait& wait) {
                  shortWait(wait, 10);
                  return 1;
              });
              if (o.ok && !sentCommands(rig).contains(QLatin1String("CR")))
                  o.broken = "success without \"CR\" on the wire";
              return o;
          },
          {},
          {},
          false}},
    };
    return table;
}

// What the operator saw, one entry per message: its id, or the link's own
// text id for the texts it composes.
QStringList shownKeys(const ScriptedOperator& op) {
    const QString notStored = Texts::text(kSfiNotStored.toLatin1().constData());
    QStringList keys;
    for (const Operator::Message& m : op.shown)
        keys << (m.textId != 0 ? QString::number(m.textId)
                 : m.text == Texts::text(kPortLost.toLatin1().constData()) ? kPortLost
                 : m.text == notStored                                     ? kSfiNotStored
                 : m.text == Texts::text(10103) + "\r\n" + notStored
                     ? QStringLiteral("10103 ") + kSfiNotStored
                     : m.text);
    return keys;
}

// Where a fault strikes: from the reply numbered `after` (counted from 0) on,
// for `count` replies (-1: all), or on the reply to one named command.
struct Strike {
    int after = 0;
    int count = -1;
    QString command;
};

// Replies from the n-th on (counted from 0), count of them (-1: all).
Strike fromReply(int n, int count = -1) {
    Strike s;
    s.after = n;
    s.count = count;
    return s;
}

Strike onCommand(const char* command) {
    Strike s;
    s.command = QString::fromLatin1(command);
    return s;
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Strike)

class TestFaultInjection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::English); }

    void operationUnderFault_data();
    void operationUnderFault();
};

void TestFaultInjection::operationUnderFault_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("param");
    QTest::addColumn<Strike>("strike");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QStringList>("messages");

    const QString lost = kPortLost;
    const QString overflow = QStringLiteral("10260");

    // Faults the link copes with: every operation succeeds as on a clean line,
    // and the operator sees no more than the question some operations ask first.
    for (const QString& name : operations().keys()) {
        const Operation& operation = operations()[name];
        const QStringList asked = operation.asked;
        const QStringList done = asked + operation.told;
        const QStringList failed = operation.failed;
        auto row = [&](const char* what) -> QTestData& {
            return QTest::newRow(qPrintable(name + QStringLiteral(" / ") + what)) << name;
        };
        row("clean line") << Fault::None << 0 << Strike{} << true << done;
        row("noise before every reply") << Fault::Garbage << 7 << Strike{} << true << done;
        row("every reply in pieces") << Fault::Pieces << 3 << fromReply(0, 4) << true << done;
        if (operation.single) {
            row("late, within the time-out")
                << Fault::LateReply << kTimeoutMs / 3 << fromReply(0, 1) << true << done;
            row("overflow at the reply") << Fault::Overflow << 0 << fromReply(0, 1) << false
                                         << asked + QStringList{overflow} + failed;
            row("port vanishes at the reply") << Fault::Vanish << 0 << fromReply(0, 1) << false
                                              << asked + QStringList{lost} + failed;
        }
        if (!operation.everyFault)
            continue;
        row("late, within the time-out")
            << Fault::LateReply << kTimeoutMs / 3 << fromReply(1, 1) << true << done;
        // An overflow burst and a vanished port: the link closes the port and
        // says so once; the operation adds nothing and reports no success.
        row("overflow at the first reply") << Fault::Overflow << 0 << fromReply(0, 1) << false
                                           << asked + QStringList{overflow} + failed;
        row("overflow at the third reply") << Fault::Overflow << 0 << fromReply(2, 1) << false
                                           << asked + QStringList{overflow} + failed;
        row("port vanishes at the first reply")
            << Fault::Vanish << 0 << fromReply(0, 1) << false << asked + QStringList{lost} + failed;
        row("port vanishes at the third reply")
            << Fault::Vanish << 0 << fromReply(2, 1) << false << asked + QStringList{lost} + failed;
    }

    // No reply from the n-th command on, and replies that come after the
    // time-out: the operation stops with its own time-out message.
    struct Lost {
        const char* operation;
        const char* where;
        Strike strike;
        QStringList messages;
        bool succeeds = false;
    };
    const QList<Lost> lostReplies = {
        {"save", "from the first reply", fromReply(0), {"10175"}},
        {"save", "from the 40th reply (the PLC area)", fromReply(39), {"10103"}},
        {"save", "on a ramp table read", onCommand("FR0050"), {"10175"}},
        {"ramp programming", "from the first reply", fromReply(0), {"10103"}},
        {"ramp programming", "from the tenth reply", fromReply(9), {"10103"}},
        {"ramp programming", "on the store", onCommand("WX"), {"10103"}},
        {"ramp deletion", "on the release", onCommand("IC?"), {"10171", "10103"}},
        {"ramp deletion", "from the 12th reply", fromReply(11), {"10171", "10103", "10167"}},
        {"ramp deletion", "on the store", onCommand("WX"), {"10171", "10103", "10167"}},
        {"internal ramps", "on the release", onCommand("IC?"), {"10103"}},
        {"internal ramps", "on the install", onCommand("WA"), {"10103"}},
        {"PLC area", "from the first reply", fromReply(0), {"10103"}},
        {"PLC area", "on the erase", onCommand("WE"), {"10103"}},
        {"PLC area", "on the second slot", onCommand("EW02"), {"10103"}},
        {"PLC area read-back", "from the first reply", fromReply(0), {"10103"}},
        {"PLC area read-back", "on reading back a slot", onCommand("ER02"), {"10103"}},
        {"PLC opening", "from the first reply", fromReply(0), {"10103"}},
        {"PLC opening", "on a slot in the middle", onCommand("ER80"), {"10103"}},
        {"PLC opening", "on the last slot", onCommand("ERFF"), {"10103"}},
        // The value stays unknown and is not given back at closing; the
        // dialog still opens.
        {"PLC opening", "on a value to give back", onCommand("PO?"), {}, true},
        {"PLC opening", "on the position", onCommand("PC?"), {}, true},
        {"PLC programming", "from the first reply", fromReply(0), {"10103"}},
        {"PLC programming", "on the erase", onCommand("WE"), {"10103"}},
        {"PLC programming", "on the changed slot", onCommand("EW03"), {"10103"}},
        {"PLC programming", "on the last slot", onCommand("EW21"), {"10103"}},
        // The slots are written; a value given back is not asked about.
        {"PLC programming", "on a value given back", onCommand("PF2000"), {}, true},
        {"sequence opening", "from the first reply", fromReply(0), {"10103"}},
        {"sequence opening", "on a slot in the middle", onCommand("ER80"), {"10103"}},
        {"sequence opening", "on the last slot", onCommand("ERFF"), {"10103"}},
        // The value stays unknown and is not given back; the dialog opens.
        {"sequence opening", "on a current to give back", onCommand("PS??"), {}, true},
        {"sequence opening", "on the position", onCommand("PC?"), {}, true},
        {"sequence programming", "from the first reply", fromReply(0), {"10103"}},
        {"sequence programming", "on the erase", onCommand("WE"), {"10103"}},
        {"sequence programming", "on the changed step", onCommand("EW03"), {"10103"}},
        {"sequence programming", "on a kept cycle program", onCommand("EW21"), {"10103"}},
        {"sequence programming", "on a value given back", onCommand("PD1"), {}, true},
        {"sequence test run", "from the first reply", fromReply(0), {"10103"}},
        {"sequence test run", "on a poll", onCommand("PC?"), {"10103"}},
        // The axis may have carried the step out, but a silent axis is not
        // sent the rest of the sequence.
        {"sequence test run", "on a step", onCommand("GA800"), {"10103"}},
        {"SFI card", "on the program variant", onCommand("IL?"), {"10157", "10103"}},
        {"SFI card", "on the release", onCommand("IC?"), {"10157", "10103"}},
        {"SFI card", "on the configuration", onCommand("IM92"), {"10157", "10103 sfi.notStored"}},
        {"SFI card", "on the second record", onCommand("WI0010"), {"10157", "10103 sfi.notStored"}},
        {"SFI card", "on the store", onCommand("WX"), {"10157", "10103"}},
        {"SFI card", "on the reading again", onCommand("PI?"), {"10157", "10103"}},
        {"report", "from the first reply", fromReply(0), {"10103", "10224"}},
        {"report", "on the level table", onCommand("FA?"), {"10224"}},
        {"report", "on the run current", onCommand("PR?"), {"10224"}},
        {"report", "on a slot in the middle", onCommand("ER80"), {"10103"}},
        {"report", "on the last slot", onCommand("ERFF"), {"10103"}},
        {"transfer", "on a parameter", onCommand("PF"), {"10103", "10196"}},
        {"transfer", "on a table read", onCommand("FR0060"), {"10103", "10196"}},
        {"transfer", "on the top frequency", onCommand("IF?"), {"10103", "10196"}},
        {"transfer", "on a ramp block", onCommand("WR"), {"10103", "10196"}},
        {"transfer", "on the erase", onCommand("WE"), {"10103", "10196"}},
        {"transfer", "on a PLC line", onCommand("EW21"), {"10103", "10196"}},
        {"transfer", "on the store", onCommand("WP"), {"10103", "10196"}},
        {"machine backup", "on the first query", onCommand("IF?"), {"10103"}},
        {"machine backup", "on a slot in the middle", onCommand("ER80"), {"10103"}},
        {"machine restore", "on a parameter", onCommand("PF"), {"10103", "10196"}},
        {"machine restore", "on the store", onCommand("WP"), {"10103", "10196"}},
        {"machine restore", "on the read-back", onCommand("PF?"), {"10103"}},
        // The axis took everything, but could not be read back: not loaded.
        {"transfer read-back", "on the store", onCommand("WP"), {"10103", "10196"}},
        {"transfer read-back",
         "on reading back a parameter",
         onCommand("PW?"),
         {"10103", "Ax(i)(e)s couldn't be loaded!\n\nAxis 0 could not be read back."}},
        {"transfer read-back",
         "on reading back a slot",
         onCommand("ER21"),
         {"10103", "Ax(i)(e)s couldn't be loaded!\n\nAxis 0 could not be read back."}},
        {"comparison", "from the first reply", fromReply(0), {"10103"}},
        {"comparison", "on the table read", onCommand("FR0050"), {"10103"}},
        {"comparison", "on a slot in the middle", onCommand("ER80"), {"10103"}},
        {"axis reading", "from the first reply", fromReply(0), {"10103"}},
        {"axis reading", "on the table read", onCommand("FR0060"), {"10103"}},
        {"axis reading", "on the last query", onCommand("PI?"), {"10103"}},
        {"probe", "at the axis's rate", onCommand("IC?"), {"10103"}},
        {"overall status", "on the read", onCommand("IS?"), {}},
        {"output driver reset", "on the reset", onCommand("CO"), {"10103"}},
        {"power stage reset", "on the reset", onCommand("CA"), {"10103"}},
        {"initiator reset", "on the reset", onCommand("CI"), {"10103"}},
        {"SFI reset", "on the reset", onCommand("CS"), {"10103"}},
        {"currents", "from the first reply", fromReply(0), {"10103"}},
        {"currents", "on the run current read", onCommand("PR?"), {"10103"}},
        {"currents", "on the run current sent", onCommand("PR7"), {"10103"}},
        {"I/O card", "on the presence", onCommand("PE?"), {}},
        {"I/O card", "on a register", onCommand("EI?"), {}},
        {"I/O card", "on the card's outputs", onCommand("EOC"), {}},
        {"short-status poll", "on the status", onCommand("II?"), {}},
        {"short-status poll", "on the position", onCommand("PC?"), {}},
        {"short-status poll", "on the outputs", onCommand("IO?"), {}},
        {"RS monitor send", "on the command", onCommand("IF?"), {}},
        // An axis that restarts at once does not answer "CR": no failure.
        {"system reset", "on the reset", onCommand("CR"), {}, true},
    };
    for (const Lost& l : lostReplies) {
        const QString name = QString::fromLatin1(l.operation);
        QTest::newRow(qPrintable(name + " / no reply " + l.where))
            << name << Fault::NoReply << 0 << l.strike << l.succeeds << l.messages;
        // A reply after the time-out must not be taken for a later command's.
        // The transfer probes each axis first, and the probe leaves the
        // program's own time-out in place: there the late reply is in time.
        const Operation& operation = operations()[name];
        const bool inTime = name.startsWith(QLatin1String("transfer")) ||
                            name.startsWith(QLatin1String("machine "));
        QTest::newRow(qPrintable(name + " / late reply " + l.where))
            << name << Fault::LateReply << kTimeoutMs * 2 << l.strike << (inTime || l.succeeds)
            << (inTime ? operation.asked + operation.told : l.messages);
    }

    // "CR" is the reset's one command: the faults that close the port strike
    // on its reply.
    const QString reset = QStringLiteral("system reset");
    QTest::newRow("system reset / overflow at the reset")
        << reset << Fault::Overflow << 0 << fromReply(0, 1) << false << QStringList{overflow};
    QTest::newRow("system reset / port vanishes at the reset")
        << reset << Fault::Vanish << 0 << fromReply(0, 1) << false << QStringList{lost};
    QTest::newRow("system reset / late, within the time-out")
        << reset << Fault::LateReply << kTimeoutMs / 3 << fromReply(0, 1) << true << QStringList{};

    // After a lost "WD" reply the deletion reads the memory at once, so a
    // reply that is only late lands while the next command waits for its own.
    // The controller answers in order, and the link keeps the newer of two
    // frames: the read sees the erased memory, and the deletion goes on.
    QTest::newRow("ramp deletion / erase reply lands on the next command")
        << QStringLiteral("ramp deletion") << Fault::LateReply << kTimeoutMs * 3 / 2
        << onCommand("WD") << true << QStringList{"10171"};
}

void TestFaultInjection::operationUnderFault() {
    QFETCH(QString, operation);
    QFETCH(Fault, fault);
    QFETCH(int, param);
    QFETCH(Strike, strike);
    QFETCH(bool, succeeds);
    QFETCH(QStringList, messages);

    const Operation& op = operations()[operation];
    FaultRig rig;
    QVERIFY(rig.open());
    QVERIFY(op.prepare(rig));
    rig.op.clear();
    rig.host.clearLog();
    if (!strike.command.isEmpty())
        rig.host.setFaultFor(strike.command, fault, param);
    else if (fault != Fault::None)
        rig.host.setFault(fault, param, strike.count, strike.after);

    repliesMayBeMisplaced = fault == Fault::LateReply && param > kTimeoutMs;
    const Outcome outcome = op.run(rig);
    rig.host.setFault(Fault::None);

    QVERIFY2(outcome.broken.isEmpty(), qPrintable(outcome.broken));
    QCOMPARE(outcome.ok, succeeds);
    QCOMPARE(shownKeys(rig.op), messages);
    QVERIFY(!BusyState::isBusy());
    if (rig.op.progress.contains(QStringLiteral("step")) ||
        rig.op.progress.filter(QStringLiteral("show:")).size() > 0)
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));

    // The link is still the link: after a closed port every command is an
    // error; otherwise the next command gets its own reply, also once a late
    // one has come in.
    // A baud change whose reply was flooded looks for the axis at both rates
    // afterwards, so its port may be open again.
    const bool reopens = fault == Fault::Overflow && operation == QLatin1String("baud change");
    if ((fault == Fault::Overflow || fault == Fault::Vanish) && !reopens) {
        QVERIFY(!rig.link.portOpen());
        QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?")), PseudoReply::Error);
        QCOMPARE(rig.op.shown.size(), messages.size()); // nothing more is said
        return;
    }
    if (fault == Fault::LateReply)
        // The late reply is what this waits for, with a time-out's margin for
        // a loaded machine.
        QTest::qWait(param + kTimeoutMs);
    QCOMPARE(rig.link.SendCommand(QStringLiteral("IF?")), QString::number(kTopFrequency));
}

QTEST_MAIN(TestFaultInjection)
#include "tst_faultinjection.moc"
