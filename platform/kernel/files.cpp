// Files on POSIX descriptors, with the platform's open dispositions and its no-sharing rule.

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/kernel.h"
#include "platform/kernel/last_error.h"
#include "platform/port/owned_file.h"
#include "platform/replay/seam.h"

namespace {

using platform::FileLock;
using platform::OwnedFile;

// The process-wide table of open files: a handle is its slot number plus one, so a stale or
// made-up handle is recognised instead of reaching a file it does not own.
std::vector<std::optional<OwnedFile>> openFiles;

HANDLE AddOpenFile(OwnedFile file)
{
    std::size_t slot = 0;
    while (slot < openFiles.size() && openFiles[slot]) ++slot;
    if (slot == openFiles.size()) openFiles.emplace_back();
    openFiles[slot] = std::move(file);
    return reinterpret_cast<HANDLE>(slot + 1);
}

// The file behind a handle, or null (with ERROR_INVALID_HANDLE) when it is not open.
OwnedFile* FileOf(HANDLE handle)
{
    const auto slot = reinterpret_cast<std::uintptr_t>(handle) - 1;
    if (handle == INVALID_HANDLE_VALUE || slot >= openFiles.size() || !openFiles[slot]) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &*openFiles[slot];
}

// The file a read or a write moves `bytes` through `buffer`, or null (with the last error) when
// the handle is not open or there is no buffer. Nothing is moved yet.
OwnedFile* FileToMoveBytes(HANDLE handle, const void* buffer, DWORD bytes, LPDWORD moved)
{
    if (moved != nullptr) *moved = 0;
    OwnedFile* file = FileOf(handle);
    if (file != nullptr && buffer == nullptr && bytes > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return file;
}

bool Failed(int err)
{
    platform::SetLastErrorFromErrno(err);
    return false;
}

int OpenFlags(DWORD access, DWORD disposition)
{
    int flags = 0;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE)) flags |= O_RDWR;
    else if (access & GENERIC_WRITE) flags |= O_WRONLY;
    else flags |= O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: return flags | O_CREAT;
    default: return flags;
    }
}

bool IsKnownDisposition(DWORD disposition)
{
    return disposition >= CREATE_NEW && disposition <= TRUNCATE_EXISTING;
}

// A plain name is read from the player's folder or the data, and always written to the former.
std::string PathOf(LPCSTR fileName, DWORD access, DWORD disposition)
{
    const bool writes = (access & GENERIC_WRITE) || disposition != OPEN_EXISTING;
    return writes ? platform::PathForWriting(fileName) : platform::PathForReading(fileName);
}

bool EmptiesFile(DWORD disposition)
{
    return disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
}

// No sharing within the program: a file already open here is not opened again.
bool IsOpenHere(const OwnedFile& file)
{
    return std::any_of(openFiles.begin(), openFiles.end(),
                       [&](const auto& other) { return other && other->SameFileAs(file); });
}

// Against other processes a writer holds its file alone, while readers share it: two players
// on one machine read the installed data at the same time, and nobody reads a file being written.
FileLock CrossProcessLock(DWORD access, DWORD disposition, DWORD shareMode)
{
    const bool alone = shareMode == 0 && ((access & GENERIC_WRITE) || EmptiesFile(disposition));
    return alone ? FileLock::Alone : FileLock::Shared;
}

} // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPVOID,
                   DWORD creationDisposition, DWORD, HANDLE)
{
    if (fileName == nullptr || fileName[0] == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (!IsKnownDisposition(creationDisposition)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = PathOf(fileName, desiredAccess, creationDisposition);
    int err = 0;
    // The sharing rule is checked before the file is emptied, so a file open here is untouched.
    auto file =
        OwnedFile::Open(path, OpenFlags(desiredAccess, creationDisposition),
                        CrossProcessLock(desiredAccess, creationDisposition, shareMode), err);
    if (!file) {
        platform::SetLastErrorFromErrno(err);
        return INVALID_HANDLE_VALUE;
    }
    if (shareMode == 0 && IsOpenHere(*file)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    if (EmptiesFile(creationDisposition) && !file->Empty()) {
        platform::SetLastErrorFromErrno(file->Error());
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    const HANDLE handle = AddOpenFile(std::move(*file));
    platform::journal::FileOpened(handle, fileName, desiredAccess);
    return handle;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID)
{
    OwnedFile* file = FileToMoveBytes(handle, buffer, bytesToRead, bytesRead);
    if (file == nullptr) return FALSE;
    std::size_t done = 0;
    const bool read = file->Read(buffer, bytesToRead, done);
    if (bytesRead != nullptr) *bytesRead = static_cast<DWORD>(done);
    if (!read) return Failed(file->Error());
    platform::journal::FileRead(handle, buffer, static_cast<DWORD>(done));
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPVOID)
{
    OwnedFile* file = FileToMoveBytes(handle, buffer, bytesToWrite, bytesWritten);
    if (file == nullptr) return FALSE;
    std::size_t done = 0;
    const bool written =
        file->Write({static_cast<const std::uint8_t*>(buffer), bytesToWrite}, done);
    if (bytesWritten != nullptr) *bytesWritten = static_cast<DWORD>(done);
    return written ? TRUE : Failed(file->Error());
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD moveMethod)
{
    OwnedFile* file = FileOf(handle);
    if (file == nullptr) return INVALID_SET_FILE_POINTER;
    off_t offset = distance;
    if (distanceHigh != nullptr) {
        offset =
            static_cast<off_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32)
                               | static_cast<DWORD>(distance));
    }
    const int whence = moveMethod == FILE_END       ? SEEK_END
                       : moveMethod == FILE_CURRENT ? SEEK_CUR
                                                    : SEEK_SET;
    const std::optional<std::uint64_t> position = file->Seek(offset, whence);
    if (!position) {
        // A position before the start of the file is refused, and the old one stays.
        if (file->Error() == EINVAL) SetLastError(ERROR_NEGATIVE_SEEK);
        else platform::SetLastErrorFromErrno(file->Error());
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(*position >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(*position);
}

DWORD GetFileSize(HANDLE handle, LPDWORD fileSizeHigh)
{
    OwnedFile* file = FileOf(handle);
    if (file == nullptr) return INVALID_FILE_SIZE;
    const std::optional<std::uint64_t> size = file->Size();
    if (!size) {
        platform::SetLastErrorFromErrno(file->Error());
        return INVALID_FILE_SIZE;
    }
    if (fileSizeHigh != nullptr) *fileSizeHigh = static_cast<DWORD>(*size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(*size);
}

BOOL FlushFileBuffers(HANDLE handle)
{
    OwnedFile* file = FileOf(handle);
    if (file == nullptr) return FALSE;
    return file->Sync() ? TRUE : Failed(file->Error());
}

BOOL CloseHandle(HANDLE handle)
{
    if (FileOf(handle) == nullptr) return FALSE;
    platform::journal::FileClosed(handle);
    openFiles[reinterpret_cast<std::uintptr_t>(handle) - 1].reset();
    return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName)
{
    int err = 0;
    return platform::RemoveFile(platform::PathForWriting(fileName), err) ? TRUE : Failed(err);
}

// Both names are in the player's folder: a file of the data is never moved.
BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags)
{
    int err = 0;
    if (platform::RenameFile(platform::PathForWriting(existingName),
                             platform::PathForWriting(newName), flags & MOVEFILE_REPLACE_EXISTING,
                             flags & MOVEFILE_WRITE_THROUGH, err))
        return TRUE;
    if (err == EEXIST) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    return Failed(err);
}
