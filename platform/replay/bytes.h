#pragma once
// The journal's field encodings: little-endian fixed words, variable-length integers (seven bits
// a byte, low first), zigzag for signed values, and length-prefixed texts. The reader never
// trusts what it reads: every read past the end or over-long integer sets its failure.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform::journal {

inline std::uint64_t Zigzag(std::int64_t value)
{
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

inline std::int64_t Unzigzag(std::uint64_t value)
{
    return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

// A value plus a step read from the journal. A damaged journal's step may not fit: the sum
// wraps, and the replay's digests show the difference.
inline std::int64_t WrappingAdd(std::int64_t value, std::int64_t step)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(value)
                                     + static_cast<std::uint64_t>(step));
}

class ByteWriter {
public:
    void Byte(std::uint8_t value) { bytes.push_back(value); }
    void Fixed(std::uint64_t value, int size);
    void Varint(std::uint64_t value);
    void Signed(std::int64_t value) { Varint(Zigzag(value)); }
    void Text(std::string_view text);

    std::vector<std::uint8_t> bytes;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : rest(data) {}

    std::uint8_t Byte();
    std::uint64_t Fixed(int size);
    std::uint64_t Varint();
    std::int64_t Signed() { return Unzigzag(Varint()); }
    std::string Text();
    // A count of items that take at least one byte each; more than the bytes left fails.
    std::size_t Count();

    bool AtEnd() const { return rest.empty(); }
    bool Failed() const { return failed; }
    void Fail() { failed = true; }

private:
    std::span<const std::uint8_t> rest;
    bool failed = false;
};

} // namespace platform::journal
