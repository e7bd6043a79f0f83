#pragma once

// Whom the link talks to: one axis of the bus (0..F), or no axis at all
// because the panel holds an offline configuration (opened from a file, or a
// new one). The link keeps the address as the text that goes into each frame;
// this type reads and writes that text.

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

class AxisAddress {
public:
    enum class Kind : quint8 {
        None,            // no address yet: an empty text
        Axis,            // one axis of the bus, "0".."9", "A".."F"
        Offline,         // "OFFLINE": an opened configuration, nothing goes on the wire
        NewConfiguration // "OFFLINE NEW": a configuration without a file, offline too
    };

    AxisAddress() = default;
    // The axis with bus number `number` (0..15); None for any other number.
    static AxisAddress axis(int number);
    // The axis of `digit` ("0".."9", "A".."F"); nullopt for any other character.
    static std::optional<AxisAddress> ofDigit(QChar digit);
    static AxisAddress offline() { return AxisAddress(Kind::Offline, 0); }
    static AxisAddress newConfiguration() { return AxisAddress(Kind::NewConfiguration, 0); }

    // Exactly the texts text() writes, nothing else: a lower-case digit, a
    // second character or a blank is no address.
    static std::optional<AxisAddress> parse(QStringView text);
    // How any text the link holds is understood: every text that names
    // "OFFLINE" is offline, and a new configuration when it names
    // "OFFLINE NEW"; otherwise parse(), and None for what it refuses.
    static AxisAddress ofLinkText(QStringView text);

    // The text the frame carries and the panels show.
    QString text() const;

    Kind kind() const { return kind_; }
    bool isNone() const { return kind_ == Kind::None; }
    bool isAxis() const { return kind_ == Kind::Axis; }
    // Both offline kinds: nothing may be sent.
    bool isOffline() const { return kind_ == Kind::Offline || kind_ == Kind::NewConfiguration; }
    bool isNewConfiguration() const { return kind_ == Kind::NewConfiguration; }
    // The bus number 0..15 of an axis, -1 otherwise.
    int number() const { return isAxis() ? number_ : -1; }
    // The digit of an axis; a null character otherwise.
    QChar digit() const;

    friend bool operator==(const AxisAddress&, const AxisAddress&) = default;

private:
    AxisAddress(Kind kind, int number) : kind_(kind), number_(quint8(number)) {}

    Kind kind_ = Kind::None;
    quint8 number_ = 0;
};
