#include "platform/replay/bytes.h"

namespace platform::journal {

void ByteWriter::Fixed(std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i, value >>= 8) Byte(static_cast<std::uint8_t>(value));
}

void ByteWriter::Varint(std::uint64_t value)
{
    for (; value >= 0x80; value >>= 7) Byte(static_cast<std::uint8_t>(value | 0x80));
    Byte(static_cast<std::uint8_t>(value));
}

void ByteWriter::Text(std::string_view text)
{
    Varint(text.size());
    bytes.insert(bytes.end(), text.begin(), text.end());
}

std::uint8_t ByteReader::Byte()
{
    if (failed || rest.empty()) {
        failed = true;
        return 0;
    }
    const std::uint8_t value = rest.front();
    rest = rest.subspan(1);
    return value;
}

std::uint64_t ByteReader::Fixed(int size)
{
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) value |= std::uint64_t {Byte()} << (8 * i);
    return value;
}

std::uint64_t ByteReader::Varint()
{
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const std::uint8_t byte = Byte();
        value |= std::uint64_t {byte & 0x7Fu} << shift;
        if ((byte & 0x80) == 0) return failed ? 0 : value;
    }
    failed = true;
    return 0;
}

std::string ByteReader::Text()
{
    const std::size_t size = Count();
    if (failed) return {};
    std::string text(reinterpret_cast<const char*>(rest.data()), size);
    rest = rest.subspan(size);
    return text;
}

std::size_t ByteReader::Count()
{
    const std::uint64_t count = Varint();
    if (count > rest.size()) failed = true;
    return failed ? 0 : static_cast<std::size_t>(count);
}

} // namespace platform::journal
