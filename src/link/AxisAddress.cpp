#include "link/AxisAddress.h"

namespace {

constexpr char Digits[] = "0123456789ABCDEF";
const QString OfflineText = QStringLiteral("OFFLINE");
const QString NewConfigurationText = QStringLiteral("OFFLINE NEW");

} // namespace

AxisAddress AxisAddress::axis(int number) {
    if (number < 0 || number > 15)
        return {};
    return AxisAddress(Kind::Axis, number);
}

std::optional<AxisAddress> AxisAddress::ofDigit(QChar digit) {
    for (int n = 0; n < 16; ++n)
        if (digit == QLatin1Char(Digits[n]))
            return AxisAddress(Kind::Axis, n);
    return std::nullopt;
}

std::optional<AxisAddress> AxisAddress::parse(QStringView text) {
    if (text.isEmpty())
        return AxisAddress();
    if (text == OfflineText)
        return offline();
    if (text == NewConfigurationText)
        return newConfiguration();
    if (text.size() == 1)
        return ofDigit(text.front());
    return std::nullopt;
}

AxisAddress AxisAddress::ofLinkText(QStringView text) {
    if (text.contains(NewConfigurationText))
        return newConfiguration();
    if (text.contains(OfflineText))
        return offline();
    return parse(text).value_or(AxisAddress());
}

QString AxisAddress::text() const {
    switch (kind_) {
    case Kind::None:
        return {};
    case Kind::Axis:
        return QString(QLatin1Char(Digits[number_]));
    case Kind::Offline:
        return OfflineText;
    case Kind::NewConfiguration:
        return NewConfigurationText;
    }
    return {};
}

QChar AxisAddress::digit() const {
    return isAxis() ? QChar(QLatin1Char(Digits[number_])) : QChar();
}
