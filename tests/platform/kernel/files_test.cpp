#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/fault.h"
#include "platform/kernel.h"
#include "tests/common/test_support.h"

namespace {

using FileTest = test::TempFolderTest;

HANDLE Open(const char* name, DWORD access, DWORD disposition)
{
    return CreateFileA(name, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string SystemText(DWORD code)
{
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                       LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = length > 0 ? std::string(text, length) : std::string();
    LocalFree(text);
    return result;
}

TEST_F(FileTest, ShareModeZeroRefusesASecondOpenUntilTheFirstCloses)
{
    WriteFile("held.bin", "data");
    const HANDLE first = Open("held.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);

    EXPECT_EQ(Open("held.bin", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    // A create-always of a held file must neither succeed nor empty it.
    EXPECT_EQ(Open("held.bin", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadFile("held.bin"), "data");

    EXPECT_TRUE(CloseHandle(first));
    const HANDLE again = Open("held.bin", GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);
}

// Answers whether another process could open the file for reading while this one holds it.
bool AnotherProcessCanRead(const char* name, HANDLE held)
{
    const pid_t child = fork();
    if (child == 0) {
        CloseHandle(held); // a copy the child inherits; the parent's open file keeps its lock
        const HANDLE file = CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        _exit(file != INVALID_HANDLE_VALUE ? 0 : GetLastError() == ERROR_SHARING_VIOLATION ? 1 : 2);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) < 2);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(FileTest, AnotherProcessSharesAFileBeingReadButNotOneBeingWritten)
{
    WriteFile("held.bin", "data");
    const HANDLE reading = Open("held.bin", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(reading, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(AnotherProcessCanRead("held.bin", reading))
        << "two players read the installed data";
    CloseHandle(reading);

    const HANDLE writing = Open("held.bin", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(writing, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(AnotherProcessCanRead("held.bin", writing));
    CloseHandle(writing);
}

TEST_F(FileTest, ReadsWritesSeeksAndMeasuresAndAClosedOrInvalidHandleIsRefused)
{
    const HANDLE file = Open("f.bin", GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    EXPECT_TRUE(::WriteFile(file, "0123456789", 10, &done, nullptr));
    EXPECT_EQ(done, 10u);
    EXPECT_EQ(GetFileSize(file, nullptr), 10u);

    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
    char buffer[8] = {};
    EXPECT_TRUE(::ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(std::string(buffer, done), "6789"); // a read past the end stops short, not failing

    EXPECT_EQ(SetFilePointer(file, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 10u);
    EXPECT_TRUE(CloseHandle(file));
    for (HANDLE stale : {file, INVALID_HANDLE_VALUE, HANDLE {nullptr}}) {
        done = 7;
        EXPECT_FALSE(::WriteFile(stale, "x", 1, &done, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_EQ(done, 0u);
        EXPECT_FALSE(CloseHandle(stale));
    }
    // Truncating an existing file opens it empty.
    const HANDLE truncated = Open("f.bin", GENERIC_WRITE, TRUNCATE_EXISTING);
    EXPECT_NE(truncated, INVALID_HANDLE_VALUE);
    CloseHandle(truncated);
    EXPECT_EQ(ReadFile("f.bin"), "");
}

TEST_F(FileTest, MovesReplaceOnlyWhenAskedAndDeletesRemove)
{
    WriteFile("new.dat", "new");
    WriteFile("old.dat", "old");
    EXPECT_FALSE(MoveFileExA("new.dat", "old.dat", 0));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(
        MoveFileExA("new.dat", "old.dat", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(ReadFile("old.dat"), "new");
    EXPECT_FALSE(std::filesystem::exists("new.dat"));
    EXPECT_TRUE(DeleteFileA("old.dat"));
    EXPECT_FALSE(DeleteFileA("old.dat"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileTest, FailuresSetThePlatformErrorNumbersAndEachHasItsText)
{
    EXPECT_EQ(Open("missing.bin", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open("no/such/folder.bin", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    std::filesystem::create_directory("folder");
    EXPECT_EQ(Open("folder", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    DWORD done = 0;
    const HANDLE full = Open("/dev/full", GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_FALSE(::WriteFile(full, "x", 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    CloseHandle(full);
    // An injected write failure fails as a full disk does.
    const HANDLE file = Open("f.bin", GENERIC_WRITE, CREATE_ALWAYS);
    platform::FailOperationWhen("WriteFile", ERROR_DISK_FULL,
                                [](DWORD bytes) { return bytes > 3; });
    EXPECT_TRUE(::WriteFile(file, "abc", 3, &done, nullptr));
    EXPECT_FALSE(::WriteFile(file, "defg", 4, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    platform::ClearFailures();
    CloseHandle(file);
    EXPECT_EQ(ReadFile("f.bin"), "abc");
    for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION,
                       ERROR_DISK_FULL, ERROR_INVALID_HANDLE, ERROR_NEGATIVE_SEEK}) {
        const std::string text = SystemText(code);
        EXPECT_GT(text.size(), 2u) << code;
        EXPECT_TRUE(text.ends_with("\r\n")) << code;
    }
    EXPECT_EQ(SystemText(99999), "");
}

TEST(ProcessPaths, TheModuleIsThisExecutableAndTheTemporaryFolderFollowsTmpdir)
{
    char path[MAX_PATH] = {};
    EXPECT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    EXPECT_TRUE(std::string(path).ends_with("/platform_tests"));
    char tiny[4] = {};
    EXPECT_EQ(GetModuleFileNameA(nullptr, tiny, sizeof tiny), sizeof tiny);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(tiny[3], '\0');
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(GetTempPathA(sizeof path, path), 9u);
    EXPECT_STREQ(path, "/var/tmp/");
    unsetenv("TMPDIR");
    GetTempPathA(sizeof path, path);
    EXPECT_STREQ(path, "/tmp/");
    if (saved != nullptr) setenv("TMPDIR", previous.c_str(), 1);
}

} // namespace
