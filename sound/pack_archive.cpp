// Opening and closing packs. What a short file does not supply reads as zero, since the
// record and the directory start zero-filled.

#include "sound/pack_archive.h"

#include "platform/kernel.h"
#include "support/debug_log.h"
#include "support/file_access.h"
#include "support/memory.h"

namespace {

// The directory of count entries, or null when count is 0 or too large to allocate (the
// allocator logs the refusal).
PackEntry* AllocateDirectory(DWORD count)
{
    const std::uint64_t bytes = std::uint64_t {count} * sizeof(PackEntry);
    return static_cast<PackEntry*>(
        MemAlloc(bytes < MEM_ALLOC_LIMIT ? static_cast<DWORD>(bytes) : MEM_ALLOC_LIMIT));
}

// Header and directory into the pack; false when the directory cannot be had, so no later
// call reads through a missing one.
bool ReadDirectory(PackArchive* pack)
{
    DWORD read = 0;
    if (!ReadFile(pack->fileHandle, &pack->header, sizeof(PackHeader), &read, nullptr))
        return false;
    const DWORD count = pack->header.entryCount;
    pack->directory = AllocateDirectory(count);
    if (count == 0) return true;
    return pack->directory != nullptr
           && ReadFile(pack->fileHandle, pack->directory, count * sizeof(PackEntry), &read,
                       nullptr);
}

void FreePack(PackArchive* pack)
{
    MemFree(pack->fileName);
    MemFree(pack->directory);
    ReleasePackHandle(pack);
    MemFree(pack);
}

} // namespace

PackArchive* OpenPack(const char* name, DWORD flags)
{
    const HANDLE file = OpenForRead(name);
    auto* pack = file != INVALID_HANDLE_VALUE
                     ? static_cast<PackArchive*>(MemAlloc(sizeof(PackArchive)))
                     : nullptr;
    if (pack == nullptr) {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        DebugPrintf("Pack %s non disponibile\r\n", name);
        return nullptr;
    }
    pack->fileName = CloneString(name);
    pack->fileHandle = file;
    pack->flags = flags;
    if (!ReadDirectory(pack)) {
        FreePack(pack);
        DebugPrintf("Pack %s non disponibile\r\n", name);
        return nullptr;
    }
    if ((flags & PACK_CLOSE_AFTER_USE) != 0) ReleasePackHandle(pack);
    return pack;
}

void ClosePack(PackArchive* pack)
{
    if ((pack->flags & PACK_KEEP_ON_CLOSE) == 0) FreePack(pack);
}

void EnsurePackHandle(PackArchive* pack)
{
    if (pack->fileHandle == nullptr) pack->fileHandle = OpenForRead(pack->fileName);
}

void ReleasePackHandle(PackArchive* pack)
{
    if (pack->fileHandle == nullptr) return;
    CloseHandle(pack->fileHandle);
    pack->fileHandle = nullptr;
}
