#include "drive/RampCurve.h"

int RampStepTicks(quint16 entry) {
    return 0x10000 - int(entry);
}

RampCurve RampCurveOfEntries(const QList<quint16>& entries, qint32 clockHz) {
    RampCurve curve;
    if (clockHz < 12) {
        curve.status = RampTableStatus::NoClock;
        return curve;
    }
    curve.status = RampTableStatus::Fits;
    const double ticksPerSecond = double(clockHz) / 12.0;
    curve.points.reserve(entries.size());
    // Summed in whole ticks: a long table must not gather rounding error.
    qint64 ticksBefore = 0;
    for (quint16 entry : entries) {
        const int ticks = RampStepTicks(entry);
        curve.points.append({double(ticksBefore) / ticksPerSecond, ticksPerSecond / ticks});
        ticksBefore += ticks;
    }
    curve.secondsToTop = double(ticksBefore) / ticksPerSecond;
    return curve;
}

RampCurve RampCurveOfImage(const RampMemoryImage& image, qint32 clockHz) {
    const int count = image.word(RampMemoryImage::TableOffset);
    // A count that would run past the image is no table of this image.
    const int room = (RampMemoryImage::Size - RampMemoryImage::TableOffset - 4) / 2;
    if (count > room)
        return RampCurve{};
    QList<quint16> entries;
    entries.reserve(count);
    for (int j = 0; j < count; ++j)
        entries.append(image.word(RampMemoryImage::TableOffset + 2 + 2 * j));
    return RampCurveOfEntries(entries, clockHz);
}

RampCurve ComputeRampCurve(qint32 clockHz, qint32 topFrequency, quint32 ramp, qint32 freeMemory) {
    auto image = RampMemoryImage::create();
    if (!image)
        return RampCurve{};
    const RampTable table = ComputeRampTable(*image, clockHz, topFrequency, ramp, freeMemory);
    if (table.status != RampTableStatus::Fits) {
        RampCurve failed;
        failed.status = table.status;
        return failed;
    }
    return RampCurveOfImage(*image, clockHz);
}

QString RampCurveCsv(const RampCurve& curve) {
    QString csv = QStringLiteral("step,time_s,frequency_hz\n");
    csv.reserve(csv.size() + curve.points.size() * 24);
    for (qsizetype i = 0; i < curve.points.size(); ++i) {
        const RampCurvePoint& p = curve.points.at(i);
        csv += QString::number(i + 1) + QLatin1Char(',') + QString::number(p.seconds, 'f', 6) +
               QLatin1Char(',') + QString::number(p.hz, 'f', 3) + QLatin1Char('\n');
    }
    return csv;
}
