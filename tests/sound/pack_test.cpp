#include <algorithm>

#include "platform/kernel.h"
#include "sound/pack_archive.h"
#include "sound/pack_image.h"
#include "support/file_access.h"
#include "support/little_endian.h"
#include "support/memory.h"
#include "tests/common/log_session.h"
#include "tests/graphics/graphics_fixture.h"
#include "tests/sound/pack_bytes.h"
#include "tools/pack_writer/pack_writer.h"

namespace {
using test::HandEntry;
using test::PackBytes;

using PackTest = test::LogSessionTest;

TEST_F(PackTest, EntriesAreFoundByIndexWhateverTheirDataOrder)
{
    // The data begins after 40 + 3 x 28 = 124 bytes.
    std::string file = PackBytes(
        3, {{"QVx3", 136, "second"}, {"SND0", 124, "#\x2A"}, {"QVx3", 136, "twelve-chars"}});
    file += "first data--shared";
    WriteFile("a.pck", file);
    PackArchive* pack = OpenPack("a.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(GetPackEntryType(pack, 0), FourCC("QVx3"));
    EXPECT_EQ(GetPackEntryType(pack, 1), FourCC("SND0"));
    EXPECT_EQ(GetPackEntryType(pack, 3), 0u);
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 1), 5), "first");
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 0), 6), "shared");
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 2), 6), "shared");
    const PackLabel numbered = GetPackEntryLabel(pack, 1);
    EXPECT_TRUE(numbered.isNumber);
    EXPECT_EQ(numbered.number, 42);
    EXPECT_FALSE(GetPackEntryLabel(pack, 0).isNumber);
    EXPECT_EQ(GetPackEntryLabel(pack, 0).text, "second");
    EXPECT_EQ(GetPackEntryLabel(pack, 2).text, "twelve-chars"); // no NUL: ends with its record
    EXPECT_EQ(GetPackEntryLabel(pack, 3).text, "");
    EXPECT_EQ(SeekPackEntry(pack, 3), INVALID_HANDLE_VALUE); // equal to the count
    ClosePack(pack);
    EXPECT_EQ(LogText(), "Invalid Pack Entry\r\n");
}

