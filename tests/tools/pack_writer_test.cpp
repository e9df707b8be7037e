#include "platform/kernel.h"
#include "sound/pack_archive.h"
#include "tests/common/log_session.h"
#include "tools/pack_writer/pack_writer.h"

namespace {

using pack_writer::PackWriter;
using pack_writer::PcmSound;

using PackWriterTest = test::LogSessionTest;

TEST_F(PackWriterTest, WhatItWritesTheGamesReaderFindsInItsLayout)
{
    PackWriter writer;
    const std::vector<BYTE> stream = {'E', 'O', 'F', '!', 0, 0, 0, 0};
    ASSERT_TRUE(writer.AddImage(stream, {"creature", {}}));
    ASSERT_TRUE(writer.AddSound(PcmSound {11025, 2, 16, {1, 2, 3, 4, 5, 6, 7, 8}}, {"", 7}));
    const std::vector<BYTE> raw = {'r', 'a', 'w'};
    ASSERT_TRUE(writer.AddEntry(0x01020304, raw, {"elevenchars", {}}));
    ASSERT_TRUE(writer.Write("made.pck"));

    PackArchive* pack = OpenPack("made.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(pack->header.entryCount, 3u);
    EXPECT_EQ(GetPackEntryType(pack, 0), FourCC("QVx3"));
    EXPECT_EQ(GetPackEntryLabel(pack, 0).text, "creature");
    EXPECT_EQ(GetPackEntryLabel(pack, 1).number, 7);
    EXPECT_EQ(GetPackEntryLabel(pack, 2).text, "elevenchars");
    EXPECT_EQ(GetPackEntryType(pack, 2), 0x01020304u);
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 0), 8), "EOF!" + std::string(4, '\0'));
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 2), 4), "raw");
    // Flags 3 (16-bit, stereo), a reserved half-word, the length, the rate, the samples.
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 1), 20),
              std::string("\3\0\0\0\x08\0\0\0\x11\x2B\0\0\1\2\3\4\5\6\7\x08", 20));
    ClosePack(pack);
}

TEST_F(PackWriterTest, RefusesLabelsAndSoundsTheGameCouldNotUse)
{
    PackWriter writer;
    EXPECT_FALSE(writer.AddEntry(1, {}, {"twelve-chars", {}}));
    EXPECT_FALSE(writer.AddSound(PcmSound {11025, 3, 8, {1, 2, 3}}));
    EXPECT_FALSE(writer.AddSound(PcmSound {11025, 1, 12, {1, 2}}));
    EXPECT_FALSE(writer.AddSound(PcmSound {11025, 2, 16, {1, 2}})); // half a frame
    EXPECT_FALSE(writer.AddSound(PcmSound {11025, 1, 8, {}}));
    EXPECT_EQ(writer.EntryCount(), 0u);
    EXPECT_EQ(writer.Bytes().size(), 40u); // an empty pack is a header alone
}

} // namespace
