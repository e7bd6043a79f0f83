#pragma once

#include <QLabel>
#include <QPixmap>

// One of the round 16 x 15 status lamps of the panel and the status, PLC and
// I/O dialogs: grey when its bit is clear, green, red or yellow when set, and
// hatched when the program no longer knows the state (the link is gone):
// grey would read as "no fault".
class StatusLamp : public QLabel {
    Q_OBJECT
public:
    enum class Colour { Grey, Green, Red, Yellow, Unknown };

    explicit StatusLamp(QWidget* parent = nullptr);

    Colour colour() const { return colour_; }
    // Changes the picture only when the colour differs, so a poll that finds
    // nothing new does not repaint the lamp.
    void setColour(Colour colour);

    // The picture of a colour (":/lamps/<name>.png").
    static QPixmap pixmap(Colour colour);
    static QString name(Colour colour);

private:
    Colour colour_ = Colour::Grey;
};
