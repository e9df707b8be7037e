#include <gtest/gtest.h>

#include <vector>

#include "graphics/row_decoders.h"
#include "platform/crt.h"
#include "tools/qvx_writer/qvx_writer.h"

namespace {

using Bytes = std::vector<BYTE>;

// Unpacks one row from exactly the given bytes (so a read past them is a sanitizer finding);
// answers the row and how many bytes the decoder used (-1 when it ran out).
std::pair<Bytes, long> Unpack(BYTE method, const Bytes& packed, DWORD length, BYTE fill = 0xAA)
{
    Bytes row(length, fill);
    const auto* source = new BYTE[packed.size() + 1]; // +1: a zero-size block still has an end
    std::copy(packed.begin(), packed.end(), const_cast<BYTE*>(source));
    const BYTE* end = source + packed.size();
    const BYTE* next = decoderTable[method](row.data(), source, end, length);
    const long used = next == nullptr ? -1 : static_cast<long>(next - source);
    delete[] source;
    return {row, used};
}

TEST(RowDecoderTest, EachMethodUnpacksItsOwnExamplesAndStopsAtItsRowOrItsData)
{
    const struct {
        BYTE method;
        Bytes packed;
        DWORD length;
        Bytes row;
        long used; // -1: the data ended early, and the rest of the row is left
    } cases[] = {
        {1, {0xE4, 0x07, 0x41}, 6, {7, 7, 7, 7, 7, 0x41}, 3},
        {3, {0x82, 0xFF}, 3, {0xFF, 0xFF, 0xFF}, 2},
        {2, {0xC1, 0x10, 0x3F}, 3, {0x10, 0x10, 0x3F}, 3},
        // Words are little-endian: FC02 then 1234 repeats 34 12 three times.
        {6, {0x02, 0xFC, 0x34, 0x12}, 6, {0x34, 0x12, 0x34, 0x12, 0x34, 0x12}, 4},
        {6, {0x00, 0xFC, 0x00, 0xFC}, 2, {0x00, 0xFC}, 4}, // a marker-range literal: a run of one
        {7, {0x01, 0xFC, 0xFF, 0xFF, 1, 2, 3, 4}, 8, {1, 2, 3, 4, 1, 2, 3, 4}, 8},
        // Odd rows end in raw bytes; a row shorter than one unit holds only those.
        {6, {0x01, 0xFC, 9, 8, 0x77}, 5, {9, 8, 9, 8, 0x77}, 5},
        {7, {1, 2, 3, 4, 5, 6, 7}, 7, {1, 2, 3, 4, 5, 6, 7}, 7},
        {7, {0xFF, 0xFF, 0xFF}, 3, {0xFF, 0xFF, 0xFF}, 3},
        {6, {0xFC}, 1, {0xFC}, 1},
        // A run is cut at the end of its row.
        {1, {0x41, 0xFF, 0x05}, 4, {0x41, 5, 5, 5}, 3},
        {6, {0xFF, 0xFF, 1, 2}, 4, {1, 2, 1, 2}, 4},
        {7, {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 9}, 5, {1, 2, 3, 4, 9}, 9},
        {1, {1, 2}, 4, {1, 2, 0xAA, 0xAA}, -1},
        {3, {0x85}, 3, {0xAA, 0xAA, 0xAA}, -1},
        {6, {0x02, 0xFC, 0x34}, 6, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}, -1},
        {7, {1, 2, 3, 4}, 9, {1, 2, 3, 4, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}, -1},
        {0, {1, 2}, 3, {1, 2, 0xAA}, -1},
        {0, {}, 2, {0xAA, 0xAA}, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Unpack(c.method, c.packed, c.length), std::make_pair(c.row, c.used))
            << "method " << int(c.method) << ", " << c.packed.size() << " bytes";
    }
}

// Rows of many lengths and kinds: long runs past every method's limit, marker-range literals,
// noise, and runs that break at odd positions.
std::vector<Bytes> SampleRows()
{
    std::vector<Bytes> rows;
    crt::srand(7);
    for (DWORD length :
         {1u, 2u, 3u, 5u, 7u, 8u, 9u, 31u, 33u, 64u, 65u, 129u, 640u, 2051u, 5000u}) {
        Bytes flat(length, 0xFC);
        Bytes noise;
        Bytes mixed;
        Bytes words;
        for (DWORD i = 0; i < length; ++i) {
            noise.push_back(static_cast<BYTE>(crt::rand()));
            mixed.push_back(
                static_cast<BYTE>((i / 37) % 2 ? 0xE0 + i % 3 : (i % 300 < 200 ? 4 : i)));
            words.push_back(static_cast<BYTE>(i % 4 < 2 ? 0xFF : 0xFC + (i / 4096)));
        }
        rows.insert(rows.end(), {flat, noise, mixed, words});
    }
    return rows;
}

TEST(RowDecoderTest, EveryPackedRowUnpacksToItself)
{
    for (BYTE method : qvx::packingMethods) {
        for (const Bytes& row : SampleRows()) {
            Bytes packed;
            qvx::PackRow(row.data(), static_cast<DWORD>(row.size()), method, packed);
            const auto [unpacked, used] = Unpack(method, packed, static_cast<DWORD>(row.size()));
            ASSERT_EQ(unpacked, row) << "method " << int(method) << " length " << row.size();
            ASSERT_EQ(used, static_cast<long>(packed.size()));
        }
    }
}

TEST(RowDecoderTest, RunsNeverExceedTheMethodsLongest)
{
    const Bytes flat(3000, 5);
    const std::pair<BYTE, std::size_t> expected[] = {
        {1, 2 * 94}, {2, 2 * 47}, {3, 2 * 24}, {6, 4 * 2}, {7, 8 * 1}};
    for (const auto& [method, size] : expected) {
        Bytes packed;
        qvx::PackRow(flat.data(), 3000, method, packed);
        EXPECT_EQ(packed.size(), size) << int(method);
    }
}

} // namespace
