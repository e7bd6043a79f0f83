#pragma once

// The live trace of one axis: the positions its panel's status poll read
// while the motor ran, the speed between two of them, and the moves started
// from the panel, over the last minute. Nothing here talks to the axis.

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

class AxisTrace {
public:
    static constexpr qint64 WindowMs = 60000; // what the trace keeps: the last minute

    struct Sample {
        qint64 ms = 0; // since the trace began
        qint64 position = 0;
        // Eighth steps per second (the position register's unit) from the sample before it in the
        // same move; none for the first position of a move.
        std::optional<double> speed;
        bool endsMove = false; // the read that found the motor stopped
    };
    struct Mark {
        qint64 ms = 0;
        std::optional<qint64> position; // where the move started, when it was read
    };

    // A position the poll read: while the motor runs, and once more when it
    // has stopped (running false), which ends the move. A read outside a move,
    // or a text that is no position, is left out; returns whether it was taken.
    bool addPosition(qint64 ms, const QString& positionText, bool running);
    // A move started from the panel, with the position read right after it
    // (empty when none was read). It begins a move of its own.
    void addMoveStart(qint64 ms, const QString& positionText);
    // Reads were missed (the trace was paused): the next position starts a
    // move of its own rather than taking a speed across the gap.
    void interrupt() { inMove_ = false; }
    // Drops what is older than a minute before `now`.
    void dropBefore(qint64 now);
    void clear();

    const QList<Sample>& samples() const { return samples_; }
    const QList<Mark>& marks() const { return marks_; }

    // "time_s,position,speed" and one line per sample: time in seconds with
    // milliseconds, the position, the speed in eighth steps per second with one
    // decimal (empty for a move's first position); '.' as decimal point,
    // "\n" after every line.
    QString toCsv() const;

    // A position text as the controller writes it: optional blanks and sign,
    // then decimal digits and nothing else.
    static std::optional<qint64> parsePosition(const QString& text);

private:
    void append(qint64 ms, qint64 position);

    QList<Sample> samples_;
    QList<Mark> marks_;
    bool inMove_ = false; // the next position continues a move
};
