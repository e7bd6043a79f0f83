// PortWatcher: the axis bar's port list as adapters come and go, typed ports.
// Tests: tests/app/tst_portwatcher, tst_linkdialogs.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class Operator;
class SerialLink;

// The link's port list: the system's ports, then the ports given by path or
// network name that exist (those named at start, remembered from earlier
// starts or typed), then the simulator. It is taken again now and then and
// when the list opens, but only while nothing holds an index into it.
class PortWatcher : public QObject {
    Q_OBJECT
public:
    // ports are those named on the command line; selectPort is the entry to
    // select at start instead of the stored one. panelOnline tells whether
    // an online panel is open (it holds an index into the list).
    PortWatcher(SerialLink& link, Operator& op, const QStringList& ports, const QString& selectPort,
                std::function<bool()> panelOnline);

    // Takes the port list from the system again (adapters plugged in or
    // pulled out) while nothing holds an index into it; keeps the selection
    // on the same port name.
    void refresh();
    // Ports by path that the list offers when they exist (tests add theirs here).
    void addCandidate(const QString& path);
    // A port typed into the port list: taken, remembered and selected when it
    // is a network port or an existing device.
    void addTyped(const QString& name);

signals:
    // The list shown must be taken from the link again: it changed, or a
    // typed name was refused and leaves the list as it was.
    void portsChanged();

private:
    bool listMayChange() const;
    QStringList existingCandidates() const;

    SerialLink& link_;
    Operator& operator_;
    std::function<bool()> panelOnline_;
    QStringList candidates_;
};
