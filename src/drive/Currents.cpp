#include "drive/Currents.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"

#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

#include <cmath>
#include <limits>

namespace Currents {
namespace {

const QString HexDigits = QStringLiteral("0123456789ABCDEF");

// Tenths of an ampere as the list shows them: single precision throughout, so
// that "0.7" lands on entry 7 and not on 6.
QString tenths(int value) {
    const float amperes = float(value) / 10.0f;
    return QString::asprintf("%.1f", double(amperes));
}

int fit(int index, const QStringList& entries) {
    return index >= 0 && index < entries.size() ? index : -1;
}

} // namespace

int ampereEntryCount(const QString& typeText, bool exact) {
    return DeviceFamily(typeText).ampereEntryCount(exact ? DeviceFamily::Rule::Exact
                                                         : DeviceFamily::Rule::Contains);
}

QStringList ampereEntries(int count) {
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries << tenths(i) + QStringLiteral(" A");
    return entries;
}

QStringList levelEntries() {
    const QString word = Texts::text(10173);
    QStringList entries;
    for (int i = 0; i < LevelCount; ++i)
        entries << word + QLatin1Char(' ') + HexDigits.at(i);
    return entries;
}

QStringList levelTableEntries(const QString& faReply) {
    QStringList entries;
    for (int i = 0; i < LevelCount; ++i) {
        const qsizetype at = 2 * i;
        if (at + 1 >= faReply.size())
            break;
        const int high = AxisVocabulary::hexValue(faReply.at(at));
        const int low = AxisVocabulary::hexValue(faReply.at(at + 1));
        if (high < 0 || low < 0)
            break;
        entries << tenths(high * 16 + low) + QStringLiteral(" A");
    }
    return entries;
}

QStringList boostTimeEntries() {
    QStringList entries;
    int value = 0;
    while (value < 1000) {
        const int step = value < 50 ? 10 : value < 100 ? 25 : value < 250 ? 50 : 250;
        value += step;
        entries << QString::number(value);
    }
    return entries;
}

int ampereIndex(const QString& value) {
    // The leading decimal fraction, as the controller writes it ("1.5"); no
    // digit at all is no value rather than 0 A.
    qsizetype at = 0;
    while (at < value.size() && value.at(at) == QLatin1Char(' '))
        ++at;
    const qsizetype start = at;
    if (at < value.size() && (value.at(at) == QLatin1Char('+') || value.at(at) == QLatin1Char('-')))
        ++at;
    int digits = 0;
    while (at < value.size() && value.at(at).isDigit() && value.at(at).unicode() < 0x80) {
        ++at;
        ++digits;
    }
    if (at < value.size() && value.at(at) == QLatin1Char('.')) {
        ++at;
        while (at < value.size() && value.at(at).isDigit() && value.at(at).unicode() < 0x80) {
            ++at;
            ++digits;
        }
    }
    if (digits == 0)
        return -1;
    bool ok = false;
    const double parsed = value.mid(start, at - start).toDouble(&ok);
    if (!ok || parsed < 0)
        return -1;
    const float scaled = float(parsed) * 10.0f;
    if (!std::isfinite(scaled) || scaled >= float(std::numeric_limits<int>::max()))
        return -1;
    return int(scaled); // truncation toward zero
}

int levelIndex(const QString& value) {
    qsizetype at = 0;
    while (at < value.size() && value.at(at) == QLatin1Char(' '))
        ++at;
    int result = -1;
    for (; at < value.size(); ++at) {
        const int digit = AxisVocabulary::hexValue(value.at(at));
        if (digit < 0)
            break;
        // Anything above one digit is beyond every list; stop before it can overflow.
        result = result < 0 ? digit : qMin(result * 16 + digit, 0x10000);
    }
    return result;
}

QString ampereValue(int index) {
    return index >= 0 ? tenths(index) : QString();
}

QString levelValue(int index) {
    return index >= 0 && index < LevelCount ? QString(HexDigits.at(index)) : QString();
}

Display Open(SerialLink& link, Operator& op, CurrentSettings& fields) {
    Display d;
    const QString address = link.currentAddress();
    d.offline = link.axisAddress().isOffline();
    d.title = d.offline ? address : Texts::text(10000) + address;
    d.boostTimeList = boostTimeEntries();

    if (d.offline) {
        const int count = ampereEntryCount(fields.typeText, true);
        d.kind = count > 0 ? Kind::Amperes : Kind::Levels;
        d.entries = count > 0 ? ampereEntries(count) : levelEntries();
        auto index = [&](const QString& v) {
            return fit(d.kind == Kind::Amperes ? ampereIndex(v) : levelIndex(v), d.entries);
        };
        d.stopIndex = index(fields.stopCurrent);
        d.runIndex = index(fields.runCurrent);
        d.boostIndex = index(fields.boostCurrent);
        d.boostTimeText = fields.boostTime;
        return d;
    }

    auto ask = [&](const char* command, QString* reply) {
        *reply = link.SendCommand(QString::fromLatin1(command), true, Full);
        if (PseudoReply::is(*reply)) {
            d.linkFailed = true;
            return false;
        }
        return true;
    };

    QString type;
    if (!ask("DO?", &type)) {
        // Without the type there is no telling amperes from levels; every
        // further query would only add a time-out.
        link.reportFailure(op, MessageId::NoReply);
        return d;
    }
    fields.typeText = type;
    const int count = ampereEntryCount(type, false);
    d.kind = count > 0 ? Kind::Amperes : Kind::Levels;
    if (count > 0) {
        d.entries = ampereEntries(count);
    } else {
        QString table;
        if (ask("FA?", &table))
            d.entries = levelTableEntries(table);
    }

    struct Query {
        const char* amperes;
        const char* level;
        QString* field;
        int* index;
    };
    const Query queries[] = {{"PS??", "PS?", &fields.stopCurrent, &d.stopIndex},
                             {"PR??", "PR?", &fields.runCurrent, &d.runIndex},
                             {"PA??", "PA?", &fields.boostCurrent, &d.boostIndex}};
    for (const Query& q : queries) {
        QString reply;
        if (d.kind == Kind::Amperes) {
            // The ampere figures are only shown; the field takes them on OK.
            if (ask(q.amperes, &reply))
                *q.index = fit(ampereIndex(reply), d.entries);
        } else if (ask(q.level, &reply)) {
            *q.field = reply;
            *q.index = fit(levelIndex(reply), d.entries);
        }
    }
    QString time;
    if (ask("PT?", &time)) {
        fields.boostTime = time;
        d.boostTimeText = time;
    }
    if (d.linkFailed)
        link.reportFailure(op, MessageId::NoReply);
    return d;
}

QStringList Accept(SerialLink& link, Operator& op, CurrentSettings& fields, const Display& shown,
                   const Choice& choice) {
    auto valueOf = [&](int index) {
        if (index < 0 || index >= shown.entries.size())
            return QString();
        return shown.kind == Kind::Amperes ? ampereValue(index) : levelValue(index);
    };
    struct Item {
        const char* code;
        QString* field;
        QString value;
    };
    // The order on the wire: stop, run, boost current, then the boost time.
    const Item items[] = {{"PS", &fields.stopCurrent, valueOf(choice.stopIndex)},
                          {"PR", &fields.runCurrent, valueOf(choice.runIndex)},
                          {"PA", &fields.boostCurrent, valueOf(choice.boostIndex)},
                          {"PT", &fields.boostTime, choice.boostTimeText}};
    QStringList sent;
    bool failed = false;
    for (const Item& item : items) {
        const bool isTime = item.field == &fields.boostTime;
        if (item.value.isEmpty() && !(isTime && shown.offline))
            continue; // no selection: keep the field, send nothing
        *item.field = item.value;
        // After a lost reply the rest would only pile up time-outs.
        if (shown.offline || failed)
            continue;
        const QString command = QString::fromLatin1(item.code) + item.value;
        sent << command;
        if (PseudoReply::is(link.SendCommand(command, true, Full)))
            failed = true;
    }
    if (failed)
        link.reportFailure(op, MessageId::NoReply);
    return sent;
}

} // namespace Currents
