#include "server/list_cache.h"

namespace server {
namespace {

// Pages kept at most: a client walking the whole list cannot fill the memory with them.
constexpr std::size_t mostPages = 1024;

} // namespace

std::optional<std::string> ListCache::Find(std::uint64_t from, std::uint64_t count)
{
    std::lock_guard lock(mutex);
    const auto found = pages.find({from, count});
    if (found == pages.end()) return std::nullopt;
    if (life && Clock::now() - found->second.built > *life) {
        pages.erase(found);
        return std::nullopt;
    }
    return found->second.body;
}

std::uint64_t ListCache::Generation()
{
    std::lock_guard lock(mutex);
    return generation;
}

void ListCache::Keep(std::uint64_t from, std::uint64_t count, std::uint64_t builtAfter,
                     std::string body)
{
    std::lock_guard lock(mutex);
    if (builtAfter != generation) return;
    if (pages.size() >= mostPages) pages.clear();
    pages[{from, count}] = {std::move(body), Clock::now()};
}

void ListCache::Changed()
{
    std::lock_guard lock(mutex);
    ++generation;
    pages.clear();
}

} // namespace server
