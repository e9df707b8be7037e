#pragma once
// The query of a request's target ("from=0&count=100"): its parameters, percent-decoded.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace server {

class Query {
public:
    // None when `text` is malformed: a bad percent escape, or more parameters than any request
    // of the API has reason to send.
    static std::optional<Query> Parse(std::string_view text);

    // The value of the first parameter called `name`, or none.
    std::optional<std::string_view> Get(std::string_view name) const;

    // The parameter `name` as a whole number from `lowest` to `highest`, `fallback` when it is
    // absent; false, with the reason in `error`, for anything else.
    bool Number(std::string_view name, std::uint64_t fallback, std::uint64_t lowest,
                std::uint64_t highest, std::uint64_t& number, std::string& error) const;

private:
    std::vector<std::pair<std::string, std::string>> parameters;
};

// The path and the query of a request target, split at the first '?'.
std::pair<std::string_view, std::string_view> SplitTarget(std::string_view target);

} // namespace server
