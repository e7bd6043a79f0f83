#include "report/ReportReader.h"
#include "base/MessageIds.h"

#include "axis/AxisConfiguration.h"
#include "axis/AxisVocabulary.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "axis/ParameterTable.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/Currents.h"
#include "link/DeviceFamily.h"
#include "link/SerialLink.h"
#include "report/SlotDecoding.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace ReportReader {

namespace {
constexpr int SlotCount = PlcSlotCount;

QString t(int id) {
    return Texts::text(id);
}

const QString Crlf = QStringLiteral("\r\n");

QString steps(const QString& value) {
    return value + QLatin1Char(' ') + t(10213);
}

// The text a list shows for its selection; empty without one.
QString listText(const QList<int>& textIds, int index) {
    return index >= 0 && index < textIds.size() ? t(textIds.at(index)) : QString();
}

QString rampsBlock(const AxisConfiguration& p) {
    const QString selected = p.rampIndex >= 0 && p.rampIndex < p.rampList.size()
                                 ? p.rampList.at(p.rampIndex)
                                 : QString();
    QString block = t(10220) + t(10221) + QString::number(p.rampList.size()) + Crlf + t(10222) +
                    selected + QStringLiteral(" Hz/sec\r\n");
    for (int i = 0; i < p.rampList.size(); ++i)
        block += t(10223) + QString::asprintf("%d:\t\t\t\t", i) + p.rampList.at(i) +
                 QStringLiteral(" Hz/sec\r\n");
    return block;
}

// The values of the general block's text rows, by code.
using GeneralValues = QHash<QString, QString>;

// The general block lists the report's rows of the parameter table in their
// order: frequencies in Hz, the two lists by their texts, the rest in steps,
// the zero offsets under a heading of their own.
QString generalBlock(const AxisConfiguration& p, const GeneralValues& v) {
    using ParameterTable::Field;
    QString block = t(10203);
    for (const ParameterTable::Row& row : ParameterTable::reportRows()) {
        const QString value = v.value(QLatin1String(row.code));
        if (row.field == Field::ZeroOffsetMinus)
            block += t(10210);
        block += t(row.reportCaptionId);
        if (row.field == Field::OperatingMode)
            block += listText(AxisVocabulary::operatingModeTextIds(), p.operatingMode);
        else if (row.field == Field::SystemType)
            block += listText(AxisVocabulary::systemTypeTextIds(), p.systemType);
        else if (row.field == Field::StartStopFreq || row.field == Field::RunFreq)
            block += value + QStringLiteral(" Hz");
        else
            block += steps(value);
        block += row.field == Field::Backlash ? QStringLiteral("\r\n\n") : Crlf;
    }
    return block;
}

// The text rows of the general block, in its order: the queries of an online
// report, one transaction each.
QList<ParameterTable::Row> generalTextRows() {
    QList<ParameterTable::Row> list;
    for (const ParameterTable::Row& row : ParameterTable::reportRows())
        if (row.form == ParameterTable::Form::Text)
            list << row;
    return list;
}

// The slot header and its decoded text.
QString slotBlock(int slot, const QString& slotText, const SlotDecodingContext& context) {
    return t(10225) + QString::number(slot) + QStringLiteral("\r\n\n") +
           DecodeSlot(slotText, context);
}

// A line's text without its line end.
QString bare(const QString& line) {
    return line.endsWith(Crlf) ? line.chopped(2) : line;
}

// The slot lines of an offline configuration: "EW" + two hexadecimal
// digits, or "WU" + one. A line whose number is no number is left out.
QStringList offlineSlotBlocks(const QStringList& lines, const SlotDecodingContext& context) {
    QStringList blocks;
    for (const QString& line : lines) {
        const bool ew = line.startsWith(QLatin1String("EW"));
        if (!ew && !line.startsWith(QLatin1String("WU")))
            continue;
        const int high = ew ? AxisVocabulary::hexValue(line.size() > 2 ? line.at(2) : QChar()) : 0;
        const int low =
            AxisVocabulary::hexValue(line.size() > (ew ? 3 : 2) ? line.at(ew ? 3 : 2) : QChar());
        if (high < 0 || low < 0)
            continue;
        blocks << slotBlock(high * 16 + low, line.mid(ew ? 4 : 3), context);
    }
    return blocks;
}

QString title(const SerialLink& link, const CKormakDoc& doc, bool offline) {
    if (!offline)
        return t(10200) + link.currentAddress();
    if (doc.filePath.isEmpty())
        return t(10237);
    return QFileInfo(doc.filePath).absoluteFilePath();
}

// One current line of the online block: the level table's entry for the
// level the axis answers; an ampere family, asked with "??", answers in
// amperes. A level the table does not hold is printed as the axis sent it.
QString currentValue(const QString& reply, const QStringList& table, bool amperes) {
    if (amperes)
        return reply + QStringLiteral(" A");
    const int level = Currents::levelIndex(reply);
    return level >= 0 && level < Currents::LevelCount && level < table.size() ? table.at(level)
                                                                              : reply;
}

} // namespace

