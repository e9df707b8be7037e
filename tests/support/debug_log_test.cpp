#include <cstdlib>

#include "platform/kernel.h"
#include "tests/common/log_session.h"

namespace {

using test::DebuggerCapture;
using LogFolderTest = test::TempFolderTest;
using LogTest = test::LogSessionTest;

TEST_F(LogFolderTest, TheFileStartsWithTheFirstMessageAndEndsWithTheEndBanner)
{
    DebuggerCapture debugger;
    WriteFile("debug.txt", "an old run's log");
    ASSERT_TRUE(StartDebug());
    DebugLine("first");
    LogFilePrintf("%u.%u\r\n", 1u, 0u);
    EndDebug();

    EXPECT_EQ(ReadFile("debug.txt"), "first\r\n1.0\r\n==== END ====\r\n");
    // The executable's path and the start banner go to the debugger only.
    const std::string seen = debugger.Text();
    EXPECT_NE(seen.find("support_tests\r\n==== START ====\r\nfirst\r\n"), std::string::npos);
    EXPECT_TRUE(seen.ends_with("==== END ====\r\n"));
}

TEST_F(LogTest, DebugLineSendsItsLineEndAsASeparatePiece)
{
    DebugLine("hello");
    EXPECT_EQ(debugger.Pieces(), (std::vector<std::string> {"hello", "\r\n"}));
    EXPECT_EQ(LogText(), "hello\r\n");
}

TEST_F(LogTest, PrintfMessagesWithoutALineEndRunOn)
{
    DebugPrintf("OUTRANGE: ");
    DebugPrintf("CAN'T ALLOCATE %s\r\n", "ZERO BYTE");
    LogFilePrintf("%s", "");
    EXPECT_EQ(debugger.Text(), "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n");
    EXPECT_EQ(LogText(), "OUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\n");
}

TEST_F(LogTest, FileOnlyOutputNeverReachesTheDebugger)
{
    LogFileWrite("a");
    LogFileLine("b");
    LogFilePrintf("%d", 7);
    EXPECT_TRUE(debugger.Pieces().empty());
    EXPECT_EQ(LogText(), "ab\r\n7");
}

TEST_F(LogFolderTest, TheSinkMaskChoosesTheSinks)
{
    DebuggerCapture debugger;
    StartDebugEx(DebugConfig {DEBUG_TO_FILE, "file-only.txt"});
    debugger.Clear();
    DebugLine("to the file");
    EXPECT_TRUE(debugger.Pieces().empty());
    EndDebug();
    EXPECT_EQ(ReadFile("file-only.txt"), "to the file\r\n==== END ====\r\n");

    StartDebugEx(DebugConfig {DEBUG_TO_DEBUGGER, "unused.txt"});
    debugger.Clear();
    DebugLine("to the debugger");
    LogFileLine("dropped");
    EXPECT_EQ(debugger.Text(), "to the debugger\r\n");
    EndDebug();
    EXPECT_FALSE(std::filesystem::exists("unused.txt"));
}

TEST_F(LogFolderTest, ALogThatCannotBeCreatedLeavesTheDebuggerWorking)
{
    DebuggerCapture debugger;
    EXPECT_FALSE(StartDebugEx(DebugConfig {DEBUG_TO_FILE | DEBUG_TO_DEBUGGER, "no/such/log.txt"}));
    EXPECT_TRUE(debugger.Text().starts_with("SYSTEM ERROR (modulo StartDebugEx.CreateFile) : "));
    debugger.Clear();
    DebugLine("still heard");
    LogFileLine("dropped");
    LogFilePrintf("dropped");
    EXPECT_EQ(debugger.Text(), "still heard\r\n");
    EndDebug();
}

TEST_F(LogFolderTest, AFolderThatRefusesTheLogSendsItToTheTemporaryFolder)
{
    DebuggerCapture debugger;
    std::filesystem::create_directory("debug.txt"); // so "debug.txt" cannot be created here
    std::filesystem::create_directory("tmp");
    const std::string tmp = (folder / "tmp").string();
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TMPDIR", tmp.c_str(), 1);

    EXPECT_TRUE(StartDebug());
    DebugLine("moved");
    EndDebug();
    if (saved != nullptr) setenv("TMPDIR", previous.c_str(), 1);
    else unsetenv("TMPDIR");

    EXPECT_TRUE(debugger.Text().starts_with("SYSTEM ERROR (modulo debug.txt) : "));
    EXPECT_EQ(ReadFile("tmp/debug.txt"), "moved\r\n==== END ====\r\n");
}

TEST_F(LogFolderTest, AFailedWriteIsReportedToTheDebuggerOnly)
{
    DebuggerCapture debugger;
    ASSERT_TRUE(StartDebugEx(DebugConfig {DEBUG_TO_FILE | DEBUG_TO_DEBUGGER, "/dev/full"}));
    debugger.Clear();
    DebugWrite("lost");
    EXPECT_EQ(debugger.Pieces().front(), "SYSTEM ERROR (modulo ");
    EXPECT_EQ(debugger.Pieces()[1], "WriteString");
    EXPECT_EQ(debugger.Pieces().back(), "lost");
    debugger.Clear();
    LogFilePrintf("silent %d", 1);
    EXPECT_TRUE(debugger.Pieces().empty());
    EndDebug();
}

} // namespace
