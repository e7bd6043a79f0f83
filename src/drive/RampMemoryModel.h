#pragma once

// What the ramp memory dialog shows, as numbers: the ramps listed from the
// controller, the rows marked for deletion, the free memory and the slope
// suggested for it. The dialog shows this model and hands its numbers to the
// ramp calculation; nothing is read back from the screen.

#include "drive/RampMemory.h"

#include <QtGlobal>
#include <bitset>

class RampMemoryModel {
public:
    static constexpr int RowCount = 16;

    // The rows of a listing read from the controller become the ones shown;
    // the memory counts as the listing says again.
    void setListing(const RampListing& listing);
    // No row shown: the controller is rebuilding its memory and the old rows
    // no longer say what it holds. The top frequency stays.
    void clearRows();

    int rowCount() const { return rows_; }
    qint32 topFrequency() const { return listing_.topFrequency; }
    // The listing's slope (Hz/s) and table size (bytes) of a row; false when
    // the listing has none for it.
    bool slope(int row, quint32* hz) const;
    bool tableBytes(int row, qint32* bytes) const;

    // Delete mode: rows 0 .. rows - 1 may be marked.
    void setMarkable(int rows);
    int markableRows() const { return markable_; }
    void setMarked(int row, bool marked);
    bool marked(int row) const;
    bool anyMarked() const;
    // Leaves delete mode: no row markable, none marked.
    void clearMarks();

    // The memory was erased: all of it is free until the next listing.
    void setErased() { erased_ = true; }

    // Table bytes of the rows shown.
    qint64 usedBytes() const;
    // What the free-memory field shows: the memory the shown rows leave, plus
    // the tables of the marked rows (what a deletion would give back); the
    // whole table space once the memory was erased.
    qint64 freeMemory() const;
    // The slope the new-ramp field offers for the free memory; 0: none.
    quint32 suggestion() const;

private:
    RampListing listing_;
    int rows_ = 0;
    int markable_ = 0;
    std::bitset<RowCount> marks_;
    bool erased_ = false;
};
