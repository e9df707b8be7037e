#pragma once
// What the suites share: a fresh current folder per test, and a record of debugger output.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ddraw.h"
#include "platform/dsound.h"
#include "platform/gdi.h"
#include "platform/user.h"

namespace test {

// Runs each test in a new, empty current folder, removed afterwards.
class TempFolderTest : public ::testing::Test {
public:
    static std::string ReadFile(const std::filesystem::path& name);

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the headless backend with the script's events; false (with a failure) if it cannot.
    static bool StartHeadless(std::string_view script);
    static void WriteFile(const std::filesystem::path& name, std::string_view bytes);

    std::filesystem::path folder;

private:
    std::filesystem::path previousFolder;
};

// Up to count bytes read from a file's current position (fewer at its end).
std::string ReadBytes(HANDLE file, DWORD count);
// A surface's pixels, row by row without the padding; empty when it cannot be locked.
std::vector<BYTE> SurfacePixels(LPDIRECTDRAWSURFACE surface);
// The first `bytes` bytes of a sound buffer's samples; empty when it cannot be locked.
std::string BufferBytes(LPDIRECTSOUNDBUFFER buffer, DWORD bytes);
// A focused pop-up window of a class registered for `procedure`, as the game's window is.
HWND MakeFocusedWindow(WNDPROC procedure, const char* className, UINT classStyle = 0);
// A font of the face, its cell `height` pixels high.
HFONT MakeFont(LONG height, LONG weight = FW_BOLD, const char* face = "Verdana");

// While alive, every debugger output piece is recorded here instead of going to stderr.
class DebuggerCapture {
public:
    DebuggerCapture();
    ~DebuggerCapture();
    DebuggerCapture(const DebuggerCapture&) = delete;
    DebuggerCapture& operator=(const DebuggerCapture&) = delete;

    const std::vector<std::string>& Pieces() const;
    std::string Text() const;
    void Clear();

private:
    void (*previousHook)(const char*);
};

} // namespace test