QString OfflineDeviceBlock(const CKormakDoc& doc) {
    const QString none = t(10238);
    QString block = t(10201);
    qsizetype b = -1;
    if (!doc.filePath.isEmpty())
        for (qsizetype i = 0; i < doc.lineList.size() && b < 0; ++i)
            if (doc.lineList.at(i).contains(QLatin1String("BIOS_")))
                b = i;
    if (b < 0) {
        return block + t(10214) + none + t(10202) + none + t(10082) + QStringLiteral("\t\t\t") +
               none + t(10084) + QStringLiteral("\t\t\t") + none;
    }
    // A device line that is not there counts as one without its mark.
    const QString typeLine = b >= 3 ? bare(doc.lineList.at(b - 3)) : QString();
    const QString biosLine = bare(doc.lineList.at(b));
    const QString versionLine =
        b + 1 < doc.lineList.size() ? bare(doc.lineList.at(b + 1)) : QString();

    const qsizetype bracket = typeLine.indexOf(QLatin1Char('['));
    block += t(10214) + (bracket >= 0 ? typeLine.mid(bracket, 5) + Crlf : none);

    const qsizetype pg = versionLine.indexOf(QLatin1String("PG"));
    if (pg >= 0) {
        const qsizetype tab = versionLine.indexOf(QLatin1Char('\t'), pg);
        block += t(10202) + versionLine.mid(pg, tab < 0 ? -1 : tab - pg) + Crlf;
    } else {
        block += t(10202) + none;
    }

    const qsizetype bios = biosLine.indexOf(QLatin1String("BIOS"));
    const qsizetype biosTab = biosLine.indexOf(QLatin1Char('\t'), bios);
    block += t(10082) + QStringLiteral("\t\t\t") +
             biosLine.mid(bios, biosTab < 0 ? -1 : biosTab - bios) + Crlf;

    const qsizetype tab = versionLine.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        block += t(10084) + QStringLiteral("\t\t") + versionLine.mid(tab) + Crlf;
    else
        block += t(10084) + QStringLiteral("\t\t\t") + none;
    return block;
}

