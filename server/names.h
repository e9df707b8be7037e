#pragma once
// A name on the world list is one the game could have stored in its Killer List: at most 31
// characters of its one-byte character set (Latin-1, every byte its own code point), no control
// characters. Names travel as UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace server {

inline constexpr std::size_t NAME_LIMIT = 31;

// False, with the reason in plain words, when `utf8` is no such name.
bool CheckName(std::string_view utf8, std::string& error);

} // namespace server
