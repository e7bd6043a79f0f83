#include "drive/RampMemoryModel.h"

#include "drive/RampMemoryImage.h"

void RampMemoryModel::setListing(const RampListing& listing) {
    listing_ = listing;
    rows_ = qBound(0, listing.count, RowCount);
    erased_ = false;
}

void RampMemoryModel::clearRows() {
    rows_ = 0;
}

bool RampMemoryModel::slope(int row, quint32* hz) const {
    if (row < 0 || row >= RowCount || row >= listing_.slopes.size())
        return false;
    *hz = listing_.slopes.at(row);
    return true;
}

bool RampMemoryModel::tableBytes(int row, qint32* bytes) const {
    if (row < 0 || row >= RowCount || row >= listing_.sizes.size())
        return false;
    *bytes = listing_.sizes.at(row);
    return true;
}

void RampMemoryModel::setMarkable(int rows) {
    markable_ = qBound(0, rows, RowCount);
    marks_.reset();
}

void RampMemoryModel::setMarked(int row, bool marked) {
    if (row >= 0 && row < markable_)
        marks_.set(size_t(row), marked);
}

bool RampMemoryModel::marked(int row) const {
    return row >= 0 && row < markable_ && marks_.test(size_t(row));
}

bool RampMemoryModel::anyMarked() const {
    return marks_.any();
}

void RampMemoryModel::clearMarks() {
    markable_ = 0;
    marks_.reset();
}

qint64 RampMemoryModel::usedBytes() const {
    qint64 used = 0;
    qint32 bytes = 0;
    for (int row = 0; row < rows_; ++row)
        if (tableBytes(row, &bytes))
            used += qMax(0, bytes);
    return used;
}

qint64 RampMemoryModel::freeMemory() const {
    if (erased_)
        return RampMemoryImage::TableSpace;
    qint64 free = RampFreeMemory(usedBytes());
    qint32 bytes = 0;
    for (int row = 0; row < markable_; ++row)
        if (marks_.test(size_t(row)) && tableBytes(row, &bytes))
            free += bytes;
    return free;
}

quint32 RampMemoryModel::suggestion() const {
    return SuggestedRamp(listing_.topFrequency, usedBytes());
}
