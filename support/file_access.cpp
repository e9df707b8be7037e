// The file layer: plain names in the current folder, no sharing, reported failures.

#include "support/file_access.h"

#include <cstring>

#include "platform/kernel.h"
#include "support/error_report.h"
#include "support/memory.h"

namespace {

constexpr DWORD fileNotOpened = 0xFFFFFFFF;

HANDLE OpenOrReport(const char* name, DWORD access, DWORD disposition, DWORD attributes)
{
    const HANDLE file = CreateFileA(name, access, 0, nullptr, disposition, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) ReportSystemError(name);
    return file;
}

} // namespace

HANDLE OpenExistingFile(const char* name, DWORD access)
{
    return OpenOrReport(name, access, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

HANDLE OpenForRead(const char* name) { return OpenExistingFile(name, GENERIC_READ); }

HANDLE CreateForWrite(const char* name)
{
    return OpenOrReport(name, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE);
}

bool FileExists(const char* name)
{
    const HANDLE file =
        CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool CanCreateFile(const char* name)
{
    const HANDLE file = CreateForWrite(name);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void* LoadWholeFile(const char* name, void* header, DWORD headerSize, DWORD* outSize)
{
    const HANDLE file = OpenForRead(name);
    DWORD size = fileNotOpened;
    void* block = nullptr;
    if (file != INVALID_HANDLE_VALUE) {
        DWORD got = 0;
        size = GetFileSize(file, nullptr);
        if (header != nullptr) {
            ReadFile(file, header, headerSize, &got, nullptr);
            size -= headerSize; // a file shorter than its header wraps; MemAlloc refuses that
        }
        block = MemAlloc(size, name);
        // A short read leaves the rest of the block zero, as MemAlloc gave it.
        if (block != nullptr) ReadFile(file, block, size, &got, nullptr);
        CloseHandle(file);
    }
    if (outSize != nullptr) *outSize = size;
    return block;
}

void* LoadFileWithHeader(const char* name, void* header, DWORD* outSize)
{
    return LoadWholeFile(name, header, 8, outSize);
}

void WriteString(HANDLE file, const char* text)
{
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (!WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr)) {
        ReportSystemError("WriteString");
    }
}

DWORD BytesLeftInFile(HANDLE file)
{
    const DWORD size = GetFileSize(file, nullptr);
    const DWORD position = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
    return size > position ? size - position : 0;
}
