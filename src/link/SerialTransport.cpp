#include "link/SerialTransport.h"

#include <QElapsedTimer>

SerialTransport::SerialTransport(const QString& device) {
    port_.setPortName(device);
}

SerialTransport::~SerialTransport() {
    close();
}

bool SerialTransport::open(int rate) {
    error_ = OpenError::None;
    errorText_.clear();
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = port_.error() == QSerialPort::PermissionError ? OpenError::PermissionDenied
                                                               : OpenError::Other;
        errorText_ = port_.errorString();
        port_.clearError();
        return false;
    }
    // An open port at an unknown rate would only show up later as time-outs;
    // refuse it here so the caller reports that the port cannot be used.
    const bool configured =
        rate > 0 && port_.setBaudRate(rate) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        errorText_ = port_.errorString();
        port_.close();
        port_.clearError();
        error_ = OpenError::Unusable;
        return false;
    }
    return true;
}

void SerialTransport::close() {
    if (port_.isOpen())
        port_.close();
}

bool SerialTransport::changeRate(int rate) {
    return port_.isOpen() && port_.setBaudRate(rate);
}

bool SerialTransport::failed() {
    // "Nothing arrived" from an earlier wait is harmless; anything else the
    // port reports means the device is gone. When the other end of a pty
    // closes, ReadError arrives and the port stays "open".
    if (port_.error() == QSerialPort::TimeoutError)
        port_.clearError();
    return port_.error() != QSerialPort::NoError;
}

void SerialTransport::discardInput(QByteArray* stale) {
    if (stale) {
        // Someone watches the exchange: fetch what the driver holds so that it
        // is shown rather than dropped unseen. The wire sees no difference.
        if (!port_.waitForReadyRead(0) && port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
        *stale = port_.readAll();
    }
    port_.clear(QSerialPort::Input); // the driver's queue and Qt's buffer
    port_.readAll();
}

void SerialTransport::write(const QByteArray& data, const QElapsedTimer& clock, qint64 timeoutMs) {
    if (port_.error() != QSerialPort::NoError)
        return;
    // Without an event loop the frame leaves the port's buffer only here: at
    // once as a rule, and through the wait below when the driver's queue is full.
    port_.write(data);
    port_.flush();
    while (port_.error() == QSerialPort::NoError && port_.bytesToWrite() > 0) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (!port_.waitForBytesWritten(int(qMax<qint64>(left, 1)))) {
            if (port_.error() == QSerialPort::TimeoutError) {
                port_.clearError();
                if (clock.elapsed() > timeoutMs)
                    break;
                continue;
            }
            break;
        }
    }
}

QByteArray SerialTransport::readAvailable() {
    const qint64 waiting = port_.bytesAvailable();
    return waiting > 0 ? port_.read(waiting) : QByteArray();
}

void SerialTransport::waitForInput(int ms) {
    if (!port_.waitForReadyRead(ms)) {
        if (port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
    }
}
