#include <cstdlib>

#include "platform/kernel.h"
#include "tests/common/log_session.h"

namespace {

using test::DebuggerCapture;
using LogFolderTest = test::TempFolderTest;
using LogTest = test::LogSessionTest;

TEST_F(LogTest, EachOutputReachesItsSinksInItsPieces)
{
    DebugLine("hello");
    EXPECT_EQ(debugger.Pieces(), (std::vector<std::string> {"hello", "\r\n"}));
    // Messages without a line end run on.
    DebugPrintf("OUTRANGE: ");
    DebugPrintf("CAN'T ALLOCATE %s\r\n", "ZERO BYTE");
    debugger.Clear();
    // File-only output never reaches the debugger.
    LogFileWrite("a");
    LogFileLine("b");
    LogFilePrintf("%d", 7);
    LogFilePrintf("%s", "");
    EXPECT_TRUE(debugger.Pieces().empty());
    EXPECT_EQ(LogText(), "hello\r\nOUTRANGE: CAN'T ALLOCATE ZERO BYTE\r\nab\r\n7");
}

TEST_F(LogFolderTest, TheFileStartsWithTheFirstMessageAndEndsWithTheEndBanner)
{
    DebuggerCapture debugger;
    WriteFile("debug.txt", "an old run's log");
    ASSERT_TRUE(StartDebug());
    DebugLine("first");
    EndDebug();
    EXPECT_EQ(ReadFile("debug.txt"), "first\r\n==== END ====\r\n");
    // The executable's path and the start banner go to the debugger only.
    const std::string seen = debugger.Text();
    EXPECT_NE(seen.find("support_tests\r\n==== START ====\r\nfirst\r\n"), std::string::npos);
    EXPECT_TRUE(seen.ends_with("==== END ====\r\n"));
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

    // A log that cannot be created, or is not asked for, leaves the debugger working.
    for (const DWORD sinks : {DEBUG_TO_DEBUGGER, DEBUG_TO_FILE | DEBUG_TO_DEBUGGER}) {
        debugger.Clear();
        const bool started = StartDebugEx(DebugConfig {sinks, "no/such/log.txt"});
        EXPECT_EQ(started, sinks == DEBUG_TO_DEBUGGER);
        EXPECT_TRUE(started
                    || debugger.Text().starts_with("SYSTEM ERROR (modulo StartDebugEx.CreateFile"));
        debugger.Clear();
        DebugLine("still heard");
        LogFileLine("dropped");
        LogFilePrintf("dropped");
        EXPECT_EQ(debugger.Text(), "still heard\r\n");
        EndDebug();
    }
}

TEST_F(LogFolderTest, AFolderThatRefusesTheLogSendsItToTheTemporaryFolder)
{
    DebuggerCapture debugger;
    std::filesystem::create_directory("debug.txt"); // so "debug.txt" cannot be created here
    std::filesystem::create_directory("tmp");
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TMPDIR", (folder / "tmp").c_str(), 1);
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
    EXPECT_EQ(debugger.Pieces().front() + debugger.Pieces()[1], "SYSTEM ERROR (modulo WriteString");
    EXPECT_EQ(debugger.Pieces().back(), "lost");
    debugger.Clear();
    LogFilePrintf("silent %d", 1);
    EXPECT_TRUE(debugger.Pieces().empty());
    EndDebug();
}

} // namespace
