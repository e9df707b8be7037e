// Files on POSIX descriptors, each held by one owner.

#include "platform/port/owned_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/fault.h"
#include "platform/host.h"
#include "platform/winerror.h"

namespace platform {
namespace {

// Makes a rename in the folder of `path` lasting: its entry is on the disk once this returns.
bool SyncFolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0) close(fd);
    return synced;
}

} // namespace

OwnedFile::OwnedFile(int descriptor, std::string name) : fd(descriptor), path(std::move(name)) {}

OwnedFile::OwnedFile(OwnedFile&& other) noexcept
    : fd(std::exchange(other.fd, -1)), path(std::move(other.path)), position(other.position),
      error(other.error)
{
}

OwnedFile& OwnedFile::operator=(OwnedFile&& other) noexcept
{
    if (this != &other) {
        Close();
        fd = std::exchange(other.fd, -1);
        path = std::move(other.path);
        position = other.position;
        error = other.error;
    }
    return *this;
}

std::optional<OwnedFile> OwnedFile::Open(const std::string& path, int flags, FileLock lock,
                                         int& error)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    if (flock(fd, (lock == FileLock::Alone ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        error = errno;
        close(fd);
        return std::nullopt;
    }
    return OwnedFile(fd, path);
}

bool OwnedFile::Empty()
{
    struct stat info {};
    if (fstat(fd, &info) != 0 || (S_ISREG(info.st_mode) && ftruncate(fd, 0) != 0)) {
        error = errno;
        return false;
    }
    // An emptied file is a change the host must keep, even when nothing is written to it.
    FileWritten(path, 0, 0);
    return true;
}

bool OwnedFile::Read(void* buffer, std::size_t size, std::size_t& done)
{
    done = 0;
    bool failed = false;
    while (done < size) {
        const ssize_t got = read(fd, static_cast<char*>(buffer) + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            failed = got < 0;
            if (failed) error = errno;
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    position += done;
    return !failed;
}

bool OwnedFile::Write(std::span<const std::uint8_t> bytes, std::size_t& done)
{
    done = 0;
    if (InjectedFailure("WriteFile", static_cast<DWORD>(bytes.size())) != 0) {
        error = ENOSPC;
        return false;
    }
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            error = put < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    if (done > 0) FileWritten(path, position, done);
    position += done;
    return done == bytes.size();
}

std::optional<std::uint64_t> OwnedFile::Seek(off_t offset, int whence)
{
    const off_t moved = lseek(fd, offset, whence);
    if (moved < 0) {
        error = errno;
        return std::nullopt;
    }
    position = static_cast<std::uint64_t>(moved);
    return position;
}

std::optional<std::uint64_t> OwnedFile::Size()
{
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        error = errno;
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

bool OwnedFile::Sync()
{
    if (fsync(fd) != 0) {
        error = errno;
        return false;
    }
    return true;
}

bool OwnedFile::SameFileAs(const OwnedFile& other) const
{
    struct stat mine {};
    struct stat theirs {};
    return fstat(fd, &mine) == 0 && fstat(other.fd, &theirs) == 0 && mine.st_dev == theirs.st_dev
           && mine.st_ino == theirs.st_ino;
}

void OwnedFile::Close()
{
    if (fd < 0) return;
    close(std::exchange(fd, -1)); // closing the descriptor also drops its lock
}

bool RenameFile(const std::string& from, const std::string& to, bool replace, bool durable,
                int& error)
{
    if (!replace && access(to.c_str(), F_OK) == 0) {
        error = EEXIST;
        return false;
    }
    if (rename(from.c_str(), to.c_str()) != 0 || (durable && !SyncFolderOf(to))) {
        error = errno;
        return false;
    }
    FileRenamed(from, to);
    return true;
}

bool RemoveFile(const std::string& path, int& error)
{
    if (unlink(path.c_str()) != 0) {
        error = errno;
        return false;
    }
    FileRenamed(path, "");
    return true;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t most,
                                                       int& error)
{
    auto file = OwnedFile::Open(path, O_RDONLY, FileLock::Shared, error);
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    std::uint8_t piece[65536];
    std::size_t got = 0;
    do {
        if (!file->Read(piece, sizeof piece, got)) {
            error = file->Error();
            return std::nullopt;
        }
        bytes.insert(bytes.end(), piece, piece + got);
        if (bytes.size() > most) {
            error = EFBIG;
            return std::nullopt;
        }
    } while (got == sizeof piece);
    return bytes;
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, int& error)
{
    auto file = OwnedFile::Open(path, O_WRONLY | O_CREAT, FileLock::Alone, error);
    if (!file) return false;
    std::size_t done = 0;
    if (file->Empty() && file->Write(bytes, done)) return true;
    error = file->Error();
    return false;
}

} // namespace platform
