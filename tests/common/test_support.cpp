#include "tests/common/test_support.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/backend.h"
#include "platform/kernel.h"

namespace test {
namespace {

std::vector<std::string> capturedPieces;

void RecordPiece(const char* text) { capturedPieces.emplace_back(text); }

} // namespace

void TempFolderTest::SetUp()
{
    previousFolder = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "kgtest-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    std::filesystem::current_path(folder);
}

void TempFolderTest::TearDown()
{
    std::filesystem::current_path(previousFolder);
    std::filesystem::remove_all(folder);
}

std::string TempFolderTest::ReadFile(const std::filesystem::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempFolderTest::StartHeadless(std::string_view script)
{
    WriteFile("input.txt", script);
    platform::BackendOptions options;
    options.headless = true;
    options.scriptPath = "input.txt";
    std::string error;
    const bool started = platform::StartBackend(options, error);
    EXPECT_TRUE(started) << error;
    return started;
}

void TempFolderTest::WriteFile(const std::filesystem::path& name, std::string_view bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(HANDLE file, DWORD count)
{
    std::string bytes(count, '\0');
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), count, &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::vector<BYTE> SurfacePixels(LPDIRECTDRAWSURFACE surface)
{
    DDSURFACEDESC desc {};
    desc.dwSize = DDSURFACEDESC_SIZE;
    std::vector<BYTE> pixels;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return pixels;
    const auto* bytes = static_cast<const BYTE*>(desc.lpSurface);
    for (DWORD y = 0; y < desc.dwHeight; ++y)
        pixels.insert(pixels.end(), bytes + y * desc.lPitch,
                      bytes + y * desc.lPitch + desc.dwWidth);
    surface->Unlock(nullptr);
    return pixels;
}

std::string BufferBytes(LPDIRECTSOUNDBUFFER buffer, DWORD bytes)
{
    LPVOID memory = nullptr;
    DWORD size = 0;
    if (buffer->Lock(0, bytes, &memory, &size, nullptr, nullptr, 0) != DS_OK) return "";
    std::string copy(static_cast<const char*>(memory), size);
    buffer->Unlock(memory, size, nullptr, 0);
    return copy;
}

HWND MakeFocusedWindow(WNDPROC procedure, const char* className, UINT classStyle)
{
    WNDCLASSA windowClass {classStyle, procedure, 0,       0,       nullptr,
                           nullptr,    nullptr,   nullptr, nullptr, className};
    RegisterClassA(&windowClass);
    const HWND window =
        CreateWindowExA(0, className, "Kill Glimbot", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    SetFocus(window);
    return window;
}

HFONT MakeFont(LONG height, LONG weight, const char* face)
{
    LOGFONTA record {};
    record.lfHeight = height;
    record.lfWeight = weight;
    std::strncpy(record.lfFaceName, face, sizeof record.lfFaceName - 1);
    return CreateFontIndirectA(&record);
}

DebuggerCapture::DebuggerCapture() : previousHook(platform::SetDebugOutputHook(&RecordPiece))
{
    capturedPieces.clear();
}

DebuggerCapture::~DebuggerCapture() { platform::SetDebugOutputHook(previousHook); }

const std::vector<std::string>& DebuggerCapture::Pieces() const { return capturedPieces; }

std::string DebuggerCapture::Text() const
{
    std::string text;
    for (const std::string& piece : capturedPieces) text += piece;
    return text;
}

void DebuggerCapture::Clear() { capturedPieces.clear(); }

} // namespace test
