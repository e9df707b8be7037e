#include "server/list_import.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "server/bounded_file.h"
#include "server/list_index.h"
#include "server/names.h"
#include "server/sha256.h"

namespace server {
namespace {

// Journals being verified or waiting at once: the game's workers stay busy while the entries
// are still listed in their order.
constexpr std::size_t window = 32;
constexpr std::size_t largestIndex = std::size_t {1} << 30;

struct Exported {
    Entry entry; // as the index says
    std::string file;
};

bool ReadIndex(const std::filesystem::path& folder, std::vector<Exported>& runs, std::string& error)
{
    std::string text;
    if (ReadBoundedFile(folder / indexName, largestIndex, text) != BoundedRead::Read) {
        error = "cannot read " + (folder / indexName).string();
        return false;
    }
    const auto index = nlohmann::json::parse(text, nullptr, false);
    if (!index.is_object() || index.value("format", 0) != indexFormat || !index.contains("entries")
        || !index["entries"].is_array()) {
        error = (folder / indexName).string() + " is no index of an exported list of format "
                + std::to_string(indexFormat);
        return false;
    }
    for (const auto& line : index["entries"]) {
        Exported run;
        const auto entry = ReadIndexLine(line, run.file);
        if (!entry) {
            error = (folder / indexName).string() + ": entry " + std::to_string(runs.size() + 1)
                    + " is malformed";
            return false;
        }
        run.entry = *entry;
        runs.push_back(std::move(run));
    }
    return true;
}

// The verdicts, each kept under its run's place until it is listed.
class Verdicts {
public:
    explicit Verdicts(std::size_t count) : verdicts(count) {}

    Verifier::Done Keeper(std::size_t place)
    {
        return [this, place](Verdict verdict) {
            std::lock_guard lock(mutex);
            verdicts[place] = std::move(verdict);
            ready.notify_all();
        };
    }
    Verdict Take(std::size_t place)
    {
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return verdicts[place].has_value(); });
        return std::move(*verdicts[place]);
    }
    // A verdict for a run that never reached the game.
    void Set(std::size_t place, Verdict verdict) { Keeper(place)(std::move(verdict)); }

private:
    std::mutex mutex;
    std::condition_variable ready;
    std::vector<std::optional<Verdict>> verdicts;
};

struct Importing {
    Storage& storage;
    Verifier& verifier;
    const std::filesystem::path& folder;
    std::size_t largestJournal;
    const std::function<void(const std::string&)>& say;
    ImportCount& count;
    std::vector<Exported> runs;
    std::vector<std::string> journals;

    // Reads the run's journal and hands it to the game, or gives the reason it cannot be.
    void Submit(std::size_t place, Verdicts& verdicts)
    {
        const Exported& run = runs[place];
        std::string& journal = journals[place];
        Verdict refused;
        refused.kind = Verdict::Kind::Refused;
        if (ReadBoundedFile(folder / run.file, largestJournal, journal) != BoundedRead::Read)
            refused.line = "its journal " + run.file + " is missing or too large";
        else if (Sha256Hex(journal) != run.entry.sha256)
            refused.line = "its journal " + run.file + " is not the one listed";
        else {
            while (!verifier.Submit(journal, verdicts.Keeper(place))) {
                // The queue is full of this import's own runs: one finishes soon.
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            return;
        }
        verdicts.Set(place, std::move(refused));
    }

    // Lists the run its verdict proves; false when the database failed.
    bool List(std::size_t place, const Verdict& verdict, std::string& error)
    {
        const Exported& run = runs[place];
        const std::string which = "entry " + std::to_string(run.entry.id) + " (" + run.file + ")";
        std::string why;
        if (verdict.kind == Verdict::Kind::Failed) {
            error = "the game could not verify " + which + ": " + verdict.line;
            return false;
        }
        if (verdict.kind != Verdict::Kind::Verified || verdict.kills == 0)
            return Skip(which + " does not verify: "
                        + (verdict.kind == Verdict::Kind::Verified ? "no kill" : verdict.line));
        NewRun added {journals[place], run.entry.sha256, verdict.start,
                      run.entry.name,  verdict.kills,    verdict.peakScore,
                      verdict.score,   verdict.frames,   run.entry.date};
        if (verdict.typedName && !verdict.typedName->empty()) added.name = *verdict.typedName;
        if (!CheckName(added.name, why)) return Skip(which + ": " + why);
        Entry entry;
        switch (storage.Add(added, entry)) {
        case AddOutcome::Added: ++count.added; return true;
        case AddOutcome::Present: ++count.present; return true;
        case AddOutcome::Copy:
            return Skip(which + " is a copy of the listed entry " + std::to_string(entry.id));
        case AddOutcome::Failed:
        case AddOutcome::Unavailable: break;
        }
        error = "the database could not list " + which + "; nothing after it was imported";
        return false;
    }

    bool Skip(const std::string& why)
    {
        say("skipped " + why);
        ++count.skipped;
        return true;
    }
};

} // namespace

bool ImportList(Storage& storage, Verifier& verifier, const std::filesystem::path& folder,
                std::size_t largestJournal, const std::function<void(const std::string&)>& say,
                ImportCount& count, std::string& error)
{
    Importing import {storage, verifier, folder, largestJournal, say, count, {}, {}};
    if (!ReadIndex(folder, import.runs, error)) return false;
    const std::size_t total = import.runs.size();
    import.journals.resize(total);
    Verdicts verdicts(total);
    std::size_t submitted = 0;
    for (std::size_t place = 0; place < total; ++place) {
        for (; submitted < total && submitted < place + window; ++submitted)
            import.Submit(submitted, verdicts);
        const Verdict verdict = verdicts.Take(place);
        const bool listed = import.List(place, verdict, error);
        import.journals[place] = {};
        if (!listed) {
            // The runs still with the game are waited for before the verdicts they fill go.
            for (std::size_t left = place + 1; left < submitted; ++left) verdicts.Take(left);
            return false;
        }
    }
    return true;
}

} // namespace server
