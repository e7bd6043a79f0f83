#pragma once

// The reading of an axis's PLC slots while its dialog is already on screen:
// a progress line of the dialog's own, every control locked except the one
// that closes the dialog, and the operator's wish to stop the reading.

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

class QDialog;
class QLabel;
class QProgressBar;

class SlotReading : public QWidget {
    Q_OBJECT
public:
    // `keep` stays usable throughout (the dialog's Close button).
    SlotReading(QWidget* dialog, QWidget* keep);

    // Puts the dialog on screen application-modal, then reads the axis with
    // `read` and runs the dialog; Rejected, hidden again, when the reading
    // failed or was stopped.
    static int showReadAndRun(QDialog& dialog, const std::function<bool()>& read);

    // Locks the dialog's controls and shows the progress line.
    void begin();
    // One more slot read; false once the operator asked to stop.
    bool step(int read, int count);
    // Unlocks what begin() locked and hides the progress line.
    void end();

    void cancel() { cancelled_ = true; }
    bool active() const { return active_; }
    bool cancelled() const { return cancelled_; }

private:
    QWidget* dialog_;
    QWidget* keep_;
    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QList<QPointer<QWidget>> locked_;
    bool active_ = false;
    bool cancelled_ = false;
};
