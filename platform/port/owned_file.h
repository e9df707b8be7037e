#pragma once
// Inside the platform layer: a file the program holds open, the one way every part of the layer
// reads and writes files. It takes the file's advisory lock, writes whole (a short write goes
// on, an interrupted one is tried again), lets a test fail a write as a full disk would, and
// tells the host what was written, so that the page's lasting storage keeps up.

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Against other processes a writer holds its file alone, while readers share it.
enum class FileLock { Alone, Shared };

class OwnedFile {
public:
    OwnedFile() = default;
    ~OwnedFile() { Close(); }
    OwnedFile(OwnedFile&& other) noexcept;
    OwnedFile& operator=(OwnedFile&& other) noexcept;
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;

    // Opens `path` as given with open(2)'s `flags` and takes the lock without waiting; none,
    // with the system's error number in `error`, when either fails.
    static std::optional<OwnedFile> Open(const std::string& path, int flags, FileLock lock,
                                         int& error);

    // Empties the file, once the lock is ours: a file another holder uses is never touched.
    bool Empty();
    // Reads up to `size` bytes, fewer only at the end of the file.
    bool Read(void* buffer, std::size_t size, std::size_t& done);
    // Writes all of `bytes`, or fails with `done` of them written.
    bool Write(std::span<const std::uint8_t> bytes, std::size_t& done);
    // The new position, or none when it would be before the start of the file.
    std::optional<std::uint64_t> Seek(off_t offset, int whence);
    std::optional<std::uint64_t> Size();
    // What was written is on the disk, or in the page's lasting storage, once this returns.
    bool Sync();
    // True when this is the same file as `other`, however each was named.
    bool SameFileAs(const OwnedFile& other) const;
    // Closes the file, and lets the host keep what was written.
    void Close();

    bool IsOpen() const { return fd >= 0; }
    // The system's error number of the last call that failed.
    int Error() const { return error; }

private:
    OwnedFile(int descriptor, std::string name);

    int fd = -1;
    std::string path;
    // Where the next read or write starts, kept here so that telling the host where a write
    // went costs no system call.
    std::uint64_t position = 0;
    int error = 0;
};

// Renames `from` to `to`, replacing a file there only when `replace`. `durable`: the folder's
// new entry is on the disk once this returns. False with the error number in `error`.
bool RenameFile(const std::string& from, const std::string& to, bool replace, bool durable,
                int& error);
bool RemoveFile(const std::string& path, int& error);

// The whole file, when it can be read and holds at most `most` bytes (a name may be a device
// without end); none, with the error number in `error` (EFBIG for a longer one), otherwise.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t most,
                                                       int& error);
// Writes `bytes` as the file at `path`: made anew, or only emptied when it is there.
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, int& error);

} // namespace platform
