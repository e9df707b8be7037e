#include "server/query_string.h"

#include <charconv>

namespace server {
namespace {

constexpr std::size_t mostParameters = 16;

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Decoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] != '%') {
            out += text[i];
        } else {
            if (text.size() - i < 3) return std::nullopt;
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        }
    }
    return out;
}

} // namespace

std::optional<Query> Query::Parse(std::string_view text)
{
    Query query;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('&', at), text.size());
        const std::string_view part = text.substr(at, end - at);
        at = end + 1;
        if (part.empty()) continue;
        if (query.parameters.size() == mostParameters) return std::nullopt;
        const std::size_t equals = std::min(part.find('='), part.size());
        auto name = Decoded(part.substr(0, equals));
        auto value = Decoded(equals < part.size() ? part.substr(equals + 1) : std::string_view {});
        if (!name || !value) return std::nullopt;
        query.parameters.emplace_back(std::move(*name), std::move(*value));
    }
    return query;
}

std::optional<std::string_view> Query::Get(std::string_view name) const
{
    for (const auto& [key, value] : parameters)
        if (key == name) return std::string_view(value);
    return std::nullopt;
}

bool Query::Number(std::string_view name, std::uint64_t fallback, std::uint64_t lowest,
                   std::uint64_t highest, std::uint64_t& number, std::string& error) const
{
    const auto text = Get(name);
    std::uint64_t value = fallback;
    bool whole = true;
    if (text) {
        const char* end = text->data() + text->size();
        const auto [stop, failure] = std::from_chars(text->data(), end, value);
        whole = !text->empty() && failure == std::errc {} && stop == end;
    }
    if (!whole || value < lowest || value > highest) {
        error = std::string(name) + " is a whole number from " + std::to_string(lowest) + " to "
                + std::to_string(highest);
        return false;
    }
    number = value;
    return true;
}

std::pair<std::string_view, std::string_view> SplitTarget(std::string_view target)
{
    const std::size_t mark = target.find('?');
    if (mark == std::string_view::npos) return {target, {}};
    return {target.substr(0, mark), target.substr(mark + 1)};
}

} // namespace server
