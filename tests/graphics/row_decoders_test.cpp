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

TEST(RowDecoderTest, EachMethodUnpacksItsOwnExamples)
{
    EXPECT_EQ(Unpack(1, {0xE4, 0x07, 0x41}, 6),
              (std::pair<Bytes, long> {{7, 7, 7, 7, 7, 0x41}, 3}));
    EXPECT_EQ(Unpack(3, {0x82, 0xFF}, 3), (std::pair<Bytes, long> {{0xFF, 0xFF, 0xFF}, 2}));
    EXPECT_EQ(Unpack(2, {0xC1, 0x10, 0x3F}, 3), (std::pair<Bytes, long> {{0x10, 0x10, 0x3F}, 3}));
    // Words are little-endian: FC02 then 1234 repeats 34 12 three times.
    EXPECT_EQ(Unpack(6, {0x02, 0xFC, 0x34, 0x12}, 6),
              (std::pair<Bytes, long> {{0x34, 0x12, 0x34, 0x12, 0x34, 0x12}, 4}));
    // A literal word in the marker range is a run of one.
    EXPECT_EQ(Unpack(6, {0x00, 0xFC, 0x00, 0xFC}, 2), (std::pair<Bytes, long> {{0x00, 0xFC}, 4}));
    EXPECT_EQ(Unpack(7, {0x01, 0xFC, 0xFF, 0xFF, 1, 2, 3, 4}, 8),
              (std::pair<Bytes, long> {{1, 2, 3, 4, 1, 2, 3, 4}, 8}));
}

TEST(RowDecoderTest, OddRowsEndInRawBytes)
{
    EXPECT_EQ(Unpack(6, {0x01, 0xFC, 9, 8, 0x77}, 5),
              (std::pair<Bytes, long> {{9, 8, 9, 8, 0x77}, 5}));
    EXPECT_EQ(Unpack(7, {1, 2, 3, 4, 5, 6, 7}, 7),
              (std::pair<Bytes, long> {{1, 2, 3, 4, 5, 6, 7}, 7}));
    // A row shorter than one unit holds only its raw bytes.
    EXPECT_EQ(Unpack(7, {0xFF, 0xFF, 0xFF}, 3), (std::pair<Bytes, long> {{0xFF, 0xFF, 0xFF}, 3}));
    EXPECT_EQ(Unpack(6, {0xFC}, 1), (std::pair<Bytes, long> {{0xFC}, 1}));
}

TEST(RowDecoderTest, ARunIsCutAtTheEndOfItsRow)
{
    EXPECT_EQ(Unpack(1, {0x41, 0xFF, 0x05}, 4), (std::pair<Bytes, long> {{0x41, 5, 5, 5}, 3}));
    EXPECT_EQ(Unpack(6, {0xFF, 0xFF, 1, 2}, 4), (std::pair<Bytes, long> {{1, 2, 1, 2}, 4}));
    EXPECT_EQ(Unpack(7, {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 9}, 5),
              (std::pair<Bytes, long> {{1, 2, 3, 4, 9}, 9}));
}

TEST(RowDecoderTest, DataThatEndsEarlyLeavesTheRestOfTheRow)
{
    EXPECT_EQ(Unpack(1, {1, 2}, 4), (std::pair<Bytes, long> {{1, 2, 0xAA, 0xAA}, -1}));
    EXPECT_EQ(Unpack(3, {0x85}, 3), (std::pair<Bytes, long> {{0xAA, 0xAA, 0xAA}, -1}));
    EXPECT_EQ(Unpack(6, {0x02, 0xFC, 0x34}, 6).second, -1);
    EXPECT_EQ(Unpack(7, {1, 2, 3, 4}, 9).second, -1);
    EXPECT_EQ(Unpack(0, {1, 2}, 3), (std::pair<Bytes, long> {{1, 2, 0xAA}, -1}));
    EXPECT_EQ(Unpack(0, {}, 2).second, -1);
}

TEST(RowDecoderTest, MethodsFourAndFiveHaveNoDecoder)
{
    EXPECT_EQ(decoderTable[4], nullptr);
    EXPECT_EQ(decoderTable[5], nullptr);
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
