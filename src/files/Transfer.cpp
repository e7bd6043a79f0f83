#include "files/Transfer.h"
#include "base/MessageIds.h"

#include "axis/AxisConfiguration.h"
#include "axis/CKormakDoc.h"
#include "axis/CheckedWrite.h"
#include "axis/MemoryAreas.h"
#include "axis/ParameterTable.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/RampCalculation.h"
#include "files/ParameterFile.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"

namespace {
constexpr int RampsDifferText = 10192;
constexpr int NoAddressText = 10193;
constexpr int LoadedStartText = 10194;
constexpr int LoadedEndText = 10195;
constexpr int NoneLoadedText = 10196;
constexpr int EraseWaitMs = 2000;
constexpr qint32 RampFreeMemory = 0xFE90;

const char AxisDigits[] = "0123456789ABCDEF";

QString axisName(int a) {
    return QString(QChar(AxisDigits[a]));
}

QString withoutLineEnd(QString line) {
    if (line.endsWith(QLatin1String("\r\n")))
        line.chop(2);
    return line;
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

QStringList TransferParameterCommands(const AxisConfiguration& p, const CKormakDoc& doc) {
    QStringList commands;
    for (const ParameterTable::Row& row : ParameterTable::rows()) {
        const QString code = QLatin1String(row.code);
        if (row.form == ParameterTable::Form::Fixed) {
            // The panel has no control for it: the file's own line goes out.
            QString line = code + QLatin1Char('0');
            for (const QString& stored : doc.lineList)
                if (stored.startsWith(code)) {
                    line = withoutLineEnd(stored);
                    break;
                }
            commands << line;
            continue;
        }
        // A list without a selection has no value: "PD-1" or "PNFFFFFFFF"
        // would set nonsense in the axis, so the axis keeps its own value.
        if (const std::optional<QString> value = ParameterTable::value(row, p))
            commands << code + *value;
    }
    return commands;
}

QStringList TransferSequenceLines(const QStringList& lineList) {
    QStringList lines;
    for (const QString& line : lineList)
        if (AxisConfiguration::isSlotLine(line))
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

FileDamage CheckTransferInput(const QStringList& parameterCommands, const QStringList& lineList) {
    const FileDamage damage = CheckParameterFileLines(lineList);
    if (damage.damaged())
        return damage;
    return CheckParameterCommands(parameterCommands, FileDeviceFamily(lineList));
}

QString TransferRefusalText(const TransferToAxes::Refusal& refusal) {
    const QString code = refusal.command.left(2);
    const bool parameter = code.startsWith(QLatin1Char('P'));
    return Texts::text("transfer.refused")
        .arg(axisName(refusal.axis),
             parameter ? ParameterName(code) + QLatin1Char(' ') + refusal.command.mid(2)
                       : refusal.command,
             Texts::text(refusal.reasonTextId));
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
    link_.reportFailure(op_, MessageId::NoReply);
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

bool TransferToAxes::write(const QString& command, Result& result) {
    if (link_.currentAddress() != address_)
        link_.setCurrentAddress(address_);
    const CheckedWrite written = SendCheckedWrite(link_, command);
    switch (written.result) {
    case CheckedWrite::Result::Lost:
        reportLost();
        return false;
    case CheckedWrite::Result::Refused:
        result.refusals.append({axis_, command, written.reasonTextId});
        return false;
    case CheckedWrite::Result::Taken:
        break;
    }
    // The controller's "NO": it did not take the write.
    return written.data != QLatin1String("NO");
}

TransferToAxes::Result TransferToAxes::run(const AxisConfiguration& params, const CKormakDoc& doc,
                                           quint16 ticked) {
    Result result;
    BusyGuard busy;
    AddressRestore restore(link_);

    const QStringList parameters = TransferParameterCommands(params, doc);
    // A file cut short or edited by hand would reach every axis with empty
    // values or a ramp of 0 Hz/s and be stored permanently: nothing goes out.
    result.damage = CheckTransferInput(parameters, doc.lineList);
    if (result.damage.damaged()) {
        result.outcome = Outcome::Damaged;
        op_.show({0, Texts::text("transfer.damaged").arg(FileDamageWhere(result.damage)), 0,
                  Operator::Icon::Error, Operator::Buttons::Ok});
        return result;
    }

    if (!link_.portOpen() && !link_.TogglePort()) {
        link_.reportOpenFailure(op_);
        return result;
    }

    RunningNotice running(runningChanged);

    if (ticked == 0) {
        result.outcome = Outcome::NoAddress;
        op_.show({NoAddressText, {}, 0, Operator::Icon::Warning, Operator::Buttons::Ok});
        return result;
    }

    const QString fileTable = FileRampTable(doc.lineList);
    const QString fileFamily = FileDeviceFamily(doc.lineList);
    const QStringList sequence = TransferSequenceLines(params.slotLines);
    // One step per slot line sent.
    const qsizetype progressRange = sequence.size();

    std::array<Found, 16> found{};
    survey(ticked, fileFamily, found, result);
    if (!decide(fileFamily, fileTable, found, result)) {
        result.outcome = Outcome::Declined;
        result.loaded.fill(false);
        return result;
    }

    for (int a = 0; a < 16; ++a) {
        if (!found[a].present)
            continue;
        if (loadAxis(a, found[a], parameters, fileTable, sequence, progressRange, result) ==
            AxisEnd::RunEnds) {
            // The release before the ramps was refused: this axis and those
            // after it are left as they are, and the summary says so.
            for (int later = a; later < 16; ++later)
                result.loaded[later] = false;
            break;
        }
        op_.pumpEvents();
    }

    if (readBack)
        for (int a = 0; a < 16; ++a)
            if (result.loaded[a])
                readBackAxis(a, found[a], params, doc, result);

    result.outcome = Outcome::Finished;
    showSummary(result);
    return result;
}

void TransferToAxes::survey(quint16 ticked, const QString& fileFamily, std::array<Found, 16>& found,
                            Result& result) {
    for (int a = 0; a < 16; ++a) {
        if (!(ticked & (1u << a)))
            continue;
        address_ = axisName(a);
        lostShown_ = false;
        link_.setCurrentAddress(address_);
        // The probe finds the rate the axis listens at; the load and the
        // read-back come back to it.
        if (!ProbeAxis(link_))
            continue;
        Found& f = found[a];
        f.baudIndex = link_.baudIndex();
        if (!fileFamily.isEmpty()) {
            const QString family = send(QStringLiteral("DO?"));
            if (PseudoReply::is(family)) {
                reportLost();
                continue;
            }
            f.family = family.trimmed().left(3).toUpper();
        }
        const QString first = send(QStringLiteral("FR0050"));
        if (PseudoReply::is(first)) {
            reportLost();
            continue;
        }
        const QString second = send(QStringLiteral("FR0060"));
        if (PseudoReply::is(second)) {
            reportLost();
            continue;
        }
        f.table = first + second;
        f.present = true;
        result.loaded[a] = true;
        op_.pumpEvents();
    }
}

bool TransferToAxes::decide(const QString& fileFamily, const QString& fileTable,
                            std::array<Found, 16>& found, Result& result) {
    QStringList others;
    for (int a = 0; a < 16; ++a)
        if (found[a].present && !fileFamily.isEmpty() && found[a].family != fileFamily) {
            result.otherFamily << a;
            others << axisName(a) + QStringLiteral(" (") + found[a].family + QLatin1Char(')');
        }
    if (!others.isEmpty() && otherFamily != OtherFamily::Load) {
        const QString list = others.join(QStringLiteral(", "));
        if (otherFamily == OtherFamily::Refuse) {
            op_.show({0, Texts::text("transfer.otherFamilyRefused").arg(fileFamily, list), 0,
                      Operator::Icon::Error, Operator::Buttons::Ok});
            return false;
        }
        if (op_.show({0, Texts::text("transfer.otherFamily").arg(fileFamily, list), 0,
                      Operator::Icon::Question, Operator::Buttons::YesNo}) != Operator::Answer::Yes)
            return false;
    }

    for (int a = 0; a < 16; ++a) {
        Found& f = found[a];
        if (!f.present)
            continue;
        if (f.table == fileTable) {
            result.tableMatches[a] = true;
            continue;
        }
        switch (ramps) {
        case Ramps::Yes:
            f.programRamps = true;
            break;
        case Ramps::No:
            break;
        case Ramps::Ask: {
            const Operator::Answer answer =
                op_.show({RampsDifferText, Texts::text("transfer.rampsDiffer").arg(axisName(a)), 0,
                          Operator::Icon::Question, Operator::Buttons::YesNo});
            // Cancel: nobody could answer (kormakctl without a terminal).
            if (answer == Operator::Answer::Cancel)
                return false;
            f.programRamps = answer == Operator::Answer::Yes;
            break;
        }
        }
    }
    return true;
}

void TransferToAxes::selectAxis(int a, const Found& found) {
    address_ = axisName(a);
    axis_ = a;
    lostShown_ = false;
    link_.setCurrentAddress(address_);
    // Axes of one bus may listen at different rates: come back to the one
    // this axis answered at.
    if (link_.baudIndex() != found.baudIndex) {
        if (link_.portOpen())
            link_.TogglePort();
        link_.setBaudIndex(found.baudIndex);
        link_.TogglePort();
    }
}

void TransferToAxes::readBackAxis(int a, const Found& found, const AxisConfiguration& params,
                                  const CKormakDoc& doc, Result& result) {
    selectAxis(a, found);
    AxisComparison comparison;
    ComparisonScope scope;
    scope.table = result.tableMatches[a];
    scope.wholePlcArea = false;
    if (!CompareWithAxis(link_, op_, params, doc, &comparison, scope)) {
        result.unreadable << a;
        result.loaded[a] = false;
        return;
    }
    result.readBack.insert(a, comparison);
    if (!comparison.equal())
        result.loaded[a] = false;
}

void TransferToAxes::showSummary(Result& result) {
    QStringList notes;
    for (const Refusal& refusal : result.refusals)
        notes << TransferRefusalText(refusal);
    for (auto it = result.readBack.cbegin(); it != result.readBack.cend(); ++it)
        if (!it->equal())
            notes << Texts::text("transfer.readBackDiffers")
                         .arg(axisName(it.key()), it->differences().join(QStringLiteral(", ")));
    for (int a : result.unreadable)
        notes << Texts::text("transfer.readBackFailed").arg(axisName(a));

    bool any = false;
    for (bool loaded : result.loaded)
        any = any || loaded;
    if (notes.isEmpty()) {
        if (!any)
            op_.error(NoneLoadedText);
        else
            op_.show({0, TransferSummaryText(result.loaded), 0, Operator::Icon::Information,
                      Operator::Buttons::Ok});
        return;
    }
    const QString head = any ? TransferSummaryText(result.loaded) : Texts::text(NoneLoadedText);
    op_.show({0, head + QStringLiteral("\n\n") + notes.join(QLatin1Char('\n')), 0,
              any ? Operator::Icon::Warning : Operator::Icon::Error, Operator::Buttons::Ok});
}

TransferToAxes::AxisEnd TransferToAxes::loadAxis(int a, const Found& found,
                                                 const QStringList& parameters,
                                                 const QString& fileTable,
                                                 const QStringList& sequence,
                                                 qsizetype progressRange, Result& result) {
    selectAxis(a, found);
    result.written[a] = true;

    // An error bit left by an earlier command must not count against the
    // first write.
    if (!ClearCommandErrors(link_))
        return stopAxis(a, result);

    // A lost reply leaves the axis untouched from here on: its parameters
    // may not have been set. A refused value is noted, and the rest is sent
    // as usual.
    for (const QString& command : parameters) {
        // A value no frame can carry (a file's "PH" line) is not sent; the
        // axis is left alone from here on, as after a lost reply, but the
        // line did not fail.
        if (!fits(command)) {
            result.loaded[a] = false;
            return AxisEnd::Stopped;
        }
        if (!write(command, result)) {
            result.loaded[a] = false;
            if (lostShown_)
                return AxisEnd::Stopped;
        }
    }

    if (found.programRamps) {
        RampCalculation context(link_, op_);
        const QString top = send(QStringLiteral("IF?"));
        if (PseudoReply::is(top))
            return stopAxis(a, result);
        context.topFrequency = qint32(qBound<qint64>(0, LeadingDecimal(top), qint64(0x7FFFFFFF)));

        if (!unlock())
            return AxisEnd::RunEnds;
        bool programmed = write(QStringLiteral("WD"), result);
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
    if (!unlock() || !write(QStringLiteral("WE"), result))
        result.loaded[a] = false;

    {
        ProgressGuard progress(op_, Texts::text(MessageId::SendPlcTitle) + QStringLiteral("..."),
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
                if (!write(line, result))
                    result.loaded[a] = false;
            } else {
                result.loaded[a] = false;
            }
            progress.step();
            op_.pumpEvents();
        }
        if (!unlock() || !write(QStringLiteral("WP"), result))
            result.loaded[a] = false;
    }
    return result.loaded[a] ? AxisEnd::Done : AxisEnd::Stopped;
}
