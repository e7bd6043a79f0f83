#pragma once

#include <QStringList>

// The entries of the port list: the serial ports the system reports, in
// natural order by their system names ("ttyS2" before "ttyS10"), then the
// ports named on the command line or kept in the settings, then the built-in
// "Simulator".
QStringList DiscoverPorts(const QStringList& extraPorts);

// Starts asking the system for its serial ports on a thread of its own; the
// next DiscoverPorts() takes that answer instead of asking again. Asking
// costs some milliseconds (the system walks its device tree), which a window
// would otherwise spend before its first paint.
void PrefetchSystemPorts();

// Natural order of port names: runs of digits compare by value.
bool naturalLess(const QString& a, const QString& b);

// The index to select in fresh after the list was taken again: the entry
// with the name selected before, else the first.
int portIndexAfterRefresh(const QStringList& before, int selected, const QStringList& fresh);
