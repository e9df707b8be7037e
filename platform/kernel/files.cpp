// Files on POSIX descriptors, with the platform's open dispositions and its no-sharing rule.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/host.h"
#include "platform/kernel.h"
#include "platform/kernel/last_error.h"
#include "platform/replay/seam.h"

namespace {

// The process-wide table of open files: a handle is its slot number plus one, so a stale or
// made-up handle is recognised instead of reaching a descriptor it does not own.
std::vector<int> openFiles;
platform::WriteFaultHook writeFaultHook = nullptr;

HANDLE AddOpenFile(int fd)
{
    std::size_t slot = 0;
    while (slot < openFiles.size() && openFiles[slot] >= 0) ++slot;
    if (slot == openFiles.size()) openFiles.push_back(fd);
    openFiles[slot] = fd;
    return reinterpret_cast<HANDLE>(slot + 1);
}

// The descriptor behind a handle, or -1 (with ERROR_INVALID_HANDLE) when it is not open.
int DescriptorOf(HANDLE file)
{
    const auto slot = reinterpret_cast<std::uintptr_t>(file) - 1;
    if (file == INVALID_HANDLE_VALUE || slot >= openFiles.size() || openFiles[slot] < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    return openFiles[slot];
}

int OpenFlags(DWORD access, DWORD disposition)
{
    int flags = O_CLOEXEC;
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

// A file is emptied only once the lock is ours, so a file another holder uses is never touched.
bool EmptiesFile(DWORD disposition)
{
    return disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
}

// No sharing within the program: a file already open here is not opened again.
bool IsOpenHere(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0) return false;
    return std::any_of(openFiles.begin(), openFiles.end(), [&](int other) {
        struct stat held {};
        return other >= 0 && fstat(other, &held) == 0 && held.st_dev == info.st_dev
               && held.st_ino == info.st_ino;
    });
}

// Against other processes a writer holds its file alone, while readers share it: two players
// on one machine read the installed data at the same time, and nobody reads a file being written.
int CrossProcessLock(DWORD access, DWORD disposition, DWORD shareMode)
{
    const bool alone = shareMode == 0 && ((access & GENERIC_WRITE) || EmptiesFile(disposition));
    return (alone ? LOCK_EX : LOCK_SH) | LOCK_NB;
}

// Makes a rename in folder lasting: the folder's entry is on the disk once this returns.
bool SyncFolderOf(const char* path)
{
    std::string folder(path);
    const auto slash = folder.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0) close(fd);
    return synced;
}

bool EmptyRegularFile(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0) return false;
    return !S_ISREG(info.st_mode) || ftruncate(fd, 0) == 0;
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
    const int fd = open(path.c_str(), OpenFlags(desiredAccess, creationDisposition), 0644);
    if (fd < 0) {
        platform::SetLastErrorFromErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    if (shareMode == 0 && IsOpenHere(fd)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    if (flock(fd, CrossProcessLock(desiredAccess, creationDisposition, shareMode)) != 0
        || (EmptiesFile(creationDisposition) && !EmptyRegularFile(fd))) {
        platform::SetLastErrorFromErrno(errno);
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    const HANDLE handle = AddOpenFile(fd);
    platform::journal::FileOpened(handle, fileName, desiredAccess);
    return handle;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID)
{
    if (bytesRead != nullptr) *bytesRead = 0;
    const int fd = DescriptorOf(file);
    if (fd < 0) return FALSE;
    if (buffer == nullptr && bytesToRead > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD done = 0;
    while (done < bytesToRead) {
        const ssize_t got = read(fd, static_cast<char*>(buffer) + done, bytesToRead - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            platform::SetLastErrorFromErrno(errno);
            if (bytesRead != nullptr) *bytesRead = done;
            return FALSE;
        }
        if (got == 0) break;
        done += static_cast<DWORD>(got);
    }
    if (bytesRead != nullptr) *bytesRead = done;
    platform::journal::FileRead(file, buffer, done);
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPVOID)
{
    if (bytesWritten != nullptr) *bytesWritten = 0;
    const int fd = DescriptorOf(file);
    if (fd < 0) return FALSE;
    if (buffer == nullptr && bytesToWrite > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (writeFaultHook != nullptr && writeFaultHook(bytesToWrite)) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    DWORD done = 0;
    while (done < bytesToWrite) {
        const ssize_t put = write(fd, static_cast<const char*>(buffer) + done, bytesToWrite - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            platform::SetLastErrorFromErrno(put < 0 ? errno : ENOSPC);
            if (bytesWritten != nullptr) *bytesWritten = done;
            return FALSE;
        }
        done += static_cast<DWORD>(put);
    }
    if (bytesWritten != nullptr) *bytesWritten = done;
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD moveMethod)
{
    const int fd = DescriptorOf(file);
    if (fd < 0) return INVALID_SET_FILE_POINTER;
    off_t offset = distance;
    if (distanceHigh != nullptr) {
        offset =
            static_cast<off_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32)
                               | static_cast<DWORD>(distance));
    }
    const int whence = moveMethod == FILE_END       ? SEEK_END
                       : moveMethod == FILE_CURRENT ? SEEK_CUR
                                                    : SEEK_SET;
    const off_t position = lseek(fd, offset, whence);
    if (position < 0) {
        // lseek refuses a position before the start of the file, and leaves the old one.
        if (errno == EINVAL) SetLastError(ERROR_NEGATIVE_SEEK);
        else platform::SetLastErrorFromErrno(errno);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh != nullptr) *distanceHigh = static_cast<LONG>(position >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh)
{
    const int fd = DescriptorOf(file);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) {
        if (fd >= 0) platform::SetLastErrorFromErrno(errno);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (fileSizeHigh != nullptr) *fileSizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE file)
{
    const int fd = DescriptorOf(file);
    if (fd < 0) return FALSE;
    // In the browser fsync itself hands the file to the page's storage.
    if (fsync(fd) != 0) {
        platform::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE object)
{
    const int fd = DescriptorOf(object);
    if (fd < 0) return FALSE;
    openFiles[reinterpret_cast<std::uintptr_t>(object) - 1] = -1;
    platform::journal::FileClosed(object);
    const bool written = (fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDONLY;
    close(fd); // closing the descriptor also drops its lock
    if (written) platform::KeepWrittenFiles();
    return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName)
{
    if (unlink(platform::PathForWriting(fileName).c_str()) != 0) {
        platform::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    platform::KeepWrittenFiles();
    return TRUE;
}

// Both names are in the player's folder: a file of the data is never moved.
BOOL MoveFileExA(LPCSTR existingName, LPCSTR newName, DWORD flags)
{
    const std::string from = platform::PathForWriting(existingName);
    const std::string to = platform::PathForWriting(newName);
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && access(to.c_str(), F_OK) == 0) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (rename(from.c_str(), to.c_str()) != 0
        || ((flags & MOVEFILE_WRITE_THROUGH) && !SyncFolderOf(to.c_str()))) {
        platform::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    platform::KeepWrittenFiles();
    return TRUE;
}

platform::WriteFaultHook platform::SetWriteFaultHook(WriteFaultHook hook)
{
    const WriteFaultHook previous = writeFaultHook;
    writeFaultHook = hook;
    return previous;
}
