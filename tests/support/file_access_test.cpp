#include <algorithm>
#include <string>

#include "platform/kernel.h"
#include "support/file_access.h"
#include "support/memory.h"
#include "tests/common/log_session.h"

namespace {

using FileAccessTest = test::LogSessionTest;

TEST_F(FileAccessTest, LoadFileWithHeaderSplitsHeaderAndBodyAndClosesTheFile)
{
    std::string content;
    for (int i = 0; i < 108; ++i) content += static_cast<char>('A' + i % 26);
    WriteFile("f.dat", content);
    WriteFile("eight.dat", content.substr(0, 8));
    WriteFile("five.dat", content.substr(0, 5));
    char header[8] = {};
    DWORD size = 0;
    auto* body = static_cast<char*>(LoadFileWithHeader("f.dat", header, &size));
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(std::string(header, 8), content.substr(0, 8));
    EXPECT_EQ(std::string(body, size), content.substr(8));
    MemFree(body);
    // A header alone, or less, gives no body; the file is closed despite the refusal.
    EXPECT_EQ(LoadFileWithHeader("eight.dat", header, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(LoadFileWithHeader("five.dat", header, &size), nullptr);
    EXPECT_EQ(size, 0xFFFFFFFDu);
    EXPECT_TRUE(FileExists("f.dat") && FileExists("five.dat"));
    EXPECT_EQ(LogText(), "OUTRANGE in eight.dat: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "OUTRANGE in five.dat: OUT OF STDALLOC MEMORY RANGE\r\n");
}

TEST_F(FileAccessTest, AMissingOrHeldFileIsReportedUnderItsNameToTheDebuggerOnly)
{
    DWORD size = 0;
    EXPECT_EQ(LoadWholeFile("gone.dat", nullptr, 0, &size), nullptr);
    EXPECT_EQ(size, 0xFFFFFFFFu);
    ASSERT_GE(debugger.Pieces().size(), 4u);
    EXPECT_EQ(debugger.Pieces()[0] + debugger.Pieces()[1] + debugger.Pieces()[2],
              "SYSTEM ERROR (modulo gone.dat) : ");
    // A file the program holds open does not exist for another open.
    WriteFile("held.dat", "x");
    const HANDLE held = OpenForRead("held.dat");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    debugger.Clear();
    EXPECT_FALSE(FileExists("held.dat"));
    EXPECT_TRUE(debugger.Pieces().empty()); // the existence test reports nothing
    EXPECT_EQ(OpenForRead("held.dat"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(debugger.Pieces()[1], "held.dat");
    EXPECT_EQ(BytesLeftInFile(held), 1u);
    CloseHandle(held);
    EXPECT_EQ(LogText(), "");
}

TEST_F(FileAccessTest, CreatedFilesStartEmptyAndTakeTextWithoutItsTerminator)
{
    WriteFile("old.txt", "previous contents");
    EXPECT_TRUE(CanCreateFile("old.txt"));
    EXPECT_EQ(ReadFile("old.txt"), "");
    const HANDLE file = CreateForWrite("out.txt");
    WriteString(file, "abc");
    WriteString(file, "");
    CloseHandle(file);
    EXPECT_EQ(ReadFile("out.txt"), "abc");
    debugger.Clear();
    WriteString(INVALID_HANDLE_VALUE, "nowhere");
    EXPECT_TRUE(debugger.Pieces().empty());
}

TEST_F(FileAccessTest, MemoryComesZeroedFromOneByteToJustBelowThirtyTwoMillion)
{
    EXPECT_EQ(MemAlloc(0), nullptr);
    EXPECT_EQ(MemAlloc(32000000, "big.dat"), nullptr);
    EXPECT_EQ(MemAlloc(0xFFFFFFF8u), nullptr); // a size that wrapped below zero
    void* largest = MemAlloc(31999999, "big.dat");
    ASSERT_NE(largest, nullptr);
    const auto* bytes = static_cast<const BYTE*>(largest);
    EXPECT_TRUE(std::all_of(bytes, bytes + 31999999, [](BYTE b) { return b == 0; }));
    MemFree(largest);
    MemFree(nullptr);
    char* empty = CloneString("");
    char* copy = CloneString("glimbot");
    EXPECT_STREQ(empty, "");
    EXPECT_STREQ(copy, "glimbot");
    EXPECT_EQ(CloneString(nullptr), nullptr);
    MemFree(empty);
    MemFree(copy);
    EXPECT_EQ(LogText(), "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "OUTRANGE in big.dat: OUT OF STDALLOC MEMORY RANGE\r\n"
                         "OUTRANGE: OUT OF STDALLOC MEMORY RANGE\r\n"
                         "ERROR: Try To Free NULL Pointer ???\r\n");
}

} // namespace
