#pragma once

// Where the link is open, and pointing it at one axis on that axis's own port
// and rate for the length of a scope.

#include "link/AxisAddress.h"

#include <QObject>
#include <QString>

class SerialLink;

// Where the link is open: the port and rate of the last open, as opposed to
// the axis bar's selection, which only says what the next open will use. One
// per link, created on first use; a link already open when it is created is
// taken to be open on the current selection, as nothing can have changed it
// since.
class LinkPlace : public QObject {
    Q_OBJECT
public:
    static LinkPlace& of(SerialLink& link);

    bool known() const { return known_; }
    int portIndex() const { return portIndex_; }
    int baudIndex() const { return baudIndex_; }
    bool isAt(int portIndex, int baudIndex) const {
        return known_ && portIndex == portIndex_ && baudIndex == baudIndex_;
    }

private:
    explicit LinkPlace(SerialLink& link);
    void portOpenChanged(bool open);

    SerialLink& link_;
    bool known_ = false;
    int portIndex_ = 0;
    int baudIndex_ = 0;
};

// Points the link at one axis for the lifetime of a scope and puts the
// previous address back afterwards. A panel's commands always go to the
// panel's own axis: a panel being closed while another is active (every panel
// at shutdown) or a focus change that lands after another window's activation
// must not talk to whichever axis happens to be current.
//
// The port goes with the axis. When the link is open on another port or rate
// than the axis was opened with, it is reopened on the axis's own for the
// scope. The active panel keeps the port there (the link belongs to it); a
// panel that talks while another is active borrows the port and puts it back
// where it was. The axis bar's selection is left as the operator made it: it
// takes effect the next time the port is opened by a connection, not behind
// a panel's back.
class AxisTarget {
public:
    enum class Port {
        Stay,  // never reopen (a baud rate change or a long operation owns the port)
        Keep,  // reopen on the axis's port and rate and leave it there
        Borrow // reopen for the scope, then put the port back where it was
    };
    AxisTarget(SerialLink& link, const AxisAddress& address, int portIndex, int baudIndex,
               Port port = Port::Keep);
    ~AxisTarget();
    AxisTarget(const AxisTarget&) = delete;
    AxisTarget& operator=(const AxisTarget&) = delete;

private:
    void openAt(int portIndex, int baudIndex);

    SerialLink& link_;
    QString previousAddress_;
    int selectedPort_ = 0;
    int selectedBaud_ = 0;
    bool borrowed_ = false;
    int previousPort_ = 0;
    int previousBaud_ = 0;
};
