#include "world/collect_file.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/kernel.h"
#include "support/debug_log.h"
#include "support/error_report.h"
#include "support/file_access.h"
#include "support/little_endian.h"

namespace {

CollectHeader DecodeHeader(const BYTE* bytes)
{
    return {ReadLe32(bytes), ReadLe32(bytes + 4), ReadLe32(bytes + 8), ReadLe32(bytes + 12)};
}

void EncodeHeader(const CollectHeader& header, BYTE* bytes)
{
    WriteLe32(bytes, header.identifier);
    WriteLe32(bytes + 4, header.version);
    WriteLe32(bytes + 8, header.recordCount);
    WriteLe32(bytes + 12, header.recordSize);
}

// Reads count records of the file's size into slots of the expected size, each from its own
// place in the file; records the file does not reach are left alone.
void ReadRecordByRecord(HANDLE file, DWORD count, DWORD fileSize, DWORD expectedSize, BYTE* buffer)
{
    const DWORD taken = std::min(expectedSize, fileSize);
    for (DWORD j = 0; j < count; ++j) {
        const std::uint64_t offset = COLLECT_HEADER_SIZE + static_cast<std::uint64_t>(j) * fileSize;
        LONG high = static_cast<LONG>(offset >> 32);
        if (SetFilePointer(file, static_cast<LONG>(offset), &high, FILE_BEGIN)
                == INVALID_SET_FILE_POINTER
            && GetLastError() != ERROR_SUCCESS) {
            return;
        }
        DWORD got = 0;
        ReadFile(file, buffer + static_cast<std::size_t>(j) * expectedSize, taken, &got, nullptr);
    }
}

bool WriteWhole(HANDLE file, const void* bytes, std::uint64_t size)
{
    DWORD written = 0;
    return size <= 0xFFFFFFFF
           && WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr);
}

} // namespace

DWORD ReadCollect(const char* name, CollectHeader& header, void* buffer)
{
    const HANDLE file = OpenForRead(name);
    if (file == INVALID_HANDLE_VALUE) return COLLECT_E_OPEN;
    BYTE bytes[COLLECT_HEADER_SIZE] = {};
    DWORD got = 0;
    ReadFile(file, bytes, COLLECT_HEADER_SIZE, &got, nullptr);
    const CollectHeader found = DecodeHeader(bytes);
    if (found.identifier != header.identifier) {
        DebugLine("CollectError: Invalid Id");
        CloseHandle(file);
        return COLLECT_E_ID;
    }
    const DWORD count = std::min(found.recordCount, header.recordCount);
    const DWORD expectedSize = header.recordSize;
    header = {found.identifier, found.version, count, found.recordSize};
    auto* records = static_cast<BYTE*>(buffer);
    const std::uint64_t whole = static_cast<std::uint64_t>(count) * found.recordSize;
    if ((expectedSize == COLLECT_ANY_SIZE || expectedSize == found.recordSize)
        && whole <= 0xFFFFFFFF) {
        ReadFile(file, records, static_cast<DWORD>(whole), &got, nullptr);
        // What the file lacks stays as it was; the log says the list was cut short.
        if (got < whole) DebugPrintf("CollectError: %s incompleto\r\n", name);
    } else if (expectedSize != COLLECT_ANY_SIZE) {
        ReadRecordByRecord(file, count, found.recordSize, expectedSize, records);
    }
    CloseHandle(file);
    return COLLECT_OK;
}

DWORD WriteCollect(const char* name, const CollectHeader& header, const void* buffer)
{
    const std::string partName = std::string(name) + ".new";
    const HANDLE file = CreateForWrite(partName.c_str());
    if (file == INVALID_HANDLE_VALUE) return COLLECT_E_OPEN;
    BYTE bytes[COLLECT_HEADER_SIZE];
    EncodeHeader(header, bytes);
    const bool written =
        WriteWhole(file, bytes, COLLECT_HEADER_SIZE)
        && WriteWhole(file, buffer,
                      static_cast<std::uint64_t>(header.recordCount) * header.recordSize)
        && FlushFileBuffers(file);
    if (!written) ReportSystemError(partName.c_str());
    CloseHandle(file);
    if (!written
        || !MoveFileExA(partName.c_str(), name,
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (written) ReportSystemError(name);
        DeleteFileA(partName.c_str());
        DebugPrintf("CollectError: %s Not Saved, Old File Kept\r\n", name);
        return COLLECT_E_OPEN;
    }
    return COLLECT_OK;
}
