#include <string>

#include "platform/kernel.h"
#include "support/file_access.h"
#include "support/memory.h"
#include "tests/common/log_session.h"

namespace {

using FileAccessTest = test::LogSessionTest;

std::string Bytes(std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>('A' + i % 26);
    return bytes;
}

TEST_F(FileAccessTest, LoadFileWithHeaderSplitsHeaderAndBody)
{
    const std::string content = Bytes(108);
    WriteFile("f.dat", content);
    char header[8] = {};
    DWORD size = 0;
    auto* body = static_cast<char*>(LoadFileWithHeader("f.dat", header, &size));
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(std::string(header, 8), content.substr(0, 8));
    EXPECT_EQ(size, 100u);
    EXPECT_EQ(std::string(body, 100), content.substr(8));
    MemFree(body);
    // The file was closed again: it opens now.
    EXPECT_TRUE(FileExists("f.dat"));
}

TEST_F(FileAccessTest, AHeaderOnlyOrShorterFileGivesNoBody)
{
    WriteFile("eight.dat", Bytes(8));
    WriteFile("five.dat", Bytes(5));
    char header[8] = {};
    DWORD size = 1;
    EXPECT_EQ(LoadFileWithHeader("eight.dat", header, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(LoadFileWithHeader("five.dat", header, &size), nullptr);
    EXPECT_EQ(size, 0xFFFFFFFDu);
    EXPECT_EQ(LogText(), "OUTRANGE in eight.dat: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "OUTRANGE in five.dat: OUT OF STDALLOC MEMORY RANGE\r\n");
    EXPECT_TRUE(FileExists("five.dat")); // closed despite the refusal
}

TEST_F(FileAccessTest, AMissingFileIsReportedUnderItsName)
{
    DWORD size = 0;
    EXPECT_EQ(LoadWholeFile("gone.dat", nullptr, 0, &size), nullptr);
    EXPECT_EQ(size, 0xFFFFFFFFu);
    ASSERT_GE(debugger.Pieces().size(), 4u);
    EXPECT_EQ(debugger.Pieces()[0], "SYSTEM ERROR (modulo ");
    EXPECT_EQ(debugger.Pieces()[1], "gone.dat");
    EXPECT_EQ(debugger.Pieces()[2], ") : ");
    EXPECT_EQ(LogText(), ""); // system errors never reach the log file
}

TEST_F(FileAccessTest, AFileTheProgramHoldsOpenDoesNotExistForAnotherOpen)
{
    WriteFile("held.dat", "x");
    const HANDLE held = OpenForRead("held.dat");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    debugger.Clear();
    EXPECT_FALSE(FileExists("held.dat"));
    EXPECT_TRUE(debugger.Pieces().empty()); // the existence test reports nothing
    EXPECT_EQ(OpenForRead("held.dat"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(debugger.Pieces()[1], "held.dat");
    CloseHandle(held);
    EXPECT_TRUE(FileExists("held.dat"));
}

TEST_F(FileAccessTest, CanCreateFileLeavesAnEmptyFile)
{
    WriteFile("old.txt", "previous contents");
    EXPECT_TRUE(CanCreateFile("old.txt"));
    EXPECT_EQ(ReadFile("old.txt"), "");
    EXPECT_TRUE(CanCreateFile("new.txt"));
    EXPECT_TRUE(std::filesystem::exists("new.txt"));
}

TEST_F(FileAccessTest, WriteStringWritesTheTextWithoutItsTerminator)
{
    const HANDLE file = CreateForWrite("out.txt");
    WriteString(file, "abc");
    WriteString(file, "");
    CloseHandle(file);
    EXPECT_EQ(ReadFile("out.txt"), "abc");

    debugger.Clear();
    WriteString(INVALID_HANDLE_VALUE, "nowhere");
    EXPECT_TRUE(debugger.Pieces().empty());
}

} // namespace
