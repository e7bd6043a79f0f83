#include "files/AxisComparison.h"
#include "base/MessageIds.h"

#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/Currents.h"
#include "files/ParameterFile.h"
#include "files/Transfer.h"
#include "link/SerialLink.h"

#include <QHash>
#include <cmath>

namespace {

const char* const Codes[] = {"PD", "PA", "PR", "PS", "PF", "PG", "PH",
                             "PL", "PM", "PN", "PO", "PP", "PT", "PW"};

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

bool CompareWithAxis(SerialLink& link, Operator& op, const AxisParameters& params,
                     const CKormakDoc& doc, AxisComparison* result, const ComparisonScope& scope) {
    BusyGuard busy;
    AxisComparison c;
    Reader axis(link, op);

    QString type;
    if (!axis.ask(QStringLiteral("DO?"), &type))
        return false;
    const bool amperes = Currents::ampereEntryCount(type, false) > 0;
    c.eightSlots = type.contains(QLatin1String("RZH"));

    const QStringList commands = TransferParameterCommands(params, doc);
    for (const char* code : Codes) {
        AxisComparison::Parameter p;
        p.code = QString::fromLatin1(code);
        p.sent = false;
        for (const QString& command : commands)
            if (command.startsWith(p.code)) {
                p.fileValue = command.mid(2);
                p.sent = true;
                break;
            }
        const bool current = p.code == QLatin1String("PA") || p.code == QLatin1String("PR") ||
                             p.code == QLatin1String("PS");
        const QString query =
            p.code + (current && amperes ? QStringLiteral("??") : QStringLiteral("?"));
        if (!axis.ask(query, &p.axisValue))
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
    for (const QString& line : TransferSequenceLines(doc.lineList)) {
        bool ok = false;
        const int slot = line.mid(2, digits).toInt(&ok, 16);
        if (!line.startsWith(ownKind) || !ok || line.size() < 2 + digits || slot >= slotCount) {
            c.foreignLines << line;
            continue;
        }
        expected[slot] = line.mid(2 + digits);
    }
    QList<int> slotList;
    if (scope.wholePlcArea)
        for (int k = 0; k < slotCount; ++k)
            slotList << k;
    else
        slotList = expected.keys();
    {
        ProgressGuard progress(op, Texts::text(MessageId::ReadingSlots), int(slotList.size()), 1);
        for (int k : slotList) {
            QString text;
            if (!axis.ask(plcSlotReadCommand(k, c.eightSlots), &text))
                return false;
            if (text != expected.value(k)) {
                c.differingSlots << k;
                c.differingSlotTexts.insert(k, {expected.value(k), text});
            }
            progress.step();
            if (k % 16 == 15)
                op.pumpEvents();
        }
    }
    c.plcCompared = true;
    if (result)
        *result = c;
    return true;
}

// A parameter as the operator knows it from the panel and the current
// dialog: "Run frequency (PF)". "PH" has no control of its own.
QString ParameterName(const QString& code) {
    static const QHash<QString, int> captions = {
        {QStringLiteral("PD"), 10007}, {QStringLiteral("PA"), 10058}, {QStringLiteral("PR"), 10057},
        {QStringLiteral("PS"), 10056}, {QStringLiteral("PF"), 10004}, {QStringLiteral("PG"), 10010},
        {QStringLiteral("PL"), 10006}, {QStringLiteral("PM"), 10012}, {QStringLiteral("PN"), 10005},
        {QStringLiteral("PO"), 10003}, {QStringLiteral("PP"), 10013}, {QStringLiteral("PT"), 10059},
        {QStringLiteral("PW"), 10011}};
    const int id = captions.value(code);
    if (id == 0)
        return code;
    QString caption = Texts::text(id);
    caption.replace(QLatin1String("\r\n"), QLatin1String(" "));
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption + QStringLiteral(" (") + code + QLatin1Char(')');
}
