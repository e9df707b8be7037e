#include <algorithm>

#include "platform/kernel.h"
#include "sound/pack_archive.h"
#include "support/file_access.h"
#include "support/little_endian.h"
#include "support/memory.h"
#include "tests/common/log_session.h"
#include "tests/sound/pack_bytes.h"

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

TEST_F(PackTest, AnEmptyPackOpensButHasNothingToSeek)
{
    WriteFile("empty.pck", PackBytes(0, {}));
    PackArchive* pack = OpenPack("empty.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(SeekPackEntry(pack, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetPackEntryType(pack, 0), 0u);
    ClosePack(pack);
    EXPECT_EQ(LogText(), "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "Invalid Pack Entry\r\n"
                         "ERROR: Try To Free NULL Pointer ???\r\n");
}

TEST_F(PackTest, WhatAShortFileLacksReadsAsZero)
{
    std::string file = PackBytes(2, {{"QVx3", 70, "one"}});
    file += "QVx"; // the second record is cut after three bytes
    WriteFile("short.pck", file);
    PackArchive* pack = OpenPack("short.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(GetPackEntryType(pack, 1), FourCC("QVx\0"));
    // Offset 0 of the missing part is inside the file.
    EXPECT_NE(SeekPackEntry(pack, 1), INVALID_HANDLE_VALUE);
    ClosePack(pack);

    WriteFile("tiny.pck", "abc");
    pack = OpenPack("tiny.pck", 0);
    ASSERT_NE(pack, nullptr);
    EXPECT_EQ(pack->header.entryCount, 0u);
    ClosePack(pack);
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

TEST_F(PackTest, AnOffsetBeyondTheEndIsRejectedLikeAMissingEntry)
{
    std::string file = PackBytes(2, {{"SND0", 96, "end"}, {"SND0", 97, "past"}});
    WriteFile("far.pck", file);
    PackArchive* pack = OpenPack("far.pck", 0);
    EXPECT_NE(SeekPackEntry(pack, 0), INVALID_HANDLE_VALUE); // the very end is still inside
    EXPECT_EQ(SeekPackEntry(pack, 1), INVALID_HANDLE_VALUE);
    ClosePack(pack);
    EXPECT_EQ(LogText(), "Invalid Pack Entry\r\n");
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
}

TEST_F(PackTest, KeepOnCloseLeavesEverythingAsItIs)
{
    WriteFile("k.pck", PackBytes(1, {{"SND0", 0, "x"}}));
    PackArchive* pack = OpenPack("k.pck", PACK_KEEP_ON_CLOSE);
    ClosePack(pack);
    EXPECT_FALSE(FileExists("k.pck"));
    EXPECT_EQ(pack->fileName, std::string("k.pck"));
    pack->flags = 0;
    ClosePack(pack);
    EXPECT_TRUE(FileExists("k.pck"));
}

} // namespace
