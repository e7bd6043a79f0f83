#include "files/AxisComparison.h"
#include "axis/AxisConfiguration.h"
#include "base/MessageIds.h"

#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "axis/ParameterTable.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/Currents.h"
#include "files/ParameterFile.h"
#include "files/Transfer.h"
#include "link/DeviceFamily.h"
#include "link/SerialLink.h"

#include <cmath>

namespace {

// Sends every query to the axis the comparison began with, whatever runs
// between two transactions.
class Reader {
public:
    Reader(SerialLink& link, Operator& op)
        : link_(link), op_(op), address_(link.currentAddress()) {}
    bool ask(const QString& command, QString* reply) {
        if (link_.currentAddress() != address_)
            link_.setCurrentAddress(address_);
        *reply = link_.SendCommand(command, true, Full);
        if (!PseudoReply::is(*reply))
            return true;
        link_.reportFailure(op_, MessageId::NoReply);
        return false;
    }
    void readdress() {
        if (link_.currentAddress() != address_)
            link_.setCurrentAddress(address_);
    }

private:
    SerialLink& link_;
    Operator& op_;
    QString address_;
};

bool parseHex(const QString& text, qint64* value) {
    bool ok = false;
    *value = text.trimmed().toLongLong(&ok, 16);
    return ok;
}

} // namespace

bool SameParameterValue(const QString& code, const QString& fileValue, const QString& axisValue) {
    const QString a = fileValue.trimmed();
    const QString b = axisValue.trimmed();
    if (a == b)
        return true;
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (code == QLatin1String("PN")) {
        qint64 x = 0, y = 0;
        return parseHex(a, &x) && parseHex(b, &y) && x == y;
    }
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA);
    const double y = b.toDouble(&okB);
    return okA && okB && std::fabs(x - y) < 1e-9;
}

bool AxisComparison::parametersEqual() const {
    for (const Parameter& p : parameters)
        if (p.differs)
            return false;
    return true;
}

bool AxisComparison::equal() const {
    return parametersEqual() && (!tableCompared || tablesEqual()) && (!plcCompared || plcEqual());
}

QStringList AxisComparison::differences() const {
    QStringList list;
    for (const Parameter& p : parameters)
        if (p.differs)
            list << p.code;
    if (tableCompared && !tablesEqual())
        list << QStringLiteral("table");
    for (int slot : differingSlots)
        list << QStringLiteral("slot ") + QStringLiteral("%1")
                                              .arg(slot, eightSlots ? 1 : 2, 16, QLatin1Char('0'))
                                              .toUpper();
    for (const QString& line : foreignLines)
        list << QStringLiteral("line %1").arg(line);
    return list;
}

bool CompareWithAxis(SerialLink& link, Operator& op, const AxisConfiguration& params,
                     const CKormakDoc& doc, AxisComparison* result, const ComparisonScope& scope) {
    BusyGuard busy;
    AxisComparison c;
    Reader axis(link, op);

    QString type;
    if (!axis.ask(QStringLiteral("DO?"), &type))
        return false;
    const DeviceFamily family(type);
    const bool amperes = family.ampereFamily(DeviceFamily::Rule::Contains);
    c.eightSlots = family.eightSlots();

    const QStringList commands = TransferParameterCommands(params, doc);
    for (const ParameterTable::Row& row : ParameterTable::rows()) {
        AxisComparison::Parameter p;
        p.code = QString::fromLatin1(row.code);
        p.sent = false;
        for (const QString& command : commands)
            if (command.startsWith(p.code)) {
                p.fileValue = command.mid(2);
                p.sent = true;
                break;
            }
        if (!axis.ask(ParameterTable::query(row, amperes), &p.axisValue))
            return false;
        // A value the transfer does not send is not changed by it either.
        p.differs = p.sent && !SameParameterValue(p.code, p.fileValue, p.axisValue);
        c.parameters << p;
    }

    if (scope.table) {
        QString first, second;
        if (!axis.ask(QStringLiteral("FR0050"), &first) ||
            !axis.ask(QStringLiteral("FR0060"), &second))
            return false;
        c.tableCompared = true;
        c.fileTable = FileRampTable(doc.lineList);
        c.axisTable = first + second;
    }

    // What a transfer leaves in the area: the file's lines in order over an
    // erased area.
    const QString ownKind = c.eightSlots ? QStringLiteral("WU") : QStringLiteral("EW");
    const int digits = c.eightSlots ? 1 : 2;
    const int slotCount = plcSlotCount(c.eightSlots);
    QMap<int, QString> expected;
    for (const QString& line : TransferSequenceLines(params.slotLines)) {
        bool ok = false;
        const int slot = line.mid(2, digits).toInt(&ok, 16);
        if (!line.startsWith(ownKind) || !ok || line.size() < 2 + digits || slot >= slotCount) {
            c.foreignLines << line;
            continue;
        }
        expected[slot] = line.mid(2 + digits);
    }
    SlotAreaRead how;
    how.eightSlots = c.eightSlots;
    how.count = slotCount;
    if (!scope.wholePlcArea)
        how.only = expected.keys();
    how.pumpEvery = 16;
    how.holdAddress = true;
    {
        ProgressGuard progress(op, Texts::text(MessageId::ReadingSlots),
                               scope.wholePlcArea ? slotCount : int(how.only.size()), 1);
        // A file without slot lines leaves nothing to read back.
        if (!scope.wholePlcArea && how.only.isEmpty())
            how.count = 0;
        axis.readdress();
        const SlotAreaEnd end = ReadPlcSlotArea(link, op, how, [&](int k, const QString& text) {
            if (text != expected.value(k)) {
                c.differingSlots << k;
                c.differingSlotTexts.insert(k, {expected.value(k), text});
            }
            progress.step();
            return true;
        });
        if (end != SlotAreaEnd::Complete) {
            link.reportFailure(op, MessageId::NoReply);
            return false;
        }
    }
    c.plcCompared = true;
    if (result)
        *result = c;
    return true;
}

QString ParameterName(const QString& code) {
    const ParameterTable::Row* row = ParameterTable::find(code);
    return row ? ParameterTable::caption(*row) : code;
}
