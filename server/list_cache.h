#pragma once
// The list's pages as last answered. The list changes only when an entry is added, so a page
// is built once for each change instead of once for each request. Where other servers add to
// the same list, a page is also kept no longer than a short life, so that their entries show
// here soon after.

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace server {

class ListCache {
public:
    using Clock = std::chrono::steady_clock;

    // Pages kept until the next change, or for at most `pageLife` after they were built.
    explicit ListCache(std::optional<Clock::duration> pageLife = std::nullopt) : life(pageLife) {}

    // The page's body, when it was built since the last change.
    std::optional<std::string> Find(std::uint64_t from, std::uint64_t count);
    // The change a page about to be built is built after.
    std::uint64_t Generation();
    // Keeps a page built after change `generation`, unless the list has changed since.
    void Keep(std::uint64_t from, std::uint64_t count, std::uint64_t generation, std::string body);
    // An entry was added: every page kept is out of date.
    void Changed();

private:
    struct Page {
        std::string body;
        Clock::time_point built;
    };

    const std::optional<Clock::duration> life;
    std::mutex mutex;
    std::uint64_t generation = 0;
    std::map<std::pair<std::uint64_t, std::uint64_t>, Page> pages;
};

} // namespace server
