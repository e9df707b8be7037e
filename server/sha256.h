#pragma once
// SHA-256 (OpenSSL's): a journal is stored once under the digest of its bytes.

#include <string>
#include <string_view>

namespace server {

// The digest of `bytes` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

} // namespace server
