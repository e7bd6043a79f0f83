#include "files/FileCheck.h"

#include "base/Texts.h"
#include "files/ParameterFile.h"

#include <QRegularExpression>

namespace {

// The fourteen parameters of a transfer, and the ones every transfer sends
// with a value of the file (the three lists and "PH" have a default).
const QStringList ParameterCodes = {"PD", "PA", "PR", "PS", "PF", "PG", "PH",
                                    "PL", "PM", "PN", "PO", "PP", "PT", "PW"};
const QStringList RequiredCodes = {"PA", "PR", "PS", "PF", "PG", "PM", "PO", "PP", "PT", "PW"};

bool matches(const char* pattern, const QString& text) {
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern)))
        .match(text)
        .hasMatch();
}

// The form of one value, by its code. The lists take "-1" (no selection).
FileDamage::Reason valueFault(const QString& code, const QString& value, const QString& family) {
    if (value.isEmpty())
        return FileDamage::Reason::Empty;
    if (code == QLatin1String("PT"))
        return FileDamage::Reason::None;
    if (code == QLatin1String("PA") || code == QLatin1String("PR") || code == QLatin1String("PS")) {
        const bool amperes = matches("[0-9]{1,3}(\\.[0-9]{1,3})?", value);
        const bool level = matches("[0-9A-Fa-f]{1,2}", value);
        const bool fits = family.isEmpty()         ? (amperes || level)
                          : IsAmpereFamily(family) ? amperes
                                                   : level;
        return fits ? FileDamage::Reason::None : FileDamage::Reason::NotCurrent;
    }
    if (code == QLatin1String("PN"))
        return matches("-1|[0-9A-Fa-f]{1,8}", value) ? FileDamage::Reason::None
                                                     : FileDamage::Reason::NotNumber;
    if (code == QLatin1String("PD") || code == QLatin1String("PL"))
        return matches("-1|[0-9]{1,9}", value) ? FileDamage::Reason::None
                                               : FileDamage::Reason::NotNumber;
    return matches("[-+]?[0-9]{1,12}", value) ? FileDamage::Reason::None
                                              : FileDamage::Reason::NotNumber;
}

QString withoutLineEnd(QString line) {
    if (line.endsWith(QLatin1String("\r\n")))
        line.chop(2);
    return line;
}

bool isParameterLine(const QString& line) {
    return line.size() >= 2 && !line.startsWith(QLatin1Char(';')) &&
           ParameterCodes.contains(line.left(2));
}

// Whole groups of four hexadecimal digits up to "FFFF" or the end, at least
// one, none of them zero.
bool wholeTable(const QString& table) {
    int groups = 0;
    for (qsizetype at = 0; at < table.size(); at += 4) {
        const QString group = table.mid(at, 4);
        if (group.compare(QLatin1String("FFFF"), Qt::CaseInsensitive) == 0)
            break;
        if (!matches("[0-9A-Fa-f]{4}", group) || group.toUInt(nullptr, 16) == 0)
            return false;
        ++groups;
    }
    return groups > 0;
}

} // namespace

QString FileDeviceFamily(const QStringList& lines) {
    static const QRegularExpression device(QStringLiteral("^; \\[([A-Za-z]{3})\\]"));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = device.match(line);
        if (m.hasMatch())
            return m.captured(1).toUpper();
    }
    return {};
}

bool IsAmpereFamily(const QString& family) {
    return family.startsWith(QLatin1String("TKV")) || family.startsWith(QLatin1String("TMW"));
}

FileDamage CheckParameterFileLines(const QStringList& lines) {
    const QString family = FileDeviceFamily(lines);
    QStringList seen;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = withoutLineEnd(lines.at(i));
        if (!isParameterLine(line))
            continue;
        const QString code = line.left(2);
        seen << code;
        const FileDamage::Reason reason = valueFault(code, line.mid(2), family);
        if (reason != FileDamage::Reason::None)
            return {reason, int(i + 1), line};
    }
    const qsizetype table = FileRampTableLine(lines);
    if (table >= 0 && !wholeTable(FileRampTable(lines)))
        return {FileDamage::Reason::Table, int(table + 1), withoutLineEnd(lines.at(table))};
    if (!seen.isEmpty())
        for (const QString& code : RequiredCodes)
            if (!seen.contains(code))
                return {FileDamage::Reason::Missing, 0, code};
    return {};
}

FileDamage CheckParameterCommands(const QStringList& commands, const QString& family) {
    for (const QString& command : commands) {
        const FileDamage::Reason reason = valueFault(command.left(2), command.mid(2), family);
        if (reason != FileDamage::Reason::None)
            return {reason, 0, command};
    }
    return {};
}

QString FileDamageWhere(const FileDamage& damage) {
    if (damage.reason == FileDamage::Reason::Missing)
        return Texts::text("file.damagedMissing").arg(damage.text);
    if (damage.line > 0)
        return Texts::text("file.damagedLine").arg(damage.line).arg(damage.text);
    return Texts::text("file.damagedValue").arg(damage.text);
}
