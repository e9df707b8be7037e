#pragma once
// Pack archives: one file holding a header, a directory of fixed records and the entries' data.

#include <bit>
#include <string_view>

#include "platform/windef.h"

// The file handle is closed after opening and after each image load, reopened on demand.
inline constexpr DWORD PACK_CLOSE_AFTER_USE = 0x10000;
// ClosePack leaves the pack as it is.
inline constexpr DWORD PACK_KEEP_ON_CLOSE = 0x20000;

inline constexpr BYTE PACK_LABEL_NUMBER_MARK = '#';

struct PackHeader {
    BYTE body[36];
    DWORD entryCount;
};

struct PackEntry {
    DWORD typeTag;
    DWORD reserved[2];
    DWORD dataOffset;
    // A text of up to 11 characters, or '#' followed by a 16-bit number.
    char label[12];
};
static_assert(sizeof(PackHeader) == 40 && sizeof(PackEntry) == 28);
static_assert(std::endian::native == std::endian::little, "pack records are read as stored");

struct PackArchive {
    DWORD flags;
    // Null while closed between uses; may hold INVALID_HANDLE_VALUE after a failed reopen.
    HANDLE fileHandle;
    char* fileName;
    PackHeader header;
    PackEntry* directory;
};

// An entry's label: its number when it starts with '#', else its text.
struct PackLabel {
    bool isNumber;
    WORD number;
    std::string_view text;
};

PackArchive* OpenPack(const char* name, DWORD flags);
void ClosePack(PackArchive* pack);
// The pack's own handle at the entry's data, or INVALID_HANDLE_VALUE for no such entry.
HANDLE SeekPackEntry(PackArchive* pack, DWORD index);
// 0 for no such entry.
DWORD GetPackEntryType(const PackArchive* pack, DWORD index);
PackLabel GetPackEntryLabel(const PackArchive* pack, DWORD index);
void EnsurePackHandle(PackArchive* pack);
void ReleasePackHandle(PackArchive* pack);