Result Read(SerialLink& link, Operator& op, const AxisConfiguration& p, const CKormakDoc& doc,
            ReportModel* model, const QDate& date) {
    const bool offline = link.axisAddress().isOffline();
    ReportModel m;
    m.title = title(link, doc, offline);
    m.date = date;
    m.pageNumber = Texts::text("report.pageOf");
    m.rampsBlock = rampsBlock(p);

    SlotDecodingContext context;
    context.rampList = p.rampList;
    context.deviceType = p.deviceType;

    if (offline) {
        m.deviceBlock = OfflineDeviceBlock(doc);
        // A reader of the paper must not take a damaged file for a whole one.
        if (!doc.damagedWhere.isEmpty())
            m.deviceBlock += Crlf + Texts::text("report.damaged").arg(doc.damagedWhere);
        GeneralValues values;
        for (const ParameterTable::Row& row : generalTextRows())
            values.insert(QLatin1String(row.code), *ParameterTable::textField(row, p));
        m.generalBlock = generalBlock(p, values);
        // An ampere family's file holds amperes ("PS0.5"), the others levels.
        const bool fileAmperes =
            DeviceFamily(p.deviceType).ampereFamily(DeviceFamily::Rule::Contains);
        auto fileCurrent = [&](const QString& value) {
            return fileAmperes ? value + QStringLiteral(" A") : t(10173) + QLatin1Char(' ') + value;
        };
        m.currentsBlock = t(10215) + t(10216) + p.boostTime + QStringLiteral(" ms\r\n") + t(10217) +
                          fileCurrent(p.stopCurrent) + Crlf + t(10218) + fileCurrent(p.runCurrent) +
                          Crlf + t(10219) + fileCurrent(p.boostCurrent) + Crlf;
        m.slotBlocks = offlineSlotBlocks(p.slotLines, context);
        *model = m;
        return Result::Done;
    }

    BusyGuard busy;
    auto ask = [&](const char* command) {
        return link.SendCommand(QLatin1String(command), true, Full);
    };
    // The report cannot be made: the messages, unless the link has already
    // said why (a lost port, an overflow).
    auto abort = [&](std::initializer_list<int> textIds) {
        for (int id : textIds)
            link.reportFailure(op, id);
        return Result::Aborted;
    };

    const QString type = ask("DO?");
    if (PseudoReply::is(type))
        return abort({MessageId::NoReply, MessageId::PrintFailed});
    // One query per statement: the wire order is the report's order.
    const QString version = ask("IV?");
    const QString bios = ask("IB?");
    const QString dateCode = ask("IC?");
    // A lost answer is never printed as a value ("Date code: TIMEOUT").
    auto anyLost = [](std::initializer_list<QString> replies) {
        return std::any_of(replies.begin(), replies.end(),
                           [](const QString& r) { return PseudoReply::is(r); });
    };
    if (anyLost({version, bios, dateCode}))
        return abort({MessageId::NoReply, MessageId::PrintFailed});
    m.deviceBlock = t(10201) + t(10214) + type + Crlf + t(10202) + version + Crlf + t(10082) +
                    QStringLiteral("\t\t\t") + bios + Crlf + t(10084) + QStringLiteral("\t\t\t") +
                    dateCode + Crlf;

    GeneralValues v;
    bool generalLost = false;
    for (const ParameterTable::Row& row : generalTextRows()) {
        const QString reply = link.SendCommand(ParameterTable::query(row, false), true, Full);
        generalLost = generalLost || PseudoReply::is(reply);
        v.insert(QLatin1String(row.code), reply);
    }
    if (generalLost)
        return abort({MessageId::NoReply, MessageId::PrintFailed});
    m.generalBlock = generalBlock(p, v);

    const QString levels = ask("FA?");
    if (PseudoReply::is(levels))
        return abort({MessageId::PrintFailed});
    const QStringList table = Currents::levelTableEntries(levels);
    const bool amperes = DeviceFamily(type).ampereFamily(DeviceFamily::Rule::Contains);
    const QString boostTime = ask("PT?");
    if (PseudoReply::is(boostTime))
        return abort({MessageId::NoReply, MessageId::PrintFailed});
    m.currentsBlock = t(10215) + t(10216) + boostTime + QStringLiteral(" ms\r\n");
    // An ampere family is asked for amperes ("PS??"), as the current dialog
    // asks it; the others for their level, looked up in the table.
    const struct {
        const char* level;
        const char* amperes;
        int textId;
    } currents[] = {{"PS?", "PS??", 10217}, {"PR?", "PR??", 10218}, {"PA?", "PA??", 10219}};
    for (const auto& c : currents) {
        const QString reply = ask(amperes ? c.amperes : c.level);
        if (PseudoReply::is(reply))
            return abort({MessageId::PrintFailed});
        m.currentsBlock += t(c.textId) + currentValue(reply, table, amperes) + Crlf;
    }

    bool tableLost = false;
    context.readLevelTable = [&] {
        const QString table = ask("FA?");
        tableLost = tableLost || PseudoReply::is(table);
        return table;
    };
    {
        ProgressGuard progress(op, t(MessageId::ReadingSlots), SlotCount - 1, 1);
        // The report reads the 256 "ER" slots whatever the family.
        SlotAreaRead how;
        how.count = SlotCount;
        how.pumpEvery = 1;
        const SlotAreaEnd end = ReadPlcSlotArea(link, op, how, [&](int n, const QString& reply) {
            if (!reply.isEmpty())
                m.slotBlocks << slotBlock(n, reply, context);
            if (tableLost)
                return false;
            progress.step();
            return true;
        });
        if (end == SlotAreaEnd::Lost)
            return abort({MessageId::NoReply});
        if (end == SlotAreaEnd::Stopped)
            return abort({MessageId::NoReply, MessageId::PrintFailed});
    }
    *model = m;
    return Result::Done;
}

} // namespace ReportReader
