#include "widgets/StatusLamp.h"

#include <QHash>

// The lamp pictures live in a static library: their resource must be
// registered explicitly before the first lookup.
static void initLampResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(kormak_lamps);
        return true;
    }();
    Q_UNUSED(done);
}

StatusLamp::StatusLamp(QWidget* parent) : QLabel(parent) {
    setFixedSize(16, 15);
    setPixmap(pixmap(colour_));
    setProperty("colour", name(colour_));
}

void StatusLamp::setColour(Colour colour) {
    if (colour == colour_)
        return;
    colour_ = colour;
    setPixmap(pixmap(colour));
    setProperty("colour", name(colour));
}

QString StatusLamp::name(Colour colour) {
    switch (colour) {
    case Colour::Green:
        return QStringLiteral("green");
    case Colour::Red:
        return QStringLiteral("red");
    case Colour::Yellow:
        return QStringLiteral("yellow");
    case Colour::Unknown:
        return QStringLiteral("unknown");
    case Colour::Grey:
        break;
    }
    return QStringLiteral("grey");
}

QPixmap StatusLamp::pixmap(Colour colour) {
    initLampResources();
    static QHash<int, QPixmap> cache;
    auto it = cache.find(int(colour));
    if (it == cache.end())
        it = cache.insert(int(colour), QPixmap(QStringLiteral(":/lamps/%1.png").arg(name(colour))));
    return it.value();
}
