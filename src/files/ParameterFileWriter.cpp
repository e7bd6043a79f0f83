#include "axis/AxisConfiguration.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "axis/ParameterTable.h"
#include "base/BusyState.h"
#include "base/FileIo.h"
#include "base/MessageIds.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "files/ParameterFile.h"
#include "link/DeviceFamily.h"
#include "link/SerialLink.h"

namespace {

const QString Crlf = QStringLiteral("\r\n");
const QString Separator = QStringLiteral("\r\n;\r\n"); // line end, then a lone ";"

constexpr int SaveFailedText = 10175;

// The section's last line is followed by a lone ";".
QString lineEnd(const ParameterTable::Row& row) {
    return &row == &ParameterTable::rows().constLast() ? Separator : Crlf;
}

void header(QString& out, const QDate& date) {
    out += Texts::text(10180) + date.toString(QStringLiteral("dd.MM.yyyy")) + Crlf;
    out += Texts::text(10181);
    out += Texts::text(10182);
}

void rampLines(QString& out, const QStringList& ramps) {
    for (int i = 0; i < ramps.size(); ++i)
        out += Texts::text(10191) + QStringLiteral("%1").arg(i, 2) + QStringLiteral(", ") +
               QStringLiteral("%1").arg(ramps.at(i), 6) + QStringLiteral(" Hz/s") + Crlf;
}

void sequenceMarker(QString& out) {
    out += QStringLiteral(";") + Crlf + Texts::text(10190);
}

void composeOffline(QString& out, const AxisConfiguration& p, const CKormakDoc& doc) {
    out += QStringLiteral("; [") + doc.typeTag + QStringLiteral("] Offline Speicherung!") + Crlf;
    // Fixed German in every language: readers of old files know this line.
    out +=
        QStringLiteral("; PH, PW und Beschleunigungstabelle sind auf Standardwerte gesetzt") + Crlf;
    out += QStringLiteral(";\r\n;\r\n;\r\n;\r\n");
    out += Texts::text(10187);
    for (const ParameterTable::Row& row : ParameterTable::rows()) {
        // A list without a selection has no value to record: a line "PD-1"
        // would be sent to the next axis by a transfer. It is left out.
        if (const std::optional<QString> value = ParameterTable::value(row, p))
            out += QLatin1String(row.code) + *value + lineEnd(row);
    }
    out += Texts::text(10188);
    // A panel without a controller knows no other table than the controller's
    // own defaults.
    out += Texts::text(10189) + QLatin1Char(' ') + DefaultRampValueList + Separator;
    rampLines(out, p.rampList);
    sequenceMarker(out);
    // The PLC area an offline panel knows: the file's, as the PLC dialogs
    // left it.
    for (const QString& line : p.slotLines)
        out += line;
}

// Sends the online save's queries to the axis the save began with, whatever
// happens between two transactions, and notices the first reply that is no
// value.
class AxisReader {
public:
    explicit AxisReader(SerialLink& link) : link_(link), address_(link.currentAddress()) {}

