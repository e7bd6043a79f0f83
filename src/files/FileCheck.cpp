#include "files/FileCheck.h"

#include "axis/ParameterTable.h"
#include "base/Texts.h"
#include "files/ParameterFile.h"
#include "link/DeviceFamily.h"

#include <QRegularExpression>

namespace {

bool matches(const char* pattern, const QString& text) {
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern)))
        .match(text)
        .hasMatch();
}

// The form of one value, by its parameter's check. The lists take "-1" (no
// selection). A code that is none of the fourteen counts as a number.
FileDamage::Reason valueFault(const QString& code, const QString& value, const QString& family) {
    using ParameterTable::Check;
    if (value.isEmpty())
        return FileDamage::Reason::Empty;
    const ParameterTable::Row* row = ParameterTable::find(code);
    switch (row ? row->check : Check::Number) {
    case Check::Free:
        return FileDamage::Reason::None;
    case Check::Current: {
        const bool amperes = matches("[0-9]{1,3}(\\.[0-9]{1,3})?", value);
        const bool level = matches("[0-9A-Fa-f]{1,2}", value);
        const bool fits = family.isEmpty()         ? (amperes || level)
                          : IsAmpereFamily(family) ? amperes
                                                   : level;
        return fits ? FileDamage::Reason::None : FileDamage::Reason::NotCurrent;
    }
    case Check::HexIndex:
        return matches("-1|[0-9A-Fa-f]{1,8}", value) ? FileDamage::Reason::None
                                                     : FileDamage::Reason::NotNumber;
    case Check::Selection:
        return matches("-1|[0-9]{1,9}", value) ? FileDamage::Reason::None
                                               : FileDamage::Reason::NotNumber;
    case Check::Number:
        break;
    }
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
           ParameterTable::find(QStringView(line).left(2));
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
    return DeviceFamily(family).ampereFamily(DeviceFamily::Rule::BeginsWith);
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
        // Every transfer sends these with the file's value; the lists and
        // "PH" have a default.
        for (const ParameterTable::Row& row : ParameterTable::rows())
            if (row.form == ParameterTable::Form::Text && !seen.contains(QLatin1String(row.code)))
                return {FileDamage::Reason::Missing, 0, QLatin1String(row.code)};
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
