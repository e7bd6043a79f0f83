#include "link/LinkSettings.h"

#include <QSettings>

namespace LinkSettings {
namespace {
QSettings store() {
    return QSettings(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
}
constexpr int MaxRemembered = 4;
} // namespace

int activeCom() {
    bool ok = false;
    const int v = store().value(QStringLiteral("Settings/ActiveCOM"), 0).toInt(&ok);
    return ok ? v : 0;
}

void setActiveCom(int index) {
    store().setValue(QStringLiteral("Settings/ActiveCOM"), index);
}

int baud() {
    bool ok = false;
    const int v = store().value(QStringLiteral("Settings/Baud"), 3).toInt(&ok);
    return ok ? v : 3;
}

void setBaud(int index) {
    store().setValue(QStringLiteral("Settings/Baud"), index);
}

QStringList rememberedPorts() {
    return store().value(QStringLiteral("Settings/Ports")).toStringList();
}

void rememberPorts(const QStringList& ports) {
    QStringList list = rememberedPorts();
    for (auto it = ports.crbegin(); it != ports.crend(); ++it) {
        list.removeAll(*it);
        list.prepend(*it);
    }
    while (list.size() > MaxRemembered)
        list.removeLast();
    store().setValue(QStringLiteral("Settings/Ports"), list);
}

} // namespace LinkSettings
