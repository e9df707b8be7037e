#pragma once
// A stretching blit samples each source row once: an enlarged picture repeats a source row over
// several target rows in turn, and a keyed one lays only the spans of its row that are not the
// key, each with one copy, instead of testing every pixel of every target row.

#include <utility>
#include <vector>

#include "platform/ddraw/pixel_rows.h"

namespace platform::ddraw {

class StretchedRow {
public:
    // `columns[i]` is the source column that target column i samples, in order.
    StretchedRow(std::vector<DWORD> columns, KeyRange key);

    // Samples a source row, unless it is the one sampled last.
    void Sample(LONG y, const BYTE* row);
    // Lays the sampled row over a target row: every pixel, or, keyed, those not in the key.
    void Draw(BYTE* target) const;

private:
    // Samples the source columns from `begin` to `end`: each fills its run of target columns.
    void Fill(DWORD begin, DWORD end, const BYTE* row);
    // The first column from `x` on, before `end`, whose pixel is (`inKey` false) or is not in
    // the key.
    DWORD RunEnd(const BYTE* row, DWORD x, DWORD end, bool inKey) const;

    std::vector<DWORD> columns;
    KeyRange key;
    DWORD first = 0; // the first source column sampled
    // The first target column of each source column from `first` on, and the end.
    std::vector<DWORD> starts;
    std::vector<BYTE> pixels; // with room for a word past the end: a run is filled by words
    std::vector<std::pair<DWORD, DWORD>> spans; // target columns to copy, [begin, end)
    bool wordByWord = false; // too many spans: the keyed copy of the whole row is quicker
    bool byRuns = false;     // enlarged enough that a word a source pixel beats a byte a target
    LONG sampled = -1;
};

} // namespace platform::ddraw
