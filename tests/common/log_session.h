#pragma once
// A test in its own folder with the log open on "log.txt"; LogText() ends the log and answers
// the file's bytes.

#include "support/debug_log.h"
#include "tests/common/test_support.h"

namespace test {

class LogSessionTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        StartDebugEx(DebugConfig {DEBUG_TO_FILE | DEBUG_TO_DEBUGGER, "log.txt"});
        debugger.Clear();
    }
    void TearDown() override
    {
        if (!ended) EndDebug();
        TempFolderTest::TearDown();
    }
    // Everything logged since SetUp, without the end banner.
    std::string LogText()
    {
        EndDebug();
        ended = true;
        std::string text = ReadFile("log.txt");
        const std::string banner = "==== END ====\r\n";
        if (text.ends_with(banner)) text.resize(text.size() - banner.size());
        return text;
    }

    DebuggerCapture debugger;

private:
    bool ended = false;
};

} // namespace test