TEST_F(PackTest, WhatAShortFileLacksReadsAsZeroAndNothingPastItsEndIsSought)
{
    WriteFile("empty.pck", PackBytes(0, {}));
    // The second record is cut after three bytes; the end itself is still inside the file.
    WriteFile("short.pck", PackBytes(3, {{"SND0", 99, "end"}, {"SND0", 100, "past"}}) + "QVx");
    WriteFile("tiny.pck", "abc");
    PackArchive* pack = OpenPack("empty.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(SeekPackEntry(pack, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetPackEntryType(pack, 0), 0u);
    ClosePack(pack);
    pack = OpenPack("short.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_NE(SeekPackEntry(pack, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(SeekPackEntry(pack, 1), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetPackEntryType(pack, 2), FourCC("QVx\0"));
    EXPECT_NE(SeekPackEntry(pack, 2), INVALID_HANDLE_VALUE); // offset 0 is inside the file
    ClosePack(pack);
    pack = OpenPack("tiny.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(pack->header.entryCount, 0u);
    ClosePack(pack);
    EXPECT_EQ(LogText(), "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "Invalid Pack Entry\r\n"
                         "ERROR: Try To Free NULL Pointer ???\r\n"
                         "Invalid Pack Entry\r\n"
                         "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "ERROR: Try To Free NULL Pointer ???\r\n");
}

TEST_F(PackTest, AnUnreadableDirectoryOrAMissingFileGivesNoPack)
{
    WriteFile("huge.pck", PackBytes(2000000, {{"QVx3", 0, "a"}}));
    EXPECT_EQ(OpenPack("huge.pck", 0), nullptr);
    EXPECT_TRUE(FileExists("huge.pck")); // closed again
    EXPECT_EQ(OpenPack("absent.pck", 0), nullptr);
    EXPECT_EQ(LogText(), "OUTRANGE: OUT OF STDALLOC MEMORY RANGE\r\n"
                         "ERROR: Try To Free NULL Pointer ???\r\n"
                         "Pack huge.pck non disponibile\r\n"
                         "Pack absent.pck non disponibile\r\n");
    EXPECT_NE(std::ranges::find(debugger.Pieces(), "absent.pck"), debugger.Pieces().end());
}

TEST_F(PackTest, CloseAfterUseReopensByNameOnDemand)
{
    std::string file = PackBytes(1, {{"SND0", 40 + 28, "x"}}) + "data";
    WriteFile("c.pck", file);
    PackArchive* pack = OpenPack("c.pck", PACK_CLOSE_AFTER_USE);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(pack->fileHandle, nullptr);
    EXPECT_TRUE(FileExists("c.pck"));
    EXPECT_EQ(test::ReadBytes(SeekPackEntry(pack, 0), 4), "data");
    EXPECT_FALSE(FileExists("c.pck")); // held again
    ReleasePackHandle(pack);
    // A failed reopen is kept as the invalid handle and every seek says so.
    std::filesystem::remove("c.pck");
    EXPECT_EQ(SeekPackEntry(pack, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(pack->fileHandle, INVALID_HANDLE_VALUE);
    ClosePack(pack);
    EXPECT_EQ(LogText(), " Error 6");
    // Keep-on-close leaves everything as it is.
    WriteFile("k.pck", PackBytes(1, {{"SND0", 0, "x"}}));
    pack = OpenPack("k.pck", PACK_KEEP_ON_CLOSE);
    ClosePack(pack);
    EXPECT_FALSE(FileExists("k.pck"));
    EXPECT_EQ(pack->fileName, std::string("k.pck"));
    pack->flags = 0;
    ClosePack(pack);
    EXPECT_TRUE(FileExists("k.pck"));
}

class PackImageTest : public test::GraphicsTest {
protected:
    static qvx::Image Image(BYTE first) { return {3, 2, 8, Expected(first)}; }
    static std::vector<BYTE> Expected(BYTE first)
    {
        std::vector<BYTE> pixels;
        for (BYTE i = 0; i < 6; ++i) pixels.push_back(static_cast<BYTE>(first + i));
        return pixels;
    }
};

TEST_F(PackImageTest, ImageEntriesLoadInTurnIntoOneSurfaceAndOthersLeaveItAlone)
{
    // Two 3 x 2 images, then a third under another tag.
    pack_writer::PackWriter writer;
    writer.AddImage(qvx::ChunkStream({Image(10), std::nullopt, 255}, 1));
    writer.AddImage(qvx::ChunkStream({Image(20), std::nullopt, std::nullopt}, 0));
    writer.AddEntry(FourCC("QVx2"), qvx::ChunkStream({Image(30), std::nullopt, 255}, 0));
    ASSERT_TRUE(writer.Write("glim.pck"));
    PackArchive* pack = OpenPack("glim.pck", 0);
    ASSERT_NE(pack, nullptr);
    LPDIRECTDRAWSURFACE surface = CreateSystemSurface(3, 2);
    LoadPackImage(surface, pack, 1);
    EXPECT_EQ(Pixels(surface), Expected(20));
    LoadPackImage(surface, pack, 0);
    EXPECT_EQ(Pixels(surface), Expected(10));
    DDCOLORKEY key {};
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 255u);
    EXPECT_NE(pack->fileHandle, nullptr); // opened without flags: kept open
    ClosePack(pack);

    pack = OpenPack("glim.pck", PACK_CLOSE_AFTER_USE);
    LoadPackImage(surface, pack, 2);
    LoadPackImage(surface, pack, 3); // beyond the directory: no type either
    EXPECT_EQ(Pixels(surface), Expected(10));
    LoadPackImage(surface, pack, 1);
    EXPECT_EQ(Pixels(surface), Expected(20));
    EXPECT_EQ(pack->fileHandle, nullptr); // closed again after each load
    surface->Release();
    ClosePack(pack);
    EXPECT_EQ(LogText(), "Non è un QVX3 Valido...Non è un QVX3 Valido...");
}

} // namespace
