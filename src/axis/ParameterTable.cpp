#include "axis/ParameterTable.h"

#include "axis/AxisConfiguration.h"
#include "base/Texts.h"

#include <algorithm>

namespace ParameterTable {

const QList<Row>& rows() {
    using F = Field;
    // code, where the value lives, its form, asked as a current, caption,
    // place and caption in the report, listed by kormakctl show, the check
    // of its value, the size of its list.
    static const QList<Row> table = {
        {"PD", F::OperatingMode, Form::Selection, false, 10007, 3, 10206, true, Check::Selection,
         2},
        {"PA", F::BoostCurrent, Form::Text, true, 10058, -1, 0, true, Check::Current},
        {"PR", F::RunCurrent, Form::Text, true, 10057, -1, 0, true, Check::Current},
        {"PS", F::StopCurrent, Form::Text, true, 10056, -1, 0, true, Check::Current},
        {"PF", F::RunFreq, Form::Text, false, 10004, 2, 10205, true, Check::Number},
        {"PG", F::AxisLimit, Form::Text, false, 10010, 5, 10208, true, Check::Number},
        {"PH", F::Acceleration, Form::Fixed, false, 0, -1, 0, false, Check::Number},
        {"PL", F::SystemType, Form::Selection, false, 10006, 4, 10207, true, Check::Selection, 2},
        {"PM", F::ZeroOffsetMinus, Form::Text, false, 10012, 7, 10211, true, Check::Number},
        {"PN", F::RampIndex, Form::HexSelection, false, 10005, -1, 0, true, Check::HexIndex},
        {"PO", F::StartStopFreq, Form::Text, false, 10003, 1, 10204, true, Check::Number},
        {"PP", F::ZeroOffsetPlus, Form::Text, false, 10013, 8, 10212, true, Check::Number},
        {"PT", F::BoostTime, Form::Text, false, 10059, -1, 0, true, Check::Free},
        {"PW", F::Backlash, Form::Text, false, 10011, 6, 10209, true, Check::Number},
    };
    return table;
}

QList<Row> reportRows() {
    QList<Row> list;
    for (const Row& r : rows())
        if (r.reportOrder >= 0)
            list << r;
    std::sort(list.begin(), list.end(),
              [](const Row& a, const Row& b) { return a.reportOrder < b.reportOrder; });
    return list;
}

const Row* find(QStringView code) {
    for (const Row& r : rows())
        if (code == QLatin1String(r.code))
            return &r;
    return nullptr;
}

QString query(const Row& row, bool amperes) {
    return QLatin1String(row.code) +
           (row.current && amperes ? QStringLiteral("??") : QStringLiteral("?"));
}

QString caption(const Row& row) {
    const QString code = QLatin1String(row.code);
    if (row.captionId == 0)
        return code;
    QString text = Texts::text(row.captionId);
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text + QStringLiteral(" (") + code + QLatin1Char(')');
}

namespace {

template <typename C> auto* fieldOf(const Row& row, C& p) {
    decltype(&p.runFreq) none = nullptr;
    switch (row.field) {
    case Field::BoostCurrent:
        return &p.boostCurrent;
    case Field::RunCurrent:
        return &p.runCurrent;
    case Field::StopCurrent:
        return &p.stopCurrent;
    case Field::BoostTime:
        return &p.boostTime;
    case Field::RunFreq:
        return &p.runFreq;
    case Field::AxisLimit:
        return &p.axisLimit;
    case Field::ZeroOffsetMinus:
        return &p.zeroOffsetMinus;
    case Field::StartStopFreq:
        return &p.startStopFreq;
    case Field::ZeroOffsetPlus:
        return &p.zeroOffsetPlus;
    case Field::Backlash:
        return &p.backlash;
    case Field::OperatingMode:
    case Field::SystemType:
    case Field::RampIndex:
    case Field::Acceleration:
        break;
    }
    return none;
}

template <typename P> auto* selectionOf(const Row& row, P& p) {
    decltype(&p.rampIndex) none = nullptr;
    switch (row.field) {
    case Field::OperatingMode:
        return &p.operatingMode;
    case Field::SystemType:
        return &p.systemType;
    case Field::RampIndex:
        return &p.rampIndex;
    default:
        return none;
    }
}

} // namespace

QString* textField(const Row& row, AxisConfiguration& c) {
    return fieldOf(row, c);
}

const QString* textField(const Row& row, const AxisConfiguration& c) {
    return fieldOf(row, c);
}

int* selectionField(const Row& row, AxisConfiguration& c) {
    return selectionOf(row, c);
}

std::optional<QString> value(const Row& row, const AxisConfiguration& p) {
    switch (row.form) {
    case Form::Text:
        return *textField(row, p);
    case Form::Fixed:
        return QStringLiteral("0");
    case Form::Selection:
    case Form::HexSelection: {
        const int index = *selectionOf(row, p);
        if (index < 0)
            return std::nullopt;
        return row.form == Form::HexSelection ? QString::number(index, 16).toUpper()
                                              : QString::number(index);
    }
    }
    return std::nullopt;
}

} // namespace ParameterTable
