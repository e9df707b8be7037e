#include "tests/common/test_support.h"

#include <cstdlib>
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
