// Recording: the journal grows in memory (a minute of play is a few kilobytes) and is written
// once at the end, under a temporary name made at start, so that a folder that cannot take it
// is known before the run and a journal is never seen half written.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/folders.h"
#include "platform/replay/seam.h"
#include "platform/replay/session.h"
#include "platform/resources.h"
#include "platform/storage.h"

namespace platform {
namespace {

using journal::CurrentRecording;
using journal::PendingDestination;

std::string Reason() { return std::strerror(errno); }

KeptFile KeepFile(const std::string& name)
{
    KeptFile kept {name, false, {}};
    std::ifstream in(PathForReading(name.c_str()), std::ios::binary);
    if (!in) return kept;
    kept.present = true;
    kept.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return kept;
}

bool WriteAll(int descriptor, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return fsync(descriptor) == 0;
}

// A destination without a previous name is never replaced: the link fails when the name exists.
bool Publish(const PendingDestination& pending)
{
    const JournalDestination& destination = pending.destination;
    if (destination.previousPath.empty()) {
        if (link(pending.partPath.c_str(), destination.path.c_str()) != 0) return false;
        unlink(pending.partPath.c_str());
        return true;
    }
    if (rename(destination.path.c_str(), destination.previousPath.c_str()) != 0
        && errno != ENOENT) {
        return false;
    }
    return rename(pending.partPath.c_str(), destination.path.c_str()) == 0;
}

void Write(PendingDestination& pending, const std::vector<std::uint8_t>& bytes,
           std::vector<std::string>& notes)
{
    const bool written = WriteAll(pending.descriptor, bytes);
    const std::string reason = Reason();
    close(pending.descriptor);
    if (written && Publish(pending)) {
        KeepWrittenFiles();
        return;
    }
    notes.push_back("Cannot write the replay " + pending.destination.path + ": "
                    + (written ? Reason() : reason));
    unlink(pending.partPath.c_str());
}

std::string PartPrefix(const std::string& path) { return path + ".part-"; }

// A game that ended without writing its journal (killed, crashed) left its empty temporary
// file; one whose process is gone is removed.
void RemoveDeadParts(const std::string& path)
{
    const std::filesystem::path prefix = PartPrefix(path);
    const std::string start = prefix.filename().string();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             prefix.has_parent_path() ? prefix.parent_path() : ".", error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(start)) continue;
        const long pid = std::strtol(name.c_str() + start.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace

void StartRecording(const RecordingOptions& options)
{
    auto recording = std::make_unique<journal::Recording>();
    for (const JournalDestination& destination : options.destinations) {
        RemoveDeadParts(destination.path);
        PendingDestination pending {destination,
                                    PartPrefix(destination.path) + std::to_string(getpid()), -1};
        pending.descriptor =
            open(pending.partPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (pending.descriptor < 0) {
            journal::NoticeAtFirstPump("Cannot record this run to " + destination.path + ": "
                                       + Reason() + "\r\n");
            continue;
        }
        journal::NoticeAtFirstPump("This run is recorded to " + destination.path + "\r\n");
        recording->destinations.push_back(std::move(pending));
    }
    CurrentRecording().reset();
    if (recording->destinations.empty()) return;
    Journal& journal = recording->journal;
    journal.gameVersion = options.gameVersion;
    journal.commandLine = options.commandLine;
    journal.arguments = options.arguments;
    journal.language = journal::AnswerLanguage(UserLanguage());
    for (const std::string& name : options.keptFiles) journal.keptFiles.push_back(KeepFile(name));
    CurrentRecording() = std::move(recording);
}

void FinishRecording(const RunResult& result, std::vector<std::string>& notes)
{
    std::unique_ptr<journal::Recording> recording = std::move(CurrentRecording());
    if (!recording) return;
    Journal& journal = recording->journal;
    journal.filesRead = recording->files.Files();
    journal.clock = recording->clock.Bytes();
    journal.clockCount = recording->clock.Count();
    journal.cursor = recording->cursor.Bytes();
    journal.cursorCount = recording->cursor.Count();
    journal.pumps = recording->pumps.Bytes();
    journal.pumpCount = recording->pumps.Count();
    journal.result = result;
    const std::vector<std::uint8_t> bytes = EncodeJournal(journal);
    for (PendingDestination& pending : recording->destinations) Write(pending, bytes, notes);
}

} // namespace platform
