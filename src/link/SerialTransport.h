#pragma once

// A local serial port (a USB adapter, a built-in port, a pty) as the link's
// line: QSerialPort opened exclusively, read with blocking waits.

#include "link/LinkTransport.h"

#include <QSerialPort>

class SerialTransport : public LinkTransport {
public:
    explicit SerialTransport(const QString& device);
    ~SerialTransport() override;

    bool open(int rate) override;
    void close() override;
    OpenError error() const override { return error_; }
    QString errorText() const override { return errorText_; }
    bool changeRate(int rate) override;
    bool setsRate() const override { return true; }
    // The probe reopens a local port for each rate, as it always has.
    bool changesRateInPlace() const override { return false; }
    unsigned replyAllowanceMs() const override { return 0; }
    bool failed() override;
    void discardInput(QByteArray* stale) override;
    void write(const QByteArray& data, const QElapsedTimer& clock, qint64 timeoutMs) override;
    QByteArray readAvailable() override;
    void waitForInput(int ms) override;

private:
    QSerialPort port_;
    OpenError error_ = OpenError::None;
    QString errorText_;
};
