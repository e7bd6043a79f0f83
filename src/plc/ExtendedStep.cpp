#include "plc/ExtendedStep.h"

#include "axis/AxisVocabulary.h"
#include "base/Texts.h"
#include "drive/Currents.h"
#include "link/DeviceFamily.h"

#include <algorithm>

namespace ExtendedStep {

namespace {

constexpr int LevelWordId = 10173;

// Slot texts of the kinds in list order; parameter kinds take their value
// after the command.
const char* const Commands[KindCount] = {"",   "GI+", "GI-", "GA", "GR", "T",  "N",
                                         "PS", "PR",  "PA",  "PT", "PC", "PO", "PF",
                                         "PN", "CA",  "CI",  "CO", "CR", "CS"};

const QString Prefix = QStringLiteral("$&");

// A whole text of hexadecimal digits (at most eight); -1 otherwise.
qint64 hexNumber(const QString& text) {
    return AxisVocabulary::wholeHex(text, 8);
}

// An ampere value as its list entry: tenths, the further decimals cut off
// ("1.2" and "1.25" give 12). Read digit by digit, so that no rounding of a
// binary fraction turns 1.2 into 11. -1 for anything that is no such value.
int tenthsOf(const QString& text) {
    const qsizetype dot = text.indexOf(u'.');
    const QString whole = dot < 0 ? text : text.left(dot);
    const QString fraction = dot < 0 ? QString() : text.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 4 || (dot >= 0 && fraction.isEmpty()))
        return -1;
    for (QChar c : whole + fraction)
        if (!c.isDigit() || c.unicode() > 127)
            return -1;
    return whole.toInt() * 10 + (fraction.isEmpty() ? 0 : fraction.at(0).digitValue());
}

// What sort of value a kind carries; a value is carried over to a new kind
// of the same sort only.
enum class Sort { None, Position, Duration, Jump, Current, Frequency, Ramp };

Sort sortOf(int kind) {
    switch (kind) {
    case PositionAbsolute:
    case MoveRelative:
    case ActualPosition:
        return Sort::Position;
    case Pause:
    case BoostTime:
        return Sort::Duration;
    case Jump:
        return Sort::Jump;
    case StopCurrent:
    case RunCurrent:
    case BoostCurrent:
        return Sort::Current;
    case StartStopFrequency:
    case RunFrequency:
        return Sort::Frequency;
    case Ramp:
        return Sort::Ramp;
    default:
        return Sort::None;
    }
}

bool digitsOnly(const QString& text) {
    return !text.isEmpty() && text.size() <= 10 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool valueValid(int kind, const QString& text) {
    switch (sortOf(kind)) {
    case Sort::Position: {
        const QString digits = text.startsWith(u'+') || text.startsWith(u'-') ? text.mid(1) : text;
        return digitsOnly(digits);
    }
    case Sort::Duration:
    case Sort::Frequency:
        return digitsOnly(text);
    default:
        return true;
    }
}

Row changedKind(const Row& former, int kind) {
    Row row;
    row.kind = kind;
    const Sort sort = sortOf(kind);
    if (sort != Sort::None && sort == sortOf(former.kind) &&
        (control(kind) == Control::List || valueValid(kind, former.text))) {
        row.text = former.text;
        row.index = former.index;
        return row;
    }
    if (sort == Sort::Current || sort == Sort::Ramp)
        row.index = 0;
    else
        row.text = defaultValue(kind);
    return row;
}

bool movesMotor(int kind) {
    return kind >= InitialisePlus && kind <= MoveRelative;
}

int kindTextId(int kind) {
    if (kind >= InitialisePlus && kind <= MoveRelative)
        return 10037 + kind;
    if (kind >= Pause && kind < KindCount)
        return 10266 + (kind - Pause);
    return 10046;
}

Control control(int kind) {
    switch (kind) {
    case PositionAbsolute:
    case MoveRelative:
    case Pause:
    case Jump:
    case BoostTime:
    case ActualPosition:
        return Control::Edit;
    case StopCurrent:
    case RunCurrent:
    case BoostCurrent:
    case StartStopFrequency:
    case RunFrequency:
    case Ramp:
        return Control::List;
    default:
        return Control::None;
    }
}

Group group(int kind) {
    switch (kind) {
    case StopCurrent:
    case RunCurrent:
    case BoostCurrent:
        return Group::Currents;
    case StartStopFrequency:
        return Group::StartStop;
    case RunFrequency:
        return Group::RunFrequencies;
    case Ramp:
        return Group::Ramps;
    default:
        return Group::None;
    }
}

QString defaultValue(int kind) {
    switch (kind) {
    case BoostTime:
        return QStringLiteral("20");
    case StartStopFrequency:
        return QStringLiteral("50");
    case RunFrequency:
        return QStringLiteral("100");
    default:
        return control(kind) == Control::Edit ? QStringLiteral("0") : QString();
    }
}

bool isStep(const QString& slotText) {
    return slotText.startsWith(Prefix);
}

bool parse(const QString& p, bool amperes, Row* row) {
    *row = Row{};
    if (p.isEmpty())
        return true;
    if (!isStep(p))
        return false;
    const QString s = p.mid(2);
    int kind = Unused;
    for (int k = InitialisePlus; k < KindCount; ++k) {
        if (s.startsWith(QLatin1String(Commands[k]))) {
            kind = k;
            break;
        }
    }
    if (kind == Unused)
        return false;
    row->kind = kind;
    const QString value = s.mid(qsizetype(qstrlen(Commands[kind])));
    switch (kind) {
    case Jump: {
        // Shown in decimal; a target that is no hexadecimal number is shown
        // as it stands, so that the operator sees what the slot holds.
        const qint64 target = value.size() <= 2 ? hexNumber(value) : -1;
        row->text = target < 0 ? value : QString::number(target);
        break;
    }
    case StopCurrent:
    case RunCurrent:
    case BoostCurrent:
        row->text = value;
        if (amperes) {
            row->index = tenthsOf(value);
        } else {
            const qint64 level = value.size() == 1 ? hexNumber(value) : -1;
            row->index = int(level);
        }
        break;
    case Ramp: {
        const qint64 ramp = hexNumber(value);
        row->index = ramp > 0xFFFF ? -1 : int(ramp);
        break;
    }
    default:
        if (control(kind) != Control::None)
            row->text = value;
        break;
    }
    return true;
}

Build text(const Row& row, bool amperes, QString* slotText) {
    slotText->clear();
    if (row.kind <= Unused || row.kind >= KindCount)
        return Build::Done;
    const QString head = Prefix + QLatin1String(Commands[row.kind]);
    const QString value = row.text.isEmpty() ? defaultValue(row.kind) : row.text;
    switch (row.kind) {
    case Jump: {
        bool ok = false;
        const int target = value.toInt(&ok, 10);
        if (!ok || target < 0 || target > 255 || value.startsWith(u'+') || value.startsWith(u'-'))
            return Build::BadJumpTarget;
        *slotText = head + QStringLiteral("%1").arg(target, 2, 16, QLatin1Char('0')).toUpper();
        return Build::Done;
    }
    case StopCurrent:
    case RunCurrent:
    case BoostCurrent:
        if (amperes) {
            *slotText = head + (row.text.isEmpty() ? QStringLiteral("0.0") : row.text.left(3));
            return Build::Done;
        }
        if (row.index < 0 || row.index > 15)
            return Build::NoValue;
        *slotText = head + QString::number(row.index, 16).toUpper();
        return Build::Done;
    case Ramp:
        if (row.index < 0)
            return Build::NoValue;
        *slotText = head + QString::number(row.index, 16).toUpper();
        return Build::Done;
    default:
        if (!valueValid(row.kind, value))
            return Build::BadValue;
        *slotText = head + (control(row.kind) == Control::None ? QString() : value);
        return Build::Done;
    }
}

int jumpTarget(const QString& slotText) {
    const qint64 v = hexNumber(slotText.mid(3));
    return v > 0x7FFFFFFF ? -1 : int(v);
}

qint64 pauseMs(const QString& slotText) {
    bool ok = false;
    const qint64 ms = slotText.mid(3).toLongLong(&ok, 10);
    return ok && ms > 0 ? ms : 0;
}

Action action(const QString& slotText) {
    const QString s = slotText.mid(2);
    if (s.isEmpty())
        return Action::Nothing;
    if (s.startsWith(u'N'))
        return Action::Jump;
    if (s.startsWith(u'T'))
        return Action::Pause;
    return Action::Send;
}

QString command(const QString& slotText) {
    return slotText.mid(2);
}

bool amperesFor(const QString& deviceType) {
    return DeviceFamily(deviceType).ampereFamily(DeviceFamily::Rule::Contains);
}

QStringList currentValueList(const QString& deviceType, bool offline, const QString& levelReply) {
    QStringList list;
    const auto amps = [&list](int count) {
        for (int i = 0; i < count; ++i)
            list << QStringLiteral("%1 A").arg(i / 10.0, 0, 'f', 1);
    };
    const int ampereEntries =
        DeviceFamily(deviceType).ampereEntryCount(DeviceFamily::Rule::Contains);
    if (ampereEntries > 0) {
        amps(ampereEntries);
    } else if (offline) {
        for (int i = 0; i < 16; ++i)
            list << Texts::text(LevelWordId) + u' ' + QString::number(i, 16).toUpper();
    } else {
        for (int i = 0; i < 16; ++i) {
            const qint64 v = hexNumber(levelReply.mid(2 * i, 2));
            if (v < 0 || levelReply.mid(2 * i, 2).size() != 2)
                break;
            list << QStringLiteral("%1 A").arg(v / 10.0, 0, 'f', 1);
        }
    }
    return list;
}

QString deviceTypeFromLines(const QStringList& lineList) {
    QString type;
    for (const QString& line : lineList)
        if (line.startsWith(QLatin1String("; [TKV]")) || line.startsWith(QLatin1String("; [TMW]")))
            type = line.mid(3, 3);
    return type;
}

} // namespace ExtendedStep
