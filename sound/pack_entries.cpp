// Finding entries: by index only; nothing in the game looks an entry up by its label.

#include <cstring>

#include "platform/kernel.h"
#include "sound/pack_archive.h"
#include "support/debug_log.h"

namespace {

// An offset past the end would let the reader that follows find no data at all, so it is
// refused like an index out of range.
bool WithinFile(HANDLE file, DWORD offset)
{
    const DWORD size = GetFileSize(file, nullptr);
    return size == INVALID_FILE_SIZE || offset <= size;
}

HANDLE InvalidEntry()
{
    DebugLine("Invalid Pack Entry");
    return INVALID_HANDLE_VALUE;
}

} // namespace

HANDLE SeekPackEntry(PackArchive* pack, DWORD index)
{
    if (index >= pack->header.entryCount) return InvalidEntry();
    EnsurePackHandle(pack);
    const DWORD offset = pack->directory[index].dataOffset;
    if (!WithinFile(pack->fileHandle, offset)) return InvalidEntry();
    if (SetFilePointer(pack->fileHandle, static_cast<LONG>(offset), nullptr, FILE_BEGIN)
        == INVALID_SET_FILE_POINTER)
        DebugPrintf(" Error %u", GetLastError());
    return pack->fileHandle;
}

DWORD GetPackEntryType(const PackArchive* pack, DWORD index)
{
    if (index >= pack->header.entryCount) return 0;
    return pack->directory[index].typeTag;
}

PackLabel GetPackEntryLabel(const PackArchive* pack, DWORD index)
{
    // Only pcktool reads labels; an index out of range answers an empty text rather than
    // reading past the directory.
    if (index >= pack->header.entryCount) return {false, 0, {}};
    const char* label = pack->directory[index].label;
    if (static_cast<BYTE>(label[0]) == PACK_LABEL_NUMBER_MARK) {
        const auto low = static_cast<BYTE>(label[1]);
        const auto high = static_cast<BYTE>(label[2]);
        return {true, static_cast<WORD>(low | (high << 8)), {}};
    }
    // A label filling all 12 bytes has no NUL; it ends with the record.
    return {false, 0, {label, strnlen(label, sizeof(PackEntry::label))}};
}
