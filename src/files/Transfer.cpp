#include "files/Transfer.h"

#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/RampCalculation.h"
#include "files/ParameterFile.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"

namespace {

constexpr int OpenFailedText = 10104;
constexpr int TimeoutText = 10103;
constexpr int RampsDifferText = 10192;
constexpr int NoAddressText = 10193;
constexpr int LoadedStartText = 10194;
constexpr int LoadedEndText = 10195;
constexpr int NoneLoadedText = 10196;
constexpr int SendingPlcText = 10101;
constexpr int EraseWaitMs = 2000;
constexpr qint32 RampFreeMemory = 0xFE90;

const char AxisDigits[] = "0123456789ABCDEF";

QString withoutLineEnd(QString line) {
    if (line.endsWith(QLatin1String("\r\n")))
        line.chop(2);
    return line;
}

bool isSequenceLine(const QString& line) {
    return line.startsWith(QLatin1String("EW")) || line.startsWith(QLatin1String("WU"));
}

// Tells the panel the run has begun, and that it has ended on every path out.
class RunningNotice {
public:
    explicit RunningNotice(const std::function<void(bool)>& notify) : notify_(notify) {
        if (notify_)
            notify_(true);
    }
    ~RunningNotice() {
        if (notify_)
            notify_(false);
    }
    RunningNotice(const RunningNotice&) = delete;
    RunningNotice& operator=(const RunningNotice&) = delete;

private:
    const std::function<void(bool)>& notify_;
};

} // namespace

QStringList TransferParameterCommands(const AxisParameters& p, const CKormakDoc& doc) {
    QStringList commands;
    // A list without a selection has no value: "PD-1" or "PNFFFFFFFF" would
    // set nonsense in the axis, so the axis keeps its own value.
    if (p.operatingMode >= 0)
        commands << QStringLiteral("PD%1").arg(p.operatingMode);
    commands << QStringLiteral("PA") + doc.boostCurrent << QStringLiteral("PR") + doc.runCurrent
             << QStringLiteral("PS") + doc.stopCurrent << QStringLiteral("PF") + p.runFreq
             << QStringLiteral("PG") + p.axisLimit;
    QString ph = QStringLiteral("PH0");
    for (const QString& line : doc.lineList)
        if (line.startsWith(QLatin1String("PH"))) {
            ph = withoutLineEnd(line);
            break;
        }
    commands << ph;
    if (p.systemType >= 0)
        commands << QStringLiteral("PL%1").arg(p.systemType);
    commands << QStringLiteral("PM") + p.zeroOffsetMinus;
    if (p.rampIndex >= 0)
        commands << QStringLiteral("PN") + QString::number(p.rampIndex, 16).toUpper();
    commands << QStringLiteral("PO") + p.startStopFreq << QStringLiteral("PP") + p.zeroOffsetPlus
             << QStringLiteral("PT") + doc.boostTime << QStringLiteral("PW") + p.backlash;
    return commands;
}

QStringList TransferSequenceLines(const QStringList& lineList) {
    QStringList lines;
    for (const QString& line : lineList)
        if (isSequenceLine(line))
            lines << withoutLineEnd(line);
    return lines;
}

QString TransferSummaryText(const std::array<bool, 16>& loaded) {
    QStringList addresses;
    for (int a = 0; a < 16; ++a)
        if (loaded[a])
            addresses << QString(QChar(AxisDigits[a]));
    return Texts::text(LoadedStartText) + addresses.join(QStringLiteral(", ")) +
           Texts::text(LoadedEndText);
}

bool TransferToAxes::Result::allLoaded(quint16 ticked) const {
    if (outcome != Outcome::Finished || ticked == 0)
        return false;
    for (int a = 0; a < 16; ++a)
        if ((ticked & (1u << a)) && !loaded[a])
            return false;
    return true;
}

QString TransferToAxes::send(const QString& command) {
    // Every command of the run goes to the axis being loaded, whatever ran
    // between two transactions.
    if (link_.currentAddress() != address_)
        link_.setCurrentAddress(address_);
    return link_.SendCommand(command, true, Full);
}

bool TransferToAxes::fits(const QString& command) const {
    return link_.buildFrame(command, Full).size() < SerialLink::SendBufferSize;
}

void TransferToAxes::reportLost() {
    // One message per axis: a line that has gone silent would otherwise
    // bring one for every command still to come.
    if (lostShown_)
        return;
    lostShown_ = true;
    link_.reportFailure(op_, TimeoutText);
}

TransferToAxes::AxisEnd TransferToAxes::stopAxis(int a, Result& result) {
    result.loaded[a] = false;
    reportLost();
    return AxisEnd::Stopped;
}

bool TransferToAxes::unlock() {
    link_.setCurrentAddress(address_);
    const UnlockResult release = RequestWriteUnlock(link_);
    if (release == UnlockResult::LinkFailed)
        reportLost();
    return release == UnlockResult::Granted;
}

bool TransferToAxes::write(const QString& command) {
    const QString reply = send(command);
    if (PseudoReply::is(reply)) {
        reportLost();
        return false;
    }
    // The controller's "NO": it did not take the write.
    return reply != QLatin1String("NO");
}

