#include "platform/ddraw/stretched_row.h"

namespace platform::ddraw {
namespace {

// Past this many spans a row, one keyed pass over the row costs less than a copy per span.
constexpr DWORD pixelsPerSpan = 16;
// Enlarged this many times, a source pixel is best written as a word over its run.
constexpr DWORD wordRun = 3;
constexpr std::uint64_t everyByte = 0x0101010101010101ULL;

} // namespace

StretchedRow::StretchedRow(std::vector<DWORD> sampledColumns, KeyRange rowKey)
    : columns(std::move(sampledColumns)), key(rowKey), pixels(columns.size() + 8)
{
    if (columns.empty()) return;
    first = columns.front();
    starts.assign(columns.back() - first + 2, static_cast<DWORD>(columns.size()));
    for (DWORD i = static_cast<DWORD>(columns.size()); i-- > 0;) starts[columns[i] - first] = i;
    // A source column no target column samples starts where the next one does.
    for (DWORD c = static_cast<DWORD>(starts.size()) - 1; c-- > 0;) {
        if (starts[c] > starts[c + 1]) starts[c] = starts[c + 1];
    }
    byRuns = columns.size() >= wordRun * (starts.size() - 1);
}

void StretchedRow::Fill(DWORD begin, DWORD end, const BYTE* row)
{
    if (!byRuns) {
        const DWORD from = starts[begin - first];
        StretchRow(pixels.data() + from, row, columns.data() + from, starts[end - first] - from);
        return;
    }
    for (DWORD x = begin; x < end; ++x) {
        const DWORD at = starts[x - first];
        const DWORD length = starts[x - first + 1] - at;
        // A word of the pixel covers a run of up to eight; the next run writes over the rest.
        if (length <= 8) Store64(pixels.data() + at, row[x] * everyByte);
        else std::memset(pixels.data() + at, row[x], length);
    }
}

void StretchedRow::Sample(LONG y, const BYTE* row)
{
    if (y == sampled) return;
    sampled = y;
    const auto count = static_cast<DWORD>(columns.size());
    const DWORD last = first + static_cast<DWORD>(starts.size()) - 1;
    spans.clear();
    wordByWord = false;
    if (key.Empty()) {
        Fill(first, last, row);
        spans.emplace_back(0, count);
        return;
    }
    // The runs of source pixels outside the key, as runs of target columns.
    for (DWORD x = first; x < last;) {
        const DWORD begin = RunEnd(row, x, last, true);
        x = RunEnd(row, begin, last, false);
        if (starts[begin - first] == starts[x - first]) continue;
        spans.emplace_back(starts[begin - first], starts[x - first]);
        Fill(begin, x, row);
    }
    wordByWord = spans.size() > count / pixelsPerSpan + 1;
    if (wordByWord) Fill(first, last, row);
}

DWORD StretchedRow::RunEnd(const BYTE* row, DWORD x, DWORD end, bool inKey) const
{
    if (key.low == key.high) {
        // Eight pixels at a time while all of them are, or none of them is, the key.
        const std::uint64_t pattern = key.low * everyByte;
        for (; x + 8 <= end; x += 8) {
            const std::uint64_t notKey = NonZeroBytes(Load64(row + x) ^ pattern);
            if (notKey != (inKey ? 0 : ~std::uint64_t {0})) break;
        }
    }
    while (x < end && key.Holds(row[x]) == inKey) ++x;
    return x;
}

void StretchedRow::Draw(BYTE* target) const
{
    if (wordByWord) {
        CopyRowKeyed(target, pixels.data(), static_cast<DWORD>(columns.size()), key);
        return;
    }
    for (const auto& [from, to] : spans)
        std::memcpy(target + from, pixels.data() + from, to - from);
}

} // namespace platform::ddraw