    // The reply, or false for a pseudo-reply.
    bool ask(const QString& command, QString* reply) {
        if (link_.currentAddress() != address_)
            link_.setCurrentAddress(address_);
        *reply = link_.SendCommand(command, true, Full);
        return !PseudoReply::is(*reply);
    }
    // Back on the axis the save began with, before a read that holds the
    // address itself.
    void readdress() {
        if (link_.currentAddress() != address_)
            link_.setCurrentAddress(address_);
    }

private:
    SerialLink& link_;
    QString address_;
};

ComposeStatus composeOnline(QString& out, SerialLink& link, Operator& op,
                            const AxisConfiguration& p) {
    AxisReader axis(link);
    // A save that cannot hear the axis records nothing: a file holding
    // "TIMEOUT" as a value would later be sent to axes as a command.
    auto stop = [&link, &op]() {
        link.reportFailure(op, SaveFailedText);
        return ComposeStatus::Stopped;
    };

    QString type;
    if (!axis.ask(QStringLiteral("DO?"), &type))
        return stop();
    if (!type.isEmpty())
        out += QStringLiteral("; [") + type.left(3) + QStringLiteral("]") + Separator;

    QString iq, iff, ib, id, iv, ic;
    if (!axis.ask(QStringLiteral("IQ?"), &iq) || !axis.ask(QStringLiteral("IF?"), &iff) ||
        !axis.ask(QStringLiteral("IB?"), &ib) || !axis.ask(QStringLiteral("ID?"), &id) ||
        !axis.ask(QStringLiteral("IV?"), &iv) || !axis.ask(QStringLiteral("IC?"), &ic))
        return stop();
    out += QStringLiteral("; Q") + iq.left(2) + QStringLiteral("  F") + iff.left(2) + Crlf;
    out += QStringLiteral("; ") + ib + QLatin1Char('\t') + id + Crlf;
    out += QStringLiteral("; ") + iv + QLatin1Char('\t') + ic + Separator;

    out += Texts::text(10187);
    const bool amperes = DeviceFamily(type).ampereFamily(DeviceFamily::Rule::Contains);
    for (const ParameterTable::Row& row : ParameterTable::rows()) {
        QString value;
        if (!axis.ask(ParameterTable::query(row, amperes), &value))
            return stop();
        out += QLatin1String(row.code) + value + lineEnd(row);
    }

    out += Texts::text(10188);
    QString first, second;
    if (!axis.ask(QStringLiteral("FR0050"), &first) || !axis.ask(QStringLiteral("FR0060"), &second))
        return stop();
    out += Texts::text(10189) + QLatin1Char(' ') + first + second + Separator;
    rampLines(out, p.rampList);
    sequenceMarker(out);

    const bool eightSlots = DeviceFamily(type).eightSlots();
    const int slotCount = plcSlotCount(eightSlots);
    ProgressGuard progress(op, Texts::text(MessageId::ReadingSlots), PlcSlotCount - 1, 1);
    op.pumpEvents();
    SlotAreaRead how;
    how.eightSlots = eightSlots;
    how.count = slotCount;
    how.holdAddress = true;
    axis.readdress();
    const SlotAreaEnd end = ReadPlcSlotArea(link, op, how, [&](int k, const QString& text) {
        if (!text.isEmpty())
            out += plcSlotWriteCommand(k, text, eightSlots) + Crlf;
        progress.step();
        return true;
    });
    if (end != SlotAreaEnd::Complete) {
        // An incomplete PLC area must not replace a complete backup.
        link.reportFailure(op, MessageId::NoReply);
        return ComposeStatus::Stopped;
    }
    return ComposeStatus::Complete;
}

} // namespace

ComposeStatus ComposeParameterFile(SerialLink& link, Operator& op, const AxisConfiguration& params,
                                   const CKormakDoc& doc, QByteArray* file, const QDate& date) {
    BusyGuard busy;
    QString out;
    header(out, date);
    if (link.axisAddress().isOffline()) {
        composeOffline(out, params, doc);
    } else if (composeOnline(out, link, op, params) != ComposeStatus::Complete) {
        return ComposeStatus::Stopped;
    }
    if (file)
        *file = toWindows1252(out);
    return ComposeStatus::Complete;
}

bool WriteParameterFile(const QString& path, SerialLink& link, Operator& op,
                        const AxisConfiguration& params, CKormakDoc& doc, QString* fileError) {
    if (fileError)
        fileError->clear();
    QByteArray bytes;
    if (ComposeParameterFile(link, op, params, doc, &bytes) != ComposeStatus::Complete)
        return false;
    QString error;
    if (!FileIo::writeFile(path, bytes, &error)) {
        if (fileError)
            *fileError = error;
        return false;
    }
    doc.filePath = path;
    doc.modified = false;
    doc.retitlePending = true;
    return true;
}