TransferToAxes::Result TransferToAxes::run(const AxisParameters& params, const CKormakDoc& doc,
                                           quint16 ticked) {
    Result result;
    BusyGuard busy;
    AddressRestore restore(link_);

    if (!link_.portOpen() && !link_.TogglePort()) {
        link_.reportOpenFailure(op_);
        return result;
    }

    RunningNotice running(runningChanged);
    result.loaded.fill(true);

    const QStringList parameters = TransferParameterCommands(params, doc);
    const QString fileTable = FileRampTable(doc.lineList);
    const QStringList sequence = TransferSequenceLines(doc.lineList);
    qsizetype firstSequence = doc.lineList.size();
    for (qsizetype i = 0; i < doc.lineList.size(); ++i)
        if (isSequenceLine(doc.lineList.at(i))) {
            firstSequence = i;
            break;
        }
    const qsizetype progressRange = doc.lineList.size() - firstSequence;

    for (int a = 0; a < 16; ++a) {
        if (!(ticked & (1u << a))) {
            result.loaded[a] = false;
            continue;
        }
        if (loadAxis(a, parameters, fileTable, sequence, progressRange, result) ==
            AxisEnd::RunEnds) {
            // The release before the ramps was refused: this axis and those
            // after it are left as they are, and the summary says so.
            for (int later = a; later < 16; ++later)
                result.loaded[later] = false;
            break;
        }
        op_.pumpEvents();
    }

    if (ticked == 0) {
        result.outcome = Outcome::NoAddress;
        op_.show({NoAddressText, {}, 0, Operator::Icon::Warning, Operator::Buttons::Ok});
        return result;
    }
    result.outcome = Outcome::Finished;
    bool any = false;
    for (bool loaded : result.loaded)
        any = any || loaded;
    if (!any)
        op_.error(NoneLoadedText);
    else
        op_.show({0, TransferSummaryText(result.loaded), 0, Operator::Icon::Information,
                  Operator::Buttons::Ok});
    return result;
}

TransferToAxes::AxisEnd TransferToAxes::loadAxis(int a, const QStringList& parameters,
                                                 const QString& fileTable,
                                                 const QStringList& sequence,
                                                 qsizetype progressRange, Result& result) {
    address_ = QString(QChar(AxisDigits[a]));
    lostShown_ = false;
    link_.setCurrentAddress(address_);
    if (!ProbeAxis(link_)) {
        result.loaded[a] = false;
        return AxisEnd::Stopped;
    }

    // A lost reply leaves the axis untouched from here on: its parameters
    // may not have been set, and a table compared against "TIMEOUT" would
    // have its ramps and PLC area erased.
    for (const QString& command : parameters) {
        // A value no frame can carry (a file's "PH" line) is not sent; the
        // axis is left alone from here on, as after a lost reply, but the
        // line did not fail.
        if (!fits(command)) {
            result.loaded[a] = false;
            return AxisEnd::Stopped;
        }
        if (PseudoReply::is(send(command)))
            return stopAxis(a, result);
    }

    const QString first = send(QStringLiteral("FR0050"));
    if (PseudoReply::is(first))
        return stopAxis(a, result);
    const QString second = send(QStringLiteral("FR0060"));
    if (PseudoReply::is(second))
        return stopAxis(a, result);

    bool programRamps = false;
    if (first + second == fileTable) {
        result.tableMatches[a] = true;
    } else {
        switch (ramps) {
        case Ramps::Yes:
            programRamps = true;
            break;
        case Ramps::No:
            break;
        case Ramps::Ask:
            programRamps = op_.ask(RampsDifferText, Operator::Buttons::YesNo,
                                   Operator::Icon::Question) == Operator::Answer::Yes;
            break;
        }
    }

    if (programRamps) {
        RampCalculation context(link_, op_);
        const QString top = send(QStringLiteral("IF?"));
        if (PseudoReply::is(top))
            return stopAxis(a, result);
        context.topFrequency = qint32(qBound<qint64>(0, LeadingDecimal(top), qint64(0x7FFFFFFF)));

        if (!unlock())
            return AxisEnd::RunEnds;
        bool programmed = write(QStringLiteral("WD"));
        if (programmed) {
            op_.wait(EraseWaitMs);
            context.freeMemory = RampFreeMemory;
            for (quint32 word : RampWords(fileTable)) {
                context.ramp = word * 100;
                // The calculation and the programming talk to the axis
                // through the link: keep it on this axis.
                link_.setCurrentAddress(address_);
                if (!CalculateRamp(context) || !ProgramRamp(context, true)) {
                    // Their own messages have said what was lost.
                    lostShown_ = lostShown_ || link_.lastFailure() != SerialLink::Failure::None;
                    programmed = false;
                    break;
                }
            }
        }
        if (programmed)
            result.tableMatches[a] = true;
        else
            result.loaded[a] = false;
    }

    // The old PLC area goes before the file's lines come in; an area that was
    // not erased is not the file's.
    if (!unlock() || !write(QStringLiteral("WE")))
        result.loaded[a] = false;

    {
        ProgressGuard progress(op_, Texts::text(SendingPlcText) + QStringLiteral("..."),
                               int(progressRange), 1);
        for (const QString& line : sequence) {
            // A line no frame can carry would be cut or refused: the axis
            // would lack it.
            if (!fits(line)) {
                result.loaded[a] = false;
                progress.step();
                continue;
            }
            const QString dateCode = send(QStringLiteral("IC?"));
            if (PseudoReply::is(dateCode)) {
                stopAxis(a, result);
                break;
            }
            const QString answer = send(QStringLiteral("FC") + dateCode);
            if (PseudoReply::is(answer)) {
                stopAxis(a, result);
                break;
            }
            if (answer == QLatin1String("OK")) {
                if (!write(line))
                    result.loaded[a] = false;
            } else {
                result.loaded[a] = false;
            }
            progress.step();
            op_.pumpEvents();
        }
        if (!unlock() || !write(QStringLiteral("WP")))
            result.loaded[a] = false;
    }
    return result.loaded[a] ? AxisEnd::Done : AxisEnd::Stopped;
}
