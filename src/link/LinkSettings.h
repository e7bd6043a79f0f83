#pragma once

#include <QStringList>

// The operator's choice of port and rate, kept per user as list indexes
// ("Settings/ActiveCOM", "Settings/Baud"), and the ports given by path or as
// network ports that the port list offers again at the next start.
namespace LinkSettings {

int activeCom(); // 0 when absent
void setActiveCom(int index);
int baud(); // 3 ("28800 Baud") when absent
void setBaud(int index);

QStringList rememberedPorts();
// Remembers ports given by path or as network ports (at most four, newest
// first).
void rememberPorts(const QStringList& ports);

} // namespace LinkSettings
